#include "app/printout/tables/bausatz.h"

#include <QFileInfo>

#include "app/records/hilfen.h"
#include "platform/forms/seams.h"

#include "platform/io/recordfile.h"
#include "platform/sheet/tabellenblatt.h"
#include "platform/vb/text.h"

namespace kmk::tabellen {

void UeberlaufMelden(const Tabellenkontext& k)
{
    forms::messageOnce(k.fahrtdateiPfad, UeberlaufText(QFileInfo(k.fahrtdateiPfad).fileName()));
}

namespace {

QString feld50(const QString& s)
{
    const int b = FahrtDatensatz::BreiteGespraechspartner;
    return s.size() >= b ? s.left(b) : s + QString(b - s.size(), QLatin1Char(' '));
}

} // namespace

bool Filter::kundeAus() const
{
    const QString kopf = vb::Left(label49, 25);
    return kopf.isEmpty() || kopf == AlleDatensaetze;
}

bool Filter::laesstDurch(const FahrtDatensatz& f) const
{
    if (!kundeAus() && feld50(f.Gespraechspartner) != feld50(kundenfilter))
        return false;
    return fahrtartfilter == 0 || fahrtartfilter == f.Fahrtart;
}

std::vector<Fahrt> FahrtenLesen(const QString& pfad)
{
    std::vector<Fahrt> fahrten;
    const QList<QByteArray> saetze = io::RecordFile(pfad, FahrtDatensatz::Laenge).readAll();
    fahrten.reserve(saetze.size());
    qint32 n = 0;
    for (const QByteArray& b : saetze)
        fahrten.push_back({++n, FahrtDatensatz::ausBytes(b)});
    return fahrten;
}

Artzelle Fahrtartzelle(const FahrtDatensatz& f)
{
    const int art = gezeigteFahrtart(f.Fahrtart);
    if (art == 1 || art == 2 || art == 5)
        return {Artzelle::Zahl, art, {}};
    if (art != 3 && art != 4)
        return {};
    QString zusatz;
    if (f.MitPauschale == 0)
        zusatz = QStringLiteral("  k.P.l.G.");
    else if (f.Sonderfahrt == 1)
        zusatz = QStringLiteral(" So. Ab.");
    else if (f.Sonderfahrt == 2)
        zusatz = QStringLiteral(" So. An.");
    else if (f.Sonderfahrt == 0)
        zusatz = QStringLiteral("  k. So.");
    else
        return {};
    return {Artzelle::Text, art, vb::Str(art) + zusatz};
}

QString Fahrtartlangtext(const FahrtDatensatz& f)
{
    const int art = gezeigteFahrtart(f.Fahrtart);
    switch (art) {
    case 1: return QStringLiteral("Fahrt zwischen Wohn- und Arbeitsstätte");
    case 2: return QStringLiteral("Privatfahrt");
    case 5: return QStringLiteral("Familienheimfahrt");
    case 3:
    case 4: break;
    default: return {};
    }
    QString text = art == 3 ? QStringLiteral("Geschäftsfahrt")
                            : QStringLiteral("Fahrt i. Zshg. m. stfr. Umsätzen");
    // The no-allowance note replaces the special-trip note. An unknown
    // special-trip value gets no note: the original carried the note of
    // the trip printed before, a remark about another trip.
    if (f.MitPauschale == 0)
        text += QStringLiteral(" / keine Pauschale laut Grundeinstellung");
    else if (f.Sonderfahrt == 1)
        text += QStringLiteral(" / Sonderfahrt / Stundenmehrheit am Abfahrtstag");
    else if (f.Sonderfahrt == 2)
        text += QStringLiteral(" / Sonderfahrt / Stundenmehrheit am Ankunftstag");
    else if (f.Sonderfahrt == 0)
        text += QStringLiteral(" / keine Sonderfahrt");
    return text;
}

} // namespace kmk::tabellen

