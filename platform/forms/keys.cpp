#include "platform/forms/keys.h"

#include "platform/forms/mouseupbutton.h"
#include "platform/forms/textinput.h"
#include "platform/vb/text.h"

#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <memory>

namespace forms {

namespace {

struct KeyMap { int qt; int vk; };
constexpr KeyMap kKeys[] = {
    {Qt::Key_Backspace, 8},  {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},   {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},       {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},     {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
    {Qt::Key_Home, 36},      {Qt::Key_Left, 37},     {Qt::Key_Up, 38},       {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},      {Qt::Key_Print, 44},    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},
    {Qt::Key_NumLock, 144},  {Qt::Key_ScrollLock, 145},
    {Qt::Key_Semicolon, 186}, {Qt::Key_Plus, 187},   {Qt::Key_Comma, 188},   {Qt::Key_Minus, 189},
    {Qt::Key_Period, 190},   {Qt::Key_Slash, 191},   {Qt::Key_NumberSign, 191},
    {Qt::Key_Dead_Circumflex, 220}, {Qt::Key_Less, 226},
};

int keypadCode(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return 96 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    case Qt::Key_Enter: return 13;
    default: return 0;
    }
}

// Keys that move the focus: Qt handles them before any key event of ours.
bool isFocusKey(const QKeyEvent* e)
{
    return (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab)
           && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

class ControlKeys : public QObject {
public:
    explicit ControlKeys(QWidget* w) : QObject(w) { setObjectName("qt_kmk_keys"); }
    KeyHandlers handlers;
};

ControlKeys* controlKeys(QWidget* w, bool create)
{
    for (QObject* c : w->children())
        if (auto* k = dynamic_cast<ControlKeys*>(c))
            return k;
    return create ? new ControlKeys(w) : nullptr;
}

// The control whose handlers serve a widget: the widget itself or the
// nearest enclosing widget with handlers (the combo box whose edit part it
// is, the host of a hosted control).
ControlKeys* handlersFor(QWidget* w)
{
    for (QWidget* x = w; x; x = x->parentWidget()) {
        if (ControlKeys* k = controlKeys(x, false))
            return k;
        if (x->isWindow())
            break;
    }
    return nullptr;
}

Qt::KeyboardModifiers& runningModifiers()
{
    static Qt::KeyboardModifiers m;
    return m;
}

// The event's modifiers while its handlers run; nested keys restore the outer.
struct ModifierScope {
    Qt::KeyboardModifiers saved;
    explicit ModifierScope(Qt::KeyboardModifiers m) : saved(runningModifiers()) { runningModifiers() = m; }
    ~ModifierScope() { runningModifiers() = saved; }
};

// The window whose key preview serves a widget: an open drop-down list is a
// popup window of its own, but its keys belong to the window of its combo box.
QWidget* previewWindow(QWidget* w)
{
    QWidget* win = w->window();
    while (win && win->windowType() == Qt::Popup && win->parentWidget())
        win = win->parentWidget()->window();
    return win;
}

// One filter on the application sees every key before any widget does.
class KeyDispatcher : public QObject {
public:
    static KeyDispatcher& instance()
    {
        static KeyDispatcher* d = [] {
            auto* k = new KeyDispatcher;
            qApp->installEventFilter(k);
            return k;
        }();
        return *d;
    }

    QHash<QWidget*, KeyHandlers> previews;
    QKeyEvent* resent = nullptr;

protected:
    bool eventFilter(QObject* obj, QEvent* e) override
    {
        if (!obj->isWidgetType())
            return false;
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease)
            return detail::textRoad(static_cast<QWidget*>(obj), e);
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke == resent)
            return false;   // our own replacement, already handled
        auto* w = static_cast<QWidget*>(obj);
        if (isPropagation(ke, w))
            return false;
        remember(ke, w);
        if (isFocusKey(ke))
            return false;
        const bool handled = dispatch(w, ke);
        // A handler may have run a modal box whose own keys replaced the
        // memory; the parents that Qt hands this key to next must still
        // recognise it, or the command would run again.
        remember(ke, w);
        return handled;
    }

private:
    struct Last {
        const QKeyEvent* event = nullptr;
        QEvent::Type type = QEvent::None;
        int key = 0;
        quint64 timestamp = 0;
        QPointer<QWidget> receiver;
    } last_;

    // Qt hands an unaccepted key on to the parent widgets: same event object,
    // an ancestor as receiver.
    bool isPropagation(const QKeyEvent* e, QWidget* w) const
    {
        if (e != last_.event || e->type() != last_.type || e->key() != last_.key
            || e->timestamp() != last_.timestamp || !last_.receiver)
            return false;
        return w != last_.receiver && w->isAncestorOf(last_.receiver);
    }

    void remember(const QKeyEvent* e, QWidget* w)
    {
        last_ = {e, e->type(), e->key(), e->timestamp(), w};
    }

