#include "support/modal_driver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/ui/button3d.h"
#include "platform/ui/label.h"
#include "platform/ui/panel3d.h"

namespace testing_support {
namespace {

QString DefaultText(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) return QStringLiteral("\r");
    if (qtKey == Qt::Key_Escape) return QString(QChar(27));
    if (qtKey == Qt::Key_Space) return QStringLiteral(" ");
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9 && !(modifiers & Qt::ShiftModifier)) {
        return QString(QChar('0' + (qtKey - Qt::Key_0)));
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z && !(modifiers & Qt::ControlModifier)) {
        const QChar c('a' + (qtKey - Qt::Key_A));
        return QString(modifiers & Qt::ShiftModifier ? c.toUpper() : c);
    }
    if (qtKey == Qt::Key_Period) return QStringLiteral(".");
    if (qtKey == Qt::Key_Plus) return QStringLiteral("+");
    if (qtKey == Qt::Key_Minus) return QStringLiteral("-");
    if (qtKey == Qt::Key_Exclam) return QStringLiteral("!");
    return QString();
}

QWidget* KeyboardTarget() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        QWidget* focus = modal->focusWidget();
        return focus != nullptr ? focus : modal;
    }
    if (QWidget* focus = QApplication::focusWidget()) return focus;
    return QApplication::activeWindow();
}

// Drivers nest like the scopes that hold them: only the newest one acts.
std::vector<ModalDriver*>& Drivers() {
    static std::vector<ModalDriver*> drivers;
    return drivers;
}

void CloseModal(QWidget* modal) {
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->done(0);
        return;
    }
    modal->close();
    modal->hide();
}

std::string Quoted(const QString& text) { return "\"" + text.toStdString() + "\""; }

// The watchdog counts its own ticks rather than reading a clock, so that a machine
// too busy to run the event loop never makes a window look forgotten.
constexpr auto kWatchInterval = std::chrono::milliseconds(100);
constexpr auto kPatience = std::chrono::milliseconds(3000);
// Once the test has failed there is nothing left to wait for.
constexpr auto kPatienceAfterFailure = std::chrono::milliseconds(500);
// A window that keeps coming back would still run into the runner's timeout.
constexpr int kMostClosesPerTest = 10;

struct Watchdog {
    std::chrono::milliseconds patience = kPatience;
    QPointer<QWidget> watched;
    std::chrono::milliseconds watchedFor{0};
    const ::testing::TestInfo* test = nullptr;
    int closes = 0;
};

Watchdog& TheWatchdog() {
    static Watchdog watchdog;
    return watchdog;
}

void Watch() {
    Watchdog& w = TheWatchdog();
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
        w.watched.clear();
        return;
    }
    if (modal != w.watched.data()) {
        w.watched = modal;
        w.watchedFor = std::chrono::milliseconds(0);
        return;
    }
    w.watchedFor += kWatchInterval;
    const auto patience = ::testing::Test::HasFailure() ? std::min(w.patience, kPatienceAfterFailure)
                                                        : w.patience;
    if (w.watchedFor < patience) return;

    const SeenModal seen = Describe(modal);
    w.watched.clear();
    ADD_FAILURE() << "modal window " << seen.className.toStdString() << " "
                  << Quoted(seen.title) << " left unanswered for " << w.watchedFor.count()
                  << " ms, closed: " << Quoted(seen.text);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (test != w.test) {
        w.test = test;
        w.closes = 0;
    }
    if (++w.closes >= kMostClosesPerTest) {
        std::fprintf(stderr, "%d modal windows left unanswered in one test: giving up\n",
                     w.closes);
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    CloseModal(modal);
}

}  // namespace

SeenModal Describe(QWidget* modal) {
    SeenModal seen;
    seen.className = QString::fromUtf8(modal->metaObject()->className());
    seen.title = modal->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen.text = box->text();
        seen.icon = static_cast<int>(box->icon());
        return seen;
    }
    QStringList captions;
    for (QWidget* child : modal->findChildren<QWidget*>()) {
        QString caption;
        if (auto* label = qobject_cast<ui::Label*>(child)) caption = label->Caption();
        if (auto* panel = qobject_cast<ui::Panel3D*>(child)) caption = panel->Caption();
        if (auto* button = qobject_cast<ui::Button3D*>(child)) caption = button->Caption();
        if (!caption.trimmed().isEmpty()) captions << caption;
    }
    seen.text = captions.join(QStringLiteral(" | "));
    return seen;
}

void StartModalWatchdog() {
    auto* timer = new QTimer(QCoreApplication::instance());
    timer->setInterval(kWatchInterval);
    QObject::connect(timer, &QTimer::timeout, [] { Watch(); });
    timer->start();
}

ScopedModalPatience::ScopedModalPatience(std::chrono::milliseconds patience)
    : previous_(TheWatchdog().patience) {
    TheWatchdog().patience = patience;
}

ScopedModalPatience::~ScopedModalPatience() { TheWatchdog().patience = previous_; }

ModalDriver::ModalDriver() {
    Drivers().push_back(this);
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
}

ModalDriver::~ModalDriver() {
    timer_.stop();
    std::erase(Drivers(), this);
}

ModalDriver& ModalDriver::Then(Action action) {
    steps_.push_back(std::move(action));
    return *this;
}

ModalDriver& ModalDriver::ThenKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    return Then([qtKey, modifiers](QWidget*) { PressKey(qtKey, modifiers); });
}

void ModalDriver::Poll() {
    if (Drivers().empty() || Drivers().back() != this) return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || modal == lastHandled_.data()) return;
    lastHandled_ = modal;
    SeenModal seen = Describe(modal);
    seen_.push_back(seen);
    if (steps_.empty()) {
        ++unexpected_;
        ADD_FAILURE() << "unexpected modal window " << seen.className.toStdString() << " "
                      << Quoted(seen.title) << ": " << Quoted(seen.text);
        CloseModal(modal);
        return;
    }
    Action action = std::move(steps_.front());
    steps_.pop_front();
    // Run from the modal window's own loop, not from inside this poll, so that an
    // action opening further modal windows leaves the driver free to serve them.
    QPointer<QWidget> target(modal);
    QTimer::singleShot(0, modal, [action = std::move(action), target] {
        if (!target.isNull()) action(target.data());
    });
}

void PressKeyOn(QWidget* target, int qtKey, Qt::KeyboardModifiers modifiers,
                quint32 nativeScanCode, const QString& text) {
    if (target == nullptr) {
        ADD_FAILURE() << "no window to send the key to";
        return;
    }
    QPointer<QWidget> guard(target);
    const QString shown = text.isNull() ? DefaultText(qtKey, modifiers) : text;
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, nativeScanCode, 0, 0, shown);
    QCoreApplication::sendEvent(target, &press);
    if (guard.isNull()) return;
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, nativeScanCode, 0, 0, shown);
    QCoreApplication::sendEvent(guard.data(), &release);
}

void PressKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode,
              const QString& text) {
    PressKeyOn(KeyboardTarget(), qtKey, modifiers, nativeScanCode, text);
}

void ProcessEvents() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace testing_support
