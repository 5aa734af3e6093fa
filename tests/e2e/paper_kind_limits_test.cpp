#include <gtest/gtest.h>

#include <QMessageBox>
#include <algorithm>
#include <numeric>
#include <string>

#include "platform/ui/label.h"
#include "platform/ui/timer.h"
#include "support/terminal_fixture.h"

namespace {

using testing_support::ModalDriver;
using testing_support::Terminal;

// Points of the question at each position of the sheet (it shows question 11 - p at
// position p), chosen so that every total below can be reached.
constexpr int kPoints[] = {10, 10, 10, 10, 10, 10, 10, 20, 9, 1};

void ScorePapers(const Terminal& t) {
    for (int position = 1; position <= 10; ++position) {
        testing_support::Exec(t.Db(), QStringLiteral("UPDATE sj SET fz=%1 WHERE th=%2")
                                          .arg(kPoints[position - 1])
                                          .arg(11 - position));
    }
}

// Answers right the positions whose points add up to total, the others not at all.
void AnswerForTotal(Terminal& t, int total) {
    std::vector<int> positions(10);
    std::iota(positions.begin(), positions.end(), 1);
    std::stable_sort(positions.begin(), positions.end(),
                     [](int a, int b) { return kPoints[a - 1] > kPoints[b - 1]; });
    std::vector<bool> right(11, false);
    int left = total;
    for (int position : positions) {
        if (kPoints[position - 1] <= left) {
            right[position] = true;
            left -= kPoints[position - 1];
        }
    }
    ASSERT_EQ(left, 0) << "no answers give " << total;
    for (int position = 1; position <= 10; ++position) {
        if (right[position]) {
            if (position % 2 == 1) {
                t.Key(Qt::Key_1);
                t.Key(Qt::Key_3);
            } else {
                t.Key(Qt::Key_2);
            }
        }
        t.Key(Qt::Key_Plus, Qt::KeypadModifier);
    }
}

int HandedIn(const Terminal& t) {
    return testing_support::Scalar(t.Db(),
                                   QStringLiteral("SELECT count(*) FROM sjdj WHERE bz='1'"))
        .ToText()
        .toInt();
}

// The kind's row in sjname sets the length of the exam (kssj) and its pass mark (jgfs),
// read afresh by every exam: the rows follow one another on one terminal.
TEST(PaperKindLimits, LengthAndPassMarkFromTheKindsRow) {
    const db::Value null;
    struct Row {
        db::Value kssj, jgfs;
        int minutes;
        const char* countdown;
        int total;
        const char* message;  // the result, or the error of a pass mark that is no number
    } rows[] = {
        {null, null, 50, "50:00", 89, "考生：驾驶员合计考89分， 不合格！"},
        {19, 0, 50, "50:00", 89, "考生：驾驶员合计考89分， 不合格！"},
        {20, 1, 20, "20:00", 1, "考生：驾驶员合计考1分， 合格！"},
        {90, 100, 90, "30:00", 99, "考生：驾驶员合计考99分， 不合格！"},
        {null, 100, 50, "50:00", 100, "考生：驾驶员合计考100分， 合格！"},
        {20, 101, 20, "20:00", 90, "考生：驾驶员合计考90分， 合格！"},
        {90, "九十", 90, "30:00", 100, "操作有错！"},
    };
    Terminal t;
    ScorePapers(t);
    ASSERT_TRUE(t.Start());
    for (const Row& row : rows) {
        const auto shown = [](const db::Value& v) {
            return v.IsNull() ? std::string("Null") : v.ToText().toStdString();
        };
        SCOPED_TRACE("kssj " + shown(row.kssj) + ", jgfs " + shown(row.jgfs) + ", total " +
                     std::to_string(row.total));
        testing_support::Exec(t.Db(), QStringLiteral("DELETE FROM sjname"));
        testing_support::AddKind(t.Db(), QStringLiteral("1"), QStringLiteral("道路货物运输驾驶员"),
                                 QStringLiteral("货运驾驶员从业资格"), row.kssj, row.jgfs);
        t.TakeOffer();
        ASSERT_EQ(t.form->PaperState, QStringLiteral("111"));
        EXPECT_EQ(t.module->ExamMinutes, row.minutes);
        EXPECT_EQ(t.form->Label13->Caption().toStdString(), row.countdown);

        AnswerForTotal(t, row.total);
        const QString message = QString::fromUtf8(row.message);
        const bool result = message.startsWith(QStringLiteral("考生："));
        ModalDriver driver;
        driver.ThenKey(Qt::Key_1).ThenKey(Qt::Key_Return);
        if (result) driver.ThenKey(Qt::Key_2);  // no review
        t.Key(Qt::Key_Escape);
        EXPECT_TRUE(driver.Done());
        ASSERT_EQ(driver.Seen().size(), result ? 3u : 2u);
        const auto& box = driver.Seen()[1];
        EXPECT_EQ(box.className.toStdString(), "QMessageBox");
        EXPECT_EQ(box.title.toStdString(), "Kestrova");
        EXPECT_EQ(box.text.toStdString(), row.message);
        EXPECT_EQ(box.icon, static_cast<int>(result ? QMessageBox::Information
                                                      : QMessageBox::Warning));
        EXPECT_EQ(HandedIn(t), result ? 10 : 0) << "a failed hand-in leaves the sheet open";
        if (result) {
            EXPECT_TRUE(t.form->Timer1->Enabled());
            EXPECT_TRUE(t.module->ReviewPaper.isEmpty());
        }
    }
}

}  // namespace
