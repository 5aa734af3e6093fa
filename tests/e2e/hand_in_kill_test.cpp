#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>

#include "support/exam_db.h"

namespace {

// A power cut while the result is on screen: the hand-in the candidate has seen is
// already stored. The terminal runs in a process of its own, which is killed.
TEST(HandIn, AKillWhileTheResultIsUpKeepsTheHandedInSheet) {
    QTemporaryDir scratch;  // the child's program folder lies in here
    ASSERT_TRUE(scratch.isValid());
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), scratch.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start(QStringLiteral(HAND_IN_CHILD), {});
    ASSERT_TRUE(child.waitForStarted(30000)) << child.errorString().toStdString();

    const QByteArray prefix("result up ");
    QByteArray line;
    const QDeadlineTimer deadline(60000);
    while (!line.startsWith(prefix)) {
        if (child.canReadLine()) {
            line = child.readLine().trimmed();
        } else if (!child.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            break;
        }
    }
    ASSERT_TRUE(line.startsWith(prefix))
        << "the child never showed the result: " << child.readAllStandardError().toStdString();

    child.kill();
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    const QString db = QString::fromUtf8(line.mid(prefix.size()));
    const auto rows =
        testing_support::Query(db, QStringLiteral("SELECT ifnull(sjda, 'Null'), df, bz FROM sjdj "
                                                  "ORDER BY id"));
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0][0].ToText().toStdString(), "101000");
    EXPECT_EQ(rows[0][1].ToDouble(), 10.0);
    for (const auto& row : rows) EXPECT_EQ(row[2].ToText().toStdString(), "1");
}

}  // namespace
