#include "platform/forms/textinput.h"

#include "platform/forms/events.h"
#include "platform/vb/text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>

#include <optional>

namespace forms {

namespace {

class Lock : public QObject {
public:
    Lock(QWidget* w, std::function<bool()> f) : QObject(w), locked(std::move(f)) { setObjectName("qt_kmk_lock"); }
    std::function<bool()> locked;
};

Lock* lockOf(const QWidget* w)
{
    for (QObject* c : w->children())
        if (auto* l = dynamic_cast<Lock*>(c))
            return l;
    return nullptr;
}

// A text box, or a combo box with its edit part: the field whose handlers
// and lock count, and the line edit that holds the text.
struct Field {
    QWidget* field = nullptr;
    QLineEdit* edit = nullptr;
    QComboBox* combo = nullptr;
};

Field fieldOf(QWidget* w)
{
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->lineEdit() ? Field{c, c->lineEdit(), c} : Field{};
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (auto* c = qobject_cast<QComboBox*>(e->parentWidget()); c && c->lineEdit() == e)
            return {c, e, c};
        return {e, e, nullptr};
    }
    return {};
}

// The edit part is read-only while the field is locked: Qt itself then
// refuses every edit of its own (typing, cut, paste, undo, drops, input
// methods, the middle click) and leaves the editing entries out of its
// edit menu. Asked before each event, since the lock changes without one.
bool syncLock(const Field& f)
{
    const Lock* l = lockOf(f.field);
    if (!l)
        return false;
    const bool locked = l->locked && l->locked();
    if (f.edit->isReadOnly() != locked)
        f.edit->setReadOnly(locked);
    return locked;
}

struct Pending {
    const QWidget* field = nullptr;
    const QWidget* edit = nullptr;
    QString text;
};

Pending& pending()
{
    static Pending p;
    return p;
}

const QEvent*& resent()
{
    static const QEvent* e = nullptr;
    return e;
}

void resend(QWidget* to, QEvent* e)
{
    const QEvent* outer = resent();
    resent() = e;
    QCoreApplication::sendEvent(to, e);
    resent() = outer;
}

bool control(uint u)
{
    return u < 32 || (u >= 127 && u < 160);
}

// The text to put in place of [from, to) of the field's text, or none when
// a KeyPress handler swallows one of the arriving characters.
std::optional<QString> judge(const Field& f, const QString& incoming, int from, int to)
{
    const detail::Judges j = detail::judges(f.field);
    if (!j.rules)
        return incoming;
    const QString before = f.edit->text();
    Pending& p = pending();
    const Pending outer = p;
    struct Restore {
        Pending& p;
        Pending saved;
        ~Restore() { p = saved; }
    } restore{p, outer};
    p.field = f.field;
    p.edit = f.edit;
    QPointer<QWidget> guard(f.field);
    QString out;
    bool first = true;
    // A letter and its accent copied as two characters (from many PDFs, or
    // a file name of another system) are one letter of the code page.
    const QList<uint> zeichen = incoming.normalized(QString::NormalizationForm_C).toUcs4();
    // Line breaks that end the text go: a copied line or spreadsheet cell
    // ends with one, and a number field would refuse the blank.
    qsizetype ende = zeichen.size();
    while (ende > 0 && (zeichen[ende - 1] == '\r' || zeichen[ende - 1] == '\n'))
        --ende;
    for (qsizetype i = 0; i < ende; ++i) {
        uint u = zeichen[i];
        if (u == '\r' && i + 1 < ende && zeichen[i + 1] == '\n')
            continue;   // CR LF is one line break
        // Words on two lines or in two cells stay two words.
        if (u == '\t' || u == '\r' || u == '\n')
            u = ' ';
        else if (control(u))
            continue;
        int a = u > 0xFFFF ? '?' : static_cast<unsigned char>(vb::toAnsiChar(QChar(char16_t(u))));
        p.text = first ? before : before.left(from) + out + before.mid(to);
        for (const KeyAsciiHandler* h : {&j.preview, &j.own}) {
            if (!*h)
                continue;
            (*h)(a);
            if (!guard || a == 0)
                return std::nullopt;
        }
        out += vb::Chr(a & 0xFF);
        first = false;
    }
    return out;
}

// Start and end of the selection, or the cursor twice.
std::pair<int, int> selection(const QLineEdit* e)
{
    if (!e->hasSelectedText())
        return {e->cursorPosition(), e->cursorPosition()};
    return {e->selectionStart(), e->selectionEnd()};
}

void insert(const Field& f, const QString& incoming)
{
    const auto [from, to] = selection(f.edit);
    if (const auto t = judge(f, incoming, from, to))
        f.edit->insert(*t);
}

// Qt's own edit menu, its Paste taking the road of every paste.
void editMenu(const Field& f, const QPoint& at)
{
    QMenu* menu = f.edit->createStandardContextMenu();
    QPointer<QLineEdit> edit(f.edit);
    for (QAction* a : menu->actions())
        if (QObject::disconnect(a, &QAction::triggered, f.edit, &QLineEdit::paste)
            || QObject::disconnect(a, SIGNAL(triggered()), f.edit, SLOT(paste())))
            QObject::connect(a, &QAction::triggered, f.edit, [edit] {
                if (edit)
                    insert(fieldOf(edit), QGuiApplication::clipboard()->text());
            });
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(at);
}

bool drop(const Field& f, QDropEvent* d)
{
    const QMimeData* m = d->mimeData();
    // A move inside the field itself carries text that is already there.
    if (!m || !m->hasText() || d->source() == f.edit)
        return false;
    const int at = f.edit->cursorPositionAt(d->position().toPoint());
    const auto t = judge(f, m->text(), at, at);
    if (t && *t == m->text())
        return false;
    if (!t) {
        d->ignore();
        return true;
    }
    QMimeData judged;
    judged.setText(*t);
    QDropEvent r(d->position(), d->possibleActions(), &judged, d->buttons(), d->modifiers());
    r.setDropAction(d->dropAction());
    resend(f.edit, &r);
    d->setDropAction(r.dropAction());
    d->setAccepted(r.isAccepted());
    return true;
}

bool inputMethod(QWidget* to, const Field& f, QInputMethodEvent* im)
{
    if (im->commitString().isEmpty())
        return false;
    const auto [from, end] = selection(f.edit);
    const auto t = judge(f, im->commitString(), from, end);
    if (t && *t == im->commitString())
        return false;
    QInputMethodEvent r(im->preeditString(), im->attributes());
    if (t)
        r.setCommitString(*t, im->replacementStart(), im->replacementLength());
    resend(to, &r);
    return true;
}

bool listKey(const QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_F4:
        return true;
    default:
        return false;
    }
}

} // namespace

