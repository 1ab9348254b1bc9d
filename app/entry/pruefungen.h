#pragma once
// The checks of a trip typed on the entry page. Each corrects what it can
// on the page and in the edit buffer, beeps when warnings are on, and
// reports by a message number (0 = fine) or a Boolean; only KmStandTest,
// PflichtfeldTest and the gap question of FahrtfolgeTest show messages.

#include "app/entry/eingabeseite.h"

namespace kmk {

// True: the driven km were typed and the arrival odometer follows; false:
// the arrival odometer was typed and the driven km follow. Private cars
// get their trip cost (0,30 per km plus 0,02 per passenger) as well.
void KmBerechnen(Eintragung& e, bool gefahrenGetippt);
// True when the arrival odometer is not below the departure odometer;
// otherwise beep, message 96 with warnings, arrival := departure, driven "0".
bool KmStandTest(Eintragung& e);
// 0, 100 (more than eight days back), 98 (after today) or 97 (entry date
// before the last entry's); only for a new entry with the journal on.
int JournalTest(Eintragung& e);
// True when the trip type's required fields are filled; otherwise the
// first missing one is shown.
bool PflichtfeldTest(Eintragung& e);
// 0, or 67, 68, 69, 70, 103 for a trip out of order with the one before
// (corrected on the page and in the buffer), or 6 after "no" to the gap
// question 71.
int FahrtfolgeTest(Eintragung& e);
// FahrtfolgeTest for its corrections only, except for private trips.
int FahrtTestOhnePrivat(Eintragung& e);

// Messages of the format checks at saving: the date and time texts must be
// real days and times. Each failure has shown its message; 0 = fine.
int DatumZeitTest(Eintragung& e);

// "###0.#0" with the decimal comma: the trip cost and share texts.
QString Betragstext(double v);

} // namespace kmk
