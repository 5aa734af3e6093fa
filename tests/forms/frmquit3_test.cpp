#include "dialogs/frmquit3.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTextLayout>
#include <map>

#include "forms/dialog_checks.h"
#include "platform/ui/button3d.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"
#include "platform/ui/panel3d.h"
#include "shared/module1.h"
#include "support/fakes.h"
#include "support/modal_driver.h"
#include "support/program_folder.h"

namespace {

using testing_support::PressKey;

// Records whether a key left the dialog's handler with its code changed.
class ObservedFrmquit3 : public Frmquit3 {
public:
    using Frmquit3::Frmquit3;
    std::vector<int> changed;
    void Form_KeyDown(int& keyCode, int shift) override {
        const int before = keyCode;
        Frmquit3::Form_KeyDown(keyCode, shift);
        changed.push_back(keyCode - before);
    }
};

// Lines of a caption wrapped in a box of the given pixel width.
QStringList WrappedLines(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

QRect Pixels(const QRect& twips) {
    return {twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15};
}

class Frmquit3Test : public ::testing::Test {
protected:
    testing_support::ProgramFolder folder;
    testing_support::FakeServices fakes{folder.Path()};
    shared::Module1 module{fakes.services};
};

// Any key at all (Esc and lone modifiers included) closes it with its code unchanged, and so
// does a click on any drawn key, with or without caption; a click beside the keys does not.
TEST_F(Frmquit3Test, AnyKeyOrDrawnKeyClosesIt) {
    const struct {
        const char* what;
        int key;
        Qt::KeyboardModifiers modifiers;
        int clickedKey;  // -1: a key is pressed instead
    } cases[] = {
        // clang-format off
        {"Esc", Qt::Key_Escape, Qt::NoModifier, -1},
        {"Enter", Qt::Key_Return, Qt::NoModifier, -1},
        {"Shift alone", Qt::Key_Shift, Qt::ShiftModifier, -1},
        {"Ctrl alone", Qt::Key_Control, Qt::ControlModifier, -1},
        {"keypad 5", Qt::Key_5, Qt::KeypadModifier, -1}, {"F1", Qt::Key_F1, Qt::NoModifier, -1},
        {"blank key", 0, {}, 16},  {"wide key 0", 0, {}, 2},  {"tall key 下翻", 0, {}, 17},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ObservedFrmquit3 dialog(module);
        bool upAfterClickBeside = false;
        testing_support::ModalDriver driver;
        driver.Then([&](QWidget*) {
            QTest::mouseClick(dialog.Find(QStringLiteral("SSPanel1")), Qt::LeftButton, {},
                              QPoint(20, 300));
            upAfterClickBeside = dialog.isVisible();
            if (c.clickedKey < 0) {
                PressKey(c.key, c.modifiers);
            } else {
                QTest::mouseClick(dialog.Find(QStringLiteral("SSCommand2"), c.clickedKey),
                                  Qt::LeftButton);
            }
        });
        dialog.Show(1);
        EXPECT_TRUE(driver.Done());
        EXPECT_TRUE(upAfterClickBeside);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.changed, std::vector<int>(c.clickedKey < 0 ? 1 : 0, 0))
            << "the key code goes on unchanged";
    }
}

TEST_F(Frmquit3Test, DrawsTheKeypadWithItsExplanations) {
    Frmquit3 dialog(module);
    dialog.Load();
    testing_support::ExpectDialogWindow(dialog, "键盘使用方法", QSize(435, 393));

    auto* back = dialog.Get<ui::Panel3D>(QStringLiteral("SSPanel1"));
    auto* body = dialog.Get<ui::Panel3D>(QStringLiteral("SSPanel2"));
    ASSERT_NE(back, nullptr);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(back->parentWidget(), &dialog);
    EXPECT_EQ(back->geometry(), QRect(0, 0, 437, 393));
    EXPECT_EQ(body->parentWidget(), back);
    EXPECT_EQ(body->geometry(), QRect(96, 48, 241, 297));
    for (const ui::Panel3D* p : {back, body}) {
        EXPECT_TRUE(p->Caption().isEmpty());
        EXPECT_EQ(p->BackColor(), QColor(192, 192, 192));
    }

    // The keypad as drawn, by key index: four columns and five rows 840 twips apart from
    // 240, a key 615 twips square; a tall or a wide key fills two cells.
    const int grid[5][4] = {
        {13, 16, 15, 3}, {0, 5, 6, 17}, {7, 8, 9, 17}, {10, 11, 12, 1}, {2, 2, 14, 1}};
    std::map<int, QRect> twips;
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 4; ++column) {
            twips[grid[row][column]] |= QRect(240 + 840 * column, 240 + 840 * row, 615, 615);
        }
    }
    const std::map<int, QString> captions = {
        {13, "退 出"}, {16, ""},     {15, ""},    {3, "上翻"}, {0, "7"},  {5, "8"},
        {6, "9"},      {17, "下翻"}, {7, "4"},    {8, "5"},    {9, "6"},  {10, "1"},
        {11, "2"},     {12, "3"},    {1, "确定"}, {2, "0"},    {14, "."},
    };
    EXPECT_EQ(body->findChildren<ui::Button3D*>().size(), 17);
    for (const auto& [index, caption] : captions) {
        SCOPED_TRACE(index);
        auto* key = dialog.Get<ui::Button3D>(QStringLiteral("SSCommand2"), index);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->parentWidget(), body) << "the keys take the keypad's coordinates";
        EXPECT_EQ(key->Caption(), caption);
        EXPECT_EQ(key->geometry(), Pixels(twips[index]));
        EXPECT_EQ(key->ForeColor(), QColor(0, 0, 255));
        EXPECT_TRUE(key->isEnabled());
        if (caption.size() > 1) {  // the word keys
            EXPECT_EQ(key->font(), ui::DefaultDialogFont());
        } else {
            EXPECT_EQ(key->font().family(), QStringLiteral("宋体"));
            EXPECT_DOUBLE_EQ(key->font().pointSizeF(), caption == "7" ? 15.75 : 15);
            EXPECT_TRUE(key->font().bold());
        }
    }

    const struct {
        const char* name;
        int index;
        ui::Panel3D* panel;
        float x1, y1, x2, y2;
    } lines[] = {
        {"Line7", -1, body, 0, 540, 240, 540},       {"Line11", -1, body, 0, 1320, 240, 1320},
        {"Line12", -1, body, 240, 2200, 0, 2200},    {"Line13", -1, body, 240, 3120, 0, 3120},
        {"Line1", 0, body, 3360, 520, 3600, 520},    {"Line5", 0, body, 3360, 1750, 3600, 1750},
        {"Line6", -1, body, 3360, 3430, 3600, 3430}, {"Line1", 1, back, 1080, 1260, 1800, 1260},
        {"Line8", -1, back, 1320, 2040, 1320, 3840}, {"Line10", -1, back, 1320, 2040, 1440, 2040},
        {"Line9", -1, back, 1320, 3840, 1440, 3840}, {"Line5", 1, back, 1080, 2925, 1440, 2925},
        {"Line2", 0, back, 4680, 1245, 5400, 1245},  {"Line3", -1, back, 4680, 2475, 5400, 2475},
        {"Line4", -1, back, 4680, 4155, 5400, 4155},
    };
    EXPECT_EQ(dialog.findChildren<ui::Line*>().size(), 15);
    for (const auto& l : lines) {
        SCOPED_TRACE(std::string(l.name) + "(" + std::to_string(l.index) + ")");
        auto* line = dialog.Get<ui::Line>(QString::fromUtf8(l.name), l.index);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->parentWidget(), l.panel);
        EXPECT_EQ(std::tuple(line->X1(), line->Y1(), line->X2(), line->Y2()),
                  std::tuple(l.x1, l.y1, l.x2, l.y2));
        EXPECT_EQ(line->PenWidth(), 1);
    }
    // The keypad body covers the parts of SSPanel1's lines that run beneath it.
    const auto onBack = back->children();
    EXPECT_GT(onBack.indexOf(body), onBack.indexOf(dialog.Find(QStringLiteral("Line1"), 1)));

    // Red notes in the default font unless said otherwise; the wrapping ones put each
    // four-character phrase on a line of its own.
    const QColor red(255, 0, 0);
    const struct {
        const char* name;
        int index;
        const char* caption;
        QPoint at;
        QColor fore;
        double songPoints;  // 0: the default font
        QSize fixedTwips;   // empty: sized to its text
        QStringList lines;
    } labels[] = {
        {"Label1", 0, "答题键盘的使用方法", {64, 8}, QColor(0, 0, 255), 24, {}, {}},
        {"Label1", 1, "按任意键,开始考试!", {80, 352}, QColor(0, 128, 0), 21.75, {}, {}},
        {"Label2", 0, "结束考试", {16, 79}, red, 0, {}, {}},
        {"Label2", 3, "返回上题", {368, 78}, red, 0, {}, {}},
        {"Label2", 2, "向下一题", {368, 158}, red, 0, {735, 255}, {"向下一题"}},
        {"Label2",
         1,
         "开始考试        确认答案        向下一题",
         {368, 248},
         red,
         0,
         {735, 975},
         {"开始考试", "确认答案", "向下一题"}},
        {"Label3",
         1,
         "根据答案        前的序号",
         {16, 160},
         red,
         0,
         {735, 600},
         {"根据答案", "前的序号"}},
        {"Label3",
         0,
         "按数字键        选择答案",
         {16, 208},
         red,
         0,
         {735, 600},
         {"按数字键", "选择答案"}},
    };
    EXPECT_EQ(dialog.findChildren<ui::Label*>().size(), 8);
    for (const auto& l : labels) {
        SCOPED_TRACE(l.caption);
        auto* label = dialog.Get<ui::Label>(QString::fromUtf8(l.name), l.index);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(), back);
        EXPECT_EQ(label->Caption(), QString::fromUtf8(l.caption));
        EXPECT_EQ(label->pos(), l.at);
        EXPECT_EQ(label->ForeColor(), l.fore);
        if (l.songPoints == 0) {
            EXPECT_EQ(label->font(), ui::DefaultDialogFont());
        } else {
            EXPECT_EQ(label->font().family(), QStringLiteral("宋体"));
            EXPECT_DOUBLE_EQ(label->font().pointSizeF(), l.songPoints);
            EXPECT_TRUE(label->font().bold());
        }
        if (l.fixedTwips.isEmpty()) {
            EXPECT_EQ(label->GetSizing(), ui::Label::Sizing::AutoSize);
        } else {
            EXPECT_EQ(label->GetSizing(), ui::Label::Sizing::Fixed);
            EXPECT_EQ(QSizeF(label->Width(), label->Height()), QSizeF(l.fixedTwips));
            EXPECT_EQ(WrappedLines(label->Caption(), label->font(), label->width()), l.lines);
            EXPECT_LE(l.lines.size() * QFontMetrics(label->font()).height(), label->height());
        }
        EXPECT_LE(label->geometry().right(), dialog.width());
    }
}

}  // namespace
