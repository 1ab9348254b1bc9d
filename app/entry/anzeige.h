#pragma once
// A stored trip on the entry page: the record display, the lock state and
// colours of a cancelled or changed trip, and the colour of unsaved input.

#include <QString>

#include "app/entry/eintragsseite.h"

namespace kmk {

// Puts the trip that Satznummer, Pufferindex and NeuerEintragOffen select
// onto the entry page: a new entry after the last trip, a stored trip, the
// first entry of a vehicle without trip file, or the first stored trip.
// Every field is written through its Change handler. For a stored trip the
// edit buffer is then a copy of the stored record, so saving it untouched
// changes nothing. A date the calendar refuses leaves the calendar as it
// was. Ends with the allowance display and SperrTest.
void DatensatzAnzeigen(Eintragsseite& s);

// Lock flag and text colours from the edit buffer's status: black and
// unlocked for a private car or a normal entry; green (cancelled) or dark
// blue (changed) and locked otherwise. PersAnz keeps its colour then.
void SperrTest(Eintragsseite& s);
// All fourteen fields dark red: input not saved yet.
void Roteeingabe(Eintragsseite& s);

// The fourteen fields that carry the journal colours, PersAnz last.
const QStringList& Journalfelder();

// Price per unit of the fuel frame from the texts of amount and quantity
// ("1,20" and "0,80" give "1,50 €"); "0" unless both are amounts above 0.
QString Preistext(const QString& betrag, const QString& menge);
// The caption of Check13 for a journal status and its day.
QString Statustext(quint8 status, qint32 statusdatum);

} // namespace kmk
