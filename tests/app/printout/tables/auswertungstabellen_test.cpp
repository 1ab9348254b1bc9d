// The operating-cost and trip-share sheets.

#include "app/printout/tables/tabellen.h"
#include "arbeitsjahr.h"
#include "platform/forms/fakes.h"
#include "platform/sheet/recordingsheet.h"

#include <gtest/gtest.h>

using namespace kmk;
using namespace kmk::tabellen;
using namespace testjahr;

TEST(Betriebskostentabelle, SheetOfAWorkedMonth)
{
    Jahr j;
    std::vector<FahrtDatensatz> f = {fahrt(J4, "", 3, 10000, 50), fahrt(J4 + 1, "", 3, 10050, 100),
                                     fahrt(J4 + 2, "", 3, 10150, 120), fahrt(J4 + 3, "", 3, 10270, 300)};
    f[1].Kraftstoffmenge = 45.5;
    f[1].BetragKraftstoff = vb::Currency::fromDouble(80);
    f[2].Kraftstoffmenge = 40.3;
    f[2].BetragKraftstoff = vb::Currency::fromDouble(70);
    f[2].BetragWartung = vb::Currency::fromDouble(1150);
    f[2].Wartungstext = QStringLiteral("Inspektion").leftJustified(50);
    f[3].Eintragsstatus = 1;
    f[3].BetragWartung = vb::Currency::fromDouble(999);
    j.schreibe(f);
    sheet::RecordingSheet t;
    BetriebskostenTabelle(t, j.k, "Liter");
    const sheet::Blatt& b = t.blatt();
    EXPECT_EQ(b.name, "Betriebskosten");
    EXPECT_EQ(b.anzeigetext(1, 1), "Betriebskosten - Auswertungszeitraum vom     04.01.2016   bis     08.01.2016");
    EXPECT_TRUE(b.anzeigetext(2, 1).endsWith("Kennzeichen    MS-K 123"));
    EXPECT_EQ(b.anzeigetext(3, 1), "Halter des Fahrzeugs :  Kilometrika GmbH");
    EXPECT_EQ(b.anzeigetext(12, 4), "Liter");
    EXPECT_EQ(b.anzeigetext(13, 3), "Tanken");
    EXPECT_EQ(b.anzeigetext(13, 4), "45,5");
    EXPECT_EQ(b.anzeigetext(13, 5), "80,00 €");
    EXPECT_EQ(b.anzeigetext(14, 3).trimmed(), "Inspektion");
    EXPECT_EQ(b.anzeigetext(14, 4), "----");
    EXPECT_EQ(b.anzeigetext(14, 5), "1.150,00 €");
    EXPECT_EQ(b.anzeigetext(14, 1), "06.01.2016");
    EXPECT_EQ(b.anzeigetext(14, 2), "10270");
    EXPECT_EQ(b.anzeigetext(15, 3), "Tanken");
    EXPECT_EQ(b.finde(16, 1), nullptr);  // the cancelled workshop cost is left out
    EXPECT_EQ(b.anzeigetext(4, 5), "220 Kilometer");
    EXPECT_EQ(b.anzeigetext(5, 3), "Verbrauch in Liter");
    EXPECT_EQ(b.anzeigetext(5, 5), "85,80 Liter");
    EXPECT_EQ(b.anzeigetext(6, 5), "1,75 €");  // 150 / 85,8
    EXPECT_EQ(b.anzeigetext(7, 5), "39,00 L / 100 Km");
    EXPECT_EQ(b.anzeigetext(8, 5), "150,00 €");
    EXPECT_EQ(b.anzeigetext(9, 5), "1.150,00 €");
    EXPECT_EQ(b.anzeigetext(10, 3), "Betriebsausgaben ges.");
    EXPECT_EQ(b.anzeigetext(10, 5), "1.300,00 €");
    EXPECT_EQ(b.finde(10, 5)->ausrichtung, 4);
    EXPECT_NE(b.finde(12, 1)->rahmen, 0);

    sheet::RecordingSheet u;
    BetriebskostenTabelle(u, j.k, "Benzin");
    EXPECT_EQ(u.blatt().anzeigetext(12, 4), "");
    EXPECT_EQ(u.blatt().anzeigetext(5, 3), "");
    EXPECT_EQ(u.blatt().anzeigetext(5, 5), "85,80");
}

