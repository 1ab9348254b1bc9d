// A stored trip on the entry page: the four display cases, the journal
// status, the lock colours and the price per unit.
#include "seite.h"
#include "tests/app/entry/fenster.h"

#include "app/entry/anzeige.h"
#include "app/entry/felder.h"
#include "app/entry/laden.h"

#include <QCheckBox>
#include <QRadioButton>
#include <gtest/gtest.h>

using kmktest::Seite;
using kmktest::gepolstert;
using namespace kmk;

namespace {

const QString Blanks46 = QString(46, ' ');

FahrtDatensatz gespeichert()
{
    FahrtDatensatz f = Seite::fahrt(2);
    f.ZeitAb = 510;    // 08:30
    f.ZeitAn = 1441;   // wraps: 00:01
    f.KmAb = 12345;
    f.KmAn = 12400;
    f.GefahreneKm = 55;
    f.Mitfahrer = 2;
    f.Von = "  Köln ";
    f.BetragKraftstoff = vb::Currency::fromRaw(12000);   // 1,20
    f.Kraftstoffmenge = 0.8;
    f.BetragWartung = vb::Currency::fromRaw(12345000);   // 1.234,50
    f.Wartungstext = "Öl";
    f.Kraftstoffart = "kWh";
    return f;
}

QCheckBox* check13(Seite& p) { return p.s.ctl<QCheckBox>("Check13"); }

// The offsets where two records differ, for a readable failure; apart from
// the record number and the buffer index the allowance was computed with,
// which follow the record's place.
QList<int> abweichungen(FahrtDatensatz a, FahrtDatensatz b)
{
    a.FahrtNummer = b.FahrtNummer = 0;
    a.Vergleichsindex = b.Vergleichsindex = 0;
    const QByteArray x = a.zuBytes(), y = b.zuBytes();
    QList<int> r;
    for (int i = 0; i < x.size(); ++i)
        if (x[i] != y[i])
            r << i;
    return r;
}

const char* const Textfelder[] = {"EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer",
                                  "TBGesamt", "TWGesamt", "TLiter", "TWbez", "CbbKArt"};

void vorbelegen(Seite& p)
{
    for (const char* n : Textfelder)
        felder::setzen(p.s, n, "alt");
    felder::setzen(p.s, "EinGefKm", "7");
    felder::setzen(p.s, "PersAnz", "7");
}

} // namespace

TEST(Anzeige, StoredTripShowsItsFieldsAndBecomesTheEditBuffer)
{
    Seite p;
    QList<FahrtDatensatz> l{Seite::fahrt(1), gespeichert(), Seite::fahrt(3)};
    p.schreibe(l);
    // A field handler that writes into the edit buffer, as the entry page's do.
    forms::onChange(p.s.ctl<QLineEdit>("EinZeitAb"), [&] { p.st.Satzpuffer[0].ZeitAb = 1; });
    p.st.Satznummer = 2;
    p.st.Pufferindex = 3;
    FLaden(p.s);

    const std::pair<const char*, QString> felder[] = {
        {"EinDatumAb", "02.03.2016"}, {"EinDatumAn", "02.03.2016"}, {"AnzKmAb", "12345"},
        {"EinkmAn", "12400"},         {"FahrtNr", " 2"},            {"EinZeitAb", "08:30"},
        {"EinZeitAn", "00:01"},       {"EinVon", "Köln"},           {"EinUber", "A1"},
        {"EinNach", "Ziel 2"},        {"EinGrund", "Kunde"},        {"EinGesprach", "Meier"},
        {"TBGesamt", "1,20"},         {"TLiter", "0,80"},           {"TWGesamt", "1.234,50"},
        {"TWbez", "Öl"},              {"CbbKArt", "kWh"},           {"Label30", "1,50 €"},
    };
    for (const auto& [name, text] : felder)
        EXPECT_EQ(p.text(name), text) << name;
    // A company car keeps these two as they were.
    EXPECT_EQ(p.text("EinGefKm"), "");
    EXPECT_EQ(p.text("PersAnz"), "");
    EXPECT_TRUE(p.s.ctl<QRadioButton>("OptGesch")->isChecked());
    EXPECT_FALSE(p.s.ctl("CB_BSpeichern")->isHidden());
    EXPECT_EQ(p.st.AktuelleFahrtart, 3);
    EXPECT_EQ(p.st.Satzpuffer[0].zuBytes(), p.st.Satzpuffer[1].zuBytes());
    EXPECT_EQ(p.st.Satzpuffer[7].zuBytes(), p.inhalt().mid(671, 671));
    EXPECT_EQ(p.kalender["Date"], vb::DateSerial(2016, 3, 2));
}

