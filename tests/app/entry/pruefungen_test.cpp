// The checks of a typed trip, run on a page of plain texts; then at the save
// button and F8 of the real main window.

#include "tests/app/entry/fenster.h"
#include "tests/app/entry/seite.h"

#include "app/entry/pruefungen.h"
#include "app/entry/tasten.h"
#include "app/entry/vorbelegung.h"
#include "app/mainwindow/form2.h"
#include "app/mainwindow/meldungen.h"
#include "platform/forms/fakes.h"
#include "platform/vb/date.h"
#include "platform/vb/text.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <deque>

using namespace kmk;
using kmktest::Fenster;

namespace {

struct Pruefstand {
    forms::ScopedFakes fakes;
    Fahrten1 st;
    TextEingabeseite s;
    Eingabedienste d;
    QList<int> meldungen;
    std::deque<bool> antworten;
    int beeps = 0;
    int pauschale = 0;
    Eintragung e{st, s, d};

    explicit Pruefstand(bool firma = true)
    {
        st.Jahr = "2016";
        st.Kfz.Firmenfahrzeug = firma ? -1 : 0;
        st.Kfz.Privatfahrzeug = firma ? 0 : -1;
        st.Voreinstellung.Warnhinweise = -1;
        d.meldung = [this](int n) {
            meldungen << n;
            if (antworten.empty())
                return true;
            const bool a = antworten.front();
            antworten.pop_front();
            return a;
        };
        d.beep = [this] { ++beeps; };
        d.PauschaleAnzeigen = [this] { ++pauschale; };
    }
    FahrtDatensatz& p() { return st.Satzpuffer[0]; }
};

qint32 tag(int d, int m, int y = 2016) { return vb::DateSerial(y, m, d); }

} // namespace

TEST(KmBerechnen, CompanyCarOdometerPingPongAndPrivateCarCost)
{
    Pruefstand t;
    t.s.texte = {{"AnzKmAb", "345"}, {"EinGefKm", "100"}};
    KmBerechnen(t.e, true);
    EXPECT_EQ(t.s.text("EinkmAn"), "445");
    EXPECT_EQ(t.p().KmAb, 345);
    EXPECT_EQ(t.p().KmAn, 445);
    EXPECT_EQ(t.p().GefahreneKm, 100);
    t.s.texte["EinkmAn"] = "300";
    KmBerechnen(t.e, false);
    EXPECT_EQ(t.s.text("EinGefKm"), "-45");
    // Beyond the 32-bit range the reading stops at its end instead of wrapping.
    t.s.texte = {{"AnzKmAb", "2147483000"}, {"EinGefKm", "1000"}};
    KmBerechnen(t.e, true);
    EXPECT_EQ(t.s.text("EinkmAn"), "2147483647");

    struct Fall { const char* personen; const char* km; const char* text; double kosten; };
    for (const Fall& f : {Fall{"2", "100", "34,00", 34.0}, Fall{"0", "100", "30,00", 30.0}, Fall{" 5", "3", "1,20", 1.2},
                          Fall{"", "", "0,00", 0.0}}) {
        Pruefstand p(false);
        p.s.texte = {{"PersAnz", f.personen}, {"EinGefKm", f.km}};
        KmBerechnen(p.e, true);
        EXPECT_EQ(p.s.text("aktuFahrko"), f.text) << f.personen << " " << f.km;
        EXPECT_NEAR(p.p().Fahrtkosten, f.kosten, 1e-9);
        EXPECT_FALSE(p.s.texte.contains("EinkmAn"));
    }
}

TEST(KmStandTest, ArrivalBelowDepartureIsReplacedWithABeepAndMessage96WithWarningsOnly)
{
    for (bool warn : {true, false}) {
        Pruefstand t;
        t.st.Voreinstellung.Warnhinweise = warn ? -1 : 0;
        t.s.texte = {{"AnzKmAb", "345"}, {"EinkmAn", "300"}, {"EinGefKm", "-45"}};
        EXPECT_FALSE(KmStandTest(t.e));
        EXPECT_EQ(t.beeps, 1);
        EXPECT_EQ(t.meldungen, warn ? QList<int>{96} : QList<int>{});
        EXPECT_EQ(t.s.text("EinkmAn"), "345");
        EXPECT_EQ(t.s.text("EinGefKm"), "0");
    }
    Pruefstand t;
    t.s.texte = {{"AnzKmAb", "345"}, {"EinkmAn", "345"}};
    EXPECT_TRUE(KmStandTest(t.e));
    EXPECT_EQ(t.beeps, 0);
}

