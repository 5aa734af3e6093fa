// The windowing layer: controls in twips, forms and their modal show, timers, the 3-D
// panel and button, and the virtual-key codes.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string_view>

#include "platform/ui/button3d.h"
#include "platform/ui/error.h"
#include "platform/ui/form.h"
#include "platform/ui/keys.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"
#include "platform/ui/message_box.h"
#include "platform/ui/panel3d.h"
#include "platform/ui/timer.h"
#include "support/modal_driver.h"
#include "support/x11_digits.h"

namespace {

using testing_support::ModalDriver;
using testing_support::PressKey;

class KeyForm : public ui::Form {
public:
    KeyForm() : ui::Form(ui::Form::Style::FixedDialog) { SetClientSize(6000, 3000); }
    std::vector<int> seen;
    int hideOn = -1;

protected:
    void Form_KeyDown(int& keyCode, int) override {
        seen.push_back(keyCode);
        if (keyCode == hideOn) Hide();
    }
};

// A control moved on a shown form: the screen shows the form's background again where
// the control was, the picture at natural size and the 3-D face colour beyond it.
TEST(Control, KeepsSinglePrecisionTwipsAndRefusesNegativeSizes) {
    KeyForm form;
    QImage picture(380, 150, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(x, y, x ^ y));
    }
    form.SetBackgroundPicture(picture);
    ui::Label label(&form, QStringLiteral("Label1"));
    label.SetCaption(QStringLiteral("Label1 Label1 Label1"));
    label.Move(1200.25, 360, 5445, 495);
    EXPECT_FLOAT_EQ(label.Left(), 1200.25f);
    EXPECT_EQ(label.geometry(), QRect(80, 24, 363, 33));
    form.Show();
    testing_support::ProcessEvents();
    EXPECT_THROW(label.SetHeight(-1), ui::Error);
    EXPECT_FLOAT_EQ(label.Height(), 495.0f);
    EXPECT_THROW(label.Move(0, 0, 10, -5), ui::Error);
    EXPECT_FLOAT_EQ(label.Left(), 1200.25f) << "a refused move keeps every value";
    label.SetLeft(-300);
    EXPECT_FLOAT_EQ(label.Left(), -300.0f);
    label.SetTop(-200);
    testing_support::ProcessEvents();

