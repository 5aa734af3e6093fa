#include <gtest/gtest.h>

#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <memory>

#include "dialogs/frmquit5.h"
#include "forms/dialog_checks.h"
#include "platform/db/connection.h"
#include "platform/ui/panel3d.h"
#include "platform/ui/timer.h"
#include "shared/module1.h"
#include "startup/startup.h"
#include "support/exam_db.h"
#include "support/fakes.h"
#include "support/modal_driver.h"
#include "support/program_folder.h"

namespace {

using testing_support::ModalDriver;
using testing_support::PressKey;

class ObservedFrmquit5 : public Frmquit5 {
public:
    using Frmquit5::Frmquit5;
    std::vector<int> left;
    void Form_KeyDown(int& keyCode, int shift) override {
        Frmquit5::Form_KeyDown(keyCode, shift);
        left.push_back(keyCode);
    }
};

QString Name(const QString& kind) { return QStringLiteral("种类") + kind; }

class Frmquit5Test : public ::testing::Test {
protected:
    testing_support::ProgramFolder folder;
    testing_support::FakeServices fakes{folder.Path()};
    shared::Module1 module{fakes.services};

    void SetUp() override {
        testing_support::CreateSchema(folder.DatabasePath());
        module.AppFolder = folder.Path();
        module.ConnectionString = testing_support::ConnectionStringFor(folder.Path());
        module.Conn = std::make_unique<db::Connection>();
    }

    void AddKinds(const QStringList& kinds) {
        for (const QString& kind : kinds) {
            testing_support::AddKind(folder.DatabasePath(), kind, Name(kind), kind);
        }
    }

    // Shows a new selection, reads its rows while it is up, then presses the key.
    QStringList RowsThenKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Frmquit5 dialog(module);
        QStringList rows;
        ModalDriver driver;
        driver.Then([&](QWidget*) {
            for (const ui::Panel3D* row : dialog.SSPanel2) rows << row->Caption();
            PressKey(key, modifiers);
        });
        dialog.Show(1);
        EXPECT_TRUE(driver.Done());
        return rows;
    }
};

QStringList Numbered(const QStringList& kinds) {
    QStringList rows;
    for (int i = 0; i < 10; ++i) {
        rows << (i < kinds.size() ? QStringLiteral("%1、%2").arg(i).arg(Name(kinds[i]))
                                  : QString());
    }
    return rows;
}

TEST_F(Frmquit5Test, ListsTheSampleKindsWithoutNinetyOneAndTwo) {
    AddKinds({"93", "5", "91", "1", "2", "3", "92", "4", "6", "7", "8", "9"});
    EXPECT_EQ(RowsThenKey(Qt::Key_Escape),
              Numbered({"1", "2", "3", "4", "5", "6", "7", "8", "9", "93"}));
}

TEST_F(Frmquit5Test, ListsOnlyTheFirstTenKinds) {
    QStringList kinds;
    for (int i = 1; i <= 14; ++i) kinds << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    AddKinds(kinds);
    AddKinds({"91", "92"});
    EXPECT_EQ(RowsThenKey(Qt::Key_Escape), Numbered(kinds.mid(0, 10)));
}

TEST_F(Frmquit5Test, RowsTheListDoesNotFillShowNothing) {
    AddKinds({"2", "91", "1"});
    EXPECT_EQ(RowsThenKey(Qt::Key_Escape), Numbered({"1", "2"}));
    testing_support::Exec(folder.DatabasePath(), QStringLiteral("DELETE FROM sjname"));
    EXPECT_EQ(RowsThenKey(Qt::Key_Escape), Numbered({}));
}

