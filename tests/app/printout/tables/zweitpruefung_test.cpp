// A second, hand-worked reading of every table: the cells an auditor
// checks in a small year of a company car and of a private car.

#include "app/printout/tables/tabellen.h"
#include "arbeitsjahr.h"
#include "platform/sheet/recordingsheet.h"

#include <gtest/gtest.h>

using namespace kmk;
using namespace kmk::tabellen;
using namespace testjahr;

namespace {

constexpr qint32 T5 = 42374;  // 05.01.2016, first day of the range
constexpr qint32 T8 = 42377;  // 08.01.2016, last day

// The company car's week, in file order.
std::vector<FahrtDatensatz> firmenwoche()
{
    std::vector<FahrtDatensatz> f = {
        fahrt(T5 - 1, "Meier", 3, 9900, 100),    // before the range, still numbered
        fahrt(T5, "Meier", 3, 10000, 120),       // special trip, departure day
        fahrt(T5 + 1, "Schulz", 4, 10120, 30),   // without allowance
        fahrt(T5 + 1, "Meier", 0, 10150, 50),    // old record: a business trip
        fahrt(T5 + 2, "", 3, 10200, 40),         // unknown special-trip value
        fahrt(T8, "Meier", 2, 10240, 60),        // arrives after the range
        fahrt(T8 + 1, "Meier", 1, 10300, 20),    // after the range
        fahrt(T5 + 2, "Schulz", 5, 10320, 300),
    };
    f[1].Sonderfahrt = 1;
    f[2].MitPauschale = 0;
    f[2].Sonderfahrt = 1;
    f[4].Sonderfahrt = 7;
    f[5].DatumAn = T8 + 1;
    f[1].Teilpauschale2 = 12;
    f[1].PauschaleGesamt = 12;
    for (size_t i = 0; i < f.size(); ++i)
        f[i].Eintragungsdatum = f[i].DatumAb;
    return f;
}

struct Firmenjahr : Jahr {
    Firmenjahr()
    {
        k.bereich = {T5, T8};
        schreibe(firmenwoche());
    }
};

QString zt(const sheet::Blatt& b, int z, int s) { return b.anzeigetext(z, s); }

// Column texts of row 4 along the whole logbook, and where the type cell is.
struct Logbuchform {
    qint16 ohneZeiten, pauschale;
    QStringList kopf3, kopf4;
    std::vector<int> breiten;
};

} // namespace

TEST(Zweitpruefung, LogbookHeadingsBySettings)
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

TEST(Zweitpruefung, LogbookRangeAndTypeCells)
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

TEST(Zweitpruefung, FiltersOfEveryTripTable)
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

