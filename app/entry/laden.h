#pragma once
// Loading the current vehicle's trip file into the record buffers.

#include "app/entry/eintragsseite.h"

#include <optional>

namespace kmk {

// Loads the shown, last and previous record and the stored copy for
// Satznummer, refreshes the trip list and shows the record. Without a
// trip file the page starts a first trip at the vehicle's odometer.
void FLaden(Eintragsseite& s);

// Loads the trip file afresh and shows its last trip (elements 0, 1, 2
// and the stored copy 7 hold it, 3 the one before). Without a trip file
// both counts are 0. A file that cannot be read is reported, never fatal.
void ErsteLaden(Eintragsseite& s);

// The placeholder "Privat" that a private trip recorded with date and km
// only holds in its texts: it names no place, purpose or driver, and no
// other trip takes it over. A text the user typed, also "Privat" as the
// driver of a business trip, is a text like any other.
bool Privatplatzhalter(const FahrtDatensatz& f, const QString& text);
// A text of the last stored trip (element 2) as stored; where that trip
// holds the placeholder, the same text of the trip before it, and so on
// back through the file. None when every trip holds the placeholder.
std::optional<QString> LetzterEchterText(const Fahrten1& st, QString FahrtDatensatz::*text);

} // namespace kmk