TEST(Anzeige, PrivateCarShowsDrivenKmAndPassengersWithTheSignBlank)
{
    Seite p(false);
    p.schreibe({Seite::fahrt(1), gespeichert()});
    p.st.Satznummer = 2;
    p.st.Pufferindex = 3;
    FLaden(p.s);
    EXPECT_EQ(p.text("EinGefKm"), " 55");
    EXPECT_EQ(p.text("PersAnz"), " 2");
}

TEST(Anzeige, JournalStatusCaptionsAndLockColours)
{
    struct Fall { quint8 status; bool firma; QString caption; bool gesperrt; qint64 farbe; qint32 tag = 42432; };
    const Fall faelle[] = {
        {0, true, "Normaler Eintrag", false, 0},
        {1, true, "Storniert am 03.03.2016", true, 65280},
        {2, true, "Geänderter Eintrag am 03.03.2016", true, 12582912},
        {1, false, "Storniert am 03.03.2016", false, 0},
        // No status day in the record: what happened, not when.
        {1, true, "Storniert", true, 65280, 0},
        {2, true, "Geänderter Eintrag", true, 12582912, 1},
    };
    for (const Fall& f : faelle) {
        Seite p(f.firma);
        FahrtDatensatz x = Seite::fahrt(2);
        x.Eintragsstatus = f.status;
        x.Statusdatum = f.tag;
        p.schreibe({Seite::fahrt(1), x});
        felder::farbe(p.s, "PersAnz", 192);
        p.st.Satznummer = 2;
        p.st.Pufferindex = 3;
        FLaden(p.s);
        const bool journal = f.status != 0;
        EXPECT_EQ(check13(p)->text(), f.caption);
        EXPECT_EQ(check13(p)->isChecked(), journal);
        EXPECT_EQ(check13(p)->isHidden(), !journal);
        EXPECT_EQ(p.s.ctl("LEinDatum")->isHidden(), journal);
        EXPECT_EQ(p.st.Satzgesperrt, f.gesperrt);
        for (const QString& n : Journalfelder())
            if (n != "PersAnz")
                EXPECT_EQ(felder::farbe(p.s, n), f.farbe) << n << int(f.status);
        // A locked trip leaves the passenger count's colour alone.
        EXPECT_EQ(felder::farbe(p.s, "PersAnz"), f.gesperrt ? 192 : 0);
    }
}

TEST(Anzeige, PricePerUnitFromAmountAndQuantity)
{
    EXPECT_EQ(Preistext("1,20", "0,80"), "1,50 €");
    EXPECT_EQ(Preistext("60,00", "40,00"), "1,50 €");
    for (const char* menge : {"", "0", "0,00", "abc"})
        EXPECT_EQ(Preistext("60,00", menge), "0") << menge;
    EXPECT_EQ(Preistext("0,00", "40,00"), "0");
}

TEST(Anzeige, TripTypeOutsideOneToFiveShowsNoneSelected)
{
    Seite p;
    FahrtDatensatz alt = Seite::fahrt(2);
    alt.Fahrtart = 0;
    p.schreibe({Seite::fahrt(1), Seite::fahrt(2), alt});
    p.st.Satznummer = 2;
    p.st.Pufferindex = 3;
    FLaden(p.s);
    ASSERT_TRUE(p.s.ctl<QRadioButton>("OptGesch")->isChecked());
    p.st.Satznummer = 3;
    FLaden(p.s);
    for (const char* n : felder::Fahrtartoptionen)
        EXPECT_FALSE(p.s.ctl<QRadioButton>(n)->isChecked()) << n;
}

