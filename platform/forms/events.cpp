#include "platform/forms/events.h"

#include "platform/forms/combobox.h"
#include "platform/forms/textinput.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScopeGuard>

#include <memory>

namespace forms {

void onChange(QLineEdit* edit, Handler h)
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [h](const QString&) { h(); },
                     Qt::DirectConnection);
}

void onChange(QPlainTextEdit* edit, Handler h)
{
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [h] { h(); }, Qt::DirectConnection);
}

void setText(QLineEdit* edit, const QString& text)
{
    if (edit->text() == text)
        return;
    edit->setText(text);
}

void setText(QPlainTextEdit* edit, const QString& text)
{
    if (edit->toPlainText() == text)
        return;
    edit->setPlainText(text);
}

QWidget* control(const QWidget* within, const QString& name)
{
    if (!within)
        return nullptr;
    for (QWidget* w : within->findChildren<QWidget*>(name))
        if (w->window() == within->window())
            return w;
    return nullptr;
}

QString text(const QWidget* w)
{
    if (const QString* arriving = detail::pendingText(w))
        return *arriving;
    if (auto* c = qobject_cast<const ComboBox*>(w))
        return c->text();
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* t = qobject_cast<const QPlainTextEdit*>(w))
        return t->toPlainText();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    return {};
}

void setText(QWidget* w, const QString& text)
{
    if (auto* c = qobject_cast<ComboBox*>(w))
        c->setText(text);
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        setText(e, text);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        setText(t, text);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(text);
}

