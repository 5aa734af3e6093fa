#include <gtest/gtest.h>

#include <QFile>
#include <QMessageBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QtTest/qtestspontaneevent.h>

#include "platform/ui/label.h"
#include "platform/ui/timer.h"
#include "support/terminal_fixture.h"

namespace {

using testing_support::ModalDriver;
using testing_support::Terminal;

TEST(StartFailure, AQuestionBankThatCannotBeOpenedEndsTheProgramWithAMessage) {
    Terminal t;
    QFile::remove(t.Db());
    ModalDriver driver;
    driver.ThenKey(Qt::Key_Return);
    t.Start();
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].icon, static_cast<int>(QMessageBox::Critical));
    EXPECT_TRUE(driver.Seen()[0].text.contains(QStringLiteral("korva.mdb")))
        << driver.Seen()[0].text.toStdString();
    EXPECT_EQ(t.fakes.end.statuses, std::vector<int>{shared::kExitStartupFailure});
    ASSERT_NE(t.module->MainForm, nullptr);
    ASSERT_EQ(t.module->MainForm.get(), t.form);
    EXPECT_FALSE(t.form->Timer1->Enabled()) << "no offer behind the message";
    EXPECT_FALSE(t.form->Timer2->Enabled());
}

TEST(MainWindow, TheWindowSystemCannotCloseIt) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    t.TakeOffer();
    // As a window manager's close (Alt+F4) arrives.
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    QCoreApplication::instance()->notify(t.form, &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_TRUE(t.form->IsLoaded());
    EXPECT_TRUE(t.form->isVisible());
    EXPECT_EQ(t.form->PaperState, QStringLiteral("111"));
}

TEST(StartFailure, AFailingLookupStopsTheOffersWithTheErrorMessage) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    testing_support::Exec(t.Db(), QStringLiteral("DROP TABLE sjname"));
    ModalDriver driver;
    driver.ThenKey(Qt::Key_Return);
    t.IdleTicks(5);
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].text, QStringLiteral("操作有错！"));
    EXPECT_FALSE(t.form->Timer1->Enabled());
    EXPECT_EQ(t.form->Label1->Caption(), QStringLiteral("Derravance"));
}

// A hand-in that fails is reported and leaves the table as it was before it began.
TEST(HandInFailure, LeavesTheTableAsItWasAndReturnsToTheTitle) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    t.TakeOffer();
    ASSERT_EQ(t.form->PaperState, QStringLiteral("111"));
    t.Key(Qt::Key_1);
    t.Key(Qt::Key_3);
    t.Key(Qt::Key_F4);
    t.Key(Qt::Key_2);

    testing_support::Exec(t.Db(), QStringLiteral(
        "CREATE TRIGGER refuse BEFORE UPDATE OF bz ON sjdj BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    ModalDriver driver;
    driver.ThenKey(Qt::Key_1).ThenKey(Qt::Key_Return);
    t.Key(Qt::Key_Escape);
    ASSERT_EQ(driver.Seen().size(), 2u) << "no result and no review prompt";
    EXPECT_EQ(driver.Seen()[1].text, QStringLiteral("操作有错！"));
    EXPECT_EQ(testing_support::Scalar(t.Db(), QStringLiteral(
                  "SELECT count(*) FROM sjdj WHERE sjda IS NOT NULL OR bz<>'0'")).ToText(),
              QStringLiteral("0"));
    EXPECT_EQ(testing_support::Scalar(t.Db(), QStringLiteral("SELECT count(*) FROM sjdj")).ToText(),
              QStringLiteral("10"));
    EXPECT_EQ(t.form->Label1->Caption(), QStringLiteral("Derravance"));
    EXPECT_TRUE(t.form->Timer1->Enabled());
    EXPECT_FALSE(t.form->Timer2->Enabled());
}

}  // namespace