TEST(Anzeige, NewEntryAfterTheLastTripTakesItsArrival)
{
    Seite p;
    FahrtDatensatz letzter = Seite::fahrt(3);
    letzter.ZeitAn = 1438;   // 23:58
    letzter.Nach = "Bonn";
    p.schreibe({Seite::fahrt(1), Seite::fahrt(2), letzter});
    p.st.Satznummer = 4;
    p.st.Pufferindex = 2;
    p.st.NeuerEintragOffen = true;
    FLaden(p.s);
    EXPECT_EQ(p.text("EinZeitAb"), "00:00");
    EXPECT_EQ(p.text("EinZeitAn"), "00:03");
    EXPECT_EQ(p.text("EinVon"), "Bonn" + Blanks46);
    EXPECT_EQ(p.text("FahrtNr"), " 4");
    EXPECT_EQ(p.text("AnzKmAb"), "1300");
    EXPECT_EQ(p.text("EinDatumAn"), "03.03.2016");
    EXPECT_EQ(p.text("Label30"), "0");
    EXPECT_EQ(p.text("EinNach"), "");
    EXPECT_TRUE(p.s.ctl("CB_BSpeichern")->isHidden());
    EXPECT_EQ(p.st.AktuelleFahrtart, 0);
}

TEST(Anzeige, FirstTripWithoutFileAndFirstStoredTrip)
{
    Seite p;
    p.st.Satznummer = 1;
    FLaden(p.s);   // no trip file
    EXPECT_EQ(p.text("EinZeitAb"), "08:00");
    EXPECT_EQ(p.text("EinZeitAn"), "12:00");
    EXPECT_EQ(p.text("AnzKmAb"), "1000");
    EXPECT_EQ(p.text("EinkmAn"), "1000");
    EXPECT_EQ(p.text("EinGefKm"), "0");
    EXPECT_EQ(p.text("EinVon"), "Köln" + QString(26, ' '));
    EXPECT_EQ(p.text("EinDatumAb"), "01.01.2016");

    // The first stored trip, browsed, becomes the edit buffer like any other.
    FahrtDatensatz eins = Seite::fahrt(1);
    eins.MitPauschale = WAHR;
    p.schreibe({eins, Seite::fahrt(2)});
    p.st.Satzpuffer[0].Grund = "getippt";
    p.st.Satznummer = 1;
    p.st.Pufferindex = 3;
    FLaden(p.s);
    EXPECT_EQ(p.st.Pufferindex, 1);
    EXPECT_EQ(p.text("EinVon"), "Start 1");
    EXPECT_EQ(p.st.Satzpuffer[0].MitPauschale, WAHR);
    EXPECT_EQ(p.st.Satzpuffer[0].zuBytes(), eins.zuBytes());
    // A new entry on an empty file takes only the allowance flag.
    p.schreibe(0);
    p.st.Satzpuffer[1] = eins;
    p.st.Satzpuffer[0] = FahrtDatensatz{};
    p.st.Satzpuffer[0].Grund = "getippt";
    p.st.Satznummer = 1;
    p.st.NeuerEintragOffen = true;
    DatensatzAnzeigen(p.s);
    EXPECT_EQ(p.st.Satzpuffer[0].Grund, "getippt");
    EXPECT_EQ(p.st.Satzpuffer[0].MitPauschale, WAHR);
}

TEST(Anzeige, ADateTheCalendarRefusesLeavesItAndTheFieldsShowTheTrip)
{
    Seite p;
    FahrtDatensatz f = Seite::fahrt(2);
    f.DatumAb = f.DatumAn = vb::DateSerial(2015, 12, 30);   // outside 2016
    p.schreibe({Seite::fahrt(1), f});
    p.kalender["Date"] = 42400;
    p.st.Satznummer = 2;
    p.st.Pufferindex = 3;
    FLaden(p.s);
    EXPECT_EQ(p.kalender["Date"], 42400);
    EXPECT_EQ(p.text("EinDatumAb"), "30.12.2015");
}

TEST(Anzeige, TodayInTheCalendarOnlyWithinTheLogbookYear)
{
    Seite p;
    p.schreibe(2);
    p.st.Voreinstellung.KalenderHeute = WAHR;
    p.st.Satznummer = 2;
    p.st.Pufferindex = 3;
    FLaden(p.s);
    EXPECT_EQ(p.kalender["Date"], vb::DateSerial(2016, 6, 15));
    p.fakes.clock.day = QDate(2017, 1, 2);
    FLaden(p.s);
    EXPECT_EQ(p.st.Voreinstellung.KalenderHeute, 0);
    EXPECT_EQ(p.kalender["Date"], vb::DateSerial(2016, 3, 2));
}