    bool dispatch(QWidget* w, QKeyEvent* e)
    {
        const KeyHandlers* preview = nullptr;
        auto it = previews.find(previewWindow(w));
        if (it != previews.end())
            preview = &it.value();
        ControlKeys* ck = handlersFor(w);
        const KeyHandlers* own = ck ? &ck->handlers : nullptr;
        if (!preview && !own)
            return e->type() == QEvent::KeyPress && detail::keyRoad(w, e, false);

        const int shift = runtimeShift(e->modifiers());
        const ModifierScope scope(e->modifiers());
        const bool press = e->type() == QEvent::KeyPress;
        int code = keyCode(e);
        if (code != 0) {
            const auto& down = [&](const KeyHandlers* h) -> const KeyCodeHandler& {
                return press ? h->keyDown : h->keyUp;
            };
            if (preview && down(preview)) {
                down(preview)(code, shift);
                if (code == 0)
                    return true;
            }
            if (own && down(own)) {
                // The window may have gone in the handler; 'own' belongs to w.
                QPointer<QWidget> guard(w);
                down(own)(code, shift);
                if (!guard || code == 0)
                    return true;
            }
        }
        if (!press)
            return false;
        // A paste key brings its text by the road of every paste, not as
        // a character of its own.
        if (detail::keyRoad(w, e, true))
            return true;

        int ascii = keyAscii(e);
        if (ascii == 0)
            return false;
        const int typed = ascii;
        QPointer<QWidget> guard(w);
        if (preview && preview->keyPress) {
            preview->keyPress(ascii);
            if (ascii == 0 || !guard)
                return true;
        }
        if (own && own->keyPress) {
            own->keyPress(ascii);
            if (ascii == 0 || !guard)
                return true;
        }
        // A character the code page lacks is typed as the "?" it will be
        // stored as, so the field never shows what the file cannot hold; an
        // emoji is one character in two UTF-16 units.
        const bool ausserhalb = vb::fromAnsi(vb::toAnsi(e->text())) != e->text();
        if (ascii == typed && !ausserhalb)
            return false;
        // The handler typed another character in place of this one.
        const QString text = vb::Chr(ascii & 0xFF);
        int key = e->key();
        const QChar c = text.isEmpty() ? QChar() : text.at(0).toUpper();
        if (c.isLetterOrNumber() && c.unicode() < 128)
            key = c.unicode();
        else if (ascii == 13)
            key = Qt::Key_Return;
        else if (ascii == 8)
            key = Qt::Key_Backspace;
        QKeyEvent replacement(QEvent::KeyPress, key, e->modifiers(), text, e->isAutoRepeat());
        QKeyEvent* outer = resent;
        resent = &replacement;
        QCoreApplication::sendEvent(w, &replacement);
        resent = outer;
        return true;
    }
};

} // namespace

Qt::KeyboardModifiers currentKeyModifiers()
{
    return runningModifiers();
}

int keyCode(const QKeyEvent* e)
{
    const int key = e->key();
    if (e->modifiers() & Qt::KeypadModifier)
        if (int k = keypadCode(key))
            return k;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {   // German letters on their own keys
    case Qt::Key_Adiaeresis: return 222;
    case Qt::Key_Odiaeresis: return 192;
    case Qt::Key_Udiaeresis: return 186;
    case Qt::Key_ssharp: return 219;
    default: break;
    }
    for (const auto& m : kKeys)
        if (m.qt == key)
            return m.vk;
    return 0;
}

int keyAscii(const QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab: return 9;
    default: break;
    }
    const QString t = e->text();
    if (t.isEmpty())
        return 0;
    const QChar c = t.at(0);
    if (c.unicode() < 32 || c.unicode() == 127)
        return c.unicode() == 127 ? 0 : c.unicode();
    return static_cast<unsigned char>(vb::toAnsiChar(c));
}

namespace detail {

Judges judges(QWidget* w)
{
    Judges j;
    auto& d = KeyDispatcher::instance();
    auto it = d.previews.find(previewWindow(w));
    if (it != d.previews.end()) {
        j.preview = it.value().keyPress;
        j.rules = true;
    }
    if (ControlKeys* ck = handlersFor(w)) {
        j.own = ck->handlers.keyPress;
        j.rules = true;
    }
    return j;
}

void listen()
{
    KeyDispatcher::instance();
}

} // namespace detail

void onKeyDown(QWidget* control, KeyCodeHandler h)
{
    KeyDispatcher::instance();
    controlKeys(control, true)->handlers.keyDown = std::move(h);
}

void onKeyPress(QWidget* control, KeyAsciiHandler h)
{
    KeyDispatcher::instance();
    controlKeys(control, true)->handlers.keyPress = std::move(h);
}

void onKeyUp(QWidget* control, KeyCodeHandler h)
{
    KeyDispatcher::instance();
    controlKeys(control, true)->handlers.keyUp = std::move(h);
}