TEST_F(Frmquit5Test, EveryDigitSelectsItsKindByTheTable) {
    AddKinds({"1", "2"});  // the table holds whatever the list shows
    const char* kinds[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "93"};
    // X11 reports Shift with a main-row digit as its symbol, with the row's scan code.
    const int shifted[] = {Qt::Key_ParenRight, Qt::Key_Exclam, Qt::Key_At, Qt::Key_NumberSign,
                           Qt::Key_Dollar, Qt::Key_Percent, Qt::Key_AsciiCircum,
                           Qt::Key_Ampersand, Qt::Key_Asterisk, Qt::Key_ParenLeft};
    // With Num Lock off the keypad's digits come as navigation keys.
    const int numLockOff[] = {Qt::Key_Insert, Qt::Key_End,   Qt::Key_Down,  Qt::Key_PageDown,
                              Qt::Key_Left,   Qt::Key_Clear, Qt::Key_Right, Qt::Key_Home,
                              Qt::Key_Up,     Qt::Key_PageUp};
    const quint32 keypadScanCode[] = {90, 87, 88, 89, 83, 84, 85, 79, 80, 81};
    for (int digit = 0; digit <= 9; ++digit) {
        const quint32 scanCode = digit == 0 ? 19 : 9 + digit;
        const int mainRow = 48 + digit;
        const int keypad = 96 + digit;
        const std::pair<std::function<void()>, int> presses[] = {
            {[&] { PressKey(Qt::Key_0 + digit, Qt::NoModifier, scanCode); }, mainRow},
            {[&] { PressKey(Qt::Key_0 + digit, Qt::KeypadModifier, keypadScanCode[digit]); },
             keypad},
            {[&] { PressKey(numLockOff[digit], Qt::KeypadModifier, keypadScanCode[digit]); },
             keypad},
            {[&] { PressKey(shifted[digit], Qt::ShiftModifier, scanCode); }, mainRow},
        };
        for (const auto& [press, code] : presses) {
            module.PaperKind = QStringLiteral("0");
            ObservedFrmquit5 dialog(module);
            ModalDriver driver;
            driver.Then([&](QWidget*) {
                // Alone, a modifier or lock key chooses nothing: Shift goes down before
                // the digit, keyboard tools press Num Lock around keypad keys.
                PressKey(Qt::Key_Shift, Qt::ShiftModifier, 50);
                PressKey(Qt::Key_Control, Qt::ControlModifier, 37);
                PressKey(Qt::Key_NumLock, Qt::NoModifier, 77);
                EXPECT_TRUE(dialog.isVisible()) << digit;
                EXPECT_TRUE(dialog.Timer1->Enabled()) << digit;
                EXPECT_EQ(module.PaperKind, QStringLiteral("0")) << digit;
                press();
            });
            dialog.Show(1);
            EXPECT_TRUE(driver.Done()) << digit;
            EXPECT_EQ(module.PaperKind, QString::fromLatin1(kinds[digit])) << digit;
            EXPECT_EQ(dialog.left, (std::vector<int>{16, 17, 144, code}))
                << "alone they are left as they are, and a digit goes on: " << digit;
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_TRUE(dialog.IsLoaded());
            EXPECT_FALSE(dialog.Timer1->Enabled());
        }
    }
}

TEST_F(Frmquit5Test, AnyOtherKeySelectsNinetyOneAndIsSwallowed) {
    AddKinds({"1", "91"});
    const std::pair<int, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Escape, Qt::NoModifier},     {Qt::Key_Return, Qt::NoModifier},
        {Qt::Key_Enter, Qt::KeypadModifier},  {Qt::Key_A, Qt::NoModifier},
        {Qt::Key_F1, Qt::NoModifier},         {Qt::Key_Space, Qt::NoModifier},
        {Qt::Key_End, Qt::NoModifier},        {Qt::Key_Plus, Qt::KeypadModifier},
        {Qt::Key_Delete, Qt::KeypadModifier},
    };
    for (const auto& [key, modifiers] : keys) {
        module.PaperKind = QStringLiteral("0");
        ObservedFrmquit5 dialog(module);
        ModalDriver driver;
        driver.ThenKey(key, modifiers);
        dialog.Show(1);
        EXPECT_EQ(module.PaperKind, QStringLiteral("91")) << key;
        EXPECT_EQ(dialog.left, std::vector<int>{0}) << key;
        EXPECT_FALSE(dialog.isVisible()) << key;
        EXPECT_FALSE(dialog.Timer1->Enabled()) << key;
    }
}

