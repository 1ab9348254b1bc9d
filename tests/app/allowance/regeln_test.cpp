// The allowance rules on trips typed one after the other, against values
// worked out by hand (partial-day rate 14, full-day rate 28).

#include <gtest/gtest.h>

#include "app/allowance/pauschalregeln.h"
#include "platform/vb/date.h"

#include <QMap>
#include <QRandomGenerator>

using namespace kmk;

namespace {

const Saetze kSaetze{14, 28.0};
const qint32 D = vb::DateSerial(2016, 3, 1);

struct Fahrt {
    quint8 art;
    int tagAb;
    const char* ab;
    int tagAn;
    const char* an;
    bool zeitfelder = false;
    bool privatNurKm = false;
};

// One trip as the entry page gathers and computes it, appended to the file.
struct Datei {
    std::vector<FahrtDatensatz> saetze;
    Arbeitswerte w;
    QString regel;

    const FahrtDatensatz& tippe(const Fahrt& f, const Saetze& r = kSaetze)
    {
        FahrtDatensatz e;
        Eingabe in;
        in.fahrtart = f.art;
        in.zeitAb = ZeitLesen(QString::fromLatin1(f.ab));
        in.zeitAn = ZeitLesen(QString::fromLatin1(f.an));
        in.datumAb = D + f.tagAb;
        in.datumAn = D + f.tagAn;
        in.mitVerpflegungspauschale = true;
        in.zeitfelder = f.zeitfelder;
        in.privatNurKm = f.privatNurKm;
        in.satznummer = qint32(saetze.size()) + 1;
        in.pufferindex = 2;
        const FahrtDatensatz* c = saetze.empty() ? nullptr : &saetze.back();
        Vergleich v;
        if (FahrtdatenErfassen(e, in, c, w) >= 2) {
            v.satz = c;
            v.frueher = Rueckblick(std::span<const FahrtDatensatz>(saetze), saetze.size(), e.DatumAb);
        }
        PauschaleBerechnen(e, v, r, w, regel);
        saetze.push_back(e);
        return saetze.back();
    }
};

struct Erwartet {
    int fahrtDesTages, folgetage, mab, man, abwFahrt, abwGesamt, abwTag, t2, t1, volleTage, gesamt;
    const char* regel;   // lines joined by '|'
};

QString zeilen(const char* t)
{
    return QString::fromUtf8(t).replace('|', Zeilentrenner);
}

} // namespace

