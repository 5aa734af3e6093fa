#pragma once
// A form: one top-level window with its controls, laid out in twips. It sees every
// key before its focused control (key preview) and can be shown modally: the show
// returns when the form hides or unloads.

#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "platform/ui/control.h"

class QEventLoop;

namespace ui {

class Form : public QWidget {
    Q_OBJECT

public:
    enum class Style {
        Maximized,          // whole screen, no title bar
        FixedDialog,        // fixed border, caption, no control box
        FixedDialogNoCaption,
    };

    explicit Form(Style style);
    ~Form() override;

    // Creates the controls (first time only) and runs Form_Load.
    void Load();
    bool IsLoaded() const { return loaded_; }
    // modal 1: returns when the form hides or unloads.
    void Show(int modal = 0);
    void Hide();
    // Closes the window; the object and its public fields stay readable.
    void Unload();
    bool IsShowingModal() const { return modalLoop_ != nullptr; }

    // Inner (client) size of the window in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;
    // The form's own width in twips (the window is borderless when maximized).
    double FormWidth() const;

    // Dialogs: the client area in twips; the window is then centred on the screen.
    void SetClientSize(double widthTwips, double heightTwips);
    void SetCaption(const QString& caption);
    void SetIcon(const QImage& icon);
    void SetBackgroundPicture(const QImage& picture);
    const QPixmap& BackgroundPicture() const { return background_; }

    // The key preview: runs Form_KeyDown for the event; true when the key was
    // swallowed (its code set to 0) or the form unloaded while handling it.
    bool PreviewKey(QKeyEvent* event);

    // Controls by name ("Label6") and array index (-1 for none).
    void Register(Control* control);
    Control* Find(const QString& name, int index = -1) const;
    template <class T>
    T* Get(const QString& name, int index = -1) const {
        return qobject_cast<T*>(Find(name, index));
    }

signals:
    void HiddenOrUnloaded();

protected:
    // Controls from the design; called once, on the first load.
    virtual void CreateControls() {}
    virtual void Form_Load() {}
    virtual void Form_KeyDown(int& keyCode, int shift) {
        (void)keyCode;
        (void)shift;
    }
    virtual void Form_Resize() {}

    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyStyle();
    void CentreOnScreen();
    // A form that hides while active hands the keyboard back to the window it came over.
    void ReturnActivation();

    Style style_;
    bool created_ = false;
    bool loaded_ = false;
    bool unloading_ = false;
    QEventLoop* modalLoop_ = nullptr;
    QPointer<QWidget> opener_;
    // In the screen's own format: a picture of another format would be converted
    // whole at every paint, whatever the part exposed.
    QPixmap background_;
    QHash<QString, Control*> controls_;
};

}  // namespace ui
