// The answer sheet, the question display with its picture, and the review of wrong
// answers, on the exam screen over a database of the test's own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <cmath>
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

using testing_support::Question;

const QString kPaper = QStringLiteral("10001001");
const QString kFailure = QStringLiteral("操作有错！");
const QString kCandidateLine = QStringLiteral("准考证号： 1000001     考生姓名：驾驶员");

// A plain single-choice question, shaped.
Question Make(const std::function<void(Question&)>& shape) {
    Question q;
    shape(q);
    return q;
}

class ExamForm : public ::testing::Test {
protected:
    ExamForm() { screen.SetExam(kPaper); }

    Frmftyaj& form() { return *screen.form; }
    db::Recordset& sheet() { return *screen.module.SheetRs; }
    std::vector<testing_support::Row> Table() {
        return testing_support::Query(screen.Db(),
                                      QStringLiteral("SELECT * FROM sjdj ORDER BY id"));
    }
    // Shows sheet row n (from 1) by the exam's display.
    void Show(int n) {
        sheet().MoveFirst();
        for (int i = 1; i < n; ++i) sheet().MoveNext();
        form().GetForms();
    }
    // "1" for each of the six controls that is visible.
    template <class Controls>
    static QString Shown(const Controls& controls) {
        QString mask;
        for (int i = 1; i <= 6; ++i) mask += controls[i]->Visible() ? '1' : '0';
        return mask;
    }

    testing_support::ExamScreen screen;
    testing_support::ModalDriver driver;  // any message box not expected fails the test
};
using Sheet = ExamForm;
using Display = ExamForm;
using Review = ExamForm;

TEST_F(Sheet, BuildsTheSheetOrKeepsThePreviousOne) {
    const struct {
        const char* paper;
        int questions;
        bool built;
    } cases[] = {
        {"10001010", 10, true},
        {"10001025", 25, true},
        {"10001009", 9, false},  // lost a row since it was offered
    };
    qint64 nextId = 1;
    std::size_t messages = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.paper);
        const QString paper = QString::fromLatin1(c.paper);
        const QString title = QStringLiteral("车型") + paper;
        testing_support::AddPaper(screen.Db(), paper, c.questions);
        const auto before = Table();
        if (sheet().State() == 1) sheet().MoveNext();
        const int position = sheet().State() == 1 ? sheet().AbsolutePosition() : 0;
        screen.SetExam(paper, title);
        form().PaperState = QStringLiteral("000");
        if (!c.built) driver.ThenKey(Qt::Key_Return);
        form().GetOpen();

        EXPECT_FALSE(screen.module.Conn->InTransaction());
        EXPECT_EQ(form().Label1->Caption(), title + QStringLiteral(" 试卷"));
        EXPECT_EQ(form().Label4->Caption(), kCandidateLine);
        if (!c.built) {
            ASSERT_EQ(driver.Seen().size(), ++messages);
            EXPECT_EQ(driver.Seen().back().text, QStringLiteral("没有合适的试卷！"));
            EXPECT_EQ(driver.Seen().back().title, QStringLiteral("Kestrova"));
            EXPECT_EQ(driver.Seen().back().icon, static_cast<int>(QMessageBox::Information));
            EXPECT_EQ(form().PaperState, QStringLiteral("000"));
            EXPECT_EQ(Table(), before) << "the previous sheet stays";
            EXPECT_EQ(sheet().AbsolutePosition(), position)
                << "the sheet in memory is not reopened";
            continue;
        }
        EXPECT_EQ(driver.Seen().size(), messages);
        EXPECT_EQ(form().PaperState, QStringLiteral("111"));
        EXPECT_EQ(sheet().RecordCount(), c.questions);
        EXPECT_EQ(Table().size(), static_cast<std::size_t>(c.questions));
        EXPECT_EQ(sheet().AbsolutePosition(), 1);
        EXPECT_EQ(sheet().ActiveConnection(), nullptr) << "held apart from the connection";
        EXPECT_DOUBLE_EQ(sheet().Field(QStringLiteral("id")).ToDouble(), nextId);
        EXPECT_EQ(form().IdOffset, nextId - 1);
        EXPECT_EQ(form().Label2->Caption(), QStringLiteral("    题目%1").arg(c.questions))
            << "the highest bk first, shown";
        nextId += c.questions;
    }
}