TEST(Zweitpruefung, PrivateCarTripsAndTheirSum)
{
    Jahr j;
    j.k.bereich = {T5, T8};
    struct Tour { qint32 km; qint16 mitfahrer; QString kosten; };
    const std::vector<Tour> touren = {{100, 0, "30,00"}, {250, 2, "85,00"}, {10, 1, "3,20"}};
    std::vector<FahrtDatensatz> f;
    for (const Tour& r : touren) {
        f.push_back(fahrt(T5 + int(f.size()), "Meier", 3, 20000, r.km));
        f.back().Mitfahrer = r.mitfahrer;
        f.back().Fahrtkosten = (r.mitfahrer * 0.02 + 0.30) * r.km;  // as the entry page computes it
    }
    f.push_back(fahrt(T8 + 1, "Meier", 3, 20500, 1000));  // after the range
    f.back().Fahrtkosten = 300;
    j.schreibe(f);

    sheet::Blatt bestand;
    bestand.zelle(1, 1).setzeText("alt");
    bestand.zelle(1, 2).setzeText("bleibt");
    bestand.zelle(9000, 12).setzeText("alt");
    bestand.zelle(9001, 1).setzeText("bleibt");
    sheet::RecordingSheet t;
    ASSERT_EQ(KFZTabelle3(t, j.k, bestand), Bau::Gebaut);
    const sheet::Blatt& b = t.blatt();
    EXPECT_EQ(b.name, "Kilometrika");
    EXPECT_FALSE(b.seite.quer);
    EXPECT_EQ(zt(b, 1, 1), "Betriebsfahrten mit dem Privat - Pkw");
    const QStringList kopf4 = {"Gesprächspartner", "Datum", "Grund", "Von", "Über", "Nach", "Datum", "km", "Anzahl", "Kosten"};
    const std::vector<int> breiten = {1900, 1200, 1600, 1600, 1600, 1600, 1200, 800, 1000, 1000};
    for (int s = 1; s <= 10; ++s) {
        EXPECT_EQ(zt(b, 4, s), kopf4[s - 1]);
        EXPECT_EQ(b.spaltenbreite(s), breiten[s - 1]);
    }
    EXPECT_EQ(zt(b, 3, 9), "Mitfahrer");
    EXPECT_EQ(zt(b, 3, 10), "Fahrt");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(zt(b, 5 + i, 8), QString::number(touren[i].km));
        EXPECT_EQ(zt(b, 5 + i, 9), QString::number(touren[i].mitfahrer));
        EXPECT_EQ(zt(b, 5 + i, 10), touren[i].kosten);
    }
    EXPECT_EQ(b.finde(8, 1), nullptr);
    EXPECT_EQ(zt(b, 9, 9), "Summe");
    EXPECT_EQ(b.finde(9, 9)->groesse, 9);
    EXPECT_EQ(zt(b, 9, 10), "118,20");
    EXPECT_EQ(b.finde(9000, 12), nullptr);  // emptied, and no cell made of it
    EXPECT_EQ(b.finde(500, 5), nullptr);
}

