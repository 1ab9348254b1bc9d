#pragma once
// The file side of the year's data files: settings, vehicle master records
// and the current vehicle's trip file. Every path is built from
// Programmpfad; nothing depends on the working directory. The windows show
// the results (records, lists, messages); these functions touch no widget.

#include <QString>
#include <QStringList>

#include "app/records/fahrten1.h"

namespace kmk {

// Outcome of a write. 'meldung' holds a German text for a plain message box
// when ok is false; the files are then as they were before the call.
struct Dateiergebnis {
    bool ok = true;
    QString meldung;
    explicit operator bool() const { return ok; }
    static Dateiergebnis fehler(const QString& text) { return {false, text}; }
};

// ---- start-up checks ----
// One of the year's data files by the exact name the program writes it
// under: settings, vehicle master, trip memory and the four trip files.
bool Jahresdatei(const Fahrten1& st, const QString& name);
// Removes the temporaries that interrupted rewrites of the year's data files
// left in the program folder, nothing else; returns how many.
int ZwischendateienEntfernen(const Fahrten1& st);
// For each of the year's data files that exists under its name but is no
// regular file (a FIFO, a device, a socket), a German text for a plain
// message. The readers refuse such a file as they refuse a damaged one;
// the program then treats it as missing.
QStringList KeineGewoehnlichenDateien(const Fahrten1& st);

// ---- settings record ----
// Writes st.Voreinstellung as record 1 of the settings file.
Dateiergebnis VorDatSchreiben(Fahrten1& st);
// Reads record 1 into st.Voreinstellung. A missing file is not created:
// the record is cleared and false comes back.
bool VorDatLesen(Fahrten1& st);
// The original's single entry point: true writes, false reads.
bool VorDat(Fahrten1& st, bool schreiben);

// ---- vehicle master records ----
// Reads record n (1..4) into st.Kfz. A missing file or record clears
// st.Kfz and gives false; nothing is created.
bool KfzLesen(Fahrten1& st, int fahrzeug);
// Writes st.Kfz as record n (1..4) unless the stored record holds the same
// bytes. Slots before n that do not exist yet are written as empty vehicles
// (KfzLeer) so that n lands at its place, together with it in one atomic
// rewrite.
Dateiergebnis KfzSchreiben(Fahrten1& st, int fahrzeug);
// The record of a vehicle slot not yet filled in: no texts, odometer 0,
// marked as a company car, the option copies taken from the settings
// record (whose flags follow the option boxes).
KfzGrundeinstellung KfzLeer(const Fahrten1& st);
// Creates the vehicle master file with four empty vehicles (KfzLeer) when
// it is missing; an existing file is left alone.
Dateiergebnis KfzDateiAnlegen(Fahrten1& st);

// ---- trip files ----
// FahrtdateiVorhanden(1..4) from the existence of the four trip files.
void DateiTest(Fahrten1& st);

// Step 1 of clearing the entry page: elements 0..5 of Satzpuffer get their
// numbers 0 and texts blank, except the fields the entry page carries over
// (dates, arrival odometer, driven km, costs of a private car, passengers,
// fuel unit, workshop text, entry date, previous count); MitPauschale
// follows the meal-allowance option. Elements 6..11 are not touched.
void PufferZuruecksetzen(Fahrten1& st);
// Clears the element numbered Pufferindex.
void DatensatzLeeren(Fahrten1& st);

// Loads elements 1, 2, 3 and 7 for Satznummer from the current trip file;
// without a file Pufferindex and Satznummer become 1. With 'pufferLeeren'
// it first runs PufferZuruecksetzen. Element 7 is always reset first so
// that no stale copy stays behind. Returns whether the trip file exists.
bool FLadenDatei(Fahrten1& st, bool pufferLeeren = true);

// Loads the last record of the current trip file into elements 0..2 (and
// the one before it into 3) and positions on it; without a file both
// counts become 0. Returns whether the trip file exists.
bool ErsteLadenDatei(Fahrten1& st, bool pufferLeeren = true);

// Writes element 0 as record Satznummer: one past the end appends, an
// existing number overwrites that record only. Refuses a number below 1 or
// beyond Satzanzahl + 1 and an append to a full file (MaxFahrten). With a
// new entry open only an append is taken: a file holding MaxFahrten or
// more trips refuses it as full, any other number as invalid. Updates
// Satzanzahl, Satznummer and NeuerEintragOffen as the save expects.
// 'kuerzen' makes the overwrite of a stored trip and the cut of every trip
// after it one rewrite: the file is wholly old or wholly new.
Dateiergebnis DatensatzspeichernDatei(Fahrten1& st, bool kuerzen = false);

// Keeps records 1..Satznummer of the current trip file and removes the
// rest, replacing the file atomically. A file of one record and a
// Satznummer at or beyond the end leave the file unchanged; a Satznummer
// below 1 is refused.
Dateiergebnis DatensatzloschenDatei(Fahrten1& st);

// The journal rewrite: record Satznummer is kept, marked cancelled with
// 'heute'; element 0, marked changed with 'heute', is inserted after it;
// all later records move back by one. The file is replaced atomically.
// Refused when the trip file is missing, when it would grow beyond
// MaxFahrten or Satznummer is no stored record. On success element 0 holds
// the changed mark and Satzanzahl the new count; a refusal changes nothing.
Dateiergebnis UberschreibenDatei(Fahrten1& st, qint32 heute);

// Writes the fuel and workshop fields of element 0 into the stored record
// Satznummer; nothing else changes. Without a file or for a number outside
// the stored records nothing is written (ok with meldung empty).
Dateiergebnis Uberschreiben_BenzinDatei(Fahrten1& st);

// Record n of a trip file, or an empty record when it does not exist.
FahrtDatensatz FahrtLesen(const QString& pfad, qint32 n);
// Number of complete records of a trip file (0 when missing).
qint32 Fahrtanzahl(const QString& pfad);

// German texts of the refusals.
QString TextDateiVoll();
QString TextSatznummerUngueltig(qint32 nummer);
QString TextSchreibfehler(const QString& datei);

} // namespace kmk
