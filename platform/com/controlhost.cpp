#include "platform/com/controlhost.h"

#include "platform/com/registry.h"

#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QResizeEvent>

namespace com {

namespace {
std::function<int(QDialog*)>& dialogRunner()
{
    static std::function<int(QDialog*)> runner;
    return runner;
}

int argInt(const QVariantList& a, int i) { return i < a.size() ? a[i].toInt() : 0; }
} // namespace

ControlHost::ControlHost(const QString& progIdOrClsid, QWidget* parent) : QWidget(parent)
{
    QString error;
    const HRESULT h = createControl(progIdOrClsid, &control_, &error);
    if (failed(h) || !control_)
        throw ComError(h, error);
    control_->setClientSite(this);
    control_->advise(this);
    QWidget* w = control_->widget();
    widget_ = w;
    w->setParent(this);
    w->move(0, 0);
    control_->initNew();
    resize(w->size());
    w->installEventFilter(this);
    setFocusProxy(w);
    setFocusPolicy(w->focusPolicy());
    w->show();
}

ControlHost::~ControlHost()
{
    if (!control_)
        return;
    if (!widget_) {
        // The window was destroyed from outside, and the control with it.
        control_ = nullptr;
        return;
    }
    if (QWidget* w = widget_.data()) {
        w->removeEventFilter(this);
        setFocusProxy(nullptr);
        w->hide();
        w->setParent(nullptr);
    }
    control_->unadvise(this);
    control_->setClientSite(nullptr);
    control_->release();
    control_ = nullptr;
}

QWidget* ControlHost::controlWidget() const
{
    return control_ ? widget_.data() : nullptr;
}

IControl* ControlHost::live() const
{
    if (!control_ || !widget_)
        throw ComError(E_POINTER, QStringLiteral("Das Steuerelement ist nicht mehr vorhanden."));
    return control_;
}

const ClassInfo& ControlHost::classInfo() const
{
    return live()->classInfo();
}

DispId ControlHost::idOf(const QString& name) const
{
    const MemberInfo* m = classInfo().member(name);
    if (!m)
        throw ComError(DISP_E_MEMBERNOTFOUND,
                       QStringLiteral("Eigenschaft oder Methode wird nicht unterstützt: %1").arg(name));
    return m->id;
}

QVariant ControlHost::invokeChecked(DispId id, InvokeKind kind, QVariantList& args) const
{
    QVariant result;
    ExcepInfo exc;
    const HRESULT h = live()->invoke(id, kind, args, &result, &exc);
    if (h == DISP_E_EXCEPTION)
        throw ComError(exc.scode, exc.description);
    if (failed(h))
        throw ComError(h, QString::fromStdString(vb::errorDescription(errorNumberOf(h))));
    return result;
}

QVariant ControlHost::property(const QString& name) const { return property(idOf(name)); }

QVariant ControlHost::property(DispId id) const
{
    QVariantList args;
    return invokeChecked(id, InvokeKind::Get, args);
}

void ControlHost::setProperty(const QString& name, const QVariant& value) { setProperty(idOf(name), value); }

void ControlHost::setProperty(DispId id, const QVariant& value)
{
    QVariantList args{value};
    invokeChecked(id, InvokeKind::Put, args);
}

QVariant ControlHost::propertyAt(DispId id, const QVariantList& index) const
{
    QVariantList args = index;
    return invokeChecked(id, InvokeKind::Get, args);
}

void ControlHost::setPropertyAt(DispId id, const QVariantList& index, const QVariant& value)
{
    QVariantList args = index;
    args << value;
    invokeChecked(id, InvokeKind::Put, args);
}

QVariant ControlHost::call(const QString& name, QVariantList args) { return call(idOf(name), args); }

QVariant ControlHost::call(DispId id, QVariantList& args)
{
    return invokeChecked(id, InvokeKind::Method, args);
}

void ControlHost::load(const PropertyBag& bag)
{
    const HRESULT h = live()->load(bag);
    if (failed(h))
        throw ComError(h, QStringLiteral("Die gespeicherten Eigenschaften sind nicht lesbar."));
    if (QWidget* w = controlWidget())
        w->resize(size());
}

PropertyBag ControlHost::save()
{
    PropertyBag bag;
    const HRESULT h = live()->save(bag);
    if (failed(h))
        throw ComError(h, QStringLiteral("Die Eigenschaften können nicht gespeichert werden."));
    return bag;
}

double ControlHost::fontSize() const { return property(QStringLiteral("FontSize")).toDouble(); }
void ControlHost::setFontSize(double points) { setProperty(QStringLiteral("FontSize"), points); }

void ControlHost::showPropertyPage() { live()->showPropertyPage(); }
void ControlHost::aboutBox() { call(QStringLiteral("AboutBox")); }

Picture ControlHost::picture(const QSize& target) const
{
    Picture p;
    const HRESULT h = live()->drawPicture(target, &p);
    if (failed(h))
        throw ComError(h, QStringLiteral("Das Steuerelement kann kein Bild in dieser Größe liefern."));
    return p;
}

void ControlHost::setDialogRunner(std::function<int(QDialog*)> runner) { dialogRunner() = std::move(runner); }

QSize ControlHost::sizeHint() const
{
    if (QWidget* w = controlWidget())
        return w->size();
    return QWidget::sizeHint();
}

void ControlHost::resizeEvent(QResizeEvent* e)
{
    if (QWidget* w = controlWidget())
        w->setGeometry(0, 0, e->size().width(), e->size().height());
    QWidget::resizeEvent(e);
}

bool ControlHost::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == controlWidget()) {
        if (e->type() == QEvent::FocusIn)
            emit gotFocus();
        else if (e->type() == QEvent::FocusOut)
            emit lostFocus();
    }
    return QWidget::eventFilter(watched, e);
}

void ControlHost::onEvent(DispId id, QVariantList& args)
{
    const EventInfo* info = control_ && widget_ ? control_->classInfo().event(id) : nullptr;
    const QString name = info ? info->name : QString();
    // The host may be destroyed by a handler; stop then.
    QPointer<ControlHost> self(this);
    emit controlEvent(id, name, args);
    if (!self)
        return;
    switch (id) {
    case dispid::Click: emit click(); return;
    case dispid::DblClick: emit dblClick(); return;
    case dispid::KeyDown: emit keyDown(argInt(args, 0), argInt(args, 1)); return;
    case dispid::KeyPress: emit keyPress(argInt(args, 0)); return;
    case dispid::KeyUp: emit keyUp(argInt(args, 0), argInt(args, 1)); return;
    case dispid::MouseDown: emit mouseDown(argInt(args, 0), argInt(args, 1), argInt(args, 2), argInt(args, 3)); return;
    case dispid::MouseMove: emit mouseMove(argInt(args, 0), argInt(args, 1), argInt(args, 2), argInt(args, 3)); return;
    case dispid::MouseUp: emit mouseUp(argInt(args, 0), argInt(args, 1), argInt(args, 2), argInt(args, 3)); return;
    default: break;
    }
    if (name == QLatin1String("Change"))
        emit change();
    else if (name == QLatin1String("ChangeSpin"))
        emit changeSpin();
    else if (name == QLatin1String("SpinUp"))
        emit spinUp();
    else if (name == QLatin1String("SpinDown"))
        emit spinDown();
}

void ControlHost::onPropertyChanged(DispId id)
{
    emit propertyChanged(id);
}

int ControlHost::runModal(QDialog* dialog)
{
    if (dialogRunner())
        return dialogRunner()(dialog);
    return dialog->exec();
}

} // namespace com
