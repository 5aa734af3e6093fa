#include <gtest/gtest.h>

#include <functional>

#include "exam/frmftyaj.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "shared/statements.h"
#include "support/exam_screen.h"
#include "support/modal_driver.h"

namespace {

using testing_support::ExamScreen;
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

    // Builds the sheet of a paper of ten, answers question n with options(n) as the keyboard
    // does (markers on screen, then saved) and hands the sheet in: the batch, then S10.
    void TakeExam(const std::function<std::vector<int>(int n)>& options) {
        testing_support::AddPaper(screen.Db(), kPaper, 10, [](int, Question& q) {
            q.options = {
                QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), {}, {}, {}};
        });
        form().GetOpen();
        form().GetOpen();  // a second build: the ids of this sheet start above 1
        ASSERT_EQ(form().IdOffset, 10);
        sheet().MoveFirst();
        for (int n = 1; n <= 10; ++n, sheet().MoveNext()) {
            form().GetForms();
            for (int i = 1; i <= 6; ++i) form().Image1[i]->SetVisible(false);
            for (const int option : options(n)) form().Image1[option]->SetVisible(true);
            form().GetSave();
        }
        db::Connection& conn = *screen.module.Conn;
        conn.BeginTrans();
        sheet().SetActiveConnection(&conn);
        sheet().UpdateBatch(db::adAffectAllChapters);
        conn.Execute(statements::S10(kPaper, screen.module.AdmissionNo));
        conn.CommitTrans();
    }

    ExamScreen screen;
    testing_support::ModalDriver driver;
};

// Every option whose key character is "1", each as a blank, its digit and "、"; the question
// keeps the number it had in the exam, whatever the first id of its sheet.
TEST_F(Review, CorrectAnswerLineAndExamNumber) {
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
    for (int n = 1; n <= static_cast<int>(std::size(cases)); ++n, sheet().MoveNext()) {
        SCOPED_TRACE(n);
        form().GetForms1();
        EXPECT_EQ(form().Label6[0]->Caption(), QString::fromUtf8(cases[n - 1].line));
        EXPECT_EQ(form().Label11->Caption(), QString::number(n));
        EXPECT_TRUE(form().Label14->Visible());
    }
    sheet().MoveFirst();
    form().GetForms();
    EXPECT_TRUE(form().Label6[0]->Caption().isEmpty()) << "the exam's display clears it";
}

// Questions 4 (answered 2 for 1) and 9 (not answered) earned nothing: the review shows them
// alone, under the exam's headings, numbered 4 and 9, with the answers handed in.
TEST_F(Review, OnlyTheWrongQuestionsWithTheirExamNumbers) {
    TakeExam([](int n) {
        return n == 4 ? std::vector{2} : n == 9 ? std::vector<int>{} : std::vector{1};
    });
    const auto handedIn = Table();

    form().Label1->SetCaption(kProductTitle);
    form().GetOpen1();
    EXPECT_TRUE(driver.Seen().empty());
    EXPECT_EQ(form().Label1->Caption(), QStringLiteral("小型汽车 试卷"));
    EXPECT_EQ(form().Label4->Caption(), QStringLiteral("准考证号： 1000001     考生姓名：驾驶员"));
    for (const ui::Label* heading : {form().Label1, form().Label4}) {
        EXPECT_FLOAT_EQ(heading->Left(),
                        static_cast<float>(form().ScaleWidth() / 2 - heading->Width() / 2));
    }
    ASSERT_EQ(sheet().RecordCount(), 2);
    EXPECT_EQ(sheet().ActiveConnection(), nullptr);
    const struct {
        const char* number;
        const char* line;
        int marked;  // 0: none
    } rows[] = {{"4", "正确答案：  1、", 2}, {"9", "正确答案：  1、", 0}};
    for (std::size_t k = 0; k < std::size(rows); ++k) {
        const auto& row = rows[k];
        SCOPED_TRACE(row.number);
        if (k > 0) {
            sheet().MoveNext();
            form().GetForms1();
        }
        EXPECT_EQ(form().Label11->Caption(), QString::fromUtf8(row.number));
        EXPECT_EQ(form().Label6[0]->Caption(), QString::fromUtf8(row.line));
        for (int i = 1; i <= 6; ++i) EXPECT_EQ(form().Image1[i]->Visible(), i == row.marked) << i;
    }
    sheet().MoveNext();
    EXPECT_TRUE(sheet().Eof()) << "nothing after the question numbered 9";
    EXPECT_EQ(Table(), handedIn) << "the review writes nothing";
}

TEST_F(Review, NoWrongAnswersShowsTheFailureAndNoQuestion) {
    TakeExam([](int) { return std::vector{1}; });
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