TEST(Anzeige, TheFourDisplayCasesFieldByField)
{
    using Felder = std::vector<std::pair<const char*, QString>>;
    struct Fall {
        const char* name; bool firma; int dateien; int nummer; int puffer; bool neu;
        Felder felder; bool speichernSichtbar;
    };
    const QString leer;
    const Felder keineTexte = [&] { Felder f; for (const char* n : Textfelder) f.push_back({n, leer}); return f; }();
    auto mit = [](Felder a, const Felder& b) { a.insert(a.end(), b.begin(), b.end()); return a; };
    const Fall faelle[] = {
        // New entry after trip 3, which arrived at 23:58 in Bremen.
        {"A", false, 3, 4, 2, true,
         mit(keineTexte, {{"EinDatumAb", "03.03.2016"}, {"EinDatumAn", "03.03.2016"}, {"AnzKmAb", "1300"},
                          {"EinkmAn", "1300"}, {"FahrtNr", " 4"}, {"EinZeitAb", "00:00"}, {"EinZeitAn", "00:03"},
                          {"EinVon", gepolstert("Bremen", 50)}, {"Label30", "0"}, {"EinGefKm", "0"}, {"PersAnz", "0"}}),
         false},
        {"A firma", true, 3, 4, 2, true, {{"EinGefKm", "7"}, {"PersAnz", "7"}, {"FahrtNr", " 4"}}, false},
        // First trip of a vehicle without trip file: the calendar's day, the vehicle's start.
        {"C", true, 0, 1, 1, false,
         mit(keineTexte, {{"EinDatumAb", "01.01.2016"}, {"EinDatumAn", "01.01.2016"}, {"AnzKmAb", "1000"},
                          {"EinkmAn", "1000"}, {"FahrtNr", " 1"}, {"EinZeitAb", "08:00"}, {"EinZeitAn", "12:00"},
                          {"EinVon", gepolstert("Köln", 30)}, {"Label30", "0"}, {"EinGefKm", "0"}, {"PersAnz", "7"}}),
         false},
        // First stored trip, shown as a stored one; fuel 1,20 for 0,80 units.
        {"D", false, 3, 1, 3, false,
         {{"EinDatumAb", "01.03.2016"}, {"EinDatumAn", "01.03.2016"}, {"AnzKmAb", "1000"}, {"EinkmAn", "1100"},
          {"FahrtNr", " 1"}, {"EinZeitAb", "08:01"}, {"EinZeitAn", "09:01"}, {"EinVon", "Start 1"},
          {"EinUber", "A1"}, {"EinNach", "Ziel 1"}, {"EinGrund", "Kunde"}, {"EinGesprach", "Meier"},
          {"EinFahrer", "Anna"}, {"TBGesamt", "1,20"}, {"TLiter", "0,80"}, {"TWGesamt", "0,00"}, {"TWbez", ""},
          {"CbbKArt", "Liter"}, {"Label30", "1,50 €"}, {"EinGefKm", " 100"}, {"PersAnz", " 3"}},
         true},
    };
    for (const Fall& f : faelle) {
        Seite p(f.firma);
        QList<FahrtDatensatz> l{Seite::fahrt(1), Seite::fahrt(2), Seite::fahrt(3)};
        l[0].Fahrer = "  Anna ";
        l[0].Mitfahrer = 3;
        l[0].BetragKraftstoff = vb::Currency::fromRaw(12000);
        l[0].Kraftstoffmenge = 0.8;
        l[0].Kraftstoffart = "Liter";
        l[0].Fahrtart = 4;
        l[0].Eintragsstatus = 2;
        l[0].Statusdatum = vb::DateSerial(2016, 3, 3);
        l[2].ZeitAn = 1438;
        l[2].Nach = "Bremen";
        if (f.dateien)
            p.schreibe(l);
        vorbelegen(p);
        p.s.ctl("CB_BSpeichern")->setVisible(true);
        p.st.Satznummer = f.nummer;
        p.st.Pufferindex = f.puffer;
        p.st.NeuerEintragOffen = f.neu;
        FLaden(p.s);
        for (const auto& [name, text] : f.felder)
            EXPECT_EQ(p.text(name), text) << f.name << " " << name;
        EXPECT_EQ(p.s.ctl("CB_BSpeichern")->isHidden(), !f.speichernSichtbar) << f.name;
        if (f.name[0] == 'D') {
            auto* c = p.s.ctl<QCheckBox>("Check13");
            EXPECT_EQ(c->text(), "Geänderter Eintrag am 03.03.2016");
            EXPECT_TRUE(c->isChecked());
            EXPECT_TRUE(p.s.ctl("LEinDatum")->isHidden());
            EXPECT_TRUE(p.s.ctl<QRadioButton>("OptEhr")->isChecked());
            EXPECT_EQ(p.st.AktuelleFahrtart, 4);
            EXPECT_EQ(p.st.Pufferindex, 1);
        }
    }
}

