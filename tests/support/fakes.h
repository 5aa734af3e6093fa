#pragma once
// Test doubles for the platform seams.

#include <QDateTime>
#include <deque>
#include <vector>

#include "platform/system.h"

namespace testing_support {

// Either reading can be set or stepped alone; Advance moves both, as time passing does.
class FakeClock final : public platform::Clock {
public:
    QDateTime now{QDate(2026, 12, 7), QTime(9, 0, 0)};
    qint64 monotonicMs = 3600 * 1000;
    QDateTime Now() const override { return now; }
    qint64 MonotonicMs() const override { return monotonicMs; }
    void Advance(qint64 msecs) {
        now = now.addMSecs(msecs);
        monotonicMs += msecs;
    }
};

// Plays back the given values, then repeats the last one (0 when none was given).
class ScriptedRandom final : public platform::RandomSource {
public:
    std::deque<float> values;
    int drawn = 0;
    float Next() override;

private:
    float last_ = 0;
};

class RecordingEnd final : public platform::ProgramEnd {
public:
    std::vector<int> statuses;
    void End(int status) override { statuses.push_back(status); }
};

class RecordingShutdown final : public platform::Shutdown {
public:
    std::vector<int> modes;
    void Request(int mode) override { modes.push_back(mode); }
};

// A full set of seams for one test: fakes all, but for the Tab, which goes out as the
// real injector sends it.
struct FakeServices {
    FakeClock clock;
    ScriptedRandom random;
    RecordingEnd end;
    RecordingShutdown shutdown;
    platform::QtKeyInjector keys;
    platform::Services services;

    explicit FakeServices(const QString& folder, const QString& exeName = QStringLiteral("derravance"));
};

}  // namespace testing_support
