#pragma once
// Meal-allowance rules: what a trip earns against the trip before it.
// Pure functions of the records and the two rates, so the entry page, the
// year's recalculation and the tests all run the same arithmetic; no
// widgets, no global state.
//
//   Saetze r = SaetzeAusTexten(jg.PauschaleTeiltag, jg.PauschaleVolltag);
//   Arbeitswerte w;                                  // kept between calls
//   FahrtdatenErfassen(edit, eingabe, vergleich, w); // page -> edit buffer
//   PauschaleBerechnen(edit, {vergleich, frueher, s}, r, w, regel);
//
// Amounts are whole currency units. Sums are taken in int and stored with
// saturation at the 16-bit boundary, so a long year cannot wrap a total.

#include <QString>
#include <QtGlobal>

#include <optional>
#include <span>
#include <vector>

#include "app/records/fahrtdatensatz.h"

namespace kmk {

// The partial-day rate (whole units) and the full-day rate (as typed).
struct Saetze {
    int teiltag = 0;
    double volltag = 0.0;
};

// Reads a rate text with a decimal comma ("14", "14,00", " 24,5 ").
// False for a text that is no number; the value is then 0.
bool SatzLesen(const QString& text, double& wert);
// Both rates; *keineZahl turns true when either text was no number (that
// rate counts as 0).
Saetze SaetzeAusTexten(const QString& teiltag, const QString& volltag, bool* keineZahl = nullptr);
// The fixed rates of the one-time run for years before 2015.
inline constexpr Saetze AlteSaetze{12, 24.0};

// Full-day amount of a trip with F days after the departure day.
int VolleTageBetrag(const Saetze& r, int folgetage);
// The full-day amount of one day, in whole units.
int VollerTag(const Saetze& r);
// Saturates to the 16-bit fields of the record.
qint16 auf16(int v);

// Class of a trip: earns an allowance (business, tax-free sales), private,
// no allowance (commute, family), or none chosen (type 0 of old records).
enum class Klasse { E, P, N, Keine };
Klasse KlasseVon(quint8 fahrtart);

// A calendar day the traveller spends away for all 24 hours earns the
// full-day rate (section 9 (4a) EStG), also as the departure or arrival
// day of a trip: a departure at 00:00 of a trip over more than one day, an
// arrival at 24:00 likewise, and the one day of a trip from 00:00 to
// 24:00. Such a day's amount stands where its partial-day rate would:
// Teilpauschale1 for the departure day, Teilpauschale2 for the arrival day
// or the one day. So the printouts' allowance of the day, the totals and
// the check below read it like a partial-day rate, and every other trip's
// fields stay as they were.
bool AbfahrtstagGanz(const FahrtDatensatz& s);
bool AnkunftstagGanz(const FahrtDatensatz& s);

// True when this record pays a rate for the day: a business record not
// cancelled, its Teilpauschale2 for a one-day trip's date, or
// Teilpauschale1 for a longer trip's departure day and Teilpauschale2 for
// its arrival day, partial-day or full-day rate alike. What private and
// other trips carry forward pays nothing.
bool ZahltTag(const FahrtDatensatz& s, qint32 tag);

// The records before position 'bis' (0-based, exclusive) of 'alle' that can
// touch a trip departing on 'tag': from the back, until a record not
// cancelled that arrived before that day (not included); 100 at most.
std::span<const FahrtDatensatz> Rueckblick(std::span<const FahrtDatensatz> alle, std::size_t bis,
                                           qint32 tag);

// Values of the gathering and the rules that live between two calls.
struct Arbeitswerte {
    int MinutenAbfahrt = 0;
    int MinutenAnkunft = 0;
    int AbwesenheitMinuten = 0;
    quint8 AktuelleFahrtart = 0;
    bool PauschalFahrt = false;
    bool ErsteFahrtDesTages = true;
    bool Folgefahrt = false;
};

// What the gathering reads of the page. A time or date is empty when its
// field holds no valid value; the earlier value then stays.
struct Eingabe {
    quint8 fahrtart = 0;                 // first option set, 0 none
    std::optional<int> zeitAb, zeitAn;   // minutes; "24:00" is 1440
    std::optional<qint32> datumAb, datumAn;
    bool mitVerpflegungspauschale = false;
    bool privatNurKm = false;
    bool zeitfelder = false;             // the page shows the time fields
    qint32 satznummer = 0;
    quint8 pufferindex = 1;              // 1 none, 2 new entry, 3 browsing
};

// Whether a departure at 00:00 is midnight: the times were entered, as a
// business trip's (or one of tax-free sales) are, and any trip's whose time
// fields the page shows. 00:00 also stands for "no times": a private trip
// recorded with date and km only and a private car's trip store 00:00 to
// 00:00, and with times switched off the fields are hidden.
bool ZeitenErfasst(quint8 fahrtart, bool zeitfelder);

// Absence of a trip that arrives on its departure day. An arrival at 00:00
// lies before any departure of that day (its end is typed "24:00") and
// gives 0; so does a departure at 00:00 in times not entered.
int AbwesenheitEintaegig(int ab, int an, bool zeitenErfasst);

// Reads a time field: "hh:mm" (one-digit hours too) up to 23:59, and
// "24:00" as the end of the day.
std::optional<int> ZeitLesen(const QString& text);

// Gathers the trip into the edit buffer. Returns the Pufferindex to use
// (1 when Satznummer is 0 or 1). 'vergleich' is the compared record, or
// nullptr. zeitenNull reports a private trip whose times were set to 0
// (the page then shows "00:00" in both fields).
quint8 FahrtdatenErfassen(FahrtDatensatz& e, const Eingabe& in, const FahrtDatensatz* vergleich,
                          Arbeitswerte& w, bool* zeitenNull = nullptr);

// The compared record and what else the rules look at.
struct Vergleich {
    const FahrtDatensatz* satz = nullptr;             // nullptr: no predecessor
    std::span<const FahrtDatensatz> frueher;          // earlier records touching the day
};

// Applies the rules to the edit buffer and gives the rule text.
void PauschaleBerechnen(FahrtDatensatz& e, const Vergleich& v, const Saetze& r, Arbeitswerte& w,
                        QString& regel);

// Lines of the rule text are joined by line feed and carriage return.
inline const QString Zeilentrenner = QStringLiteral("\n\r");

// Absence minutes of a stored trip, as the recalculation takes them. The
// record does not tell whether its time fields were shown; only a business
// trip's absence earns, and its times were entered.
int AbwesenheitGespeichert(const FahrtDatensatz& s);

// Recalculates the allowance fields of every record not cancelled, in file
// order, each against the last record before it that is not cancelled.
// Only AbwesenheitFahrt, AbwesenheitGesamt, AbwesenheitTag,
// Teilpauschale1/2, PauschaleVolleTage and PauschaleGesamt change, each as
// the entry page stores it for the same trip. 'regel' gets the short class
// text of the last record recalculated.
void JahrNeuBerechnen(std::vector<FahrtDatensatz>& saetze, const Saetze& r, QString* regel = nullptr);

} // namespace kmk