TEST(JournalTest, EightDayWindowFutureDatesAndEntryDates)
{
    struct Fall { qint32 ab; QDate heute; QTime zeit; bool journal; int befund; };
    const Fall faelle[] = {
        {tag(1, 3), QDate(2016, 3, 9), QTime(0, 1), true, 100},
        {tag(1, 3), QDate(2016, 3, 8), QTime(23, 59), true, 0},
        {tag(2, 3), QDate(2016, 3, 1), QTime(23, 59), true, 98},
        {tag(1, 3), QDate(2016, 3, 1), QTime(12, 0), true, 0},
        {tag(1, 3), QDate(2016, 3, 20), QTime(12, 0), false, 0},
    };
    for (const Fall& f : faelle) {
        Pruefstand t;
        t.fakes.clock.day = f.heute;
        t.fakes.clock.time = f.zeit;
        t.st.Voreinstellung.Journalfunktion = f.journal ? -1 : 0;
        t.st.NeuerEintragOffen = true;
        t.p().DatumAb = t.p().DatumAn = f.ab;
        EXPECT_EQ(JournalTest(t.e), f.befund) << f.heute.toString().toStdString() << " " << f.zeit.toString().toStdString();
    }
    // An entry date before the last entry's, from the third trip on.
    Pruefstand t;
    t.st.Voreinstellung.Journalfunktion = -1;
    t.st.NeuerEintragOffen = true;
    t.fakes.clock.day = QDate(2016, 3, 5);
    t.p().DatumAb = t.p().DatumAn = tag(4, 3);
    t.p().Eintragungsdatum = tag(5, 3);
    t.st.Pufferindex = 2;
    t.st.Satzpuffer[2].Eintragungsdatum = tag(6, 3);
    t.st.Satznummer = 3;
    EXPECT_EQ(JournalTest(t.e), 97);
    t.st.Satznummer = 2;
    EXPECT_EQ(JournalTest(t.e), 0);
    t.st.NeuerEintragOffen = false;
    t.st.Satznummer = 3;
    EXPECT_EQ(JournalTest(t.e), 0);
}

TEST(PflichtfeldTest, RequiredFieldsByTripTypeAndVehicleShowTheFirstMissing)
{
    struct Fall { bool firma; int typ; QStringList gefuellt; bool ok; QList<int> gezeigt; };
    const QStringList alle = {"EinVon", "EinUber", "EinNach", "EinGrund", "EinGesprach"};
    const Fall faelle[] = {
        {true, 3, {}, false, {33}},
        {true, 3, {"EinVon", "EinNach"}, false, {34}},
        {true, 4, {"EinVon", "EinUber", "EinNach", "EinGrund"}, false, {37}},
        {true, 1, {}, false, {33}},
        {true, 1, {"EinVon"}, false, {35}},
        {true, 5, {"EinVon", "EinNach"}, true, {}},
        {true, 2, {}, true, {}},
        {true, 0, {}, true, {}},
        {true, 3, alle, true, {}},
        {false, 3, alle, true, {}},
        {false, 3, {"EinVon"}, false, {34}},
        {false, 2, {}, false, {}},
    };
    for (const Fall& f : faelle) {
        Pruefstand t(f.firma);
        t.p().Fahrtart = quint8(f.typ);
        t.s.texte = {{"AnzKmAb", "100"}, {"EinkmAn", "150"}, {"EinGefKm", "50"}};
        for (const QString& n : f.gefuellt)
            t.s.texte[n] = "x";
        t.s.texte["EinUber"] += "  ";   // blanks alone count as empty
        EXPECT_EQ(PflichtfeldTest(t.e), f.ok) << f.firma << " " << f.typ;
        EXPECT_EQ(t.meldungen, f.gezeigt) << f.firma << " " << f.typ;
    }
    // The odometer unchanged (company car) or no km (private car's business trip): 38.
    Pruefstand firma;
    firma.p().Fahrtart = 2;
    firma.s.texte = {{"AnzKmAb", "100"}, {"EinkmAn", " 100 "}};
    EXPECT_FALSE(PflichtfeldTest(firma.e));
    EXPECT_EQ(firma.meldungen, QList<int>{38});
    Pruefstand privat(false);
    privat.p().Fahrtart = 3;
    for (const QString& n : alle)
        privat.s.texte[n] = "x";
    privat.s.texte["EinGefKm"] = "0";
    EXPECT_FALSE(PflichtfeldTest(privat.e));
    EXPECT_EQ(privat.meldungen, QList<int>{38});
    EXPECT_EQ(privat.s.text("EinZeitAb"), "00:00");
}

// The placeholder "Privat" goes into the record when it is written, never
// onto the page.
TEST(PflichtfeldTest, PrivateTripWithOnlyKmLeavesItsTextsAndZeroesItsTimes)
{
    Pruefstand t;
    t.st.Voreinstellung.PrivatNurKm = -1;
    t.p().Fahrtart = 2;
    t.s.texte = {{"AnzKmAb", "100"}, {"EinkmAn", "120"}, {"EinZeitAb", "08:00"}, {"EinZeitAn", "09:00"}};
    EXPECT_TRUE(PflichtfeldTest(t.e));
    for (const char* n : {"EinVon", "EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer"})
        EXPECT_EQ(t.s.text(n), "") << n;
    EXPECT_EQ(t.s.text("EinZeitAb"), "00:00");
    EXPECT_EQ(t.s.text("EinZeitAn"), "00:00");
}

