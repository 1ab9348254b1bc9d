// The shared pieces of the trip tables: filters, range, trip-type cells and
// reading a trip file.

#include "app/printout/tables/bausatz.h"
#include "platform/sheet/recordingsheet.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kmk;
using namespace kmk::tabellen;

namespace {

FahrtDatensatz fahrt(quint8 art, const QString& kontakt = QStringLiteral("Meier"))
{
    FahrtDatensatz f;
    f.Fahrtart = art;
    f.Gespraechspartner = kontakt.leftJustified(50, QLatin1Char(' '));
    f.MitPauschale = -1;
    return f;
}

} // namespace

TEST(Tabellenbausatz, ContactAndTripTypeFilterAsTheEvaluationPageSetsThem)
{
    const QString alle = QStringLiteral(" Alle Datensätze anzeigen");
    const QString meierZeile = QStringLiteral("Meier").leftJustified(50) + QStringLiteral("  7 ");
    struct Fall {
        const char* was;
        QString label;
        QString kunde;
        quint8 art;
        FahrtDatensatz satz;
        bool durch;
    } faelle[] = {
        {"all-records row ignores the contact", alle, "Schulz", 0, fahrt(3), true},
        {"empty label ignores the contact", "", "Schulz", 0, fahrt(3), true},
        {"all-records row with the list's padding", alle + QString(29, ' ') + "  0 ", "Schulz", 0, fahrt(3), true},
        {"chosen contact matches", meierZeile, "Meier", 0, fahrt(3), true},
        {"another contact is dropped", meierZeile, "Schulz", 0, fahrt(3), false},
        {"letter case makes another contact", meierZeile, "meier", 0, fahrt(3), false},
        {"blank row filters on the empty contact", QStringLiteral(" ").repeated(50) + " 12 ", "", 0, fahrt(3, ""), true},
        {"blank row drops a named contact", QStringLiteral(" ").repeated(50) + " 12 ", "", 0, fahrt(3), false},
        {"type 3 keeps type 3", alle, "", 3, fahrt(3), true},
        {"type 3 drops type 2", alle, "", 3, fahrt(2), false},
        {"type filter drops the old type 0", alle, "", 3, fahrt(0), false},
        {"no type filter keeps type 0", alle, "", 0, fahrt(0), true},
        {"type 4 only", alle, "", 4, fahrt(4), true},
    };
    for (const Fall& f : faelle) {
        Filter filter{f.label, f.kunde, f.art};
        EXPECT_EQ(filter.laesstDurch(f.satz), f.durch) << f.was;
    }
}

TEST(Tabellenbausatz, PrintRangeIncludesBothEnds)
{
    Tabellenkontext k;
    k.bereich = {42370, 42400};
    k.filter.label49 = QStringLiteral(" Alle Datensätze anzeigen");
    FahrtDatensatz f = fahrt(3);
    for (auto [tag, drin] : {std::pair{42369, false}, {42370, true}, {42385, true}, {42400, true}, {42401, false}}) {
        f.DatumAb = tag;
        f.DatumAn = 42401;  // an arrival after the range does not matter
        EXPECT_EQ(k.nimmt(f), drin) << tag;
    }
}

TEST(Tabellenbausatz, JournalMarkWithItsDayOrTheWordAloneWithoutOne)
{
    const struct { quint8 status; qint32 tag; const char* vermerk; } faelle[] = {
        {1, 42383, "storniert 14.01.2016"}, {2, 42383, "Korrektur 14.01.2016"}, {1, 2, "storniert 01.01.1900"},
        {1, 1, "storniert"}, {1, 0, "storniert"}, {2, 0, "Korrektur"}, {2, -7, "Korrektur"}, {0, 42383, ""},
        {3, 42383, ""},
    };
    for (const auto& f : faelle) {
        FahrtDatensatz s = fahrt(3);
        s.Eintragsstatus = f.status;
        s.Statusdatum = f.tag;
        EXPECT_EQ(Statusvermerk(s), QString::fromUtf8(f.vermerk)) << int(f.status) << " " << f.tag;
    }
}

