// The trip list: exact lines and which trips it lists.
#include "seite.h"

#include "app/entry/fahrtliste.h"
#include "app/entry/laden.h"

#include <QListWidget>
#include <gtest/gtest.h>

using kmktest::Seite;
using namespace kmk;

TEST(Fahrtliste, LineCarriesTheJournalMarkAndTheStoredTexts)
{
    FahrtDatensatz f;
    f.DatumAb = vb::DateSerial(2016, 3, 2);
    f.KmAb = 100;
    f.KmAn = 130;
    f.GefahreneKm = 30;
    f.Von = "Köln";
    f.Nach = "Bonn";
    f.Gespraechspartner = "Meier";
    const QString rest = "\t02.03.2016\t 100\tKöln" + QString(46, ' ') + "\tBonn" + QString(46, ' ')
                         + "\t 130\t 30\tMeier" + QString(45, ' ');
    const std::pair<quint8, QString> faelle[] = {{0, " 5     "}, {1, " 5 sto."}, {2, " 5 geä."}};
    for (const auto& [status, anfang] : faelle) {
        f.Eintragsstatus = status;
        EXPECT_EQ(Fahrtlistenzeile(5, f), anfang + rest) << int(status);
    }
}

TEST(Fahrtliste, ShownTripAndUpToThreeBeforeItNewestFirst)
{
    struct Fall { int anzahl; int nummer; QList<int> zeilen; };
    const Fall faelle[] = {
        {1, 1, {1}}, {2, 2, {2, 1}}, {3, 3, {3, 2, 1}}, {10, 10, {10, 9, 8, 7}}, {10, 5, {5, 4, 3, 2}},
    };
    for (const Fall& f : faelle) {
        Seite p;
        p.schreibe(f.anzahl);
        p.st.Satznummer = f.nummer;
        p.st.Pufferindex = 3;
        FLaden(p.s);
        auto* liste = p.s.ctl<QListWidget>("FahrtListe");
        ASSERT_EQ(liste->count(), f.zeilen.size()) << f.anzahl;
        for (int i = 0; i < f.zeilen.size(); ++i) {
            EXPECT_EQ(liste->item(i)->text(), Fahrtlistenzeile(f.zeilen[i], Seite::fahrt(f.zeilen[i])));
            EXPECT_EQ(p.st.Satzpuffer[8 + i].FahrtNummer, f.zeilen[i]);
        }
    }
}

TEST(Fahrtliste, ANewEntryKeepsTheLinesOfTheLastLoad)
{
    Seite p;
    p.schreibe(3);
    p.st.Satznummer = 3;
    p.st.Pufferindex = 3;
    FLaden(p.s);
    p.st.Satznummer = 4;
    p.st.Pufferindex = 2;
    p.st.NeuerEintragOffen = true;
    FLaden(p.s);
    auto* liste = p.s.ctl<QListWidget>("FahrtListe");
    ASSERT_EQ(liste->count(), 3);
    EXPECT_TRUE(liste->item(0)->text().startsWith(" 3     \t"));
}