namespace {

// A trip typed after a stored one that arrived on 'vorAn' at 10:30.
void folge(Pruefstand& t, qint32 vorAn, qint32 ab, qint32 an, int zeitAb, int zeitAn, int typ = 3)
{
    t.st.Pufferindex = 2;
    t.st.Satznummer = 5;
    FahrtDatensatz& v = t.st.Satzpuffer[2];
    v.DatumAb = v.DatumAn = vorAn;
    v.ZeitAn = 10 * 60 + 30;
    t.p().Fahrtart = quint8(typ);
    t.p().DatumAb = ab;
    t.p().DatumAn = an;
    t.s.texte = {{"EinDatumAb", vb::DateText(ab)}, {"EinDatumAn", vb::DateText(an)}};
    t.p().ZeitAb = qint16(zeitAb);
    t.p().ZeitAn = qint16(zeitAn);
}

} // namespace

TEST(FahrtfolgeTest, TimesOfAOneDayTripAreCorrectedAgainstTheTripBefore)
{
    struct Fall { qint32 ab; int zeitAb, zeitAn; bool warn; int befund; QString textAb, textAn; };
    const Fall faelle[] = {
        {tag(3, 3), 9 * 60, 11 * 60, true, 67, "10:31", "10:32"},
        {tag(3, 3), 9 * 60, 11 * 60, false, 0, "10:31", "10:32"},
        {tag(3, 3), 11 * 60, 11 * 60, true, 67, "10:31", "10:32"},   // equal times on the same day
        {tag(4, 3), 14 * 60, 13 * 60, true, 68, "12:59", ""},
        {tag(4, 3), 13 * 60, 13 * 60, true, 0, "", ""},               // equal times on another day
        {tag(4, 3), 5, 0, true, 68, "00:00", ""},                     // never before midnight
    };
    for (const Fall& f : faelle) {
        Pruefstand t;
        t.st.Voreinstellung.Warnhinweise = f.warn ? -1 : 0;
        folge(t, tag(3, 3), f.ab, f.ab, f.zeitAb, f.zeitAn);
        EXPECT_EQ(FahrtfolgeTest(t.e), f.befund) << f.zeitAb;
        EXPECT_EQ(t.s.text("EinZeitAb"), f.textAb) << f.zeitAb;
        EXPECT_EQ(t.s.text("EinZeitAn"), f.textAn) << f.zeitAb;
        EXPECT_EQ(t.pauschale, f.befund > 0 ? 1 : 0);
    }
}

TEST(FahrtfolgeTest, DatesYearsAndTheGapQuestion)
{
    {   // Departure before the last arrival: both dates put back, 70.
        Pruefstand t;
        folge(t, tag(10, 3), tag(8, 3), tag(8, 3), 600, 700);
        t.st.Voreinstellung.OhneZeiten = -1;
        EXPECT_EQ(FahrtfolgeTest(t.e), 70);
        EXPECT_EQ(t.s.text("EinDatumAb"), "10.03.2016");
        EXPECT_EQ(t.s.text("EinDatumAn"), "10.03.2016");
    }
    {   // Another year: the departure date is corrected on the page too, 69.
        Pruefstand t;
        folge(t, tag(10, 3), tag(10, 3, 2017), tag(10, 3, 2017), 700, 800);
        EXPECT_EQ(FahrtfolgeTest(t.e), 69);
        EXPECT_EQ(t.p().DatumAb, tag(10, 3));
        EXPECT_EQ(t.s.text("EinDatumAb"), "10.03.2016");
    }
    {   // Departure after arrival: reported only.
        Pruefstand t;
        folge(t, tag(10, 3), tag(12, 3), tag(11, 3), 700, 800);
        EXPECT_EQ(FahrtfolgeTest(t.e), 103);
        EXPECT_TRUE(t.s.geschrieben.isEmpty());
    }
    // The gap: five days ask question 71, four do not; yes clears an
    // earlier finding, no gives 6.
    struct Gap { int tage; std::deque<bool> antwort; int befund; QList<int> gezeigt; int typ; };
    for (const Gap& g : {Gap{4, {}, 68, {}, 3}, Gap{5, {true}, 0, {71}, 3}, Gap{5, {false}, 6, {71}, 3},
                         Gap{5, {false}, 6, {71}, 2}}) {
        Pruefstand t;
        folge(t, tag(10, 3), tag(10 + g.tage, 3), tag(10 + g.tage, 3), 14 * 60, 13 * 60, g.typ);
        t.antworten = g.antwort;
        EXPECT_EQ(FahrtfolgeTest(t.e), g.befund) << g.tage;
        EXPECT_EQ(t.meldungen, g.gezeigt) << g.tage;
    }
    {   // Without a trip before it, record 1 is not compared with itself.
        Pruefstand t;
        t.st.Pufferindex = 1;
        t.st.Satznummer = 1;
        t.st.Satzpuffer[1].DatumAn = tag(3, 3);
        t.st.Satzpuffer[1].ZeitAn = 600;
        t.p().Fahrtart = 3;
        t.p().DatumAb = t.p().DatumAn = tag(3, 3);
        t.s.texte = {{"EinDatumAb", "03.03.2016"}, {"EinDatumAn", "03.03.2016"}};
        t.p().ZeitAb = 480;
        t.p().ZeitAn = 600;
        EXPECT_EQ(FahrtfolgeTest(t.e), 0);
        EXPECT_TRUE(t.s.geschrieben.isEmpty());
    }
    {   // While a date or time field has the focus only the gap counts.
        Pruefstand t;
        folge(t, tag(10, 3), tag(8, 3), tag(8, 3), 900, 800);
        t.st.FolgepruefungAus = true;
        EXPECT_EQ(FahrtfolgeTest(t.e), 0);
        EXPECT_EQ(FahrtTestOhnePrivat(t.e), 0);
    }
}

