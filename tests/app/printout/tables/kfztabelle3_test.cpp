// Business trips with a private car, the compact table and the customer
// list on the recording double.

#include "app/printout/tables/kundentabelle.h"
#include "app/printout/tables/tabellen.h"
#include "app/tripmemory/kundendatei.h"
#include "arbeitsjahr.h"
#include "platform/forms/fakes.h"
#include "platform/sheet/recordingsheet.h"

#include <gtest/gtest.h>

using namespace kmk;
using namespace kmk::tabellen;
using namespace testjahr;

namespace {

// Costs as the entry page stored them: 0,30 per km and 0,02 per km for
// each passenger.
std::vector<FahrtDatensatz> privatfahrten()
{
    std::vector<FahrtDatensatz> f;
    const struct {
        int km, mitfahrer;
        double kosten;
    } w[] = {{100, 0, 30.0}, {250, 2, 85.0}, {10, 1, 3.2}};
    for (int i = 0; i < 3; ++i) {
        f.push_back(fahrt(J4 + i, "Meier", 3, 20000 + 1000 * i, w[i].km));
        f.back().Mitfahrer = qint16(w[i].mitfahrer);
        f.back().Fahrtkosten = w[i].kosten;
    }
    f.push_back(fahrt(J4 + 3, "Meier", 2, 25000, 12000));  // 12.000 km: thousands shown
    f.back().Fahrtkosten = 3600.0;
    return f;
}

} // namespace

// Stored costs whose sum is beyond a double: the mark, the file named.
TEST(KFZTabelle3, ASumBeyondTheRangeShowsTheMark)
{
    Jahr j;
    std::vector<FahrtDatensatz> f = privatfahrten();
    f[0].Fahrtkosten = 1e308;
    f[1].Fahrtkosten = 1e308;
    j.schreibe(f);
    j.k.filter.fahrtartfilter = 3;
    forms::ScopedFakes fakes;
    sheet::RecordingSheet t;
    ASSERT_EQ(KFZTabelle3(t, j.k, t.blatt()), Bau::Gebaut);
    EXPECT_EQ(t.blatt().anzeigetext(9, 10), QStringLiteral("Überlauf"));
    EXPECT_EQ(fakes.dialogs.shown.size(), 1);
}

TEST(KFZTabelle3, CostsOfEachTripAndTheirSum)
{
    Jahr j;
    j.schreibe(privatfahrten());
    j.k.filter.fahrtartfilter = 3;
    sheet::RecordingSheet t;
    ASSERT_EQ(KFZTabelle3(t, j.k, t.blatt()), Bau::Gebaut);
    const sheet::Blatt& b = t.blatt();
    EXPECT_EQ(b.name, "Kilometrika");
    EXPECT_EQ(b.anzeigetext(1, 1), "Betriebsfahrten mit dem Privat - Pkw");
    EXPECT_EQ(b.anzeigetext(4, 9), "Anzahl");
    EXPECT_EQ(b.anzeigetext(3, 10), "Fahrt");
    EXPECT_EQ(b.anzeigetext(4, 10), "Kosten");
    EXPECT_EQ(b.anzeigetext(5, 10), "30,00");
    EXPECT_EQ(b.anzeigetext(6, 10), "85,00");
    EXPECT_EQ(b.anzeigetext(7, 10), "3,20");
    EXPECT_EQ(b.anzeigetext(6, 8), "250");
    EXPECT_EQ(b.anzeigetext(6, 9), "2");
    EXPECT_EQ(b.anzeigetext(5, 2), "04.01.2016");
    EXPECT_EQ(b.finde(8, 1), nullptr);  // one empty row below the trips
    EXPECT_EQ(b.anzeigetext(9, 9), "Summe");
    EXPECT_EQ(b.anzeigetext(9, 10), "118,20");  // the excluded private trip is not summed
    EXPECT_EQ(b.finde(9, 10)->groesse, 9);
    EXPECT_FALSE(b.seite.quer);
    EXPECT_EQ(b.seite.titelBis, 4);

    j.k.filter.fahrtartfilter = 0;
    KFZTabelle3(t, j.k, t.blatt());
    EXPECT_EQ(t.blatt().anzeigetext(8, 10), "3.600,00");
    EXPECT_EQ(t.blatt().anzeigetext(10, 10), "3.718,20");

    j.k.bereich = {J4 + 100, J4 + 120};
    KFZTabelle3(t, j.k, t.blatt());
    EXPECT_EQ(t.blatt().anzeigetext(6, 9), "Summe");
    EXPECT_EQ(t.blatt().anzeigetext(6, 10), "0,00");
}