TEST_F(Sheet, SavingMasksAndScoresTheAnswerOnScreen) {
    const struct {
        const char* tx;
        db::Value da;
        const char* mask;  // the options shown as chosen
        double df;
        int xq;
    } cases[] = {
        {"单选题", QStringLiteral("100000"), "000000", 0, 0},
        {"单选题", QStringLiteral("000000"), "000000", 2, 0},
        {"单选题", QStringLiteral("010000"), "010000", 2, 1},
        {"多选题", QStringLiteral("101100"), "101100", 2, 1},
        {"多选题", QStringLiteral("101100"), "101110", 0, 1},
        {"多选题", QStringLiteral("101100"), "101000", 0, 1},
        {"单选题", db::Value(), "000000", 0, 0},
        {"单选题", db::Value(), "000001", 0, 1},
    };
    std::vector<Question> questions;
    for (const auto& c : cases) {
        questions.push_back(Make([&](Question& q) {
            q.tx = QString::fromUtf8(c.tx);
            q.da = c.da;
            q.fz = 2;
        }));
    }
    screen.OpenSheet(questions);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        for (int i = 1; i <= 6; ++i) form().Image1[i]->SetVisible(c.mask[i - 1] == '1');
        form().GetSave();
        EXPECT_EQ(sheet().Field(QStringLiteral("sjda")).ToText(), QString::fromLatin1(c.mask));
        EXPECT_DOUBLE_EQ(sheet().Field(QStringLiteral("df")).ToDouble(), c.df);
        EXPECT_DOUBLE_EQ(sheet().Field(QStringLiteral("xq")).ToDouble(), c.xq);
        form().GetForms();
        EXPECT_EQ(Shown(form().Image1), QString::fromLatin1(c.mask)) << "shown again as saved";
        sheet().MoveNext();
    }
    for (const auto& row :
         testing_support::Query(screen.Db(), QStringLiteral("SELECT sjda, df FROM sjdj"))) {
        EXPECT_TRUE(row[0].IsNull() && row[1].ToDouble() == 0) << "nothing reaches the table";
    }
}

TEST_F(Display, TypeTextOptionsMarkersAndNumber) {
    const struct {
        const char* tx;
        db::Value tm, sjda;
        bool note;
        const char* markers;
    } cases[] = {
        {"多选题", QStringLiteral("红灯亮时怎样通行？"), QStringLiteral("101000"), true, "101000"},
        {" 多选题", db::Value(), db::Value(), false, "000000"},
        {"多选题 ", QString(), QString(), false, "000000"},
        {"单选题", QStringLiteral("题"), QStringLiteral("0000001"), false, "000000"},
        {"判断题", QStringLiteral("题"), QStringLiteral("000001"), false, "000001"},
    };
    const std::array<db::Value, 6> options = {QStringLiteral("停车等候"),
                                              QStringLiteral("加速通过"),
                                              {},
                                              QString(),
                                              QStringLiteral(" "),
                                              {}};
    std::vector<Question> questions;
    std::vector<db::Value> answers;
    for (const auto& c : cases) {
        questions.push_back(Make([&](Question& q) {
            q.tx = QString::fromUtf8(c.tx);
            q.tm = c.tm;
            q.options = options;
        }));
        answers.push_back(c.sjda);
    }
    screen.OpenSheet(questions, answers);
    const Frmftyaj& f = form();
    for (int n = 1; n <= static_cast<int>(std::size(cases)); ++n) {
        const auto& c = cases[n - 1];
        SCOPED_TRACE(c.tx);
        Show(n);
        EXPECT_EQ(f.Label5->Caption(), QString::fromUtf8(c.tx));
        EXPECT_EQ(f.Label14->Visible(), c.note);
        EXPECT_EQ(f.Label2->Caption(), QStringLiteral("    ") + c.tm.ToTextOrEmpty());
        for (int i = 1; i <= 6; ++i)
            EXPECT_EQ(f.Label6[i]->Caption(), options[i - 1].ToTextOrEmpty());
        EXPECT_EQ(Shown(f.Label7), QStringLiteral("110010")) << "one blank is a text";
        EXPECT_EQ(Shown(f.Image1), QString::fromLatin1(c.markers));
        EXPECT_EQ(f.Label11->Caption(), QString::number(n)) << "numbered by position";
    }
}

