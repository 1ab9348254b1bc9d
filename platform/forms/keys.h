#pragma once
// Keyboard events as the runtime delivered them.
//
// KeyDown/KeyUp carry the runtime's key code (the Windows virtual key: 13
// Enter, 27 Esc, 112 F1 ... 123 F12, 65 'A', ...) and the shift state
// (1 Shift, 2 Ctrl, 4 Alt); KeyPress carries the character code on the ANSI
// code page (13 Enter, 8 Backspace, 'a' = 97, '€' = 128). A handler swallows
// the key by setting the code to 0; a KeyPress handler may also replace the
// character by another one.
//
// With key preview the window's handlers see every key of its controls first;
// a key that a control leaves unhandled and Qt passes on to the parents is
// still seen only once. Order for one key: window KeyDown, control KeyDown,
// window KeyPress, control KeyPress. A key swallowed in KeyDown gets no
// KeyPress. Tab and Shift+Tab move the focus and raise no key events.
// Pasted, dropped and input-method text passes the same KeyPress handlers
// (textinput.h).
//
//   forms::setKeyPreview(form1, { .keyDown = [&](int& k, int s){ ... } });
//   forms::onKeyPress(field, [&](int& a){ if (a == 13) { a = 0; forms::postKeys("{TAB}"); } });

#include <QString>
#include <Qt>
#include <functional>

class QKeyEvent;
class QWidget;

namespace forms {

using KeyCodeHandler = std::function<void(int& keyCode, int shift)>;
using KeyAsciiHandler = std::function<void(int& keyAscii)>;

struct KeyHandlers {
    KeyCodeHandler keyDown;
    KeyAsciiHandler keyPress;
    KeyCodeHandler keyUp;
};

// The runtime key code of a Qt key event (0 when it has none).
int keyCode(const QKeyEvent* e);
// The ANSI character code of a key event, 0 when it types no character.
int keyAscii(const QKeyEvent* e);

// The Qt modifiers of the key event whose handlers are running (no
// modifiers outside a handler): lets a handler tell the keypad, AltGr or
// the Meta key apart, which the runtime's shift state cannot.
Qt::KeyboardModifiers currentKeyModifiers();

// Handlers of one control (replacing earlier ones of the same kind).
void onKeyDown(QWidget* control, KeyCodeHandler h);
void onKeyPress(QWidget* control, KeyAsciiHandler h);
void onKeyUp(QWidget* control, KeyCodeHandler h);

// Key preview for a window: its handlers run before those of the control
// that has the focus, for every key typed anywhere in the window.
void setKeyPreview(QWidget* window, KeyHandlers handlers);
void clearKeyPreview(QWidget* window);

// Synthesised key strokes, posted: they reach the widget that has the focus
// when the event loop delivers them, after the running handler has returned.
// Text in the runtime's notation: plain characters, {TAB}, {ENTER}, {ESC},
// {BS}, {DEL}, {F1}..{F12}, {LEFT} {RIGHT} {UP} {DOWN} {HOME} {END}
// {PGUP} {PGDN}, prefixes + (Shift), ^ (Ctrl), % (Alt). Unknown braces are
// ignored.
void postKeys(const QString& keys);

} // namespace forms
