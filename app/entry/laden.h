#pragma once
// Loading the current vehicle's trip file into the record buffers.

#include "app/entry/eintragsseite.h"

namespace kmk {

// Loads the shown, last and previous record and the stored copy for
// Satznummer, refreshes the trip list and shows the record. Without a
// trip file the page starts a first trip at the vehicle's odometer.
void FLaden(Eintragsseite& s);

// Loads the trip file afresh and shows its last trip (elements 0, 1, 2
// and the stored copy 7 hold it, 3 the one before). Without a trip file
// both counts are 0. A file that cannot be read is reported, never fatal.
void ErsteLaden(Eintragsseite& s);

} // namespace kmk
