// Blank form for handwritten records: seven empty trip blocks.

#include "app/printout/seiteneinrichtung.h"
#include "app/printout/tables/blocktabelle.h"
#include "app/printout/tables/tabellen.h"

namespace kmk::tabellen {

namespace {

using T = sheet::Tabellenblatt;

void feld(T& t, int32_t zeile, int spalte, int ausrichtung, Rahmen r, const QString& format = {})
{
    waehle(t, zeile, spalte);
    if (!format.isEmpty())
        t.Zahlenformat(format);
    t.Ausrichtung(ausrichtung);
    rahmen(t, r);
}

// One block of eight rows from row z; returns its last row.
int32_t block(T& t, int32_t z, bool zeiten)
{
    const QString datum = QStringLiteral("dd/mm/yyyy");
    // The blank form keeps the time caption even where the year has no times.
    Blockkopf(t, z, QStringLiteral("Fahrt Nr. "), true);

    for (bool abfahrt : {true, false}) {
        ++z;
        Beschriftung(t, z, 1, abfahrt ? QStringLiteral("Abfahrt") : QStringLiteral("Ankunft"), 1, Rahmen::Geschlossen);
        feld(t, z, 2, 1, Rahmen::OffenRechts);
        nurRahmen(t, z, 3, Rahmen::OffenLinks);
        feld(t, z, 4, 3, abfahrt ? Rahmen::GeschlossenUmriss : Rahmen::Geschlossen, datum);
        feld(t, z, 5, 3, Rahmen::Geschlossen);
        feld(t, z, 6, 3, Rahmen::Geschlossen);
    }

    ++z;
    Beschriftung(t, z, 1, QStringLiteral("Wegstrecke"), 1, Rahmen::Geschlossen);
    waehle(t, z, 2);
    t.Ausrichtung(1);
    nurRahmen(t, z, 5, Rahmen::OffenLinks);

    ++z;
    Beschriftung(t, z, 1, QStringLiteral("Grund der Fahrt"), 1, Rahmen::Geschlossen);
    feld(t, z, 2, 1, Rahmen::OffenRechts);
    nurRahmen(t, z, 3, Rahmen::OffenLinks);
    Beschriftung(t, z, 4, QStringLiteral("Gef. km   >"), 3, Rahmen::Geschlossen);
    feld(t, z, 5, 3, Rahmen::Geschlossen);
    if (zeiten)
        nurRahmen(t, z, 6, Rahmen::Geschlossen);

    ++z;
    Beschriftung(t, z, 1, QStringLiteral("Gesprächspartner"), 1, Rahmen::Geschlossen);
    feld(t, z, 2, 1, Rahmen::OffenRechts);
    nurRahmen(t, z, 3, Rahmen::OffenBeide);
    nurRahmen(t, z, 4, Rahmen::OffenLinks);
    nurRahmen(t, z, 5, Rahmen::Geschlossen);

    ++z;
    Beschriftung(t, z, 1, QStringLiteral("Fahrtart"), 1, Rahmen::Geschlossen);

    ++z;
    feld(t, z, 2, 1, Rahmen::OffenRechts);
    nurRahmen(t, z, 3, Rahmen::OffenBeide);
    nurRahmen(t, z, 4, Rahmen::OffenLinks);
    nurRahmen(t, z, 5, Rahmen::Geschlossen);
    return z;
}

} // namespace

void Blankoformular(sheet::Tabellenblatt& t, const VoreinstellungSatz& vor, const KfzGrundeinstellung& kfz)
{
    const bool zeiten = vor.OhneZeiten == 0;
    Seiteneinrichtung(t, 6, kfz);
    t.Papiergroesse(9);
    t.Querformat(false);
    t.Blattname(1, QStringLiteral("Kilometrika"));
    for (int i = 0; i < 2; ++i)
        waehle(t, 1, 1);
    // Six columns whatever the settings; column 6 keeps the default
    // width without times.
    Blockspalten(t, zeiten);

    int32_t zeile = 0;
    int bloecke = 1;
    for (int n = 1; n <= 7; ++n) {
        zeile = block(t, zeile + 1, zeiten);
        zeile = Blockende(t, zeile, bloecke, 2);
    }
    t.Papiergroesse(9);
}

} // namespace kmk::tabellen
