#include "controls/spin/spin.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace qkspin {

namespace {
QRect toRect(int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r - 1, b - 1)); }

// Fills a triangle given as apex and the two ends of its base, outline
// included, one line of pixels at a time: Qt's polygon rasterizer puts the
// outline a pixel further right and down, which made an arrow pointing up
// a pixel narrower than the same arrow pointing down.
void fillArrow(QPainter& p, const QPolygon& t, const QColor& c)
{
    if (t.size() != 3)
        return;
    const QPoint a = t[0], b1 = t[1], b2 = t[2];
    const bool vertical = b1.y() == b2.y();   // base is a row: the arrow points up or down
    const int from = vertical ? a.y() : a.x();
    const int to = vertical ? b1.y() : b1.x();
    const int lo = vertical ? std::min(b1.x(), b2.x()) : std::min(b1.y(), b2.y());
    const int hi = vertical ? std::max(b1.x(), b2.x()) : std::max(b1.y(), b2.y());
    const int tip = vertical ? a.x() : a.y();
    const int steps = std::abs(to - from);
    for (int k = 0; k <= steps; ++k) {
        const double f = steps ? double(k) / steps : 1.0;
        const int at = from + (to > from ? k : -k);
        const int l = int(std::lround(tip + (lo - tip) * f));
        const int r = int(std::lround(tip + (hi - tip) * f));
        if (vertical)
            p.fillRect(QRect(QPoint(l, at), QPoint(r, at)), c);
        else
            p.fillRect(QRect(QPoint(at, l), QPoint(at, r)), c);
    }
}
} // namespace

Spin::Spin()
{
    repeat_.setObjectName(QStringLiteral("repeat"));
    repeat_.setParent(this);
    // Qt's default coarse timer may fire 5 % early or late: steps would not
    // come at the rate set.
    repeat_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&repeat_, &QTimer::timeout, this, [this] { tick(); });
    setToolTipText(QStringLiteral("QKSpin"));
    resize(17, 25);
    computeLayout();
}

Spin::~Spin()
{
    repeat_.stop();
    if (watchedWindow_)
        watchedWindow_->removeEventFilter(this);
}

// 1000 / SpinRate steps per second, never faster than a 10 ms timer.
int Spin::repeatInterval() const
{
    const int rate = spinRate_ > 0 ? spinRate_ : 1;
    return std::max(1000 / rate, 10);
}

int Spin::firstRepeatDelay() const
{
    const int rate = spinRate_ > 0 ? spinRate_ : 1;
    return std::max(1000 / rate, 200);
}

// ---------------------------------------------------------------- stepping

bool Spin::spinStep()
{
    const int v = value_, inc = increment_;
    if (direction_ == 1 && max_ >= v + inc) {
        value_ = qint16(v + inc);
        return true;
    }
    if (direction_ == 2 && v - inc >= min_) {
        value_ = qint16(v - inc);
        return true;
    }
    if (max_ < min_) {
        if (direction_ == 1 && v - inc >= max_) {
            value_ = qint16(v - inc);
            return true;
        }
        if (direction_ == 2 && v + inc <= min_) {
            value_ = qint16(v + inc);
            return true;
        }
    }
    return false;
}

void Spin::fireSpin()
{
    if (direction_ == 1)
        fireEvent(id::SpinUp);
    else if (direction_ == 2)
        fireEvent(id::SpinDown);
}

// Change, then ChangeSpin; false when a handler destroyed the control.
bool Spin::fireChange()
{
    QPointer<Spin> self(this);
    fireEvent(id::Change);
    if (!self)
        return false;
    fireEvent(id::ChangeSpin);
    return !self.isNull();
}

void Spin::spinAction()
{
    QPointer<Spin> self(this);
    const int dir = direction_;
    const bool stepped = spinStep();
    update();
    if (stepped) {
        if (valueDisplay_)
            notifyChanged(id::Value);
    }
    // A press at a limit fires its one event but starts no repeat; a repeat
    // that reaches a limit keeps running (see tick()).
    if (stepped) {
        repeat_.start(firstRepeatDelay());
        repeatFirstDelay_ = true;
        if (!fireChange())
            return;
    }
    if (!pointerOutside_ && direction_ == dir)
        fireSpin();
}

void Spin::tick()
{
    if (busy_ || toolTipState().state() != ctl::ToolTip::None)
        return;
    // Input taken by a modal window, or the control gone from view: stop.
    QWidget* modal = QApplication::activeModalWidget();
    if ((modal && modal != window()) || !isVisible() || !isEnabled() || direction_ == 0) {
        stopRepeat();
        return;
    }
    QPointer<Spin> self(this);
    busy_ = true;
    if (repeatFirstDelay_) {
        repeat_.start(repeatInterval());
        repeatFirstDelay_ = false;
    }
    const int dir = direction_;
    if (spinStep()) {
        if (valueDisplay_) {
            notifyChanged(id::Value);
            update(valueRect());
        }
        if (!fireChange())
            return;
    }
    if (direction_ == dir)
        fireSpin();
    if (self)
        busy_ = false;
}

