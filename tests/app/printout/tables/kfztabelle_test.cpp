// Logbook of a company car on the recording double.

#include "app/printout/tables/tabellen.h"
#include "arbeitsjahr.h"
#include "platform/sheet/recordingsheet.h"

#include <gtest/gtest.h>

using namespace kmk;
using namespace kmk::tabellen;
using namespace testjahr;

namespace {

std::vector<FahrtDatensatz> woche()
{
    std::vector<FahrtDatensatz> f;
    f.push_back(fahrt(J4 - 1, "Vorher", 3, 9900, 100));            // before the range
    f.push_back(fahrt(J4, "Meier", 3, 10000, 120));
    f.back().Sonderfahrt = 1;
    f.back().Teilpauschale2 = 6;
    f.back().PauschaleGesamt = 6;
    f.push_back(fahrt(J4 + 1, "Schulz", 4, 10120, 80));
    f.back().MitPauschale = 0;
    f.push_back(fahrt(J4 + 2, "Meier", 0, 10200, 30));               // old record: type 0
    f.push_back(fahrt(J4 + 3, "Meier", 2, 10230, 15));
    f.push_back(fahrt(J4 + 4, "meier", 3, 10245, 55));
    f.back().Sonderfahrt = 5;                                          // unknown value
    f.back().DatumAn = J4 + 5;                                         // arrives after the range
    f.push_back(fahrt(J4 + 5, "Meier", 3, 10300, 10));               // after the range
    return f;
}

QStringList zeile(const sheet::Blatt& b, int z, int spalten)
{
    QStringList l;
    for (int s = 1; s <= spalten; ++s)
        l << b.anzeigetext(z, s).trimmed();
    return l;
}

} // namespace

TEST(KFZTabelle, HeadingsFollowTheTimeAndAllowanceSettings)
{
    struct Fall {
        qint16 ohneZeiten, pauschale;
        QStringList kopf3, kopf4;
    } faelle[] = {
        {-1, -1,
         {"", "Abfahrt", "Abfahrt", "", "", "", "", "Ankunft", "Ankunft", "Gefahr.", "Fahrt", "Änderungs"},
         {"Gesprächspartner", "Datum", "km", "Grund", "Von", "Über", "Nach", "Datum", "km", "km", "Art", "Datum"}},
        {0, 0,
         {"", "Abfahrt", "Abfahrt", "Abfahrt", "", "", "", "", "Ankunft", "Ankunft", "Ankunft", "Gefahr.", "Gefahr.",
          "Fahrt", "Änderungs"},
         {"Gesprächspartner", "Datum", "Zeit", "km", "Grund", "Von", "Über", "Nach", "Datum", "Zeit", "km", "km", "Zeit",
          "Art", "Datum"}},
        {0, -1,
         {"", "Abfahrt", "Abfahrt", "Abfahrt", "", "", "", "", "Ankunft", "Ankunft", "Ankunft", "Gefahr.", "Gefahr.",
          "Verpfle.", "Gesamt", "Fahrt", "Änderungs"},
         {"Gesprächspartner", "Datum", "Zeit", "km", "Grund", "Von", "Über", "Nach", "Datum", "Zeit", "km", "km", "Zeit",
          "zuschuß", "Verpfl.", "Art", "Datum"}},
    };
    for (const Fall& f : faelle) {
        Jahr j;
        j.schreibe(woche());
        j.k.vor.OhneZeiten = f.ohneZeiten;
        j.k.vor.MitVerpflegungspauschale = f.pauschale;
        sheet::RecordingSheet t;
        ASSERT_EQ(KFZTabelle(t, j.k), Bau::Gebaut);
        const int n = f.kopf4.size();
        EXPECT_EQ(zeile(t.blatt(), 3, n), f.kopf3);
        EXPECT_EQ(zeile(t.blatt(), 4, n), f.kopf4);
        EXPECT_EQ(t.blatt().anzeigetext(4, n + 1), "");
        EXPECT_EQ(t.blatt().letzteSpalte(), n);
        EXPECT_TRUE(t.blatt().finde(4, 1)->fett);
        EXPECT_EQ(t.blatt().finde(3, 2)->ausrichtung, 3);
    }
    Jahr j;
    j.schreibe(woche());
    j.k.vor.Journalfunktion = -1;
    sheet::RecordingSheet t;
    KFZTabelle(t, j.k);
    EXPECT_EQ(t.blatt().anzeigetext(3, 17), "Journal");
}