TEST(DatumZeitTest, NoRealDayAndHoursPast24AreRefusedWithTheirMessages)
{
    struct Fall { const char* ab; const char* zeitAn; bool ohneZeiten; int befund; };
    for (const Fall& f : {Fall{"31.02.2016", "10:00", false, 109}, Fall{"29.02.2016", "24:30", false, 113},
                          Fall{"29.02.2016", "24:00", false, 0}, Fall{"29.02.2016", "ab:00", false, 113},
                          Fall{"29.02.2016", "10:6x", false, 114}, Fall{"29.02.2016", "24:30", true, 0},
                          Fall{"01.01.2015", "10:00", false, 108}}) {
        Pruefstand t;
        t.st.Voreinstellung.OhneZeiten = f.ohneZeiten ? -1 : 0;
        t.s.texte = {{"EinDatumAb", f.ab}, {"EinDatumAn", "29.02.2016"}, {"EinZeitAb", "09:00"}, {"EinZeitAn", f.zeitAn}};
        EXPECT_EQ(DatumZeitTest(t.e), f.befund) << f.ab << " " << f.zeitAn;
        EXPECT_EQ(t.meldungen.size(), f.befund ? 1 : 0);
    }
}

TEST(FahrtLoschen, PrefillFromTheTripBeforeOrTheVehiclesStart)
{
    struct Fall { qint32 satz; bool vorgeben; const char* km; const char* ab; const char* an; };
    for (const Fall& f : {Fall{5, true, "12345", "17:46", "18:45"}, Fall{5, false, "12345", "08:00", "12:00"},
                          Fall{1, true, "1000", "08:00", "12:00"}}) {
        Pruefstand t;
        t.st.Kfz.Anfangskm = 1000;
        t.st.Kfz.Standort = "Köln";
        t.st.Voreinstellung.ZeitenVorgeben = f.vorgeben ? -1 : 0;
        t.st.Satznummer = f.satz;
        t.st.Pufferindex = 2;
        t.st.Satzpuffer[2].KmAn = 12345;
        t.st.Satzpuffer[2].ZeitAn = 17 * 60 + 45;
        t.s.texte["EinGrund"] = "alt";
        FahrtLoschen(t.e);
        EXPECT_EQ(t.s.text("AnzKmAb"), f.km);
        EXPECT_EQ(t.s.text("EinkmAn"), f.km);
        EXPECT_EQ(t.s.text("EinGefKm"), "0");
        EXPECT_EQ(t.s.text("EinZeitAb"), f.ab);
        EXPECT_EQ(t.s.text("EinZeitAn"), f.an);
        EXPECT_EQ(t.s.text("EinVon"), QString("Köln").leftJustified(30));
        EXPECT_EQ(t.s.text("EinGrund"), "");
        EXPECT_EQ(t.p().KmAb, QString(f.km).toInt());
    }
}

TEST(Datenzurucksetzen, FieldsEmptyTimesMidnightAllowanceFlagFollowsTheSetting)
{
    Pruefstand t;
    t.st.Voreinstellung.MitVerpflegungspauschale = -1;
    t.s.texte = {{"EinVon", "Bonn"}, {"TBGesamt", "12,50 €"}, {"LReisekosten", "14"}, {"AnzKmAb", "5"}};
    t.st.Satzpuffer[3].Von = "Bonn";
    t.st.Satzpuffer[3].DatumAb = 42000;
    Datenzurucksetzen(t.e);
    EXPECT_EQ(t.s.text("EinZeitAb"), "00:00");
    EXPECT_EQ(t.s.text("EinZeitAn"), "00:00");
    for (const char* n : {"EinVon", "TBGesamt", "LReisekosten", "AnzKmAb"})
        EXPECT_EQ(t.s.text(n), "") << n;
    EXPECT_NE(t.st.Satzpuffer[3].MitPauschale, 0);
    EXPECT_EQ(vb::Trim(t.st.Satzpuffer[3].Von), "");
    EXPECT_EQ(t.st.Satzpuffer[3].DatumAb, 42000);
}

