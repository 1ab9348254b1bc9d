#pragma once
// Writing trips: the save dispatcher behind the save button and F8, the
// journal correction of a company car's stored trip, the in-place cost
// update, and deleting the current vehicle's trip file.

#include "app/entry/eintragsseite.h"

namespace kmk {

// Writes the edit buffer as record Satznummer (append one past the end,
// else overwrite in place). A number outside 1..count + 1 or a failed
// write is shown as a plain message and nothing is written: false.
// 'kuerzen': the trips after it go in the same rewrite.
bool Datensatzspeichern(Eintragsseite& s, bool kuerzen = false);

// The overwrite of the shown stored trip with the cut after it: question
// 31 decides whether the later trips go, and the overwrite and the cut are
// one rewrite, so a failure leaves the file as it was. False when nothing
// could be written (its message shown); question 31 then only after a
// written trip when nothing follows it.
bool UberschreibenKuerzen(Eintragsseite& s);

// The save dispatcher: a changed stored trip of a company car goes through
// the journal (cancelled + changed copy), a new trip is appended after its
// checks, a private car's trip is saved in place or appended.
void ASpeichern(Eintragsseite& s);

// The journal rewrite for record Satznummer, then the last record shown.
// False (with a plain message) when the file could not be rewritten; the
// trip file is then unchanged.
bool Uberschreiben(Eintragsseite& s);

// Fuel and workshop fields of the edit buffer into stored record
// Satznummer; nothing else of the record changes.
bool Uberschreiben_Benzin(Eintragsseite& s);

// Asks question 31 and on Yes cuts the trip file after record Satznummer
// (a one-record file stays as it is). The buffers are not reloaded. False
// only when the cut could not be written (its message shown).
bool Datensatzloschen(Eintragsseite& s);

// Deletes the current vehicle's trip file after questions 2 and 32; a copy
// is kept in the backup folder first ("Auto1_vor_Loeschen_<yyyymmdd_hhmm>.dat").
void ALoeschen(Eintragsseite& s);

} // namespace kmk