TEST(KFZTabelle3, ClearingEmptiesOnlyItsAreaAndCreatesNoCells)
{
    Jahr j;
    j.schreibe(privatfahrten());
    j.k.pufferindex = 1;
    sheet::RecordingSheet t;
    const std::pair<int, int> alt[] = {{1, 1}, {2, 1}, {1, 2}, {3, 12}, {9000, 1}, {9001, 1}, {5, 13}};
    for (auto [z, s] : alt) {
        t.Zeile(z);
        t.Spalte(s);
        t.Zelltext("alt");
    }
    t.leeren();
    EXPECT_EQ(KFZTabelle3(t, j.k, t.blatt()), Bau::Anfangskm);
    const sheet::Blatt& b = t.blatt();
    EXPECT_EQ(b.anzeigetext(1, 1), "");
    EXPECT_EQ(b.anzeigetext(2, 1), "");
    EXPECT_EQ(b.anzeigetext(3, 12), "");
    EXPECT_EQ(b.anzeigetext(9000, 1), "");
    EXPECT_EQ(b.anzeigetext(1, 2), "alt");
    EXPECT_EQ(b.anzeigetext(9001, 1), "alt");
    EXPECT_EQ(b.anzeigetext(5, 13), "alt");
    EXPECT_EQ(b.zellenAnzahl(), 7);
    EXPECT_EQ(t.anzahl("Zelltext"), 4);
    EXPECT_EQ(t.anzahl("Zuruecksetzen"), 0);
}

TEST(KfzTabelle2, TwoRowsPerTripWithOptionalColumns)
{
    struct Fall {
        qint16 zeitspalten, pauschalspalten;
        int spalten;
    } faelle[] = {{0, 0, 11}, {-1, 0, 14}, {0, -1, 13}, {-1, -1, 16}};
    for (const Fall& f : faelle) {
        Jahr j;
        auto fahrten = privatfahrten();
        fahrten[1].Fahrtart = 0;
        fahrten[1].MitPauschale = 0;
        j.schreibe(fahrten);
        j.k.vor.Zeitspalten = f.zeitspalten;
        j.k.vor.MitZeiten = f.pauschalspalten;
        j.k.filter.fahrtartfilter = 0;
        j.k.bereich = {J4 + 1, J4 + 3};
        sheet::RecordingSheet t;
        ASSERT_EQ(KfzTabelle2(t, j.k), Bau::Gebaut);
        const sheet::Blatt& b = t.blatt();
        EXPECT_EQ(t.anzahl("Spaltenbreite"), f.spalten);
        EXPECT_EQ(b.anzeigetext(4, f.spalten), "Art");
        EXPECT_EQ(b.anzeigetext(5, 1), "Gesprächspartner");
        EXPECT_EQ(b.anzeigetext(5, 2).trimmed(), "Meier");
        EXPECT_EQ(b.anzeigetext(5, f.spalten), " 3  k.P.l.G.");
        EXPECT_EQ(b.anzeigetext(6, 1), "Wegstrecke");
        EXPECT_EQ(b.anzeigetext(6, 2).trimmed(), "A1");
        EXPECT_EQ(b.anzeigetext(7, 3), "06.01.2016");
        EXPECT_EQ(b.anzeigetext(9, f.spalten), "2");
        EXPECT_EQ(b.letzteZeile(), 10);
        EXPECT_TRUE(b.anzeigetext(1, 1).endsWith(" 5=Familienheimfahrten"));
    }
}