TEST(KFZTabelle, RowsOfTheRangeWithTheirCellsLegendsAndPage)
{
    Jahr j;
    j.schreibe(woche());
    sheet::RecordingSheet t;
    ASSERT_EQ(KFZTabelle(t, j.k), Bau::Gebaut);
    const sheet::Blatt& b = t.blatt();

    EXPECT_EQ(b.name, "Kilometrika 2016");
    EXPECT_TRUE(b.seite.quer);
    EXPECT_EQ(b.seite.titelVon, 1);
    EXPECT_EQ(b.seite.titelBis, 4);
    EXPECT_EQ(b.anzeigetext(1, 1),
              QStringLiteral("Fahrtarten: 1=Fahrten z. Wohn- und Arbeitsstätte 2=Privatfahrten 3=Geschäftsfahrten "
                             "4= Fahrten i. Zshg. m. stfr. Umsätzen  5=Familienheimfahrten"));
    EXPECT_EQ(b.anzeigetext(2, 1),
              QStringLiteral("Abkürzungen:  (So.) = Sonderfahrten (An.) = Stundenmehrheit am Ankunftstag  "
                             "(Ab.) = Stundenmehrheit am Abfahrtstag  (k.P.l.G.) = keine Pauschale laut "
                             "Grundeinstellung"));
    EXPECT_EQ(t.protokoll("Spaltenbreite").join(" "),
              "Spaltenbreite(1, 1800) Spaltenbreite(2, 1200) Spaltenbreite(3, 800) Spaltenbreite(4, 800) "
              "Spaltenbreite(5, 1600) Spaltenbreite(6, 1600) Spaltenbreite(7, 1600) Spaltenbreite(8, 1600) "
              "Spaltenbreite(9, 1200) Spaltenbreite(10, 800) Spaltenbreite(11, 800) Spaltenbreite(12, 800) "
              "Spaltenbreite(13, 800) Spaltenbreite(14, 800) Spaltenbreite(15, 800) Spaltenbreite(16, 1000) "
              "Spaltenbreite(17, 1700)");

    // Both ends of the range, the late arrival included; nothing else.
    EXPECT_EQ(zeile(b, 5, 17), (QStringList{"Meier", "04.01.2016", "08:00", "10000", "Kundenbesuch", "Münster", "A1",
                                             "Köln", "04.01.2016", "17:30", "10120", "120", "9,30", "6", "6",
                                             "3 So. Ab.", ""}));
    EXPECT_EQ(b.anzeigetext(5, 1), QStringLiteral("Meier").leftJustified(50));  // as stored
    EXPECT_EQ(b.anzeigetext(5, 16), " 3 So. Ab.");
    EXPECT_EQ(b.anzeigetext(6, 16), " 4  k.P.l.G.");
    EXPECT_EQ(b.anzeigetext(6, 14), "");  // no allowance, no zero
    EXPECT_TRUE(b.finde(6, 14)->leer());
    EXPECT_EQ(b.anzeigetext(7, 16), " 3  k. So.");
    EXPECT_EQ(b.anzeigetext(8, 16), "2");
    EXPECT_EQ(b.finde(8, 16)->art, sheet::Zelle::Art::Zahl);
    EXPECT_EQ(b.anzeigetext(9, 1).trimmed(), "meier");
    EXPECT_TRUE(b.finde(9, 16)->leer());  // unknown special-trip value: empty
    EXPECT_EQ(b.anzeigetext(9, 9), "09.01.2016");
    EXPECT_EQ(b.letzteZeile(), 9);
    EXPECT_EQ(b.finde(5, 2)->groesse, 8);
    EXPECT_EQ(b.finde(5, 1)->ausrichtung, 1);
    EXPECT_EQ(b.finde(5, 4)->ausrichtung, 3);
}

