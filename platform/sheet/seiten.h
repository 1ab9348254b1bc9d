#pragma once
// Pagination of a sheet for printing, without fonts: pages follow from the
// paper, the margins, the column widths, the row heights, the scale, the
// title rows and the manual breaks alone, so the preview, the printer, the
// PDF and the page count all agree.
//
//   sheet::Seitenplan p = sheet::paginiere(blatt);
//   p.seiten.size();      // pages, down first, then across
//   p.massstab;           // 0.68 at the print scale 80 %; 0.72 when one
//                         // page wide fits a 14,900-twip sheet
//
// Also here: the header and footer codes, and which frame lines a cell
// shows (a shared edge is drawn when either neighbour asks for it).

#include "platform/sheet/blatt.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <vector>

namespace sheet {

struct Druckseite {
    int32_t titelVon = 0, titelBis = 0;   // repeated rows shown on top (0: none)
    int32_t vonZeile = 1, bisZeile = 0;   // body rows
    int32_t vonSpalte = 1, bisSpalte = 0;
};

struct Seitenplan {
    double massstab = 1.0;
    // Paper and printable area in twips of the page (unscaled).
    double papierBreite = 0, papierHoehe = 0;
    double druckLinks = 0, druckOben = 0, druckBreite = 0, druckHoehe = 0;
    std::vector<Druckseite> seiten;
};

// Paper size in twips, portrait, by the printer's paper code (9 A4; others
// fall back to A4 except 1 letter and 8 A3).
void papiergroesse(int code, double& breite, double& hoehe);

Seitenplan paginiere(const Blatt& b);

// The percent a sheet prints at without fitting: 85 % of the print scale,
// rounded down. The tables' widths were chosen for a control that printed a
// sheet smaller than its twips: at the stored 80 % the full trip table
// (14,900 twips) would be wider than A4 itself, yet the settings page tells
// the user seven trips fill one A4 sheet. At 68 % seven blocks fit a portrait
// page and the logbook one landscape page wide, with room to spare here and
// in a spreadsheet program, which reads column widths a few percent wider.
int druckprozent(const Seitenformat& s);

// The scale that fit-to-pages gives, or druckprozent (as a factor).
double druckmassstab(const Blatt& b);

struct KopfFuss {
    QString links, mitte, rechts;
};
// Header or footer text with its codes resolved: &L &C &R choose the
// section (centre first), &P page, &N pages, &D date, &T time, &A sheet
// name, && one "&". Other codes are printed as they stand.
KopfFuss loeseCodes(const QString& text, int seite, int seiten, const QString& blattname,
                    const QDateTime& jetzt);

// The frame lines a cell shows (Seite bits): its own and its neighbours'
// shared edges.
uint8_t kanten(const Blatt& b, int32_t zeile, int32_t spalte);

// Columns a text runs over: from the cell to the left and right as far as
// the needed width reaches and the neighbours are empty (alignment decides
// the direction). Numbers never run over.
void laufbereich(const Blatt& b, int32_t zeile, int32_t spalte, double breiteNoetig, int32_t grenzeLinks,
                 int32_t grenzeRechts, int32_t& von, int32_t& bis);

// Horizontal placement of a cell: 1 left, 2 centre, 3 right.
int ausrichtungHorizontal(const Zelle& z);

} // namespace sheet
