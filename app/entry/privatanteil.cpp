// The business share of a private car, the trip-memory filter and the
// help button of the entry page.

#include "app/entry/eingabefelder.h"

#include "app/entry/pruefungen.h"
#include "app/entry/tasten.h"
#include "app/records/dateien.h"
#include "app/records/hilfen.h"
#include "platform/forms/seams.h"
#include "platform/vb/fields.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

#include <QFile>
#include <QListWidget>

#include <cmath>

namespace kmk {

void Eintragsfelder::Text3_KeyPress(int& k)
{
    nurZiffernUnd(k, {8, 13});
}

void Eintragsfelder::Command18_Click()
{
    Fahrten1& st = e_.st;
    DateiTest(st);
    const qint64 x = zahlLang(seite_.text("Text3"));
    const qint64 a = st.Kfz.Anfangskm;
    if (st.Satznummer == 0) {
        e_.meldung(92);
        return;
    }
    if (x <= a) {
        e_.meldung(91);
        return;
    }
    // A cancelled trip is left out: its correction carries its kilometres
    // and costs, as in the trip-share evaluation. Sums are kept in full
    // (no 16-bit kilometres, no rounded costs).
    qint64 km = 0;
    double kosten = 0;
    const int fz = st.AktuellesFahrzeug;
    if (fz > 0 && fz <= 4 && st.FahrtdateiVorhanden[fz] && st.Satznummer > 0) {
        QFile f(st.fahrtdateiPfad());
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray alles = f.readAll();
            const int n = int(alles.size() / FahrtDatensatz::Laenge);
            for (int i = 0; i < n; ++i) {
                const QByteArray satz = alles.mid(qsizetype(i) * FahrtDatensatz::Laenge, FahrtDatensatz::Laenge);
                if (quint8(satz[FahrtOffset::Eintragsstatus]) == 1)
                    continue;
                km += vb::getI32(satz, FahrtOffset::GefahreneKm);
                kosten += vb::getDouble(satz, FahrtOffset::Fahrtkosten);
            }
        }
    }
    const qint64 privat = x - a - km;
    const double hundertstel = double(x - a) / 100.0;
    const double anteilPrivat = double(privat) / hundertstel;
    const double anteilBetrieb = double(km) / hundertstel;
    seite_.setText("Text4", vb::Str(km));
    seite_.setText("Text5", QString::number(privat));
    // Damaged stored costs can sum beyond a double: the mark, the file named.
    if (std::isfinite(kosten)) {
        seite_.setText("Text8", Betragstext(kosten));
    } else {
        seite_.setText("Text8", vb::Ueberlaufmarke());
        forms::messageOnce(st.fahrtdateiPfad(), UeberlaufText(vb::Trim(st.Fahrtdatei)));
    }
    seite_.setText("Text7", Betragstext(anteilPrivat));
    seite_.setText("Text6", Betragstext(anteilBetrieb));
    st.KmBetrieblich = int(std::clamp<qint64>(km, INT_MIN, INT_MAX));
    st.KmPrivat = int(std::clamp<qint64>(privat, INT_MIN, INT_MAX));
    st.AnteilPrivat = anteilPrivat;
    st.AnteilBetrieblich = anteilBetrieb;
    st.Fahrtkostensumme = kosten;
    seite_.zeigen("Frame8", true);
    seite_.zeigen("Frame7", false);
}

void Eintragsfelder::Text9_Change()
{
    auto* alle = qobject_cast<QListWidget*>(seite_.control("List1"));
    auto* wahl = qobject_cast<QListWidget*>(seite_.control("List8"));
    if (!wahl)
        return;
    wahl->clear();
    const QString s = seite_.text("Text9");
    if (s.isEmpty() || !alle)
        return;
    const bool irgendwo = s.startsWith(QLatin1Char('*'));
    const QString t = irgendwo ? s.mid(1) : s;
    QStringList treffer;
    for (int i = 0; i < alle->count(); ++i) {
        const QString zeile = alle->item(i)->text();
        if (irgendwo ? zeile.contains(t, Qt::CaseInsensitive) : zeile.startsWith(t, Qt::CaseInsensitive))
            treffer << zeile;
    }
    wahl->addItems(treffer);
}

void Eintragsfelder::Tabellezeigen__MouseUp(int button)
{
    if (button == 2) {
        if (dienste_.hilfeThema)
            dienste_.hilfeThema(QStringLiteral("Inhaltsverzeichnis.htm"));
        return;
    }
    if (button != 1)
        return;
    seite_.zeigen("TEinHilfe", true);
    seite_.zeigen("CBTextfensterEin", true);
    *frOffen_ = false;
    seite_.zeigen("FrBenzin", false);
    seite_.zeigen("FahrtListe", false);
}

} // namespace kmk