TEST(Betraege, KeyFilterAndCurrencyText)
{
    struct Taste { int zeichen; const char* text; int ergebnis; };
    for (const Taste& k : {Taste{',', "", 0}, Taste{'5', "", '5'}, Taste{',', "12", ','}, Taste{',', "12,", 0},
                           Taste{'a', "1", 0}, Taste{'.', "1", 0}, Taste{13, "1", 0}, Taste{8, "", 8}})
        EXPECT_EQ(PruefeZeichen(k.zeichen, k.text), k.ergebnis) << k.zeichen << " " << k.text;
    EXPECT_EQ(CheckCurrency("1.234,50"), "1.234,50 €");
    EXPECT_EQ(CheckCurrency("12,5"), "12,50 €");
    EXPECT_EQ(CheckCurrency("12,5", "Liter "), "12,50 Liter");
    EXPECT_EQ(CheckCurrency("   "), "   ");
    // No number: the text comes back as it was.
    EXPECT_EQ(CheckCurrency(","), ",");
    EXPECT_EQ(CheckCurrency("Tankbeleg"), "Tankbeleg");
    double w = 7;
    EXPECT_FALSE(BetragLesen(",", w));
    EXPECT_EQ(w, 7);
    EXPECT_TRUE(BetragLesen("12,50 €", w));
    EXPECT_EQ(w, 12.5);
}

TEST(JournalTest, JournalWindowCountsTheTimeOfDayAndTheLaterHitWins)
{
    struct Fall { qint32 ab, an; QDate heute; QTime zeit; int satz; int eintrag; int befund; };
    const Fall faelle[] = {
        {tag(1, 3), tag(2, 3), QDate(2016, 3, 9), QTime(0, 1), 2, 0, 100},     // departure counts
        {tag(2, 3), tag(2, 3), QDate(2016, 3, 9), QTime(23, 59), 2, 0, 0},
        {tag(3, 3), tag(1, 3), QDate(2016, 3, 9), QTime(0, 1), 2, 0, 100},     // arrival counts too
        {tag(1, 3), tag(10, 3), QDate(2016, 3, 9), QTime(0, 1), 2, 0, 98},     // future replaces 100
        {tag(9, 3), tag(9, 3), QDate(2016, 3, 9), QTime(23, 59), 2, 0, 0},
        {tag(9, 3), tag(9, 3), QDate(2016, 3, 9), QTime(12, 0), 3, tag(8, 3), 97},
        {tag(9, 3), tag(9, 3), QDate(2016, 3, 9), QTime(12, 0), 2, tag(8, 3), 0},   // not before the third trip
        {tag(10, 3), tag(10, 3), QDate(2016, 3, 9), QTime(12, 0), 3, tag(8, 3), 97},
    };
    for (const Fall& f : faelle) {
        Pruefstand t;
        t.fakes.clock.day = f.heute;
        t.fakes.clock.time = f.zeit;
        t.st.Voreinstellung.Journalfunktion = -1;
        t.st.NeuerEintragOffen = true;
        t.st.Pufferindex = 2;
        t.st.Satznummer = f.satz;
        t.st.Satzpuffer[2].Eintragungsdatum = tag(9, 3);
        t.p().Eintragungsdatum = f.eintrag ? f.eintrag : tag(9, 3);
        t.p().DatumAb = f.ab;
        t.p().DatumAn = f.an;
        EXPECT_EQ(JournalTest(t.e), f.befund) << f.ab << " " << f.an << " " << f.zeit.toString();
        t.st.NeuerEintragOffen = false;
        EXPECT_EQ(JournalTest(t.e), 0);
    }
}

TEST(FahrtfolgeTest, OrderCheckCorrectsOneDayTripsOnlyAndStillAsksAboutTheGap)
{
    // Trip before: 10.03., arrived 10:30 (630).
    struct Fall { int index; qint32 ab, an; int zeitAb, zeitAn; int typ; bool aus; int befund; QString textAb, textAn; QList<int> fragen; };
    const Fall faelle[] = {
        {2, tag(10, 3), tag(10, 3), 629, 700, 3, false, 67, "10:31", "10:32", {}},
        {2, tag(10, 3), tag(10, 3), 630, 700, 3, false, 0, "", "", {}},               // the arrival minute itself passes
        {2, tag(11, 3), tag(12, 3), 900, 600, 3, false, 0, "", "", {}},               // two days: times not compared
        {2, tag(11, 3), tag(11, 3), 900, 600, 2, false, 0, "", "", {}},               // private trip
        {1, tag(11, 3), tag(11, 3), 900, 600, 3, false, 68, "09:59", "", {}},         // no trip before: other-day rule
        {2, tag(11, 3), tag(11, 3), 900, 600, 3, true, 0, "", "", {}},                // a date field has the focus
        {2, tag(16, 3), tag(16, 3), 900, 600, 3, true, 0, "", "", {71}},              // the gap is asked all the same
        {2, tag(11, 3), tag(9, 3), 700, 800, 3, false, 103, "", "", {}},
        {2, tag(11, 3), tag(2, 1, 2017), 700, 800, 3, false, 69, "", "", {}},         // arrival in another year
    };
    for (const Fall& f : faelle) {
        Pruefstand t;
        t.st.Pufferindex = f.index;
        t.st.Satznummer = 4;
        for (int i : {1, 2}) {
            t.st.Satzpuffer[i].DatumAb = t.st.Satzpuffer[i].DatumAn = tag(10, 3);
            t.st.Satzpuffer[i].ZeitAn = 630;
        }
        t.st.FolgepruefungAus = f.aus;
        t.p().Fahrtart = quint8(f.typ);
        t.p().DatumAb = f.ab;
        t.p().DatumAn = f.an;
        t.s.texte = {{"EinDatumAb", vb::DateText(f.ab)}, {"EinDatumAn", vb::DateText(f.an)}};
        t.p().ZeitAb = qint16(f.zeitAb);
        t.p().ZeitAn = qint16(f.zeitAn);
        EXPECT_EQ(FahrtfolgeTest(t.e), f.befund) << f.zeitAb << " " << f.typ;
        EXPECT_EQ(t.s.text("EinZeitAb"), f.textAb) << f.zeitAb;
        EXPECT_EQ(t.s.text("EinZeitAn"), f.textAn) << f.zeitAb;
        EXPECT_EQ(t.meldungen, f.fragen) << f.zeitAb;
    }
}

