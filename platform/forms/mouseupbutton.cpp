#include "platform/forms/mouseupbutton.h"

#include "platform/forms/events.h"

#include <QApplication>
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

MouseUpButton::MouseUpButton(QWidget* parent) : QPushButton(parent)
{
    detail::dialogsShown();   // the count starts before the first press
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    setMouseTracking(true);
}

MouseUpButton::MouseUpButton(const QString& caption, QWidget* parent) : MouseUpButton(parent)
{
    setText(caption);
}

void MouseUpButton::mousePressEvent(QMouseEvent* e)
{
    // Focus first: the leave checks of the previous field run now. Qt has
    // mostly given the focus already (and in a window that is not active
    // yet, clicked from another program, the checks have run as the click
    // arrived).
    const quint64 vorher = detail::dialogsBeforePress();
    if (isEnabled() && focusPolicy() != Qt::NoFocus && !hasFocus()) {
        setFocus(Qt::MouseFocusReason);
        detail::focusTaken(this);
    }
    // A dialog of those checks took this press's release: the button is not
    // left drawn pressed, and no action follows.
    pressVoid_ = detail::dialogsShown() != vorher;
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