void Spin::stopRepeat()
{
    repeat_.stop();
    repeatFirstDelay_ = false;
    if (direction_ != 0) {
        direction_ = 0;
        update();
    }
    pointerOutside_ = false;
    mouseHeld_ = false;
}

// ---------------------------------------------------------------- setters

void Spin::setValue(qint16 v)
{
    if (v < min_ || v > max_)
        refuse("Value not within min/max range");
    value_ = v;
    if (valueDisplay_)
        update(valueRect());
    changed(id::Value);
    fireEvent(id::Change);
}

void Spin::setMax(qint16 v)
{
    if (v < min_)
        refuse("The MaxValue property must be greater than or equal to the MinValue property.");
    max_ = v;
    changed(id::Max);
    if (v < value_) {
        value_ = v;
        update(valueRect());
        fireEvent(id::Change);
    }
}

void Spin::setMin(qint16 v)
{
    if (v > max_)
        refuse("The MinValue property must be less than or equal to the MaxValue property.");
    min_ = v;
    changed(id::Min);
    if (v > value_) {
        value_ = v;
        update(valueRect());
        fireEvent(id::Change);
    }
}

void Spin::setIncrement(qint16 v)
{
    if (v < 0)
        refuse("Increment must be non-negative");
    increment_ = v;
    changed(id::Increment);
}

void Spin::setSpinRate(qint16 v)
{
    if (v <= 0)
        refuse("SpinRate must be positive");
    spinRate_ = v;
    changed(id::SpinRate);
}

// A property the layout depends on.
void Spin::setLayoutValue(qint16& member, qint16 v, bool ok, const char* refusal, com::DispId which)
{
    if (!ok)
        refuse(refusal);
    member = v;
    computeLayout();
    update();
    changed(which);
}

void Spin::setStyle(qint16 v)
{
    setLayoutValue(style_, v, v >= 0 && v <= 3, "Style must be 0 - Normal Vertical, 1 - Normal Horizontal, 2 - 3D Vertical, or 3 - 3D Horizontal", id::Style);
}

void Spin::setValueDisplay(qint16 v)
{
    setLayoutValue(valueDisplay_, v, v >= 0 && v <= 2, "ValueDisplay must be 0 - None, 1 - Auto Sized, or 2 - Manually Sized", id::ValueDisplay);
}

void Spin::setAlignment(qint16 v)
{
    if (v < 0 || v > 2)
        refuse("Alignment must be 0 - Left Justify, 1 - Right Justify, or 2 - Center");
    alignment_ = v;
    computeLayout();
    update(valueRect());
    changed(id::Alignment);
}

void Spin::setButtonWidth(qint16 v)
{
    setLayoutValue(buttonWidth_, v, v > 0, "ButtonWidth must be positive", id::ButtonWidth);
}

void Spin::setGetArrows(qint16 v)
{
    if (v != 0 && v != 1 && v != -1)
        refuse("GetArrows must be either True or False");
    getArrows_ = v;
    changed(id::GetArrows);
}

quint32 Spin::colorProperty(com::DispId which) const
{
    switch (which) {
    case id::FillColor: return fillColor_;
    case id::LightColor: return lightColor_;
    case id::ShadeColor: return shadeColor_;
    case id::ArrowColor: return arrowColor_;
    default: return borderColor_;
    }
}

void Spin::setColorProperty(com::DispId which, quint32 c)
{
    switch (which) {
    case id::FillColor: fillColor_ = c; break;
    case id::LightColor: lightColor_ = c; break;
    case id::ShadeColor: shadeColor_ = c; break;
    case id::ArrowColor: arrowColor_ = c; break;
    default: borderColor_ = c; break;
    }
    update();
    changed(which);
}

// ---------------------------------------------------------------- layout

int Spin::toPixels(int himetric) const
{
    return int(std::lround(double(himetric) * logicalDpiX() / 2540.0));
}

int Spin::toHimetric(int pixels) const
{
    const int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    return int(std::lround(double(pixels) * 2540.0 / dpi));
}