TEST(DatumZeitTest, DateAndTimeTextsAtSavingShowTheFirstMessageOnly)
{
    struct Fall { const char* ab; const char* an; const char* zeitAb; const char* zeitAn; int befund; QList<int> gezeigt; };
    const Fall faelle[] = {
        {"31.04.2016", "01.05.2016", "08:00", "09:00", 109, {109}},
        {"01.05.2016", "30.02.2016", "08:00", "09:00", 109, {109}},
        {"1.1.2016", "01.01.2016", "08:00", "09:00", 107, {105}},
        {"29.02.2016", "29.02.2016", "1200", "13:00", 112, {111}},
        {"29.02.2016", "29.02.2016", "12:60", "13:00", 114, {114}},
        {"29.02.2016", "29.02.2016", "08:00", "24:30", 113, {113}},
        {"29.02.2016", "29.02.2016", "00:00", "24:00", 0, {}},
        {" 29.02.2016 ", "29.02.2016", " 08:15 ", "23:59", 0, {}},
    };
    for (const Fall& f : faelle) {
        Pruefstand t;
        t.s.texte = {{"EinDatumAb", f.ab}, {"EinDatumAn", f.an}, {"EinZeitAb", f.zeitAb}, {"EinZeitAn", f.zeitAn}};
        EXPECT_EQ(DatumZeitTest(t.e), f.befund) << f.ab << " " << f.an << " " << f.zeitAb << " " << f.zeitAn;
        EXPECT_EQ(t.meldungen, f.gezeigt) << f.ab << " " << f.zeitAb;
    }
}

