// A terminal of its own for the test that kills one: it takes an exam on a bank of its
// own, ends it, and when the result message is up prints "result up <database>" and
// waits there to be killed. Temporary files go to TMPDIR, which the test owns.
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "support/headless_app.h"
#include "support/terminal_fixture.h"

namespace {

constexpr int kFailed = 3;
// Left alone this long, it ends by itself rather than linger.
constexpr int kWatchdogMs = 120 * 1000;

[[noreturn]] void Fail(const char* why) {
    std::fprintf(stderr, "hand_in_child: %s\n", why);
    std::fflush(stderr);
    std::_Exit(kFailed);
}

}  // namespace

int main(int argc, char** argv) {
    const auto app = testing_support::StartHeadlessApplication(argc, argv);
    QTimer::singleShot(kWatchdogMs, [] { Fail("not killed in time"); });

    testing_support::Terminal t;
    if (!t.Start()) Fail("the terminal did not start");
    t.TakeOffer();
    if (t.form->PaperState != QStringLiteral("111")) Fail("no exam was offered");
    t.AnswerRight(1);  // the first question right: 10 points

    testing_support::ModalDriver driver;
    driver.ThenKey(Qt::Key_1).Then([&t](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr || !box->text().startsWith(QStringLiteral("考生："))) {
            Fail("the result message did not come up");
        }
        std::printf("result up %s\n", t.Db().toUtf8().constData());
        std::fflush(stdout);
    });
    t.Key(Qt::Key_Escape);
    Fail("the result message was closed");
}
