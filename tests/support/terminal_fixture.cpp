#include "support/terminal_fixture.h"

#include <QKeyEvent>

#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/timer.h"
#include "startup/startup.h"
#include "startup/startup.h"

namespace testing_support {

const char* const kSingleAnswer = "010000";
const char* const kMultipleAnswer = "101000";

Terminal::Terminal() {
    folder.WriteSettings(QStringLiteral("5"), QStringLiteral("1"));
    CreateSchema(Db());
    AddKind(Db(), QStringLiteral("1"), QStringLiteral("道路货物运输驾驶员"),
            QStringLiteral("货运驾驶员从业资格"), 50, 90);
    for (int paper = 1; paper <= 5; ++paper) {
        AddStandardPaper(QStringLiteral("10001%1").arg(paper, 3, 10, QLatin1Char('0')));
    }
}

Terminal::~Terminal() {
    if (form != nullptr) form->hide();
}

void Terminal::AddStandardPaper(const QString& paperName, int count) {
    AddPaper(Db(), paperName, count, [](int i, Question& q) {
        q.fz = 10;
        q.options = {QStringLiteral("选项一"), QStringLiteral("选项二"), QStringLiteral("选项三"),
                     QStringLiteral("选项四"), {}, {}};
        if (i % 2 == 0) {
            q.tx = QStringLiteral("多选题");
            q.da = QString::fromLatin1(kMultipleAnswer);
        } else {
            q.tx = QStringLiteral("单选题");
            q.da = QString::fromLatin1(kSingleAnswer);
        }
    });
}

void Terminal::MakeSixOptionPaper(const QString& paperName) {
    Exec(Db(), QStringLiteral("DELETE FROM sj WHERE sjmc = '%1'").arg(paperName));
    AddPaper(Db(), paperName, 10, [](int i, Question& q) {
        q.fz = 10;
        q.options = {QStringLiteral("选项一"), QStringLiteral("选项二"), QStringLiteral("选项三"),
                     QStringLiteral("选项四"), QStringLiteral("选项五"), QStringLiteral("选项六")};
        q.tx = i % 2 == 0 ? QStringLiteral("多选题") : QStringLiteral("单选题");
        q.da = QString::fromLatin1(i % 2 == 0 ? kMultipleAnswer : kSingleAnswer);
    });
}

bool Terminal::Start(int widthPx, int heightPx) {
    module = std::make_unique<shared::Module1>(fakes.services);
    if (!startup::PrepareRun(*module)) return false;
    if (busyTimeoutMs) module->Conn->BusyTimeoutMs = *busyTimeoutMs;
    form = &startup::CreateMainForm(*module);
    form->Show(0);
    // The platform's own maximizing arrives as a posted event; let it pass first.
    ProcessEvents();
    form->resize(widthPx, heightPx);
    ProcessEvents();
    return form->IsLoaded();
}

void Terminal::IdleTicks(int n) {
    for (int i = 0; i < n; ++i) form->Timer1->Fire();
}

void Terminal::TakeOffer() {
    ModalDriver driver;
    driver.ThenKey(Qt::Key_Return).ThenKey(Qt::Key_A);
    IdleTicks(5);
}

void Terminal::Key(int qtKey, Qt::KeyboardModifiers modifiers) {
    PressKeyOn(form, qtKey, modifiers);
}

bool Terminal::Swallowed(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode) {
    QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, nativeScanCode, 0, 0);
    return form->PreviewKey(&event);
}

QString Terminal::Markers() const {
    QString mask;
    for (int i = 1; i <= 6; ++i) mask += form->Image1[i]->Visible() ? '1' : '0';
    return mask;
}

}  // namespace testing_support
