// The full trip table: a framed block per trip with its journal lines.

#include "app/printout/seiteneinrichtung.h"
#include "app/printout/tables/blocktabelle.h"
#include "app/printout/tables/tabellen.h"
#include "app/records/hilfen.h"
#include "platform/vb/date.h"
#include "platform/vb/number.h"

namespace kmk::tabellen {

namespace {

using T = sheet::Tabellenblatt;

// A journal line: column 1 only, framed, not bold, no alignment.
void journalzeile(T& t, int32_t zeile, const QString& text)
{
    waehle(t, zeile, 1);
    t.Zelltext(text);
    rahmen(t, Rahmen::Geschlossen);
}

void textzelle(T& t, int32_t zeile, int spalte, const QString& text, int ausrichtung)
{
    waehle(t, zeile, spalte);
    t.Ausrichtung(ausrichtung);
    t.Zelltext(text);
}

void wertzelle(T& t, int32_t zeile, int spalte, double wert, bool fett = false)
{
    waehle(t, zeile, spalte);
    t.Ausrichtung(3);
    if (fett)
        t.Fettschrift(true);
    t.Zellwert(wert);
}

// Columns 5 and 6 of rows 6 and 7: an allowance with its caption, or an
// empty frame in a year without allowances.
void pauschalfeld(T& t, int32_t z, bool pauschalen, const QString& beschriftung, double wert)
{
    if (!pauschalen) {
        nurRahmen(t, z, 5, Rahmen::Geschlossen);
        return;
    }
    Beschriftung(t, z, 5, beschriftung, 3, Rahmen::Geschlossen);
    wertzelle(t, z, 6, wert, true);
    rahmen(t, Rahmen::Geschlossen);
}

// Writes the block of one trip from the row after 'zeile'; returns its last row.
int32_t block(T& t, const Tabellenkontext& k, const FahrtDatensatz& f, int fahrtnummer, int32_t zeile)
{
    const bool zeiten = k.zeiten();
    const bool pauschalen = k.pauschalen();
    const QString am = QStringLiteral("Diese Eintragung wurde am ");
    if (f.Eintragsstatus == 0 && k.journal()) {
        const QString d = Tagestext(f.Eintragungsdatum);
        journalzeile(t, ++zeile, d.isEmpty() ? QString() : QStringLiteral("Eintragungsdatum :  ") + d);
    }
    // Without a status date the line says what happened, not when.
    const QString wann = Tagestext(f.Statusdatum).isEmpty()
                             ? QStringLiteral("Diese Eintragung wurde")
                             : am + Tagestext(f.Statusdatum);
    if (f.Eintragsstatus == 1)
        journalzeile(t, ++zeile, wann + QStringLiteral(" storniert. (alter Eintrag)"));
    if (f.Eintragsstatus == 2)
        journalzeile(t, ++zeile, wann + QStringLiteral(" überschrieben. ( Korrektur)"));
    {
        const QString d = Tagestext(f.Eintragungsdatum);
        journalzeile(t, ++zeile, d.isEmpty() ? QString() : am + d + QStringLiteral(" gespeichert."));
    }

    // Row 1: trip number and the captions of the columns.
    int32_t z = ++zeile;
    Blockkopf(t, z, QStringLiteral("Fahrt Nr. ") + vb::Str(fahrtnummer), zeiten);

    // Rows 2 and 3: departure and arrival.
    for (bool abfahrt : {true, false}) {
        z = ++zeile;
        Beschriftung(t, z, 1, abfahrt ? QStringLiteral("Abfahrt") : QStringLiteral("Ankunft"), 1, Rahmen::Geschlossen);
        textzelle(t, z, 2, abfahrt ? f.Von : f.Nach, 1);
        rahmen(t, Rahmen::OffenRechts);
        nurRahmen(t, z, 3, Rahmen::OffenLinks);
        waehle(t, z, 4);
        t.Ausrichtung(3);
        datumZelle(t, abfahrt ? f.DatumAb : f.DatumAn);
        rahmen(t, abfahrt ? Rahmen::GeschlossenUmriss : Rahmen::Geschlossen);
        wertzelle(t, z, 5, abfahrt ? f.KmAb : f.KmAn);
        rahmen(t, Rahmen::Geschlossen);
        if (zeiten) {
            textzelle(t, z, 6, MinutenInZeit(abfahrt ? f.ZeitAb : f.ZeitAn), 3);
            rahmen(t, Rahmen::Geschlossen);
        }
    }

    // Row 4: the route, over the whole width.
    z = ++zeile;
    Beschriftung(t, z, 1, QStringLiteral("Wegstrecke"), 1, Rahmen::Geschlossen);
    textzelle(t, z, 2, f.Ueber, 1);
    nurRahmen(t, z, 5, Rahmen::OffenLinks);

    // Row 5: purpose and driven km.
    z = ++zeile;
    Beschriftung(t, z, 1, QStringLiteral("Grund der Fahrt"), 1, Rahmen::Geschlossen);
    textzelle(t, z, 2, f.Grund, 1);
    rahmen(t, Rahmen::OffenRechts);
    nurRahmen(t, z, 3, Rahmen::OffenLinks);
    Beschriftung(t, z, 4, QStringLiteral("Gef. km"), 3, Rahmen::Geschlossen);
    wertzelle(t, z, 5, f.GefahreneKm);
    rahmen(t, Rahmen::Geschlossen);
    if (zeiten)
        nurRahmen(t, z, 6, Rahmen::Geschlossen);

    // Row 6: contact person and driver in one field, the day's allowance.
    z = ++zeile;
    Beschriftung(t, z, 1, QStringLiteral("Gesprächspartner"), 1, Rahmen::Geschlossen);
    textzelle(t, z, 2, f.Gespraechspartner, 1);
    Beschriftung(t, z, 3, QStringLiteral("Fahrer"), 1, Rahmen::Geschlossen);
    textzelle(t, z, 4, f.Fahrer, 1);
    nurRahmen(t, z, 2, Rahmen::OffenRechts);
    nurRahmen(t, z, 3, Rahmen::OffenBeide);
    nurRahmen(t, z, 4, Rahmen::OffenLinks);
    pauschalfeld(t, z, pauschalen, QStringLiteral("Verpfl. Zuschuß"), f.Teilpauschale2);

    // Row 7: trip type, the allowance so far.
    z = ++zeile;
    Beschriftung(t, z, 1, QStringLiteral("Fahrtart"), 1, Rahmen::Geschlossen);
    waehle(t, z, 2);
    t.Ausrichtung(1);
    const QString art = Fahrtartlangtext(f);
    if (!art.isEmpty())
        t.Zelltext(art);
    rahmen(t, Rahmen::OffenRechts);
    nurRahmen(t, z, 3, Rahmen::OffenBeide);
    nurRahmen(t, z, 4, Rahmen::OffenLinks);
    pauschalfeld(t, z, pauschalen, QStringLiteral("Verpfl. Gesamt"), f.PauschaleGesamt);
    return zeile;
}

} // namespace

Bau KfzTabelle4(sheet::Tabellenblatt& t, const Tabellenkontext& k)
{
    Seiteneinrichtung(t, k.zeiten() ? 6 : 5, k.kfz);
    if (k.ohneFahrten()) {
        t.Papiergroesse(9);
        return Bau::Meldung88;
    }
    t.Papiergroesse(9);
    t.Querformat(false);
    if (!k.listbar()) {
        t.Papiergroesse(9);
        return Bau::Anfangskm;
    }

    const std::vector<Fahrt> fahrten = FahrtenLesen(k.fahrtdateiPfad);
    t.Blattname(1, QStringLiteral("Kilometrika ") + k.jahr);
    for (int i = 0; i < 2; ++i)
        waehle(t, 1, 1);
    Blockspalten(t, k.zeiten());

    int fahrtnummer = 0;
    int32_t zeile = 0;
    int bloecke = 1;
    for (const Fahrt& f : fahrten) {
        // Every record counts, printed or not; a correction keeps the
        // number of the cancelled entry before it.
        ++fahrtnummer;
        if (f.satz.Eintragsstatus > 1)
            --fahrtnummer;
        if (!k.nimmt(f.satz))
            continue;
        zeile = block(t, k, f.satz, fahrtnummer, zeile);
        t.Zeile(++zeile);  // the first separator row
        zeile = Blockende(t, zeile, bloecke, 1);
    }
    t.Papiergroesse(9);
    return Bau::Gebaut;
}

} // namespace kmk::tabellen
