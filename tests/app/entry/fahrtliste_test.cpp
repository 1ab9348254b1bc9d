// The trip list: exact lines and which trips it lists.
#include "seite.h"

#include "app/entry/fahrtliste.h"
#include "app/entry/laden.h"
#include "app/entry/speichern.h"

#include <QListWidget>
#include <gtest/gtest.h>

using kmktest::Seite;
using namespace kmk;

namespace {

// Seite::fahrt(i) as a list line, written out by hand.
QString zeile(int i, const QString& marke)
{
    return QString(" %1%2\t0%1.03.2016\t %3\tStart %1").arg(i).arg(marke).arg(1000 + 100 * (i - 1))
           + QString(43, ' ') + QString("\tZiel %1").arg(i) + QString(44, ' ')
           + QString("\t %1\t 100\tMeier").arg(1100 + 100 * (i - 1)) + QString(45, ' ');
}

} // namespace

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

TEST(Fahrtliste, TripListLinesForOneTwoThreeAndMoreTrips)
{
    // Trip 2 cancelled, trip 3 its changed copy.
    struct Fall { int anzahl; int nummer; QStringList zeilen; };
    const QString normal = "     ", sto = " sto.", gea = " geä.";
    const Fall faelle[] = {
        {1, 1, {zeile(1, normal)}},
        {3, 2, {zeile(2, sto), zeile(1, normal)}},
        {3, 3, {zeile(3, gea), zeile(2, sto), zeile(1, normal)}},
        {5, 5, {zeile(5, normal), zeile(4, normal), zeile(3, gea), zeile(2, sto)}},
        {5, 4, {zeile(4, normal), zeile(3, gea), zeile(2, sto), zeile(1, normal)}},
    };
    for (const Fall& f : faelle) {
        Seite p;
        QList<FahrtDatensatz> l;
        for (int i = 1; i <= f.anzahl; ++i)
            l << Seite::fahrt(i);
        if (f.anzahl >= 3) {
            l[1].Eintragsstatus = 1;
            l[2].Eintragsstatus = 2;
        }
        p.schreibe(l);
        zeige(p, f.nummer);
        EXPECT_EQ(listenzeilen(p), f.zeilen) << f.anzahl << "/" << f.nummer;
    }
    // The first trip of a new file, saved: one line, as the save writes it.
    Seite p;
    p.st.Satznummer = 1;
    p.st.Pufferindex = 1;
    p.st.NeuerEintragOffen = true;
    p.st.Satzpuffer[0] = Seite::fahrt(1);
    ASSERT_TRUE(Datensatzspeichern(p.s));
    EXPECT_EQ(listenzeilen(p), QStringList{zeile(1, "")});
    EXPECT_EQ(p.inhalt(), Seite::fahrt(1).zuBytes());
    EXPECT_FALSE(p.st.NeuerEintragOffen);
}