TEST(Pauschalregeln, FourteenTripsOverTwoWeeksEarnWhatTheRulesGive)
{
    const Fahrt fahrten[] = {
        {3, 0, "08:00", 0, "16:00"},   // 480 minutes, the first trip of the file
        {3, 0, "16:10", 0, "16:20"},   // the day is paid already
        {3, 0, "16:30", 0, "17:00"},   // still paid, although the trip before earned 0
        {2, 1, "09:00", 1, "10:00"},
        {3, 1, "10:30", 1, "18:29"},   // 479 minutes
        {3, 2, "08:00", 2, "16:00"},
        {3, 2, "18:00", 3, "10:00"},   // two days; the departure day is paid
        {1, 3, "17:00", 3, "17:30"},   // commute carries the day's marker
        {3, 3, "18:00", 3, "19:00"},   // the arrival day of trip 7 is paid
        {3, 5, "14:00", 6, "09:00"},
        {2, 6, "10:00", 9, "18:00"},   // private over four days: hands on no absence
        {3, 9, "19:00", 12, "07:00"},
        {0, 13, "08:00", 13, "17:00"}, // no trip type: the total goes on
        {3, 13, "09:00", 13, "18:00"},
    };
    const Erwartet soll[] = {
        {1, 0, 0, 0, 480, 480, 480, 14, 0, 0, 14,
         "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  14"},
        {2, 0, 0, 0, 490, 490, 490, 0, 0, 0, 14,
         "Eintägige Fahrt| 2 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  14"},
        {3, 0, 0, 0, 520, 520, 520, 0, 0, 0, 14,
         "Eintägige Fahrt| 3 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  14"},
        {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 14,
         "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Prtivatfahrt|Pauschale  0|Gesamt  14"},
        {2, 0, 0, 0, 479, 479, 479, 0, 0, 0, 14,
         "Eintägige Fahrt| 2 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  14"},
        {1, 0, 0, 0, 480, 480, 480, 14, 0, 0, 28,
         "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  28"},
        {2, 1, 360, 600, 960, 960, 600, 14, 0, 0, 42,
         "Zweitägige Fahrt| 2 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  42"},
        {1, 0, 0, 0, 600, 600, 600, 14, 0, 0, 42,
         "Eintägige Fahrt| 1 Fahrt an diesem Tag|Eine Fahrt ohne Pauschale|Pauschale  14|Gesamt  42"},
        {2, 0, 0, 0, 660, 660, 660, 0, 0, 0, 42,
         "Eintägige Fahrt| 2 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  42"},
        {1, 1, 600, 540, 1140, 1140, 540, 14, 14, 0, 70,
         "Zweitägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  70"},
        {1, 3, 840, 1080, 0, 540, 0, 0, 14, 0, 70,
         "Mehrtägige Fahrt| 1 Fahrt an diesem Tag|Eine Privatfahrt|Pauschale  0|Gesamt  70"},
        {1, 3, 300, 420, 3600, 3600, 0, 14, 14, 56, 154,
         "Mehrtägige Fahrt| 1 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  154"},
        {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 154, ""},
        {2, 0, 0, 0, 540, 540, 540, 14, 0, 0, 168,
         "Eintägige Fahrt| 2 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  168"},
    };
    Datei d;
    for (std::size_t i = 0; i < std::size(fahrten); ++i) {
        SCOPED_TRACE(testing::Message() << "trip " << i + 1);
        const FahrtDatensatz& e = d.tippe(fahrten[i]);
        const Erwartet& s = soll[i];
        EXPECT_EQ(e.FahrtDesTages, s.fahrtDesTages);
        EXPECT_EQ(e.Folgetage, s.folgetage);
        EXPECT_EQ(e.MinutenAbfahrtstag, s.mab);
        EXPECT_EQ(e.MinutenAnkunftstag, s.man);
        EXPECT_EQ(e.AbwesenheitFahrt, s.abwFahrt);
        EXPECT_EQ(e.AbwesenheitGesamt, s.abwGesamt);
        EXPECT_EQ(e.AbwesenheitTag, s.abwTag);
        EXPECT_EQ(e.Teilpauschale2, s.t2);
        EXPECT_EQ(e.Teilpauschale1, s.t1);
        EXPECT_EQ(e.PauschaleVolleTage, s.volleTage);
        EXPECT_EQ(e.PauschaleGesamt, s.gesamt);
        EXPECT_EQ(d.regel, zeilen(s.regel));
        EXPECT_EQ(e.Fahrtart, fahrten[i].art);
        EXPECT_EQ(e.FahrtNummer, qint16(i + 1));
        EXPECT_EQ(e.Vergleichsindex, i == 0 ? 1 : 2);
    }

    // The recalculation with the same rates finds nothing to change.
    std::vector<FahrtDatensatz> neu = d.saetze;
    JahrNeuBerechnen(neu, kSaetze);
    for (std::size_t i = 0; i < neu.size(); ++i)
        EXPECT_EQ(neu[i].zuBytes(), d.saetze[i].zuBytes()) << "trip " << i + 1;
}

TEST(Pauschalregeln, TheFirstTripOfAFilePaysItsArrivalDayOnce)
{
    Datei d;
    const FahrtDatensatz& erste = d.tippe({3, 0, "18:00", 1, "10:00"});
    EXPECT_EQ(erste.Teilpauschale1, 0);    // departure day: 360 minutes
    EXPECT_EQ(erste.Teilpauschale2, 14);   // arrival day: 600 minutes
    EXPECT_EQ(erste.PauschaleGesamt, 14);
    const FahrtDatensatz& zweite = d.tippe({3, 1, "11:00", 1, "19:00"});
    EXPECT_EQ(zweite.AbwesenheitTag, 1080);
    EXPECT_EQ(zweite.Teilpauschale2, 0);
    EXPECT_EQ(zweite.PauschaleGesamt, 14);
}