TEST(Zweitpruefung, FullTableJournalBlocksAndBreaks)
{
    // [normal, cancelled, correction, normal] and then enough trips for
    // a second page; saved on their departure days.
    std::vector<FahrtDatensatz> f;
    for (int i = 0; i < 9; ++i)
        f.push_back(fahrt(T5, "Meier", 3, 10000 + 100 * i, 100));
    for (auto& s : f)
        s.Eintragungsdatum = T5;
    f[1].Eintragsstatus = 1;
    f[1].Statusdatum = T5 + 1;
    f[2].Eintragsstatus = 2;
    f[2].Statusdatum = T5 + 1;
    f[2].Eintragungsdatum = T5 + 1;
    f[3].Eintragungsdatum = 0;  // no entry date: an empty framed line

    struct Fall {
        qint16 journal;
        std::vector<int> start;  // first row of each block
        int umbruch;
    };
    // Journal off: 10 rows for a normal block, 11 for the journal pair.
    // Journal on: 11 rows each. The eighth block opens page 2.
    const std::vector<Fall> faelle = {
        {0, {1, 11, 22, 33, 43, 53, 63, 72}, 72},
        {-1, {1, 12, 23, 34, 45, 56, 67, 77}, 77},
    };
    const QStringList nummern = {"Fahrt Nr.  1", "Fahrt Nr.  2", "Fahrt Nr.  2", "Fahrt Nr.  3",
                                 "Fahrt Nr.  4", "Fahrt Nr.  5", "Fahrt Nr.  6", "Fahrt Nr.  7"};
    for (const Fall& fall : faelle) {
        Jahr j;
        j.k.bereich = {T5, T8};
        j.k.vor.Journalfunktion = fall.journal;
        j.schreibe(f);
        sheet::RecordingSheet t;
        ASSERT_EQ(KfzTabelle4(t, j.k), Bau::Gebaut);
        const sheet::Blatt& b = t.blatt();
        SCOPED_TRACE(fall.journal);
        EXPECT_FALSE(b.seite.quer);
        ASSERT_EQ(b.umbrueche().size(), 1u);
        EXPECT_EQ(b.umbrueche()[0], fall.umbruch);
        const int j0 = fall.journal ? 1 : 0;
        for (size_t i = 0; i < fall.start.size(); ++i) {
            const int r = fall.start[i];
            const int kopf = r + ((i == 1 || i == 2) ? 2 : 1 + j0);
            EXPECT_EQ(zt(b, kopf, 1), nummern[i]) << i;
            EXPECT_EQ(zt(b, kopf - 1, 1).endsWith(" gespeichert.") || (i == 3 && zt(b, kopf - 1, 1).isEmpty()),
                      true)
                << i;
        }
        EXPECT_EQ(zt(b, 1, 1), fall.journal ? "Eintragungsdatum :  05.01.2016"
                                             : "Diese Eintragung wurde am 05.01.2016 gespeichert.");
        EXPECT_EQ(zt(b, fall.start[1], 1), "Diese Eintragung wurde am 06.01.2016 storniert. (alter Eintrag)");
        EXPECT_EQ(zt(b, fall.start[1] + 1, 1), "Diese Eintragung wurde am 05.01.2016 gespeichert.");
        EXPECT_EQ(zt(b, fall.start[2], 1), "Diese Eintragung wurde am 06.01.2016 überschrieben. ( Korrektur)");
        EXPECT_EQ(zt(b, fall.start[2] + 1, 1), "Diese Eintragung wurde am 06.01.2016 gespeichert.");
        // The record without an entry date: framed, empty, rows unchanged.
        for (int z = fall.start[3]; z < fall.start[3] + 1 + j0; ++z) {
            ASSERT_NE(b.finde(z, 1), nullptr);
            EXPECT_EQ(zt(b, z, 1), "");
            EXPECT_NE(b.finde(z, 1)->rahmen, 0);
        }
        const int r = 1 + 1 + j0;  // "Fahrt Nr." row of block 1
        EXPECT_EQ(zt(b, r + 1, 4), "05.01.2016");
        EXPECT_EQ(zt(b, r + 4, 4), "Gef. km");
        EXPECT_EQ(zt(b, r + 4, 5), "100");
        EXPECT_EQ(zt(b, r + 5, 3), "Fahrer");
        EXPECT_EQ(zt(b, r + 6, 2), "Geschäftsfahrt / keine Sonderfahrt");
        EXPECT_EQ(b.finde(r + 7, 1), nullptr);  // separator rows stay empty
        EXPECT_EQ(b.finde(r + 8, 1), nullptr);
    }
}

TEST(Zweitpruefung, FullTableTypeTexts)
{
    Firmenjahr j;
    sheet::RecordingSheet t;
    KfzTabelle4(t, j.k);
    const sheet::Blatt& b = t.blatt();
    // Journal off: blocks of ten rows; the first printed trip is number 2.
    const std::vector<std::pair<QString, QString>> bloecke = {
        {"Fahrt Nr.  2", "Geschäftsfahrt / Sonderfahrt / Stundenmehrheit am Abfahrtstag"},
        {"Fahrt Nr.  3", "Fahrt i. Zshg. m. stfr. Umsätzen / keine Pauschale laut Grundeinstellung"},
        {"Fahrt Nr.  4", "Geschäftsfahrt / keine Sonderfahrt"},
        {"Fahrt Nr.  5", "Geschäftsfahrt"},
        {"Fahrt Nr.  6", "Privatfahrt"},
        {"Fahrt Nr.  8", "Familienheimfahrt"},
    };
    for (int i = 0; i < int(bloecke.size()); ++i) {
        EXPECT_EQ(zt(b, 2 + 10 * i, 1), bloecke[i].first);
        EXPECT_EQ(zt(b, 8 + 10 * i, 2), bloecke[i].second);
    }
    EXPECT_EQ(zt(b, 7, 5), "Verpfl. Zuschuß");
    EXPECT_EQ(zt(b, 7, 6), "12");
    EXPECT_TRUE(b.finde(7, 6)->fett);
}

