#pragma once
// A widget that hosts one control of a registered control library.
//
//   auto* qkc = new com::ControlHost(QStringLiteral("QKCAL.QKCalCtrl.1"), parent);
//   qkc->setGeometry(...);                       // container geometry
//   qkc->setProperty("MinDate", 44197);          // by name ...
//   qkc->setProperty(6, 44562);                  // ... or by dispatch id
//   int d = qkc->property("Date").toInt();
//   QObject::connect(qkc, &com::ControlHost::change, ...);
//
// The control is created from the registry (registry.h) by programmatic id or
// by class id in braces, as a new control with its defaults; load() then
// applies stored (design-time) values. A refused set or get throws
// com::ComError, a vb::RuntimeError with the runtime's number (380 invalid
// property value, 481 invalid picture, 383/394 not supported, 438 no such
// member); a control that cannot be created throws error 429.
//
// Events arrive as the signals below, synchronously, before the call or the
// input that raised them returns. Mouse positions are pixels of the control.
// Visibility, focus (gotFocus/lostFocus), geometry and the font size are the
// container's: the hidden host hides the control, the host hands its focus to
// the control.

#include "platform/com/control.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QDialog;

namespace com {

class ControlHost : public QWidget, private IEventSink, private IControlSite {
    Q_OBJECT
public:
    explicit ControlHost(const QString& progIdOrClsid, QWidget* parent = nullptr);
    ~ControlHost() override;

    // Null once the control's window has been destroyed.
    IControl* control() const { return widget_ ? control_ : nullptr; }
    QWidget* controlWidget() const;
    const ClassInfo& classInfo() const;

    // Properties; these hide QObject's dynamic properties on purpose.
    QVariant property(const char* name) const { return property(QString::fromLatin1(name)); }
    QVariant property(const QString& name) const;
    QVariant property(DispId id) const;
    void setProperty(const char* name, const QVariant& value) { setProperty(QString::fromLatin1(name), value); }
    void setProperty(const QString& name, const QVariant& value);
    void setProperty(DispId id, const QVariant& value);
    // Indexed properties such as MarkType(index).
    QVariant propertyAt(DispId id, const QVariantList& index) const;
    void setPropertyAt(DispId id, const QVariantList& index, const QVariant& value);
    // Methods; by-reference arguments come back in `args`.
    QVariant call(const QString& name, QVariantList args = {});
    QVariant call(DispId id, QVariantList& args);

    // Stored values (design-time values of a form).
    void load(const PropertyBag& bag);
    PropertyBag save();

    // Container font size (points) of the control's stock font.
    double fontSize() const;
    void setFontSize(double points);

    void showPropertyPage();
    void aboutBox();
    // The control painted into a picture of `target` pixels (see IControl::drawPicture).
    Picture picture(const QSize& target) const;

    // Design time (false) or run time (true, the default).
    void setUserMode(bool userMode) { userMode_ = userMode; }

    // How every hosted control's modal dialogs run (default: QDialog::exec).
    static void setDialogRunner(std::function<int(QDialog*)> runner);

    QSize sizeHint() const override;

signals:
    void controlEvent(int dispid, const QString& name, const QVariantList& args);
    void change();
    void changeSpin();
    void spinUp();
    void spinDown();
    void click();
    void dblClick();
    void keyDown(int keyCode, int shift);
    void keyPress(int keyAscii);
    void keyUp(int keyCode, int shift);
    void mouseDown(int button, int shift, int x, int y);
    void mouseMove(int button, int shift, int x, int y);
    void mouseUp(int button, int shift, int x, int y);
    void gotFocus();
    void lostFocus();
    void propertyChanged(int dispid);

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void onEvent(DispId id, QVariantList& args) override;
    bool ambientUserMode() const override { return userMode_; }
    bool ambientUIDead() const override { return false; }
    void onPropertyChanged(DispId id) override;
    int runModal(QDialog* dialog) override;

    IControl* live() const;
    DispId idOf(const QString& name) const;
    QVariant invokeChecked(DispId id, InvokeKind kind, QVariantList& args) const;

    IControl* control_ = nullptr;
    QPointer<QWidget> widget_;   // the control's window, gone if someone deleted it
    bool userMode_ = true;
};

} // namespace com