TEST(Pauschalregeln, BoundariesOfOneTrip)
{
    struct Fall {
        const char* was;
        Fahrt f;
        int abwesenheit, t2, t1, volleTage, gesamt;
    };
    const Fall faelle[] = {
        {"08:00 to 16:00", {3, 0, "08:00", 0, "16:00"}, 480, 14, 0, 0, 14},
        {"08:00 to 15:59", {3, 0, "08:00", 0, "15:59"}, 479, 0, 0, 0, 0},
        {"ends at 24:00", {4, 0, "16:00", 0, "24:00"}, 480, 14, 0, 0, 14},
        {"leaves at 00:00", {3, 0, "00:00", 0, "23:00"}, 1380, 14, 0, 0, 14},
        {"00:00 to 09:00", {3, 0, "00:00", 0, "09:00"}, 540, 14, 0, 0, 14},
        {"00:01 to 09:00", {3, 0, "00:01", 0, "09:00"}, 539, 14, 0, 0, 14},
        {"private, times kept, 00:00 to 09:00", {2, 0, "00:00", 0, "09:00", true}, 540, 0, 0, 0, 0},
        {"private, date and km only", {2, 0, "00:00", 0, "00:00", false, true}, 0, 0, 0, 0, 0},
        {"arrives at 00:00 of its own day", {3, 0, "09:00", 0, "00:00"}, 0, 0, 0, 0, 0},
        {"three days 10:00 to 09:00", {3, 0, "10:00", 2, "09:00"}, 2820, 14, 14, 28, 56},
        {"five days", {4, 0, "23:58", 4, "00:01"}, 4 * 1440 - 1438 + 1, 0, 14, 84, 98},
        // A day away for all 24 hours earns the full-day rate.
        {"00:00 to 24:00", {3, 0, "00:00", 0, "24:00"}, 1440, 28, 0, 0, 28},
        {"00:01 to 24:00", {3, 0, "00:01", 0, "24:00"}, 1439, 14, 0, 0, 14},
        {"two days from 00:00", {4, 0, "00:00", 1, "10:00"}, 2040, 14, 28, 0, 42},
        {"two days from 00:01", {3, 0, "00:01", 1, "10:00"}, 2039, 14, 14, 0, 28},
        {"two days to 24:00", {3, 0, "08:00", 1, "24:00"}, 2400, 28, 14, 0, 42},
        {"two days to 23:59", {3, 0, "08:00", 1, "23:59"}, 2399, 14, 14, 0, 28},
        {"three days 00:00 to 24:00", {3, 0, "00:00", 2, "24:00"}, 4320, 28, 28, 28, 84},
        {"private, 00:00 to 24:00", {2, 0, "00:00", 0, "24:00", true}, 1440, 0, 0, 0, 0},
        {"twenty days", {3, 0, "08:00", 20, "18:00"}, 0, 14, 14, 532, 560},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Datei d;
        const FahrtDatensatz& e = d.tippe(f.f);
        EXPECT_EQ(d.w.AbwesenheitMinuten, f.abwesenheit);
        EXPECT_EQ(e.Teilpauschale2, f.t2);
        EXPECT_EQ(e.Teilpauschale1, f.t1);
        EXPECT_EQ(e.PauschaleVolleTage, f.volleTage);
        EXPECT_EQ(e.PauschaleGesamt, f.gesamt);
    }
}

TEST(Pauschalregeln, ImpossibleDatesKeepTheDayCountAndGiveNoAbsence)
{
    FahrtDatensatz e;
    e.Folgetage = 7;
    Arbeitswerte w;
    Eingabe in;
    in.fahrtart = 3;
    in.zeitAb = 480;
    in.zeitAn = 960;
    in.datumAb = D + 5;
    in.datumAn = D;   // arrives before it leaves
    FahrtdatenErfassen(e, in, nullptr, w);
    EXPECT_EQ(e.Folgetage, 7);
    EXPECT_EQ(w.AbwesenheitMinuten, 0);
    in.datumAb = D;
    in.datumAn = D + 250;
    FahrtdatenErfassen(e, in, nullptr, w);
    EXPECT_EQ(e.Folgetage, 7);
    in.datumAn = D + 249;
    FahrtdatenErfassen(e, in, nullptr, w);
    EXPECT_EQ(e.Folgetage, 249);
}

TEST(Pauschalregeln, TotalsStopAtTheFieldsLimit)
{
    FahrtDatensatz vorher;
    vorher.DatumAb = vorher.DatumAn = D;
    vorher.PauschaleGesamt = 32760;
    vorher.Fahrtart = 2;
    Datei d;
    d.saetze.push_back(vorher);
    EXPECT_EQ(d.tippe({3, 1, "08:00", 1, "17:00"}).PauschaleGesamt, 32767);
    EXPECT_EQ(d.tippe({3, 3, "08:00", 8, "17:00"}).PauschaleGesamt, 32767);
}

