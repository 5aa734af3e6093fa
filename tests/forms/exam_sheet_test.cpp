#include <gtest/gtest.h>

#include <QMessageBox>

#include "exam/frmftyaj.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "support/exam_screen.h"
#include "support/modal_driver.h"

namespace {

using testing_support::ExamScreen;
using testing_support::ModalDriver;
using testing_support::Question;

const QString kPaper = QStringLiteral("10001001");
const QString kHeading = QStringLiteral("小型汽车 试卷");
const QString kCandidateLine = QStringLiteral("准考证号： 1000001     考生姓名：驾驶员");

class Sheet : public ::testing::Test {
protected:
    Sheet() { screen.SetExam(kPaper); }

    Frmftyaj& form() { return *screen.form; }
    db::Recordset& sheet() { return *screen.module.SheetRs; }
    std::vector<testing_support::Row> Table() {
        return testing_support::Query(screen.Db(),
                                      QStringLiteral("SELECT * FROM sjdj ORDER BY id"));
    }
    void ExpectCentred(const ui::Label* label) {
        EXPECT_FLOAT_EQ(label->Left(),
                        static_cast<float>(form().ScaleWidth() / 2 - label->Width() / 2));
    }

    ExamScreen screen;
    ModalDriver driver;
};

TEST_F(Sheet, OneRowPerQuestionHighestOrderKeyFirst) {
    for (const int count : {10, 25}) {
        SCOPED_TRACE(count);
        const QString paper = QStringLiteral("1000100%1").arg(count);
        testing_support::AddPaper(screen.Db(), paper, count);
        screen.SetExam(paper);
        form().PaperState = QStringLiteral("000");
        form().GetOpen();
        EXPECT_EQ(form().PaperState, QStringLiteral("111"));
        EXPECT_EQ(sheet().RecordCount(), count);
        EXPECT_EQ(Table().size(), static_cast<std::size_t>(count)) << "the earlier sheet is gone";
        EXPECT_EQ(sheet().AbsolutePosition(), 1);
        EXPECT_EQ(sheet().ActiveConnection(), nullptr) << "held apart from the connection";
        EXPECT_DOUBLE_EQ(sheet().Field(QStringLiteral("bk")).ToDouble(), count);
        const auto firstId = static_cast<qint32>(sheet().Field(QStringLiteral("id")).ToDouble());
        EXPECT_EQ(form().IdOffset, firstId - 1);
        EXPECT_EQ(form().Label2->Caption(), QStringLiteral("    题目%1").arg(count));
        EXPECT_EQ(form().Label11->Caption(), QStringLiteral("1"));
        EXPECT_EQ(form().Label1->Caption(), kHeading);
        EXPECT_EQ(form().Label4->Caption(), kCandidateLine);
        ExpectCentred(form().Label1);
        ExpectCentred(form().Label4);
        EXPECT_FALSE(screen.module.Conn->InTransaction());
    }
    EXPECT_EQ(form().IdOffset, 10) << "the second sheet's ids follow the first's";
    EXPECT_TRUE(driver.Seen().empty());
}

TEST_F(Sheet, APaperThatLostRowsKeepsThePreviousSheet) {
    testing_support::AddPaper(screen.Db(), kPaper, 10);
    testing_support::AddPaper(screen.Db(), QStringLiteral("10001002"), 9);
    form().GetOpen();
    const auto before = Table();
    sheet().MoveNext();

    screen.SetExam(QStringLiteral("10001002"), QStringLiteral("大型客车"));
    form().PaperState = QStringLiteral("000");
    driver.ThenKey(Qt::Key_Return);
    form().GetOpen();
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].text, QStringLiteral("没有合适的试卷！"));
    EXPECT_EQ(driver.Seen()[0].title, QStringLiteral("Kestrova"));
    EXPECT_EQ(driver.Seen()[0].icon, static_cast<int>(QMessageBox::Information));
    EXPECT_EQ(form().PaperState, QStringLiteral("000"));
    EXPECT_EQ(Table(), before);
    EXPECT_EQ(sheet().AbsolutePosition(), 2) << "the sheet in memory is not reopened";
    EXPECT_EQ(form().Label1->Caption(), QStringLiteral("大型客车 试卷")) << "headings stay";
    EXPECT_FALSE(screen.module.Conn->InTransaction());
}

TEST_F(Sheet, SavingMasksAndScoresTheAnswerOnScreen) {
    const struct {
        const char* tx;
        db::Value da;
        const char* chosen;  // options shown as chosen
        const char* mask;
        double df;
        int xq;
    } cases[] = {
        {"单选题", QStringLiteral("100000"), "", "000000", 0, 0},
        {"单选题", QStringLiteral("000000"), "", "000000", 2, 0},
        {"单选题", QStringLiteral("010000"), "2", "010000", 2, 1},
        {"多选题", QStringLiteral("101100"), "134", "101100", 2, 1},
        {"多选题", QStringLiteral("101100"), "1345", "101110", 0, 1},
        {"多选题", QStringLiteral("101100"), "13", "101000", 0, 1},
        {"单选题", db::Value(), "", "000000", 0, 0},
        {"单选题", db::Value(), "6", "000001", 0, 1},
    };
    std::vector<Question> questions;
    for (const auto& c : cases) {
        Question q;
        q.tx = QString::fromUtf8(c.tx);
        q.da = c.da;
        q.fz = 2;
        questions.push_back(q);
    }
    screen.OpenSheet(questions);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        for (int i = 1; i <= 6; ++i) {
            form().Image1[i]->SetVisible(QByteArray(c.chosen).contains(static_cast<char>('0' + i)));
        }
        form().GetSave();
        EXPECT_EQ(sheet().Field(QStringLiteral("sjda")).ToText(), QString::fromUtf8(c.mask));
        EXPECT_DOUBLE_EQ(sheet().Field(QStringLiteral("df")).ToDouble(), c.df);
        EXPECT_DOUBLE_EQ(sheet().Field(QStringLiteral("xq")).ToDouble(), c.xq);
        sheet().MoveNext();
    }
    for (const auto& row :
         testing_support::Query(screen.Db(), QStringLiteral("SELECT sjda, df, xq FROM sjdj"))) {
        EXPECT_TRUE(row[0].IsNull()) << "answering writes nothing to the table";
        EXPECT_DOUBLE_EQ(row[1].ToDouble(), 0);
    }
}

TEST_F(Sheet, MovingAwayAndBackKeepsTheAnswer) {
    testing_support::AddPaper(screen.Db(), kPaper, 10, [](int, Question& q) {
        q.options = {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), {}, {}, {}};
    });
    form().GetOpen();
    form().Image1[2]->SetVisible(true);
    form().GetSave();
    sheet().MoveNext();
    form().GetForms();
    EXPECT_FALSE(form().Image1[2]->Visible());
    form().GetSave();
    sheet().MovePrevious();
    form().GetForms();
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(form().Image1[i]->Visible(), i == 2) << i;
    form().GetSave();
    EXPECT_EQ(sheet().Field(QStringLiteral("sjda")).ToText(), QStringLiteral("010000"));
}

}  // namespace
