#pragma once
// Putting the entry page and the record buffers into a known state: the
// prefill of a new trip and the clearing of the page.

#include "app/entry/eingabeseite.h"

namespace kmk {

// Prefills the page for a new trip: odometer from the trip before (or the
// vehicle's start reading), preset or default times, the home location as
// start, the other texts empty. Dates and trip type are left alone.
void FahrtLoschen(Eintragung& e);
// Clears the record buffers 0..5 (keeping what the page carries over), the
// entry fields and the totals labels.
void Datenzurucksetzen(Eintragung& e);

} // namespace kmk