TEST(KundenTabelle, EveryRecordOnItsRowTrimmed)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath("Kund2016.dat");
    sheet::RecordingSheet t;
    KfzGrundeinstellung kfz;
    KundenTabelle(t, pfad, kfz);
    EXPECT_EQ(t.blatt().zellenAnzahl(), 0);
    EXPECT_EQ(t.anzahl("Zuruecksetzen"), 1);

    Kundendatei datei(pfad);
    ASSERT_TRUE(datei.anlegen());
    KundenTabelle(t, pfad, kfz);
    EXPECT_EQ(t.blatt().anzeigetext(3, 1), "Gesprächspartner");
    EXPECT_EQ(t.blatt().anzeigetext(3, 7), "Fahrtart");
    EXPECT_EQ(t.blatt().letzteZeile(), 3);

    Fahrtenspeichersatz a;
    a.Fahrtart = 3;
    a.GefahreneKm = 120;
    a.Von = "  Münster";
    a.Ueber = "A1";
    a.Nach = "Köln  ";
    a.Grund = "Messe";
    a.Gespraechspartner = " Meier ";
    ASSERT_TRUE(datei.anhaengen(a));
    ASSERT_TRUE(datei.anhaengen(Fahrtenspeichersatz{}));
    KundenTabelle(t, pfad, kfz);
    const sheet::Blatt& b = t.blatt();
    EXPECT_EQ(b.name, "Kunden - Liste");
    EXPECT_TRUE(b.seite.quer);
    EXPECT_EQ(b.seite.titelBis, 3);
    QStringList z4;
    for (int s = 1; s <= 7; ++s)
        z4 << b.anzeigetext(4, s);
    EXPECT_EQ(z4, (QStringList{"Meier", "Münster", "A1", "Köln", "Messe", "120", "3"}));
    EXPECT_EQ(b.anzeigetext(5, 1), "");
    EXPECT_EQ(b.anzeigetext(5, 6), "0");
    EXPECT_EQ(b.anzeigetext(5, 7), "0");
    EXPECT_EQ(b.finde(4, 5)->ausrichtung, 3);
    EXPECT_EQ(b.finde(4, 4)->ausrichtung, 1);
}

TEST(KFZTabelle3, PrivateCarTripsAndTheirSum)
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

TEST(KfzTabelle2, CompactTableTwoRowsPerTrip)
{
    // Where the arrival time and the allowance stand, 0 where absent.
    struct Fall { qint16 zeiten, pauschalen; int spalten, ankunftszeit, zuschuss; };
    for (const Fall& fall : {Fall{0, 0, 11, 0, 0}, Fall{-1, 0, 14, 10, 0}, Fall{0, -1, 13, 0, 11},
                             Fall{-1, -1, 16, 10, 14}}) {
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
        if (fall.ankunftszeit) {
            EXPECT_EQ(zt(b, 5, fall.ankunftszeit), "17:30");   // left at 08:00
        }
        if (fall.zuschuss) {
            EXPECT_EQ(zt(b, 5, fall.zuschuss), "12");
            EXPECT_TRUE(b.finde(7, fall.zuschuss) == nullptr || b.finde(7, fall.zuschuss)->leer());   // none: empty
        }
    }
}

TEST(KFZTabelle3, ACancelledTripIsListedMarkedAndNotSummed)
{
    // Once a company car with the journal on: the second trip was
    // cancelled on 14.01.2016 and replaced by its correction.
    Jahr j;
    j.k.bereich = {T5, T8};
    const double kosten[] = {30.0, 85.0, 68.0, 3.2};
    const quint8 status[] = {0, 1, 2, 0};
    std::vector<FahrtDatensatz> f;
    for (int i = 0; i < 4; ++i) {
        f.push_back(fahrt(T5 + (i + 1) / 2, "Meier", 3, 20000, 100));
        f.back().Fahrtkosten = kosten[i];
        f.back().Eintragsstatus = status[i];
        f.back().Statusdatum = status[i] ? 42383 : 0;  // 14.01.2016
    }
    j.schreibe(f);
    sheet::RecordingSheet t;
    ASSERT_EQ(KFZTabelle3(t, j.k, t.blatt()), Bau::Gebaut);
    const sheet::Blatt& b = t.blatt();
    const QStringList gelistet = {"30,00", "85,00", "68,00", "3,20"};
    const QStringList vermerk = {"", "storniert 14.01.2016", "Korrektur 14.01.2016", ""};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(zt(b, 5 + i, 10), gelistet[i]) << i;
        EXPECT_EQ(zt(b, 5 + i, 11), vermerk[i]) << i;
    }
    EXPECT_EQ(zt(b, 10, 9), "Summe");
    EXPECT_EQ(zt(b, 10, 10), "101,20");
    EXPECT_EQ(b.letzteSpalte(), 11);
}