TEST_F(Display, PictureNames) {
    screen.WritePicture(QStringLiteral("K0012.GIF"), 40, 30);
    screen.WritePicture(QStringLiteral("  K00.gif"), 20, 10);
    screen.WritePicture(QStringLiteral("K001.gif"), 50, 50);
    screen.WritePicture(QStringLiteral("m0001.gif"), 30, 20);
    // Names that differ only in case: the exact one wins.
    screen.WritePicture(QStringLiteral("C0001.gif"), 24, 16);
    screen.WritePicture(QStringLiteral("c0001.gif"), 26, 18);
    screen.WritePicture(QStringLiteral("C0001.GIF"), 28, 20);
    const struct {
        db::Value pcxname;
        QSize picture;  // empty: none shown
    } cases[] = {
        {QStringLiteral("K0012"), {40, 30}},    {db::Value(), {}},
        {QStringLiteral("k0012"), {40, 30}},    {QString(), {}},
        {QStringLiteral("K0012"), {40, 30}},    {QStringLiteral("K001"), {}},
        {QStringLiteral("K0012"), {40, 30}},    {QStringLiteral("  K001  "), {}},
        {QStringLiteral("K0012345"), {40, 30}}, {QStringLiteral("  k0012"), {20, 10}},
        {QStringLiteral("K9999"), {}},          {QStringLiteral("M0001"), {30, 20}},
        {QStringLiteral("C0001"), {24, 16}},    {QStringLiteral("c0001"), {26, 18}},
    };
    std::vector<Question> questions;
    for (const auto& c : cases)
        questions.push_back(Make([&](Question& q) { q.pcxname = c.pcxname; }));
    screen.OpenSheet(questions);
    const ui::ImageBox& image = *form().Image3;
    for (int n = 1; n <= static_cast<int>(std::size(cases)); ++n) {
        SCOPED_TRACE("\"" + cases[n - 1].pcxname.ToTextOrEmpty().toStdString() + "\"");
        Show(n);
        const bool shown = !cases[n - 1].picture.isEmpty();
        EXPECT_EQ(image.HasPicture() ? image.Picture().size() : QSize(), cases[n - 1].picture);
        EXPECT_EQ(std::tuple(image.Appearance(), image.BorderStyle()), std::tuple(shown, shown));
        EXPECT_FALSE(image.Stretch());
    }
    EXPECT_TRUE(driver.Seen().empty()) << "a missing file is no failure";
}

// The room the frame leaves below the question text, as the fitting measures it.
struct Room {
    double ah, aw;
};

Room Measure(const Frmftyaj& f) {
    return {std::nearbyint(static_cast<double>(f.Label3->Height()) - f.Label2->Height() -
                           (static_cast<double>(f.Label2->Top()) - f.Label3->Top()) - 250),
            std::nearbyint(static_cast<double>(f.Label3->Width()) - 50)};
}

Question WithPicture(const char* name, const QString& text = QStringLiteral("题目")) {
    return Make([&](Question& q) {
        q.tm = text;
        q.pcxname = QString::fromUtf8(name);
    });
}

// Too little room below a long question text: a picture only too high cannot be placed
// (a negative height, or a division by a room of 0); one also too wide is placed by
// width unless the room is 0.
TEST_F(Display, PictureFittingWithoutRoom) {
    const QString longText(600, QChar(0x9053));
    screen.OpenSheet({WithPicture("L0001", longText), WithPicture("L0002", longText),
                      WithPicture(""), WithPicture("Z0001"), WithPicture("Z0002")});
    for (const char* name : {"L0001", "Z0001"})
        screen.WritePicture(name + QStringLiteral(".gif"), 100, 80);
    for (const char* name : {"L0002", "Z0002"})
        screen.WritePicture(name + QStringLiteral(".gif"), 400, 80);
    Frmftyaj& f = form();
    const ui::ImageBox& image = *f.Image3;
    const auto textBottom = [&f] { return f.Label2->Top() + f.Label2->Height(); };
    driver.ThenKey(Qt::Key_Return).ThenKey(Qt::Key_Return).ThenKey(Qt::Key_Return);

    Show(1);  // too high, negative room: stretching and the top edge set, the height refused
    ASSERT_LT(Measure(f).ah, 0);
    EXPECT_EQ(driver.Seen().size(), 1u);
    EXPECT_TRUE(image.Stretch());
    EXPECT_FLOAT_EQ(image.Top(), textBottom() + 150);
    EXPECT_EQ(std::tuple(image.Width(), image.Height()), std::tuple(1500.f, 1200.f));

    Show(2);  // too high and too wide: by width
    EXPECT_EQ(driver.Seen().size(), 1u) << "no failure";
    EXPECT_EQ(std::tuple(image.Stretch(), image.Width()),
              std::tuple(true, static_cast<float>(Measure(f).aw)));

    Show(3);
    f.Label3->SetHeight(static_cast<double>(f.Label2->Height()) +
                        (f.Label2->Top() - f.Label3->Top()) + 250);
    ASSERT_EQ(Measure(f).ah, 0);
    Show(4);  // too high: the height 0 is set, then the width divides by it
    EXPECT_EQ(driver.Seen().size(), 2u);
    EXPECT_TRUE(image.Stretch());
    EXPECT_FLOAT_EQ(image.Top(), textBottom() + 150);
    EXPECT_EQ(std::tuple(image.Width(), image.Height()), std::tuple(1500.f, 0.f));

    const float top = image.Top();
    Show(5);  // too high and too wide: the ratio fails before anything is placed
    EXPECT_EQ(driver.Seen().size(), 3u);
    EXPECT_FALSE(image.Stretch());
    EXPECT_EQ(std::tuple(image.Top(), image.Width(), image.Height()),
              std::tuple(top, 6000.f, 1200.f));
    for (const auto& seen : driver.Seen()) EXPECT_EQ(seen.text, kFailure);
}

