#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <utility>
#include <vector>

#include "support/build_dir.h"
#include "support/program_folder.h"

namespace {

struct Outcome {
    int status = -1;  // -1: it did not end by itself; -2: it crashed
    QByteArray out;
    QByteArray err;
};

// The built terminal, copied alone into a program folder of the test's own.
class ProgramStart : public ::testing::Test {
protected:
    testing_support::ProgramFolder folder;
    QString program;
    QTemporaryDir runtime;

    void SetUp() override {
        const QString built = testing_support::BuildDir() + QStringLiteral("/src/derravance");
        ASSERT_TRUE(QFile::exists(built)) << built.toStdString();
        program = folder.File(QStringLiteral("derravance"));
        ASSERT_TRUE(QFile::copy(built, program));
    }

    // Runs it headless, or with the display settings given instead.
    Outcome Run(const std::vector<std::pair<QString, QString>>& display = {
                    {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")}}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(QString::fromLatin1(name));
        }
        for (const auto& [name, value] : display) env.insert(name, value);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(folder.Path());
        process.start(program, {});
        Outcome outcome;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return outcome;
        }
        outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        outcome.out = process.readAllStandardOutput();
        outcome.err = process.readAllStandardError();
        return outcome;
    }
};

TEST_F(ProgramStart, UnusableSettingsEndItAtOnceAndSilently) {
    for (const char* count : {"", "4"}) {
        if (*count != '\0') folder.WriteSettings(QString::fromLatin1(count), QStringLiteral("1"));
        const Outcome run = Run();
        EXPECT_EQ(run.status, 2) << count;
        EXPECT_TRUE(run.out.isEmpty() && run.err.isEmpty()) << run.out.constData()
                                                            << run.err.constData();
    }
}

// A display number with no X server behind it.
QString UnusedDisplay() {
    for (int n = 97; n < 200; ++n) {
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) &&
            !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))) {
            return QStringLiteral(":%1").arg(n);
        }
    }
    return QStringLiteral(":97");
}

TEST_F(ProgramStart, WithoutADisplayEndsWithStatusOneAndOneLine) {
    folder.WriteSettings(QStringLiteral("5"), QStringLiteral("1"));
    const QString display = UnusedDisplay();
    const struct {
        std::vector<std::pair<QString, QString>> env;
        const char* why;
    } cases[] = {
        {{}, "DISPLAY is not set"},
        {{{QStringLiteral("DISPLAY"), display}}, "could not connect to display"},
        {{{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("nonexistent")}}, "nonexistent"},
    };
    for (const auto& c : cases) {
        const Outcome run = Run(c.env);
        EXPECT_EQ(run.status, 1) << c.why;
        EXPECT_TRUE(run.out.isEmpty()) << run.out.constData();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.constData();
        EXPECT_TRUE(run.err.endsWith('\n')) << run.err.constData();
        EXPECT_TRUE(run.err.startsWith("derravance: no display to show the terminal on (") &&
                    run.err.contains(c.why))
            << run.err.constData();
    }
}

}  // namespace
