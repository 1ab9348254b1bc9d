#pragma once
// Text that reaches a field without being typed, and the Locked property.
//
// Typed keys pass the field's KeyPress handlers (keys.h). Text can also
// arrive in one piece: a paste by Ctrl+V or Shift+Insert, by the edit menu
// or by the X11 middle click, a drop, input-method text, or a key that
// brings several characters. Such text passes the same KeyPress handlers
// character by character and then goes in as one piece (one Change), so
// the field shows what will be stored:
//  - the text is composed first (Unicode NFC): a letter and its accent
//    arriving as two characters are the one letter the code page holds;
//  - a character outside the code page becomes the "?" it is stored as;
//  - a tab or line break (CR, LF, CR LF) becomes one blank, so words on
//    two lines stay two words; line breaks that end the text are left
//    out, as are other control characters, which typing never puts in;
//  - when a handler swallows any character, the whole text is refused:
//    an amount field never turns "12.50" into "1250" or "-5,5" into "5,5".
// While a handler judges a character, text() of the field (events.h)
// answers the text as it will stand before that character, exactly what it
// answers for a typed key. Fields without key handlers, in a window without
// key preview, take text as Qt gives it, as they take typed keys.
//
//   forms::setLocked(field, [&] { return st.Satzgesperrt; });

#include "platform/forms/keys.h"

#include <QString>
#include <functional>

class QEvent;
class QKeyEvent;
class QWidget;

namespace forms {

// The runtime's Locked property of a text or combo box, asked at every
// event: while 'locked' answers true nothing the user does changes the
// field's text. Keys, cut, paste, the edit menu, drops, input-method text,
// the middle-click paste and a combo box's list are all refused; selecting
// and copying still work, and code still writes.
void setLocked(QWidget* field, std::function<bool()> locked);

namespace detail {

// Between keys.cpp, events.cpp and this file's own source.
// A non-key event on its way to w: true when it was dealt with here.
bool textRoad(QWidget* w, QEvent* e);
// A key press on its way to w, after the KeyDown handlers: paste keys and
// a locked combo box's list keys. True when it was dealt with here.
bool keyRoad(QWidget* w, QKeyEvent* e, bool withRules);
// The text field w will hold while a character arriving in it is judged.
const QString* pendingText(const QWidget* w);
// The KeyPress handlers that judge a character typed into w, in their
// order; 'rules' when any key handler serves w at all (keys.cpp).
struct Judges {
    KeyAsciiHandler preview;
    KeyAsciiHandler own;
    bool rules = false;
};
Judges judges(QWidget* w);
// Installs the one event filter that serves keys and these roads (keys.cpp).
void listen();

} // namespace detail

} // namespace forms
