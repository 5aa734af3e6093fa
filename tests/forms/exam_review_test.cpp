#include <gtest/gtest.h>

#include "exam/frmftyaj.h"
#include "shared/statements.h"
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

class Review : public ::testing::Test {
protected:
    Review() { screen.SetExam(kPaper); }

    Frmftyaj& form() { return *screen.form; }
    db::Recordset& sheet() { return *screen.module.SheetRs; }
    std::vector<testing_support::Row> Table() {
        return testing_support::Query(screen.Db(),
                                      QStringLiteral("SELECT * FROM sjdj ORDER BY id"));
    }

    // Answers question n (from 1) of the open sheet with the options given, as the
    // keyboard does: markers on screen, then saved.
    void Answer(int n, std::initializer_list<int> options) {
        sheet().MoveFirst();
        for (int i = 1; i < n; ++i) sheet().MoveNext();
        form().GetForms();
        for (int i = 1; i <= 6; ++i) form().Image1[i]->SetVisible(false);
        for (const int option : options) form().Image1[option]->SetVisible(true);
        form().GetSave();
    }

    // What the hand-in does to the table: the batch, then the sheet marked handed in.
    void HandIn() {
        db::Connection& conn = *screen.module.Conn;
        conn.BeginTrans();
        sheet().SetActiveConnection(&conn);
        sheet().UpdateBatch(db::adAffectAllChapters);
        conn.Execute(statements::S10(kPaper, screen.module.AdmissionNo));
        conn.CommitTrans();
    }

    ExamScreen screen;
    ModalDriver driver;
};

TEST_F(Review, CorrectAnswerLine) {
    const struct {
        db::Value da;
        const char* line;
    } cases[] = {
        {QStringLiteral("101000"), "正确答案：  1、 3、"},
        {QStringLiteral("010011"), "正确答案：  2、 5、 6、"},
        {QStringLiteral("000000"), "正确答案： "},
        {db::Value(), "正确答案： "},
        {QString(), "正确答案： "},
        {QStringLiteral("0000001"), "正确答案： "},
    };
    std::vector<Question> questions;
    for (const auto& c : cases) {
        Question q;
        q.tx = QStringLiteral("多选题");
        q.da = c.da;
        questions.push_back(q);
    }
    testing_support::AddPaper(screen.Db(), QStringLiteral("other"), 3);
    testing_support::Exec(screen.Db(),
                          statements::S6(QStringLiteral("other"), QStringLiteral("x")));
    screen.OpenSheet(questions);  // ids no longer start at 1
    ASSERT_GT(form().IdOffset, 0);
    for (int n = 1; n <= static_cast<int>(std::size(cases)); ++n) {
        SCOPED_TRACE(n);
        form().GetForms1();
        EXPECT_EQ(form().Label6[0]->Caption(), QString::fromUtf8(cases[n - 1].line));
        EXPECT_EQ(form().Label11->Caption(), QString::number(n));
        EXPECT_TRUE(form().Label14->Visible());
        sheet().MoveNext();
    }
    sheet().MoveFirst();
    form().GetForms();
    EXPECT_TRUE(form().Label6[0]->Caption().isEmpty()) << "the exam's display clears it";
}

TEST_F(Review, OnlyTheWrongQuestionsWithTheirExamNumbers) {
    testing_support::AddPaper(screen.Db(), kPaper, 10, [](int, Question& q) {
        q.options = {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), {}, {}, {}};
    });
    form().GetOpen();
    form().GetOpen();  // a second build: the ids of this sheet start above 1
    ASSERT_EQ(form().IdOffset, 10);
    for (int n = 1; n <= 10; ++n) {
        if (n == 4) {
            Answer(n, {2});
        } else if (n == 9) {
            Answer(n, {});
        } else {
            Answer(n, {1});
        }
    }
    HandIn();
    const auto handedIn = Table();

    form().Label1->SetCaption(kProductTitle);
    form().GetOpen1();
    EXPECT_TRUE(driver.Seen().empty());
    EXPECT_EQ(form().Label1->Caption(), QStringLiteral("小型汽车 试卷"));
    EXPECT_EQ(form().Label4->Caption(), QStringLiteral("准考证号： 1000001     考生姓名：驾驶员"));
    EXPECT_FLOAT_EQ(form().Label4->Left(),
                    static_cast<float>(form().ScaleWidth() / 2 - form().Label4->Width() / 2));
    ASSERT_EQ(sheet().RecordCount(), 2);
    EXPECT_EQ(sheet().ActiveConnection(), nullptr);
    EXPECT_EQ(form().Label11->Caption(), QStringLiteral("4"));
    EXPECT_EQ(form().Label6[0]->Caption(), QStringLiteral("正确答案：  1、"));
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(form().Image1[i]->Visible(), i == 2) << "the answer given";

    sheet().MoveNext();
    form().GetForms1();
    EXPECT_EQ(form().Label11->Caption(), QStringLiteral("9"));
    for (int i = 1; i <= 6; ++i) EXPECT_FALSE(form().Image1[i]->Visible());
    sheet().MoveNext();
    EXPECT_TRUE(sheet().Eof()) << "nothing after the question numbered 9";
    EXPECT_EQ(Table(), handedIn) << "the review writes nothing";
}

TEST_F(Review, NoWrongAnswersShowsTheFailureAndNoQuestion) {
    testing_support::AddPaper(screen.Db(), kPaper, 10);
    form().GetOpen();
    for (int n = 1; n <= 10; ++n) Answer(n, {1});
    HandIn();
    const QString lastShown = form().Label2->Caption();
    const auto handedIn = Table();

    driver.ThenKey(Qt::Key_Return);
    form().GetOpen1();
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].text, QStringLiteral("操作有错！"));
    EXPECT_EQ(sheet().RecordCount(), 0);
    EXPECT_EQ(form().Label2->Caption(), lastShown) << "the question area keeps what it showed";
    EXPECT_TRUE(form().Label6[0]->Caption().isEmpty());
    EXPECT_EQ(form().Label1->Caption(), QStringLiteral("小型汽车 试卷"));
    EXPECT_EQ(Table(), handedIn);
}

}  // namespace