void Spin::computeLayout()
{
    const int W = width(), H = height();
    const Box R{1, 1, W - 1, H - 1};
    const int w = W - 2, h = H - 2;
    const int b = style_ >= 2 ? 4 : 3;
    value_box_ = up_box_ = down_box_ = R;
    upArrow_.clear();
    downArrow_.clear();
    if (style_ == 1 || style_ == 3) {
        int l = 0;
        if (valueDisplay_ == 1) {
            l = std::min(int(h * 1.4), w);
            buttonWidth_ = qint16(std::clamp(toHimetric(l), 1, 32767));
        } else if (valueDisplay_ == 2) {
            l = toPixels(buttonWidth_);
        }
        int x;
        if (valueDisplay_) {
            value_box_.r = W - l - 1;
            down_box_.l = W - l;
            x = W - 1 - l / 2;
        } else {
            x = R.l + w / 2 + 1;
        }
        up_box_.l = x;
        down_box_.r = x - 1;
        const int mid = R.t + (R.b - R.t) / 2;
        upArrow_ << QPoint(up_box_.r - b, mid) << QPoint(x + b, R.b - b) << QPoint(x + b, R.t + b - 1);
        downArrow_ << QPoint(down_box_.l + b - 1, mid) << QPoint(x - b - 2, R.b - b) << QPoint(x - b - 2, R.t + b - 1);
    } else {
        up_box_.b = R.t + h / 2;
        down_box_.t = R.b - h / 2;
        int e = w;
        if (valueDisplay_ == 1) {
            e = std::min(int(h * 0.7), w);
            buttonWidth_ = qint16(std::clamp(toHimetric(e), 1, 32767));
        } else if (valueDisplay_ == 2) {
            e = toPixels(buttonWidth_);
        }
        int x = R.l;
        if (valueDisplay_) {
            x = W - e;
            if (e % 2 != 0)
                x -= 1;
            value_box_.r = x - 1;
            if (e % 2 == 0)
                e -= 1;
            up_box_.l = down_box_.l = x;
        }
        const int cx = x + e / 2;
        upArrow_ << QPoint(cx, up_box_.t + b - 1) << QPoint(x + b, up_box_.b - b - 1) << QPoint(R.r - b - 1, up_box_.b - b - 1);
        downArrow_ << QPoint(cx, down_box_.b - b) << QPoint(x + b, down_box_.t + b) << QPoint(R.r - b - 1, down_box_.t + b);
    }
}

QRect Spin::upButtonRect() const { return toRect(up_box_.l, up_box_.t, up_box_.r, up_box_.b); }
QRect Spin::downButtonRect() const { return toRect(down_box_.l, down_box_.t, down_box_.r, down_box_.b); }
QRect Spin::valueRect() const
{
    return valueDisplay_ ? toRect(value_box_.l, value_box_.t, value_box_.r, value_box_.b) : QRect();
}

int Spin::hitTestButton(const QPoint& p) const
{
    if (upButtonRect().contains(p))
        return 1;
    if (downButtonRect().contains(p))
        return 2;
    return 0;
}

// ---------------------------------------------------------------- drawing

void Spin::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect up = upButtonRect(), down = downButtonRect();
    p.fillRect(rect(), ctl::oleColor(fillColor_));
    const QColor border = ctl::oleColor(borderColor_);
    p.setPen(border);
    if (style_ == 1 || style_ == 3) {
        p.drawLine(up.left() - 1, up.top(), up.left() - 1, up.bottom());
        p.drawLine(down.left() - 1, down.top(), down.left() - 1, down.bottom());
    } else {
        p.drawLine(up.left() - 1, up.top(), up.left() - 1, down.bottom());
        p.drawLine(up.left(), up.bottom() + 1, up.right(), up.bottom() + 1);
    }
    const QColor arrow = (isEnabled() || busy_) ? ctl::oleColor(arrowColor_) : QColor(0x80, 0x80, 0x80);
    const QColor light = ctl::oleColor(lightColor_), shade = ctl::oleColor(shadeColor_);
    auto drawButton = [&](const QRect& r, const QPolygon& tri, int dir) {
        const bool pressed = direction_ == dir && !pointerOutside_;
        QPolygon shape = tri;
        if (style_ >= 2) {
            if (pressed) {
                ctl::drawEdge(p, r, shade, light);
                shape.translate(1, 1);
            } else {
                ctl::drawEdge(p, r, light, shade);
                ctl::drawEdge(p, r.adjusted(1, 1, -1, -1), light, shade);
            }
        }
        fillArrow(p, shape, arrow);
        if (style_ < 2 && pressed) {
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            p.fillRect(r, Qt::white);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
    };
    drawButton(up, upArrow_, 1);
    drawButton(down, downArrow_, 2);
    if (valueDisplay_) {
        const QRect vr = valueRect();
        p.fillRect(vr, ctl::oleColor(backColorValue()));
        p.setFont(font());
        p.setPen(ctl::oleColor(foreColorValue()));
        const QString text = QString::number(value_);
        QRect tr = vr;
        Qt::Alignment al = Qt::AlignVCenter;
        if (alignment_ == 0) {
            tr.adjust(4, 0, 0, 0);
            al |= Qt::AlignLeft;
        } else if (alignment_ == 1) {
            tr.adjust(0, 0, -4, 0);
            al |= Qt::AlignRight;
        } else {
            al |= Qt::AlignHCenter;
        }
        p.save();
        p.setClipRect(vr);
        p.drawText(tr, al | Qt::TextSingleLine, text);
        if (hasFocus()) {
            const QRect bounds = p.fontMetrics().boundingRect(tr, int(al), text);
            QPen pen(ctl::oleColor(foreColorValue()));
            pen.setStyle(Qt::DotLine);
            p.setPen(pen);
            p.drawRect(bounds.adjusted(-2, -2, 1, 1));
        }
        p.restore();
    }
    p.setPen(border);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Spin::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    computeLayout();
}

