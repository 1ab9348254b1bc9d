// The figures of the operating-cost and trip-share evaluations on a small
// worked month.

#include "app/printout/tables/auswertungen.h"

#include <gtest/gtest.h>

using namespace kmk;
using namespace kmk::tabellen;

namespace {

const qint32 M1 = 42430;  // 01.03.2016

Fahrt fahrt(qint32 tag, qint32 km, quint8 status = 0)
{
    Fahrt f;
    f.satz.DatumAb = tag;
    f.satz.GefahreneKm = km;
    f.satz.KmAn = 10000 + tag - M1;
    f.satz.Eintragsstatus = status;
    f.satz.Fahrtart = 3;
    return f;
}

Fahrt tanken(Fahrt f, double menge, double euro)
{
    f.satz.Kraftstoffmenge = menge;
    f.satz.BetragKraftstoff = vb::Currency::fromDouble(euro);
    return f;
}

Fahrt wartung(Fahrt f, const QString& text, double euro)
{
    f.satz.Wartungstext = text.leftJustified(50);
    f.satz.BetragWartung = vb::Currency::fromDouble(euro);
    return f;
}

std::vector<Fahrt> arbeitsmonat()
{
    return {
        fahrt(M1, 50),                                         // before the first refuelling
        tanken(fahrt(M1 + 1, 100), 45.5, 80.0),                // first refuelling: km count starts
        wartung(fahrt(M1 + 4, 200), "Inspektion", 150.0),
        tanken(wartung(fahrt(M1 + 9, 120), "Öl", 20.0), 40.3, 70.0),
        tanken(fahrt(M1 + 11, 300, 1), 30.0, 50.0),            // cancelled
        tanken(fahrt(M1 + 12, 80, 2), 0.0, 0.0),               // a correction counts
        tanken(fahrt(M1 + 31, 90), 20.0, 30.0),                // after the range
    };
}

} // namespace

TEST(Betriebskosten, WorkedMonthGivesItsRowsAndTotals)
{
    const Betriebskosten b = BetriebskostenErmitteln(arbeitsmonat(), {M1, M1 + 30});
    ASSERT_EQ(b.zeilen.size(), 4u);
    EXPECT_TRUE(b.zeilen[0].tanken);
    EXPECT_DOUBLE_EQ(b.zeilen[0].menge, 45.5);
    EXPECT_FALSE(b.zeilen[1].tanken);
    EXPECT_TRUE(b.zeilen[1].bezeichner.startsWith("Inspektion"));
    EXPECT_TRUE(b.zeilen[2].bezeichner.startsWith(QStringLiteral("Öl")));  // workshop row first
    EXPECT_EQ(b.zeilen[3].bezeichner, "Tanken");
    EXPECT_DOUBLE_EQ(b.zeilen[3].menge, 40.3);
    EXPECT_EQ(b.zeilen[3].datum, M1 + 9);
    EXPECT_EQ(b.zeilen[3].kmStand, 10009);

    EXPECT_DOUBLE_EQ(b.km, 100 + 200 + 120 + 80);
    EXPECT_NEAR(b.menge, 85.8, 1e-9);
    EXPECT_EQ(b.kraftstoff->toGerman(), "150,00");
    EXPECT_EQ(b.wartung->toGerman(), "170,00");
    EXPECT_EQ(b.durchschnittspreis->toGerman(), "1,75");  // 150 / 85,8
}

TEST(Betriebskosten, RangeWithoutRefuellingCountsNoKmAndNoPrice)
{
    const Betriebskosten b = BetriebskostenErmitteln({fahrt(M1, 50), wartung(fahrt(M1 + 2, 10), "Reifen", 99.0)},
                                                     {M1, M1 + 30});
    EXPECT_EQ(b.km, 0);
    EXPECT_EQ(b.durchschnittspreis->raw, 0);
    EXPECT_EQ(b.zeilen.size(), 1u);
}

TEST(Prozentverteilung, CompanyCarSharesOfTheRange)
{
    std::vector<Fahrt> f = {fahrt(M1, 1000), fahrt(M1 + 1, 3000), fahrt(M1 + 2, 500, 1), fahrt(M1 + 40, 700),
                            fahrt(M1 + 3, 400)};
    f[1].satz.Fahrtart = 2;
    f[4].satz.Fahrtart = 0;  // old records add nothing
    const Firmenanteile a = FirmenanteileErmitteln(f, {M1, M1 + 30});
    EXPECT_EQ(a.km[3], 1000);
    EXPECT_EQ(a.km[2], 3000);
    EXPECT_EQ(a.texte[3], "25,00%");
    EXPECT_EQ(a.texte[2], "75,00%");
    EXPECT_EQ(a.texte[1], "0,00%");
    EXPECT_EQ(a.texte[5], "0,00%");

    const Firmenanteile leer = FirmenanteileErmitteln(f, {M1 + 100, M1 + 130});
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(leer.texte[k], "Leer");
}

