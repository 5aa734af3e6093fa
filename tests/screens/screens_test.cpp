// Every screen on the way of one exam, compared with the pictures kept in reference/
// (sh scripts/remake-screens remakes them after an intended change of look) and left
// under <build>/screens for people to look at; probes that say in words what a colour,
// a bevel, the question frame or a bold caption looks like; a check that every text is
// drawn whole in a font that holds its Chinese characters; and the window around it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include "gif_writer.h"
#include "platform/ui/button3d.h"
#include "platform/ui/form.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/panel3d.h"
#include "platform/ui/timer.h"
#include "support/screenshot.h"
#include "support/terminal_fixture.h"

namespace {

using testing_support::ModalDriver;

// Before the test main starts the application, which reads it once.
[[maybe_unused]] const bool kOwnFonts = qputenv("FONTCONFIG_FILE", SCREENS_FONTS);

const QColor kSign(200, 0, 0);  // the question's picture, all of one colour

enum class Look {
    Ink,          // the caption's pixels are its ForeColor
    Raised,       // light at the top left corner, dark at the bottom right one
    InsideFrame,  // the question frame's border on all four sides of the picture
    Bold,         // more ink than the same caption drawn normal
};

struct Probe {
    const char* screen;
    const char* control;
    int index;
    Look look;
};

constexpr Probe kProbes[] = {
    {"title", "Label1", -1, Look::Ink},
    {"exam-picture", "Label6", 1, Look::Ink},
    {"exam-picture", "Label6", 1, Look::Bold},
    {"exam-picture", "Image3", -1, Look::InsideFrame},
    {"exam-multiple", "Image3", -1, Look::InsideFrame},
    {"dialog_frmquit1", "SSPanel1", -1, Look::Ink},
    {"dialog_frmquit1", "SSPanel2", 0, Look::Raised},
    {"dialog_frmquit3", "SSCommand2", 10, Look::Ink},
};

QColor ForeColor(const QWidget& w) {
    if (const auto* l = qobject_cast<const ui::Label*>(&w)) return l->ForeColor();
    if (const auto* p = qobject_cast<const ui::Panel3D*>(&w)) return p->ForeColor();
    if (const auto* b = qobject_cast<const ui::Button3D*>(&w)) return b->ForeColor();
    return {};
}

// The alpha of all the widget draws on a transparent ground.
qint64 Ink(QWidget& w) {
    QImage image(w.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) ink += qAlpha(image.pixel(x, y));
    }
    return ink;
}

// Whether a pixel of the colour lies on the way from the point to the picture's edge.
bool Meets(const QImage& image, QPoint at, QPoint step, const QColor& colour) {
    for (; image.rect().contains(at); at += step) {
        if (image.pixelColor(at) == colour) return true;
    }
    return false;
}

::testing::AssertionResult Looks(const QImage& image, ui::Control& c, Look look) {
    const QRect area(c.mapTo(c.window(), QPoint()), c.size());
    switch (look) {
        case Look::Ink: {
            const QColor fore = ForeColor(c);
            int inked = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    inked += image.pixelColor(x, y) == fore ? 1 : 0;
                }
            }
            if (inked >= 10) return ::testing::AssertionSuccess();
            return ::testing::AssertionFailure()
                   << "caption not drawn in its ForeColor " << fore.name().toStdString() << " ("
                   << inked << " pixels of it)";
        }
        case Look::Raised: {
            // The lightest of the top left 2 by 2 pixels, the darkest of the bottom right.
            const int inside = qGray(qobject_cast<ui::Panel3D*>(&c)->BackColor().rgb());
            int topLeft = 0;
            int bottomRight = 255;
            for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                topLeft = std::max(topLeft, qGray(image.pixel(area.topLeft() + d)));
                bottomRight = std::min(bottomRight, qGray(image.pixel(area.bottomRight() - d)));
            }
            if (topLeft > inside && bottomRight < inside) return ::testing::AssertionSuccess();
            return ::testing::AssertionFailure()
                   << "not raised: lightest grey at the top left " << topLeft
                   << ", darkest at the bottom right " << bottomRight << ", inside " << inside;
        }
        case Look::InsideFrame: {
            const QPoint centre = area.center();
            std::string missing;
            if (image.pixelColor(centre) != kSign) missing += " picture";
            const QColor border = Qt::black;
            if (!Meets(image, {area.left() - 1, centre.y()}, {-1, 0}, border)) missing += " left";
            if (!Meets(image, {area.right() + 1, centre.y()}, {1, 0}, border)) missing += " right";
            if (!Meets(image, {centre.x(), area.top() - 1}, {0, -1}, border)) missing += " top";
            if (!Meets(image, {centre.x(), area.bottom() + 1}, {0, 1}, border))
                missing += " bottom";
            if (missing.empty()) return ::testing::AssertionSuccess();
            return ::testing::AssertionFailure()
                   << "picture not inside the frame Label3; missing:" << missing;
        }
        case Look::Bold: {
            const QFont bold = c.font();
            QFont normal = bold;
            normal.setBold(false);
            const qint64 drawn = Ink(c);
            c.setFont(normal);
            const qint64 plain = Ink(c);
            c.setFont(bold);
            if (drawn > plain * 11 / 10) return ::testing::AssertionSuccess();
            return ::testing::AssertionFailure()
                   << "caption not bold: ink " << drawn << ", drawn normal " << plain;
        }
    }
    return ::testing::AssertionFailure();
}