void setKeyPreview(QWidget* window, KeyHandlers handlers)
{
    auto& d = KeyDispatcher::instance();
    d.previews.insert(window, std::move(handlers));
    QObject::connect(window, &QObject::destroyed, &d, [window] {
        KeyDispatcher::instance().previews.remove(window);
    });
}

void clearKeyPreview(QWidget* window)
{
    KeyDispatcher::instance().previews.remove(window);
}

// ---------------------------------------------------------------- postKeys

namespace {

struct Stroke { int key; Qt::KeyboardModifiers mods; QString text; };

int namedKey(const QString& name)
{
    static const QHash<QString, int> names = {
        {"TAB", Qt::Key_Tab},       {"ENTER", Qt::Key_Return}, {"~", Qt::Key_Return},
        {"ESC", Qt::Key_Escape},    {"ESCAPE", Qt::Key_Escape}, {"BS", Qt::Key_Backspace},
        {"BACKSPACE", Qt::Key_Backspace}, {"BKSP", Qt::Key_Backspace}, {"DEL", Qt::Key_Delete},
        {"DELETE", Qt::Key_Delete}, {"INS", Qt::Key_Insert},   {"INSERT", Qt::Key_Insert},
        {"LEFT", Qt::Key_Left},     {"RIGHT", Qt::Key_Right},  {"UP", Qt::Key_Up},
        {"DOWN", Qt::Key_Down},     {"HOME", Qt::Key_Home},    {"END", Qt::Key_End},
        {"PGUP", Qt::Key_PageUp},   {"PGDN", Qt::Key_PageDown},
    };
    const QString up = name.toUpper();
    auto it = names.find(up);
    if (it != names.end())
        return it.value();
    if (up.size() >= 2 && up.size() <= 3 && up.at(0) == 'F') {
        bool ok = false;
        const int n = up.mid(1).toInt(&ok);
        if (ok && n >= 1 && n <= 16)
            return Qt::Key_F1 + n - 1;
    }
    return 0;
}

QString strokeText(int key, Qt::KeyboardModifiers mods)
{
    switch (key) {
    case Qt::Key_Return: return QStringLiteral("\r");
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Escape: return QString(QChar(27));
    case Qt::Key_Backspace: return QString(QChar(8));
    default: return {};
    }
}

std::vector<Stroke> parseKeys(const QString& keys)
{
    std::vector<Stroke> out;
    Qt::KeyboardModifiers mods;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QChar c = keys.at(i);
        if (c == '+') { mods |= Qt::ShiftModifier; continue; }
        if (c == '^') { mods |= Qt::ControlModifier; continue; }
        if (c == '%') { mods |= Qt::AltModifier; continue; }
        int key = 0;
        QString text;
        if (c == '{') {
            const qsizetype end = keys.indexOf('}', i + 2);   // "{}}" names a brace
            if (end < 0)
                break;
            const QString name = keys.mid(i + 1, end - i - 1);
            i = end;
            if (name.size() == 1) {
                text = name;
                key = name.at(0).toUpper().unicode();
            } else {
                key = namedKey(name);
                text = strokeText(key, mods);
            }
        } else if (c == '~') {
            key = Qt::Key_Return;
            text = QStringLiteral("\r");
        } else {
            text = c;
            key = c.toUpper().unicode();
        }
        if (key != 0) {
            if (key == Qt::Key_Tab && (mods & Qt::ShiftModifier))
                key = Qt::Key_Backtab;
            out.push_back({key, mods, (mods & (Qt::ControlModifier | Qt::AltModifier)) ? QString() : text});
        }
        mods = {};
    }
    return out;
}

class KeyPoster : public QObject {
public:
    struct Batch : QEvent {
        explicit Batch(std::vector<Stroke> s) : QEvent(type()), strokes(std::move(s)) {}
        static QEvent::Type type()
        {
            static const int t = QEvent::registerEventType();
            return static_cast<QEvent::Type>(t);
        }
        std::vector<Stroke> strokes;
    };

    static KeyPoster& instance()
    {
        static KeyPoster* p = new KeyPoster;
        return *p;
    }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != Batch::type())
            return QObject::event(e);
        for (const Stroke& s : static_cast<Batch*>(e)->strokes) {
            QWidget* target = QApplication::focusWidget();
            if (!target)
                target = QApplication::activeWindow();
            if (!target)
                return true;
            QKeyEvent press(QEvent::KeyPress, s.key, s.mods, s.text);
            QCoreApplication::sendEvent(target, &press);
            QWidget* after = QApplication::focusWidget() ? QApplication::focusWidget() : target;
            QKeyEvent release(QEvent::KeyRelease, s.key, s.mods, s.text);
            QCoreApplication::sendEvent(after, &release);
        }
        return true;
    }
};

} // namespace

void postKeys(const QString& keys)
{
    auto strokes = parseKeys(keys);
    if (strokes.empty())
        return;
    QCoreApplication::postEvent(&KeyPoster::instance(), new KeyPoster::Batch(std::move(strokes)));
}

} // namespace forms
