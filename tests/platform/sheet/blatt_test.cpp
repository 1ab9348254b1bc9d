#include "platform/sheet/blattsteuerung.h"
#include "platform/sheet/schreiber.h"
#include "platform/sheet/seiten.h"

#include <QDir>

#include <QLocale>
#include <gtest/gtest.h>

using namespace sheet;

namespace {

struct Englisch {
    Englisch() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~Englisch() { QLocale::setDefault(QLocale::system()); }
};

void put(BlattSteuerung& t, int32_t r, int32_t c) { t.Zeile(r); t.Spalte(c); }

} // namespace

TEST(Blatt, NumbersShowGermanWhateverTheLocale)
{
    Englisch e;
    struct Fall { double wert; const char* format; const char* text; };
    const Fall faelle[] = {
        {42370, "dd/mm/yyyy", "01.01.2016"},
        {42735.75, "dd/mm/yyyy", "31.12.2016"},
        {1234.5, "#,##0.00", "1.234,50"},
        {84.99999999999999, "#,##0.00", "85,00"},
        {-1234567.125, "#,##0.00", "-1.234.567,13"},
        {2.5, "0", "3"},
        {123456, "0", "123456"},
        {1.5, "", "1,5"},
        {42370, "", "42370"},
    };
    BlattSteuerung t;
    int32_t r = 1;
    for (const Fall& f : faelle) {
        put(t, r, 2);
        t.Zahlenformat(QString::fromLatin1(f.format));
        t.Zellwert(f.wert);
        EXPECT_EQ(t.blatt().anzeigetext(r, 2), QString::fromLatin1(f.text)) << f.wert << " " << f.format;
        ++r;
    }
    // A number put as text stays text.
    put(t, 20, 1);
    t.Zelltext(QStringLiteral(" 3"));
    EXPECT_EQ(t.blatt().anzeigetext(20, 1), QStringLiteral(" 3"));
}

TEST(Blatt, TheSumFollowsAChangeOfItsRange)
{
    BlattSteuerung t;
    put(t, 2, 6); t.Zellwert(10.5);
    put(t, 3, 6); t.Zelltext(QStringLiteral("kein Betrag"));
    put(t, 4, 6); t.Zellwert(4);
    put(t, 5, 6); t.Zahlenformat(QStringLiteral("#,##0.00")); t.Zellformel(QStringLiteral("=SUM(F2:F4)"));
    EXPECT_EQ(t.blatt().anzeigetext(5, 6), QStringLiteral("14,50"));
    put(t, 3, 6); t.Zellwert(1000);
    EXPECT_EQ(t.blatt().anzeigetext(5, 6), QStringLiteral("1.014,50"));
    // Without "=", lower case, corners swapped: the same range.
    put(t, 6, 6); t.Zellformel(QStringLiteral("sum(f4:F2)"));
    EXPECT_EQ(t.blatt().finde(6, 6)->text, QStringLiteral("SUM(F2:F4)"));
    EXPECT_DOUBLE_EQ(t.blatt().wert(*t.blatt().finde(6, 6)), 1014.5);
    // Anything else is kept as the text it was.
    put(t, 7, 6); t.Zellformel(QStringLiteral("=F2*2"));
    EXPECT_EQ(t.blatt().anzeigetext(7, 6), QStringLiteral("=F2*2"));
}

TEST(Blatt, FramesKeepSidesAndShareEdges)
{
    BlattSteuerung t;
    put(t, 2, 2);
    t.Zellrahmen(1, 1, 1, 1, 1, 1, 3, 1, 1, 1, 1);          // outline: all four
    EXPECT_EQ(t.blatt().finde(2, 2)->rahmen, Links | Rechts | Oben | Unten);
    t.Zellrahmen(-1, 0, -1, -1, -1, 1, 3, 1, 1, 1, 1);      // only the left goes
    EXPECT_EQ(t.blatt().finde(2, 2)->rahmen, Rechts | Oben | Unten);
    t.Zellrahmen(-1, 0, 0, 0, 1, 1, 3, 1, 1, 1, 1);         // the page set-up's underline
    EXPECT_EQ(t.blatt().finde(2, 2)->rahmen, Unten);
    // The neighbour below shows the shared edge as its top; one to the right
    // of a right-framed cell shows it as its left.
    put(t, 5, 1);
    t.Zellrahmen(-1, 0, 1, 0, 0, 1, 3, 1, 1, 1, 1);
    EXPECT_EQ(kanten(t.blatt(), 3, 2), Oben);
    EXPECT_EQ(kanten(t.blatt(), 5, 2), Links);
    EXPECT_EQ(kanten(t.blatt(), 5, 1), Rechts);
    EXPECT_EQ(kanten(t.blatt(), 4, 4), 0);
}

