#pragma once
// What both controls share: the host site, synchronous events, the
// modified mark, the stock properties (colours, font, Enabled), the stock
// mouse and key events, the mouse pointer, the tool tip and the dialogs.

#include "platform/com/control.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

class QDialog;

namespace ctl {

class ControlBase;
class IniDefaults;

// The pale yellow box that tells the control's name after the pointer rests.
class ToolTip {
public:
    enum State { None = 0, Waiting = 1, Shown = 2 };
    explicit ToolTip(ControlBase* owner);
    ~ToolTip();
    State state() const { return state_; }
    void mouseMoved(const QPoint& local);
    void pointerLeft();
    void hide();
    // Where a box of `size` goes for a pointer at `global` on `screen`.
    static QRect placement(const QPoint& global, const QSize& size, const QRect& screen);
    QWidget* tipWindow() const { return tip_; }

private:
    void timeout();
    void show();

    ControlBase* owner_;
    State state_ = None;
    QTimer timer_;
    QWidget* tip_ = nullptr;
};

// The mouse pointers a control takes; stored forms and defaults files may hold anything.
inline bool isMousePointer(qint16 v) { return (v >= 0 && v <= 15) || v == 99; }

// Converts a colour of the platform (0x00BBGGRR, or 0x800000nn for system colour nn).
QColor oleColor(quint32 value);

class ControlBase : public QWidget, public com::IControl {
public:
    ControlBase();
    ~ControlBase() override;

    // IControl
    QWidget* widget() override { return this; }
    void setClientSite(com::IControlSite* site) override { site_ = site; }
    void advise(com::IEventSink* sink) override;
    void unadvise(com::IEventSink* sink) override;
    bool isDirty() const override { return modified_; }
    void release() override;
    com::HRESULT drawPicture(const QSize& target, com::Picture* picture) override;

    // Mouse pointer 0..15 or 99 (15 and 99 use the mouse icon).
    void setMousePointerValue(qint16 v);
    qint16 mousePointerValue() const { return mousePointer_; }
    void setMouseIcon(const com::Picture& p);
    const com::Picture& mouseIcon() const { return mouseIcon_; }

    const QString& toolTipText() const { return toolTip_; }
    void setToolTipText(const QString& t);
    ToolTip& toolTipState() { return tip_; }

    bool userMode() const { return !site_ || site_->ambientUserMode(); }
    bool uiDead() const { return site_ && site_->ambientUIDead(); }
    int runModal(QDialog* dialog);
    // The About box under the class name, over `parent` (the control itself when null).
    void aboutBox(QWidget* parent = nullptr);

    // Stock properties.
    quint32 backColorValue() const { return backColor_; }
    quint32 foreColorValue() const { return foreColor_; }
    void setBackColorValue(quint32 c);
    void setForeColorValue(quint32 c);
    const QString& fontName() const { return fontName_; }
    double fontSize() const { return fontSize_; }
    void setFontName(const QString& name);
    void setFontSize(double points);
    void setFontFlag(int which, bool on);   // 0 bold, 1 italic, 2 underline, 3 strikeout
    bool fontFlag(int which) const;
    // The stock Font property: the font the control draws with.
    QFont stockFont() const;
    void setStockFont(const QFont& f);

    void setModified() { modified_ = true; }
    void notifyChanged(com::DispId id);
    // A property changed by the control itself: modified, and the host is told.
    void changed(com::DispId id) { setModified(); notifyChanged(id); }
    void fireEvent(com::DispId id, QVariantList args = {});

protected:
    virtual void onFontChanged() { update(); }
    // Stock persistence: version and size, colours, font and Enabled.
    void saveStock(com::PropertyBag& bag) const;
    void loadStock(const com::PropertyBag& bag);
    // The stored mouse pointer (out of range gives the default) and icon.
    void loadMouse(const com::PropertyBag& bag);
    // Colours and font from the library's defaults; the strikeout flag's key differs between libraries.
    void loadStockDefaults(const IniDefaults& ini, const QString& strikeoutKey);

    // The framework's handling of input: raise the stock events.
    void fireMouseDown(QMouseEvent* e);
    void fireMouseUp(QMouseEvent* e);
    void fireMouseMove(QMouseEvent* e);
    void fireDblClick();
    void fireKeyDown(QKeyEvent* e);
    void fireKeyUp(QKeyEvent* e);
    void fireKeyPress(QKeyEvent* e);

    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    bool event(QEvent* e) override;

    static bool isArrowKey(int key) { return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down; }
    // Refuses a property value with `text` (run-time error 380).
    [[noreturn]] static void refuse(const char* text) { com::throwInvalidValue(QString::fromLatin1(text)); }
    static int shiftState(Qt::KeyboardModifiers m);
    static int buttonCode(Qt::MouseButtons b);
    static int keyCode(const QKeyEvent* e);

private:
    void applyCursor();

    com::IControlSite* site_ = nullptr;
    std::vector<com::IEventSink*> sinks_;
    bool modified_ = false;
    qint16 mousePointer_ = 0;
    com::Picture mouseIcon_;
    QString toolTip_;
    ToolTip tip_;
    quint32 backColor_ = 0x80000005;
    quint32 foreColor_ = 0x80000008;
    QString fontName_ = QStringLiteral("MS Sans Serif");
    double fontSize_ = 8.0;
    bool fontFlags_[4] = {false, false, false, false};
    bool released_ = false;
};

// Draws the edges of the platform's 3-D look.
void drawEdge(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight);

// The class factory of one class of a library.
class ClassFactory : public com::IClassFactory {
public:
    using Create = std::function<com::HRESULT(const com::Guid& iid, void** object)>;
    explicit ClassFactory(Create create);
    ~ClassFactory() override;
    com::HRESULT createInstance(const com::Guid& iid, void** object) override;
    com::HRESULT lockServer(bool lock) override;
    void release() override { delete this; }

private:
    Create create_;
};

} // namespace ctl
