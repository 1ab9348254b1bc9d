#include "app/entry/eingabeseite.h"

#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "platform/forms/seams.h"
#include "platform/vb/date.h"
#include "platform/vb/number.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cmath>
#include <limits>

namespace kmk {

namespace {

const char* const kFahrtarten[5] = {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"};

double leseZahl(const QString& text)
{
    return vb::roundHalfEven(vb::Val(text));
}

} // namespace

qint32 zahlLang(const QString& text)
{
    const double v = leseZahl(text);
    if (!(v > std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    if (!(v < std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    return qint32(v);
}

qint16 zahlKurz(const QString& text)
{
    const double v = leseZahl(text);
    if (!(v > -32768.0))
        return -32768;
    if (!(v < 32767.0))
        return 32767;
    return qint16(v);
}

qint32 Eintragung::heute() const
{
    const QDate d = forms::services().clock->today();
    return vb::DateSerial(d.year(), d.month(), d.day());
}

double Eintragung::jetzt() const
{
    const QDateTime t = forms::services().clock->now();
    const QDate d = t.date();
    const double tag = vb::DateSerial(d.year(), d.month(), d.day());
    return tag + t.time().msecsSinceStartOfDay() / 86400000.0;
}

QWidget* WidgetEingabeseite::control(const QString& name) const
{
    auto it = cache_.constFind(name);
    if (it != cache_.constEnd())
        return it.value();
    QWidget* found = forms::control(root_->window(), name);
    if (found)
        cache_.insert(name, found);
    return found;
}

QString WidgetEingabeseite::text(const QString& name) const
{
    return forms::text(control(name));
}

void WidgetEingabeseite::setText(const QString& name, const QString& text)
{
    forms::setText(control(name), text);
}

int WidgetEingabeseite::fahrtart() const
{
    int typ = 0;
    for (int i = 0; i < 5; ++i)
        if (auto* o = qobject_cast<QRadioButton*>(control(QString::fromLatin1(kFahrtarten[i]))))
            if (o->isChecked())
                typ = i + 1;   // the last one set wins, as the options are read in order
    return typ;
}

void WidgetEingabeseite::setFahrtart(int typ)
{
    if (typ < 1 || typ > 5)
        return;
    forms::setOptionValue(qobject_cast<QRadioButton*>(control(QString::fromLatin1(kFahrtarten[typ - 1]))), true);
}

void WidgetEingabeseite::zeigen(const QString& name, bool sichtbar)
{
    if (QWidget* w = control(name))
        w->setVisible(sichtbar);
}

bool WidgetEingabeseite::sichtbar(const QString& name) const
{
    QWidget* w = control(name);
    return w && !w->isHidden();
}

void WidgetEingabeseite::fokus(const QString& name)
{
    if (QWidget* w = control(name))
        w->setFocus(Qt::OtherFocusReason);
}

void WidgetEingabeseite::setCaret(const QString& name, int pos)
{
    QWidget* w = control(name);
    QLineEdit* e = qobject_cast<QLineEdit*>(w);
    if (auto* c = qobject_cast<forms::ComboBox*>(w))
        e = c->lineEdit();
    if (e)
        e->setCursorPosition(pos < 0 ? int(e->text().size()) : pos);
}

void TextEingabeseite::setText(const QString& name, const QString& text)
{
    if (texte.value(name) == text && texte.contains(name))
        return;
    texte.insert(name, text);
    geschrieben << name;
}

} // namespace kmk
