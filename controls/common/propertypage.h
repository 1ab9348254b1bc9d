#pragma once
// The "General" property page of a control and the About box, as Qt dialogs.
// A page is described by its fields; values travel to and from the control
// by property name through its dispatch table.

#include "platform/com/control.h"

#include <QDialog>
#include <QMap>
#include <QSet>
#include <array>
#include <optional>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace ctl {

struct PageField {
    enum Kind { Combo, Check, Text, Number, DateParts, Radio, Hidden };
    QString property;
    Kind kind = Hidden;
    QString label;
    QString enumName;      // Combo: type library enumeration that fills it
    int min = 0;           // Number: allowed range
    int max = 32767;
    int comboBase = 0;     // Combo: value of the first line (FirstDay: 1)
    QStringList choices;   // Radio: captions
};

PageField pageField(const char* property, PageField::Kind kind, const char* enumName = "", int min = 0, int max = 32767);

struct PageLayout {
    QString title;                   // "General"
    QString helpText;                // "Customize QK Calendar's properties"
    std::vector<PageField> fields;
    // Writes the page's values as the library's defaults; false when it cannot.
    std::function<bool(const QMap<QString, QVariant>&)> saveAsDefault;
    // Removes the library's defaults and gives the built-in ones (nullopt: nothing happens).
    std::function<std::optional<QMap<QString, QVariant>>()> resetDefault;
    std::function<void(QWidget* parent)> about;
    // The calendar's date fields follow the page's DateType.
    bool hasDateType = false;
};

// Fields the page carries without showing them (the rest of the defaults).
void addHiddenFields(PageLayout& layout, std::initializer_list<const char*> properties);

class PropertyPageDialog : public QDialog {
public:
    PropertyPageDialog(com::IControl* control, PageLayout pageLayout, QWidget* parent = nullptr);

    QMap<QString, QVariant> values() const { return values_; }
    void setFieldValue(const QString& property, const QVariant& value);   // as typed by a person
    QVariant fieldValue(const QString& property) const { return values_.value(property); }
    bool isChanged(const QString& property) const { return changed_.contains(property); }
    // Sends the changed values to the control; false (message shown on the page) when one is refused.
    bool apply();
    void saveAsDefault();
    void resetDefault();
    QString lastError() const;

private:
    void loadFromControl();
    void showValue(const PageField& f);
    void onDatePartEdited(const QString& property);
    void onDateTypeChosen(int dateType);
    int dateType() const;

    com::IControl* control_;
    PageLayout layout_;
    QMap<QString, QVariant> values_;
    QSet<QString> changed_;
    QMap<QString, QWidget*> editors_;
    QMap<QString, std::array<QLineEdit*, 3>> dateEditors_;
    QLabel* status_ = nullptr;
    bool loading_ = false;
};

class AboutDialog : public QDialog {
public:
    AboutDialog(const QString& controlName, QWidget* parent = nullptr);
};

} // namespace ctl