// Stored amounts and quantities at and beyond what the sums can show
// (raw 2^62 and 2^62 - 1 make the largest amount): each total is right or
// the mark, and the file is named once.
TEST(Betriebskostentabelle, TotalsBeyondTheRangeShowTheMarkAndNameTheFileOnce)
{
    const qint64 h = 4611686018427387904LL;   // 2^62
    const char* m = "Überlauf";
    const struct { qint64 kraftstoff1, kraftstoff2, wartung; double menge; const char* soll[7]; } faelle[] = {
        {h, h, 0, 10, {"200 Kilometer", "20,00 Liter", m, "10,00 L / 100 Km", m, "0,00 €", m}},
        {h, h - 1, 0, 10,
         {"200 Kilometer", "20,00 Liter", "46.116.860.184.273,88 €", "10,00 L / 100 Km", "922.337.203.685.477,58 €",
          "0,00 €", "922.337.203.685.477,58 €"}},
        {h, 0, h, 10,
         {"200 Kilometer", "10,00 Liter", "46.116.860.184.273,88 €", "5,00 L / 100 Km", "461.168.601.842.738,79 €",
          "461.168.601.842.738,79 €", m}},
        {10000, 10000, 0, HUGE_VAL, {"200 Kilometer", m, "0,00 €", m, "2,00 €", "0,00 €", "2,00 €"}},
    };
    for (const auto& f : faelle) {
        Jahr j;
        std::vector<FahrtDatensatz> t = {fahrt(J4, "", 3, 10000, 100), fahrt(J4 + 1, "", 3, 10100, 100)};
        t[0].Kraftstoffmenge = f.menge;
        t[0].BetragKraftstoff = vb::Currency::fromRaw(f.kraftstoff1);
        t[1].Kraftstoffmenge = f.kraftstoff2 ? 10 : 0;
        t[1].BetragKraftstoff = vb::Currency::fromRaw(f.kraftstoff2);
        t[1].BetragWartung = vb::Currency::fromRaw(f.wartung);
        j.schreibe(t);
        forms::ScopedFakes fakes;
        sheet::RecordingSheet a;
        BetriebskostenTabelle(a, j.k, "Liter");
        BetriebskostenTabelle(a, j.k, "Liter");
        bool marke = false;
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(a.blatt().anzeigetext(4 + i, 5), QString::fromUtf8(f.soll[i])) << i;
            marke = marke || f.soll[i] == m;
        }
        ASSERT_EQ(fakes.dialogs.shown.size(), marke ? 1 : 0);
        if (marke) {
            EXPECT_TRUE(fakes.dialogs.shown[0].prompt.contains(QStringLiteral("\"Auto1_16.dat\"")));
        }
    }
}

// Refuelled but no km driven: the consumption per 100 km is 0, no division.
TEST(Betriebskostentabelle, FuelCostsWithoutKilometresGiveNoConsumption)
{
    Jahr j;
    std::vector<FahrtDatensatz> f = {fahrt(J4, "", 3, 10000, 0), fahrt(J4 + 1, "", 3, 10000, 0)};
    f[0].Kraftstoffmenge = 40;
    f[0].BetragKraftstoff = vb::Currency::fromDouble(60);
    j.schreibe(f);
    forms::ScopedFakes fakes;
    sheet::RecordingSheet t;
    BetriebskostenTabelle(t, j.k, "Liter");
    EXPECT_EQ(t.blatt().anzeigetext(4, 5), "0 Kilometer");
    EXPECT_EQ(t.blatt().anzeigetext(7, 5), "0,00 L / 100 Km");
    EXPECT_EQ(t.blatt().anzeigetext(8, 5), QString::fromUtf8("60,00 €"));
    EXPECT_TRUE(fakes.dialogs.shown.isEmpty());
}

TEST(Prozenttabelle, CompanyAndPrivateSheets)
{
    Jahr j;
    Firmenanteile a;
    a.km = {0, 0, 3000, 1000, 0, 0};
    a.texte = {"", "0,00%", "75,00%", "25,00%", "0,00%", "0,00%"};
    sheet::RecordingSheet t;
    ProzentTabelleFirma(t, j.k, "MS-K 123", a);
    const sheet::Blatt& b = t.blatt();
    EXPECT_EQ(b.name, "Prozentverteilung der Fahrten");
    EXPECT_EQ(b.anzeigetext(1, 1), "Auswertungszeitraum vom     04.01.2016   bis     08.01.2016");
    EXPECT_EQ(b.anzeigetext(2, 1), "Die Auswertung ist für das Fahrzeug mit dem amtlichen Kennzeichen    MS-K 123" +
                                       QString(32, ' '));
    EXPECT_EQ(b.anzeigetext(7, 2), "Nutzung in % ");
    EXPECT_EQ(b.anzeigetext(10, 1), "Private Fahrten");
    EXPECT_EQ(b.anzeigetext(10, 2), "75,00%");
    EXPECT_EQ(b.anzeigetext(11, 2), "25,00%");
    EXPECT_EQ(b.anzeigetext(12, 1), "Fahrten im Zshg. mit stfr. Umsätzen");
    EXPECT_EQ(b.anzeigetext(14, 3), "4000");
    EXPECT_NE(b.finde(13, 2)->rahmen, 0);
    EXPECT_FALSE(b.seite.quer);

    // Family-home trips count in the total too.
    a.km = {0, 0, 3000, 1000, 0, 500};
    sheet::RecordingSheet mitHeimfahrten;
    ProzentTabelleFirma(mitHeimfahrten, j.k, "MS-K 123", a);
    EXPECT_EQ(mitHeimfahrten.blatt().anzeigetext(13, 3), "500");
    EXPECT_EQ(mitHeimfahrten.blatt().anzeigetext(14, 3), "4500");

    Privatanteile p{6000, 9000, 40.0, 60.0, 0};
    sheet::RecordingSheet u;
    ProzentTabellePrivat(u, j.k, "MS-K 123", p);
    EXPECT_EQ(u.blatt().anzeigetext(9, 1), "Private Fahrten");
    EXPECT_EQ(u.blatt().anzeigetext(9, 2), "60");
    EXPECT_EQ(u.blatt().anzeigetext(9, 3), "9000");
    EXPECT_EQ(u.blatt().anzeigetext(10, 2), "40");
    EXPECT_EQ(u.blatt().anzeigetext(10, 3), "6000");
    EXPECT_EQ(u.blatt().anzeigetext(14, 3), "15000");
}

TEST(Betriebskostentabelle, OperatingCostsOfAWorkedMonth)
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

TEST(Prozenttabelle, TripSharesOfBothCars)
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
