#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <cmath>

#include "exam/frmftyaj.h"
#include "platform/db/recordset.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "support/exam_screen.h"
#include "support/modal_driver.h"

namespace {

using testing_support::ExamScreen;
using testing_support::ModalDriver;
using testing_support::Question;

const QString kFailure = QStringLiteral("操作有错！");

class Display : public ::testing::Test {
protected:
    Display() { screen.SetExam(QStringLiteral("10001001")); }

    Frmftyaj& form() { return *screen.form; }
    db::Recordset& sheet() { return *screen.module.SheetRs; }

    // Shows sheet row n (from 1) by the exam's display.
    void Show(int n) {
        sheet().MoveFirst();
        for (int i = 1; i < n; ++i) sheet().MoveNext();
        form().GetForms();
    }

    bool NoPicture() {
        return !form().Image3->HasPicture() && form().Image3->Appearance() == 0 &&
               form().Image3->BorderStyle() == 0 && !form().Image3->Stretch();
    }

    ExamScreen screen;
    ModalDriver driver;  // any message box not expected fails the test
};

TEST_F(Display, MultipleChoiceNoteOnlyForTheExactType) {
    const struct {
        const char* tx;
        bool note;
    } cases[] = {{"多选题", true},
                 {" 多选题", false},
                 {"多选题 ", false},
                 {"单选题", false},
                 {"判断题", false}};
    std::vector<Question> questions;
    for (const auto& c : cases) {
        Question q;
        q.tx = QString::fromUtf8(c.tx);
        questions.push_back(q);
    }
    screen.OpenSheet(questions);
    for (int n = 1; n <= static_cast<int>(std::size(cases)); ++n) {
        Show(n);
        EXPECT_EQ(form().Label5->Caption(), QString::fromUtf8(cases[n - 1].tx));
        EXPECT_EQ(form().Label14->Visible(), cases[n - 1].note) << cases[n - 1].tx;
        EXPECT_EQ(form().Label11->Caption(), QString::number(n)) << "numbered by position";
    }
}

TEST_F(Display, QuestionTextOptionsAndMarkers) {
    Question plain;
    plain.tm = QStringLiteral("红灯亮时怎样通行？");
    plain.options = {QStringLiteral("停车等候"),
                     QStringLiteral("加速通过"),
                     {},
                     QString(),
                     QStringLiteral(" "),
                     {}};
    Question nullText;
    nullText.tm = {};
    Question markedEmpty;  // a marker beside an option without text
    markedEmpty.options = {QStringLiteral("甲"), {}, {}, {}, {}, {}};
    screen.OpenSheet({plain, nullText, plain, plain, markedEmpty}, {QStringLiteral("101000"),
                                                                    {},
                                                                    QString(),
                                                                    QStringLiteral("0000001"),
                                                                    QStringLiteral("000001")});

    Show(1);
    const Frmftyaj& f = form();
    EXPECT_EQ(f.Label11->Caption(), QStringLiteral("1"));
    EXPECT_EQ(f.Label2->Caption(), QStringLiteral("    红灯亮时怎样通行？"));
    EXPECT_TRUE(f.Label6[0]->Caption().isEmpty());
    const char* const texts[] = {"", "停车等候", "加速通过", "", "", " ", ""};
    const bool numbers[] = {false, true, true, false, false, true, false};
    const bool marked[] = {false, true, false, true, false, false, false};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(f.Label6[i]->Caption(), QString::fromUtf8(texts[i])) << i;
        EXPECT_EQ(f.Label7[i]->Visible(), numbers[i]) << i;
        EXPECT_EQ(f.Image1[i]->Visible(), marked[i]) << i;
    }

    Show(2);
    EXPECT_EQ(f.Label2->Caption(), QStringLiteral("    ")) << "a Null text leaves the blanks";
    for (int n : {2, 3, 4}) {
        Show(n);
        for (int i = 1; i <= 6; ++i) EXPECT_FALSE(f.Image1[i]->Visible()) << n << " " << i;
    }
    Show(5);
    EXPECT_TRUE(f.Image1[6]->Visible());
    EXPECT_FALSE(f.Label7[6]->Visible());
    EXPECT_EQ(f.Label11->Caption(), QStringLiteral("5"));
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
    for (const auto& c : cases) {
        Question q;
        q.pcxname = c.pcxname;
        questions.push_back(q);
    }
    screen.OpenSheet(questions);
    // The picture folder of an old installation may be named in capitals too.
    for (const char* folder : {"tp2", "TP2"}) {
        if (QLatin1String(folder) == QLatin1String("TP2")) {
            ASSERT_TRUE(QDir(screen.folder.Path())
                            .rename(QStringLiteral("tp2"), QStringLiteral("TP2")));
        }
        for (int n = 1; n <= static_cast<int>(std::size(cases)); ++n) {
            Show(n);
            const QSize want = cases[n - 1].picture;
            const std::string who =
                folder + (" " + cases[n - 1].pcxname.ToTextOrEmpty().toStdString());
            if (want.isEmpty()) {
                EXPECT_TRUE(NoPicture()) << who;
            } else {
                ASSERT_TRUE(form().Image3->HasPicture()) << who;
                EXPECT_EQ(form().Image3->Picture().size(), want) << who;
                EXPECT_EQ(form().Image3->Appearance(), 1);
                EXPECT_EQ(form().Image3->BorderStyle(), 1);
            }
        }
    }
    EXPECT_TRUE(driver.Seen().empty()) << "a missing file is no failure";
}

