#pragma once
// Scales every control of a window with the window's size: the design
// geometry and font size of each control are recorded once (Initialize) and
// every later resize computes from those records, so nothing drifts.
//
// A "control" is every named descendant widget of the window that is not a
// window of its own, not one of Qt's internal parts (names "qt_..."), and
// not placed by a layout (a layout already places it). Widgets inside
// combo boxes, spin boxes, tab bars and scroll areas are parts of those, not
// controls; a widget with the dynamic property "kmkResizeLeaf" set to true
// is treated the same way (its children are left to it).
//
// A widget that has the properties X1, X2, Y1 and Y2 is a line control and
// is scaled by its end points. A widget with a "Fontsize" property, or of a
// class given to setFontAccess(), has that font size scaled instead of its
// widget font.

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace kmk {

// Recorded geometry of the window.
class clsForm {
public:
    long Top() const { return m_top; }
    void setTop(long v) { m_top = v; }
    long Left() const { return m_left; }
    void setLeft(long v) { m_left = v; }
    long Width() const { return m_width; }
    void setWidth(long v) { m_width = v; }
    long Height() const { return m_height; }
    void setHeight(long v) { m_height = v; }

private:
    long m_top = 0, m_left = 0, m_width = 0, m_height = 0;
};

// Recorded geometry and font of one control.
class clsControl {
public:
    long Tag() const { return m_tag; }
    void setTag(long v) { m_tag = v; }
    long Top() const { return m_top; }
    void setTop(long v) { m_top = v; }
    long Left() const { return m_left; }
    void setLeft(long v) { m_left = v; }
    long Width() const { return m_width; }
    void setWidth(long v) { m_width = v; }
    long Height() const { return m_height; }
    void setHeight(long v) { m_height = v; }
    long X1() const { return m_x1; }
    void setX1(long v) { m_x1 = v; }
    long X2() const { return m_x2; }
    void setX2(long v) { m_x2 = v; }
    long Y1() const { return m_y1; }
    void setY1(long v) { m_y1 = v; }
    long Y2() const { return m_y2; }
    void setY2(long v) { m_y2 = v; }
    // 0 width and height scaled, 1 width unscaled, 2 height unscaled, 3 both unscaled.
    int ResizeOption() const { return m_resizeOption; }
    void setResizeOption(int v) { m_resizeOption = v; }
    QString Name() const { return m_name; }
    void setName(const QString& v) { m_name = v; }
    float Fontsize() const { return m_fontsize; }
    void setFontsize(float v) { m_fontsize = v; }
    bool FontSizing() const { return m_fontSizing; }
    void setFontSizing(bool v) { m_fontSizing = v; }

    // The control lay parked left of the window (negative Left) when it was
    // recorded; its recorded Left then includes clsResize::HiddenOffset.
    bool parkedAtDesign() const { return m_parked; }
    void setParkedAtDesign(bool v) { m_parked = v; }
    bool isLine() const { return m_line; }
    void setLine(bool v) { m_line = v; }

private:
    long m_tag = 0;
    long m_top = 0, m_left = 0, m_width = 0, m_height = 0;
    long m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
    int m_resizeOption = 0;
    QString m_name;
    float m_fontsize = 0;
    bool m_fontSizing = true;
    bool m_parked = false;
    bool m_line = false;
};

// Keyed collection of control records.
class col_Controls {
public:
    // Returns the new record, or nullptr when the key is already taken
    // (the existing record is left as it is).
    clsControl* Add(long Top, long Left, long Width, long Height, const QString& Name, float Fontsize);
    clsControl* AddLine(long X1, long X2, long Y1, long Y2, const QString& Name);
    // nullptr for an unknown key.
    clsControl* Item(const QString& Key) const;
    long Count() const { return long(m_items.size()); }
    void clear();

private:
    // A fresh record under Name, numbered in order; nullptr when taken.
    clsControl* neu(const QString& Name);
    std::vector<std::unique_ptr<clsControl>> m_items;
    QHash<QString, clsControl*> m_byKey;
};

class clsResize {
public:
    // A control parked out of sight at a negative Left is shifted by this
    // many pixels while it is recorded and scaled.
    static constexpr long HiddenOffset = 5000;

    clsResize() = default;
    clsResize(const clsResize&) = delete;
    clsResize& operator=(const clsResize&) = delete;

    void setForm(QWidget* form) { m_form = form; }
    QWidget* oForm() const { return m_form.data(); }

    // Records the window's geometry and every control's geometry and font.
    // May be called again to record afresh.
    void Initialize();
    // Scales every recorded control to the window's present size. Does
    // nothing while the window is minimised or has no size.
    void DoResize();
    // Puts every recorded control back to its recorded geometry and font;
    // with RestoreForm the window gets its recorded size back as well.
    void DoResize_First(bool RestoreForm);
    // Excludes width and/or height of one control from scaling and switches
    // its font scaling.
    void ResizeOption(QWidget* control, int option, bool fontSizing);

    float ScaleMinMax() const { return m_scaleMinMax; }
    void setScaleMinMax(float percent) { m_scaleMinMax = percent; }

    const clsForm& form() const { return m_formRecord; }
    const col_Controls& controls() const { return m_controls; }
    // The record of a control, nullptr when it was not recorded.
    clsControl* recordOf(QWidget* control) const;

    // The controls of a window in the order they are recorded and scaled.
    static QList<QWidget*> controlsOf(QWidget* form);

    // How the font size of controls of one class is read and written when
    // it is not their widget font (hosted controls keep it in their
    // container). className as QObject::inherits() knows it.
    struct FontAccess {
        std::function<float(const QWidget*)> get;
        std::function<void(QWidget*, float)> set;
    };
    static void setFontAccess(const QString& className, FontAccess access);

private:
    void place(QWidget* w, const clsControl& rec, double xr, double yr, double m, bool first);

    QPointer<QWidget> m_form;
    clsForm m_formRecord;
    col_Controls m_controls;
    QHash<QWidget*, QPointer<QWidget>> m_alive;
    QHash<QWidget*, clsControl*> m_byWidget;
    float m_scaleMinMax = 0;
};

} // namespace kmk
