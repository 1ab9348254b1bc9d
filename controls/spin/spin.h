#pragma once
// The spin-button control of QKSPIN32 (class QKSpin).

#include "controls/common/controlbase.h"

#include <QPolygon>

namespace qkspin {

namespace id {
enum : com::DispId {
    FontName = 1, FontBold = 2, FontItalic = 3, FontSize = 4, Value = 5, Max = 6, Min = 7, Increment = 8,
    SpinRate = 9, Style = 10, ValueDisplay = 11, Alignment = 12, ButtonWidth = 13, FillColor = 14,
    LightColor = 15, ShadeColor = 16, ArrowColor = 17, BorderColor = 18, MousePointer = 19, MouseIcon = 20,
    FontStrikethru = 21, FontUnderline = 22, HdnHeight = 23, HdnWidth = 24, GetArrows = 25, ToolTip = 26,
};
// Events.
constexpr com::DispId Change = 1;
constexpr com::DispId ChangeSpin = 2;
constexpr com::DispId SpinUp = 3;
constexpr com::DispId SpinDown = 4;
} // namespace id

const com::ClassInfo& classInfo();

class Spin : public ctl::ControlBase {
public:
    Spin();
    ~Spin() override;

    const com::ClassInfo& classInfo() const override { return qkspin::classInfo(); }
    com::HRESULT invoke(com::DispId id, com::InvokeKind kind, QVariantList& args, QVariant* result,
                        com::ExcepInfo* exc) override;
    void initNew() override;
    com::HRESULT load(const com::PropertyBag& bag) override;
    com::HRESULT save(com::PropertyBag& bag) override;
    void showPropertyPage() override;

    // Setters; a refused value throws com::DispatchException and changes nothing.
    void setValue(qint16 v);
    void setMax(qint16 v);
    void setMin(qint16 v);
    void setIncrement(qint16 v);
    void setSpinRate(qint16 v);
    void setStyle(qint16 v);
    void setValueDisplay(qint16 v);
    void setAlignment(qint16 v);
    void setButtonWidth(qint16 v);
    void setGetArrows(qint16 v);
    void setColorProperty(com::DispId which, quint32 c);
    quint32 colorProperty(com::DispId which) const;

    qint16 value() const { return value_; }
    qint16 max() const { return max_; }
    qint16 min() const { return min_; }
    qint16 increment() const { return increment_; }
    qint16 spinRate() const { return spinRate_; }
    qint16 style() const { return style_; }
    qint16 valueDisplay() const { return valueDisplay_; }
    qint16 alignment() const { return alignment_; }
    qint16 buttonWidth() const { return buttonWidth_; }
    qint16 getArrows() const { return getArrows_; }

    // Repeat timing in ms: the first repeat and the following ones.
    int firstRepeatDelay() const;
    int repeatInterval() const;
    int direction() const { return direction_; }

    QRect upButtonRect() const;
    QRect downButtonRect() const;
    QRect valueRect() const;
    // 1 up/right button, 2 down/left button, 0 neither.
    int hitTestButton(const QPoint& p) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void onFontChanged() override;

private:
    bool spinStep();
    void spinAction();
    void pressButton(int hit);
    void tick();
    void stopRepeat();
    void computeLayout();
    void repairValues();
    void setLayoutValue(qint16& member, qint16 v, bool ok, const char* refusal, com::DispId which);
    int toPixels(int himetric) const;
    int toHimetric(int pixels) const;
    void fireSpin();
    bool fireChange();

    qint16 value_ = 0, max_ = 100, min_ = 0, increment_ = 1, spinRate_ = 10;
    qint16 style_ = 2, valueDisplay_ = 0, alignment_ = 2, buttonWidth_ = 300, getArrows_ = 0;
    quint32 fillColor_ = 0x8000000F, lightColor_ = 0x80000014, shadeColor_ = 0x80000010;
    quint32 arrowColor_ = 0x80000012, borderColor_ = 0x80000006;

    int direction_ = 0;
    bool pointerOutside_ = false;
    bool repeatFirstDelay_ = false;
    bool busy_ = false;
    bool mouseHeld_ = false;

    // Windows-style rectangles: right and bottom are exclusive.
    struct Box { int l = 0, t = 0, r = 0, b = 0; };
    Box value_box_, up_box_, down_box_;
    QPolygon upArrow_, downArrow_;
    QTimer repeat_;
    QPointer<QWidget> watchedWindow_;
};

} // namespace qkspin