TEST_F(Display, ANullTypeFailsBeforeAnyControlChanges) {
    screen.OpenSheet({Question{}});
    form().Label2->SetCaption(QStringLiteral("before"));
    // The table forbids a Null type; the sheet in memory can still come to hold one.
    sheet().SetField(QStringLiteral("tx"), db::Value());
    driver.ThenKey(Qt::Key_Return);
    form().GetForms();
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].text, kFailure);
    EXPECT_EQ(form().Label5->Caption(), QStringLiteral("单 选 题"));
    EXPECT_EQ(form().Label2->Caption(), QStringLiteral("before"));
}

// The room the frame leaves below the question text, as the fitting measures it.
struct Room {
    double ah, aw;
};

Room Measure(const Frmftyaj& f) {
    const double ah =
        std::nearbyint(static_cast<double>(f.Label3->Height()) - f.Label2->Height() -
                       (static_cast<double>(f.Label2->Top()) - f.Label3->Top()) - 250);
    return {ah, std::nearbyint(static_cast<double>(f.Label3->Width()) - 50)};
}

enum class Fit { Natural, ByHeight, ByWidth };

void ExpectPlaced(const Frmftyaj& f, Fit fit, QSize px, Room room) {
    const ui::ImageBox& image = *f.Image3;
    const double ph = px.height() * 15.0;
    const double pw = px.width() * 15.0;
    const double centre = f.Label3->Left() + static_cast<double>(f.Label3->Width()) / 2;
    const double frameBottom = static_cast<double>(f.Label3->Top()) + f.Label3->Height();
    EXPECT_EQ(image.Appearance(), 1);
    EXPECT_EQ(image.BorderStyle(), 1);
    switch (fit) {
        case Fit::Natural:
            EXPECT_FALSE(image.Stretch());
            EXPECT_FLOAT_EQ(image.Width(), static_cast<float>(pw));
            EXPECT_FLOAT_EQ(image.Height(), static_cast<float>(ph));
            EXPECT_FLOAT_EQ(image.Top(), static_cast<float>(frameBottom - ph - 150));
            EXPECT_FLOAT_EQ(image.Left(), static_cast<float>(centre - pw / 2 - 10));
            break;
        case Fit::ByHeight:
            EXPECT_TRUE(image.Stretch());
            EXPECT_FLOAT_EQ(image.Top(), static_cast<float>(static_cast<double>(f.Label2->Top()) +
                                                            f.Label2->Height() + 150));
            EXPECT_FLOAT_EQ(image.Height(), static_cast<float>(room.ah));
            EXPECT_FLOAT_EQ(image.Width(), static_cast<float>(pw / (ph / room.ah)));
            EXPECT_FLOAT_EQ(image.Left(), static_cast<float>(centre - image.Width() / 2.0));
            EXPECT_FLOAT_EQ(image.Top() + image.Height(), static_cast<float>(frameBottom - 100))
                << "100 twips above the frame's bottom edge";
            break;
        case Fit::ByWidth:
            EXPECT_TRUE(image.Stretch());
            EXPECT_FLOAT_EQ(image.Width(), static_cast<float>(room.aw));
            EXPECT_FLOAT_EQ(image.Height(), static_cast<float>(ph / (pw / room.aw)));
            EXPECT_FLOAT_EQ(image.Left(), static_cast<float>(centre - image.Width() / 2.0));
            EXPECT_FLOAT_EQ(image.Top(), static_cast<float>(frameBottom - image.Height() - 150));
            break;
    }
}

Question WithPicture(const char* name, const QString& text = QStringLiteral("题目")) {
    Question q;
    q.tm = text;
    q.pcxname = QString::fromUtf8(name);
    return q;
}

TEST_F(Display, PictureFittingCaseByCase) {
    screen.OpenSheet({WithPicture(""), WithPicture("F0001"), WithPicture("F0002"),
                      WithPicture("F0003"), WithPicture("F0004"), WithPicture("F0005"),
                      WithPicture("F0006"), WithPicture("F0007")});
    Show(1);
    const Room room = Measure(form());
    const int ahPx = static_cast<int>(room.ah) / 15;  // the largest whole-pixel size that fits
    const int awPx = static_cast<int>(room.aw) / 15;
    // The tie: three times the room each way (pixel sizes must be whole).
    ASSERT_EQ(static_cast<int>(3 * room.aw) % 15, 0);
    ASSERT_EQ(static_cast<int>(3 * room.ah) % 15, 0);
    const struct {
        const char* file;
        QSize px;
        Fit fit;
    } cases[] = {
        {"F0001.gif", {awPx, ahPx}, Fit::Natural},
        {"F0002.gif", {awPx, ahPx + 1}, Fit::ByHeight},
        {"F0003.gif", {awPx + 1, ahPx}, Fit::ByWidth},
        {"F0004.gif",
         {static_cast<int>(3 * room.aw) / 15, static_cast<int>(3 * room.ah) / 15},
         Fit::ByHeight},
        {"F0005.gif", {3 * awPx, 2 * ahPx}, Fit::ByWidth},
        {"F0006.gif", {2 * awPx, 3 * ahPx}, Fit::ByHeight},
        {"F0007.gif", {30, 20}, Fit::Natural},
    };
    for (const auto& c : cases)
        screen.WritePicture(QString::fromUtf8(c.file), c.px.width(), c.px.height());
    for (int n = 2; n <= 8; ++n) {
        const auto& c = cases[n - 2];
        SCOPED_TRACE(c.file);
        Show(n);
        ASSERT_EQ(form().Image3->Picture().size(), c.px);
        ExpectPlaced(form(), c.fit, c.px, room);
    }
    EXPECT_TRUE(driver.Seen().empty());
}

