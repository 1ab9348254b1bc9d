// The logbook year: its rules, file names, day table and calendar bounds.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/records/jahr.h"
#include "platform/vb/date.h"
#include "platform/vb/error.h"

using namespace kmk;

namespace {

struct Ergebnis {
    bool ok;
    std::vector<int> meldungen;
};

Ergebnis ini(Fahrten1& st, const QString& jahr)
{
    st.Jahr = jahr;
    Ergebnis e{};
    e.ok = Jahr_ini(st, [&](int n) { e.meldungen.push_back(n); });
    return e;
}

// A calendar that refuses bounds the way the control does.
class Kalender : public KalenderGrenzen {
public:
    qint32 min = 44197, max = 55153, datum = 44197;  // the design-time bounds
    std::vector<std::string> log;

    qint32 minDate() const override { return min; }
    qint32 maxDate() const override { return max; }
    void setYear(int j) override
    {
        if (j < 100 || j > 9999)
            throw vb::RuntimeError(380);
        int y, m, d;
        vb::SplitDate(datum, y, m, d);
        datum = std::clamp(vb::DateSerial(j, m, d), min, max);
        log.push_back("Year");
    }
    void setMinDate(qint32 t) override
    {
        if (t > max)
            throw vb::RuntimeError(380);
        min = t;
        datum = std::max(datum, min);
        log.push_back("MinDate");
    }
    void setMaxDate(qint32 t) override
    {
        if (t < min)
            throw vb::RuntimeError(380);
        max = t;
        datum = std::min(datum, max);
        log.push_back("MaxDate");
    }
    void setDate(qint32 t) override
    {
        if (t < min || t > max)
            throw vb::RuntimeError(380);
        datum = t;
        log.push_back("Date");
    }
};

} // namespace

TEST(Jahr, YearsOutsideTheRangeAreRefusedWithMessage90)
{
    Fahrten1 st;
    for (const char* j : {"2006", "2051", "1999", "9999"}) {
        const Ergebnis e = ini(st, j);
        EXPECT_FALSE(e.ok) << j;
        EXPECT_EQ(e.meldungen, std::vector<int>{90}) << j;  // exactly once
    }
}

TEST(Jahr, UnusableYearTextsAreRefusedSilently)
{
    Fahrten1 st;
    for (const char* j : {"16", "abcd", "", "20160", " 2016", "-201", "0000"}) {
        const Ergebnis e = ini(st, j);
        EXPECT_FALSE(e.ok) << j;
        EXPECT_TRUE(e.meldungen.empty()) << j;
    }
    EXPECT_EQ(Jahrestest("abcd"), Jahrespruefung::Unbrauchbar);
    EXPECT_EQ(Jahrestest("2006"), Jahrespruefung::Ausserhalb);
    EXPECT_EQ(Jahrestest("2007"), Jahrespruefung::Gueltig);
    EXPECT_EQ(Jahrestest("2050"), Jahrespruefung::Gueltig);
    // Texts whose value falls in the range without being four digits.
    EXPECT_NE(Jahrestest("2e3 "), Jahrespruefung::Gueltig);
}

TEST(Jahr, TheDayTableIsFilledEvenForARefusedYear)
{
    Fahrten1 st;
    ini(st, "abcd");
    EXPECT_EQ(st.Dateien.Jahresanfang[0], 39083);
    EXPECT_EQ(st.Dateien.Jahresende[43], 55153);
}

TEST(Jahr, DayTableMatchesTheCalendar)
{
    for (int i = 0; i < Jahresdateien::Jahre; ++i) {
        EXPECT_EQ(TabelleJahresanfang()[i], vb::DateSerial(2007 + i, 1, 1));
        EXPECT_EQ(TabelleJahresende()[i], vb::DateSerial(2007 + i, 12, 31));
    }
}

