#pragma once
// Opening a new trip after the last one, and the return trip of the last.

#include "app/entry/eintragsseite.h"

namespace kmk {

// Record number after the last trip, last records loaded, page prefilled
// (FahrtLoschen, then the display), fields marked unsaved, entry date
// stamped when the journal function is on.
void NeuEintrag(Eintragsseite& s);
// A new entry as the return trip of the last record: start and destination
// swapped, route, purpose, driver, trip type and km taken over, contact
// "Rückfahrt".
void Rueckfahrt(Eintragsseite& s);

} // namespace kmk
