#pragma once
// A terminal on a program folder of the test's own: settings, a question bank built
// by the test, the seams on fakes, and the real main form shown headless.

#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "exam/frmftyaj.h"
#include "shared/module1.h"
#include "support/exam_db.h"
#include "support/fakes.h"
#include "support/modal_driver.h"
#include "support/program_folder.h"

namespace testing_support {

// The answer keys of the standard papers: odd questions single choice with the right
// answer 2, even ones multiple choice with the right answers 1 and 3; 10 points each.
extern const char* const kSingleAnswer;    // "010000"
extern const char* const kMultipleAnswer;  // "101000"

class Terminal {
public:
    // Kind "1" with five papers of ten questions, unless told otherwise.
    Terminal();
    ~Terminal();

    ProgramFolder folder;
    FakeServices fakes{folder.Path()};
    std::unique_ptr<shared::Module1> module;
    Frmftyaj* form = nullptr;
    // When set, the connection's busy timeout, given before the main form opens it.
    std::optional<int> busyTimeoutMs;

    QString Db() const { return folder.DatabasePath(); }
    // The standard paper <kind piece>001<number> with count questions.
    void AddStandardPaper(const QString& paperName, int count = 10);
    // Replaces the paper's questions with ten like the standard ones whose six options
    // all have text.
    void MakeSixOptionPaper(const QString& paperName);

    // Main's preparation, then the main form shown (not modally) at the given size.
    bool Start(int widthPx = 1024, int heightPx = 768);

    // Fires Timer1 n times (only while it is on).
    void IdleTicks(int n);
    // Offers an exam: five ticks, Enter on the confirmation, a key on the instructions.
    void TakeOffer();
    void Key(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Whether the form's key preview swallowed this key.
    bool Swallowed(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                   quint32 nativeScanCode = 0);

    QString Markers() const;  // "101000" from the visible markers
    // Chooses the right options at a position of a standard paper with main-row digits.
    void AnswerRight(int position);

    // Runs what, pressing the keys in turn on the modal windows it opens; fails unless
    // every key found its window. Returns what the windows showed.
    std::vector<SeenModal> Modals(const std::vector<int>& keys, const std::function<void()>& what);
    // Time on to half a second past the end of the exam, and a countdown tick.
    void TimeOut();
    // Rows of sjdj that meet the condition.
    int SheetRows(const QString& condition) const;
    // The expression's value on every row of sjdj in order, joined by blanks.
    QString Sheet(const QString& expression) const;

    // The title screen as every return to it leaves it, timers included.
    ::testing::AssertionResult ShowsTitle() const;
    // A running exam of the standard kind 1 on screen.
    ::testing::AssertionResult ShowsExam() const;
};

}  // namespace testing_support
