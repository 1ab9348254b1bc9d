#include "controls/common/propertypage.h"

#include "platform/vb/date.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ctl {

PageField pageField(const char* property, PageField::Kind kind, const char* enumName, int min, int max)
{
    PageField f;
    f.property = QString::fromLatin1(property);
    f.kind = kind;
    f.enumName = QString::fromLatin1(enumName);
    f.min = min;
    f.max = max;
    return f;
}

void addHiddenFields(PageLayout& layout, std::initializer_list<const char*> properties)
{
    for (const char* p : properties)
        layout.fields.push_back(pageField(p, PageField::Hidden));
}

namespace {
QVariant getProperty(com::IControl* c, const QString& name, bool* ok)
{
    const com::MemberInfo* m = c->classInfo().member(name);
    *ok = false;
    if (!m)
        return {};
    QVariantList args;
    QVariant r;
    com::ExcepInfo exc;
    *ok = com::succeeded(c->invoke(m->id, com::InvokeKind::Get, args, &r, &exc));
    return r;
}
} // namespace

PropertyPageDialog::PropertyPageDialog(com::IControl* control, PageLayout pageLayout, QWidget* parent)
    : QDialog(parent), control_(control), layout_(std::move(pageLayout))
{
    setWindowTitle(layout_.title);
    setObjectName(QStringLiteral("PropertyPage"));
    auto* top = new QVBoxLayout(this);
    auto* help = new QLabel(layout_.helpText, this);
    top->addWidget(help);
    auto* form = new QFormLayout;
    top->addLayout(form);
    const com::ClassInfo& info = control_->classInfo();

    for (const PageField& f : layout_.fields) {
        const QString caption = f.label.isEmpty() ? f.property : f.label;
        switch (f.kind) {
        case PageField::Combo: {
            auto* box = new QComboBox(this);
            if (const com::EnumInfo* e = info.enumeration(f.enumName))
                for (const auto& c : e->constants)
                    if (!c.hidden)
                        box->addItem(QStringLiteral("%1 - %2").arg(c.value).arg(c.doc), c.value);
            connect(box, &QComboBox::activated, this, [this, f, box](int index) {
                const QVariant v = box->itemData(index);
                values_[f.property] = v;
                changed_.insert(f.property);
                if (layout_.hasDateType && f.property == QLatin1String("DateType"))
                    onDateTypeChosen(v.toInt());
            });
            form->addRow(caption, box);
            editors_[f.property] = box;
            break;
        }
        case PageField::Check: {
            auto* box = new QCheckBox(caption, this);
            connect(box, &QCheckBox::toggled, this, [this, f](bool on) {
                if (loading_)
                    return;
                values_[f.property] = on ? -1 : 0;
                changed_.insert(f.property);
            });
            form->addRow(QString(), box);
            editors_[f.property] = box;
            break;
        }
        case PageField::Text:
        case PageField::Number: {
            auto* edit = new QLineEdit(this);
            if (f.kind == PageField::Number)
                edit->setValidator(new QIntValidator(f.min, f.max, edit));
            connect(edit, &QLineEdit::textEdited, this, [this, f](const QString& t) {
                values_[f.property] = f.kind == PageField::Number ? QVariant(t.toInt()) : QVariant(t);
                changed_.insert(f.property);
            });
            form->addRow(caption, edit);
            editors_[f.property] = edit;
            break;
        }
        case PageField::DateParts: {
            auto* row = new QHBoxLayout;
            std::array<QLineEdit*, 3> edits{};
            for (int i = 0; i < 3; ++i) {
                edits[i] = new QLineEdit(this);
                edits[i]->setValidator(new QIntValidator(i == 2 ? 0 : 0, i == 2 ? 9999 : 31, edits[i]));
                edits[i]->setMaximumWidth(i == 2 ? 60 : 40);
                row->addWidget(edits[i]);
                connect(edits[i], &QLineEdit::textEdited, this, [this, f] { onDatePartEdited(f.property); });
            }
            form->addRow(caption, row);
            dateEditors_[f.property] = edits;
            break;
        }
        case PageField::Radio: {
            auto* row = new QHBoxLayout;
            auto* group = new QButtonGroup(this);
            for (int i = 0; i < f.choices.size(); ++i) {
                auto* b = new QRadioButton(f.choices[i], this);
                group->addButton(b, i);
                row->addWidget(b);
            }
            connect(group, &QButtonGroup::idClicked, this, [this, f](int id) {
                values_[f.property] = id;
                changed_.insert(f.property);
            });
            form->addRow(caption, row);
            editors_[f.property] = group->buttons().value(0);
            break;
        }
        case PageField::Hidden:
            break;
        }
    }

    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("Save As Default"), this);
    auto* reset = new QPushButton(QStringLiteral("Reset Default"), this);
    auto* about = new QPushButton(QStringLiteral("About..."), this);
    save->setObjectName(QStringLiteral("SaveAsDefault"));
    reset->setObjectName(QStringLiteral("ResetDefault"));
    about->setObjectName(QStringLiteral("About"));
    buttons->addWidget(save);
    buttons->addWidget(reset);
    buttons->addWidget(about);
    top->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, [this] { saveAsDefault(); });
    connect(reset, &QPushButton::clicked, this, [this] { resetDefault(); });
    connect(about, &QPushButton::clicked, this, [this] {
        if (layout_.about)
            layout_.about(this);
    });

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("Status"));
    status_->setStyleSheet(QStringLiteral("color: #a00000"));
    top->addWidget(status_);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    top->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, [this] {
        if (apply())
            accept();
    });
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(box->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] { apply(); });

    loadFromControl();
}

