#include "app/entry/felder.h"

#include "platform/forms/colors.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace kmk {

QWidget* Eintragsseite::ctl(const QString& name) const
{
    if (fenster && fenster->objectName() == name)
        return fenster;
    return forms::control(fenster, name);
}

namespace felder {

void setzen(const Eintragsseite& s, const QString& name, const QString& text)
{
    QWidget* w = s.ctl(name);
    // A text written from a record starts at its first character, as the
    // runtime left it, so a blank-padded route does not show its blank tail.
    if (auto* c = qobject_cast<forms::ComboBox*>(w)) {
        c->setText(text);
        if (c->lineEdit() && c->lineEdit()->text() == text)
            c->lineEdit()->setCursorPosition(0);
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        forms::setText(e, text);
        if (e->text() == text)
            e->setCursorPosition(0);
    } else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(text);
}

QString lesen(const Eintragsseite& s, const QString& name)
{
    QWidget* w = s.ctl(name);
    if (auto* c = qobject_cast<forms::ComboBox*>(w))
        return c->text();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    return QString();
}

void zeigen(const Eintragsseite& s, const QString& name, bool sichtbar)
{
    if (QWidget* w = s.ctl(name))
        w->setVisible(sichtbar);
}

static QPalette::ColorRole rolle(const QWidget* w)
{
    return (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w)) ? QPalette::Text
                                                                                     : QPalette::WindowText;
}

void farbe(const Eintragsseite& s, const QString& name, qint64 bgr)
{
    QWidget* w = s.ctl(name);
    if (!w)
        return;
    QPalette p = w->palette();
    p.setColor(rolle(w), forms::bgr(bgr));
    w->setPalette(p);
    // The edit part of a drop-down box has a palette of its own.
    if (auto* c = qobject_cast<QComboBox*>(w); c && c->lineEdit()) {
        QPalette e = c->lineEdit()->palette();
        e.setColor(QPalette::Text, forms::bgr(bgr));
        c->lineEdit()->setPalette(e);
    }
}

qint64 farbe(const Eintragsseite& s, const QString& name)
{
    const QWidget* w = s.ctl(name);
    return w ? forms::toBgr(w->palette().color(rolle(w))) : 0;
}


void fahrtartZeigen(const Eintragsseite& s, int fahrtart)
{
    if (fahrtart >= 1 && fahrtart <= 5) {
        forms::setOptionValue(s.ctl<QRadioButton>(QString::fromLatin1(Fahrtartoptionen[fahrtart - 1])), true);
        return;
    }
    // An old or damaged record: no type shown rather than the last trip's.
    for (const char* n : Fahrtartoptionen)
        forms::setOptionValue(s.ctl<QRadioButton>(QString::fromLatin1(n)), false);
}

} // namespace felder
} // namespace kmk
