#pragma once
// The event rules of the original window runtime on top of Qt Widgets.
//
// Handlers are plain callables connected directly (never queued): writing a
// field from code runs its Change handler before the write returns, exactly
// as the program's edit buffer expects. Nothing here blocks signals.
//
//   forms::onChange(edit, [&]{ ... });          // typed or written from code
//   forms::setText(edit, "12:00");               // Change only if it differs
//   forms::onClick(check, [&]{ ... });           // user or code, value changes only
//   forms::onLostFocus(field, [&]{ ... });       // moves between the window's controls

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QWidget;

namespace forms {

using Handler = std::function<void()>;

// Change: runs on every change of the text, typed or written from code.
void onChange(QLineEdit* edit, Handler h);
void onChange(QPlainTextEdit* edit, Handler h);

// Writes a text from code. The Change handler runs at once, and only when the
// text differs from the present one. (A text beyond the field's maximum
// length is cut by Qt; give fields a maximum that fits their record field.)
void setText(QLineEdit* edit, const QString& text);
void setText(QPlainTextEdit* edit, const QString& text);

// The control of that name inside 'within' (nullptr when none or no
// 'within'). Only controls of within's own window count: a secondary window
// may use the same name.
QWidget* control(const QWidget* within, const QString& name);

// The text of any control found by name: text and combo boxes, labels,
// multi-line texts and frame captions ("" for anything else or none).
// Writing follows the rules above; other controls are left alone. While a
// KeyPress handler judges a character of a pasted or dropped text, the
// field answers the text as it will stand before it (textinput.h).
QString text(const QWidget* w);
void setText(QWidget* w, const QString& text);

// A text as a label of the runtime showed it: CR LF, LF CR and a lone CR
// or LF each break the line once (the texts are built with all of them).
QString labelText(const QString& text);

// Click of a check box: runs when its value changes, by the user or by code.
// Value 0 unticked, 1 ticked (2 greyed is shown as partially checked).
void onClick(QCheckBox* box, Handler h);
int value(const QCheckBox* box);
void setValue(QCheckBox* box, int v);

// Click of a list: runs when the selected row changes, by the user or by code
// (row -1 = nothing selected).
void onClick(QListWidget* list, Handler h);
void setListIndex(QListWidget* list, int row);

// Validate / LostFocus / GotFocus. They run for focus moves between the
// controls of one window. A move, by the user or by code, runs the old
// control's Validate, then its LostFocus, then the new control's GotFocus,
// whatever order they were registered in; handlers of one kind run in the
// order registered. When a leave handler moves the focus elsewhere, the
// control it was heading for gets no GotFocus; a GotFocus that moves it on
// leaves the control it entered. Validate never cancels the move; a dialog
// of a leave handler taking the focus and giving it back is part of it.
// The focus may pass through another window or program in between
// (activating another window, a dialog, a popup): leaving the window runs
// nothing, and when a different control of it takes the focus than the one
// that had it when the window was left, that is the move from the one to
// the other, run at once, also while the window is not yet active again (a
// click or a drop into it from another program). Coming back to the same
// control runs none.
void onValidate(QWidget* w, Handler h);
void onGotFocus(QWidget* w, Handler h);
void onLostFocus(QWidget* w, Handler h);

namespace detail {
// Between events.cpp, textinput.cpp and mouseupbutton.cpp.
// w has been given the focus of its window (QWidget::setFocus) while that
// window is not active: the moves of the runtime run now, not when the
// window is activated (which may come after the click has acted).
void focusTaken(QWidget* w);
// Dialogs shown so far in the process, and their count before the press
// being delivered began to move the focus (the count at the press when it
// moved none): the leave checks of that move may ask something before the
// pressed control sees the press.
quint64 dialogsShown();
quint64 dialogsBeforePress();
} // namespace detail

// A group of option buttons that, unlike Qt's exclusive groups, can also show
// "none selected". Selecting a button (by click or setValue) runs click(index)
// once, and only when the selection changes; clicking the selected button
// again changes nothing. Indexes are those given to add() (0-based by
// default, in the order added). A button remembers its group, so
// setOptionValue below can clear it through the group.
class OptionGroup : public QObject {
    Q_OBJECT
public:
    explicit OptionGroup(QObject* parent = nullptr);

    int add(QRadioButton* b);
    void add(QRadioButton* b, int index);

    QRadioButton* button(int index) const;
    int count() const { return int(buttons_.size()); }

    // -1 when none is selected.
    int value() const;
    // Selects a button; index -1 (or clearing the selected one through
    // setChecked(i, false)) leaves none selected and runs no Click.
    void setValue(int index);
    void setChecked(int index, bool on);
    bool isChecked(int index) const;

signals:
    void click(int index);

private:
    struct Entry { QRadioButton* button; int index; };
    void onToggled(QRadioButton* b, bool on);
    const Entry* find(const QRadioButton* b) const;
    std::vector<Entry> buttons_;
    bool internal_ = false;
    QRadioButton* current_ = nullptr;
};

// An option button set from code: true selects it (its group's Click runs,
// on a change only), false clears it and leaves "none selected" when it was
// the selected one. A button outside any OptionGroup can be cleared too,
// which Qt's exclusive buttons refuse for the last checked one.
void setOptionValue(QRadioButton* b, bool value);

} // namespace forms
