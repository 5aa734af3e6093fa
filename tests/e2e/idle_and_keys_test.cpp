#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <string_view>

#include "platform/ui/label.h"
#include "platform/ui/timer.h"
#include "support/terminal_fixture.h"
#include "support/x11_digits.h"

namespace {

using testing_support::ModalDriver;
using testing_support::Terminal;

constexpr auto kKeypad = Qt::KeypadModifier;

// Every offer is refused with Esc: the next comes five ticks later with a new paper.
TEST(IdleCycle, EveryFifthTickOffersADrawnPaper) {
    const struct {
        int papers;
        std::deque<float> values;  // none: the terminal's own generator
        std::vector<int> offered;
        int valuesUsed;  // of the scripted ones
    } rows[] = {
        {5, {0.0f, 0.1f, 0.0f, 0.9f}, {1, 5}, 4},  // one repeat, then the paper
        {1, {0.99f, 0.5f, 0.7f, 0.2f}, {1, 1}, 4},
        {5, {}, {2, 4, 3, 1, 3, 4}, 0},  // the same papers after every start
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.papers << " papers, " << row.offered.size());
        Terminal t;
        platform::BasicRandom generator;
        if (row.values.empty()) t.fakes.services.random = &generator;
        t.fakes.random.values = row.values;
        ASSERT_TRUE(t.Start());
        t.module->PaperCount = row.papers;
        for (const int paper : row.offered) {
            ModalDriver driver;
            driver.ThenKey(Qt::Key_Escape);
            t.IdleTicks(4);
            EXPECT_TRUE(driver.Seen().empty()) << "an offer before the fifth tick";
            t.IdleTicks(1);
            EXPECT_TRUE(driver.Done());
            EXPECT_EQ(t.module->PaperName, QStringLiteral("10001%1").arg(paper, 3, 10, QChar('0')));
            EXPECT_TRUE(t.form->Timer1->Enabled());
            EXPECT_EQ(t.form->PaperState, QStringLiteral("000"));
            EXPECT_EQ(t.form->Label1->Caption(), kProductTitle);
        }
        EXPECT_EQ(t.module->CandidateName, QStringLiteral("驾驶员"));
        EXPECT_EQ(t.module->AdmissionNo, QStringLiteral("1000001"));
        EXPECT_EQ(t.fakes.random.drawn, row.valuesUsed);
    }
}

// A paper it cannot offer stops the offers until the operator answers the exit
// prompt: a wrong code starts them again, the code ends the program, or without a
// program name shuts the system down.
TEST(IdleCycle, APaperItCannotOfferStopsTheOffersUntilTheExitPrompt) {
    const struct {
        const char* kind;
        const char* change;
        const char* message;
        const char* code;
        bool named;
    } rows[] = {
        {"1", "DELETE FROM sj WHERE sjmc='10001001' AND th=1", "没有《货运驾驶员从业资格》试卷！",
         "0", true},
        {"7", "", "没有《7》试卷！", "1207", true},  // a kind without row, shown by its number
        {"1", "DROP TABLE sjname", "操作有错！", "1207", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        Terminal t;
        t.folder.WriteSettings(QStringLiteral("5"), QString::fromUtf8(row.kind));
        if (!row.named) t.fakes.services.exeName.clear();
        ASSERT_TRUE(t.Start());
        if (*row.change != '\0') testing_support::Exec(t.Db(), QString::fromUtf8(row.change));
        const auto seen = t.Modals({Qt::Key_Return}, [&] { t.IdleTicks(5); });
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text.toStdString(), row.message);
        EXPECT_EQ(t.module->PaperName, QString::fromUtf8(row.kind) + QStringLiteral("0001001"));
        EXPECT_FALSE(t.form->Timer1->Enabled());
        EXPECT_EQ(t.form->Label1->Caption(), kProductTitle);

        ModalDriver driver;
        driver.Then([&](QWidget*) {
            for (const QChar c : QString::fromLatin1(row.code)) {
                testing_support::PressKey(Qt::Key_0 + (c.unicode() - '0'), Qt::NoModifier, 0, c);
            }
            testing_support::PressKey(Qt::Key_Return);
        });
        t.Key(Qt::Key_Escape);
        EXPECT_TRUE(driver.Done());
        const bool exit = std::string_view(row.code) == "1207";
        EXPECT_EQ(t.form->Timer1->Enabled(), !exit);
        EXPECT_EQ(t.fakes.end.statuses,
                  exit && row.named ? std::vector<int>{0} : std::vector<int>{});
        EXPECT_EQ(t.fakes.shutdown.modes,
                  exit && !row.named ? std::vector<int>{1} : std::vector<int>{});
        EXPECT_EQ(t.module->Conn->State(), exit && !row.named ? 0 : 1);
    }
}

