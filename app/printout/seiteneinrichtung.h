#pragma once
// The common page set-up that every table builder runs first: a fresh
// sheet, the control's fixed option list, the used area up to the table's
// last column, margins, the header with the vehicle's holder and plate, the
// footer with the page number, and a screen zoom of 75.
//
//   Seiteneinrichtung(t, 17, kfz);   // then orientation, widths, cells

#include "app/records/kfzgrundeinstellung.h"
#include "platform/sheet/tabellenblatt.h"

#include <QString>

namespace kmk {

// The header: sheet name, holder and plate as stored (blank-padded to 30
// and 15 characters). An "&" in holder or plate is doubled so it prints
// as itself instead of starting a header code.
QString Kopfzeilentext(const KfzGrundeinstellung& kfz);
// "Seite &P" and the office's note.
QString Fusszeilentext();

void Seiteneinrichtung(sheet::Tabellenblatt& t, int letzteSpalte, const KfzGrundeinstellung& kfz);

} // namespace kmk