TEST(Pauschalregeln, RateTexts)
{
    struct Fall { const char* teil; const char* voll; int teiltag; int volleTage3; bool keineZahl; };
    const Fall faelle[] = {
        {"14", "28", 14, 56, false},
        {"14,00", "28,00", 14, 56, false},
        {" 12   ", "24", 12, 48, false},
        {"14,5", "24,5", 14, 49, false},   // halves to the even neighbour
        {"15,5", "24,25", 16, 48, false},
        {"", "28", 0, 56, true},
        {"14", "xx", 14, 0, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.teil);
        bool keineZahl = false;
        const Saetze r = SaetzeAusTexten(QString::fromLatin1(f.teil), QString::fromLatin1(f.voll), &keineZahl);
        EXPECT_EQ(r.teiltag, f.teiltag);
        EXPECT_EQ(VolleTageBetrag(r, 3), f.volleTage3);
        EXPECT_EQ(keineZahl, f.keineZahl);
    }
    EXPECT_EQ(VolleTageBetrag({14, 28.0}, 5), 112);
}

TEST(Pauschalregeln, TimeFieldsReadTheEndOfTheDay)
{
    EXPECT_EQ(ZeitLesen("24:00"), 1440);
    EXPECT_EQ(ZeitLesen("8:05"), 485);
    EXPECT_EQ(ZeitLesen("23:59"), 1439);
    EXPECT_EQ(ZeitLesen("24:01"), std::nullopt);
    EXPECT_EQ(ZeitLesen("12:60"), std::nullopt);
    EXPECT_EQ(ZeitLesen("  :  "), std::nullopt);
}

TEST(Pauschalregeln, AYearOfRandomTripsPaysNoDayTwiceAndRecalculatesUnchanged)
{
    QRandomGenerator zufall(2016);
    Datei d;
    int tag = 0;
    int zeit = 360;
    std::vector<QByteArray> zeiten;
    for (int i = 0; i < 600; ++i) {
        if (zufall.bounded(3) == 0) {
            tag += 1 + zufall.bounded(3);
            zeit = 300 + zufall.bounded(300);
        }
        const int art = zufall.bounded(6);
        const int lang = zufall.bounded(10);
        const int tage = lang < 6 ? 0 : lang < 8 ? 1 : 2 + zufall.bounded(lang == 9 ? 25 : 4);
        const int ab = std::min(zeit, 1400);
        const int an = tage == 0 ? std::min(ab + 1 + zufall.bounded(600), 1439) : 1 + zufall.bounded(1439);
        zeiten.push_back(vb::TimeText(ab).toLatin1());
        zeiten.push_back(vb::TimeText(an).toLatin1());
        d.tippe({quint8(art), tag, zeiten[zeiten.size() - 2].constData(), tag + tage,
                 zeiten.back().constData()});
        tag += tage;
        zeit = tage == 0 ? an + 5 : an + 30;
        if (zeit > 1400) {
            ++tag;
            zeit = 360;
        }
    }
    QMap<qint32, int> bezahlt;
    for (const FahrtDatensatz& s : d.saetze)
        for (qint32 t = s.DatumAb; t <= s.DatumAn; ++t)
            if (ZahltTag(s, t))
                ++bezahlt[t];
    ASSERT_GT(bezahlt.size(), 50);
    for (auto it = bezahlt.cbegin(); it != bezahlt.cend(); ++it)
        EXPECT_EQ(it.value(), 1) << vb::DateText(it.key()).toStdString();

    std::vector<FahrtDatensatz> neu = d.saetze;
    JahrNeuBerechnen(neu, kSaetze);
    for (std::size_t i = 0; i < neu.size(); ++i)
        ASSERT_EQ(neu[i].zuBytes(), d.saetze[i].zuBytes()) << "trip " << i + 1;
}

// Trip sequences an auditor would try, each typed trip by trip and then
// recalculated, against figures worked out by hand (rates 14/28 unless a
// sequence says otherwise).

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

struct Fahrtfolge {
    const char* name;
    Saetze r;
    std::vector<Schritt> schritte;
    bool neuBerechnen = true;   // beyond 250 days the stored day count differs
};

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
std::vector<FahrtDatensatz> tippeFolge(const Fahrtfolge& fall, bool mitRegel)
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