TEST(Speicherknopf, SaveButtonShowsTheLastRequiredFindingByTripAndVehicleType)
{
    // typ 0: no option chosen; befund 0: the trip is appended.
    struct Fall { bool firma; int typ; QStringList leer; int befund; };
    const Fall faelle[] = {
        {true, 0, {"EinDatumAb"}, 61},
        {true, 0, {}, 63},
        {true, 3, {"EinDatumAb", "EinNach"}, 35},
        {true, 3, {"EinGesprach", "EinGrund", "EinNach"}, 35},
        {true, 3, {"EinGesprach", "EinGrund"}, 36},
        {true, 3, {"EinGesprach"}, 37},
        {true, 3, {"EinDatumAn", "EinGefKm"}, 38},
        {true, 1, {"EinVon", "EinNach"}, 35},
        {true, 5, {"EinUber"}, 34},
        {true, 1, {"EinUber"}, 0},
        {true, 4, {"EinGesprach", "EinGrund"}, 36},   // the dispatcher's own check: first missing
        {true, 2, {"EinVon", "EinUber", "EinNach", "EinGesprach", "EinGrund"}, 0},
        {false, 2, {"EinVon"}, 33},            // the save click makes it a business trip
        {false, 2, {"EinGrund"}, 36},
        {false, 3, {}, 0},
    };
    const char* optionen[] = {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"};
    for (bool firma : {true, false}) {
        Fenster w(firma);
        fahrten1().Voreinstellung.Warnhinweise = 0;
        fahrten1().Voreinstellung.Journalfunktion = 0;
        for (const Fall& f : faelle) {
            if (f.firma != firma)
                continue;
            w.taste(Qt::Key_F9);
            w.fuellen("15.06.2016", "08:00", "12:00");
            // Blank driven km only stay blank once the odometer has settled.
            if (f.leer.contains("EinGefKm"))
                w.setzen("EinGefKm", "0");
            for (const QString& n : f.leer)
                w.setzen(n.toLatin1().constData(), " ");
            for (int i = 0; i < 5; ++i)
                forms::setOptionValue(w.f->ctl<QRadioButton>(optionen[i]), i + 1 == f.typ);
            const qsizetype vorher = w.satzanzahl();
            w.u.meldungen.clear();
            w.maus("EintragSpeichern");
            const QString fall = QString("%1 %2 %3").arg(firma).arg(f.typ).arg(f.leer.join(','));
            if (f.befund) {
                EXPECT_EQ(w.u.meldungen.value(0), f.befund) << fall;
                EXPECT_EQ(w.satzanzahl(), vorher) << fall;
            } else {
                EXPECT_EQ(w.satzanzahl(), vorher + 1) << fall << " " << w.u.meldungen.value(0);
            }
            if (!firma) {
                EXPECT_TRUE(w.f->ctl<QRadioButton>("OptGesch")->isChecked()) << fall;
            }
        }
        // The journal stamp is written even when a required field is missing.
        fahrten1().Voreinstellung.Journalfunktion = -1;
        w.taste(Qt::Key_F9);
        w.fuellen("15.06.2016", "08:00", "12:00");
        w.setzen("EinNach", "");
        fahrten1().Satzpuffer[0].Eintragungsdatum = 0;
        w.maus("EintragSpeichern");
        EXPECT_EQ(fahrten1().Satzpuffer[0].Eintragungsdatum, tag(15, 6));
    }
}

TEST(Speicherknopf, NoRealDayOrTimeReachesTheFileByButtonOrF8)
{
    Fenster w;
    w.mitZeiten();
    fahrten1().Voreinstellung.Journalfunktion = 0;
    struct Fall { const char* datum; const char* an; bool f8; int meldung; };
    for (const Fall& f : {Fall{"31.02.2016", "12:00", false, 109}, Fall{"31.02.2016", "12:00", true, 109},
                          Fall{"15.06.2016", "24:30", false, 113}, Fall{"15.06.2016", "24:30", true, 113},
                          Fall{"15.06.2016", "12:60", true, 114}}) {
        w.taste(Qt::Key_F9);
        w.fuellen(f.datum, "08:00", f.an);
        w.u.meldungen.clear();
        if (f.f8) {
            w.feld("EinGrund")->setFocus();
            QTest::keyClick(w.feld("EinGrund"), Qt::Key_F8);
        } else {
            w.maus("EintragSpeichern");
        }
        EXPECT_EQ(w.satzanzahl(), 0) << f.datum << " " << f.an << " " << f.f8;
        EXPECT_TRUE(w.u.meldungen.contains(f.meldung)) << f.datum << " " << f.an << " " << f.f8;
    }
    // 24:00 is a time of day the form accepts.
    w.taste(Qt::Key_F9);
    w.fuellen("15.06.2016", "08:00", "24:00");
    w.maus("EintragSpeichern");
    EXPECT_EQ(w.satzanzahl(), 1);
    // F8 measures the order by the dates typed last, not by the page's
    // last refresh: the typed times are saved as they stand.
    fahrten1().Voreinstellung.Warnhinweise = 0;
    w.taste(Qt::Key_F9);
    w.fuellen("15.06.2016", "09:00", "10:00");
    w.neu("EinDatumAb", "16.06.2016");
    w.neu("EinDatumAn", "16.06.2016");
    w.verlassen("EinDatumAn", "EinGrund");
    QTest::keyClick(w.feld("EinGrund"), Qt::Key_F8);
    ASSERT_EQ(w.satzanzahl(), 2);
    const FahrtDatensatz z = FahrtDatensatz::ausBytes(w.u.lies("Auto1_16.dat").mid(FahrtDatensatz::Laenge));
    EXPECT_EQ(z.DatumAb, tag(16, 6));
    EXPECT_EQ(z.ZeitAb, 9 * 60);
    EXPECT_EQ(z.ZeitAn, 10 * 60);
    EXPECT_EQ(w.text("EinZeitAb"), "09:00");
}

TEST(Speicherknopf, OrderFindingsAtTheSaveButtonCorrectThePageAndSaveNothing)
{
    Fenster w;
    w.mitZeiten();
    fahrten1().Voreinstellung.Journalfunktion = 0;
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.taste(Qt::Key_F9);
    w.fuellen("15.06.2016", "08:00", "12:00");
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.satzanzahl(), 1);
    struct Fall { const char* datum; const char* ab; const char* an; int befund; const char* neuAb; const char* neuAn; };
    for (const Fall& f : {Fall{"15.06.2016", "11:00", "13:00", 67, "12:01", "12:02"},
                          Fall{"16.06.2016", "14:00", "13:00", 68, "12:59", "13:00"}}) {
        w.taste(Qt::Key_F9);
        w.fuellen(f.datum, f.ab, f.an);
        w.u.meldungen.clear();
        w.maus("EintragSpeichern");
        EXPECT_EQ(w.u.meldungen, QList<int>{f.befund}) << f.datum;
        EXPECT_EQ(w.satzanzahl(), 1) << f.datum;
        EXPECT_EQ(w.text("EinZeitAb"), f.neuAb) << f.datum;
        EXPECT_EQ(w.text("EinZeitAn"), f.neuAn) << f.datum;
    }
    // The corrected page saves on the next click.
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.satzanzahl(), 2);
    const FahrtDatensatz z = FahrtDatensatz::ausBytes(w.u.lies("Auto1_16.dat").mid(FahrtDatensatz::Laenge));
    EXPECT_EQ(z.ZeitAb, 12 * 60 + 59);
    EXPECT_EQ(z.ZeitAn, 13 * 60);
}