namespace kmk::tabellen {

QString Statusvermerk(const FahrtDatensatz& f)
{
    const QString wort = f.Eintragsstatus == 1   ? QStringLiteral("storniert")
                         : f.Eintragsstatus == 2 ? QStringLiteral("Korrektur")
                                                 : QString();
    const QString tag = Tagestext(f.Statusdatum);
    if (wort.isEmpty() || tag.isEmpty())
        return wort;
    return wort + QLatin1Char(' ') + tag;
}

QString LegendeAbkuerzungen()
{
    return QStringLiteral("Abkürzungen:  (So.) = Sonderfahrten (An.) = Stundenmehrheit am Ankunftstag  "
                          "(Ab.) = Stundenmehrheit am Abfahrtstag  (k.P.l.G.) = keine Pauschale laut Grundeinstellung");
}

void waehle(sheet::Tabellenblatt& t, int zeile, int spalte)
{
    t.Zeile(zeile);
    t.Spalte(spalte);
}

void rahmen(sheet::Tabellenblatt& t, Rahmen r)
{
    const int umriss = r == Rahmen::GeschlossenUmriss ? 1 : -1;
    const int links = r == Rahmen::OffenLinks || r == Rahmen::OffenBeide ? 0 : 1;
    const int rechts = r == Rahmen::OffenRechts || r == Rahmen::OffenBeide ? 0 : 1;
    t.Zellrahmen(umriss, links, rechts, 1, 1, 1, 3, 1, 1, 1, 1);
}

void Spaltenbreiten(sheet::Tabellenblatt& t, const std::vector<Spalte>& spalten)
{
    for (size_t i = 0; i < spalten.size(); ++i)
        t.Spaltenbreite(int(i) + 1, spalten[i].breite);
}

void Spaltenkoepfe(sheet::Tabellenblatt& t, const std::vector<Spalte>& spalten)
{
    for (int zeile : {3, 4}) {
        for (size_t i = 0; i < spalten.size(); ++i) {
            const QString& kopf = zeile == 3 ? spalten[i].kopf3 : spalten[i].kopf4;
            if (kopf.isEmpty())
                continue;
            waehle(t, zeile, int(i) + 1);
            t.Fettschrift(true);
            t.Ausrichtung(3);
            t.Zelltext(kopf);
        }
    }
}

void Tabellenkopf(sheet::Tabellenblatt& t, const std::vector<Spalte>& spalten)
{
    Spaltenkoepfe(t, spalten);
    t.DrucktitelLetzteZeile(4);
    t.DrucktitelErsteZeile(1);
}

void Abkuerzungszeile(sheet::Tabellenblatt& t)
{
    waehle(t, 2, 1);
    t.Ausrichtung(1);
    t.Zelltext(LegendeAbkuerzungen());
}

void Datenzeile(sheet::Tabellenblatt& t, int zeile, const std::vector<Spalte>& spalten, const FahrtDatensatz& f)
{
    for (size_t i = 0; i < spalten.size(); ++i) {
        if (!spalten[i].inhalt)
            continue;
        waehle(t, zeile, int(i) + 1);
        t.Schriftgroesse(8);
        t.Ausrichtung(spalten[i].ausrichtung);
        spalten[i].inhalt(t, f);
    }
}

void datumZelle(sheet::Tabellenblatt& t, qint32 tag)
{
    t.Zahlenformat(QStringLiteral("dd/mm/yyyy"));
    t.Zellwert(tag);
}

void statuszelle(sheet::Tabellenblatt& t, int zeile, int spalte, const FahrtDatensatz& f)
{
    const QString vermerk = Statusvermerk(f);
    if (vermerk.isEmpty())
        return;
    waehle(t, zeile, spalte);
    t.Schriftgroesse(8);
    t.Ausrichtung(3);
    t.Zelltext(vermerk);
}

void artZelle(sheet::Tabellenblatt& t, const FahrtDatensatz& f)
{
    const Artzelle a = Fahrtartzelle(f);
    if (a.art == Artzelle::Zahl)
        t.Zellwert(a.zahl);
    else if (a.art == Artzelle::Text)
        t.Zelltext(a.text);
}

} // namespace kmk::tabellen
