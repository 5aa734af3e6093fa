#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <functional>

#include "platform/ui/error.h"
#include "platform/ui/form.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"
#include "platform/ui/message_box.h"
#include "platform/ui/timer.h"
#include "support/modal_driver.h"

namespace {

using testing_support::ModalDriver;
using testing_support::PressKey;

TEST(Control, KeepsSinglePrecisionTwipsAndRefusesNegativeSizes) {
    ui::Form form(ui::Form::Style::FixedDialog);
    ui::Label label(&form, QStringLiteral("Label1"));
    label.Move(1200.25, 360, 5445, 495);
    EXPECT_FLOAT_EQ(label.Left(), 1200.25f);
    EXPECT_EQ(label.geometry(), QRect(80, 24, 363, 33));
    EXPECT_THROW(label.SetHeight(-1), ui::Error);
    EXPECT_FLOAT_EQ(label.Height(), 495.0f);
    EXPECT_THROW(label.Move(0, 0, 10, -5), ui::Error);
    EXPECT_FLOAT_EQ(label.Left(), 1200.25f) << "a refused move keeps every value";
    label.SetLeft(-300);
    EXPECT_FLOAT_EQ(label.Left(), -300.0f);
}

TEST(Label, SizesItselfToItsCaption) {
    ui::Form form(ui::Form::Style::FixedDialog);
    ui::Label autoSized(&form, QStringLiteral("A"));
    autoSized.Move(0, 0, 100, 100);
    autoSized.SetSizing(ui::Label::Sizing::AutoSize);
    autoSized.SetCaption(QStringLiteral("short"));
    const float shortWidth = autoSized.Width();
    autoSized.SetCaption(QStringLiteral("a much longer caption"));
    EXPECT_GT(autoSized.Width(), shortWidth);

    ui::Label wrapped(&form, QStringLiteral("B"));
    wrapped.Move(0, 0, 1500, 100);
    wrapped.SetSizing(ui::Label::Sizing::AutoSizeWrap);
    wrapped.SetCaption(QStringLiteral("one"));
    const float oneLine = wrapped.Height();
    wrapped.SetCaption(QStringLiteral("one two three four five six seven eight nine ten"));
    EXPECT_FLOAT_EQ(wrapped.Width(), 1500.0f);
    EXPECT_GT(wrapped.Height(), 2 * oneLine);

    ui::Label fixed(&form, QStringLiteral("C"));
    fixed.Move(0, 0, 915, 410);
    fixed.SetCaption(QStringLiteral("a caption far wider than the box it has"));
    EXPECT_FLOAT_EQ(fixed.Width(), 915.0f);
    EXPECT_FLOAT_EQ(fixed.Height(), 410.0f);
}

TEST(ImageBox, TakesTheNaturalSizeUnlessStretched) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.png"));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(path));

    ui::Form form(ui::Form::Style::FixedDialog);
    ui::ImageBox box(&form, QStringLiteral("Image3"));
    box.Move(960, 5040, 4095, 1455);
    box.LoadPicture(path);
    EXPECT_FLOAT_EQ(box.Width(), 600.0f);
    EXPECT_FLOAT_EQ(box.Height(), 450.0f);
    box.SetStretch(true);
    box.SetWidth(1234.5);
    EXPECT_FLOAT_EQ(box.Width(), 1234.5f);

    EXPECT_THROW(box.LoadPicture(dir.filePath(QStringLiteral("missing.gif"))), ui::Error);
    EXPECT_TRUE(box.HasPicture()) << "a failed load keeps the previous picture";
    box.LoadPicture(QString());
    EXPECT_FALSE(box.HasPicture());
}

TEST(Line, SpansItsEndPoints) {
    ui::Form form(ui::Form::Style::FixedDialog);
    ui::Line line(&form, QStringLiteral("Line1"));
    line.SetPenWidth(2);
    line.SetX1(0);
    line.SetX2(15000);
    line.SetY1(7000);
    line.SetY2(7000);
    EXPECT_FLOAT_EQ(line.X2(), 15000.0f);
    EXPECT_LE(line.geometry().left(), 0);
    EXPECT_GE(line.geometry().right(), 999);
    EXPECT_LE(line.geometry().top(), 466);
    EXPECT_GE(line.geometry().bottom(), 466);
}

class KeyForm : public ui::Form {
public:
    KeyForm() : ui::Form(ui::Form::Style::FixedDialog) {}
    std::vector<int> seen;
    int swallow = -1;
    int hideOn = -1;

protected:
    void Form_KeyDown(int& keyCode, int) override {
        seen.push_back(keyCode);
        if (keyCode == swallow) keyCode = 0;
        if (keyCode == hideOn) Hide();
    }
};

TEST(Form, ModalShowReturnsWhenTheFormHidesItself) {
    KeyForm form;
    form.SetClientSize(3000, 1500);
    form.hideOn = 27;
    ModalDriver driver;
    driver.Then([](QWidget*) {
        PressKey(Qt::Key_1, Qt::ShiftModifier);
        PressKey(Qt::Key_Escape);
    });
    form.Show(1);
    EXPECT_EQ(form.seen, (std::vector<int>{49, 27}));
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.IsLoaded());
}

TEST(Form, UnloadEndsTheModalShowAndKeepsTheObject) {
    KeyForm form;
    ModalDriver driver;
    driver.Then([&form](QWidget*) { form.Unload(); });
    form.Show(1);
    EXPECT_FALSE(form.IsLoaded());
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
        {[] { ui::MsgBox(QStringLiteral("没有《甲》试卷！"), ui::vbInformation,
                         QStringLiteral("Kestrova")); },
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
        for (const auto& part : c.shown) EXPECT_NE(message.find(part), std::string::npos) << message;
    }
    EXPECT_FALSE(form.isVisible());
}

TEST(Timer, InManualModeOnlyTicksWhenFiredAndOn) {
    int ticks = 0;
    ui::Timer timer(nullptr, QStringLiteral("Timer1"), 500, [&] { ++ticks; });
    EXPECT_FALSE(timer.Fire());
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Fire());
    testing_support::ProcessEvents();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timer.Interval(), 500);
}

}  // namespace
