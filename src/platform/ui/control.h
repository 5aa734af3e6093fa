#pragma once
// Base of every control on a form: a widget placed in twips relative to its
// container, remembering the single-precision values it was given.

#include <QString>
#include <QWidget>

namespace ui {

class Control : public QWidget {
    Q_OBJECT

public:
    Control(QWidget* container, const QString& name, int index = -1);

    const QString& Name() const { return name_; }
    int Index() const { return index_; }
    // "Label6(0)" for an element of a control array, else the plain name.
    QString FullName() const;

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void SetLeft(double twips);
    void SetTop(double twips);
    // Negative sizes are refused with ui::Error.
    virtual void SetWidth(double twips);
    virtual void SetHeight(double twips);
    // All four in one statement: either every value is taken or none.
    void Move(double left, double top, double width, double height);

    // The property, not whether it is on screen now (a hidden form's controls keep it).
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool visible) { setVisible(visible); }

protected:
    // Sets the stored size without checks, for controls that size themselves.
    void SetSizeTwips(double width, double height);
    void ApplyGeometry();

private:
    QString name_;
    int index_;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
};

}  // namespace ui