TEST(KFZTabelle, ACancelledTripAndItsCorrectionAreMarkedInTheLastColumn)
{
    // The trip of 05.01. corrected on 14.01.2016: the old record cancelled,
    // the correction right after it.
    std::vector<FahrtDatensatz> f = woche();
    f[1].Eintragsstatus = 1;
    f[1].Statusdatum = J4 + 10;
    FahrtDatensatz korrektur = f[1];
    korrektur.Eintragsstatus = 2;
    korrektur.Grund = QStringLiteral("Kundenbesuch Korrektur").leftJustified(50);
    f.insert(f.begin() + 2, korrektur);
    struct Fall { qint16 ohneZeiten, pauschale; int spalten; } faelle[] = {{-1, -1, 12}, {0, 0, 15}, {0, -1, 17}};
    for (const Fall& fall : faelle) {
        Jahr j;
        j.schreibe(f);
        j.k.vor.OhneZeiten = fall.ohneZeiten;
        j.k.vor.MitVerpflegungspauschale = fall.pauschale;
        sheet::RecordingSheet t;
        ASSERT_EQ(KFZTabelle(t, j.k), Bau::Gebaut);
        const sheet::Blatt& b = t.blatt();
        const int n = fall.spalten;
        EXPECT_EQ(b.anzeigetext(5, n), "storniert 14.01.2016") << n;
        EXPECT_EQ(b.anzeigetext(6, n), "Korrektur 14.01.2016") << n;
        for (int z : {5, 6}) {
            ASSERT_NE(b.finde(z, n), nullptr) << z;
            EXPECT_EQ(b.finde(z, n)->groesse, 8);
            EXPECT_EQ(b.finde(z, n)->ausrichtung, 3);
        }
        for (int z = 7; z <= b.letzteZeile(); ++z)
            EXPECT_EQ(b.finde(z, n), nullptr) << z;   // a normal entry: nothing
        EXPECT_EQ(b.letzteZeile(), 10);
        EXPECT_EQ(b.spaltenbreite(n), 1700);
    }
}

TEST(KFZTabelle, FiltersPickTheirTrips)
{
    struct Fall {
        const char* was;
        QString label;
        QString kunde;
        quint8 art;
        QStringList kontakte;
    } faelle[] = {
        {"type 3 only, not the old type 0", " Alle Datensätze anzeigen", "", 3, {"Meier", "meier"}},
        {"type 4", " Alle Datensätze anzeigen", "", 4, {"Schulz"}},
        {"contact Meier, case-sensitive", QStringLiteral("Meier").leftJustified(50) + "  1 ", "Meier", 0,
         {"Meier", "Meier", "Meier"}},
        {"all-records row ignores the chosen name", " Alle Datensätze anzeigen", "Meier", 0,
         {"Meier", "Schulz", "Meier", "Meier", "meier"}},
        {"contact and type", QStringLiteral("Meier").leftJustified(50) + "  1 ", "Meier", 2, {"Meier"}},
    };
    for (const Fall& f : faelle) {
        Jahr j;
        j.schreibe(woche());
        j.k.filter = {f.label, f.kunde.leftJustified(50), f.art};
        sheet::RecordingSheet t;
        KFZTabelle(t, j.k);
        QStringList kontakte;
        for (int z = 5; z <= t.blatt().letzteZeile(); ++z)
            kontakte << t.blatt().anzeigetext(z, 1).trimmed();
        EXPECT_EQ(kontakte, f.kontakte) << f.was;
    }
}

TEST(KFZTabelle, WithoutAStoredTripTheSheetIsLeftOrOnlySetUp)
{
    Jahr j;
    j.schreibe(woche());
    j.k.pufferindex = 1;
    sheet::RecordingSheet t;
    // No trip stored: nothing is built, and no other vehicle's table stays.
    EXPECT_EQ(KFZTabelle(t, j.k), Bau::Unberuehrt);
    EXPECT_EQ(t.protokoll(), QStringList{"Zuruecksetzen()"});

    // The first trip shown (no predecessor) of a file with trips: built.
    sheet::RecordingSheet erste;
    j.k.fahrtenzahl = int(woche().size());
    j.k.satznummer = 1;
    EXPECT_NE(KFZTabelle(erste, j.k), Bau::Unberuehrt);
    EXPECT_GT(erste.anzahl("Zelltext"), 0);
    j.k.fahrtenzahl = 0;

    j.k.pufferindex = 3;
    j.k.satznummer = 0;
    EXPECT_EQ(KFZTabelle(t, j.k), Bau::Anfangskm);
    EXPECT_EQ(t.anzahl("Zelltext"), 0);
    EXPECT_EQ(t.protokoll().at(0), "Zuruecksetzen()");
    EXPECT_TRUE(t.protokoll().contains("Querformat(True)"));
}

namespace {

// Column texts of row 4 along the whole logbook, and where the type cell is.
struct Logbuchform {
    qint16 ohneZeiten, pauschale;
    QStringList kopf3, kopf4;
    std::vector<int> breiten;
};

} // namespace