    QImage background(form.size(), QImage::Format_RGB32);
    background.fill(form.palette().color(QPalette::Button));
    QPainter(&background).drawImage(0, 0, picture);
    const QImage screen = form.screen()->grabWindow(form.winId()).toImage();
    ASSERT_EQ(screen.size(), background.size());
    int wrong = 0;
    for (int y = 0; y < screen.height(); ++y) {
        for (int x = 0; x < screen.width(); ++x) {
            wrong +=
                !label.geometry().contains(x, y) && screen.pixel(x, y) != background.pixel(x, y);
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(Label, SizesItselfToItsCaption) {
    KeyForm form;
    ui::Label autoSized(&form, QStringLiteral("A")), wrapped(&form, QStringLiteral("B")),
        fixed(&form, QStringLiteral("C"));
    autoSized.SetSizing(ui::Label::Sizing::AutoSize);
    autoSized.SetCaption(QStringLiteral("short"));
    const float shortWidth = autoSized.Width();
    autoSized.SetCaption(QStringLiteral("a much longer caption"));
    EXPECT_GT(autoSized.Width(), shortWidth);

    wrapped.Move(0, 0, 1500, 100);
    wrapped.SetSizing(ui::Label::Sizing::AutoSizeWrap);
    wrapped.SetCaption(QStringLiteral("one"));
    const float oneLine = wrapped.Height();
    wrapped.SetCaption(QStringLiteral("one two three four five six seven eight nine ten"));
    EXPECT_FLOAT_EQ(wrapped.Width(), 1500.0f);
    EXPECT_GT(wrapped.Height(), 2 * oneLine);

    fixed.Move(0, 0, 915, 410);
    fixed.SetCaption(QStringLiteral("a caption far wider than the box it has"));
    EXPECT_EQ(std::tuple(fixed.Width(), fixed.Height()), std::tuple(915.f, 410.f));
}

TEST(Line, SpansItsEndPoints) {
    KeyForm form;
    ui::Line line(&form, QStringLiteral("Line1"));
    line.SetPenWidth(2);
    line.SetX1(0);
    line.SetX2(15000);
    line.SetY1(7000);
    line.SetY2(7000);
    EXPECT_FLOAT_EQ(line.X2(), 15000.0f);
    EXPECT_TRUE(line.geometry().contains(QRect(0, 466, 1000, 1)));
}

// The modal show returns when the form hides or unloads itself; keys reach the form
// as virtual-key codes first.
TEST(Form, ModalShowReturnsWhenHiddenOrUnloaded) {
    KeyForm hiding, unloading;
    hiding.hideOn = 27;
    // A show that does not return is ended from outside, so that the test fails rather
    // than hangs.
    QTimer rescue;
    QObject::connect(&rescue, &QTimer::timeout, [&] {
        ADD_FAILURE() << "the modal show did not return";
        for (KeyForm* form : {&hiding, &unloading}) {
            form->Unload();
            form->show();
            form->hide();
        }
    });
    rescue.start(5000);
    ModalDriver driver;
    driver.Then([](QWidget*) {
        PressKey(Qt::Key_1, Qt::ShiftModifier);
        PressKey(Qt::Key_Escape);
    });
    hiding.Show(1);
    EXPECT_EQ(hiding.seen, (std::vector<int>{49, 27}));
    EXPECT_FALSE(hiding.isVisible());
    EXPECT_TRUE(hiding.IsLoaded());

    driver.Then([&unloading](QWidget*) { unloading.Unload(); });
    unloading.Show(1);
    EXPECT_FALSE(unloading.IsLoaded());
    EXPECT_TRUE(driver.Done());
}

// A modal window that nobody answers must not block the test until the runner's
// timeout: it is closed and the test fails, naming what the window showed.
TEST(ModalWatchdog, ClosesAWindowNobodyAnswersAndFailsWithWhatItShows) {
    const testing_support::ScopedModalPatience patience(std::chrono::milliseconds(300));
    KeyForm form;
    form.SetCaption(QStringLiteral("请确认"));
    ui::Label label(&form, QStringLiteral("Label1"));
    label.SetCaption(QStringLiteral("按《确认》开始考试"));
    struct Case {
        std::function<void()> open;
        std::vector<std::string> shown;
    } cases[] = {
        {[] {
             ui::MsgBox(QStringLiteral("没有《甲》试卷！"), ui::vbInformation,
                        QStringLiteral("Kestrova"));
         },
         {"QMessageBox", "\"Kestrova\"", "没有《甲》试卷！"}},
        {[&form] { form.Show(1); }, {"\"请确认\"", "按《确认》开始考试"}},
    };
    for (const auto& c : cases) {
        ::testing::TestPartResultArray failures;
        QElapsedTimer clock;
        clock.start();
        {
            const ::testing::ScopedFakeTestPartResultReporter reporter(
                ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD,
                &failures);
            c.open();
        }
        EXPECT_LT(clock.elapsed(), 5000);
        ASSERT_EQ(failures.size(), 1) << c.shown.front();
        const std::string message = failures.GetTestPartResult(0).message();
        for (const auto& part : c.shown)
            EXPECT_NE(message.find(part), std::string::npos) << message;
    }
    EXPECT_FALSE(form.isVisible());
}

TEST(Timer, InManualModeOnlyTicksWhenFiredAndOn) {
    int ticks = 0;
    ui::Timer timer(nullptr, QStringLiteral("Timer1"), 500, [&] { ++ticks; });
    EXPECT_FALSE(timer.Fire());
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.findChild<QTimer*>()->isActive()) << "no real clock drives it";
    EXPECT_TRUE(timer.Fire());
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timer.Interval(), 500);
}

// The box around the blue caption's pixels (smoothed edges included).
QRect BlueInk(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() - c.red() > 60) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// A caption set at run time is painted before the call returns, centred across and down,
// or left-aligned and still centred down.
TEST(Panel3D, ShowsItsCaptionAtOnceWhereItsAlignmentSays) {
    KeyForm form;
    ui::Panel3D panel(&form, QStringLiteral("SSPanel2"), 3);
    panel.Move(360, 720, 4810, 300);
    panel.SetForeColor(QColor(0, 0, 255));
    form.Show();
    testing_support::ProcessEvents();
    PaintCounter counter;
    panel.installEventFilter(&counter);
    panel.SetCaption(QStringLiteral("3、新的"));
    EXPECT_GE(counter.paints, 1);
    EXPECT_EQ(panel.Caption(), QStringLiteral("3、新的"));

    const QRect centred = BlueInk(panel.grab().toImage());
    ASSERT_FALSE(centred.isEmpty());
    EXPECT_NEAR(centred.center().x(), panel.width() / 2, 2);
    EXPECT_NEAR(centred.center().y(), panel.height() / 2, 2);
    panel.SetAlignment(Qt::AlignLeft);
    const QRect left = BlueInk(panel.grab().toImage());
    EXPECT_LE(left.left(), 8);
    EXPECT_NEAR(left.center().y(), panel.height() / 2, 2);
    EXPECT_EQ(left.height(), centred.height());
}

// A left click released on an enabled key gives its index, with or without caption; neither
// the keys nor their panel take the focus, so every key reaches the form's handler.
TEST(Button3D, AClickGivesItsIndexAndTheKeysStayWithTheForm) {
    KeyForm form;
    ui::Panel3D panel(&form, QStringLiteral("SSPanel2"));
    panel.Move(0, 0, 6000, 3000);
    ui::Button3D blank(&panel, QStringLiteral("SSCommand2"), 16);
    blank.Move(1080, 240, 615, 615);
    ui::Button3D seven(&panel, QStringLiteral("SSCommand2"), 0);
    seven.Move(240, 1080, 615, 615);
    seven.SetCaption(QStringLiteral("7"));
    ui::Button3D off(&panel, QStringLiteral("SSCommand2"), 9);
    off.Move(1920, 1080, 615, 615);
    off.setEnabled(false);
    std::vector<int> clicked;
    for (ui::Button3D* b : {&blank, &seven, &off}) {
        QObject::connect(b, &ui::Button3D::Click, [&](int index) { clicked.push_back(index); });
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_EQ(panel.focusPolicy(), Qt::NoFocus);
    form.Show();
    testing_support::ProcessEvents();
    QTest::mouseClick(&blank, Qt::LeftButton);
    QTest::mouseClick(&seven, Qt::LeftButton);
    QTest::mouseClick(&off, Qt::LeftButton);
    QTest::mouseClick(&seven, Qt::RightButton);
    QTest::mousePress(&seven, Qt::LeftButton);
    QTest::mouseRelease(&seven, Qt::LeftButton, {}, QPoint(200, 200));  // released off it
    QTest::mouseClick(&panel, Qt::LeftButton);
    PressKey(Qt::Key_Space);
    PressKey(Qt::Key_Escape);
    EXPECT_EQ(clicked, (std::vector<int>{16, 0}));
    EXPECT_EQ(form.seen, (std::vector<int>{32, 27}));
}

// Windows virtual-key codes from Qt's key events as X11 delivers them (with its scan
// codes) on US, French and German keyboards; the modifier and lock keys pressed alone
// have codes of their own.
TEST(VirtualKey, MapsPhysicalKeysToTheirCodes) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        quint32 scanCode;
        int vk;
    };
    constexpr auto none = Qt::NoModifier, shift = Qt::ShiftModifier, pad = Qt::KeypadModifier;
    std::vector<Case> keys;
    // Digit d in every way of pressing it; the US ways and the keypad also without their
    // scan codes (a synthetic event: by the key or a US layout's shifted symbol alone).
    for (const auto& way : testing_support::kDigitWays) {
        const bool byKey = std::string_view(way.what).starts_with("US") || way.code0 == 96;
        for (int d = 0; d <= 9; ++d) {
            keys.push_back({way.keys[d], way.modifiers, way.scanCodes[d], way.code0 + d});
            if (byKey) keys.push_back({way.keys[d], way.modifiers, 0, way.code0 + d});
        }
    }
    const Case others[] = {
        {Qt::Key_1, shift, 0, 49},
        {Qt::Key_QuoteDbl, shift, 11, 50},  // Shift+2 of another layout: by its scan code
        {Qt::Key_Equal, shift, 19, 48},
        {Qt::Key_6, Qt::ControlModifier, 0, 54},
        {Qt::Key_Escape, none, 9, 27},
        {Qt::Key_Return, none, 36, 13},
        {Qt::Key_Enter, pad, 104, 13},
        {Qt::Key_Plus, pad, 86, 107},
        {Qt::Key_Minus, pad, 82, 109},
        {Qt::Key_Asterisk, pad, 63, 106},
        {Qt::Key_Slash, pad, 106, 111},
        {Qt::Key_Delete, pad, 91, 110},
        {Qt::Key_Period, pad, 91, 110},
        {Qt::Key_Comma, pad, 91, 110},
        {Qt::Key_F1, none, 67, 112},
        {Qt::Key_F3, none, 69, 114},
        {Qt::Key_F4, shift, 70, 115},
        {Qt::Key_F24, none, 0, 135},
        {Qt::Key_A, none, 38, 65},
        {Qt::Key_Z, none, 52, 90},
        {Qt::Key_Tab, none, 23, 9},
        {Qt::Key_Backtab, shift, 23, 9},
        {Qt::Key_Backspace, none, 22, 8},
        {Qt::Key_Pause, none, 127, 19},
        {Qt::Key_Space, none, 65, 32},
        {Qt::Key_PageUp, none, 112, 33},
        {Qt::Key_PageDown, none, 117, 34},
        {Qt::Key_End, none, 115, 35},
        {Qt::Key_Home, none, 110, 36},
        {Qt::Key_Left, none, 113, 37},
        {Qt::Key_Up, none, 111, 38},
        {Qt::Key_Right, none, 114, 39},
        {Qt::Key_Down, none, 116, 40},
        {Qt::Key_Insert, none, 118, 45},
        {Qt::Key_Delete, none, 119, 46},
        {Qt::Key_Equal, none, 21, 187},
        {Qt::Key_Plus, shift, 21, 187},
        {Qt::Key_Minus, none, 20, 189},
        {Qt::Key_Underscore, shift, 20, 189},
        {Qt::Key_Comma, none, 59, 188},
        {Qt::Key_Period, none, 60, 190},
        {Qt::Key_Slash, none, 61, 191},
        {Qt::Key_Print, none, 107, 255},
    };
    const Case modifiersAndLocks[] = {
        {Qt::Key_Shift, none, 50, 16},
        {Qt::Key_Shift, shift, 62, 16},
        {Qt::Key_Control, Qt::ControlModifier, 37, 17},
        {Qt::Key_Alt, Qt::AltModifier, 64, 18},
        {Qt::Key_AltGr, Qt::GroupSwitchModifier, 108, 165},
        {Qt::Key_Alt, Qt::AltModifier, 108, 18},  // the right Alt of a US layout
        {Qt::Key_Super_L, none, 133, 91},
        {Qt::Key_Meta, Qt::MetaModifier, 133, 91},
        {Qt::Key_Super_R, none, 134, 92},
        {Qt::Key_CapsLock, none, 66, 20},
        {Qt::Key_NumLock, none, 77, 144},
        {Qt::Key_ScrollLock, none, 78, 145},
    };
    keys.insert(keys.end(), std::begin(others), std::end(others));
    const std::size_t alone = keys.size();
    keys.insert(keys.end(), std::begin(modifiersAndLocks), std::end(modifiersAndLocks));
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const Case& c = keys[k];
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.scanCode, 0, 0);
        SCOPED_TRACE(testing::Message()
                     << "Qt key 0x" << std::hex << c.key << " modifiers 0x" << c.modifiers.toInt()
                     << std::dec << " scan code " << c.scanCode);
        EXPECT_EQ(ui::VirtualKey(event), c.vk);
        EXPECT_EQ(ui::IsModifierOrLock(c.vk), k >= alone);
    }
    for (const auto& symbol : testing_support::kSymbolKeys) {
        const int vk = ui::VirtualKey(QKeyEvent(QEvent::KeyPress, symbol.key, symbol.modifiers,
                                                symbol.scanCode, 0, 0));
        EXPECT_TRUE((vk < 48 || vk > 57) && (vk < 96 || vk > 111)) << symbol.what << ": " << vk;
    }
    const QKeyEvent all(QEvent::KeyPress, Qt::Key_1,
                        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(ui::ShiftState(all), 7);
    EXPECT_EQ(ui::ShiftState(QKeyEvent(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier)), 0);
}

}  // namespace