TEST(Zweitpruefung, BlankFormIsOnePortraitPage)
{
    for (qint16 ohne : {0, -1}) {
        VoreinstellungSatz vor;
        vor.OhneZeiten = ohne;
        sheet::RecordingSheet t;
        Blankoformular(t, vor, KfzGrundeinstellung());
        const sheet::Blatt& b = t.blatt();
        EXPECT_FALSE(b.seite.quer);
        EXPECT_EQ(b.name, "Kilometrika");
        EXPECT_EQ(b.umbrueche(), std::vector<int32_t>{69});
        for (int r : {1, 11, 21, 31, 41, 51, 61}) {
            EXPECT_EQ(zt(b, r, 1), "Fahrt Nr. ");
            EXPECT_FALSE(b.finde(r, 1)->fett);
            EXPECT_EQ(zt(b, r, 6), "Zeit");
            EXPECT_EQ(zt(b, r + 1, 1), "Abfahrt");
            EXPECT_EQ(zt(b, r + 4, 4), "Gef. km   >");
            EXPECT_EQ(zt(b, r + 6, 1), "Fahrtart");
            EXPECT_EQ(b.finde(r + 8, 1), nullptr);
            EXPECT_EQ(b.finde(r + 4, 6) != nullptr && b.finde(r + 4, 6)->rahmen != 0, ohne == 0);
        }
        EXPECT_EQ(b.spaltenbreite(6), ohne ? sheet::kStandardbreite : 1200);
        EXPECT_EQ(b.letzteZeile(), 68);
    }
}

TEST(Zweitpruefung, OperatingCostsOfAWorkedMonth)
{
    Jahr j;
    j.k.bereich = {T5, T8};
    std::vector<FahrtDatensatz> f = {
        fahrt(T5, "", 3, 10000, 50),        // before the first refuelling
        fahrt(T5, "", 3, 10050, 120),       // refuelling 45,5 l
        fahrt(T5 + 1, "", 3, 10170, 200),   // workshop only
        fahrt(T5 + 2, "", 3, 10370, 80),    // workshop and refuelling
        fahrt(T5 + 2, "", 3, 10450, 300),   // cancelled
        fahrt(T8 + 1, "", 3, 10750, 90),    // after the range
    };
    f[1].Kraftstoffmenge = 45.5;
    f[1].BetragKraftstoff = vb::Currency::fromDouble(79.99);
    f[2].BetragWartung = vb::Currency::fromDouble(150);
    f[2].Wartungstext = QString("Ölwechsel").leftJustified(50);
    f[3].BetragWartung = vb::Currency::fromDouble(30.5);
    f[3].Wartungstext = QString("Wischer").leftJustified(50);
    f[3].Kraftstoffmenge = 40.3;
    f[3].BetragKraftstoff = vb::Currency::fromDouble(70.01);
    f[4].Eintragsstatus = 1;
    f[4].Kraftstoffmenge = 50;
    f[4].BetragKraftstoff = vb::Currency::fromDouble(90);
    f[5].Kraftstoffmenge = 10;
    f[5].BetragKraftstoff = vb::Currency::fromDouble(20);
    j.schreibe(f);
    sheet::RecordingSheet t;
    BetriebskostenTabelle(t, j.k, "Liter");
    const sheet::Blatt& b = t.blatt();
    const std::vector<QStringList> zeilen = {
        {"Datum", "km - Stand", "Bezeichner / Art", "Liter", "Gesamtsumme"},
        {"05.01.2016", "10170", "Tanken", "45,5", "79,99 €"},
        {"06.01.2016", "10370", QString("Ölwechsel").leftJustified(50), "----", "150,00 €"},
        {"07.01.2016", "10450", QString("Wischer").leftJustified(50), "----", "30,50 €"},
        {"07.01.2016", "10450", "Tanken", "40,3", "70,01 €"},
    };
    for (int i = 0; i < int(zeilen.size()); ++i)
        for (int s = 1; s <= 5; ++s) {
            EXPECT_EQ(zt(b, 12 + i, s), zeilen[i][s - 1]) << i << "," << s;
            EXPECT_NE(b.finde(12 + i, s)->rahmen, 0);
        }
    EXPECT_EQ(b.finde(17, 1), nullptr);
    EXPECT_FALSE(b.seite.quer);
    const std::vector<std::pair<QString, QString>> summen = {
        {"gef. km im Zeitraum ab erstem tanken", "400 Kilometer"},
        {"Verbrauch in Liter", "85,80 Liter"},
        {"durchschnittlicher Literpreis", "1,75 €"},  // 150,00 / 85,8; with 86 l it would be 1,74
        {"Verbrauch in Liter pro 100 km", ""},
        {"Treibstoff ges.", "150,00 €"},
        {"Wartung ges.", "180,50 €"},
        {"Betriebsausgaben ges.", "330,50 €"},
    };
    for (int i = 0; i < int(summen.size()); ++i) {
        EXPECT_EQ(zt(b, 4 + i, 3), summen[i].first);
        if (!summen[i].second.isEmpty()) {
            EXPECT_EQ(zt(b, 4 + i, 5), summen[i].second);
        }
    }
    EXPECT_TRUE(zt(b, 7, 5).endsWith(" L / 100 Km"));
}

