#include "platform/forms/events.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

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

// Watches the application's focus moves rather than the widget's own focus
// events, so a control made of several widgets (a hosted control, a combo
// box) counts as one: moves between its parts are neither leave nor enter.
class FocusWatcher : public QObject {
public:
    FocusWatcher(QWidget* w, Handler got, Handler lost)
        : QObject(w), widget_(w), got_(std::move(got)), lost_(std::move(lost))
    {
        connect(qApp, &QApplication::focusChanged, this,
                [this](QWidget* old, QWidget* now) { moved(old, now); }, Qt::DirectConnection);
    }

private:
    void moved(QWidget* old, QWidget* now)
    {
        // Window activation (no old or no new widget) and moves to or from
        // other windows (popups, dialogs) are no moves inside the window.
        if (!old || !now || old->window() != now->window())
            return;
        const bool wasIn = inside(widget_, old);
        const bool isIn = inside(widget_, now);
        if (wasIn && !isIn && lost_)
            lost_();
        else if (!wasIn && isIn && got_)
            got_();
    }

    QWidget* widget_;
    Handler got_;
    Handler lost_;
};

} // namespace

void onGotFocus(QWidget* w, Handler h)
{
    new FocusWatcher(w, std::move(h), {});
}

void onLostFocus(QWidget* w, Handler h)
{
    new FocusWatcher(w, {}, std::move(h));
}

// ---------------------------------------------------------------- OptionGroup

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

} // namespace forms