QString PropertyPageDialog::lastError() const { return status_->text(); }

int PropertyPageDialog::dateType() const { return values_.value(QStringLiteral("DateType")).toInt(); }

void PropertyPageDialog::loadFromControl()
{
    loading_ = true;
    for (const PageField& f : layout_.fields) {
        bool ok = false;
        const QVariant v = getProperty(control_, f.property, &ok);
        if (ok)
            values_[f.property] = v;
    }
    for (const PageField& f : layout_.fields)
        showValue(f);
    changed_.clear();
    loading_ = false;
}

void PropertyPageDialog::showValue(const PageField& f)
{
    const QVariant v = values_.value(f.property);
    const bool wasLoading = loading_;
    loading_ = true;
    switch (f.kind) {
    case PageField::Combo:
        if (auto* box = qobject_cast<QComboBox*>(editors_.value(f.property)))
            box->setCurrentIndex(box->findData(v.toInt()));
        break;
    case PageField::Check:
        if (auto* box = qobject_cast<QCheckBox*>(editors_.value(f.property)))
            box->setChecked(v.toInt() != 0);
        break;
    case PageField::Text:
    case PageField::Number:
        if (auto* edit = qobject_cast<QLineEdit*>(editors_.value(f.property)))
            edit->setText(v.toString());
        break;
    case PageField::DateParts:
        if (dateEditors_.contains(f.property)) {
            int m = 0, d = 0, y = 0;
            vb::SerialToMDY(dateType(), v.toInt(), m, d, y);
            const auto& e = dateEditors_[f.property];
            e[0]->setText(QString::number(m));
            e[1]->setText(QString::number(d));
            e[2]->setText(QString::number(y));
        }
        break;
    case PageField::Radio:
        if (auto* b = qobject_cast<QRadioButton*>(editors_.value(f.property)))
            if (auto* g = b->group())
                if (auto* chosen = g->button(v.toInt()))
                    chosen->setChecked(true);
        break;
    case PageField::Hidden:
        break;
    }
    loading_ = wasLoading;
}

void PropertyPageDialog::onDatePartEdited(const QString& property)
{
    const auto& e = dateEditors_[property];
    const int m = e[0]->text().toInt();
    const int d = e[1]->text().toInt();
    const int y = e[2]->text().toInt();
    // A month outside 1..12 is no date: keep the last good value.
    if (m < 1 || m > 12 || e[1]->text().isEmpty() || e[2]->text().isEmpty())
        return;
    const qint32 serial = vb::MDYToSerial(dateType(), m, d, y);
    if (values_.value(property).toInt() != serial) {
        values_[property] = serial;
        changed_.insert(property);
    }
}

void PropertyPageDialog::onDateTypeChosen(int t)
{
    const QVariant oldDate = values_.value(QStringLiteral("Date"));
    if (oldDate.isValid()) {
        // The same calendar day in the new epoch.
        const auto& e = dateEditors_.value(QStringLiteral("Date"));
        if (e[0]) {
            const int m = e[0]->text().toInt();
            if (m >= 1 && m <= 12)
                values_[QStringLiteral("Date")] = vb::MDYToSerial(t, m, e[1]->text().toInt(), e[2]->text().toInt());
        }
    }
    values_[QStringLiteral("DateType")] = t;
    values_[QStringLiteral("MinDate")] = t == 0 ? vb::MDYToSerial(0, 1, 1, 1753) : vb::MDYToSerial(1, 1, 1, 1900);
    values_[QStringLiteral("MaxDate")] = t == 0 ? vb::MDYToSerial(0, 12, 31, 2078) : vb::MDYToSerial(1, 11, 17, 2065);
    for (const char* p : {"Date", "MinDate", "MaxDate"})
        changed_.insert(QString::fromLatin1(p));
    for (const PageField& f : layout_.fields)
        if (f.kind == PageField::DateParts)
            showValue(f);
}

