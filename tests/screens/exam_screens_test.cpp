// Renders the main screens headless to PNG files under <build>/screens/ for people to
// look at, and checks that every Chinese text on them has its glyphs.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include "exam/frmftyaj.h"
#include "shared/statements.h"
#include "gif_writer.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "support/exam_screen.h"
#include "support/modal_driver.h"
#include "support/screenshot.h"

namespace {

using testing_support::ExamScreen;
using testing_support::Question;

const QString kPaper = QStringLiteral("10001001");

struct Size {
    int width;
    int height;
};

void PrintTo(const Size& size, std::ostream* out) {
    *out << size.width << "x" << size.height;
}

QString Suffix(Size size) {
    return QStringLiteral("-%1x%2").arg(size.width).arg(size.height);
}

// A no-entry sign: red disc with a white bar.
void WriteSign(const QString& path) {
    QImage sign(240, 180, QImage::Format_RGB32);
    sign.fill(Qt::white);
    QPainter painter(&sign);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 0, 0));
    painter.drawEllipse(QPoint(120, 90), 80, 80);
    painter.setBrush(Qt::white);
    painter.drawRect(60, 78, 120, 24);
    painter.end();
    ASSERT_TRUE(WriteGif(sign, path));
}

void FillBank(ExamScreen& screen) {
    const QString texts[] = {
        QStringLiteral("如图所示，这个标志表示什么意思？"),
        QStringLiteral("雨天在道路上驾驶机动车，下列哪些做法是正确的？"),
        QStringLiteral("夜间会车时，应当在距对面来车多远以外改用近光灯？"),
        QStringLiteral("车辆在路口右转弯时，遇到同方向直行的非机动车应当怎样做？"),
        QStringLiteral("驾驶人连续驾驶超过多长时间应当停车休息？"),
    };
    testing_support::AddPaper(screen.Db(), kPaper, 10, [&](int i, Question& q) {
        q.bk = 100 - i;  // the sheet keeps this order
        q.tm = texts[(i - 1) % 5];
        q.options = {QStringLiteral("禁止车辆驶入"),
                     QStringLiteral("注意前方行人"),
                     QStringLiteral("前方道路施工"),
                     QStringLiteral("限制最高速度"),
                     {},
                     {}};
        if (i == 1) q.pcxname = QStringLiteral("P0001");
        if (i == 2) {
            q.tx = QStringLiteral("多选题");
            q.options = {QStringLiteral("降低行驶速度"),
                         QStringLiteral("加大跟车距离"),
                         QStringLiteral("开启远光灯高速通过积水路段"),
                         QStringLiteral("避免紧急制动和急转方向"),
                         QStringLiteral("随意变更车道"),
                         {}};
            q.da = QStringLiteral("110100");
        }
    });
    WriteSign(QDir(screen.folder.PictureFolder()).filePath(QStringLiteral("P0001.gif")));
}

// The exam of paper 1 of kind 1 starts as at the terminal: the offer, the
// confirmation, the instructions, the countdown.
void StartExam(ExamScreen& screen) {
    screen.module.PaperKind = QStringLiteral("1");
    screen.module.PaperCount = 1;
    testing_support::AddKind(screen.Db(), QStringLiteral("1"), QStringLiteral("小型汽车"),
                             QStringLiteral("小型汽车"));
    testing_support::ModalDriver driver;
    driver.ThenKey(Qt::Key_Return).ThenKey(Qt::Key_A);
    for (int tick = 0; tick < 5; ++tick) screen.form->Timer1_Timer();
    EXPECT_TRUE(driver.Done());
}

// Every character on a visible label is in the font the label draws with.
void ExpectGlyphs(const Frmftyaj& form) {
    for (const ui::Label* label : form.findChildren<ui::Label*>()) {
        if (!label->Visible()) continue;
        const QFontMetrics metrics(label->font());
        for (const QChar c : label->Caption()) {
            if (c.unicode() <= 0x20) continue;
            EXPECT_TRUE(metrics.inFont(c)) << label->FullName().toStdString() << " lacks U+"
                                           << std::hex << static_cast<int>(c.unicode()) << " in "
                                           << QFontInfo(label->font()).family().toStdString();
        }
    }
}

void Save(Frmftyaj& form, const QString& name) {
    testing_support::ProcessEvents();
    const QString path = testing_support::SaveScreenshot(&form, name);
    ASSERT_FALSE(path.isEmpty()) << name.toStdString();
    const QImage shot(path);
    EXPECT_EQ(shot.size(), form.size());
    ExpectGlyphs(form);
}

class Screens : public ::testing::TestWithParam<Size> {};

TEST_P(Screens, TitleExamAndReview) {
    const Size size = GetParam();
    {
        ExamScreen title(size.width, size.height);
        Save(*title.form, QStringLiteral("title") + Suffix(size));
    }

    ExamScreen screen(size.width, size.height);
    testing_support::ModalDriver driver;
    Frmftyaj& f = *screen.form;
    FillBank(screen);
    StartExam(screen);
    ASSERT_EQ(f.PaperState, QStringLiteral("111"));
    EXPECT_GE(f.Image2->x(), f.width()) << "the photograph is out of sight";
    f.Label13->SetCaption(QStringLiteral("44:59"));
    ASSERT_TRUE(f.Image3->HasPicture());
    Save(f, QStringLiteral("exam-picture") + Suffix(size));

    db::Recordset& sheet = *screen.module.SheetRs;
    f.Image1[2]->SetVisible(true);  // a wrong answer to the picture question
    f.GetSave();
    sheet.MoveNext();
    f.GetForms();
    f.Image1[1]->SetVisible(true);
    f.Image1[4]->SetVisible(true);
    ASSERT_TRUE(f.Label14->Visible());
    Save(f, QStringLiteral("exam-multiple") + Suffix(size));
    f.GetSave();

    db::Connection& conn = *screen.module.Conn;
    conn.BeginTrans();
    sheet.SetActiveConnection(&conn);
    sheet.UpdateBatch(db::adAffectAllChapters);
    conn.Execute(statements::S10(kPaper, screen.module.AdmissionNo));
    conn.CommitTrans();
    f.ReviewState = QStringLiteral("1");
    f.GetOpen1();
    ASSERT_FALSE(f.Label6[0]->Caption().isEmpty());
    f.Label13->SetCaption(QString());
    Save(f, QStringLiteral("review") + Suffix(size));
    EXPECT_TRUE(driver.Seen().empty());
}

INSTANTIATE_TEST_SUITE_P(TwoScreens, Screens, ::testing::Values(Size{1024, 768}, Size{1920, 1080}),
                         [](const ::testing::TestParamInfo<Size>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

}  // namespace
