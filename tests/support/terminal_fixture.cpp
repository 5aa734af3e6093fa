#include "support/terminal_fixture.h"

#include <QKeyEvent>

#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "platform/ui/timer.h"
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

void Terminal::AnswerRight(int position) {
    // The sheet shows question 11 - p at position p: odd positions multiple choice.
    const QString answer = QString::fromLatin1(position % 2 == 1 ? kMultipleAnswer : kSingleAnswer);
    for (int i = 0; i < 6; ++i) {
        if (answer[i] == QLatin1Char('1')) Key(Qt::Key_1 + i);
    }
}

std::vector<SeenModal> Terminal::Modals(const std::vector<int>& keys,
                                        const std::function<void()>& what) {
    ModalDriver driver;
    for (int key : keys) driver.ThenKey(key);
    what();
    EXPECT_TRUE(driver.Done()) << "a window expected a key and did not come up";
    return driver.Seen();
}

void Terminal::TimeOut() {
    fakes.clock.Advance(form->EndMonotonicMs + 500 - fakes.clock.monotonicMs);
    form->Timer2->Fire();
}

int Terminal::SheetRows(const QString& condition) const {
    return Scalar(Db(), QStringLiteral("SELECT count(*) FROM sjdj WHERE ") + condition).ToDouble();
}

QString Terminal::Sheet(const QString& expression) const {
    return Scalar(Db(), QStringLiteral("SELECT group_concat(%1, ' ') FROM "
                                       "(SELECT * FROM sjdj ORDER BY id)")
                            .arg(expression))
        .ToText();
}

namespace {

// What the two screens differ in, for a failure message.
std::string StateOf(const Frmftyaj& f) {
    return QStringLiteral(
               "caption \"%1\", maker line %2, hints %3/%4, photograph at %5, "
               "Timer1 %6, Timer2 %7")
        .arg(f.Label1->Caption())
        .arg(f.Label9->Visible())
        .arg(f.Label8->Visible())
        .arg(f.Label15->Visible())
        .arg(f.Image2->Left())
        .arg(f.Timer1->Enabled())
        .arg(f.Timer2->Enabled())
        .toStdString();
}

}  // namespace

::testing::AssertionResult Terminal::ShowsTitle() const {
    const Frmftyaj& f = *form;
    if (f.Label1->Caption() == kProductTitle && f.Label9->Visible() && !f.Label8->Visible() &&
        !f.Label15->Visible() && f.Image2->Left() == 600.0f && f.Timer1->Enabled() &&
        !f.Timer2->Enabled()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "not the title screen: " << StateOf(f);
}

::testing::AssertionResult Terminal::ShowsExam() const {
    const Frmftyaj& f = *form;
    if (f.Label1->Caption() == QStringLiteral("货运驾驶员从业资格 试卷") &&
        f.PaperState == QStringLiteral("111") && !f.Label9->Visible() && f.Label8->Visible() &&
        f.Label15->Visible() && f.Image2->Left() >= 20000.0f && !f.Timer1->Enabled() &&
        f.Timer2->Enabled()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no exam on screen: " << StateOf(f);
}

}  // namespace testing_support
