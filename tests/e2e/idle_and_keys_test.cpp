#include <gtest/gtest.h>

#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/timer.h"
#include "support/terminal_fixture.h"

namespace {

using testing_support::ModalDriver;
using testing_support::Terminal;

constexpr auto kKeypad = Qt::KeypadModifier;

// Refuses offers with Esc and returns the paper codes drawn.
std::vector<QString> RefusedOffers(Terminal& t, int offers) {
    std::vector<QString> papers;
    for (int i = 0; i < offers; ++i) {
        ModalDriver driver;
        driver.ThenKey(Qt::Key_Escape);
        t.IdleTicks(5);
        EXPECT_TRUE(driver.Done());
        papers.push_back(t.module->PaperName);
    }
    return papers;
}

TEST(IdleCycle, ARefusedOfferComesAgainWithANewPaper) {
    Terminal t;
    t.fakes.random.values = {0.0f, 0.1f, 0.0f, 0.9f};  // papers 1, then 5
    ASSERT_TRUE(t.Start());
    ModalDriver driver;
    driver.ThenKey(Qt::Key_Escape);
    t.IdleTicks(5);
    EXPECT_EQ(t.module->PaperName, QStringLiteral("10001001"));
    EXPECT_EQ(t.module->CandidateName, QStringLiteral("驾驶员"));
    EXPECT_EQ(t.module->AdmissionNo, QStringLiteral("1000001"));
    EXPECT_TRUE(t.form->Timer1->Enabled());
    EXPECT_EQ(t.form->PaperState, QStringLiteral("000"));
    EXPECT_EQ(t.form->Label1->Caption(), QStringLiteral("Derravance"));
    EXPECT_EQ(t.fakes.random.drawn, 2);
    t.TakeOffer();
    EXPECT_EQ(t.module->PaperName, QStringLiteral("10001005"));
    EXPECT_EQ(t.form->PaperState, QStringLiteral("111"));
}

TEST(IdleCycle, APaperOfNineQuestionsStopsTheOffersUntilTheExitPrompt) {
    Terminal t;
    testing_support::Exec(t.Db(), QStringLiteral("DELETE FROM sj WHERE sjmc='10001001' AND th=1"));
    ASSERT_TRUE(t.Start());
    {
        ModalDriver driver;
        driver.ThenKey(Qt::Key_Return);
        t.IdleTicks(5);
        ASSERT_EQ(driver.Seen().size(), 1u);
        EXPECT_EQ(driver.Seen()[0].text, QStringLiteral("没有《货运驾驶员从业资格》试卷！"));
    }
    EXPECT_FALSE(t.form->Timer1->Enabled());
    {
        ModalDriver driver;
        driver.Then([](QWidget*) {
            testing_support::PressKey(Qt::Key_0, Qt::NoModifier, 0, QStringLiteral("0"));
            testing_support::PressKey(Qt::Key_Return);
        });
        t.Key(Qt::Key_Escape);
        EXPECT_TRUE(driver.Done());
    }
    EXPECT_TRUE(t.form->Timer1->Enabled()) << "a wrong code starts the idle timer again";
    EXPECT_TRUE(t.fakes.end.statuses.empty());
}

TEST(IdleCycle, AKindWithoutRowIsShownByItsNumber) {
    Terminal t;
    t.folder.WriteSettings(QStringLiteral("5"), QStringLiteral("7"));
    ASSERT_TRUE(t.Start());
    ModalDriver driver;
    driver.ThenKey(Qt::Key_Return);
    t.IdleTicks(5);
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].text, QStringLiteral("没有《7》试卷！"));
    EXPECT_EQ(t.module->PaperName.left(2), QStringLiteral("70"));
}

TEST(IdleCycle, WithOnePaperEveryOfferTakesTwoValues) {
    Terminal t;
    t.folder.WriteSettings(QStringLiteral("5"), QStringLiteral("1"));
    ASSERT_TRUE(t.Start());
    t.module->PaperCount = 1;
    t.fakes.random.values = {0.99f, 0.5f, 0.7f, 0.2f};
    const auto papers = RefusedOffers(t, 2);
    EXPECT_EQ(papers, (std::vector<QString>{QStringLiteral("10001001"), QStringLiteral("10001001")}));
    EXPECT_EQ(t.fakes.random.drawn, 4);
}

