#include "app/entry/pruefungen.h"

#include "app/records/hilfen.h"
#include "platform/vb/date.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <algorithm>

namespace kmk {

namespace {

bool leer(const QString& s) { return vb::Trim(s).isEmpty(); }

// The page's date text names a real day, so the edit buffer holds it.
bool tagImFeld(const Eintragung& e, const char* feld)
{
    qint32 tag = 0;
    return vb::ParseDateText(vb::Trim(e.seite.text(QString::fromLatin1(feld))), tag);
}

// A clamped 64-bit result: odometer arithmetic never wraps.
qint32 lang(qint64 v)
{
    return qint32(std::clamp<qint64>(v, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

void zeitenSetzen(Eintragung& e, int ab, int an, bool auchAn)
{
    FahrtDatensatz& p = e.puffer();
    p.ZeitAb = qint16(ab);
    e.seite.setText("EinZeitAb", MinutenInZeit(ab));
    if (auchAn) {
        p.ZeitAn = qint16(an);
        e.seite.setText("EinZeitAn", MinutenInZeit(an));
    }
}

} // namespace

QString Betragstext(double v)
{
    return vb::FormatDe(v, QStringLiteral("###0.#0"));
}

void KmBerechnen(Eintragung& e, bool gefahrenGetippt)
{
    Fahrten1& st = e.st;
    FahrtDatensatz& p = e.puffer();
    if (e.firma()) {
        st.KmAbfahrt = zahlLang(e.seite.text("AnzKmAb"));
        if (gefahrenGetippt) {
            st.KmGefahren = zahlLang(e.seite.text("EinGefKm"));
            st.KmAnkunft = lang(qint64(st.KmGefahren) + st.KmAbfahrt);
            e.seite.setText("EinkmAn", QString::number(st.KmAnkunft));
        } else {
            st.KmAnkunft = zahlLang(e.seite.text("EinkmAn"));
            st.KmGefahren = lang(qint64(st.KmAnkunft) - st.KmAbfahrt);
            e.seite.setText("EinGefKm", QString::number(st.KmGefahren));
        }
        p.KmAb = st.KmAbfahrt;
        p.KmAn = st.KmAnkunft;
        p.GefahreneKm = st.KmGefahren;
        st.EingabeKm = st.KmGefahren;
    }
    if (e.privat()) {
        const qint16 personen = zahlKurz(e.seite.text("PersAnz"));
        st.KmGefahren = zahlLang(e.seite.text("EinGefKm"));
        p.GefahreneKm = st.KmGefahren;
        p.Mitfahrer = personen;
        const double kosten = (personen * 0.02 + 0.30) * double(st.KmGefahren);
        e.seite.setText("aktuFahrko", Betragstext(kosten));
        p.Fahrtkosten = kosten;
        st.EingabeKm = st.KmGefahren;
    }
}

bool KmStandTest(Eintragung& e)
{
    Fahrten1& st = e.st;
    st.KmAbfahrt = zahlLang(e.seite.text("AnzKmAb"));
    st.KmAnkunft = zahlLang(e.seite.text("EinkmAn"));
    st.KmGefahren = zahlLang(e.seite.text("EinGefKm"));
    if (st.KmAnkunft >= st.KmAbfahrt)
        return true;
    e.beep();
    if (e.warnungen())
        e.meldung(96);
    st.KmAnkunft = st.KmAbfahrt;
    e.seite.setText("EinkmAn", QString::number(st.KmAbfahrt));
    e.seite.setText("EinGefKm", QStringLiteral("0"));
    return false;
}

int JournalTest(Eintragung& e)
{
    const Fahrten1& st = e.st;
    if (!st.Voreinstellung.Journalfunktion || !st.NeuerEintragOffen)
        return 0;
    const FahrtDatensatz& p = e.puffer();
    const double jetzt = e.jetzt();
    int befund = 0;
    if (p.DatumAb + 8 < jetzt || p.DatumAn + 8 < jetzt)
        befund = 100;
    if (p.DatumAb > jetzt || p.DatumAn > jetzt)
        befund = 98;
    if (st.Pufferindex != 0 && st.Satznummer > 2
        && p.Eintragungsdatum < st.Satzpuffer[st.Pufferindex].Eintragungsdatum)
        befund = 97;
    return befund;
}

bool PflichtfeldTest(Eintragung& e)
{
    Eingabeseite& s = e.seite;
    const FahrtDatensatz& p = e.puffer();
    bool f33 = false, f34 = false, f35 = false, f36 = false, f37 = false, f38 = false;
    auto fuenfTexte = [&] {
        f33 = leer(s.text("EinVon"));
        f34 = leer(s.text("EinUber"));
        f35 = leer(s.text("EinNach"));
        f36 = leer(s.text("EinGrund"));
        f37 = leer(s.text("EinGesprach"));
    };
    if (e.privat()) {
        if (p.Fahrtart != 3)
            return false;
        s.setText("EinZeitAn", QStringLiteral("00:00"));
        s.setText("EinZeitAb", QStringLiteral("00:00"));
        fuenfTexte();
        f38 = vb::Trim(s.text("EinGefKm")) == QLatin1String("0");
    } else {
        // The placeholder texts go into the record when it is written
        // (Datensatzspeichern), never onto the page: a refused save would
        // leave them there for the trip typed next.
        if (e.st.Voreinstellung.PrivatNurKm && p.Fahrtart == 2) {
            s.setText("EinZeitAn", QStringLiteral("00:00"));
            s.setText("EinZeitAb", QStringLiteral("00:00"));
        }
        switch (p.Fahrtart) {
        case 3:
        case 4:
            fuenfTexte();
            break;
        case 1:
        case 5:
            f33 = leer(s.text("EinVon"));
            f35 = leer(s.text("EinNach"));
            break;
        default:
            break;
        }
        f38 = vb::Trim(s.text("EinkmAn")) == vb::Trim(s.text("AnzKmAb"));
    }
    const std::pair<bool, int> befunde[] = {{f33, 33}, {f34, 34}, {f35, 35}, {f36, 36}, {f37, 37}, {f38, 38}};
    for (const auto& [gesetzt, nummer] : befunde)
        if (gesetzt) {
            e.meldung(nummer);
            return false;
        }
    return true;
}

int FahrtfolgeTest(Eintragung& e)
{
    Fahrten1& st = e.st;
    FahrtDatensatz& p = e.puffer();
    const FahrtDatensatz* v = e.vergleich();
    const bool warn = e.warnungen();
    int befund = 0;
    auto warnung = [&](int n) {
        if (warn) {
            e.beep();
            befund = n;
        }
    };
    // A date field that names no day (31.11.) has left the buffer with the
    // dates shown before: measured by those, the typed times would be
    // overwritten. The date check at saving reports the field instead.
    if (!tagImFeld(e, "EinDatumAb") || !tagImFeld(e, "EinDatumAn"))
        return 0;
    if (p.Fahrtart != 2 && !st.FolgepruefungAus) {
        // 1: times of a one-day trip. Without a trip before it only the
        // trip's own order is checked.
        if (!st.Voreinstellung.OhneZeiten && p.DatumAb == p.DatumAn) {
            if (v && p.DatumAb == v->DatumAn) {
                if (p.ZeitAb < v->ZeitAn || p.ZeitAb >= p.ZeitAn) {
                    warnung(67);
                    zeitenSetzen(e, v->ZeitAn + 1, v->ZeitAn + 2, true);
                }
            } else if (p.ZeitAb > p.ZeitAn) {
                warnung(68);
                zeitenSetzen(e, std::max(0, p.ZeitAn - 1), 0, false);
            }
        }
        if (v) {
            // 2: the year of departure. The page shows the corrected date so
            // that the next recomputation keeps it.
            if (befund == 0 && vb::Year(p.DatumAb) != vb::Year(v->DatumAb)) {
                p.DatumAb = v->DatumAn;
                e.seite.setText("EinDatumAb", vb::DateText(p.DatumAb));
                warnung(69);
            }
            // 3: the year of arrival: the trip ends on its day of departure.
            if (befund == 0 && vb::Year(p.DatumAn) != vb::Year(v->DatumAn)) {
                p.DatumAn = p.DatumAb;
                e.seite.setText("EinDatumAn", vb::DateText(p.DatumAn));
                warnung(69);
            }
            // 4: the date order.
            if (befund == 0 && st.Satznummer > 2 && p.DatumAb < v->DatumAn) {
                // The record takes what the page now shows, as for the year.
                p.DatumAb = p.DatumAn = v->DatumAn;
                e.seite.setText("EinDatumAb", vb::DateText(v->DatumAn));
                e.seite.setText("EinDatumAn", vb::DateText(v->DatumAn));
                warnung(70);
            }
            // 5: departure after arrival, reported only.
            if (warn && befund == 0 && st.Satznummer > 2 && p.DatumAb > p.DatumAn) {
                e.beep();
                befund = 103;
            }
        }
    }
    // 6: a gap of five days or more.
    if (warn && v && p.DatumAb > v->DatumAn + 4)
        befund = e.meldung(71) ? 0 : 6;
    if (befund > 0)
        e.pauschaleAnzeigen();
    return befund;
}

int FahrtTestOhnePrivat(Eintragung& e)
{
    if (e.puffer().Fahrtart != 2)
        FahrtfolgeTest(e);
    return 0;
}

int DatumZeitTest(Eintragung& e)
{
    const Meldung zeigen = [&e](int n) { e.meldung(n); };
    for (const char* feld : {"EinDatumAb", "EinDatumAn"}) {
        QString t = e.seite.text(QString::fromLatin1(feld));
        if (const int n = DatumsTest(t, true, e.st.Jahr, zeigen))
            return n;
        // The text check lets days such as 31.02. through.
        qint32 tag = 0;
        if (!vb::ParseDateText(t, tag)) {
            const int monat = vb::Mid(t, 4, 2).toInt();
            const int n = monat >= 1 && monat <= 12 ? 109 : 110;
            e.meldung(n);
            return n;
        }
    }
    if (e.st.Voreinstellung.OhneZeiten)
        return 0;
    for (const char* feld : {"EinZeitAb", "EinZeitAn"}) {
        QString t = e.seite.text(QString::fromLatin1(feld));
        if (const int n = ZeitEingabeTest(t, true, zeigen))
            return n;
        // 24:00 closes a day; 24:01 and other unreadable times do not pass.
        int minuten = 0;
        if (!vb::ParseTimeText(t, minuten) && t != QLatin1String("24:00")) {
            bool ok = false;
            const int stunde = vb::Left(t, 2).toInt(&ok);
            const int n = ok && stunde >= 0 && stunde < 24 ? 114 : 113;
            e.meldung(n);
            return n;
        }
    }
    return 0;
}

} // namespace kmk
