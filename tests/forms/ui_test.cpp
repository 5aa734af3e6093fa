// The windowing layer where the screens cannot show it: the background that a moved
// control leaves behind, and the virtual-key codes of every way of pressing a digit; and
// the harness's own promises, timers that tick only when fired and no modal window left
// unanswered.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <functional>
#include <string_view>

#include "platform/ui/form.h"
#include "platform/ui/keys.h"
#include "platform/ui/label.h"
#include "platform/ui/message_box.h"
#include "platform/ui/timer.h"
#include "support/modal_driver.h"
#include "support/x11_digits.h"

namespace {

// A control moved on a shown form: the screen shows the form's background again where
// the control was, the picture at natural size and the 3-D face colour beyond it.
TEST(Form, RepaintsItsBackgroundWhereAControlWas) {
    ui::Form form(ui::Form::Style::FixedDialog);
    form.SetClientSize(6000, 3000);
    QImage picture(380, 150, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(x, y, x ^ y));
    }
    form.SetBackgroundPicture(picture);
    ui::Label label(&form, QStringLiteral("Label1"));
    label.SetCaption(QStringLiteral("Label1 Label1 Label1"));
    label.Move(1200, 360, 5445, 495);
    form.Show();
    testing_support::ProcessEvents();
    label.SetLeft(-300);
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

// The harness: a form's timer ticks only when the test fires it, and a modal window that
// nobody answers does not block the test until the runner's timeout: it is closed and
// the test fails, naming what the window showed.
TEST(Harness, TimersTickOnlyWhenFiredAndNoModalWindowWaitsUnanswered) {
    int ticks = 0;
    ui::Timer timer(nullptr, QStringLiteral("Timer1"), 500, [&] { ++ticks; });
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.findChild<QTimer*>()->isActive()) << "a real clock drives it";
    EXPECT_TRUE(timer.Fire());
    EXPECT_EQ(ticks, 1);

    const testing_support::ScopedModalPatience patience(std::chrono::milliseconds(300));
    ui::Form form(ui::Form::Style::FixedDialog);
    form.SetClientSize(6000, 3000);
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

// Windows virtual-key codes of the digits from Qt's key events as X11 delivers them (with
// its scan codes) on US, French and German keyboards, and of the modifier and lock keys
// pressed alone, which the prompts pass over; the symbol keys of those layouts are no
// digits.
TEST(VirtualKey, MapsPhysicalKeysToTheirCodes) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        quint32 scanCode;
        int vk;
    };
    constexpr auto none = Qt::NoModifier, shift = Qt::ShiftModifier;
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
}

}  // namespace