// Without warnings the order rules correct silently: the record takes the
// date the page is set back to, on a private car's trip in place too.
TEST(Speicherknopf, ADateBeforeTheTripBeforeIsSetBackInThePageAndTheRecord)
{
    for (bool firma : {true, false}) {
        Fenster w(firma);
        fahrten1().Voreinstellung.Warnhinweise = 0;
        for (const char* tag : {"10.03.2016", "14.03.2016", "15.03.2016"})
            w.fahrt(tag, "10", "Bonn");
        w.taste(Qt::Key_F6);
        ASSERT_EQ(w.text("EinDatumAb"), "15.03.2016");
        w.neu("EinDatumAb", "05.03.2016");
        w.neu("EinDatumAn", "05.03.2016");
        w.neu("EinGrund", "anders");
        w.maus("EintragSpeichern");
        const int n = firma ? 4 : 3;
        ASSERT_EQ(w.satzanzahl(), n) << firma;
        EXPECT_EQ(vb::DateText(w.satz(n).DatumAb), "14.03.2016") << firma;
        EXPECT_EQ(vb::DateText(w.satz(n).DatumAn), "14.03.2016") << firma;
        EXPECT_EQ(w.text("EinDatumAb"), "14.03.2016") << firma;
    }
}

TEST(Speicherknopf, JournalWindowAtTheSaveButtonWithTheClockSet)
{
    Fenster w;
    fahrten1().Voreinstellung.Journalfunktion = -1;
    fahrten1().Voreinstellung.Warnhinweise = 0;
    struct Fall { const char* datum; QDate heute; QTime zeit; std::deque<bool> antworten; int frage; qsizetype satz; };
    const Fall faelle[] = {
        {"16.06.2016", QDate(2016, 6, 15), QTime(12, 0), {}, 98, 0},
        {"07.06.2016", QDate(2016, 6, 15), QTime(0, 1), {false}, 100, 0},
        {"07.06.2016", QDate(2016, 6, 15), QTime(0, 1), {true}, 100, 1},
        {"07.06.2016", QDate(2016, 6, 14), QTime(23, 59), {}, 0, 2},
    };
    for (const Fall& f : faelle) {
        w.u.fakes.clock.day = f.heute;
        w.u.fakes.clock.time = f.zeit;
        w.taste(Qt::Key_F9);
        w.fuellen(f.datum, "08:00", "12:00");
        w.u.dialog.antworten = f.antworten;
        w.u.meldungen.clear();
        w.maus("EintragSpeichern");
        if (f.frage)
            EXPECT_EQ(w.u.meldungen.value(0), f.frage) << f.datum << " " << f.zeit.toString();
        else
            EXPECT_FALSE(w.u.meldungen.contains(100)) << f.zeit.toString();
        EXPECT_EQ(w.satzanzahl(), f.satz) << f.datum << " " << f.zeit.toString();
    }
}

// The real message on the screen, answered as a person would; on its
// closing the window system gives the main window the focus back.
struct MeldungAufDemSchirm : kmk::Meldungsdialog {
    kmk::Form2Dialog echt;
    QWidget* fenster = nullptr;
    bool zeigen(const QString& text, bool frage) override
    {
        QObject wache;
        QTimer::singleShot(0, &wache, [] {
            if (QTest::qWaitFor([] { return qobject_cast<kmk::Form2*>(QApplication::activeModalWidget()); }))
                QTest::mouseClick(qobject_cast<kmk::Form2*>(QApplication::activeModalWidget())->zuruck(),
                                  Qt::LeftButton);
        });
        const bool ja = echt.zeigen(text, frage);
        fenster->activateWindow();
        (void)QTest::qWaitForWindowActive(fenster);
        return ja;
    }
};

// A field left for another program checks itself once when the user comes
// back into another field or onto the save button, though its own message
// takes the focus and gives it back.
TEST(Verlassen, ALeaveChecksMessageComesOnceThroughAnotherProgram)
{
    Fenster w;
    w.mitZeiten();
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.taste(Qt::Key_F9);
    w.ausfuellen("10.03.2016", "100", "Bonn");
    MeldungAufDemSchirm meldung;
    meldung.fenster = w.f;
    kmk::ScopedMeldungsdialog mitDemDialog(&meldung);
    kmk::Form2::setWartezeit(0);
    struct Fall { const char* feld; const char* text; const char* zurueck; };
    for (const Fall& f : {Fall{"EinkmAn", "300", "EinGesprach"}, Fall{"EinkmAn", "300", "EintragSpeichern"},
                          Fall{"EinDatumAb", "31022026", "EinGesprach"}}) {
        SCOPED_TRACE(testing::Message() << f.feld << " " << f.text << " " << f.zurueck);
        w.neu(f.feld, f.text);
        w.wegschalten();
        w.u.meldungen.clear();
        w.maus(f.zurueck);
        w.f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.f));
        EXPECT_EQ(w.u.meldungen.size(), 1) << QStringList([&] { QStringList l; for (int n : w.u.meldungen) l << QString::number(n); return l; }()).join(" ").toStdString();
    }
    kmk::Form2::setWartezeit(500);
    EXPECT_EQ(w.satzanzahl(), 0);
}