TEST(Prozentverteilung, PrivateCarSplitsTheYearAtTheClosingReading)
{
    std::vector<Fahrt> f = {fahrt(M1, 2500), fahrt(M1 + 200, 3500), fahrt(M1 + 3, 999, 1)};
    f[0].satz.Fahrtkosten = 750.0;
    f[1].satz.Fahrtkosten = 1050.5;
    const Privatanteile p = PrivatanteileErmitteln(f, 20000, 35000);
    EXPECT_EQ(p.geschaeftskm, 6000);
    EXPECT_EQ(p.privatkm, 9000);
    EXPECT_EQ(Kommazahl(p.privatanteil), "60");
    EXPECT_EQ(Kommazahl(p.geschaeftsanteil), "40");
    EXPECT_DOUBLE_EQ(p.fahrtkostensumme, 1800.5);

    // Business km beyond the odometer difference: a negative private share.
    const Privatanteile n = PrivatanteileErmitteln(f, 30000, 35000);
    EXPECT_EQ(n.privatkm, -1000);
    EXPECT_EQ(Kommazahl(n.privatanteil), "-20");
    // Km beyond 16 bits.
    const Privatanteile g = PrivatanteileErmitteln({fahrt(M1, 40000)}, 0, 100000);
    EXPECT_EQ(g.geschaeftskm, 40000);
    EXPECT_EQ(g.privatkm, 60000);
}

TEST(Prozentverteilung, ClosingReadingMustBeANumber)
{
    struct Fall {
        const char* text;
        std::optional<double> wert;
    } faelle[] = {{"35000", 35000}, {" 35000 ", 35000}, {"35.000", 35000}, {"35000,5", 35000.5},
                  {"", std::nullopt}, {"abc", std::nullopt}, {"35000km", std::nullopt}, {"-5", std::nullopt},
                  {"3,5,0", std::nullopt}};
    for (const Fall& f : faelle)
        EXPECT_EQ(KmStandLesen(QString::fromUtf8(f.text)), f.wert) << f.text;
    EXPECT_EQ(Kommazahl(100.0 / 3.0), "33,3333333333333");
}

TEST(Prozentverteilung, EveryTripTypeCountsWithItsShare)
{
    struct Fall {
        quint8 art;
        qint32 km;
        const char* anteil;
    } faelle[] = {{1, 100, "10,00%"}, {2, 200, "20,00%"}, {3, 300, "30,00%"}, {4, 150, "15,00%"}, {5, 250, "25,00%"}};
    std::vector<Fahrt> f;
    for (const Fall& c : faelle) {
        f.push_back(fahrt(M1, c.km));
        f.back().satz.Fahrtart = c.art;
    }
    const Firmenanteile a = FirmenanteileErmitteln(f, {M1, M1 + 30});
    for (const Fall& c : faelle) {
        EXPECT_EQ(a.km[c.art], c.km) << int(c.art);
        EXPECT_EQ(a.texte[c.art], c.anteil) << int(c.art);
    }
}

TEST(Prozentverteilung, PrivateKmOfADecimalClosingReadingAreRoundedHalfToEven)
{
    struct Fall {
        qint32 anfangskm;
        double schlusskm;
        qint32 privatkm;
    } faelle[] = {{20000, 35000.4, 9000},   {20000, 35000.6, 9001},  {20000, 35000.5, 9000},
                  {20000, 35001.5, 9002},   {30000, 35000.4, -1000}, {30000, 35000.6, -999}};
    for (const Fall& c : faelle)   // 6,000 business km
        EXPECT_EQ(PrivatanteileBerechnen(6000, 0.0, c.anfangskm, c.schlusskm).privatkm, c.privatkm)
            << c.anfangskm << " " << c.schlusskm;
}

// Km of damaged records far beyond 32 bits are summed in full.
TEST(Prozentverteilung, KmSumsBeyond32BitsStayRight)
{
    const std::vector<Fahrt> f = {fahrt(M1, 2147483647), fahrt(M1 + 1, 2147483647), fahrt(M1 + 2, 2147483647)};
    const Firmenanteile a = FirmenanteileErmitteln(f, {M1, M1 + 30});
    EXPECT_EQ(a.km[3], 6442450941LL);
    EXPECT_EQ(a.texte[3], "100,00%");
    const Privatanteile p = PrivatanteileErmitteln({f[0], f[1]}, 0, 5000000000.0);
    EXPECT_EQ(p.geschaeftskm, 4294967294LL);
    EXPECT_EQ(p.privatkm, 705032706.0);
}
