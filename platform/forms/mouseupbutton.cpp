#include "platform/forms/mouseupbutton.h"

#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace forms {

int runtimeButton(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int runtimeShift(Qt::KeyboardModifiers m)
{
    return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0)
           | ((m & Qt::AltModifier) ? 4 : 0);
}

static int runtimeButtons(Qt::MouseButtons bs)
{
    return ((bs & Qt::LeftButton) ? 1 : 0) | ((bs & Qt::RightButton) ? 2 : 0)
           | ((bs & Qt::MiddleButton) ? 4 : 0);
}

namespace {

// Counts the dialogs opened in the process: the leave check of the field
// being left may ask the user something while the button is being pressed.
class DialogCount : public QObject {
public:
    static quint64 now()
    {
        static DialogCount* counter = nullptr;
        if (!counter) {
            counter = new DialogCount;
            counter_ = counter;
            counter->setParent(qApp);
            qApp->installEventFilter(counter);
        }
        return counter->opened_;
    }
    // The count when the focus last began to move: a focus move runs the
    // leave checks, which may open a dialog before the new widget gets its
    // FocusIn.
    static quint64 beforeLastFocusMove()
    {
        now();
        return counter_->beforeMove_;
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::FocusAboutToChange
            && static_cast<QFocusEvent*>(e)->reason() == Qt::MouseFocusReason)
            beforeMove_ = opened_;
        if (e->type() == QEvent::Show && o->isWidgetType()) {
            auto* w = static_cast<QWidget*>(o);
            if (w->isWindow() && (w->isModal() || qobject_cast<QDialog*>(w)))
                ++opened_;
        }
        return false;
    }

private:
    static inline DialogCount* counter_ = nullptr;
    quint64 opened_ = 0;
    quint64 beforeMove_ = 0;
};

} // namespace

MouseUpButton::MouseUpButton(QWidget* parent) : QPushButton(parent)
{
    DialogCount::now();
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    setMouseTracking(true);
}

MouseUpButton::MouseUpButton(const QString& caption, QWidget* parent) : MouseUpButton(parent)
{
    setText(caption);
}

void MouseUpButton::focusInEvent(QFocusEvent* e)
{
    // Qt gives a clicked button the focus before it sees the press.
    if (e->reason() == Qt::MouseFocusReason && !stamped_) {
        focusStamp_ = DialogCount::beforeLastFocusMove();
        stamped_ = true;
    }
    QPushButton::focusInEvent(e);
}

void MouseUpButton::focusOutEvent(QFocusEvent* e)
{
    // A dialog taking the focus keeps the stamp; a move inside the window
    // without a press ends it.
    if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason)
        stamped_ = false;
    QPushButton::focusOutEvent(e);
}

void MouseUpButton::mousePressEvent(QMouseEvent* e)
{
    // Focus first: the leave checks of the previous field run now.
    if (isEnabled() && focusPolicy() != Qt::NoFocus && !hasFocus()) {
        if (!stamped_) {
            focusStamp_ = DialogCount::now();
            stamped_ = true;
        }
        setFocus(Qt::MouseFocusReason);
    }
    // A dialog of those checks took this press's release: the button is not
    // left drawn pressed, and no action follows.
    pressVoid_ = stamped_ && DialogCount::now() != focusStamp_;
    stamped_ = false;
    e->accept();
    if (pressVoid_)
        return;
    setDown(true);
    emit mouseDown(runtimeButton(e->button()), runtimeShift(e->modifiers()),
                   e->position().toPoint());
}

void MouseUpButton::mouseReleaseEvent(QMouseEvent* e)
{
    setDown(false);
    e->accept();
    if (pressVoid_) {
        pressVoid_ = false;
        return;
    }
    emit mouseUp(runtimeButton(e->button()), runtimeShift(e->modifiers()), e->position().toPoint());
}

void MouseUpButton::mouseMoveEvent(QMouseEvent* e)
{
    emit mouseMove(runtimeButtons(e->buttons()), runtimeShift(e->modifiers()),
                   e->position().toPoint());
    e->accept();
}

void MouseUpButton::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_Select:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        e->accept();   // swallowed: no press look, no click
        return;
    default:
        QPushButton::keyPressEvent(e);
    }
}

void MouseUpButton::keyReleaseEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_Select:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        e->accept();
        return;
    default:
        QPushButton::keyReleaseEvent(e);
    }
}

} // namespace forms