// What the window system shows around the picture: the main form has no frame, the
// dialogs keep their size and the centre of the screen, have no close box, and have a
// title bar with their title but for the code prompt.
void ExpectWindow(const QWidget& window, const QString& screen) {
    SCOPED_TRACE(screen.toStdString());
    const Qt::WindowFlags flags = window.windowFlags();
    if (qobject_cast<const Frmftyaj*>(&window) != nullptr) {
        EXPECT_TRUE(flags & Qt::FramelessWindowHint);
        EXPECT_TRUE(window.windowTitle().isEmpty());
        EXPECT_FALSE(window.windowIcon().isNull());
        return;
    }
    if (!screen.startsWith(QLatin1String("dialog_"))) return;
    QString title = QStringLiteral("提示信息");
    if (screen == QLatin1String("dialog_frmquit")) title.clear();
    if (screen == QLatin1String("dialog_frmquit3")) title = QStringLiteral("键盘使用方法");
    EXPECT_EQ(window.windowTitle().toStdString(), title.toStdString());
    EXPECT_EQ(bool(flags & Qt::WindowTitleHint), !title.isEmpty());
    EXPECT_FALSE(flags & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "resizable";
    // The client area, placed by the corner of the frame around it.
    const QPoint offset =
        window.geometry().center() - QGuiApplication::primaryScreen()->geometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << "off the centre of the screen";
}

// Checks that every text of the window and its controls is drawn whole in a font that
// holds its Chinese characters, saves the window's picture, compares it with the
// reference and runs the screen's probes.
void Save(QWidget& window, const QString& screen, const QString& suffix = {}) {
    testing_support::ProcessEvents();
    const QString name = screen + suffix;
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (const QWidget* w : widgets) {
        QString text = w->windowTitle();
        bool wraps = false;
        bool designed = true;  // in the AR PL fonts; a message box keeps the toolkit's
        if (const auto* l = qobject_cast<const ui::Label*>(w)) {
            if (!l->Visible()) continue;
            text = l->Caption();
            wraps = l->GetSizing() != ui::Label::Sizing::AutoSize;
        } else if (const auto* p = qobject_cast<const ui::Panel3D*>(w)) {
            text = p->Caption();
        } else if (const auto* b = qobject_cast<const ui::Button3D*>(w)) {
            text = b->Caption();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            text = button->text();
            designed = false;
        } else if (w != &window) {
            continue;
        }
        SCOPED_TRACE(name.toStdString() + " " + w->objectName().toStdString() + " " +
                     text.toStdString());
        const QFontMetrics metrics(w->font());
        bool chinese = false;
        for (const uint ucs4 : text.toUcs4()) {
            if (ucs4 < 0x2E80) continue;
            chinese = true;
            EXPECT_TRUE(metrics.inFontUcs4(ucs4)) << "U+" << std::hex << ucs4;
        }
        EXPECT_TRUE(!chinese || !designed ||
                    QFontInfo(w->font()).family().startsWith(QStringLiteral("AR PL")));
        EXPECT_TRUE(wraps || metrics.horizontalAdvance(text) <= w->width()) << "cut off";
    }
    ExpectWindow(window, screen);
    const QImage image = testing_support::SaveScreenshot(&window, name);
    ASSERT_EQ(image.size(), window.size()) << name.toStdString();
    EXPECT_TRUE(testing_support::MatchesReference(image, SCREENS_REFERENCES, name));
    for (const Probe& probe : kProbes) {
        if (screen != QLatin1String(probe.screen)) continue;
        ui::Control* control = static_cast<ui::Form&>(window).Find(probe.control, probe.index);
        ASSERT_NE(control, nullptr) << probe.control;
        EXPECT_TRUE(Looks(image, *control, probe.look))
            << name.toStdString() << " " << control->FullName().toStdString();
    }
}

// Paper 1 as the candidate sees it: the first question with a picture at its natural
// size, the second multiple choice with six options and a picture too high and too wide
// for the frame (fitted by height on the smaller screen, by width on the larger); both
// answered wrong, so that the review shows them.
void WritePaper(testing_support::Terminal& t) {
    const QString paper = QStringLiteral("10001001");
    testing_support::Exec(t.Db(), QStringLiteral("DELETE FROM sj WHERE sjmc='%1'").arg(paper));
    testing_support::AddPaper(t.Db(), paper, 10, [](int i, testing_support::Question& q) {
        q.bk = 100 - i;  // the sheet keeps this order
        q.tm = QStringLiteral("车辆在路口右转弯时，遇到同方向直行的非机动车应当怎样做？");
        q.options = {QStringLiteral("禁止车辆驶入"),
                     QStringLiteral("注意前方行人"),
                     QStringLiteral("前方道路施工"),
                     QStringLiteral("限制最高速度"),
                     {},
                     {}};
        if (i == 1) {
            q.tm = QStringLiteral("如图所示，这个标志表示什么意思？");
            q.pcxname = QStringLiteral("P0001");
        } else if (i == 2) {
            q.tm = QStringLiteral("雨天在道路上驾驶机动车，下列哪些做法是正确的？");
            q.tx = QStringLiteral("多选题");
            q.options = {QStringLiteral("降低行驶速度"),
                         QStringLiteral("加大跟车距离"),
                         QStringLiteral("开启远光灯高速通过积水路段"),
                         QStringLiteral("避免紧急制动和急转方向"),
                         QStringLiteral("随意变更车道"),
                         QStringLiteral("保持安全车速")};
            q.da = QStringLiteral("110100");
            q.pcxname = QStringLiteral("P0002");
        }
    });
    const QSize pictures[] = {{240, 180}, {300, 600}};
    for (int n = 1; n <= 2; ++n) {
        QImage sign(pictures[n - 1], QImage::Format_RGB32);
        sign.fill(kSign);
        ASSERT_TRUE(WriteGif(
            sign, QDir(t.folder.PictureFolder()).filePath(QStringLiteral("P000%1.gif").arg(n))));
    }
    int kind = 2;
    for (const char* name : {"大型客车", "牵引车", "城市公交车", "中型客车", "大型货车",
                             "小型自动挡汽车", "低速载货汽车", "三轮汽车"}) {
        testing_support::AddKind(t.Db(), QString::number(kind++), QString::fromUtf8(name),
                                 QString::fromUtf8(name));
    }
}

struct Size {
    int width;
    int height;
    float photographLeft;  // during an exam: beyond the right edge
    bool dialogs;          // the dialogs and the message look alike on every screen
};

void PrintTo(const Size& size, std::ostream* out) {
    *out << size.width << "x" << size.height;
}

class Screens : public ::testing::TestWithParam<Size> {};

TEST_P(Screens, EveryScreenOnTheWayOfAnExam) {
    const Size size = GetParam();
    const QString suffix = QStringLiteral("-%1x%2").arg(size.width).arg(size.height);
    // Types the digits, pictures the modal window, then closes it with the key.
    const auto picture = [&](const char* name, int key, const char* typed = "") {
        return [=](QWidget* modal) {
            for (const char* digit = typed; *digit != 0; ++digit) testing_support::PressKey(*digit);
            if (size.dialogs) Save(*modal, QString::fromLatin1(name));
            testing_support::PressKey(key);
        };
    };
    QApplication::setCursorFlashTime(0);  // a text cursor that never blinks away
    testing_support::Terminal t;
    t.folder.WriteSettings(QStringLiteral("5"), QStringLiteral("0"));
    WritePaper(t);
    {
        ModalDriver driver;
        driver.Then(picture("dialog_frmquit5", Qt::Key_0));
        ASSERT_TRUE(t.Start(size.width, size.height));
        EXPECT_TRUE(driver.Done());
    }
    Frmftyaj& f = *t.form;
    EXPECT_TRUE(t.ShowsTitle());
    Save(f, QStringLiteral("title"), suffix);
    {
        ModalDriver driver;
        driver.Then(picture("dialog_frmquit", Qt::Key_Escape, "1234"));
        t.Key(Qt::Key_Escape);
        driver.Then(picture("dialog_frmquit2", Qt::Key_Return))
            .Then(picture("dialog_frmquit3", Qt::Key_A));
        t.IdleTicks(5);
        EXPECT_TRUE(driver.Done());
    }

    ASSERT_TRUE(t.ShowsExam());
    EXPECT_FLOAT_EQ(f.Image2->Left(), size.photographLeft);
    EXPECT_GE(f.Image2->x(), f.width()) << "the photograph is out of sight";
    t.fakes.clock.Advance((5 * 60 + 1) * 1000);
    f.Timer2->Fire();
    ASSERT_TRUE(f.Image3->HasPicture());
    Save(f, QStringLiteral("exam-picture"), suffix);
    for (int key : {Qt::Key_3, Qt::Key_F4, Qt::Key_1, Qt::Key_4, Qt::Key_6}) t.Key(key);
    ASSERT_TRUE(f.Label14->Visible());
    Save(f, QStringLiteral("exam-multiple"), suffix);

    ModalDriver driver;
    driver.Then(picture("dialog_frmquit1", Qt::Key_1))
        .Then(picture("message_result", Qt::Key_Return))
        .Then(picture("dialog_frmquit4", Qt::Key_1));
    t.Key(Qt::Key_Escape);
    EXPECT_TRUE(driver.Done());
    ASSERT_FALSE(f.Label6[0]->Caption().isEmpty());
    f.Timer2->Fire();  // the review shows no time
    Save(f, QStringLiteral("review"), suffix);
}

INSTANTIATE_TEST_SUITE_P(TwoSizes, Screens,
                         ::testing::Values(Size{1024, 768, 20000, true},
                                           Size{1920, 1080, 28800, false}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

}  // namespace
