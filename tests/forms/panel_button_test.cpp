#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "platform/ui/button3d.h"
#include "platform/ui/form.h"
#include "platform/ui/panel3d.h"
#include "support/modal_driver.h"

namespace {

using testing_support::PressKey;

class Host : public ui::Form {
public:
    Host() : ui::Form(ui::Form::Style::FixedDialog) { SetClientSize(6000, 3000); }
    std::vector<int> keys;

protected:
    void Form_KeyDown(int& keyCode, int) override { keys.push_back(keyCode); }
};

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
    Host form;
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
    Host form;
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

    testing_support::ModalDriver driver;
    driver.Then([&](QWidget*) {
        QTest::mouseClick(&blank, Qt::LeftButton);
        QTest::mouseClick(&seven, Qt::LeftButton);
        QTest::mouseClick(&off, Qt::LeftButton);
        QTest::mouseClick(&seven, Qt::RightButton);
        QTest::mousePress(&seven, Qt::LeftButton);
        QTest::mouseRelease(&seven, Qt::LeftButton, {}, QPoint(200, 200));  // released off it
        QTest::mouseClick(&panel, Qt::LeftButton);
        PressKey(Qt::Key_Space);
        PressKey(Qt::Key_Escape);
        form.Hide();
    });
    form.Show(1);
    EXPECT_EQ(clicked, (std::vector<int>{16, 0}));
    EXPECT_EQ(form.keys, (std::vector<int>{32, 27}));
}

}  // namespace
