#include "platform/ui/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScreen>

#include "platform/ui/keys.h"
#include "platform/ui/twips.h"

namespace ui {
namespace {

QString Key(const QString& name, int index) {
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

}  // namespace

Form::Form(Style style) : QWidget(nullptr), style_(style) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // The paint covers every exposed pixel: no fill of the whole region beforehand.
    setAttribute(Qt::WA_OpaquePaintEvent);
    ApplyStyle();
}

Form::~Form() {
    if (modalLoop_ != nullptr) modalLoop_->quit();
}

void Form::ApplyStyle() {
    switch (style_) {
        case Style::Maximized:
            setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
            break;
        case Style::FixedDialog:
            setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::MSWindowsFixedSizeDialogHint);
            break;
        case Style::FixedDialogNoCaption:
            setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint |
                           Qt::MSWindowsFixedSizeDialogHint);
            break;
    }
}

void Form::Load() {
    if (loaded_) return;
    if (!created_) {
        created_ = true;
        CreateControls();
    }
    loaded_ = true;
    Form_Load();
}

void Form::Show(int modal) {
    if (!loaded_) Load();
    if (!loaded_) return;  // unloaded itself while loading
    QPointer<Form> self(this);
    QWidget* active = QApplication::activeWindow();
    // A dialog that has just hidden may still be the active window: look past it.
    if (auto* hidden = qobject_cast<Form*>(active); hidden != nullptr && !hidden->isVisible()) {
        active = hidden->opener_;
    }
    if (active != nullptr && active != this) opener_ = active;
    if (modal == 1) setWindowModality(Qt::ApplicationModal);
    if (style_ == Style::Maximized) {
        // Without a window manager "maximized" does nothing: take the screen as well.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            setGeometry(screen->geometry());
        }
        showMaximized();
    } else {
        CentreOnScreen();
        show();
    }
    if (self.isNull()) return;
    raise();
    activateWindow();
    QWidget* target = this;
    for (QWidget* child : findChildren<QWidget*>()) {
        if ((child->focusPolicy() & Qt::TabFocus) && child->isEnabled() && !child->isHidden()) {
            target = child;
            break;
        }
    }
    // A form with a control that takes the focus never takes it itself: a click on the
    // form or a Tab leaves the focus where it is.
    if (target != this) setFocusPolicy(Qt::NoFocus);
    target->setFocus(Qt::ActiveWindowFocusReason);
    if (modal != 1 || !isVisible()) return;
    QEventLoop loop;
    modalLoop_ = &loop;
    connect(this, &Form::HiddenOrUnloaded, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::DialogExec);
    if (!self.isNull()) modalLoop_ = nullptr;
}

void Form::Hide() { hide(); }

void Form::Unload() {
    if (!loaded_) return;
    loaded_ = false;
    unloading_ = true;
    hide();
    unloading_ = false;
    emit HiddenOrUnloaded();
}

double Form::ScaleWidth() const { return ToTwipsX(width()); }
double Form::ScaleHeight() const { return ToTwipsY(height()); }
double Form::FormWidth() const { return ToTwipsX(frameGeometry().width()); }

void Form::SetClientSize(double widthTwips, double heightTwips) {
    setFixedSize(ToPixelsX(widthTwips), ToPixelsY(heightTwips));
    CentreOnScreen();
}

void Form::CentreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    move(area.center().x() - width() / 2, area.center().y() - height() / 2);
}

void Form::SetCaption(const QString& caption) { setWindowTitle(caption); }

void Form::SetIcon(const QImage& icon) { setWindowIcon(QIcon(QPixmap::fromImage(icon))); }

void Form::SetBackgroundPicture(const QImage& picture) {
    background_ = QPixmap::fromImage(picture);
    update();
}

bool Form::PreviewKey(QKeyEvent* event) {
    if (!loaded_) return true;
    QPointer<Form> self(this);
    int keyCode = VirtualKey(*event);
    Form_KeyDown(keyCode, ShiftState(*event));
    if (self.isNull()) return true;
    if (keyCode == 0 || !loaded_) {
        event->accept();
        return true;
    }
    return false;
}

void Form::keyPressEvent(QKeyEvent* event) {
    PreviewKey(event);
    event->accept();
}

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (loaded_) Form_Resize();
}

void Form::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous()) return;
    ReturnActivation();
    if (!unloading_) emit HiddenOrUnloaded();
}

void Form::ReturnActivation() {
    // Without a window manager nobody gives the keyboard back to the window below. The
    // opener may still look active while this form's own activation is under way.
    QWidget* active = QApplication::activeWindow();
    if (opener_.isNull() || !opener_->isVisible()) return;
    if (active == this || active == nullptr || active == opener_) opener_->activateWindow();
}

void Form::closeEvent(QCloseEvent* event) {
    // The forms have no control box: the window system cannot close them (a kiosk's
    // Alt+F4 must not end an exam and lose its answers).
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    event->accept();
    if (loaded_) {
        loaded_ = false;
        emit HiddenOrUnloaded();
    }
}

void Form::paintEvent(QPaintEvent* event) {
    // Only what is exposed, one rectangle at a time: under a clip of one rectangle the
    // picture is copied line by line instead of blended span by span.
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    for (const QRect& exposed : event->region()) {
        painter.setClipRect(exposed);
        const QRect shown = exposed & background_.rect();
        if (!shown.isEmpty()) painter.drawPixmap(shown.topLeft(), background_, shown);
        for (const QRect& beyond : QRegion(exposed).subtracted(shown)) {
            painter.fillRect(beyond, face);
        }
    }
}

void Form::Register(Control* control) { controls_.insert(control->FullName(), control); }

Control* Form::Find(const QString& name, int index) const {
    return controls_.value(Key(name, index), nullptr);
}

}  // namespace ui
