#pragma once
// The sheet model behind the spreadsheet control: sparse cells with their
// formats, the columns, the page and the print settings. No widgets and no
// fonts, so the paginator and the writers work on it alone.
//
//   sheet::Blatt b;
//   b.zelle(5, 2).setzeZahl(42370);                 // row 5, column 2
//   b.zelle(5, 2).format = b.formatNummer("dd/mm/yyyy");
//   QString s = b.anzeigetext(5, 2);                  // "01.01.2016"
//
// Rows and columns are 32-bit and count from 1. A row is stored only when a
// cell in it was touched; the rows sit in a map, the cells of a row in a
// vector sorted by column (tables are narrow).

#include <QString>
#include <QVariant>

#include <cstdint>
#include <map>
#include <vector>

namespace sheet {

// Default column width in twips (a spreadsheet's 8.43 characters).
inline constexpr int kStandardbreite = 1300;
// Default row height in twips.
inline constexpr int kStandardhoehe = 255;
// Default size of the sheet's font, in points.
inline constexpr int kStandardgroesse = 10;

enum Seite : uint8_t { Links = 1, Rechts = 2, Oben = 4, Unten = 8 };

struct Zelle {
    enum class Art : uint8_t { Leer, Text, Zahl, Formel };
    Art art = Art::Leer;
    bool fett = false;
    uint8_t groesse = 0;        // points; 0 = the sheet's default
    uint8_t ausrichtung = 0;    // the control's code (tabellenblatt.h)
    uint8_t rahmen = 0;         // Seite bits
    uint16_t format = 0;        // index into Blatt::formate(); 0 = general
    double zahl = 0;            // number, or the last value of the formula
    QString text;               // text, or the formula as given

    // A formula: SUM over a rectangle, resolved when the text is put.
    int32_t vonZeile = 0, vonSpalte = 0, bisZeile = 0, bisSpalte = 0;

    void setzeText(const QString& t) { art = Art::Text; text = t; }
    void setzeZahl(double v) { art = Art::Zahl; zahl = v; text.clear(); }
    bool leer() const { return art == Art::Leer; }
    // Content that a neighbour's text may not run over.
    bool hatInhalt() const { return art != Art::Leer && !(art == Art::Text && text.isEmpty()); }
};

// How the printed page is set up.
struct Seitenformat {
    bool quer = false;
    int papier = 9;                      // the printer's paper code; 9 = A4
    double randLinks = 0.75, randRechts = 0.75, randOben = 1.0, randUnten = 1.0;  // inches
    double abstandKopf = 0.5, abstandFuss = 0.5;
    QString kopfzeile;
    QString fusszeile;
    int skalierung = 100;                // percent
    bool anpassen = false;               // fit to pages
    int seitenBreit = 1, seitenHoch = 1; // 0 = as many as needed
    int32_t titelVon = 0, titelBis = 0;  // rows repeated on every page
};

class Blatt {
public:
    Blatt();

    // A fresh sheet: no cells, default columns and page.
    void leeren();

    // The cell, created when missing.
    Zelle& zelle(int32_t zeile, int32_t spalte);
    // The cell, or nullptr.
    const Zelle* finde(int32_t zeile, int32_t spalte) const;

    using ZeilenZellen = std::vector<std::pair<int32_t, Zelle>>;
    const std::map<int32_t, ZeilenZellen>& zeilen() const { return m_zeilen; }
    // Highest row and column holding a cell (0 when empty).
    int32_t letzteZeile() const;
    int32_t letzteSpalte() const { return m_letzteSpalte; }

    // Number formats: index 0 is the general format.
    uint16_t formatNummer(const QString& format);
    const std::vector<QString>& formate() const { return m_formate; }
    const QString& format(uint16_t nummer) const { return m_formate[nummer]; }

    // Puts a formula into the cell: "SUM(B2:B9)" with or without "=";
    // false (and the cell keeps it as text) when it is not one.
    bool setzeFormel(int32_t zeile, int32_t spalte, const QString& formel);
    // Value of a cell for display and writing (formulas summed now).
    double wert(const Zelle& z) const;

    // What the cell shows, German whatever the machine's locale.
    QString anzeigetext(const Zelle& z) const;
    QString anzeigetext(int32_t zeile, int32_t spalte) const;

    // Columns and rows, in twips.
    void setzeSpaltenbreite(int32_t spalte, int twips);
    int spaltenbreite(int32_t spalte) const;
    void setzeZeilenhoehe(int32_t zeile, int twips);
    int zeilenhoehe(int32_t zeile) const;
    void setzeStandardhoehe(int twips);
    int standardhoehe() const { return m_standardhoehe; }
    // Rows that have a height of their own.
    const std::map<int32_t, int>& zeilenhoehen() const { return m_hoehen; }
    const std::map<int32_t, int>& spaltenbreiten() const { return m_breiten; }

    // Manual page breaks: a page ends before each of these rows.
    void setzeUmbruch(int32_t zeile) { m_umbrueche.push_back(zeile); m_umbruecheSortiert = false; }
    const std::vector<int32_t>& umbrueche() const;

    QString name = QStringLiteral("Tabelle1");
    QString dokumenttitel;
    Seitenformat seite;
    int zoom = 100;
    // The other numbered properties, by number.
    std::map<int32_t, QVariant> eigenschaften;

    // Size of the used area, for the writers.
    int32_t zellenAnzahl() const;

private:
    std::map<int32_t, ZeilenZellen> m_zeilen;
    // Row last written: builders write a row cell after cell.
    mutable int32_t m_cacheZeile = 0;
    ZeilenZellen* m_cache = nullptr;
    int32_t m_letzteSpalte = 0;
    std::vector<QString> m_formate;
    std::map<int32_t, int> m_breiten;
    std::map<int32_t, int> m_hoehen;
    int m_standardhoehe = kStandardhoehe;
    mutable std::vector<int32_t> m_umbrueche;
    mutable bool m_umbruecheSortiert = true;
};

// German display of a number in one of the control's formats: "dd/mm/yyyy"
// (a day number, day 0 = 30.12.1899), "#,##0.00", "0", "0.00"; the general
// format shows up to ten significant digits with a decimal comma.
QString formatiere(double wert, const QString& format);

// "B12" -> row 12, column 2. False when it is not a cell name.
bool zellname(const QString& s, int32_t& zeile, int32_t& spalte);
// 1 -> "A", 27 -> "AA".
QString spaltenname(int32_t spalte);

} // namespace sheet