TEST(Tabellenbausatz, TripTypeCellOfTheOneRowTables)
{
    struct Fall {
        quint8 art, sonder;
        qint16 pauschale;
        Artzelle zelle;
    } faelle[] = {
        {1, 0, -1, {Artzelle::Zahl, 1, {}}},
        {2, 1, 0, {Artzelle::Zahl, 2, {}}},
        {5, 2, -1, {Artzelle::Zahl, 5, {}}},
        {0, 0, -1, {Artzelle::Text, 3, " 3  k. So."}},
        {3, 1, -1, {Artzelle::Text, 3, " 3 So. Ab."}},
        {3, 2, -1, {Artzelle::Text, 3, " 3 So. An."}},
        {3, 0, -1, {Artzelle::Text, 3, " 3  k. So."}},
        {4, 1, 0, {Artzelle::Text, 4, " 4  k.P.l.G."}},
        {3, 7, 0, {Artzelle::Text, 3, " 3  k.P.l.G."}},
        {3, 7, -1, {}},
        {4, 3, 1, {}},
        {9, 0, -1, {}},
    };
    for (const Fall& f : faelle) {
        FahrtDatensatz s = fahrt(f.art);
        s.Sonderfahrt = f.sonder;
        s.MitPauschale = f.pauschale;
        EXPECT_EQ(Fahrtartzelle(s), f.zelle) << int(f.art) << "/" << int(f.sonder) << "/" << f.pauschale;
    }
}

TEST(Tabellenbausatz, TripTypeLineOfTheFullTable)
{
    struct Fall {
        quint8 art, sonder;
        qint16 pauschale;
        const char* text;
    } faelle[] = {
        {1, 1, -1, "Fahrt zwischen Wohn- und Arbeitsstätte"},
        {2, 0, 0, "Privatfahrt"},
        {5, 2, -1, "Familienheimfahrt"},
        {0, 1, -1, "Geschäftsfahrt / Sonderfahrt / Stundenmehrheit am Abfahrtstag"},
        {4, 2, -1, "Fahrt i. Zshg. m. stfr. Umsätzen / Sonderfahrt / Stundenmehrheit am Ankunftstag"},
        {3, 0, -1, "Geschäftsfahrt / keine Sonderfahrt"},
        {3, 1, 0, "Geschäftsfahrt / keine Pauschale laut Grundeinstellung"},
        {3, 6, -1, "Geschäftsfahrt"},
        {7, 0, -1, ""},
    };
    for (const Fall& f : faelle) {
        FahrtDatensatz s = fahrt(f.art);
        s.Sonderfahrt = f.sonder;
        s.MitPauschale = f.pauschale;
        EXPECT_EQ(Fahrtartlangtext(s), QString::fromUtf8(f.text));
    }
}

TEST(Tabellenbausatz, TripFileIsReadWholeRecordsOnlyAndAMissingFileIsEmpty)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath("Auto1_16.dat");
    EXPECT_TRUE(FahrtenLesen(pfad).empty());
    EXPECT_FALSE(QFile::exists(pfad));

    QByteArray bytes;
    for (int i = 1; i <= 3; ++i) {
        FahrtDatensatz f = fahrt(3);
        f.KmAb = 1000 * i;
        bytes += f.zuBytes();
    }
    bytes += QByteArray(100, 'x');  // a torn last record
    QFile out(pfad);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();

    const auto fahrten = FahrtenLesen(pfad);
    ASSERT_EQ(fahrten.size(), 3u);
    EXPECT_EQ(fahrten[2].nummer, 3);
    EXPECT_EQ(fahrten[2].satz.KmAb, 3000);
}

TEST(Tabellenbausatz, ATripRowIsEightPointAlignedByColumnAndSkipsAColumnWithoutContent)
{
    using T = sheet::Tabellenblatt;
    const std::vector<Spalte> s = {
        {1000, {}, {}, 1, [](T& t, const FahrtDatensatz& f) { t.Zelltext(f.Von); }},
        {800, {}, {}, 3, nullptr},
        {800, {}, {}, 3, [](T& t, const FahrtDatensatz& f) { t.Zellwert(f.GefahreneKm); }},
    };
    FahrtDatensatz f = fahrt(3);
    f.Von = QStringLiteral("Köln");
    f.GefahreneKm = 42;
    sheet::RecordingSheet t;
    Datenzeile(t, 7, s, f);
    const sheet::Blatt& b = t.blatt();
    ASSERT_TRUE(b.finde(7, 1) && b.finde(7, 3));
    EXPECT_EQ(b.finde(7, 1)->text, "Köln");
    EXPECT_EQ(b.finde(7, 1)->ausrichtung, 1);
    EXPECT_EQ(b.finde(7, 3)->zahl, 42);
    EXPECT_EQ(b.finde(7, 3)->ausrichtung, 3);
    for (int spalte : {1, 3})
        EXPECT_EQ(b.finde(7, spalte)->groesse, 8);
    EXPECT_EQ(b.finde(7, 2), nullptr);
}
