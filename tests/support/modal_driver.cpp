#include "support/modal_driver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>

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

}  // namespace

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
    SeenModal seen;
    seen.className = QString::fromUtf8(modal->metaObject()->className());
    seen.title = modal->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen.text = box->text();
        seen.icon = static_cast<int>(box->icon());
    }
    seen_.push_back(seen);
    if (steps_.empty()) {
        ++unexpected_;
        ADD_FAILURE() << "unexpected modal window " << seen.className.toStdString() << " \""
                      << seen.text.toStdString() << "\"";
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->done(0);
        } else {
            modal->close();
            modal->hide();
        }
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
