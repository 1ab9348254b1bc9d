#pragma once
// What every trip table shares: the print range, the contact and trip-type
// filters, reading a vehicle's trips, and the texts of the trip-type cells.
// Pure functions of their inputs; the builders and the page adapter sit on
// top of them.
//
//   Tabellenkontext k = ...;                  // filled once per build
//   for (const Fahrt& f : FahrtenLesen(pfad))
//       if (k.nimmt(f.satz)) ...               // range, contact, type

#include "app/records/fahrtdatensatz.h"
#include "app/records/kfzgrundeinstellung.h"
#include "app/records/voreinstellung.h"

#include <QString>
#include <vector>

namespace kmk::tabellen {

// The first row of the contact filter list; exactly 25 characters, so it
// can be compared with the first 25 characters of the filter label.
inline const QString AlleDatensaetze = QStringLiteral(" Alle Datensätze anzeigen");

// First and last day of the print range, both included.
struct Druckbereich {
    qint32 ab = 0;
    qint32 bis = 0;
    bool enthaelt(qint32 tag) const { return ab <= tag && tag <= bis; }
};

// The two filters of the evaluation page as the tables read them.
struct Filter {
    QString label49;          // caption of the contact filter label
    QString kundenfilter;     // contact person, compared as 50 characters
    quint8 fahrtartfilter = 0;  // 0 = all trip types

    // The contact filter is off while the label's first 25 characters are
    // empty or read the all-records row.
    bool kundeAus() const;
    // Contact test, then trip-type test; the range is tested by the caller.
    bool laesstDurch(const FahrtDatensatz& f) const;
};

// One stored trip and its record number in the trip file.
struct Fahrt {
    qint32 nummer = 0;
    FahrtDatensatz satz;
};

// Every complete record of a trip file in file order; empty when the file
// is missing. The file is read once.
std::vector<Fahrt> FahrtenLesen(const QString& pfad);

// What a trip table reads of the year, collected once by the caller.
struct Tabellenkontext {
    VoreinstellungSatz vor;
    KfzGrundeinstellung kfz;      // the current vehicle
    QString jahr;                 // "2016"
    QString fahrtdateiPfad;       // absolute path of the current trip file
    bool fahrtdateiVorhanden = false;
    bool fahrzeugBelegt = false;  // some vehicle slot is set up
    quint8 pufferindex = 0;
    qint32 satznummer = 0;
    qint32 fahrtenzahl = 0;       // trips in the current trip file
    Druckbereich bereich;
    Filter filter;

    // Range, contact and trip type as every trip table applies them.
    bool nimmt(const FahrtDatensatz& f) const
    {
        return bereich.enthaelt(f.DatumAb) && filter.laesstDurch(f);
    }
    // The trip file can be listed: it exists, a vehicle is set up and a
    // record is current.
    bool listbar() const { return fahrtdateiVorhanden && fahrzeugBelegt && satznummer > 0; }
    // Nothing to print: no trip is stored. The first trip is shown without a
    // predecessor (buffer index 1), but its vehicle has trips to print all
    // the same.
    bool ohneFahrten() const { return pufferindex <= 1 && fahrtenzahl < 1; }
    bool zeiten() const { return vor.OhneZeiten == 0; }
    bool pauschalen() const { return zeiten() && vor.MitVerpflegungspauschale != 0; }
    bool journal() const { return vor.Journalfunktion != 0; }
};

// A sum of the trip file's stored values showed the mark instead of a
// number: the file is named once per run.
void UeberlaufMelden(const Tabellenkontext& k);

// The trip-type cell of the one-row tables: a number for types 1, 2 and 5,
// a text with its suffix for types 3 and 4 (type 0 counts as 3), nothing
// for anything else.
struct Artzelle {
    enum Art { Zahl, Text, Leer } art = Leer;
    int zahl = 0;
    QString text;
    bool operator==(const Artzelle&) const = default;
};
Artzelle Fahrtartzelle(const FahrtDatensatz& f);

// The trip-type line of a full-table block: the long name and, for types 3
// and 4, the special-trip or no-allowance suffix. Empty for unknown types.
QString Fahrtartlangtext(const FahrtDatensatz& f);

// The journal mark of a one-row table: "storniert 14.01.2016" for a
// cancelled record, "Korrektur 14.01.2016" for its correction, with the
// day of the correction, the word alone when the record holds no day
// (Tagestext); empty for a normal entry.
QString Statusvermerk(const FahrtDatensatz& f);

// The Fahrtart a table shows: 0 in old records means a business trip.
inline int gezeigteFahrtart(quint8 art) { return art == 0 ? 3 : art; }

} // namespace kmk::tabellen

// ---- writing cells ----
namespace sheet {
class Tabellenblatt;
}

namespace kmk::tabellen {

// How a build ended, for the page to act on.
enum class Bau {
    Unberuehrt,  // no stored trip before the current one: the sheet is as it was
    Anfangskm,   // nothing to list: the km boxes of the entry page get the start odometer
    Meldung88,   // too few trips for a printout: message 88
    Gebaut,
};

// Row 2 of the one-row logbooks: the abbreviations of the trip-type cell.
QString LegendeAbkuerzungen();

// Makes a cell the current one, row first as the builders always do.
void waehle(sheet::Tabellenblatt& t, int zeile, int spalte);

// The frames of the block tables. A field over several columns is an
// open-right cell, open-both cells and an open-left cell.
enum class Rahmen { Geschlossen, OffenRechts, OffenLinks, OffenBeide, GeschlossenUmriss };
void rahmen(sheet::Tabellenblatt& t, Rahmen r);

// Writes the journal mark of 'f' (Statusvermerk) into the given cell; a
// normal entry leaves the cell untouched.
void statuszelle(sheet::Tabellenblatt& t, int zeile, int spalte, const FahrtDatensatz& f);

// One column of a one-row-per-trip table: width, the two heading rows,
// the data alignment and what goes into the data cell (nothing for an
// empty cell).
struct Spalte {
    int breite = 0;
    QString kopf3;
    QString kopf4;
    int ausrichtung = 3;
    void (*inhalt)(sheet::Tabellenblatt&, const FahrtDatensatz&) = nullptr;
};

void Spaltenbreiten(sheet::Tabellenblatt& t, const std::vector<Spalte>& spalten);
// The bold centred headings of rows 3 and 4.
void Spaltenkoepfe(sheet::Tabellenblatt& t, const std::vector<Spalte>& spalten);
// The headings of rows 3 and 4, and rows 1 to 4 repeated on every
// printed page.
void Tabellenkopf(sheet::Tabellenblatt& t, const std::vector<Spalte>& spalten);
// Row 2 of the one-row logbooks, left aligned.
void Abkuerzungszeile(sheet::Tabellenblatt& t);
// One trip's row: 8-point cells with each column's alignment and content;
// a column without content is left alone.
void Datenzeile(sheet::Tabellenblatt& t, int zeile, const std::vector<Spalte>& spalten, const FahrtDatensatz& f);

// Cell contents the trip tables share.
void datumZelle(sheet::Tabellenblatt& t, qint32 tag);
void artZelle(sheet::Tabellenblatt& t, const FahrtDatensatz& f);

} // namespace kmk::tabellen