TEST(Jahr, FilesAndTextsOf2016)
{
    Fahrten1 st;
    ASSERT_TRUE(ini(st, "2016").ok);
    const Jahresdateien& d = st.Dateien;
    EXPECT_EQ(d.Jahresindex, 9);
    EXPECT_EQ(d.anfang(), 42370);
    EXPECT_EQ(d.ende(), 42735);
    EXPECT_EQ(d.Vorjahr, 2015);
    EXPECT_EQ(d.VorjahrText, " 2015");
    EXPECT_EQ(d.Versionsnummer, 21);
    EXPECT_EQ(d.Hauptversion, " 21");
    EXPECT_EQ(d.Einstellungsdatei, "Vor2016.dat");
    EXPECT_EQ(d.Kfzdatei, "Auto2016.dat");
    EXPECT_EQ(d.Fahrtdateien[1], "Auto1_16.dat");
    EXPECT_EQ(d.Fahrtdateien[2], "Auto2_16.dat");
    EXPECT_EQ(d.Fahrtdateien[3], "Auto3_16.dat");
    EXPECT_EQ(d.Fahrtdateien[4], "Auto4_16.dat");
    EXPECT_EQ(d.Fahrtdateien[1].size(), 12);
    EXPECT_EQ(st.Kundendatei, "Kund2016.dat");
}

TEST(Jahr, FilesAndTextsOf2050And2007And2022)
{
    Fahrten1 st;
    ASSERT_TRUE(ini(st, "2050").ok);
    EXPECT_EQ(st.Dateien.Jahresindex, 43);
    EXPECT_EQ(st.Dateien.anfang(), 54789);
    EXPECT_EQ(st.Dateien.ende(), 55153);
    EXPECT_EQ(st.Dateien.Hauptversion, " 55");
    EXPECT_EQ(st.Dateien.VorjahrText, " 2049");
    EXPECT_EQ(st.Dateien.Fahrtdateien[4], "Auto4_50.dat");
    EXPECT_EQ(st.Dateien.Einstellungsdatei, "Vor2050.dat");
    EXPECT_EQ(st.Kundendatei, "Kund2050.dat");

    ASSERT_TRUE(ini(st, "2007").ok);
    EXPECT_EQ(st.Dateien.Jahresindex, 0);
    EXPECT_EQ(st.Dateien.anfang(), 39083);
    EXPECT_EQ(st.Dateien.ende(), 39447);
    EXPECT_EQ(st.Dateien.Fahrtdateien[1], "Auto1_07.dat");

    ASSERT_TRUE(ini(st, "2022").ok);
    EXPECT_EQ(st.Dateien.anfang(), 44562);
    EXPECT_EQ(st.Dateien.ende(), 44926);
}

TEST(Jahr, CalendarBoundsAreSetWithoutARefusalForEveryYear)
{
    for (int jahr = 2007; jahr <= 2050; ++jahr) {
        const qint32 a = TabelleJahresanfang()[jahr - 2007];
        const qint32 e = TabelleJahresende()[jahr - 2007];
        Kalender k;  // design-time bounds 2021..2050
        ASSERT_TRUE(KalenderAufJahrSetzen(k, jahr, a, e, a)) << jahr;
        EXPECT_EQ(k.min, a);
        EXPECT_EQ(k.max, e);
        EXPECT_EQ(k.datum, a);
        EXPECT_EQ(k.log.front(), "Year");
        EXPECT_EQ(k.log.back(), "Date");

        // And again from a calendar already set to any other year.
        for (int vorher : {2007, 2030, 2050}) {
            Kalender k2;
            k2.min = TabelleJahresanfang()[vorher - 2007];
            k2.max = TabelleJahresende()[vorher - 2007];
            k2.datum = k2.min;
            ASSERT_TRUE(KalenderAufJahrSetzen(k2, jahr, a, e, e)) << vorher << "->" << jahr;
            EXPECT_EQ(k2.min, a);
            EXPECT_EQ(k2.max, e);
            EXPECT_EQ(k2.datum, e);
        }
    }
}

TEST(Jahr, ARefusingCalendarGivesFalseInsteadOfAnError)
{
    Kalender k;
    EXPECT_FALSE(KalenderAufJahrSetzen(k, 50, 39083, 39447, 39083));  // Year refused
    Kalender k2;
    EXPECT_FALSE(KalenderAufJahrSetzen(k2, 2016, 42735, 42370, 42370));  // bounds reversed
    Kalender k3;
    EXPECT_FALSE(KalenderAufJahrSetzen(k3, 2016, 42370, 42735, 50000));  // date outside
}
