#include "platform/forms/combobox.h"

#include <QLineEdit>

namespace forms {

ComboBox::ComboBox(QWidget* parent, bool editable) : QComboBox(parent)
{
    setEditable(editable);
    setInsertPolicy(QComboBox::NoInsert);
    if (editable) {
        setCompleter(nullptr);
        connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString&) { emit change(); },
                Qt::DirectConnection);
    }
    // activated: a choice by the user only, never by code.
    connect(this, &QComboBox::activated, this, [this](int) { emit click(); }, Qt::DirectConnection);
}

QString ComboBox::text() const
{
    if (isEditable())
        return lineEdit()->text();
    return currentIndex() >= 0 ? itemText(currentIndex()) : QString();
}

void ComboBox::setText(const QString& t)
{
    if (!isEditable()) {
        // A drop-down list takes a text only when it is one of its items.
        const int i = findText(t, Qt::MatchFixedString);
        if (i >= 0)
            setListIndex(i);
        return;
    }
    if (lineEdit()->text() == t)
        return;
    lineEdit()->setText(t);
    emit change();
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= count() || index == currentIndex())
        return;
    setCurrentIndex(index);
    emit click();
}

void ComboBox::keepText(const std::function<void()>& refill)
{
    if (!isEditable()) {
        refill();
        return;
    }
    const QString typed = lineEdit()->text();
    const int cursor = lineEdit()->cursorPosition();
    refill();
    if (currentIndex() >= 0 && lineEdit()->text() != typed)
        setCurrentIndex(-1);
    if (lineEdit()->text() != typed)
        lineEdit()->setText(typed);
    lineEdit()->setCursorPosition(cursor);
}

void ComboBox::setItems(const QStringList& items)
{
    keepText([&] {
        QComboBox::clear();
        QComboBox::addItems(items);
    });
}

void ComboBox::clearItems()
{
    keepText([&] { QComboBox::clear(); });
}

void ComboBox::addItem(const QString& item)
{
    keepText([&] { QComboBox::addItem(item); });
}

} // namespace forms
