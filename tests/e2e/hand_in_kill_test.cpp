#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/ui/label.h"
#include "support/terminal_fixture.h"

namespace {

using testing_support::ModalDriver;
using testing_support::Terminal;

// A power cut while the result is on screen: the hand-in the candidate has seen is
// already stored.
TEST(HandIn, AKillWhileTheResultIsUpKeepsTheHandedInSheet) {
    Terminal t;
    ASSERT_TRUE(t.Start());
    t.TakeOffer();
    ASSERT_EQ(t.form->PaperState, QStringLiteral("111"));
    t.Key(Qt::Key_1);
    t.Key(Qt::Key_3);  // the first question right: 10 points

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        ModalDriver driver;
        driver.ThenKey(Qt::Key_1).Then([](QWidget*) { raise(SIGKILL); });
        t.Key(Qt::Key_Escape);
        _exit(3);  // the result never came up
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child ended with " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    const auto rows = testing_support::Query(
        t.Db(), QStringLiteral("SELECT sjda, df, bz FROM sjdj ORDER BY id"));
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0][0].ToText(), QStringLiteral("101000"));
    EXPECT_EQ(rows[0][1].ToDouble(), 10.0);
    for (const auto& row : rows) EXPECT_EQ(row[2].ToText(), QStringLiteral("1"));
}

}  // namespace
