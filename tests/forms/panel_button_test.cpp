#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
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

TEST(Panel3D, PlacesItsCaptionByItsAlignment) {
    Host form;
    ui::Panel3D panel(&form, QStringLiteral("SSPanel2"), 0);
    panel.Move(360, 720, 4810, 300);
    panel.SetForeColor(QColor(0, 0, 255));
    panel.SetCaption(QStringLiteral("0、科目"));

    const QRect centred = BlueInk(panel.grab().toImage());
    ASSERT_FALSE(centred.isEmpty());
    EXPECT_NEAR(centred.center().x(), panel.width() / 2, 2);
    EXPECT_NEAR(centred.center().y(), panel.height() / 2, 2);

    panel.SetAlignment(Qt::AlignLeft);  // down stays centred
    const QRect left = BlueInk(panel.grab().toImage());
    EXPECT_LE(left.left(), 8);
    EXPECT_NEAR(left.center().y(), panel.height() / 2, 2);
    EXPECT_EQ(left.height(), centred.height());
}

TEST(Panel3D, ShowsACaptionSetAtRunTimeAtOnce) {
    Host form;
    ui::Panel3D panel(&form, QStringLiteral("SSPanel2"), 3);
    panel.Move(360, 720, 4810, 300);
    form.Show();
    testing_support::ProcessEvents();
    PaintCounter counter;
    panel.installEventFilter(&counter);
    panel.SetCaption(QStringLiteral("3、新的"));
    EXPECT_GE(counter.paints, 1) << "painted before SetCaption returned";
    EXPECT_EQ(panel.Caption(), QStringLiteral("3、新的"));
}

TEST(Panel3D, ItsChildrenTakeItsCoordinates) {
    Host form;
    ui::Panel3D outer(&form, QStringLiteral("SSPanel1"));
    outer.Move(0, 0, 6000, 3000);
    ui::Panel3D inner(&outer, QStringLiteral("SSPanel2"));
    inner.Move(1440, 720, 3615, 2000);
    ui::Button3D key(&inner, QStringLiteral("SSCommand2"), 5);
    key.Move(1080, 240, 615, 615);
    EXPECT_EQ(key.geometry(), QRect(72, 16, 41, 41));
    EXPECT_EQ(key.mapTo(&form, QPoint(0, 0)), QPoint(96 + 72, 48 + 16));
}

TEST(Button3D, ClicksWithAndWithoutCaptionAndGivesItsIndex) {
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
    form.Show();

    std::vector<int> clicked;
    for (ui::Button3D* b : {&blank, &seven, &off}) {
        QObject::connect(b, &ui::Button3D::Click, [&](int index) { clicked.push_back(index); });
    }
    QTest::mouseClick(&blank, Qt::LeftButton);
    QTest::mouseClick(&seven, Qt::LeftButton);
    QTest::mouseClick(&off, Qt::LeftButton);
    QTest::mouseClick(&seven, Qt::RightButton);
    // Pressed on the key, released off it: no click.
    QTest::mousePress(&seven, Qt::LeftButton);
    QTest::mouseRelease(&seven, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_EQ(clicked, (std::vector<int>{16, 0}));
}

TEST(Button3D, NeitherTakesTheFocusNorTheKeys) {
    Host form;
    ui::Panel3D panel(&form, QStringLiteral("SSPanel2"));
    panel.Move(0, 0, 6000, 3000);
    ui::Button3D key(&panel, QStringLiteral("SSCommand2"), 1);
    key.Move(240, 240, 615, 1455);
    EXPECT_EQ(panel.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(key.focusPolicy(), Qt::NoFocus);

    testing_support::ModalDriver driver;
    driver.Then([&](QWidget*) {
        QTest::mouseClick(&key, Qt::LeftButton);
        QTest::mouseClick(&panel, Qt::LeftButton);
        PressKey(Qt::Key_Space);
        PressKey(Qt::Key_Escape);
        form.Hide();
    });
    form.Show(1);
    EXPECT_EQ(form.keys, (std::vector<int>{32, 27})) << "the form's handler saw every key";
}

}  // namespace
