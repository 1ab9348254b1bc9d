// A second, independent reading of the allowance rules: trip sequences an
// auditor would try, each typed trip by trip and then recalculated, against
// figures worked out by hand (rates 14/28 unless a case says otherwise).

#include <gtest/gtest.h>

#include "app/allowance/pauschalregeln.h"
#include "platform/vb/date.h"

using namespace kmk;

namespace {

const qint32 T0 = vb::DateSerial(2026, 3, 2);

struct Soll {
    int fdt, f, mab, man, abwFahrt, abwGesamt, abwTag, t2, t1, volle, gesamt;
    const char* regel;   // lines joined by '|'
};

struct Schritt {
    quint8 art;
    int tagAb;
    const char* ab;
    int tagAn;
    const char* an;
    Soll soll;
    qint16 alteFolgetage = 0;   // what the edit buffer held before
};

struct Fall {
    const char* name;
    Saetze r;
    std::vector<Schritt> schritte;
    bool neuBerechnen = true;   // beyond 250 days the stored day count differs
};

QString zeilen(const char* t)
{
    return QString::fromUtf8(t).replace('|', Zeilentrenner);
}

void pruefe(const FahrtDatensatz& e, const Soll& s)
{
    EXPECT_EQ(e.FahrtDesTages, s.fdt);
    EXPECT_EQ(e.Folgetage, s.f);
    EXPECT_EQ(e.MinutenAbfahrtstag, s.mab);
    EXPECT_EQ(e.MinutenAnkunftstag, s.man);
    EXPECT_EQ(e.AbwesenheitFahrt, s.abwFahrt);
    EXPECT_EQ(e.AbwesenheitGesamt, s.abwGesamt);
    EXPECT_EQ(e.AbwesenheitTag, s.abwTag);
    EXPECT_EQ(e.Teilpauschale2, s.t2);
    EXPECT_EQ(e.Teilpauschale1, s.t1);
    EXPECT_EQ(e.PauschaleVolleTage, s.volle);
    EXPECT_EQ(e.PauschaleGesamt, s.gesamt);
}

// Types the steps as new entries of an empty file, each against the last.
std::vector<FahrtDatensatz> tippe(const Fall& fall, bool mitRegel)
{
    std::vector<FahrtDatensatz> datei;
    Arbeitswerte w;
    for (std::size_t i = 0; i < fall.schritte.size(); ++i) {
        const Schritt& s = fall.schritte[i];
        SCOPED_TRACE(testing::Message() << fall.name << ", trip " << i + 1);
        FahrtDatensatz e;
        e.Folgetage = s.alteFolgetage;
        Eingabe in;
        in.fahrtart = s.art;
        in.zeitAb = ZeitLesen(QString::fromLatin1(s.ab));
        in.zeitAn = ZeitLesen(QString::fromLatin1(s.an));
        in.datumAb = T0 + s.tagAb;
        in.datumAn = T0 + s.tagAn;
        in.mitVerpflegungspauschale = true;
        in.satznummer = qint32(datei.size()) + 1;
        in.pufferindex = 2;
        const FahrtDatensatz* c = datei.empty() ? nullptr : &datei.back();
        Vergleich v;
        if (FahrtdatenErfassen(e, in, c, w) >= 2) {
            v.satz = c;
            v.frueher = Rueckblick(std::span<const FahrtDatensatz>(datei), datei.size(), e.DatumAb);
        }
        QString regel;
        PauschaleBerechnen(e, v, fall.r, w, regel);
        pruefe(e, s.soll);
        if (mitRegel) {
            EXPECT_EQ(regel, zeilen(s.soll.regel));
        }
        datei.push_back(e);
    }
    return datei;
}

const std::vector<Fall>& faelle()
{
    static const std::vector<Fall> f = {
        {"one-day thresholds, 00:00, 24:00, type 0", {14, 28.0}, {
            {3, 0, "08:00", 0, "15:59", {1, 0, 0, 0, 479, 479, 479, 0, 0, 0, 0,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  0"}},
            {3, 1, "08:00", 1, "16:00", {1, 0, 0, 0, 480, 480, 480, 14, 0, 0, 14,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  14"}},
            {4, 2, "07:59", 2, "16:00", {1, 0, 0, 0, 481, 481, 481, 14, 0, 0, 28,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  28"}},
            {3, 3, "00:00", 3, "23:59", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 28,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  28"}},
            {3, 4, "16:00", 4, "24:00", {1, 0, 0, 0, 480, 480, 480, 14, 0, 0, 42,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  42"}},
            {0, 5, "08:00", 5, "16:00", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 42, ""}},
            {3, 6, "08:00", 6, "16:00", {1, 0, 0, 0, 480, 480, 480, 14, 0, 0, 56,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  56"}},
        }},
        {"three business trips on one day", {14, 28.0}, {
            {3, 0, "08:00", 0, "16:00", {1, 0, 0, 0, 480, 480, 480, 14, 0, 0, 14,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  14"}},
            {3, 0, "16:10", 0, "16:20", {2, 0, 0, 0, 490, 490, 490, 0, 0, 0, 14,
             "Eintägige Fahrt| 2 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  14"}},
            {3, 0, "16:30", 0, "17:00", {3, 0, 0, 0, 520, 520, 520, 0, 0, 0, 14,
             "Eintägige Fahrt| 3 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  14"}},
        }},
        {"private and commute trips between business trips", {14, 28.0}, {
            {3, 0, "08:00", 0, "12:00", {1, 0, 0, 0, 240, 240, 240, 0, 0, 0, 0,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  0"}},
            {2, 0, "12:10", 0, "12:40", {2, 0, 0, 0, 240, 240, 240, 0, 0, 0, 0,
             "Eintägige Fahrt| 2 Fahrt an diesem Tag|Eine Privatfahrt|Pauschale  0|Gesamt  0"}},
            {3, 0, "13:00", 0, "17:00", {3, 0, 0, 0, 480, 480, 480, 14, 0, 0, 14,
             "Eintägige Fahrt| 3 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  14"}},
            {1, 0, "17:30", 0, "18:00", {4, 0, 0, 0, 480, 480, 480, 14, 0, 0, 14,
             "Eintägige Fahrt| 4 Fahrt an diesem Tag|Eine Fahrt ohne Pauschale|Pauschale  14|Gesamt  14"}},
            {3, 0, "18:30", 0, "19:00", {5, 0, 0, 0, 510, 510, 510, 0, 0, 0, 14,
             "Eintägige Fahrt| 5 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  14"}},
            {2, 1, "09:00", 1, "10:00", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 14,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Prtivatfahrt|Pauschale  0|Gesamt  14"}},
            {5, 1, "10:30", 1, "18:30", {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 14,
             "Eintägige Fahrt| 2 Fahrt an diesem Tag|Eine Fahrt ohne Pauschale|Pauschale  0|Gesamt  14"}},
            {3, 1, "19:00", 1, "23:00", {3, 0, 0, 0, 240, 240, 240, 0, 0, 0, 14,
             "Eintägige Fahrt| 3 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  14"}},
        }},
        {"two-day trips, the first record and midnight", {14, 28.0}, {
            {3, 0, "08:00", 1, "07:00", {1, 1, 960, 420, 1380, 1380, 420, 0, 14, 0, 14,
             "Zweitägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  14"}},
            {3, 1, "08:00", 1, "09:00", {1, 0, 0, 0, 480, 480, 480, 14, 0, 0, 28,
             "Eintägige Fahrt| 1 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  28"}},
            {3, 1, "10:00", 2, "18:00", {2, 1, 840, 1080, 1920, 1920, 1080, 14, 0, 0, 42,
             "Zweitägige Fahrt| 2 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  42"}},
            {3, 2, "19:00", 2, "20:00", {1, 0, 0, 0, 1140, 1140, 1140, 0, 0, 0, 42,
             "Eintägige Fahrt| 1 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  42"}},
            {3, 4, "17:00", 5, "07:00", {1, 1, 420, 420, 840, 840, 420, 0, 0, 0, 42,
             "Zweitägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  42"}},
            {2, 6, "10:00", 7, "09:00", {1, 1, 840, 540, 0, 0, 0, 0, 0, 0, 42,
             "Zweitägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Privatfahrt|Pauschale  0|Gesamt  42"}},
            {3, 7, "09:30", 7, "17:30", {1, 0, 0, 0, 480, 480, 480, 14, 0, 0, 56,
             "Eintägige Fahrt| 1 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  56"}},
            {3, 8, "06:00", 8, "10:00", {1, 0, 0, 0, 240, 240, 240, 0, 0, 0, 56,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  56"}},
            {3, 8, "12:00", 9, "09:00", {2, 1, 720, 540, 1260, 1260, 540, 14, 14, 0, 84,
             "Zweitägige Fahrt| 2 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  84"}},
        }},
        {"multi-day trips with follow-up trips", {14, 28.0}, {
            {3, 0, "08:00", 2, "00:00", {1, 2, 960, 0, 2400, 2400, 0, 0, 14, 28, 42,
             "Mehrtägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  42"}},
            {3, 2, "06:00", 2, "14:00", {1, 0, 0, 0, 480, 480, 480, 14, 0, 0, 56,
             "Eintägige Fahrt| 1 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  56"}},
            {4, 2, "15:00", 5, "12:00", {2, 3, 540, 720, 4140, 4620, 0, 14, 0, 56, 126,
             "Mehrtägige Fahrt| 2 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  126"}},
            {2, 5, "13:00", 7, "10:00", {1, 2, 660, 600, 0, 0, 0, 0, 0, 0, 126,
             "Mehrtägige Fahrt| 1 Fahrt an diesem Tag|Eine Privatfahrt|Pauschale  0|Gesamt  126"}},
            {3, 7, "11:00", 7, "13:00", {1, 0, 0, 0, 120, 120, 120, 0, 0, 0, 126,
             "Eintägige Fahrt| 1 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  126"}},
            {2, 7, "14:00", 9, "10:00", {2, 2, 600, 600, 0, 120, 0, 0, 0, 0, 126,
             "Mehrtägige Fahrt| 2 Fahrt an diesem Tag|Eine Privatfahrt|Pauschale  0|Gesamt  126"}},
            {3, 9, "11:00", 9, "18:30", {1, 0, 0, 0, 450, 450, 450, 0, 0, 0, 126,
             "Eintägige Fahrt| 1 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  126"}},
            {3, 10, "22:00", 14, "01:00", {1, 4, 120, 60, 4500, 4500, 0, 14, 14, 84, 238,
             "Mehrtägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  238"}},
            {5, 14, "02:00", 16, "10:00", {1, 2, 1320, 600, 0, 0, 0, 0, 14, 0, 238,
             "Mehrtägige Fahrt| 1 Fahrt an diesem Tag|Eine Fahrt ohne Pauschale|Pauschale  0|Gesamt  238"}},
        }},
        {"arrival before departure keeps the day count", {14, 28.0}, {
            {3, 0, "08:00", 0, "16:00", {1, 0, 0, 0, 480, 480, 480, 14, 0, 0, 14,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  14"}},
            {3, 3, "08:00", 1, "17:00", {1, 2, 0, 0, 0, 0, 0, 0, 0, 28, 42,
             "Mehrtägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  42"}, 2},
            {3, 5, "08:00", 4, "17:00", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 42,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  42"}},
        }},
        {"rates 12 and 24, a trip of 25 days", {12, 24.0}, {
            {3, 0, "10:00", 3, "09:00", {1, 3, 840, 540, 4260, 4260, 0, 12, 12, 48, 72,
             "Mehrtägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  12|Gesamt  72"}},
            {3, 4, "08:00", 4, "16:00", {1, 0, 0, 0, 480, 480, 480, 12, 0, 0, 84,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  12|Gesamt  84"}},
            {3, 5, "08:00", 30, "10:00", {1, 25, 960, 600, 0, 0, 0, 12, 12, 576, 684,
             "Mehrtägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  12|Gesamt  684"}},
        }},
        {"first record private", {14, 28.0}, {
            {2, 0, "08:00", 0, "17:00", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Prtivatfahrt|Pauschale  0|Gesamt  0"}},
        }},
        {"departure at 23:59", {14, 28.0}, {
            {3, 0, "23:59", 2, "10:00", {1, 2, 1, 600, 2041, 2041, 0, 14, 0, 28, 42,
             "Mehrtägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  42"}},
            {3, 3, "08:00", 3, "12:00", {1, 0, 0, 0, 240, 240, 240, 0, 0, 0, 42,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  42"}},
            {3, 3, "23:59", 5, "10:00", {2, 2, 1, 600, 2041, 2281, 0, 14, 14, 28, 98,
             "Mehrtägige Fahrt| 2 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  98"}},
            {2, 5, "11:00", 6, "10:00", {1, 1, 780, 600, 0, 0, 0, 0, 0, 0, 98,
             "Zweitägige Fahrt| 1 Fahrt an diesem Tag|Eine Privatfahrt|Pauschale  0|Gesamt  98"}},
        }},
        {"totals stop at the field's limit", {30000, 0.0}, {
            {3, 0, "08:00", 0, "16:00", {1, 0, 0, 0, 480, 480, 480, 30000, 0, 0, 30000,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  30000|Gesamt  30000"}},
            {3, 1, "08:00", 1, "16:00", {1, 0, 0, 0, 480, 480, 480, 30000, 0, 0, 32767,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  30000|Gesamt  32767"}},
        }},
        {"300 days keep the day count", {14, 28.0}, {
            {3, 0, "08:00", 300, "10:00", {1, 0, 960, 600, 0, 0, 0, 0, 0, 0, 0,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  0"}},
        }, false},
        {"first record of type 0", {14, 28.0}, {
            {0, 0, "08:00", 0, "17:00", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ""}},
            {3, 0, "17:00", 0, "18:00", {2, 0, 0, 0, 60, 60, 60, 0, 0, 0, 0,
             "Eintägige Fahrt| 2 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  0"}},
        }},
    };
    return f;
}

} // namespace

TEST(Zweitpruefung, TypedTripsEarnTheHandWorkedFigures)
{
    for (const Fall& fall : faelle())
        tippe(fall, true);
}

// The year's recalculation repairs damaged totals and rates to the same
// figures, passing over a cancelled record that claims the first day paid.
TEST(Zweitpruefung, RecalculationGivesTheSameFigures)
{
    for (const Fall& fall : faelle()) {
        if (!fall.neuBerechnen)
            continue;
        std::vector<FahrtDatensatz> datei = tippe(fall, false);
        for (FahrtDatensatz& s : datei) {
            s.PauschaleGesamt = 999;
            if (s.Fahrtart != 0) {
                s.AbwesenheitGesamt = 7;
                if (s.Folgetage == 0)
                    s.Teilpauschale2 = 77;
            }
        }
        FahrtDatensatz storniert = datei.front();
        storniert.Eintragsstatus = 1;
        storniert.Fahrtart = 3;
        storniert.Teilpauschale2 = 14;
        storniert.Teilpauschale1 = 14;
        storniert.AbwesenheitTag = 900;
        storniert.PauschaleGesamt = 500;
        datei.insert(datei.begin() + 1, storniert);

        JahrNeuBerechnen(datei, fall.r);

        EXPECT_EQ(datei[1], storniert) << fall.name;
        datei.erase(datei.begin() + 1);
        for (std::size_t i = 0; i < datei.size(); ++i) {
            SCOPED_TRACE(testing::Message() << fall.name << ", record " << i + 1);
            pruefe(datei[i], fall.schritte[i].soll);
        }
    }
}

TEST(Zweitpruefung, TimeAndRateTexts)
{
    EXPECT_EQ(ZeitLesen("24:00"), 1440);
    EXPECT_EQ(ZeitLesen("00:00"), 0);
    EXPECT_EQ(ZeitLesen("23:59"), 1439);
    EXPECT_FALSE(ZeitLesen("24:01"));
    EXPECT_FALSE(ZeitLesen("12:60"));

    struct { const char* teil; const char* voll; int r1; int f; int volle; bool keineZahl; } const t[] = {
        {"14", "28", 14, 4, 84, false},
        {"14,00", "28,00", 14, 2, 28, false},
        {"12", "24", 12, 3, 48, false},
        {"12,5", "28,5", 12, 2, 28, false},   // halves to the even neighbour
        {"13,5", "28,5", 14, 3, 57, false},
        {"13,5", "28,5", 14, 4, 86, false},
        {"abc", "28", 0, 2, 28, true},
        {"14", "", 14, 2, 0, true},
    };
    for (const auto& z : t) {
        SCOPED_TRACE(testing::Message() << z.teil << " / " << z.voll << ", F " << z.f);
        bool keineZahl = false;
        const Saetze r = SaetzeAusTexten(z.teil, z.voll, &keineZahl);
        EXPECT_EQ(r.teiltag, z.r1);
        EXPECT_EQ(VolleTageBetrag(r, z.f), z.volle);
        EXPECT_EQ(keineZahl, z.keineZahl);
    }
}
