#include "platform/sheet/blattsteuerung.h"
#include "platform/sheet/seiten.h"

#include <gtest/gtest.h>

using namespace sheet;

namespace {

// A4 portrait, margins 0.7 top and bottom, 0.4 left and right: 14,822
// twips of height, 10,754 of width; at the print scale 100 % a sheet
// prints at 85 %: 17,437 twips of the sheet tall (68 rows of 255).
void seite(BlattSteuerung& t, int32_t zeilen)
{
    t.Seitenrand(RandOben, 0.7);
    t.Seitenrand(RandUnten, 0.7);
    t.Seitenrand(RandLinks, 0.4);
    t.Seitenrand(RandRechts, 0.4);
    t.Spaltenbreite(1, 5000);
    for (int32_t r = 1; r <= zeilen; ++r) {
        t.Zeile(r);
        t.Spalte(1);
        t.Zellwert(r);
    }
}

struct Erwartet { int32_t titelVon, titelBis, von, bis; };

void vergleiche(const Seitenplan& p, std::initializer_list<Erwartet> e)
{
    ASSERT_EQ(p.seiten.size(), e.size());
    size_t i = 0;
    for (const Erwartet& x : e) {
        const Druckseite& s = p.seiten[i++];
        EXPECT_EQ(s.titelVon, x.titelVon) << "Seite " << i;
        EXPECT_EQ(s.titelBis, x.titelBis) << "Seite " << i;
        EXPECT_EQ(s.vonZeile, x.von) << "Seite " << i;
        EXPECT_EQ(s.bisZeile, x.bis) << "Seite " << i;
    }
}

} // namespace

TEST(Seiten, TitleRowsRepeatAndManualBreaksEndPages)
{
    BlattSteuerung t;
    seite(t, 120);
    vergleiche(paginiere(t.blatt()), {{0, 0, 1, 68}, {0, 0, 69, 120}});

    // Rows 1 to 4 on top of every later page: 64 body rows fit under them.
    t.DrucktitelLetzteZeile(4);
    t.DrucktitelErsteZeile(1);
    vergleiche(paginiere(t.blatt()), {{0, 0, 1, 68}, {1, 4, 69, 120}});

    t.Seitenumbruch(30);
    vergleiche(paginiere(t.blatt()), {{0, 0, 1, 29}, {1, 4, 30, 93}, {1, 4, 94, 120}});

    // The page set-up's "last title row 0" repeats nothing.
    t.DrucktitelLetzteZeile(0);
    vergleiche(paginiere(t.blatt()), {{0, 0, 1, 29}, {0, 0, 30, 97}, {0, 0, 98, 120}});
}

TEST(Seiten, ATitleOfRowOneIsNotRepeatedAboveItself)
{
    BlattSteuerung t;
    seite(t, 120);
    t.DrucktitelLetzteZeile(1);
    t.DrucktitelErsteZeile(1);
    // Row 1 starts the first page itself; 67 body rows fit under it later.
    vergleiche(paginiere(t.blatt()), {{0, 0, 1, 68}, {1, 1, 69, 120}});
    t.Seitenumbruch(1);
    vergleiche(paginiere(t.blatt()), {{0, 0, 1, 68}, {1, 1, 69, 120}});
    t.Seitenumbruch(2);
    vergleiche(paginiere(t.blatt()), {{0, 0, 1, 1}, {1, 1, 2, 68}, {1, 1, 69, 120}});
}

TEST(Seiten, ScaleAndFitToPages)
{
    BlattSteuerung t;
    seite(t, 120);
    for (int32_t c = 1; c <= 10; ++c)
        t.Spaltenbreite(c, 1490);   // 14,900 twips in all
    t.Zeile(1); t.Spalte(10); t.Zelltext(QStringLiteral("x"));
    int16_t prozent = 80;
    t.Druckskalierung(prozent, true, 1, 0);
    EXPECT_DOUBLE_EQ(druckmassstab(t.blatt()), 0.72);
    Seitenplan p = paginiere(t.blatt());
    EXPECT_EQ(p.seiten.front().bisSpalte, 10);
    EXPECT_EQ(p.seiten.front().bisZeile, 80);            // 14,822 / 0.72 / 255 = 80.7 rows
    // One page wide and tall: the whole sheet shrinks onto one page.
    t.Druckskalierung(prozent, true, 1, 1);
    EXPECT_EQ(paginiere(t.blatt()).seiten.size(), 1u);
    // No fitting: 85 % of the print scale; at 100 % the columns
    // split in two strips, pages down first, then across.
    prozent = 100;
    t.Druckskalierung(prozent, false, 0, 0);
    p = paginiere(t.blatt());
    ASSERT_EQ(p.seiten.size(), 4u);
    EXPECT_EQ(p.seiten[0].bisSpalte, 8);                 // 8 * 1490 = 11,920 <= 10,754 / 0.85
    EXPECT_EQ(p.seiten[2].vonSpalte, 9);
    EXPECT_EQ(p.seiten[2].vonZeile, 1);
    // Landscape: 11,906 - 2,016 = 9,890 twips high, 11,635 at 85 %: 45 rows.
    t.Querformat(true);
    EXPECT_EQ(paginiere(t.blatt()).seiten.front().bisZeile, 45);
}

TEST(Seiten, HeaderAndFooterCodes)
{
    const QDateTime jetzt(QDate(2016, 3, 7), QTime(9, 5));
    KopfFuss k = loeseCodes(QStringLiteral("&L&A links&CSeite &P von &N&R&D &T &&"), 2, 5,
                            QStringLiteral("Kilometrika 2016"), jetzt);
    EXPECT_EQ(k.links, QStringLiteral("Kilometrika 2016 links"));
    EXPECT_EQ(k.mitte, QStringLiteral("Seite 2 von 5"));
    EXPECT_EQ(k.rechts, QStringLiteral("07.03.2016 09:05 &"));
    // No section code: centre. A doubled "&" in a name prints once.
    k = loeseCodes(QStringLiteral("&A Halter: Müller && Söhne"), 1, 1, QStringLiteral("B"), jetzt);
    EXPECT_EQ(k.mitte, QStringLiteral("B Halter: Müller & Söhne"));
    EXPECT_TRUE(k.links.isEmpty());
}

TEST(Seiten, AYearOf54000RowsPagesWithoutLimit)
{
    BlattSteuerung t;
    seite(t, 54000);
    t.DrucktitelErsteZeile(1);
    t.DrucktitelLetzteZeile(4);
    const Seitenplan p = paginiere(t.blatt());
    // 68 rows on the first page, then 64 under the titles.
    EXPECT_EQ(p.seiten.size(), size_t(1 + (54000 - 68 + 63) / 64));
    EXPECT_EQ(p.seiten.back().bisZeile, 54000);
}