TEST_F(Frmquit5Test, TheNinthTickSelectsNinetyOne) {
    AddKinds({"1"});
    Frmquit5 dialog(module);
    std::vector<bool> upAfterTick;
    ModalDriver driver;
    driver.Then([&](QWidget*) {
        EXPECT_TRUE(dialog.Timer1->Enabled());
        EXPECT_EQ(dialog.Timer1->Interval(), 1000);
        for (int tick = 1; tick <= 9; ++tick) {
            dialog.Timer1->Fire();
            upAfterTick.push_back(dialog.isVisible());
        }
    });
    dialog.Show(1);
    EXPECT_EQ(upAfterTick, (std::vector<bool>{true, true, true, true, true, true, true, true,
                                              false}));
    EXPECT_EQ(module.PaperKind, QStringLiteral("91"));
    EXPECT_FALSE(dialog.Timer1->Enabled());
    EXPECT_FALSE(dialog.Timer1->Fire()) << "the hidden dialog changes nothing more";
    EXPECT_TRUE(dialog.IsLoaded());
}

TEST_F(Frmquit5Test, ADigitAfterTheEighthTickStillWins) {
    AddKinds({"1"});
    Frmquit5 dialog(module);
    ModalDriver driver;
    driver.Then([&](QWidget*) {
        for (int tick = 1; tick <= 8; ++tick) dialog.Timer1->Fire();
        PressKey(Qt::Key_4, Qt::KeypadModifier);
    });
    dialog.Show(1);
    EXPECT_EQ(module.PaperKind, QStringLiteral("5"));
    EXPECT_FALSE(dialog.Timer1->Fire());
    EXPECT_EQ(module.PaperKind, QStringLiteral("5"));
}

TEST_F(Frmquit5Test, IsDesigned) {
    AddKinds({"1"});
    Frmquit5 dialog(module);
    dialog.Load();
    testing_support::ExpectDialogWindow(dialog, "提示信息", QSize(375, 349));
    ASSERT_NE(dialog.SSPanel1, nullptr);
    EXPECT_EQ(dialog.SSPanel1->Caption(), QStringLiteral("选择考试种类"));
    EXPECT_EQ(dialog.SSPanel1->geometry(), QRect(32, 8, 258, 25));
    EXPECT_EQ(dialog.SSPanel1->ForeColor(), QColor(255, 0, 0));
    EXPECT_EQ(dialog.SSPanel1->BackColor(), QColor(192, 192, 192));
    EXPECT_EQ(dialog.SSPanel1->font().family(), QStringLiteral("宋体"));
    EXPECT_DOUBLE_EQ(dialog.SSPanel1->font().pointSizeF(), 18);
    EXPECT_EQ(dialog.SSPanel1->Alignment(), Qt::AlignCenter);
    const float tops[] = {720, 1170, 1620, 2085, 2535, 2985, 3435, 3885, 4320, 4800};
    for (int i = 0; i < 10; ++i) {
        const ui::Panel3D* row = dialog.SSPanel2[i];
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->Index(), i);
        EXPECT_EQ(QRectF(row->Left(), row->Top(), row->Width(), row->Height()),
                  QRectF(360, tops[i], i == 8 ? 4815 : 4810, 300))
            << i;
        EXPECT_EQ(row->ForeColor(), QColor(0, 0, 255));
        EXPECT_EQ(row->BackColor(), QColor(192, 192, 192));
        EXPECT_EQ(row->font().family(), QStringLiteral("楷体_GB2312"));
        EXPECT_DOUBLE_EQ(row->font().pointSizeF(), 14.25);
        EXPECT_TRUE(row->font().bold());
        EXPECT_EQ(row->Alignment(), Qt::AlignLeft | Qt::AlignVCenter);
        EXPECT_LE(row->geometry().bottom(), dialog.height());
    }
    EXPECT_EQ(module.Conn->State(), db::adStateOpen) << "the connection stays open";
}

