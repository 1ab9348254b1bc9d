#pragma once
// A combo box with the runtime's events:
//  - change(): the text of the edit part changed by typing, or by setText()
//    from code with a different text;
//  - click(): an item was chosen from the list (the text becomes the item's,
//    no change() for it), or setListIndex() changed the selection;
//  - a refill of the list (setItems, clearItems, addItem) keeps the typed
//    text and raises nothing.
// Enter never adds the typed text to the list, and there is no inline
// completion: the text is what the user typed.

#include <QComboBox>
#include <QStringList>

namespace forms {

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    // editable = true for a drop-down combo with an edit part,
    // false for a drop-down list.
    explicit ComboBox(QWidget* parent = nullptr, bool editable = true);

    QString text() const;
    void setText(const QString& text);

    int listIndex() const { return currentIndex(); }
    void setListIndex(int index);

    void setItems(const QStringList& items);
    void clearItems();
    void addItem(const QString& item);

signals:
    void change();
    void click();

private:
    void keepText(const std::function<void()>& refill);
};

} // namespace forms