void setLocked(QWidget* field, std::function<bool()> locked)
{
    detail::listen();
    if (Lock* l = lockOf(field))
        l->locked = std::move(locked);
    else
        new Lock(field, std::move(locked));
}

namespace detail {

const QString* pendingText(const QWidget* w)
{
    const Pending& p = pending();
    return w && (w == p.field || w == p.edit) ? &p.text : nullptr;
}

bool keyRoad(QWidget* w, QKeyEvent* e, bool withRules)
{
    const Field f = fieldOf(w);
    if (!f.edit)
        return false;
    const bool locked = syncLock(f);
    if (locked && f.combo && listKey(e))
        return true;
    // A key that brings several characters at once (a compose sequence)
    // brings them as arriving text, each judged by the key rules.
    if (withRules && e->text().toUcs4().size() > 1) {
        if (!locked)
            insert(f, e->text());
        return true;
    }
    if (!e->matches(QKeySequence::Paste))
        return false;
    if (locked)
        return true;
    if (!withRules)
        return false;
    insert(f, QGuiApplication::clipboard()->text());
    return true;
}

bool textRoad(QWidget* w, QEvent* e)
{
    switch (e->type()) {
    case QEvent::FocusIn:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::InputMethod:
    case QEvent::InputMethodQuery:   // an input method asks before it sends
        break;
    default:
        return false;
    }
    if (e == resent())
        return false;
    const Field f = fieldOf(w);
    if (!f.edit)
        return false;
    const bool locked = syncLock(f);
    switch (e->type()) {
    case QEvent::Wheel:
        return locked && f.combo;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return locked && w == f.combo;   // the list's arrow
    case QEvent::MouseButtonRelease: {
        const auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() != Qt::MiddleButton || w != f.edit || !QGuiApplication::clipboard()->supportsSelection())
            return false;
        if (locked)
            return true;
        if (!judges(f.field).rules)
            return false;
        f.edit->deselect();
        insert(f, QGuiApplication::clipboard()->text(QClipboard::Selection));
        return true;
    }
    case QEvent::ContextMenu:
        if (locked || !judges(f.field).rules)
            return false;
        editMenu(f, static_cast<QContextMenuEvent*>(e)->globalPos());
        e->accept();
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (!locked)
            return false;
        e->ignore();
        return true;
    case QEvent::Drop: {
        if (locked) {
            e->ignore();
            return true;
        }
        auto* d = static_cast<QDropEvent*>(e);
        // A drop gives the field the focus, as a click into it would: the
        // field left runs its leave checks now, this one when the user
        // moves on. Also from another program, while the window is not
        // active.
        if (d->mimeData() && d->mimeData()->hasText()) {
            QPointer<QWidget> guard(f.field);
            f.field->setFocus(Qt::OtherFocusReason);
            detail::focusTaken(f.field);
            if (!guard)
                return true;
        }
        return drop(f, d);
    }
    case QEvent::InputMethod:
        return locked || inputMethod(w, f, static_cast<QInputMethodEvent*>(e));
    default:
        return false;
    }
}

} // namespace detail

} // namespace forms