void PropertyPageDialog::setFieldValue(const QString& property, const QVariant& value)
{
    values_[property] = value;
    changed_.insert(property);
    if (layout_.hasDateType && property == QLatin1String("DateType"))
        onDateTypeChosen(value.toInt());
    for (const PageField& f : layout_.fields)
        if (f.property == property)
            showValue(f);
}

bool PropertyPageDialog::apply()
{
    status_->clear();
    // Bounds before the date so a new range never refuses the new date; the
    // wider bound first so the two never cross.
    QStringList order;
    for (const char* p : {"DateType", "Min", "Max", "MaxDate", "MinDate"})
        if (changed_.contains(QString::fromLatin1(p)))
            order << QString::fromLatin1(p);
    if (order.contains(QStringLiteral("MaxDate")) && order.contains(QStringLiteral("MinDate"))) {
        bool ok = false;
        const int curMax = getProperty(control_, QStringLiteral("MaxDate"), &ok).toInt();
        if (values_.value(QStringLiteral("MinDate")).toInt() > curMax)
            order.swapItemsAt(order.indexOf(QStringLiteral("MaxDate")), order.indexOf(QStringLiteral("MinDate")));
    }
    if (order.contains(QStringLiteral("Max")) && order.contains(QStringLiteral("Min"))) {
        bool ok = false;
        const int curMax = getProperty(control_, QStringLiteral("Max"), &ok).toInt();
        if (values_.value(QStringLiteral("Min")).toInt() > curMax)
            order.swapItemsAt(order.indexOf(QStringLiteral("Max")), order.indexOf(QStringLiteral("Min")));
    }
    for (const PageField& f : layout_.fields)
        if (changed_.contains(f.property) && !order.contains(f.property))
            order << f.property;
    for (const QString& name : order) {
        const com::MemberInfo* m = control_->classInfo().member(name);
        if (!m || m->readOnly)
            continue;
        QVariantList args{values_.value(name)};
        com::ExcepInfo exc;
        const com::HRESULT h = control_->invoke(m->id, com::InvokeKind::Put, args, nullptr, &exc);
        if (com::failed(h)) {
            status_->setText(exc.description.isEmpty() ? QStringLiteral("Invalid property value") : exc.description);
            return false;
        }
        changed_.remove(name);
    }
    return true;
}

void PropertyPageDialog::saveAsDefault()
{
    if (layout_.saveAsDefault && !layout_.saveAsDefault(values_))
        status_->setText(QStringLiteral("The defaults could not be saved."));
}

void PropertyPageDialog::resetDefault()
{
    if (!layout_.resetDefault)
        return;
    const auto defaults = layout_.resetDefault();
    if (!defaults)
        return;
    const int oldType = dateType();
    for (auto it = defaults->begin(); it != defaults->end(); ++it) {
        values_[it.key()] = it.value();
        changed_.insert(it.key());
    }
    // The date fields keep their day: the control moves its date into the
    // new epoch itself when the date type is applied.
    const QVariant date = values_.value(QStringLiteral("Date"));
    if (layout_.hasDateType && dateType() != oldType && date.isValid()) {
        int m = 0, d = 0, y = 0;
        vb::SerialToMDY(oldType, date.toInt(), m, d, y);
        values_[QStringLiteral("Date")] = vb::MDYToSerial(dateType(), m, d, y);
    }
    for (const PageField& f : layout_.fields)
        showValue(f);
}

AboutDialog::AboutDialog(const QString& controlName, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About %1").arg(controlName));
    auto* l = new QVBoxLayout(this);
    auto* name = new QLabel(controlName, this);
    name->setObjectName(QStringLiteral("Name"));
    l->addWidget(name);
    l->addWidget(new QLabel(QStringLiteral("Version 4.42.000"), this));
    l->addWidget(new QLabel(QStringLiteral("Build %1").arg(QStringLiteral(__DATE__)), this));
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    l->addWidget(box);
}

} // namespace ctl
