#include "controls/common/controlbase.h"

#include "controls/common/inidefaults.h"
#include "controls/common/module.h"
#include "controls/common/propertypage.h"

#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <algorithm>

namespace ctl {

// ---------------------------------------------------------------- colours

QColor oleColor(quint32 value)
{
    if ((value & 0xFF000000u) == 0x80000000u) {
        const QPalette pal = QApplication::palette();
        switch (value & 0xFFu) {
        case 0x05: return pal.color(QPalette::Base);                 // window background
        case 0x06: return QColor(Qt::black);                         // window frame
        case 0x08: return pal.color(QPalette::Text);                 // window text
        case 0x0F: return pal.color(QPalette::Button);               // button face
        case 0x10: return pal.color(QPalette::Dark);                 // button shadow
        case 0x11: return pal.color(QPalette::Disabled, QPalette::Text);  // grey text
        case 0x12: return pal.color(QPalette::ButtonText);
        case 0x14: return pal.color(QPalette::Light);                // 3-D highlight
        case 0x15: return pal.color(QPalette::Shadow);
        case 0x16: return pal.color(QPalette::Midlight);
        default: return pal.color(QPalette::Window);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

void drawEdge(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    p.save();
    p.setPen(topLeft);
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.setPen(bottomRight);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.restore();
}

// ---------------------------------------------------------------- tool tip

namespace {
QElapsedTimer& lastLeft()
{
    static QElapsedTimer t;
    return t;
}

class TipWindow : public QWidget {
public:
    explicit TipWindow(const QString& text)
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint), text_(text)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFont(tipFont());
        const QFontMetrics fm(font());
        resize(fm.horizontalAdvance(text_) + 32, fm.height() + 8);
    }
    static QFont tipFont()
    {
        QFont f(QStringLiteral("MS Sans Serif"));
        f.setStyleHint(QFont::SansSerif);
        f.setPixelSize(8 + 3);
        return f;
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(Qt::black);
        p.setBrush(QColor(255, 255, 128));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.drawText(rect().adjusted(0, 4, 0, 0), Qt::AlignHCenter | Qt::AlignTop, text_);
    }

private:
    QString text_;
};
} // namespace

ToolTip::ToolTip(ControlBase* owner) : owner_(owner)
{
    timer_.setObjectName(QStringLiteral("toolTipDelay"));
    timer_.setParent(owner);
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { timeout(); });
}

ToolTip::~ToolTip() { delete tip_; }

QRect ToolTip::placement(const QPoint& global, const QSize& size, const QRect& screen)
{
    int x = global.x() + 10;
    int y = global.y() + 18;
    if (x + size.width() > screen.right() + 1 - 10)
        x = screen.right() + 1 - 10 - size.width();
    if (y + size.height() > screen.bottom() + 1 - 18)
        y = screen.bottom() + 1 - 18 - size.height();
    x = std::max(x, screen.left());
    y = std::max(y, screen.top());
    return QRect(QPoint(x, y), size);
}

void ToolTip::mouseMoved(const QPoint& local)
{
    if (owner_->uiDead() || !owner_->isEnabled())
        return;
    if (state_ != None || owner_->toolTipText().isEmpty() || QWidget::mouseGrabber()) {
        if (!owner_->rect().contains(local))
            pointerLeft();
        return;
    }
    const bool recent = lastLeft().isValid() && lastLeft().elapsed() < 1000;
    timer_.start(recent ? 250 : 1000);
    state_ = Waiting;
}

void ToolTip::pointerLeft()
{
    if (state_ != None)
        hide();
    lastLeft().start();
}

void ToolTip::timeout()
{
    timer_.stop();
    const QPoint local = owner_->mapFromGlobal(QCursor::pos());
    if (owner_->rect().contains(local) && owner_->isVisible())
        show();
    else
        state_ = None;
}

void ToolTip::show()
{
    delete tip_;
    tip_ = new TipWindow(owner_->toolTipText());
    const QPoint global = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(global);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    tip_->setGeometry(placement(global, tip_->size(), area));
    tip_->show();
    state_ = Shown;
}

void ToolTip::hide()
{
    timer_.stop();
    if (tip_) {
        tip_->hide();
        tip_->deleteLater();
        tip_ = nullptr;
    }
    state_ = None;
}

// ---------------------------------------------------------------- control

ControlBase::ControlBase() : tip_(this)
{
    Module::objectCreated();
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    QFont f(fontName_);
    f.setPointSizeF(fontSize_);
    f.setStyleHint(QFont::SansSerif);
    QWidget::setFont(f);
}

ControlBase::~ControlBase()
{
    tip_.hide();
    Module::objectDestroyed();
}

void ControlBase::advise(com::IEventSink* sink)
{
    if (sink && std::find(sinks_.begin(), sinks_.end(), sink) == sinks_.end())
        sinks_.push_back(sink);
}

void ControlBase::unadvise(com::IEventSink* sink)
{
    sinks_.erase(std::remove(sinks_.begin(), sinks_.end(), sink), sinks_.end());
}

void ControlBase::release()
{
    if (released_)
        return;
    released_ = true;
    sinks_.clear();
    site_ = nullptr;
    tip_.hide();
    hide();
    // A handler of our own event may be what let go of us: die once it returned.
    deleteLater();
}

com::HRESULT ControlBase::drawPicture(const QSize& target, com::Picture* picture)
{
    if (!picture)
        return com::E_POINTER;
    if (target.isEmpty() || size().isEmpty())
        return com::E_INVALIDARG;
    // Only the control's own drawing: its scroll bars were the window's, not the picture's.
    QImage own(size(), QImage::Format_RGB32);
    own.fill(Qt::white);
    render(&own, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    picture->type = com::PicMetafile;
    picture->image = own.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    picture->hotSpot = QPoint();
    return com::S_OK;
}

void ControlBase::fireEvent(com::DispId id, QVariantList args)
{
    const auto sinks = sinks_;
    for (com::IEventSink* s : sinks)
        if (std::find(sinks_.begin(), sinks_.end(), s) != sinks_.end())
            s->onEvent(id, args);
}

void ControlBase::notifyChanged(com::DispId id)
{
    if (site_)
        site_->onPropertyChanged(id);
}

int ControlBase::runModal(QDialog* dialog)
{
    if (site_)
        return site_->runModal(dialog);
    return dialog->exec();
}

void ControlBase::aboutBox(QWidget* parent)
{
    AboutDialog dlg(classInfo().className, parent ? parent : this);
    runModal(&dlg);
}

void ControlBase::setMousePointerValue(qint16 v)
{
    mousePointer_ = v;
    applyCursor();
}

void ControlBase::setMouseIcon(const com::Picture& p)
{
    mouseIcon_ = p;
    applyCursor();
}

void ControlBase::setToolTipText(const QString& t)
{
    tip_.hide();
    toolTip_ = t;
}

void ControlBase::applyCursor()
{
    static const Qt::CursorShape shapes[15] = {
        Qt::ArrowCursor, Qt::ArrowCursor, Qt::CrossCursor, Qt::IBeamCursor, Qt::ArrowCursor,
        Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor, Qt::SizeHorCursor,
        Qt::UpArrowCursor, Qt::WaitCursor, Qt::ForbiddenCursor, Qt::BusyCursor, Qt::SizeAllCursor};
    if (!userMode() || mousePointer_ == 0) {
        unsetCursor();
        return;
    }
    if (mousePointer_ > 14) {
        if (mouseIcon_.type == com::PicIcon && !mouseIcon_.image.isNull())
            setCursor(QCursor(QPixmap::fromImage(mouseIcon_.image), mouseIcon_.hotSpot.x(), mouseIcon_.hotSpot.y()));
        else
            setCursor(Qt::ArrowCursor);
        return;
    }
    setCursor(shapes[mousePointer_]);
}

void ControlBase::setBackColorValue(quint32 c)
{
    backColor_ = c;
    update();
}

void ControlBase::setForeColorValue(quint32 c)
{
    foreColor_ = c;
    update();
}

void ControlBase::setFontName(const QString& name)
{
    fontName_ = name;
    QFont f = font();
    f.setFamily(name);
    QWidget::setFont(f);
    onFontChanged();
}

void ControlBase::setFontSize(double points)
{
    if (points <= 0)
        com::throwInvalidValue(QStringLiteral("Invalid property value"));
    fontSize_ = points;
    QFont f = font();
    f.setPointSizeF(points);
    QWidget::setFont(f);
    onFontChanged();
}

QFont ControlBase::stockFont() const
{
    QFont f(fontName_);
    if (fontSize_ > 0)
        f.setPointSizeF(fontSize_);
    f.setBold(fontFlag(0));
    f.setItalic(fontFlag(1));
    f.setUnderline(fontFlag(2));
    f.setStrikeOut(fontFlag(3));
    return f;
}

void ControlBase::setStockFont(const QFont& f)
{
    setFontName(f.family());
    if (f.pointSizeF() > 0)
        setFontSize(f.pointSizeF());
    setFontFlag(0, f.bold());
    setFontFlag(1, f.italic());
    setFontFlag(2, f.underline());
    setFontFlag(3, f.strikeOut());
}

void ControlBase::setFontFlag(int which, bool on)
{
    fontFlags_[which] = on;
    QFont f = font();
    switch (which) {
    case 0: f.setBold(on); break;
    case 1: f.setItalic(on); break;
    case 2: f.setUnderline(on); break;
    default: f.setStrikeOut(on); break;
    }
    QWidget::setFont(f);
    onFontChanged();
}

bool ControlBase::fontFlag(int which) const { return fontFlags_[which]; }

void ControlBase::saveStock(com::PropertyBag& bag) const
{
    bag.write(QStringLiteral("_Version"), 0x00040001);
    bag.write(QStringLiteral("_ExtentX"), width());
    bag.write(QStringLiteral("_ExtentY"), height());
    bag.write(QStringLiteral("BackColor"), static_cast<qint32>(backColor_));
    bag.write(QStringLiteral("ForeColor"), static_cast<qint32>(foreColor_));
    bag.write(QStringLiteral("Enabled"), isEnabled() ? -1 : 0);
    bag.write(QStringLiteral("FontName"), fontName_);
    bag.write(QStringLiteral("FontSize"), fontSize_);
    bag.write(QStringLiteral("FontBold"), fontFlags_[0] ? -1 : 0);
    bag.write(QStringLiteral("FontItalic"), fontFlags_[1] ? -1 : 0);
    bag.write(QStringLiteral("FontUnderline"), fontFlags_[2] ? -1 : 0);
    bag.write(QStringLiteral("FontStrikethru"), fontFlags_[3] ? -1 : 0);
}

void ControlBase::loadStock(const com::PropertyBag& bag)
{
    auto w = bag.readI4(QStringLiteral("_ExtentX"));
    auto h = bag.readI4(QStringLiteral("_ExtentY"));
    if (w && h && *w > 0 && *h > 0)
        resize(*w, *h);
    if (auto c = bag.readColor(QStringLiteral("BackColor")))
        backColor_ = *c;
    if (auto c = bag.readColor(QStringLiteral("ForeColor")))
        foreColor_ = *c;
    if (auto e = bag.readI2(QStringLiteral("Enabled")))
        setEnabled(*e != 0);
    if (auto n = bag.readString(QStringLiteral("FontName")); n && !n->isEmpty())
        setFontName(*n);
    if (auto s = bag.readR8(QStringLiteral("FontSize")); s && *s > 0)
        setFontSize(*s);
    const char* flags[4] = {"FontBold", "FontItalic", "FontUnderline", "FontStrikethru"};
    for (int i = 0; i < 4; ++i)
        if (auto v = bag.readI2(QString::fromLatin1(flags[i])))
            setFontFlag(i, *v != 0);
}

void ControlBase::loadMouse(const com::PropertyBag& bag)
{
    const qint16 mp = bag.readI2(QStringLiteral("MousePointer")).value_or(0);
    setMousePointerValue(isMousePointer(mp) ? mp : 0);
    setMouseIcon(bag.readPicture(QStringLiteral("MouseIcon")));
}

void ControlBase::loadStockDefaults(const IniDefaults& ini, const QString& strikeoutKey)
{
    setBackColorValue(quint32(ini.readLong(QStringLiteral("BackColor"), qint32(0x80000005))));
    setForeColorValue(quint32(ini.readLong(QStringLiteral("ForeColor"), qint32(0x80000008))));
    QString font;
    setFontName(ini.readString(QStringLiteral("FontName"), font) ? font : QStringLiteral("MS Sans Serif"));
    const double size = ini.readFloat(QStringLiteral("FontSize"), 8.0);
    setFontSize(size > 0 ? size : 8.0);
    const QString flags[4] = {QStringLiteral("FontBold"), QStringLiteral("FontItalic"), QStringLiteral("FontUnderline"), strikeoutKey};
    for (int i = 0; i < 4; ++i)
        setFontFlag(i, ini.readInt(flags[i], 0) != 0);
}

int ControlBase::shiftState(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

int ControlBase::buttonCode(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

int ControlBase::keyCode(const QKeyEvent* e)
{
    const int k = e->key();
    switch (k) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: break;
    }
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return k;
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return 112 + (k - Qt::Key_F1);
    return 0;
}

void ControlBase::fireMouseDown(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    fireEvent(com::dispid::MouseDown, {buttonCode(e->button()), shiftState(e->modifiers()), p.x(), p.y()});
}

void ControlBase::fireMouseUp(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    QPointer<ControlBase> self(this);
    fireEvent(com::dispid::MouseUp, {buttonCode(e->button()), shiftState(e->modifiers()), p.x(), p.y()});
    if (self && e->button() == Qt::LeftButton && rect().contains(p))
        fireEvent(com::dispid::Click);
}

void ControlBase::fireMouseMove(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    fireEvent(com::dispid::MouseMove, {buttonCode(e->buttons()), shiftState(e->modifiers()), p.x(), p.y()});
}

void ControlBase::fireDblClick() { fireEvent(com::dispid::DblClick); }

void ControlBase::fireKeyDown(QKeyEvent* e)
{
    fireEvent(com::dispid::KeyDown, {keyCode(e), shiftState(e->modifiers())});
}

void ControlBase::fireKeyUp(QKeyEvent* e)
{
    fireEvent(com::dispid::KeyUp, {keyCode(e), shiftState(e->modifiers())});
}

void ControlBase::fireKeyPress(QKeyEvent* e)
{
    const QString t = e->text();
    if (t.size() == 1 && t.at(0).unicode() != 0)
        fireEvent(com::dispid::KeyPress, {int(t.at(0).unicode())});
}

void ControlBase::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
}

void ControlBase::leaveEvent(QEvent* e)
{
    tip_.pointerLeft();
    QWidget::leaveEvent(e);
}

bool ControlBase::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip)
        return true;   // the control shows its own tip
    return QWidget::event(e);
}

// ---------------------------------------------------------------- factory

ClassFactory::ClassFactory(Create create) : create_(std::move(create)) {}
ClassFactory::~ClassFactory() = default;

com::HRESULT ClassFactory::createInstance(const com::Guid& iid, void** object)
{
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    return create_(iid, object);
}

com::HRESULT ClassFactory::lockServer(bool lock)
{
    Module::lock(lock);
    return com::S_OK;
}

} // namespace ctl