TEST(Blatt, TextRunsIntoEmptyNeighboursOnly)
{
    BlattSteuerung t;
    for (int32_t c = 1; c <= 6; ++c)
        t.Spaltenbreite(c, 1000);
    put(t, 1, 1); t.Zelltext(QStringLiteral("Fahrtarten: 1=Fahrten z. Wohn- und Arbeitsstätte"));
    put(t, 1, 2); t.Zelltext(QString());                   // empty text: no obstacle
    put(t, 1, 4); t.Zellwert(7);
    put(t, 2, 3); t.Ausrichtung(4); t.Zelltext(QStringLiteral("rechtsbündig"));
    put(t, 3, 1); t.Zellwert(123456789);
    int32_t von, bis;
    laufbereich(t.blatt(), 1, 1, 5500, 1, 6, von, bis);
    EXPECT_EQ(von, 1); EXPECT_EQ(bis, 3);                  // stops before the number in D1
    laufbereich(t.blatt(), 2, 3, 2500, 1, 6, von, bis);
    EXPECT_EQ(von, 1); EXPECT_EQ(bis, 3);                  // right-aligned runs to the left
    laufbereich(t.blatt(), 3, 1, 5000, 1, 6, von, bis);
    EXPECT_EQ(bis, 1);                                     // numbers never run over
    laufbereich(t.blatt(), 1, 1, 800, 1, 6, von, bis);
    EXPECT_EQ(bis, 1);                                     // fits: stays in its cell
}

TEST(Blatt, RowsAndColumnsAre32Bit)
{
    BlattSteuerung t;
    put(t, 100000, 3); t.Zellwert(1);
    put(t, 2000000000, 70000); t.Zelltext(QStringLiteral("weit"));
    EXPECT_EQ(t.blatt().letzteZeile(), 2000000000);
    EXPECT_EQ(t.blatt().letzteSpalte(), 70000);
    EXPECT_EQ(t.blatt().anzeigetext(2000000000, 70000), QStringLiteral("weit"));
    // Pages only where cells are; a workbook refuses what it cannot hold.
    t.Spaltenbreite(70000, 1);
    for (int32_t c = 4; c < 70000; ++c)
        t.Spaltenbreite(c, 0);
    EXPECT_LE(paginiere(t.blatt()).seiten.size(), 6u);
    QString fehler;
    EXPECT_FALSE(schreibeArbeitsmappe(t.blatt(), QDir::temp().filePath(QStringLiteral("kmk-zu-gross.xlsx")), &fehler));
    EXPECT_FALSE(fehler.isEmpty());
    int32_t r, c;
    ASSERT_TRUE(zellname(QStringLiteral("$AB$16385"), r, c));
    EXPECT_EQ(r, 16385); EXPECT_EQ(c, 28);
    EXPECT_EQ(spaltenname(28), QStringLiteral("AB"));
    EXPECT_FALSE(zellname(QStringLiteral("A0"), r, c));
    EXPECT_FALSE(zellname(QStringLiteral("12"), r, c));
    t.Zuruecksetzen();
    EXPECT_EQ(t.blatt().letzteZeile(), 0);
}

TEST(Blatt, OneDefaultRowHeightReplacesTheRowsOwn)
{
    BlattSteuerung t;
    t.Zeilenhoehe(5, 500);
    EXPECT_EQ(t.blatt().zeilenhoehe(5), 500);
    t.Standardzeilenhoehe(260);
    EXPECT_EQ(t.blatt().zeilenhoehe(5), 260);
    EXPECT_EQ(t.blatt().zeilenhoehe(15000), 260);
    EXPECT_TRUE(t.blatt().zeilenhoehen().empty());
}

TEST(Blatt, ColumnNamesAcrossTheLetterBoundaries)
{
    const std::pair<int32_t, const char*> faelle[] = {
        {1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {702, "ZZ"},
    };
    for (const auto& [spalte, name] : faelle) {
        EXPECT_EQ(spaltenname(spalte), QString::fromLatin1(name)) << spalte;
        int32_t r = 0, c = 0;
        ASSERT_TRUE(zellname(QString::fromLatin1(name) + QStringLiteral("1"), r, c)) << name;
        EXPECT_EQ(c, spalte) << name;
    }
}
