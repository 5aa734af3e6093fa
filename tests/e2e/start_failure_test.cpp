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

}  // namespace
