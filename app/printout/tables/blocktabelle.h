#pragma once
// The block layout shared by the full trip table and the blank form: seven
// framed rows per trip, and the page rule that puts seven blocks on a
// portrait page (four in landscape) with two empty rows between blocks.

#include "app/printout/tables/bausatz.h"

namespace kmk::tabellen {

// The column widths of the block tables; column 6 only with times.
void Blockspalten(sheet::Tabellenblatt& t, bool zeiten);

// After a block, on row 'zeile': returns the row the next block starts
// after. A full page breaks before the next row and the row stays;
// otherwise the row moves on by 'vorschub'. 'bloecke' counts the blocks
// of the current page from 1.
int32_t Blockende(sheet::Tabellenblatt& t, int32_t zeile, int& bloecke, int vorschub);

// A bold caption with its alignment and frame.
void Beschriftung(sheet::Tabellenblatt& t, int32_t zeile, int spalte, const QString& text, int ausrichtung,
                  Rahmen r);

// A frame alone, the cell left empty.
void nurRahmen(sheet::Tabellenblatt& t, int32_t zeile, int spalte, Rahmen r);

// Row 1 of a block: the trip number cell, then the column captions; the
// time caption only where 'zeit' is set.
void Blockkopf(sheet::Tabellenblatt& t, int32_t zeile, const QString& fahrtNr, bool zeit);

} // namespace kmk::tabellen
