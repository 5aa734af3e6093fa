// Pictures of the six dialogs under build/screens, and a check that every caption's
// font really holds the Chinese characters, so none of them is drawn as boxes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <memory>

#include "dialogs/frmquit.h"
#include "dialogs/frmquit1.h"
#include "dialogs/frmquit2.h"
#include "dialogs/frmquit3.h"
#include "dialogs/frmquit4.h"
#include "dialogs/frmquit5.h"
#include "platform/db/connection.h"
#include "platform/ui/button3d.h"
#include "platform/ui/label.h"
#include "platform/ui/message_box.h"
#include "platform/ui/panel3d.h"
#include "shared/module1.h"
#include "support/exam_db.h"
#include "support/fakes.h"
#include "support/modal_driver.h"
#include "support/program_folder.h"
#include "support/screenshot.h"

namespace {

struct Caption {
    QString who;
    QString text;
    QFont font;
    int widthPx;
    bool wraps = false;
};

// Every caption of the dialog with the font it is drawn in.
std::vector<Caption> CaptionsOf(const ui::Form& dialog) {
    std::vector<Caption> captions{{QStringLiteral("title"), dialog.windowTitle(), dialog.font(),
                                   dialog.width()}};
    for (const ui::Label* l : dialog.findChildren<ui::Label*>()) {
        captions.push_back({l->FullName(), l->Caption(), l->font(), l->width(),
                            l->GetSizing() != ui::Label::Sizing::AutoSize});
    }
    for (const ui::Panel3D* p : dialog.findChildren<ui::Panel3D*>()) {
        captions.push_back({p->FullName(), p->Caption(), p->font(), p->width()});
    }
    for (const ui::Button3D* b : dialog.findChildren<ui::Button3D*>()) {
        captions.push_back({b->FullName(), b->Caption(), b->font(), b->width()});
    }
    return captions;
}

void ExpectGlyphsAndSave(ui::Form& dialog, const QString& name) {
    dialog.Show();
    testing_support::ProcessEvents();
    for (const Caption& c : CaptionsOf(dialog)) {
        if (c.text.isEmpty()) continue;
        const QFontMetrics metrics(c.font);
        bool chinese = false;
        for (const uint ucs4 : c.text.toUcs4()) {
            if (ucs4 < 0x2E80) continue;
            chinese = true;
            EXPECT_TRUE(metrics.inFontUcs4(ucs4))
                << name.toStdString() << " " << c.who.toStdString() << " U+" << std::hex << ucs4;
        }
        if (!c.wraps) {
            EXPECT_LE(metrics.horizontalAdvance(c.text), c.widthPx)
                << name.toStdString() << " " << c.who.toStdString() << " is cut off";
        }
        if (!chinese) continue;
        EXPECT_TRUE(QFontInfo(c.font).family().startsWith(QStringLiteral("AR PL")))
            << name.toStdString() << " " << c.who.toStdString() << " drawn in "
            << QFontInfo(c.font).family().toStdString();
    }
    const QString path = testing_support::SaveScreenshot(&dialog, name);
    EXPECT_FALSE(path.isEmpty()) << name.toStdString();
    EXPECT_TRUE(QFile::exists(path)) << name.toStdString();
    dialog.Hide();
}

class DialogScreens : public ::testing::Test {
protected:
    testing_support::ProgramFolder folder;
    testing_support::FakeServices fakes{folder.Path()};
    shared::Module1 module{fakes.services};
};

TEST_F(DialogScreens, OperatorCode) {
    Frmquit dialog(module);
    ExpectGlyphsAndSave(dialog, QStringLiteral("dialog_frmquit"));
}

TEST_F(DialogScreens, EndExamPrompt) {
    Frmquit1 dialog(module);
    ExpectGlyphsAndSave(dialog, QStringLiteral("dialog_frmquit1"));
}

TEST_F(DialogScreens, CandidateConfirmation) {
    module.CandidateName = QStringLiteral("王小明");
    module.AdmissionNo = QStringLiteral("320102199001011234");
    Frmquit2 dialog(module);
    ExpectGlyphsAndSave(dialog, QStringLiteral("dialog_frmquit2"));
}

TEST_F(DialogScreens, KeypadInstructions) {
    Frmquit3 dialog(module);
    ExpectGlyphsAndSave(dialog, QStringLiteral("dialog_frmquit3"));
}

TEST_F(DialogScreens, ReviewPrompt) {
    Frmquit4 dialog(module);
    ExpectGlyphsAndSave(dialog, QStringLiteral("dialog_frmquit4"));
}

TEST_F(DialogScreens, PaperKindSelection) {
    const QString path = folder.DatabasePath();
    testing_support::CreateSchema(path);
    const char* kinds[][2] = {{"1", "小型汽车"}, {"2", "大型客车"}, {"3", "牵引车"},
                              {"4", "城市公交车"}, {"5", "中型客车"}, {"6", "大型货车"},
                              {"7", "小型自动挡汽车"}, {"8", "低速载货汽车"},
                              {"9", "三轮汽车"}, {"91", "默认"}, {"92", "备用"},
                              {"93", "摩托车"}};
    for (const auto& [kind, name] : kinds) {
        testing_support::AddKind(path, QString::fromUtf8(kind), QString::fromUtf8(name),
                                 QString::fromUtf8(name));
    }
    module.AppFolder = folder.Path();
    module.ConnectionString = testing_support::ConnectionStringFor(folder.Path());
    module.Conn = std::make_unique<db::Connection>();
    Frmquit5 dialog(module);
    ExpectGlyphsAndSave(dialog, QStringLiteral("dialog_frmquit5"));
}

TEST_F(DialogScreens, ResultMessage) {
    testing_support::ModalDriver driver;
    driver.Then([](QWidget* box) {
        for (const QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
            for (const QChar c : button->text()) {
                EXPECT_TRUE(QFontMetrics(button->font()).inFont(c))
                    << "U+" << std::hex << static_cast<int>(c.unicode());
            }
        }
        const QString path = testing_support::SaveScreenshot(box, QStringLiteral("message_result"));
        EXPECT_FALSE(path.isEmpty());
        testing_support::PressKey(Qt::Key_Return);
    });
    ui::MsgBox(QStringLiteral("考生：驾驶员合计考90分， 合格！"), ui::vbInformation,
               shared::kApplicationTitle);
    EXPECT_TRUE(driver.Done());
}

}  // namespace
