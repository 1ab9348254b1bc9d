#pragma once
// One renderer for the screen, the preview, the printer and the PDF: cells
// are painted in twips of the sheet, so the painter's transform alone
// decides the device. Texts run on into empty neighbours as in a
// spreadsheet, numbers too wide for their cell show as "#"; frame lines are
// those the cells or their neighbours ask for.

#include "platform/sheet/blatt.h"
#include "platform/sheet/seiten.h"

#include <QDateTime>
#include <QPageLayout>

class QPainter;
class QPaintDevice;

namespace sheet {

// Paints rows von..bis (all of them, in order) and columns vonSpalte..
// bisSpalte with the top-left corner at (x, y) in twips. Returns the height
// painted. Gridlines are for the screen only.
double zeichneBereich(QPainter& p, const Blatt& b, int32_t vonZeile, int32_t bisZeile, int32_t vonSpalte,
                      int32_t bisSpalte, double x, double y, bool gitter);

// Paints page 'index' of the plan: header, title rows, body, footer. The
// painter's unit must be one twip of paper with the origin at its corner
// (see seitenTransform).
void zeichneSeite(QPainter& p, const Blatt& b, const Seitenplan& plan, int index, const QDateTime& jetzt);

// Sets the painter so one unit is a twip on a device of this resolution,
// times an extra zoom factor.
void twipTransform(QPainter& p, const QPaintDevice& geraet, double zoom = 1.0);

// Paper and orientation of the plan, without margins (the renderer draws
// the margins itself).
QPageLayout seitenlayout(const Seitenplan& plan);

} // namespace sheet
