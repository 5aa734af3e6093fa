#pragma once
// Drives modal windows from a test: each scripted step waits for a new modal window
// (a dialog form or a message box), records what it shows, and acts on it with real
// key or mouse events. A modal window that no step expects fails the test and is
// closed, so a test never hangs on one. When drivers are nested, only the newest acts.
// Behind them a watchdog closes any modal window that stays up unanswered.

#include <QPointer>
#include <chrono>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <deque>
#include <vector>

namespace testing_support {

struct SeenModal {
    QString className;   // "QMessageBox", "Frmquit2", ...
    QString title;
    QString text;        // a message box's text
    int icon = 0;        // a message box's QMessageBox::Icon
};

class ModalDriver {
public:
    using Action = std::function<void(QWidget* modal)>;

    ModalDriver();
    ~ModalDriver();

    // The next modal window that appears gets this action.
    ModalDriver& Then(Action action);
    // Shorthand: press one key on the next modal window (sent to its focus widget).
    ModalDriver& ThenKey(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    const std::vector<SeenModal>& Seen() const { return seen_; }
    bool Done() const { return steps_.empty(); }
    int Unexpected() const { return unexpected_; }

private:
    void Poll();

    QTimer timer_;
    std::deque<Action> steps_;
    std::vector<SeenModal> seen_;
    QPointer<QWidget> lastHandled_;
    int unexpected_ = 0;
};

// What a modal window shows: its class, title, and text (a message box's text, or the
// captions of a form's labels, panels and buttons).
SeenModal Describe(QWidget* modal);

// Once started (by the test main), any modal window that stays up unanswered for a few
// seconds, in whatever nested loop, fails the running test with what it shows and is
// closed, so that the call waiting on it returns.
void StartModalWatchdog();

// How long the watchdog waits, for as long as this lives.
class ScopedModalPatience {
public:
    explicit ScopedModalPatience(std::chrono::milliseconds patience);
    ~ScopedModalPatience();
    ScopedModalPatience(const ScopedModalPatience&) = delete;
    ScopedModalPatience& operator=(const ScopedModalPatience&) = delete;

private:
    std::chrono::milliseconds previous_;
};

// Sends a key press and release the way a keyboard does: to the focus widget of the
// active modal window, else of the application.
void PressKey(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              quint32 nativeScanCode = 0, const QString& text = QString());
void PressKeyOn(QWidget* target, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                quint32 nativeScanCode = 0, const QString& text = QString());

// Lets pending posted events (such as an injected key) be handled.
void ProcessEvents();

}  // namespace testing_support