QString labelText(const QString& text)
{
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

void onClick(QCheckBox* box, Handler h)
{
    QObject::connect(box, &QCheckBox::stateChanged, box, [box, h](int state) {
        // Grey is a value for code only: once the box leaves it, a click goes
        // straight between ticked and unticked again.
        if (state != Qt::PartiallyChecked)
            box->setTristate(false);
        h();
    }, Qt::DirectConnection);
}

int value(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void setValue(QCheckBox* box, int v)
{
    if (v == 2)
        box->setTristate(true);
    box->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    if (v != 2)
        box->setTristate(false);
}

void onClick(QListWidget* list, Handler h)
{
    QObject::connect(list, &QListWidget::currentRowChanged, list, [h](int) { h(); },
                     Qt::DirectConnection);
}

void setListIndex(QListWidget* list, int row)
{
    if (row < -1 || row >= list->count())
        return;
    list->setCurrentRow(row);
}

namespace {

bool inside(const QWidget* w, const QWidget* x)
{
    return x && (x == w || w->isAncestorOf(x));
}

// One router for every focus handler of the process. Qt tells each listener
// of focusChanged in the order it connected, and delivers the new widget's
// FocusIn even before that; the runtime instead ran the old control's
// Validate and LostFocus before the new control's GotFocus, whoever
// registered first. Watching the application's moves (rather than the
// widgets' own focus events) also lets a control made of several widgets (a
// hosted control, a combo box) count as one: moves between its parts are
// neither leave nor enter.
// Qt reports no move when the focus goes from one window to another or to
// no window at all (another program), nor when a control of a window that is
// not active is given the focus (a click into it, which the window system
// follows with the activation only later). So the router keeps, for every
// window, the control that holds the runtime's focus there; leaving the
// window changes nothing in it, and whenever Qt's focus control of the
// window may have changed (a move, the window clicked, dropped into or
// active again) settle() compares the two. That is the one place that
// decides whether a move is a leave.
class FocusRouter : public QObject {
public:
    enum Phase { Validate, Lost, Got };

    static FocusRouter& instance()
    {
        static QPointer<FocusRouter> router;
        if (!router)
            router = new FocusRouter(qApp);
        return *router;
    }

    void add(QWidget* w, Phase phase, Handler h)
    {
        entries_.push_back({w, phase, std::make_shared<Handler>(std::move(h))});
    }

    // The focus of w's window may have moved while it was not active.
    void taken(QWidget* w)
    {
        QWidget* win = w ? w->window() : nullptr;
        if (!win || popup(win) || win->isActiveWindow())
            return;
        settle(win);
    }

    quint64 dialogs() const { return dialogs_; }
    quint64 dialogsBeforePress() const { return beforePress_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (!o->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(o);
        switch (e->type()) {
        case QEvent::FocusAboutToChange:
            // Qt moves the focus of an active window before the press is
            // delivered to anyone.
            if (static_cast<QFocusEvent*>(e)->reason() == Qt::MouseFocusReason
                && QApplication::mouseButtons() != Qt::NoButton && !pressMoving_) {
                pressMoving_ = true;
                beforePress_ = dialogs_;
            }
            break;
        case QEvent::Show:
            if (w->isWindow() && (w->isModal() || qobject_cast<QDialog*>(w)))
                ++dialogs_;
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (!pressMoving_)
                beforePress_ = dialogs_;
            pressMoving_ = false;
            // Qt has given the clicked control the focus of its window
            // already, quietly when the window is not active.
            if (w->window() && !w->window()->isActiveWindow() && !popup(w->window()))
                taken(w);
            break;
        case QEvent::MouseButtonRelease:
            pressMoving_ = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    explicit FocusRouter(QObject* parent) : QObject(parent)
    {
        connect(qApp, &QApplication::focusChanged, this,
                [this](QWidget* old, QWidget* now) {
                    if (!now || popup(now->window()))
                        return;
                    // A window whose focus moved before the router knew it.
                    if (const auto h = heldIn(now->window()); !h->control && old && old->window() == now->window())
                        h->control = old;
                    settle(now->window());
                },
                Qt::DirectConnection);
        qApp->installEventFilter(this);
        // Drops reach their field through the text roads, which give it
        // the focus (textinput.h).
        detail::listen();
    }

    struct Entry {
        QPointer<QWidget> widget;
        Phase phase;
        std::shared_ptr<Handler> handler;
    };

    // A window and the control that holds the runtime's focus in it: the
    // one entered last, and while the window is left, the one that had the
    // focus when it was left.
    struct Held {
        QPointer<QWidget> window;
        QPointer<QWidget> control;
        // The control's leave checks are running. What Qt reports meanwhile
        // (their message taking the focus and giving it back, a focus they
        // set) belongs to this move and is settled when they are done.
        bool leaving = false;
    };

    static bool popup(const QWidget* win) { return win->windowType() == Qt::Popup; }

    std::shared_ptr<Held> heldIn(QWidget* win)
    {
        std::erase_if(held_, [](const auto& h) { return !h->window; });
        for (const auto& h : held_)
            if (h->window == win)
                return h;
        held_.push_back(std::make_shared<Held>(Held{win, nullptr}));
        return held_.back();
    }

    // The window's own focus control, not the application's: the window may
    // not be active (clicked from another program, or a message of a leave
    // check has just closed and left no window active for a moment).
    void settle(QWidget* win)
    {
        const std::shared_ptr<Held> h = heldIn(win);
        if (h->leaving)
            return;
        const QPointer<QWidget> window = win;
        // A press that answers a dialog of the handlers is a press of its
        // own; the one that began this move keeps its count.
        const auto press = std::pair{pressMoving_, beforePress_};
        const auto restore = qScopeGuard([&] { std::tie(pressMoving_, beforePress_) = press; });
        // Each round is one move; a GotFocus that sends the focus on makes
        // the next, which Qt does not report while the window is not active.
        while (window && window->focusWidget() && window->focusWidget() != h->control) {
            const QPointer<QWidget> from = h->control;
            QWidget* to = window->focusWidget();
            if (!from) {
                // Never seen before, or its control is gone: nothing was left.
                h->control = to;
                return;
            }
            h->leaving = true;
            run(Validate, from, to);
            run(Lost, from, to);
            h->leaving = false;
            if (!window)
                return;
            // Where the leave checks left the focus: the control moved to,
            // another one they sent it on to (the one in between was never
            // entered), or back to the control left.
            QWidget* now = window->focusWidget();
            h->control = now;
            run(Got, from, now);
        }
    }

    void run(Phase phase, QWidget* from, QWidget* to)
    {
        std::erase_if(entries_, [](const Entry& e) { return !e.widget; });
        // A handler may register others or close a window: work on a copy.
        const std::vector<Entry> now = entries_;
        for (const Entry& e : now) {
            if (e.phase != phase || !e.widget)
                continue;
            const bool wasIn = inside(e.widget, from);
            const bool isIn = inside(e.widget, to);
            if (phase == Got ? (!wasIn && isIn) : (wasIn && !isIn))
                (*e.handler)();
        }
    }

    std::vector<Entry> entries_;
    std::vector<std::shared_ptr<Held>> held_;
    quint64 dialogs_ = 0;
    quint64 beforePress_ = 0;
    bool pressMoving_ = false;   // a press is moving the focus, since beforePress_
};

} // namespace

namespace detail {

void focusTaken(QWidget* w)
{
    FocusRouter::instance().taken(w);
}

quint64 dialogsShown()
{
    return FocusRouter::instance().dialogs();
}

quint64 dialogsBeforePress()
{
    return FocusRouter::instance().dialogsBeforePress();
}

} // namespace detail

void onValidate(QWidget* w, Handler h)
{
    FocusRouter::instance().add(w, FocusRouter::Validate, std::move(h));
}

void onGotFocus(QWidget* w, Handler h)
{
    FocusRouter::instance().add(w, FocusRouter::Got, std::move(h));
}

void onLostFocus(QWidget* w, Handler h)
{
    FocusRouter::instance().add(w, FocusRouter::Lost, std::move(h));
}

// ---------------------------------------------------------------- OptionGroup

namespace {
const char* const kGroup = "kmkOptionGroup";
const char* const kIndex = "kmkOptionIndex";
} // namespace

OptionGroup::OptionGroup(QObject* parent) : QObject(parent) {}

int OptionGroup::add(QRadioButton* b)
{
    int index = 0;
    for (const auto& e : buttons_)
        index = std::max(index, e.index + 1);
    add(b, index);
    return index;
}

void OptionGroup::add(QRadioButton* b, int index)
{
    // Qt's own exclusivity cannot show "none selected"; the group keeps it.
    b->setAutoExclusive(false);
    b->setProperty(kGroup, QVariant::fromValue<QObject*>(this));
    b->setProperty(kIndex, index);
    buttons_.push_back({b, index});
    if (b->isChecked()) {
        if (current_) {
            internal_ = true;
            current_->setChecked(false);
            internal_ = false;
        }
        current_ = b;
    }
    connect(b, &QRadioButton::toggled, this, [this, b](bool on) { onToggled(b, on); },
            Qt::DirectConnection);
}

const OptionGroup::Entry* OptionGroup::find(const QRadioButton* b) const
{
    for (const auto& e : buttons_)
        if (e.button == b)
            return &e;
    return nullptr;
}

QRadioButton* OptionGroup::button(int index) const
{
    for (const auto& e : buttons_)
        if (e.index == index)
            return e.button;
    return nullptr;
}

int OptionGroup::value() const
{
    const Entry* e = current_ ? find(current_) : nullptr;
    return e ? e->index : -1;
}

bool OptionGroup::isChecked(int index) const
{
    QRadioButton* b = button(index);
    return b && b == current_;
}

void OptionGroup::setValue(int index)
{
    if (index < 0) {
        if (current_)
            setChecked(value(), false);
        return;
    }
    if (QRadioButton* b = button(index))
        b->setChecked(true);   // toggled(true) -> onToggled -> click, on change only
}

void OptionGroup::setChecked(int index, bool on)
{
    QRadioButton* b = button(index);
    if (!b)
        return;
    if (on) {
        b->setChecked(true);
        return;
    }
    if (b != current_)
        return;
    internal_ = true;
    current_ = nullptr;
    b->setChecked(false);
    internal_ = false;
}

void OptionGroup::onToggled(QRadioButton* b, bool on)
{
    if (internal_)
        return;
    if (!on) {
        if (b == current_) {
            // A click on the selected button: it stays selected, no Click.
            internal_ = true;
            b->setChecked(true);
            internal_ = false;
        }
        return;
    }
    QRadioButton* old = current_;
    current_ = b;
    if (old && old != b) {
        internal_ = true;
        old->setChecked(false);
        internal_ = false;
    }
    if (const Entry* e = find(b))
        emit click(e->index);
}

void setOptionValue(QRadioButton* b, bool value)
{
    if (!b || b->isChecked() == value)
        return;
    if (value) {
        b->setChecked(true);
        return;
    }
    if (auto* g = qobject_cast<OptionGroup*>(b->property(kGroup).value<QObject*>())) {
        g->setChecked(b->property(kIndex).toInt(), false);
        return;
    }
    // An exclusive group refuses to clear its last button.
    const bool ex = b->autoExclusive();
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(ex);
}

} // namespace forms
