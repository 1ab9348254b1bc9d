#pragma once
// The logbook year: its test, the per-year file names and day table, and the
// order in which a calendar is limited to the year.

#include <QString>
#include <functional>

#include "app/records/fahrten1.h"

namespace kmk {

// Shows catalogue message n (the catalogue lives with the main window).
using MeldungZeigen = std::function<void(int)>;

enum class Jahrespruefung {
    Gueltig,        // 2007..2050
    Unbrauchbar,    // not four characters or no positive value: no message
    Ausserhalb,     // outside 2007..2050: message 90
};

constexpr int MeldungJahrUngueltig = 90;

// The year test alone, without showing anything.
Jahrespruefung Jahrestest(const QString& jahr);

// Fills the day table (always), tests the year and on success fills the
// file names, version texts and Kundendatei of the block. Shows message 90
// through 'meldung' for a year outside the range. The main window's own
// year set-up should not repeat the message: it can skip its work when
// Jahr_ini failed, or use Jahrestest, which shows nothing.
bool Jahr_ini(Fahrten1& st, const MeldungZeigen& meldung = {});

// Day numbers of 1 January 2007 + i and 31 December 2007 + i.
const std::array<qint32, Jahresdateien::Jahre>& TabelleJahresanfang();
const std::array<qint32, Jahresdateien::Jahre>& TabelleJahresende();

// What the year set-up needs of a calendar control. The setters may throw
// vb::RuntimeError (380) when the control refuses a value.
class KalenderGrenzen {
public:
    virtual ~KalenderGrenzen() = default;
    virtual qint32 minDate() const = 0;
    virtual qint32 maxDate() const = 0;
    virtual void setYear(int jahr) = 0;
    virtual void setMinDate(qint32 tag) = 0;
    virtual void setMaxDate(qint32 tag) = 0;
    virtual void setDate(qint32 tag) = 0;
};

// Limits the calendar to anfang..ende and shows 'datum': the year first,
// then the bound that cannot be refused in the calendar's current state,
// then the other, then the date. A control that still refuses a value
// gives false (nothing thrown); the caller treats it as a failed year set-up.
bool KalenderAufJahrSetzen(KalenderGrenzen& kalender, int jahr, qint32 anfang, qint32 ende,
                           qint32 datum);

} // namespace kmk