TEST(KFZTabelle, LogbookHeadingsBySettings)
{
    const QString e;
    const std::vector<Logbuchform> formen = {
        {-1, -1,
         {e, "Abfahrt", "Abfahrt", e, e, e, e, "Ankunft", "Ankunft", "Gefahr.", "Fahrt", "Änderungs"},
         {"Gesprächspartner", "Datum", "km", "Grund", "Von", "Über", "Nach", "Datum", "km", "km", "Art", "Datum"},
         {1800, 1200, 800, 1600, 1600, 1600, 1600, 1200, 800, 800, 1000, 1700}},
        {0, 0,
         {e, "Abfahrt", "Abfahrt", "Abfahrt", e, e, e, e, "Ankunft", "Ankunft", "Ankunft", "Gefahr.", "Gefahr.",
          "Fahrt", "Änderungs"},
         {"Gesprächspartner", "Datum", "Zeit", "km", "Grund", "Von", "Über", "Nach", "Datum", "Zeit", "km", "km",
          "Zeit", "Art", "Datum"},
         {1800, 1200, 800, 800, 1600, 1600, 1600, 1600, 1200, 800, 800, 800, 800, 1000, 1700}},
        {0, -1,
         {e, "Abfahrt", "Abfahrt", "Abfahrt", e, e, e, e, "Ankunft", "Ankunft", "Ankunft", "Gefahr.", "Gefahr.",
          "Verpfle.", "Gesamt", "Fahrt", "Änderungs"},
         {"Gesprächspartner", "Datum", "Zeit", "km", "Grund", "Von", "Über", "Nach", "Datum", "Zeit", "km", "km",
          "Zeit", "zuschuß", "Verpfl.", "Art", "Datum"},
         {1800, 1200, 800, 800, 1600, 1600, 1600, 1600, 1200, 800, 800, 800, 800, 800, 800, 1000, 1700}},
    };
    for (const Logbuchform& form : formen) {
        Firmenjahr j;
        j.k.vor.OhneZeiten = form.ohneZeiten;
        j.k.vor.MitVerpflegungspauschale = form.pauschale;
        sheet::RecordingSheet t;
        ASSERT_EQ(KFZTabelle(t, j.k), Bau::Gebaut);
        const sheet::Blatt& b = t.blatt();
        const int n = int(form.kopf4.size());
        SCOPED_TRACE(n);
        for (int s = 1; s <= n; ++s) {
            EXPECT_EQ(zt(b, 3, s), form.kopf3[s - 1]) << s;
            EXPECT_EQ(zt(b, 4, s), form.kopf4[s - 1]) << s;
            EXPECT_TRUE(b.finde(4, s)->fett);
            EXPECT_EQ(b.spaltenbreite(s), form.breiten[s - 1]) << s;
        }
        EXPECT_EQ(b.finde(4, n + 1), nullptr);
        EXPECT_EQ(b.name, "Kilometrika 2016");
        EXPECT_TRUE(b.seite.quer);
        EXPECT_EQ(b.seite.titelVon, 1);
        EXPECT_EQ(b.seite.titelBis, 4);
        EXPECT_EQ(zt(b, 1, 1), "Fahrtarten: 1=Fahrten z. Wohn- und Arbeitsstätte 2=Privatfahrten 3=Geschäftsfahrten "
                               "4= Fahrten i. Zshg. m. stfr. Umsätzen  5=Familienheimfahrten");
        EXPECT_EQ(zt(b, 2, 1), "Abkürzungen:  (So.) = Sonderfahrten (An.) = Stundenmehrheit am Ankunftstag  (Ab.) = "
                               "Stundenmehrheit am Abfahrtstag  (k.P.l.G.) = keine Pauschale laut Grundeinstellung");
        EXPECT_EQ(b.finde(2, 1)->ausrichtung, 1);
        // Row 5: the first trip of the range, cell by cell.
        EXPECT_EQ(zt(b, 5, 1), QString("Meier").leftJustified(50));
        EXPECT_EQ(zt(b, 5, 2), "05.01.2016");
        EXPECT_EQ(b.finde(5, 2)->groesse, 8);
        EXPECT_EQ(zt(b, 5, form.kopf4.indexOf("Grund") + 1), QString("Kundenbesuch").leftJustified(50));
        EXPECT_EQ(zt(b, 5, n - 1), " 3 So. Ab.");
        EXPECT_EQ(zt(b, 5, n), "");
    }
    // Times on, allowances on: the time, duration and allowance cells.
    Firmenjahr j;
    j.k.vor.OhneZeiten = 0;
    j.k.vor.Journalfunktion = -1;
    sheet::RecordingSheet t;
    KFZTabelle(t, j.k);
    const sheet::Blatt& b = t.blatt();
    EXPECT_EQ(zt(b, 3, 17), "Journal");
    EXPECT_EQ(zt(b, 5, 3), "08:00");
    EXPECT_EQ(zt(b, 5, 10), "17:30");
    EXPECT_EQ(zt(b, 5, 11), "10120");
    EXPECT_EQ(zt(b, 5, 12), "120");
    EXPECT_EQ(zt(b, 5, 13), " 9,30");  // the hours carry their sign blank
    EXPECT_EQ(zt(b, 5, 14), "12");
    EXPECT_EQ(zt(b, 5, 15), "12");
    EXPECT_EQ(zt(b, 6, 14), "");  // no allowance, no zero
    EXPECT_EQ(zt(b, 6, 15), "");
}