// What the page shows of a stored trip is what the file holds: browsing it
// leaves the edit buffer byte for byte the stored record, and a correction
// of its purpose alone keeps every other field, 24:00 arrivals included.
TEST(Anzeige, EveryStoredTripComesBackUnchangedThroughBrowsingAndACorrection)
{
    struct Fahrt {
        const char* ab; const char* an; const char* zeitAb; const char* zeitAn; const char* option;
        const char* km; QString von, ueber, nach, grund, gespraech, fahrer;
        std::vector<std::pair<const char*, const char*>> kosten = {};
    };
    const QString voll50 = QString::fromUtf8("Ärztekammer „Süd“ – Straße 12 € … ŒŽ ß é").leftJustified(50, u'x');
    const Fahrt fahrten[] = {
        {"14.03.2016", "14.03.2016", "00:00", "24:00", "OptGesch", "20", "Köln", "A1", "Bonn", "Kunde", "Meier", "Anna"},
        {"15.03.2016", "17.03.2016", "10:00", "24:00", "OptGesch", "200", "Bonn", "A3", "Hamburg", "Messe", "Huber", ""},
        {"18.03.2016", "18.03.2016", "08:00", "09:30", "OptEhr", "35", voll50, QString(255, u'Ü'), voll50, voll50,
         voll50, voll50},
        {"19.03.2016", "19.03.2016", "07:15", "07:45", "OptWA", "12", "Köln", "", "Werk", "Arbeit", "", "Anna"},
        {"20.03.2016", "20.03.2016", "23:59", "24:00", "OptPri", "1", "Köln", "", "Kino", "", "", ""},
        {"21.03.2016", "22.03.2016", "18:00", "06:00", "OptFam", "300", "Köln", "A4", "Berlin", "Heim", "", "Anna"},
        // Blanks in front, a quantity beyond the two decimals shown.
        {"22.03.2016", "22.03.2016", "10:00", "11:00", "OptGesch", "5", "Köln", "A3", " Bonn", "Tanken", "Tankwart",
         " Anna", {{"TBGesamt", "12,34"}, {"TLiter", "40,125"}, {"TWGesamt", "99,995"}, {"TWbez", " Öl"},
                   {"CbbKArt", " Liter"}}},
        {"23.03.2016", "23.03.2016", "00:00", "00:01", "OptGesch", "2147482000", "Bonn", "B9", "Köln", "Bank",
         "Frau Weiß", "Anna"},
    };
    kmktest::Fenster w;
    w.mitZeiten();
    // The private trip with its texts and times.
    forms::setValue(w.f->Check10, 0);
    ASSERT_EQ(fahrten1().Voreinstellung.PrivatNurKm, 0);
    int n = 0;
    for (const Fahrt& t : fahrten) {
        w.taste(Qt::Key_F9);
        w.f->ctl<QRadioButton>(t.option)->click();
        for (const auto& [feld, text] : {std::pair{"EinDatumAb", QString(t.ab)}, {"EinDatumAn", QString(t.an)},
                                         {"EinZeitAb", QString(t.zeitAb)}, {"EinZeitAn", QString(t.zeitAn)},
                                         {"EinGefKm", QString(t.km)}, {"EinVon", t.von}, {"EinUber", t.ueber},
                                         {"EinNach", t.nach}, {"EinGrund", t.grund}, {"EinGesprach", t.gespraech},
                                         {"EinFahrer", t.fahrer}})
            w.setzen(feld, text);
        for (const auto& [feld, text] : t.kosten) {
            w.setzen(feld, text);
            w.verlassen(feld, "EinGesprach");
        }
        w.maus("EintragSpeichern");
        ASSERT_EQ(w.satzanzahl(), ++n) << t.ab;
        // Right after saving, the page shows the trip as stored.
        EXPECT_EQ(abweichungen(w.puffer(), w.satz(n)), QList<int>{}) << t.ab;
        EXPECT_EQ(w.text("EinZeitAn"), t.zeitAn);
    }
    EXPECT_EQ(w.satz(1).ZeitAn, 1440);
    EXPECT_EQ(w.satz(1).Teilpauschale2, 28);
    // A running total: 28 for the whole day, then 14 + 28 + 28 for the
    // three days of the next trip.
    EXPECT_EQ(w.satz(1).PauschaleGesamt, 28);
    EXPECT_EQ(w.satz(2).ZeitAn, 1440);
    EXPECT_EQ(w.satz(2).PauschaleGesamt, 98);
    EXPECT_EQ(w.satz(7).BetragKraftstoff.raw, 123400);
    EXPECT_EQ(w.satz(7).Kraftstoffmenge, 40.125);
    EXPECT_EQ(w.satz(7).Nach, gepolstert(" Bonn", 50));
    EXPECT_EQ(w.satz(7).Wartungstext, gepolstert(" Öl", 50));
    // Typed, the driver and the unit are trimmed; a file may hold them with
    // blanks in front all the same.
    EXPECT_EQ(w.satz(7).Fahrer, gepolstert("Anna", 50));
    EXPECT_EQ(w.satz(7).Kraftstoffart, gepolstert("Liter", 10));
    {
        FahrtDatensatz x = w.satz(7);
        x.Fahrer = " Anna";
        x.Kraftstoffart = " Liter";
        ASSERT_TRUE(w.u.schreibe("Auto1_16.dat", w.fahrten().left(6 * 671) + x.zuBytes() + w.fahrten().mid(7 * 671)));
    }
    EXPECT_GT(w.satz(8).KmAn, 2147482000);

    auto zeige = [&](int k) {
        w.taste(Qt::Key_F4);
        for (int i = 1; i < k; ++i)
            w.taste(Qt::Key_F6);
        ASSERT_EQ(fahrten1().Satznummer, k);
    };
    // From the last trip back, so a correction moves only trips already done.
    for (int k = n; k >= 1; --k) {
        const FahrtDatensatz alt = w.satz(k);
        zeige(k);
        EXPECT_EQ(abweichungen(w.puffer(), alt), QList<int>{}) << "trip " << k;
        EXPECT_EQ(w.text("EinZeitAn"), fahrten[k - 1].zeitAn) << "trip " << k;
        if (k == 1)
            w.bild("ganzer_tag");
        // Clicked through without a change, then the purpose corrected.
        for (const char* feld : {"EinVon", "EinNach", "EinFahrer", "TLiter", "TBGesamt", "TWGesamt", "TWbez", "CbbKArt"})
            if (w.feld(feld)->isVisible())
                w.verlassen(feld, "EinGesprach");
        w.neu("EinGrund", "Korrektur");
        w.u.meldungen.clear();
        w.maus("EintragSpeichern");
        EXPECT_EQ(w.u.meldungen, (QList<int>{50, 51})) << "trip " << k;
        ASSERT_EQ(w.satzanzahl(), n + n - k + 1) << "trip " << k;
        FahrtDatensatz storniert = alt, geaendert = alt;
        storniert.Eintragsstatus = 1;
        geaendert.Eintragsstatus = 2;
        storniert.Statusdatum = geaendert.Statusdatum = vb::DateSerial(2016, 6, 15);
        geaendert.Grund = QString("Korrektur").leftJustified(50);
        EXPECT_EQ(abweichungen(w.satz(k), storniert), QList<int>{}) << "trip " << k;
        EXPECT_EQ(abweichungen(w.satz(k + 1), geaendert), QList<int>{}) << "trip " << k;
    }
    // Back from a new entry to the last trip, whose arrival km the new
    // entry shows too.
    w.taste(Qt::Key_F9);
    w.taste(Qt::Key_F5);
    ASSERT_EQ(fahrten1().Satznummer, w.satzanzahl());
    EXPECT_EQ(abweichungen(w.puffer(), w.satz(w.satzanzahl())), QList<int>{});
    // Cancelled and changed trips browsed: the buffer is the stored record.
    for (int k = 1; k <= w.satzanzahl(); ++k) {
        zeige(k);
        EXPECT_EQ(abweichungen(w.puffer(), w.satz(k)), QList<int>{}) << "browsed " << k;
    }
}
