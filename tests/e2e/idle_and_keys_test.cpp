#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProxyStyle>
#include <array>
#include <functional>

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
    for (int key : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Up, Qt::Key_Home,
                    Qt::Key_Insert, Qt::Key_A, Qt::Key_Shift, Qt::Key_NumLock}) {
        EXPECT_FALSE(t.Swallowed(key)) << key;
    }
    EXPECT_EQ(t.form->Label11->Caption(), QStringLiteral("2"));
    EXPECT_EQ(t.Markers(), QStringLiteral("010000"));
}

// The digits 0 to 9 as Qt delivers them under X11, in one way of pressing them.
struct DigitRow {
    const char* what;
    Qt::KeyboardModifiers modifiers;
    std::array<int, 10> keys;
    std::array<quint32, 10> scanCodes;
};

constexpr std::array<quint32, 10> kMainRowScanCodes = {19, 10, 11, 12, 13, 14, 15, 16, 17, 18};
constexpr std::array<quint32, 10> kKeypadScanCodes = {90, 87, 88, 89, 83, 84, 85, 79, 80, 81};
constexpr std::array<int, 10> kDigitKeys = {Qt::Key_0, Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4,
                                            Qt::Key_5, Qt::Key_6, Qt::Key_7, Qt::Key_8, Qt::Key_9};

const DigitRow kDigitRows[] = {
    {"main row", Qt::NoModifier, kDigitKeys, kMainRowScanCodes},
    {"main row with Shift",
     Qt::ShiftModifier,
     {Qt::Key_ParenRight, Qt::Key_Exclam, Qt::Key_At, Qt::Key_NumberSign, Qt::Key_Dollar,
      Qt::Key_Percent, Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk, Qt::Key_ParenLeft},
     kMainRowScanCodes},
    {"keypad, Num Lock on", kKeypad, kDigitKeys, kKeypadScanCodes},
    {"keypad, Num Lock off",
     kKeypad,
     {Qt::Key_Insert, Qt::Key_End, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Clear,
      Qt::Key_Right, Qt::Key_Home, Qt::Key_Up, Qt::Key_PageUp},
     kKeypadScanCodes},
};

TEST(Keys, EveryWayOfPressingADigitChoosesItsOptionOfSix) {
    Terminal t;
    t.MakeSixOptionPaper(QStringLiteral("10001001"));
    ASSERT_TRUE(t.Start());
    t.TakeOffer();
    ASSERT_EQ(t.form->PaperState, QStringLiteral("111"));
    for (const QString& type : {QStringLiteral("单选题"), QStringLiteral("多选题")}) {
        for (int moves = 0; t.form->Label5->Caption() != type && moves < 10; ++moves) {
            t.Key(Qt::Key_F4);
        }
        ASSERT_EQ(t.form->Label5->Caption(), type);
        const bool multiple = type == QStringLiteral("多选题");
        const QString question = t.form->Label11->Caption();
        for (const DigitRow& row : kDigitRows) {
            for (int digit : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) {
                QString expected = t.Markers();
                if (digit >= 1 && digit <= 6) {
                    if (!multiple) expected = QStringLiteral("000000");
                    QChar& marker = expected[digit - 1];
                    marker = multiple && marker == QLatin1Char('1') ? QLatin1Char('0')
                                                                    : QLatin1Char('1');
                }
                const bool swallowed =
                    t.Swallowed(row.keys[digit], row.modifiers, row.scanCodes[digit]);
                const std::string what =
                    type.toStdString() + ", " + row.what + " " + std::to_string(digit);
                EXPECT_EQ(swallowed, digit >= 1 && digit <= 6) << what;
                EXPECT_EQ(t.Markers(), expected) << what;
                EXPECT_EQ(t.form->Label11->Caption(), question) << what;
            }
        }
    }
}

TEST(ExamStart, MovesThePhotographBeyondTheRightEdge) {
    struct Case {
        int width;
        int height;
        float left;
    } cases[] = {
        {1920, 1080, 28800},  // the inner width at 15 twips a pixel
        {2560, 1440, 38400}, {1366, 768, 20490}, {1024, 768, 20000}, {800, 600, 20000},
    };
    for (const Case& c : cases) {
        Terminal t;
        ASSERT_TRUE(t.Start(c.width, c.height));
        ASSERT_DOUBLE_EQ(t.form->ScaleWidth(), c.width * 15.0);
        EXPECT_FLOAT_EQ(t.form->Image2->Left(), 600) << c.width << " title screen";
        t.TakeOffer();
        ASSERT_EQ(t.form->PaperState, QStringLiteral("111"));
        EXPECT_FLOAT_EQ(t.form->Image2->Left(), c.left) << c.width;
        EXPECT_GE(t.form->Image2->x(), t.form->width()) << c.width << " out of sight";
    }
}

// Shows desktop-style pictures on standard buttons, as some desktops' styles do.
class IconButtonsStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == QStyle::SH_DialogButtonBox_ButtonsHaveIcons) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

TEST(MessageBoxes, TheOneButtonReadsQuedingWithoutPicture) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    QApplication::setStyle(new IconButtonsStyle);
    struct Seen {
        QString text;
        int icon = -1;
        QStringList buttons;
        bool picture = false;
    };
    const auto read = [](Seen& seen) {
        return [&seen](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                seen.text = box->text();
                seen.icon = box->icon();
                for (const QAbstractButton* button : box->buttons()) {
                    seen.buttons << button->text();
                    seen.picture = seen.picture || !button->icon().isNull();
                }
            }
            testing_support::PressKey(Qt::Key_Return);
        };
    };
    struct Case {
        const char* what;
        std::function<void(ModalDriver&, Seen&)> bringUp;
        QString text;
        QMessageBox::Icon icon;
    } cases[] = {
        {"result",
         [&](ModalDriver& driver, Seen& seen) {
             t.TakeOffer();
             driver.ThenKey(Qt::Key_1).Then(read(seen)).ThenKey(Qt::Key_2);
             t.Key(Qt::Key_Escape);
         },
         QStringLiteral("考生：驾驶员"), QMessageBox::Information},
        {"failure",
         [&](ModalDriver& driver, Seen& seen) {
             driver.Then(read(seen));
             t.module->ReportError(QStringLiteral("a failure for the test"));
         },
         QStringLiteral("操作有错！"), QMessageBox::Warning},
    };
    for (const Case& c : cases) {
        Seen seen;
        ModalDriver driver;
        c.bringUp(driver, seen);
        EXPECT_TRUE(driver.Done()) << c.what;
        EXPECT_TRUE(seen.text.startsWith(c.text)) << c.what;
        EXPECT_EQ(seen.icon, c.icon) << c.what << ": the box keeps its icon";
        EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("确定")}) << c.what;
        EXPECT_FALSE(seen.picture) << c.what;
    }
}

}  // namespace
