// Date and time fields, the entry calendar and the spin buttons.

#include "app/entry/eingabefelder.h"

#include "app/entry/pruefungen.h"
#include "app/entry/tasten.h"
#include "app/records/hilfen.h"
#include "platform/com/controlhost.h"
#include "platform/vb/date.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <QRegularExpression>

#include <algorithm>

namespace kmk {

namespace {

// The calendar's date as a day number; a placeholder keeps it as a property.
qint32 kalenderDatum(QWidget* qkc)
{
    if (auto* h = qobject_cast<com::ControlHost*>(qkc))
        return h->property("Date").toInt();
    return qkc ? qkc->QObject::property("Date").toInt() : 0;
}

void kalenderSetzen(QWidget* qkc, qint32 tag)
{
    try {
        if (auto* h = qobject_cast<com::ControlHost*>(qkc))
            h->setProperty("Date", tag);
        else if (qkc)
            qkc->QObject::setProperty("Date", tag);
    } catch (const std::exception&) {
        // A day outside the calendar's bounds leaves it where it is.
    }
}

// A time of day as the runtime's date parsing reads it: "8:5", "08:05",
// "08:05:30"; a date alone reads as midnight.
bool alsUhrzeit(const QString& text, int& h, int& m)
{
    static const QRegularExpression zeit(QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})(:\\d{1,2})?\\s*$"));
    const auto z = zeit.match(text);
    if (z.hasMatch()) {
        h = z.captured(1).toInt();
        m = z.captured(2).toInt();
        return h < 24 && m < 60;
    }
    qint32 tag = 0;
    if (vb::ParseDateText(vb::Trim(text), tag)) {
        h = m = 0;
        return true;
    }
    return false;
}

QString zweistellig(int h, int m)
{
    return QStringLiteral("%1:%2").arg(h, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0'));
}

} // namespace

// ---------------------------------------------------------------- keys

void Eintragsfelder::EinDatumAb_KeyPress(int& k)
{
    nurZiffernUnd(k, {8, 13, 38, 40, 46});
    enterWeiter(k);
}

void Eintragsfelder::EinDatumAn_KeyPress(int& k)
{
    if (gesperrt())
        k = 0;
    nurZiffernUnd(k, {8, 13, 38, 40, 46});
    enterWeiter(k);
}

void Eintragsfelder::EinZeitAb_KeyPress(int& k)
{
    nurZiffernUnd(k, {8, 13, 38, 40, 58});
    enterWeiter(k);
}

void Eintragsfelder::EinZeitAn_KeyPress(int& k)
{
    nurZiffernUnd(k, {8, 13, 38, 40, 46, 58});
    enterWeiter(k);
}

// ---------------------------------------------------------------- leaving

void Eintragsfelder::EinDatum_LostFocus(const QString& feld)
{
    e_.st.FolgepruefungAus = false;
    QString t = seite_.text(feld);
    DatumsTest(t, true, e_.st.Jahr, [this](int n) { e_.meldung(n); });
}

void Eintragsfelder::EinZeit_LostFocus(const QString& feld)
{
    e_.st.FolgepruefungAus = false;
    if (!seite_.sichtbar(feld))
        return;
    QString t = seite_.text(feld);
    if (ZeitEingabeTest(t, true, [this](int n) { e_.meldung(n); }) == 0)
        e_.pauschaleAnzeigen();
}

// ---------------------------------------------------------------- calendar

void Eintragsfelder::QKC_MouseUp(int button)
{
    if (button != 1)
        return;
    Fahrten1& st = e_.st;
    QWidget* qkc = seite_.control("QKC");
    const qint32 d = kalenderDatum(qkc);
    seite_.setText("EinDatumAb", vb::DateText(d));
    seite_.setText("EinDatumAn", vb::DateText(d));
    FahrtDatensatz& p = e_.puffer();
    vb::ParseDateText(seite_.text("EinDatumAn"), p.DatumAn);
    vb::ParseDateText(seite_.text("EinDatumAb"), p.DatumAb);
    const FahrtDatensatz* v = e_.vergleich();
    if (st.Voreinstellung.ZeitenVorgeben && (!v || p.DatumAb != v->DatumAn)) {
        seite_.setText("EinZeitAb", QStringLiteral("08:00"));
        seite_.setText("EinZeitAn", QStringLiteral("12:00"));
    }
    if (v && d < v->DatumAn) {
        seite_.setText("EinDatumAb", vb::DateText(v->DatumAn));
        seite_.setText("EinDatumAn", vb::DateText(v->DatumAn));
        kalenderSetzen(qkc, v->DatumAn);
        if (e_.warnungen())
            e_.meldung(21);
    }
    if (st.Voreinstellung.Journalfunktion) {
        const qint32 heute = e_.heute();
        seite_.zeigen("LEinDatum", !p.storniertOderGeaendert());
        seite_.setText("LEinDatum", QStringLiteral("Eintragungsdatum ") + vb::DateText(heute));
        if (p.DatumAb + 8 < heute || p.DatumAn + 8 < heute)
            e_.meldung(101);
        if (p.DatumAb > heute || p.DatumAn > heute)
            e_.meldung(98);
    }
}

// ---------------------------------------------------------------- spins

void Eintragsfelder::Zeitspin(const QString& feld, bool stunden, int schritt)
{
    if (seite_.text(feld).isEmpty())
        seite_.setText(feld, feld == QLatin1String("EinZeitAb") ? QStringLiteral("08:00") : QStringLiteral("00:00"));
    int h = 0, m = 0;
    if (alsUhrzeit(seite_.text(feld), h, m)) {
        if (stunden) {
            h = (h + schritt + 24) % 24;
        } else {
            int t = 60 * h + m + schritt;
            if (schritt > 0 && t > 1438)
                t = 1;
            if (schritt < 0 && t < 1)
                t = 1439;
            h = t / 60;
            m = t % 60;
        }
        seite_.setText(feld, zweistellig(h, m));
    }
    e_.pauschaleAnzeigen();
}

void Eintragsfelder::QKSpin5_Schritt(int schritt)
{
    // The count starts from what the field shows, not from a hidden counter.
    int personen = std::clamp<int>(zahlKurz(seite_.text("PersAnz")), 0, 5);
    if ((schritt < 0 && personen == 0) || (schritt > 0 && personen == 5))
        return;
    personen += schritt;
    seite_.setText("PersAnz", vb::Str(personen));
    KmBerechnen(e_, true);
}

void Eintragsfelder::QKSpin6_Schritt(int schritt)
{
    qint32& an = e_.st.KmAnkunft;
    if ((schritt > 0 && an < std::numeric_limits<qint32>::max()) || (schritt < 0 && an > std::numeric_limits<qint32>::min()))
        an += schritt;
    seite_.setText("EinkmAn", QString::number(an));
}

void Eintragsfelder::QKSpin7_Schritt(int schritt)
{
    Fahrten1& st = e_.st;
    if (e_.firma()) {
        if (schritt < 0 && st.KmAnkunft > st.KmAbfahrt)
            --st.KmAnkunft;
        if (schritt > 0 && st.KmAnkunft < std::numeric_limits<qint32>::max())
            ++st.KmAnkunft;
        seite_.setText("EinkmAn", QString::number(st.KmAnkunft));
        KmBerechnen(e_, true);
        KmStandTest(e_);
    } else if (e_.privat()) {
        const QString t = seite_.text("EinGefKm");
        if (!t.isEmpty()) {
            const qint32 n = zahlLang(t);
            if (schritt < 0 && n > 1)
                seite_.setText("EinGefKm", vb::Str(qint64(n) - 1));
            if (schritt > 0 && n < std::numeric_limits<qint32>::max())
                seite_.setText("EinGefKm", vb::Str(qint64(n) + 1));
        }
        KmBerechnen(e_, true);
    }
}

} // namespace kmk