void Spin::onFontChanged()
{
    computeLayout();
    update();
}

// ---------------------------------------------------------------- input

void Spin::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    const bool arrow = isArrowKey(key);
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    if (arrow && !getArrows_ && !ctrl) {
        e->ignore();
        return;
    }
    QPointer<Spin> self(this);
    if (arrow && direction_ == 0) {
        direction_ = (key == Qt::Key_Up || key == Qt::Key_Right) ? 1 : 2;
        pointerOutside_ = false;
        busy_ = true;
        spinAction();
        if (!self)
            return;
        busy_ = false;
    }
    fireKeyDown(e);
    if (self && !arrow)
        fireKeyPress(e);
    e->setAccepted(arrow);   // other keys go on to the host
}

void Spin::keyReleaseEvent(QKeyEvent* e)
{
    const int key = e->key();
    const bool arrow = isArrowKey(key);
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    if (arrow && !getArrows_ && !ctrl && direction_ == 0) {
        e->ignore();
        return;
    }
    if (e->isAutoRepeat())
        return;
    if (arrow)
        stopRepeat();
    fireKeyUp(e);
    e->setAccepted(arrow);
}

// A press on button `hit` (0: none) steps once and starts the repeat.
void Spin::pressButton(int hit)
{
    if (!hit)
        return;
    QPointer<Spin> self(this);
    mouseHeld_ = true;
    direction_ = hit;
    busy_ = true;
    spinAction();
    if (self)
        busy_ = false;
}

void Spin::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        toolTipState().hide();
        return;
    }
    pointerOutside_ = false;
    toolTipState().hide();
    if (busy_)
        return;
    if (valueDisplay_ && isEnabled())
        setFocus(Qt::MouseFocusReason);
    pressButton(hitTestButton(e->position().toPoint()));
}

void Spin::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || busy_)
        return;
    pressButton(hitTestButton(e->position().toPoint()));
}

void Spin::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        stopRepeat();
}

void Spin::mouseMoveEvent(QMouseEvent* e)
{
    if (direction_ != 0 && mouseHeld_) {
        const int hit = hitTestButton(e->position().toPoint());
        if (hit != direction_ && !pointerOutside_) {
            repeat_.stop();
            pointerOutside_ = true;
            update();
        } else if (hit == direction_ && pointerOutside_) {
            repeat_.start(repeatInterval());
            pointerOutside_ = false;
            update();
        }
    }
    if (!mouseHeld_)
        toolTipState().mouseMoved(e->position().toPoint());
}

void Spin::focusInEvent(QFocusEvent* e)
{
    if (valueDisplay_)
        update(valueRect());
    QWidget::focusInEvent(e);
}

void Spin::focusOutEvent(QFocusEvent* e)
{
    if (valueDisplay_)
        update(valueRect());
    QWidget::focusOutEvent(e);
}

void Spin::hideEvent(QHideEvent* e)
{
    stopRepeat();
    toolTipState().hide();
    QWidget::hideEvent(e);
}

void Spin::showEvent(QShowEvent* e)
{
    // A modal window opening over ours takes the input: watch for it.
    QWidget* top = window();
    if (top != watchedWindow_) {
        if (watchedWindow_)
            watchedWindow_->removeEventFilter(this);
        watchedWindow_ = top;
        if (top && top != this)
            top->installEventFilter(this);
    }
    QWidget::showEvent(e);
}

bool Spin::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == watchedWindow_ && (e->type() == QEvent::WindowBlocked || e->type() == QEvent::WindowDeactivate))
        stopRepeat();
    return QWidget::eventFilter(watched, e);
}

void Spin::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange && !isEnabled()) {
        stopRepeat();
        update();
    }
    if (e->type() == QEvent::WindowBlocked)
        stopRepeat();
    QWidget::changeEvent(e);
}

} // namespace qkspin
