#pragma once
// The texts the trip memory shows: pick-list lines of the entry page, rows
// of the evaluation filter, rows of the editor's table, and the distinct
// values offered in the drop-downs. Pure functions of the records.
//
// A line's record number is for the eye only: lists carry the number as
// item data (Qt::UserRole), and nothing reads it back from the text.

#include "app/tripmemory/fahrtenspeichersatz.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace kmk {

// Item data role under which list lines carry their record number.
constexpr int SatznummerRolle = 0x0100;  // Qt::UserRole

// 54 characters: "<contact> <destination>" cut or padded to 50, then the
// number field (" " + Str(n) for n < 10, else Str(n), padded to 4).
QString pickZeile(const Fahrtenspeichersatz& s, int nr);
// 54 characters: the same 50, the number right-aligned in 3, one blank.
QString filterZeile(const Fahrtenspeichersatz& s, int nr);
// " Alle Datensätze anzeigen" padded to 50, "  0", one blank.
QString filterKopfzeile();

// The editor's table: 110 characters, columns joined by " | ".
QString editorKopfzeile();
QString editorTrennzeile();
QString editorZeile(const Fahrtenspeichersatz& s);

// Drop-downs of the entry page's six text fields. Each list starts with the
// text typed into its field (also when empty); then the trimmed values of
// the records in file order, each once (exact, case-sensitive), never an
// empty one. The driver's field gets only its typed text.
enum Eintragsfeld { FeldGesprach, FeldVon, FeldUber, FeldNach, FeldGrund, FeldFahrer, Eintragsfelder };
using Auswahllisten = std::array<QStringList, Eintragsfelder>;
Auswahllisten auswahllisten(const QList<Fahrtenspeichersatz>& saetze,
                            const std::array<QString, Eintragsfelder>& getippt);

// The editor's drop-downs: each trimmed value once, ignoring letter case
// (the first one stored stays), an empty value included once.
enum Editorfeld { EdVon, EdWeg, EdNach, EdGrund, EdGPartner, Editorfelder };
std::array<QStringList, Editorfelder> editorAuswahl(const QList<Fahrtenspeichersatz>& saetze);

} // namespace kmk