const std::vector<Fahrtfolge>& fahrtfolgen()
{
    static const std::vector<Fahrtfolge> f = {
        {"one-day thresholds, 00:00, 24:00, type 0", {14, 28.0}, {
            {3, 0, "08:00", 0, "15:59", {1, 0, 0, 0, 479, 479, 479, 0, 0, 0, 0,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  0"}},
            {3, 1, "08:00", 1, "16:00", {1, 0, 0, 0, 480, 480, 480, 14, 0, 0, 14,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  14"}},
            {4, 2, "07:59", 2, "16:00", {1, 0, 0, 0, 481, 481, 481, 14, 0, 0, 28,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  28"}},
            {3, 3, "00:00", 3, "23:59", {1, 0, 0, 0, 1439, 1439, 1439, 14, 0, 0, 42,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  42"}},
            {3, 4, "16:00", 4, "24:00", {1, 0, 0, 0, 480, 480, 480, 14, 0, 0, 56,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  56"}},
            {0, 5, "08:00", 5, "16:00", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 56, ""}},
            {3, 6, "08:00", 6, "16:00", {1, 0, 0, 0, 480, 480, 480, 14, 0, 0, 70,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  70"}},
            {3, 7, "00:00", 7, "09:00", {1, 0, 0, 0, 540, 540, 540, 14, 0, 0, 84,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  84"}},
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
            {3, 31, "00:00", 31, "24:00", {1, 0, 0, 0, 1440, 1440, 1440, 24, 0, 0, 708,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  24|Gesamt  708"}},
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
        // 7 to 9, 14, 15 to 16 and 18 to 21 March: 70, 28, 42 and 98; the
        // later trips of the 14th and the 16th add nothing.
        {"days away for all 24 hours earn the full-day rate", {14, 28.0}, {
            {3, 5, "08:00", 7, "24:00", {1, 2, 960, 1440, 3840, 3840, 0, 28, 14, 28, 70,
             "Mehrtägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  28|Gesamt  70"}},
            {3, 12, "00:00", 12, "24:00", {1, 0, 0, 0, 1440, 1440, 1440, 28, 0, 0, 98,
             "Eintägige Fahrt|Erste Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  28|Gesamt  98"}},
            // A day paid in full is paid: a trip booked into it earns nothing.
            {3, 12, "10:00", 12, "19:00", {2, 0, 0, 0, 1980, 1980, 1980, 0, 0, 0, 98,
             "Eintägige Fahrt| 2 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  98"}},
            // Nor does a second trip of all 24 hours.
            {3, 12, "00:00", 12, "24:00", {3, 0, 0, 0, 3420, 3420, 3420, 0, 0, 0, 98,
             "Eintägige Fahrt| 3 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  98"}},
            {3, 13, "00:00", 14, "10:00", {1, 1, 1440, 600, 2040, 2040, 600, 14, 28, 0, 140,
             "Zweitägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  140"}},
            {3, 14, "14:00", 14, "23:00", {1, 0, 0, 0, 1140, 1140, 1140, 0, 0, 0, 140,
             "Eintägige Fahrt| 1 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  140"}},
            {3, 16, "00:00", 19, "10:00", {1, 3, 1440, 600, 4920, 4920, 0, 14, 28, 56, 238,
             "Mehrtägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  238"}},
        }},
        // Split at 31.12. 24:00 into two logbooks: 42 + 42, as one trip.
        {"the old year's part of a trip over the year end", {14, 28.0}, {
            {3, 303, "08:00", 304, "24:00", {1, 1, 960, 1440, 2400, 2400, 1440, 28, 14, 0, 42,
             "Zweitägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  28|Gesamt  42"}},
        }},
        {"the new year's part of a trip over the year end", {14, 28.0}, {
            {3, 305, "00:00", 306, "18:00", {1, 1, 1440, 1080, 2520, 2520, 1080, 14, 28, 0, 42,
             "Zweitägige Fahrt|Erste Fahrt am Abfahrtstag|Eine Geschäftsfahrt|Pauschale  14|Gesamt  42"}},
        }},
        {"first record of type 0", {14, 28.0}, {
            {0, 0, "08:00", 0, "17:00", {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ""}},
            {3, 0, "17:00", 0, "18:00", {2, 0, 0, 0, 60, 60, 60, 0, 0, 0, 0,
             "Eintägige Fahrt| 2 Fahrt an diesem Tag|Eine Geschäftsfahrt|Pauschale  0|Gesamt  0"}},
        }},
    };
    return f;
}

} // namespace

TEST(Pauschalregeln, TypedTripSequencesEarnTheHandWorkedFigures)
{
    for (const Fahrtfolge& fall : fahrtfolgen())
        tippeFolge(fall, true);
}

// The year's recalculation repairs damaged totals, rates and trip times to
// the same figures, passing over a cancelled record that claims the first
// day paid.
TEST(Pauschalregeln, RecalculationOfTheTripSequencesGivesTheSameFigures)
{
    for (const Fahrtfolge& fall : fahrtfolgen()) {
        if (!fall.neuBerechnen)
            continue;
        std::vector<FahrtDatensatz> datei = tippeFolge(fall, false);
        for (FahrtDatensatz& s : datei) {
            s.PauschaleGesamt = 999;
            s.AbwesenheitFahrt = 1234;   // a time stored by an older rule
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

TEST(Pauschalregeln, TimeAndRateTexts)
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