TEST(Zweitpruefung, TripSharesOfBothCars)
{
    Jahr j;
    j.k.bereich = {T5, T8};
    std::vector<Fahrt> f;
    auto dazu = [&](qint32 tag, quint8 art, qint32 km, quint8 status) {
        Fahrt x{qint32(f.size() + 1), fahrt(tag, "", art, 0, km)};
        x.satz.Eintragsstatus = status;
        f.push_back(x);
    };
    dazu(T5, 3, 1000, 0);
    dazu(T8, 2, 3000, 0);
    dazu(T5, 3, 500, 1);      // cancelled
    dazu(T8 + 1, 1, 700, 0);  // after the range
    dazu(T5, 0, 200, 0);      // type 0 adds nothing
    const Firmenanteile a = FirmenanteileErmitteln(f, j.k.bereich);
    const QStringList texte = {"0,00%", "75,00%", "25,00%", "0,00%", "0,00%"};
    const std::vector<qint32> km = {0, 3000, 1000, 0, 0};
    sheet::RecordingSheet t;
    ProzentTabelleFirma(t, j.k, "MS-K 123", a);
    const sheet::Blatt& b = t.blatt();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(a.texte[i + 1], texte[i]);
        EXPECT_EQ(zt(b, 9 + i, 2), texte[i]);
        EXPECT_EQ(zt(b, 9 + i, 3), QString::number(km[i]));
    }
    EXPECT_EQ(zt(b, 10, 1), "Private Fahrten");
    EXPECT_EQ(zt(b, 14, 3), "4000");
    EXPECT_EQ(b.name, "Prozentverteilung der Fahrten");
    EXPECT_EQ(zt(b, 1, 1), "Auswertungszeitraum vom     05.01.2016   bis     08.01.2016");
    EXPECT_EQ(zt(b, 7, 2), "Nutzung in % ");

    // Private car: start 20000, closing 35000, 6000 business km.
    std::vector<Fahrt> p;
    for (qint32 k : {2500, 3500})
        p.push_back({qint32(p.size() + 1), fahrt(T5, "", 3, 0, k)});
    const Privatanteile pa = PrivatanteileErmitteln(p, 20000, 35000);
    EXPECT_EQ(pa.geschaeftskm, 6000);
    EXPECT_EQ(pa.privatkm, 9000);
    EXPECT_DOUBLE_EQ(pa.privatanteil, 60.0);
    EXPECT_DOUBLE_EQ(pa.geschaeftsanteil, 40.0);
    sheet::RecordingSheet u;
    ProzentTabellePrivat(u, j.k, "MS-K 123", pa);
    EXPECT_EQ(zt(u.blatt(), 9, 1), "Private Fahrten");
    EXPECT_EQ(zt(u.blatt(), 9, 2), "60");
    EXPECT_EQ(zt(u.blatt(), 9, 3), "9000");
    EXPECT_EQ(zt(u.blatt(), 10, 2), "40");
    EXPECT_EQ(zt(u.blatt(), 10, 3), "6000");
    EXPECT_EQ(zt(u.blatt(), 14, 3), "15000");
    EXPECT_EQ(u.blatt().finde(11, 1), nullptr);
}