QString LongText() {
    return QString(600, QChar(0x9053));
}

TEST_F(Display, AQuestionTextLeavingNoRoomEndsTheDisplay) {
    screen.OpenSheet({WithPicture("L0001", LongText()), WithPicture("L0002", LongText())});
    screen.WritePicture(QStringLiteral("L0001.gif"), 100, 80);
    screen.WritePicture(QStringLiteral("L0002.gif"), 400, 80);
    driver.ThenKey(Qt::Key_Return);
    Show(1);
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].text, kFailure);
    const Frmftyaj& f = form();
    ASSERT_LT(Measure(f).ah, 0);
    EXPECT_TRUE(f.Image3->Stretch()) << "stretching and the top edge were set before the failure";
    EXPECT_FLOAT_EQ(f.Image3->Top(), f.Label2->Top() + f.Label2->Height() + 150);
    EXPECT_FLOAT_EQ(f.Image3->Height(), 80 * 15) << "the negative height was refused";

    // Too wide as well: a negative room is no failure, the width rule places it.
    Show(2);
    EXPECT_EQ(driver.Seen().size(), 1u);
    ExpectPlaced(f, Fit::ByWidth, {400, 80}, Measure(f));
}

TEST_F(Display, NoRoomAtAllIsADivisionByZero) {
    screen.OpenSheet({WithPicture(""), WithPicture("Z0001"), WithPicture("Z0002")});
    screen.WritePicture(QStringLiteral("Z0001.gif"), 100, 80);
    screen.WritePicture(QStringLiteral("Z0002.gif"), 400, 80);
    Show(1);
    Frmftyaj& f = form();
    f.Label3->SetHeight(static_cast<double>(f.Label2->Height()) +
                        (f.Label2->Top() - f.Label3->Top()) + 250);
    ASSERT_EQ(Measure(f).ah, 0);

    driver.ThenKey(Qt::Key_Return).ThenKey(Qt::Key_Return);
    Show(2);  // too high: the height 0 is set, then the width divides by it
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].text, kFailure);
    EXPECT_TRUE(f.Image3->Stretch());
    EXPECT_FLOAT_EQ(f.Image3->Height(), 0);
    EXPECT_FLOAT_EQ(f.Image3->Width(), 100 * 15);

    const float top = f.Image3->Top();
    Show(3);  // too high and too wide: the ratio fails before anything is placed
    ASSERT_EQ(driver.Seen().size(), 2u);
    EXPECT_EQ(driver.Seen()[1].text, kFailure);
    EXPECT_FALSE(f.Image3->Stretch());
    EXPECT_FLOAT_EQ(f.Image3->Top(), top);
    EXPECT_FLOAT_EQ(f.Image3->Width(), 400 * 15);
}

TEST_F(Display, AFileThatIsNoPictureFailsAndKeepsThePreviousPicture) {
    screen.OpenSheet({WithPicture("G0001"), WithPicture("B0001")});
    const QString good = screen.WritePicture(QStringLiteral("G0001.gif"), 60, 40);
    QFile header(good);
    ASSERT_TRUE(header.open(QIODevice::ReadOnly));
    EXPECT_EQ(header.read(6), QByteArray("GIF89a")) << "a real GIF file";
    QFile bad(QDir(screen.folder.PictureFolder()).filePath(QStringLiteral("B0001.gif")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    Show(1);
    sheet().MoveNext();
    form().Image3->SetAppearance(0);
    driver.ThenKey(Qt::Key_Return);
    form().GetForms();
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].text, kFailure);
    EXPECT_EQ(form().Image3->Picture().size(), QSize(60, 40));
    EXPECT_EQ(form().Image3->Appearance(), 1) << "set before the load failed";
    EXPECT_EQ(form().Image3->BorderStyle(), 1);
}

TEST_F(Display, ASheetWithoutACurrentRowFails) {
    screen.OpenSheet({Question{}});
    sheet().MoveNext();  // past the last row
    driver.ThenKey(Qt::Key_Return);
    form().GetForms();
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].text, kFailure);
    EXPECT_EQ(form().Label11->Caption(), QStringLiteral("11"));
}

}  // namespace