// A picture file that cannot be read ends the display where it stands, with the message:
// the controls already set keep their new values, the picture stays the one before.
TEST_F(Display, APictureThatCannotBeReadEndsTheDisplayWithTheMessage) {
    screen.OpenSheet({WithPicture("G0001"), WithPicture("B0001")});
    screen.WritePicture(QStringLiteral("G0001.gif"), 60, 40);
    QFile bad(QDir(screen.folder.PictureFolder()).filePath(QStringLiteral("B0001.gif")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write("not a picture") > 0);
    bad.close();
    driver.ThenKey(Qt::Key_Return);
    Frmftyaj& f = form();
    Show(1);
    Show(2);
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].text, kFailure);
    EXPECT_EQ(f.Image3->Picture().size(), QSize(60, 40));
    EXPECT_EQ(std::tuple(f.Image3->Appearance(), f.Image3->BorderStyle()), std::tuple(1, 1))
        << "set before the load failed";
    EXPECT_EQ(f.Label11->Caption(), QStringLiteral("2"));
}

// The rows that earned nothing, in the order of the exam, each with its correct answers
// and its number of the exam.
TEST_F(Review, WrongQuestionsWithTheirCorrectAnswersAndExamNumbers) {
    const struct {
        int number;
        db::Value da, sjda;
        const char* line;
    } wrong[] = {
        {2, QStringLiteral("101000"), QStringLiteral("001000"), "正确答案：  1、 3、"},
        {3, QStringLiteral("010011"), db::Value(), "正确答案：  2、 5、 6、"},
        {5, QStringLiteral("000000"), QStringLiteral("100000"), "正确答案： "},
        {7, db::Value(), QStringLiteral("000001"), "正确答案： "},
        {8, QString(), QStringLiteral("000000"), "正确答案： "},
        {10, QStringLiteral("0000001"), QStringLiteral("010000"), "正确答案： "},
    };
    std::vector<Question> questions(10, Make([](Question& q) { q.tx = QStringLiteral("多选题"); }));
    std::vector<db::Value> answers(10);
    for (const auto& w : wrong) {
        questions[w.number - 1].da = w.da;
        answers[w.number - 1] = w.sjda;
    }
    testing_support::AddPaper(screen.Db(), QStringLiteral("other"), 3);
    testing_support::Exec(screen.Db(),
                          statements::S6(QStringLiteral("other"), QStringLiteral("x")));
    screen.OpenSheet(questions, answers);  // its ids start above 1
    testing_support::Exec(screen.Db(), QStringLiteral("UPDATE sjdj SET df = fz; UPDATE sjdj SET "
                                                      "df = 0 WHERE th IN (2, 3, 5, 7, 8, 10)"));
    Frmftyaj& f = form();
    const auto handedIn = Table();
    f.Label1->SetCaption(kProductTitle);
    f.GetOpen1();
    EXPECT_TRUE(driver.Seen().empty());
    EXPECT_EQ(f.Label1->Caption(), QStringLiteral("小型汽车 试卷"));
    ASSERT_EQ(sheet().RecordCount(), static_cast<int>(std::size(wrong)));
    EXPECT_EQ(sheet().ActiveConnection(), nullptr);
    for (const auto& w : wrong) {
        SCOPED_TRACE(w.number);
        if (w.number != wrong[0].number) {
            sheet().MoveNext();
            f.GetForms1();
        }
        EXPECT_EQ(f.Label11->Caption(), QString::number(w.number));
        EXPECT_EQ(f.Label6[0]->Caption(), QString::fromUtf8(w.line));
        EXPECT_EQ(Shown(f.Image1), w.sjda.IsNull() ? QStringLiteral("000000") : w.sjda.ToText());
        EXPECT_TRUE(f.Label14->Visible());
    }
    EXPECT_EQ(Table(), handedIn) << "the review writes nothing";
}

}  // namespace
