#pragma once
// The spreadsheet control as the table builders and the printout page drive
// it. Every table is written cell by cell into one control: choose the
// current cell with Zeile and Spalte, then put its content and formats.
// Builders take a Tabellenblatt&, so a test hands them a RecordingSheet
// (recordingsheet.h) and compares the calls; the program hands them the
// real control (steuerelement.h), which keeps a Blatt (blatt.h).
//
//   void baue(sheet::Tabellenblatt& t) {
//       t.Zuruecksetzen();
//       t.Zeile(5); t.Spalte(2);
//       t.Zahlenformat("dd/mm/yyyy"); t.Ausrichtung(3); t.Zellwert(42370);
//   }
//
// Rows and columns count from 1 and are 32-bit: a table is not limited to
// the 16,384 rows of the used area the page set-up puts.

#include <QString>
#include <QVariant>

#include <cstdint>

namespace sheet {

// The file the save dialog chose: name and type. Type 4 is the workbook
// (xlsx); 5 a PDF, 6 tab-separated text.
struct Dateiangabe {
    QString Dateiname;
    int Dateityp = 4;
};

enum Dateityp : int { TypArbeitsmappe = 4, TypPdf = 5, TypText = 6 };

// Margins and header/footer distances, in inches, by their numbers.
enum Rand : int { RandLinks = 42, RandOben = 43, RandRechts = 44, RandUnten = 45 };
enum Abstand : int { AbstandKopf = 1311, AbstandFuss = 1312 };

class Tabellenblatt {
public:
    virtual ~Tabellenblatt() = default;

    // ---- the current cell ----
    virtual void Spalte(int32_t spalte) = 0;
    virtual void Zeile(int32_t zeile) = 0;
    virtual int32_t Spalte() const = 0;
    virtual int32_t Zeile() const = 0;
    // Selects the cell the next Zellrahmen frames (and makes it current).
    virtual void Zellauswahl(int32_t zeile, int32_t spalte) = 0;

    // ---- content of the current cell ----
    // A number given as text stays text.
    virtual void Zelltext(const QString& text) = 0;
    virtual void Zellwert(double wert) = 0;
    // "=SUM(A1:B2)" or "SUM(A1:B2)"; the value follows its range.
    virtual void Zellformel(const QString& formel) = 0;

    // ---- formats of the current cell ----
    // "dd/mm/yyyy", "#,##0.00", "0"; shown German whatever the locale.
    virtual void Zahlenformat(const QString& format) = 0;
    virtual void Fettschrift(bool fett) = 0;
    virtual void Schriftgroesse(int punkte) = 0;
    // 1 left (label texts), 3 centred (headings, values), 4 right (amounts);
    // 2 right as well, anything else the general rule (text left, numbers right).
    virtual void Ausrichtung(int art) = 0;
    // Frame of the selected cell. A side of -1 keeps what the cell has, 0
    // takes it away, a positive value draws it; an outline above 0 draws
    // all four sides. Shade and colours are kept for the record only.
    virtual void Zellrahmen(int umriss, int links, int rechts, int oben, int unten, int schatten,
                            int32_t farbeUmriss, int32_t farbeLinks, int32_t farbeRechts,
                            int32_t farbeOben, int32_t farbeUnten) = 0;

    // ---- columns, rows, sheet ----
    // Width in twips (1/1440 inch).
    virtual void Spaltenbreite(int32_t spalte, int breite) = 0;
    // Height in twips of one row.
    virtual void Zeilenhoehe(int32_t zeile, int hoehe) = 0;
    // One height for every row, replacing the heights rows had of their own
    // (one call where the window used to set rows 1 to 15,000 one by one).
    virtual void Standardzeilenhoehe(int hoehe) = 0;
    // Name of sheet 1 (the header code "&A").
    virtual void Blattname(int blatt, const QString& name) = 0;
    // Rows repeated at the top of every printed page: first and last;
    // a last row of 0 (or below the first) repeats nothing.
    virtual void DrucktitelErsteZeile(int32_t zeile) = 0;
    virtual void DrucktitelLetzteZeile(int32_t zeile) = 0;
    // A printed page ends before this row.
    virtual void Seitenumbruch(int32_t zeile) = 0;

    // ---- page ----
    virtual void Querformat(bool quer) = 0;
    virtual bool Querformat() const = 0;
    virtual void Kopfzeile(const QString& text) = 0;
    virtual void Fusszeile(const QString& text) = 0;
    virtual void Seitenrand(Rand welcher, double zoll) = 0;
    virtual void Randabstand(Abstand welcher, double zoll) = 0;
    // Print scale in percent, or (fit) as many pages wide and tall as given;
    // 0 pages means "as many as needed" in that direction. The scale in
    // force is given back through prozent.
    virtual void Druckskalierung(int16_t& prozent, bool anpassen, int seitenBreit, int seitenHoch) = 0;
    // The printer object's paper size (9 = A4), set before A4 tables.
    virtual void Papiergroesse(int code) = 0;
    // The screen zoom in percent; the text form takes the zoom list's entry.
    virtual void Bildschirmzoom(int prozent) = 0;
    virtual void Bildschirmzoom(const QString& prozent) = 0;
    virtual int Bildschirmzoom() const = 0;

    // ---- whole sheet ----
    // A fresh, empty sheet with the default page.
    virtual void Zuruecksetzen() = 0;
    // The other numbered properties (the page set-up's fixed list): kept,
    // and read back by number.
    virtual void Eigenschaft(int32_t nummer, const QVariant& wert) = 0;
    virtual QVariant Eigenschaft(int32_t nummer) const = 0;
    virtual void Sichtbar(bool sichtbar) = 0;
    virtual void Ablagetext(const QString& text) = 0;
    virtual void Dokumenttitel(const QString& titel) = 0;
    virtual QString Dokumenttitel() const = 0;

    // ---- preview, printer, files ----
    // Shows the preview, from which the user prints.
    virtual void Druckvorschau() = 0;
    // The printer dialog.
    virtual void Druckereinrichtung() = 0;
    // The save dialog: false when cancelled or failed (nothing chosen);
    // on true, angabe holds the chosen name and type.
    virtual bool SpeichernDialog(const QString& titel, Dateiangabe& angabe) = 0;
    // Writes the sheet; false with a reason in *fehler when it failed. The
    // old file of that name survives any failure.
    virtual bool DateiSchreiben(const QString& dateiname, int dateityp, QString* fehler = nullptr) = 0;
};

} // namespace sheet