// Digits of the main row or the keypad, on a US, French or German keyboard, choose the
// options once a sheet is built; the symbol keys of those layouts are no digits: they
// pass on and change nothing.
TEST(Keys, DigitsChooseOptionsHoweverPressedAndOnlyWithASheet) {
    Terminal t;
    t.MakeSixOptionPaper(QStringLiteral("10001001"));
    ASSERT_TRUE(t.Start());
    // Before the first sheet every key but Esc passes on.
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Plus, kKeypad},
                                         {Qt::Key_Minus, kKeypad},
                                         {Qt::Key_F3, {}},
                                         {Qt::Key_F4, {}},
                                         {Qt::Key_Return, {}}}) {
        EXPECT_FALSE(t.Swallowed(key, modifiers)) << key;
    }
    for (const auto& row : testing_support::kDigitWays) {
        for (int digit = 0; digit <= 9; ++digit) {
            EXPECT_FALSE(t.Swallowed(row.keys[digit], row.modifiers, row.scanCodes[digit]))
                << row.what << " " << digit;
        }
    }
    const auto symbolsPassOn = [&t] {
        const QString markers = t.Markers(), question = t.form->Label11->Caption();
        for (const auto& k : testing_support::kSymbolKeys) {
            EXPECT_FALSE(t.Swallowed(k.key, k.modifiers, k.scanCode)) << k.what;
            EXPECT_EQ(t.Markers(), markers) << k.what;
            EXPECT_EQ(t.form->Label11->Caption(), question) << k.what;
        }
    };
    symbolsPassOn();

    t.TakeOffer();
    ASSERT_EQ(t.form->PaperState, QStringLiteral("111"));
    for (const QString& type : {QStringLiteral("单选题"), QStringLiteral("多选题")}) {
        t.Key(Qt::Key_F4);
        ASSERT_EQ(t.form->Label5->Caption(), type);
        const bool multiple = type == QStringLiteral("多选题");
        const QString question = t.form->Label11->Caption();
        for (const auto& row : testing_support::kDigitWays) {
            for (int digit : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) {
                const bool option = digit >= 1 && digit <= 6;
                QString expected = t.Markers();
                if (option) {
                    if (!multiple) expected = QStringLiteral("000000");
                    QChar& marker = expected[digit - 1];
                    marker = multiple && marker == QLatin1Char('1') ? QLatin1Char('0')
                                                                    : QLatin1Char('1');
                }
                SCOPED_TRACE(type.toStdString() + ", " + row.what + " " + std::to_string(digit));
                EXPECT_EQ(t.Swallowed(row.keys[digit], row.modifiers, row.scanCodes[digit]),
                          option);
                EXPECT_EQ(t.Markers(), expected);
                EXPECT_EQ(t.form->Label11->Caption(), question);
            }
        }
        symbolsPassOn();
    }

    // Modifiers make no difference; keys without a meaning pass on and change nothing.
    EXPECT_TRUE(t.Swallowed(Qt::Key_F4, Qt::ShiftModifier));
    EXPECT_EQ(t.form->Label11->Caption(), QStringLiteral("4"));
    EXPECT_TRUE(t.Swallowed(Qt::Key_2, Qt::ControlModifier));
    EXPECT_EQ(t.Markers(), QStringLiteral("010000"));
    for (int key : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Up, Qt::Key_Home,
                    Qt::Key_Insert, Qt::Key_A, Qt::Key_Shift, Qt::Key_NumLock}) {
        EXPECT_FALSE(t.Swallowed(key)) << key;
    }
    EXPECT_EQ(t.form->Label11->Caption(), QStringLiteral("4"));
    EXPECT_EQ(t.Markers(), QStringLiteral("010000"));
}

}  // namespace
