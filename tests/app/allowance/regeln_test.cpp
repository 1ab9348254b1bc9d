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
        {"leaves at 00:00", {3, 0, "00:00", 0, "23:00"}, 0, 0, 0, 0, 0},
        {"three days 10:00 to 09:00", {3, 0, "10:00", 2, "09:00"}, 2820, 14, 14, 28, 56},
        {"five days", {4, 0, "23:58", 4, "00:01"}, 4 * 1440 - 1438 + 1, 0, 14, 84, 98},
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