TEST_F(Frmquit5Test, AClickSelectsNothing) {
    AddKinds({"1", "2"});
    Frmquit5 dialog(module);
    ModalDriver driver;
    driver.Then([&](QWidget*) {
        QTest::mouseClick(dialog.SSPanel2[1], Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(module.PaperKind.isEmpty());
        PressKey(Qt::Key_1);
    });
    dialog.Show(1);
    EXPECT_EQ(module.PaperKind, QStringLiteral("2"));
}

// Through the start-up: settings, then the selection when the settings give no kind.
class ChoosePaperKindTest : public ::testing::Test {
protected:
    testing_support::ProgramFolder folder;
    testing_support::FakeServices fakes{folder.Path()};
    shared::Module1 module{fakes.services};
};

TEST_F(ChoosePaperKindTest, ShownOnlyWithoutAKindAndNeverWrittenBack) {
    struct Case {
        const char* kind;
        bool shown;
    } cases[] = {{"0", true}, {"", true}, {"3", false}, {"00", false}, {"91", false}};
    for (const Case& c : cases) {
        testing_support::ProgramFolder own;
        own.WriteSettings(QStringLiteral("5"), QString::fromUtf8(c.kind));
        const QByteArray before = own.ReadIni();
        testing_support::CreateSchema(own.DatabasePath());
        testing_support::AddKind(own.DatabasePath(), QStringLiteral("93"), Name("93"), "93");
        testing_support::FakeServices ownFakes(own.Path());
        shared::Module1 m(ownFakes.services);
        ModalDriver driver;
        if (c.shown) driver.ThenKey(Qt::Key_9);
        EXPECT_TRUE(startup::PrepareRun(m)) << c.kind;
        EXPECT_TRUE(driver.Done()) << c.kind;
        if (c.shown) {
            ASSERT_EQ(driver.Seen().size(), 1u);
            EXPECT_EQ(driver.Seen()[0].className, QStringLiteral("Frmquit5"));
            EXPECT_EQ(m.PaperKind, QStringLiteral("93"));
            ASSERT_NE(m.PaperKindForm, nullptr);
            EXPECT_TRUE(m.PaperKindForm->IsLoaded()) << "never unloaded";
            EXPECT_FALSE(m.PaperKindForm->isVisible());
        } else {
            EXPECT_TRUE(driver.Seen().empty()) << c.kind;
            EXPECT_EQ(m.PaperKind, QString::fromUtf8(c.kind));
            EXPECT_EQ(m.PaperKindForm, nullptr);
        }
        EXPECT_EQ(own.ReadIni(), before) << c.kind;
        EXPECT_TRUE(ownFakes.end.statuses.empty());
    }
}

TEST_F(ChoosePaperKindTest, AnUnreadableDatabaseEndsTheProgramWithTheMessage) {
    const std::function<void(const QString&)> spoil[] = {
        [](const QString&) {},  // no file at all
        [](const QString& path) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        },
        [](const QString& path) {
            testing_support::CreateSchema(path);
            testing_support::Exec(path, QStringLiteral("DROP TABLE sjname"));
        },
    };
    for (const auto& makeDatabase : spoil) {
        testing_support::ProgramFolder own;
        own.WriteSettings(QStringLiteral("5"), QStringLiteral("0"));
        makeDatabase(own.DatabasePath());
        testing_support::FakeServices ownFakes(own.Path());
        shared::Module1 m(ownFakes.services);
        ModalDriver driver;
        driver.ThenKey(Qt::Key_Return);
        EXPECT_FALSE(startup::PrepareRun(m));
        EXPECT_TRUE(driver.Done());
        ASSERT_EQ(driver.Seen().size(), 1u) << "the message, and no selection";
        EXPECT_EQ(driver.Seen()[0].className, QStringLiteral("QMessageBox"));
        EXPECT_TRUE(driver.Seen()[0].text.contains(own.DatabasePath()))
            << driver.Seen()[0].text.toStdString();
        EXPECT_EQ(driver.Seen()[0].icon, static_cast<int>(QMessageBox::Critical));
        EXPECT_EQ(ownFakes.end.statuses, std::vector<int>{shared::kExitStartupFailure});
        EXPECT_EQ(m.PaperKind, QStringLiteral("0"));
    }
}

}  // namespace