TEST(KFZTabelle, LogbookRangeAndTypeCells)
{
    Firmenjahr j;
    j.k.vor.OhneZeiten = -1;
    sheet::RecordingSheet t;
    KFZTabelle(t, j.k);
    const sheet::Blatt& b = t.blatt();
    // Both ends of the range are in; the day before and after are not.
    const std::vector<std::pair<QString, QString>> zeilen = {
        {"05.01.2016", " 3 So. Ab."}, {"06.01.2016", " 4  k.P.l.G."}, {"06.01.2016", " 3  k. So."},
        {"07.01.2016", ""},           {"08.01.2016", "2"},            {"07.01.2016", "5"},
    };
    for (int i = 0; i < int(zeilen.size()); ++i) {
        EXPECT_EQ(zt(b, 5 + i, 2), zeilen[i].first) << i;
        EXPECT_EQ(zt(b, 5 + i, 11), zeilen[i].second) << i;
    }
    EXPECT_EQ(zt(b, 9, 8), "09.01.2016");  // arrival after the range
    EXPECT_EQ(b.finde(11, 1), nullptr);
    EXPECT_EQ(b.finde(5, 11)->art, sheet::Zelle::Art::Text);
    EXPECT_EQ(b.finde(9, 11)->art, sheet::Zelle::Art::Zahl);
    EXPECT_EQ(b.finde(9, 11)->ausrichtung, 3);
}

TEST(KFZTabelle, FiltersOfEveryTripTable)
{
    const QString meier = QString("Meier").leftJustified(50);
    const QString leer(50, QLatin1Char(' '));
    struct Fall {
        QString label49, kunde;
        quint8 art;
        QStringList datum;  // column 2 of rows 5 on
    };
    const std::vector<Fall> faelle = {
        {AlleDatensaetze, meier, 0,
         {"05.01.2016", "06.01.2016", "06.01.2016", "07.01.2016", "08.01.2016", "07.01.2016"}},
        {"", meier, 0, {"05.01.2016", "06.01.2016", "06.01.2016", "07.01.2016", "08.01.2016", "07.01.2016"}},
        {meier + "  3", meier, 0, {"05.01.2016", "06.01.2016", "08.01.2016"}},
        {QString("meier").leftJustified(50) + "  3", QString("meier").leftJustified(50), 0, {}},
        {leer + "  4", leer, 0, {"07.01.2016"}},  // the empty contact's own row
        {AlleDatensaetze, leer, 3, {"05.01.2016", "07.01.2016"}},
        {AlleDatensaetze, leer, 4, {"06.01.2016"}},
        {meier + "  3", meier, 3, {"05.01.2016"}},
    };
    for (const Fall& fall : faelle) {
        Firmenjahr j;
        j.k.vor.OhneZeiten = -1;
        j.k.filter = {fall.label49, fall.kunde, fall.art};
        sheet::RecordingSheet t, p;
        KFZTabelle(t, j.k);
        KFZTabelle3(p, j.k, sheet::Blatt());
        SCOPED_TRACE((fall.label49 + QString::number(fall.art)).toStdString());
        for (int i = 0; i < fall.datum.size(); ++i) {
            EXPECT_EQ(zt(t.blatt(), 5 + i, 2), fall.datum[i]);
            EXPECT_EQ(zt(p.blatt(), 5 + i, 2), fall.datum[i]);
        }
        EXPECT_EQ(t.blatt().finde(5 + fall.datum.size(), 2), nullptr);
        EXPECT_EQ(zt(p.blatt(), 6 + fall.datum.size(), 9), "Summe");
        if (fall.datum.isEmpty()) {
            EXPECT_EQ(zt(p.blatt(), 6, 10), "0,00");
        }
        // The full table numbers each record of the file, printed or not.
        sheet::RecordingSheet v;
        KfzTabelle4(v, j.k);
        int bloecke = 0;
        for (const auto& [zeile, zellen] : v.blatt().zeilen())
            for (const auto& [spalte, z] : zellen)
                if (spalte == 1 && z.text.startsWith("Fahrt Nr."))
                    ++bloecke;
        EXPECT_EQ(bloecke, fall.datum.size());
    }
}
