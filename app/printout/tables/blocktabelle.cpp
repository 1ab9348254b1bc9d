#include "app/printout/tables/blocktabelle.h"

#include "platform/sheet/tabellenblatt.h"

namespace kmk::tabellen {

void Blockspalten(sheet::Tabellenblatt& t, bool zeiten)
{
    const int breiten[] = {2000, 6000, 2100, 2000, 1600, 1200};
    for (int s = 1; s <= (zeiten ? 6 : 5); ++s)
        t.Spaltenbreite(s, breiten[s - 1]);
}

int32_t Blockende(sheet::Tabellenblatt& t, int32_t zeile, int& bloecke, int vorschub)
{
    // The control is asked twice, as it may be either way round.
    for (auto [quer, jeSeite] : {std::pair{true, 4}, {false, 7}}) {
        if (t.Querformat() != quer)
            continue;
        if (bloecke == jeSeite) {
            t.Seitenumbruch(zeile + 1);
            bloecke = 1;
        } else {
            zeile += vorschub;
            ++bloecke;
        }
    }
    return zeile;
}

void Beschriftung(sheet::Tabellenblatt& t, int32_t zeile, int spalte, const QString& text, int ausrichtung,
                  Rahmen r)
{
    waehle(t, zeile, spalte);
    t.Fettschrift(true);
    t.Ausrichtung(ausrichtung);
    t.Zelltext(text);
    rahmen(t, r);
}

void nurRahmen(sheet::Tabellenblatt& t, int32_t zeile, int spalte, Rahmen r)
{
    waehle(t, zeile, spalte);
    rahmen(t, r);
}

void Blockkopf(sheet::Tabellenblatt& t, int32_t zeile, const QString& fahrtNr, bool zeit)
{
    waehle(t, zeile, 1);
    t.Zelltext(fahrtNr);
    rahmen(t, Rahmen::Geschlossen);
    Beschriftung(t, zeile, 2, QStringLiteral("Ort / Straße"), 1, Rahmen::OffenRechts);
    waehle(t, zeile, 3);
    t.Zelltext(QString());
    rahmen(t, Rahmen::OffenLinks);
    Beschriftung(t, zeile, 4, QStringLiteral("Datum"), 3, Rahmen::Geschlossen);
    Beschriftung(t, zeile, 5, QStringLiteral("km - Stand"), 3, Rahmen::Geschlossen);
    if (zeit)
        Beschriftung(t, zeile, 6, QStringLiteral("Zeit"), 3, Rahmen::Geschlossen);
}

} // namespace kmk::tabellen