TEST(Zweitpruefung, FullTableWithoutTimesAndBlankFormForAnyVehicle)
{
    Firmenjahr j;
    j.k.vor.OhneZeiten = -1;  // allowances stay on, but without times they are not shown
    sheet::RecordingSheet t;
    KfzTabelle4(t, j.k);
    const sheet::Blatt& b = t.blatt();
    EXPECT_EQ(b.letzteSpalte(), 5);
    EXPECT_EQ(zt(b, 2, 5), "km - Stand");
    for (int z : {7, 8}) {  // rows 6 and 7 of the block: an empty closed cell
        ASSERT_NE(b.finde(z, 5), nullptr);
        EXPECT_EQ(zt(b, z, 5), "");
        EXPECT_NE(b.finde(z, 5)->rahmen, 0);
    }

    // The blank form's cells do not depend on the vehicle.
    VoreinstellungSatz vor;
    KfzGrundeinstellung a, c;
    c.Halter = QStringLiteral("Privat");
    c.Kennzeichen = QStringLiteral("MS-P 9");
    c.Privatfahrzeug = -1;
    sheet::RecordingSheet u, v;
    Blankoformular(u, vor, a);
    Blankoformular(v, vor, c);
    ASSERT_EQ(u.blatt().zeilen().size(), v.blatt().zeilen().size());
    for (const auto& [zeile, zellen] : u.blatt().zeilen())
        for (const auto& [spalte, z] : zellen)
            EXPECT_EQ(z.text, v.blatt().finde(zeile, spalte)->text);
}

TEST(Zweitpruefung, CompactTableTwoRowsPerTrip)
{
    struct Fall { qint16 zeiten, pauschalen; int spalten; };
    for (const Fall& fall : {Fall{0, 0, 11}, Fall{-1, 0, 14}, Fall{0, -1, 13}, Fall{-1, -1, 16}}) {
        Firmenjahr j;
        j.k.vor.Zeitspalten = fall.zeiten;
        j.k.vor.MitZeiten = fall.pauschalen;
        sheet::RecordingSheet t;
        ASSERT_EQ(KfzTabelle2(t, j.k), Bau::Gebaut);
        const sheet::Blatt& b = t.blatt();
        EXPECT_EQ(zt(b, 4, fall.spalten), "Art");
        EXPECT_EQ(b.finde(4, fall.spalten + 1), nullptr);
        EXPECT_EQ(b.name, "Kilometrika");
        // Trips 1 to 6 of the range: main rows 5, 7, ..., route rows below.
        const QStringList art = {" 3 So. Ab.", " 4  k.P.l.G.", " 3  k. So.", "", "2", "5"};
        for (int k = 1; k <= 6; ++k) {
            EXPECT_EQ(zt(b, 2 * k + 3, 1), "Gesprächspartner");
            EXPECT_EQ(zt(b, 2 * k + 3, fall.spalten), art[k - 1]) << k;
            EXPECT_EQ(zt(b, 2 * k + 4, 1), "Wegstrecke");
            EXPECT_EQ(zt(b, 2 * k + 4, 2), QString("A1").leftJustified(255));
        }
        EXPECT_EQ(b.finde(17, 1), nullptr);
        EXPECT_EQ(zt(b, 5, 3), "05.01.2016");
    }
}
