// The operating-cost and trip-share sheets.

#include "app/printout/tables/tabellen.h"
#include "arbeitsjahr.h"
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