TEST(IdleCycle, EveryStartDrawsTheSameSequence) {
    std::vector<QString> runs[2];
    for (auto& run : runs) {
        Terminal t;
        platform::BasicRandom generator;
        t.fakes.services.random = &generator;
        ASSERT_TRUE(t.Start());
        run = RefusedOffers(t, 6);
    }
    EXPECT_EQ(runs[0], runs[1]);
    for (const QString& paper : runs[0]) {
        EXPECT_TRUE(paper.startsWith(QStringLiteral("10001"))) << paper.toStdString();
        const int number = paper.right(3).toInt();
        EXPECT_GE(number, 1);
        EXPECT_LE(number, 5);
    }
}

TEST(ExitPrompt, TheCodeEndsTheProgram) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    ModalDriver driver;
    driver.Then([](QWidget*) {
        for (const char* digit : {"1", "2", "0", "7"}) {
            testing_support::PressKey(Qt::Key_0 + (digit[0] - '0'), Qt::NoModifier, 0,
                                      QString::fromLatin1(digit));
        }
        testing_support::PressKey(Qt::Key_Return);
    });
    t.Key(Qt::Key_Escape);
    EXPECT_EQ(t.fakes.end.statuses, std::vector<int>{0});
    EXPECT_TRUE(t.fakes.shutdown.modes.empty());
}

TEST(ExitPrompt, WithoutExecutableNameTheSystemShutsDown) {
    Terminal t;
    t.fakes.services.exeName.clear();
    ASSERT_TRUE(t.Start());
    ModalDriver driver;
    driver.Then([](QWidget*) {
        for (int key : {Qt::Key_1, Qt::Key_2, Qt::Key_0, Qt::Key_7}) {
            testing_support::PressKey(key, Qt::NoModifier, 0, QString(QChar('0' + key - Qt::Key_0)));
        }
        testing_support::PressKey(Qt::Key_Return);
    });
    t.Key(Qt::Key_Escape);
    EXPECT_TRUE(t.fakes.end.statuses.empty());
    EXPECT_EQ(t.fakes.shutdown.modes, std::vector<int>{1});
    EXPECT_EQ(t.module->Conn->State(), 0);
    EXPECT_FALSE(t.form->Timer1->Enabled());
}

TEST(Keys, BeforeTheFirstSheetOnlyEscActs) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    const std::pair<int, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Plus, kKeypad}, {Qt::Key_Minus, kKeypad}, {Qt::Key_F3, Qt::NoModifier},
        {Qt::Key_F4, Qt::NoModifier}, {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_1, Qt::NoModifier},
        {Qt::Key_6, kKeypad},
    };
    for (const auto& [key, modifiers] : keys) EXPECT_FALSE(t.Swallowed(key, modifiers)) << key;
}

TEST(Keys, OnTheTitleScreenAfterAnExamTheLastSheetStillMoves) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    t.TakeOffer();
    {
        ModalDriver driver;
        driver.ThenKey(Qt::Key_1).ThenKey(Qt::Key_Return).ThenKey(Qt::Key_2);
        t.Key(Qt::Key_Escape);
    }
    ASSERT_EQ(t.form->Label1->Caption(), QStringLiteral("Derravance"));
    EXPECT_TRUE(t.Swallowed(Qt::Key_Return));
    EXPECT_EQ(t.form->Label11->Caption(), QStringLiteral("1"));
    EXPECT_TRUE(t.Swallowed(Qt::Key_F4));
    EXPECT_EQ(t.form->Label11->Caption(), QStringLiteral("2"));
    EXPECT_TRUE(t.Swallowed(Qt::Key_2));
    EXPECT_EQ(t.Markers(), QStringLiteral("010000"));
}

TEST(Keys, ModifiersMakeNoDifferenceAndOtherKeysPassOn) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    t.TakeOffer();
    ASSERT_EQ(t.form->Label11->Caption(), QStringLiteral("1"));
    EXPECT_TRUE(t.Swallowed(Qt::Key_F4, Qt::ShiftModifier));
    EXPECT_EQ(t.form->Label11->Caption(), QStringLiteral("2"));
    EXPECT_TRUE(t.Swallowed(Qt::Key_2, Qt::ControlModifier));
    EXPECT_EQ(t.Markers(), QStringLiteral("010000"));
    for (int key : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Up, Qt::Key_0,
                    Qt::Key_7, Qt::Key_8, Qt::Key_9, Qt::Key_A}) {
        EXPECT_FALSE(t.Swallowed(key)) << key;
    }
    EXPECT_EQ(t.form->Label11->Caption(), QStringLiteral("2"));
    EXPECT_EQ(t.Markers(), QStringLiteral("010000"));
}

}  // namespace
