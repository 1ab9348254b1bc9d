// What a user sees and what the trip file holds, worked out by hand for the
// cases an auditor tries: the four display cases, the trip-list lines, the
// journal questions and bytes, navigation, new entry, return trip, deleting.
#include "seite.h"
#include "tests/app/mainwindow/test_startup_umgebung.h"

#include "app/backup/sicherung.h"
#include "app/entry/anzeige.h"
#include "app/entry/felder.h"
#include "app/entry/laden.h"
#include "app/entry/navigation.h"
#include "app/entry/neueintrag.h"
#include "app/entry/speichern.h"
#include "app/mainwindow/sstab.h"
#include "platform/forms/combobox.h"
#include "platform/vb/text.h"

#include <QCheckBox>
#include <QDir>
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using kmktest::Seite;
using namespace kmk;

namespace {

QString gepolstert(const QString& t, int breite) { return t + QString(breite - t.size(), ' '); }

void zeige(Seite& p, int n)
{
    p.st.Satznummer = n;
    p.st.Pufferindex = 3;
    FLaden(p.s);
}

QStringList listenzeilen(Seite& p)
{
    QStringList z;
    auto* l = p.s.ctl<QListWidget>("FahrtListe");
    for (int i = 0; i < l->count(); ++i)
        z << l->item(i)->text();
    return z;
}

// Seite::fahrt(i) as a list line, written out by hand.
QString zeile(int i, const QString& marke)
{
    return QString(" %1%2\t0%1.03.2016\t %3\tStart %1").arg(i).arg(marke).arg(1000 + 100 * (i - 1))
           + QString(43, ' ') + QString("\tZiel %1").arg(i) + QString(44, ' ')
           + QString("\t %1\t 100\tMeier").arg(1100 + 100 * (i - 1)) + QString(45, ' ');
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

// The real main window with vehicle 1 set up and the given trip file,
// started again so that the start-up loads it.
Form1* hauptfenster(kmktest::Umgebung& u, bool firma, const QByteArray& fahrten, const QByteArray& zweites = {})
{
    pages::setHostedControlFactory(&pages::controlHostFactory);
    u.schreibeHilfstexte();
    if (!u.starte())
        return nullptr;
    Form1* f = u.form.get();
    forms::setText(f->KfzEingabe[0], "B-AB 123");
    forms::setText(f->KmEingabe[0], "1000");
    forms::setText(f->StandortEingabe[0], QString::fromUtf8("Köln"));
    forms::setText(f->HalterEingabe[0], "Muster");
    forms::setOptionValue(firma ? f->FirmenPkw[0] : f->PrivatPkw[0], true);
    f->Command1_Click(0);
    if (!zweites.isEmpty()) {
        forms::setText(f->KfzEingabe[1], "B-CD 456");
        forms::setText(f->KmEingabe[1], "5000");
        forms::setText(f->StandortEingabe[1], "Bonn");
        forms::setText(f->HalterEingabe[1], "Muster");
        forms::setOptionValue(f->FirmenPkw[1], true);
        f->Command1_Click(1);
    }
    for (const auto& [name, inhalt] : {std::pair{QString("Auto1_16.dat"), fahrten}, {QString("Auto2_16.dat"), zweites}}) {
        QFile d(u.pfad(name));
        if (!inhalt.isEmpty() && (!d.open(QIODevice::WriteOnly) || d.write(inhalt) != inhalt.size()))
            return nullptr;
    }
    f->close();
    if (!u.starte())
        return nullptr;
    f = u.form.get();
    f->SSTab1->setTab(2);
    f->show();
    f->activateWindow();
    if (!QTest::qWaitForWindowActive(f))
        return nullptr;
    u.fakes.dialogs.shown.clear();
    u.meldungen.clear();
    return f;
}

void taste(Form1* f, Qt::Key k)
{
    QWidget* w = QApplication::focusWidget() ? QApplication::focusWidget() : f;
    QTest::keyClick(w, k);
}

} // namespace

TEST(Zweitpruefung, TheFourDisplayCasesFieldByField)
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

TEST(Zweitpruefung, TripListLinesForOneTwoThreeAndMoreTrips)
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

TEST(Zweitpruefung, JournalQuestionsAndBytesOfACorrection)
{
    enum Aenderung { Grund, Km, Zeit, Fahrer, Nichts };
    struct Fall {
        Aenderung was; bool ohneZeiten; quint8 status; std::deque<bool> antworten; QList<int> fragen; bool geschrieben;
    };
    const Fall faelle[] = {
        {Grund, false, 0, {true, true}, {50, 51}, true},
        {Grund, false, 0, {false}, {50}, false},
        {Grund, false, 0, {true, false}, {50, 51}, false},
        {Km, false, 0, {true, true, true}, {50, 52, 51}, true},
        {Km, false, 0, {true, false}, {50, 52}, false},
        {Km, false, 0, {true, true, false}, {50, 52, 51}, false},
        {Zeit, false, 0, {true, true, true}, {50, 53, 51}, true},
        {Zeit, false, 0, {true, false}, {50, 53}, false},
        {Zeit, true, 0, {true, true}, {50, 51}, true},
        {Fahrer, false, 0, {}, {66}, false},
        {Nichts, false, 0, {}, {66}, false},
        {Nichts, false, 1, {}, {76}, false},
        {Grund, false, 2, {}, {76}, false},
    };
    const int k = 3;
    for (const Fall& f : faelle) {
        Seite p;
        QList<FahrtDatensatz> l;
        for (int i = 1; i <= 5; ++i)
            l << Seite::fahrt(i);
        l[k - 1].Eintragsstatus = f.status;
        p.schreibe(l);
        const QByteArray vorher = p.inhalt();
        p.st.Voreinstellung.OhneZeiten = f.ohneZeiten ? -1 : 0;
        zeige(p, k);
        FahrtDatensatz& e = p.st.Satzpuffer[0];
        switch (f.was) {
        case Grund: e.Grund = "Werkstatt"; break;
        case Km: e.GefahreneKm = 90; e.KmAn = e.KmAb + 90; break;
        case Zeit: e.ZeitAn = 600; break;
        case Fahrer: e.Fahrer = "Berta"; break;
        case Nichts: break;
        }
        const FahrtDatensatz korrigiert = e;
        p.antworten = f.antworten;
        ASpeichern(p.s);
        EXPECT_EQ(p.fragen, f.fragen) << f.was << " " << int(f.status);
        if (!f.geschrieben) {
            EXPECT_EQ(p.inhalt(), vorher) << f.was;
            continue;
        }
        const QByteArray nachher = p.inhalt();
        ASSERT_EQ(nachher.size(), 6 * 671);
        EXPECT_EQ(nachher.left((k - 1) * 671), vorher.left((k - 1) * 671));
        EXPECT_EQ(nachher.mid((k + 1) * 671), vorher.mid(k * 671));
        FahrtDatensatz storniert = l[k - 1];
        storniert.Eintragsstatus = 1;
        storniert.Statusdatum = vb::DateSerial(2016, 6, 15);
        EXPECT_EQ(p.satz(k).zuBytes(), storniert.zuBytes());
        FahrtDatensatz neu = korrigiert;
        neu.Eintragsstatus = 2;
        neu.Statusdatum = vb::DateSerial(2016, 6, 15);
        EXPECT_EQ(p.satz(k + 1).zuBytes(), neu.zuBytes());
        EXPECT_EQ(p.st.Satznummer, 6);
        EXPECT_EQ(p.text("FahrtNr"), " 6");
        EXPECT_TRUE(p.meldungstexte().isEmpty()) << p.meldungstexte().join("|");
    }
}

TEST(Zweitpruefung, PrivateCarOverwritesInPlaceWithoutQuestions)
{
    Seite p(false);
    p.schreibe(3);
    const QByteArray vorher = p.inhalt();
    zeige(p, 2);
    p.st.Satzpuffer[0].Grund = "Werkstatt";
    p.st.Satzpuffer[0].GefahreneKm = 90;
    ASpeichern(p.s);
    EXPECT_TRUE(p.fragen.isEmpty());
    FahrtDatensatz neu = Seite::fahrt(2);
    neu.Grund = "Werkstatt";
    neu.GefahreneKm = 90;
    EXPECT_EQ(p.inhalt(), vorher.left(671) + neu.zuBytes() + vorher.mid(2 * 671));
}

TEST(Zweitpruefung, NavigationAtTheEndsWithANewEntryAndOnAnEmptyFile)
{
    Seite p;
    p.schreibe(3);
    zeige(p, 3);
    NeuEintrag(p.s);
    ASSERT_EQ(p.st.Satznummer, 4);
    Datensatzvor(p.s);   // the new entry stays open
    EXPECT_EQ(p.st.Satznummer, 4);
    EXPECT_TRUE(p.st.NeuerEintragOffen);
    Datensatzzurueck(p.s);   // and is left without a question
    EXPECT_EQ(p.st.Satznummer, 3);
    EXPECT_FALSE(p.st.NeuerEintragOffen);
    EXPECT_EQ(p.st.Pufferindex, 3);
    EXPECT_EQ(p.text("EinVon"), "Start 3");
    Datensatzeins(p.s);
    Datensatzzurueck(p.s);
    EXPECT_EQ(p.st.Satznummer, 1);
    EXPECT_EQ(p.meldungstexte(), (QStringList{"Dateiende !", "Dateianfang !"}));
    EXPECT_TRUE(p.fragen.isEmpty());

    Seite leer;
    leer.schreibe(0);
    Datensatzeins(leer.s);
    EXPECT_EQ(leer.st.Satznummer, 1);
    LetzterDatensatz(leer.s);
    EXPECT_EQ(leer.st.Satznummer, 0);
}

TEST(Zweitpruefung, NewEntryAndReturnTripPrefill)
{
    for (bool rueck : {false, true}) {
        Seite p;
        p.st.Voreinstellung.Journalfunktion = -1;
        QList<FahrtDatensatz> l{Seite::fahrt(1), Seite::fahrt(2)};
        l[1].Von = "Hamburg";
        l[1].Nach = "Bremen";
        l[1].GefahreneKm = 120;
        l[1].Fahrtart = 4;
        l[1].Fahrer = "Anna";
        p.schreibe(l);
        zeige(p, 1);
        rueck ? Rueckfahrt(p.s) : NeuEintrag(p.s);
        EXPECT_EQ(p.st.Satznummer, 3);
        EXPECT_EQ(p.st.Pufferindex, 2);
        EXPECT_TRUE(p.st.NeuerEintragOffen);
        EXPECT_EQ(p.text("FahrtNr"), " 3");
        EXPECT_EQ(p.s.ctl<QCheckBox>("Check13")->text(), "");
        EXPECT_TRUE(p.s.ctl("CB_BSpeichern")->isHidden());
        for (const QString& n : Journalfelder())
            EXPECT_EQ(felder::farbe(p.s, n), 192) << n;
        EXPECT_EQ(p.st.Satzpuffer[0].Eintragungsdatum, vb::DateSerial(2016, 6, 15)) << rueck;
        if (!rueck) {
            EXPECT_EQ(p.text("EinVon"), gepolstert("Bremen", 50));
            EXPECT_EQ(p.text("EinNach"), "");
            EXPECT_EQ(p.st.Satzpuffer[0].Fahrtart, 0);
            for (const char* o : felder::Fahrtartoptionen)
                EXPECT_FALSE(p.s.ctl<QRadioButton>(o)->isChecked()) << o;
            continue;
        }
        EXPECT_EQ(p.text("EinVon"), gepolstert("Bremen", 50));
        EXPECT_EQ(p.text("EinNach"), gepolstert("Hamburg", 50));
        EXPECT_EQ(p.text("EinUber"), gepolstert("A1", 255));
        EXPECT_EQ(p.text("EinGrund"), gepolstert("Kunde", 50));
        EXPECT_EQ(p.text("EinGefKm"), "120");
        EXPECT_EQ(p.text("EinGesprach"), "Rückfahrt");
        EXPECT_EQ(p.text("EinFahrer"), gepolstert("Anna", 50));
        EXPECT_TRUE(p.s.ctl<QRadioButton>("OptEhr")->isChecked());
    }
}

TEST(Zweitpruefung, DeletingTheTripFileAsksTwiceAndPresetsAFirstTrip)
{
    struct Fall { bool datei; std::deque<bool> antworten; QList<int> fragen; bool geloescht; };
    const Fall faelle[] = {
        {false, {}, {}, false},
        {true, {false}, {2}, false},
        {true, {true, false}, {2, 32}, false},
        {true, {true, true}, {2, 32}, true},
    };
    for (const Fall& f : faelle) {
        Seite p;
        if (f.datei) {
            p.schreibe(3);
            zeige(p, 3);
        }
        const QByteArray vorher = p.inhalt();
        p.antworten = f.antworten;
        ALoeschen(p.s);
        EXPECT_EQ(p.fragen, f.fragen);
        EXPECT_EQ(QFile::exists(p.pfad()), f.datei && !f.geloescht);
        if (!f.geloescht) {
            EXPECT_EQ(p.inhalt(), vorher);
            continue;
        }
        const QStringList kopien = QDir(p.pfad("Sicherheit")).entryList({"Auto1_vor_Loeschen_*.dat"});
        ASSERT_EQ(kopien.size(), 1);
        EXPECT_EQ(p.inhalt("Sicherheit/" + kopien[0]), vorher);
        EXPECT_EQ(p.st.Satznummer, 0);
        EXPECT_EQ(p.st.Satzanzahl, 0);
        const std::pair<const char*, QString> felder[] = {
            {"FahrtNr", " 0"}, {"EinZeitAb", "00:00"}, {"EinZeitAn", "00:00"}, {"AnzKmAb", "1000"},
            {"EinkmAn", "1000"}, {"EinVon", gepolstert("Köln", 30)}, {"EinUber", ""}, {"EinNach", ""},
            {"EinGrund", ""}, {"EinGesprach", ""}, {"EinFahrer", ""},
        };
        for (const auto& [name, text] : felder)
            EXPECT_EQ(p.text(name), text) << name;
        EXPECT_TRUE(listenzeilen(p).isEmpty());
    }
}

// The real main window, typed like a person: a company car's three trips
// browsed, saved untouched with F8, corrected with the save button, deleted.
TEST(Zweitpruefung, TypedSessionOnTheMainWindow)
{
    kmktest::Umgebung u;
    QByteArray drei;
    for (int i = 1; i <= 3; ++i)
        drei += Seite::fahrt(i).zuBytes();
    Form1* f = hauptfenster(u, true, drei);
    ASSERT_TRUE(f);
    const QByteArray vorher = u.lies("Auto1_16.dat");
    auto taste = [&](Qt::Key k) { ::taste(f, k); };
    auto feld = [&](const char* n) -> QLineEdit* {
        if (auto* c = f->ctl<forms::ComboBox>(n))
            return c->lineEdit();
        return f->ctl<QLineEdit>(n);
    };

    taste(Qt::Key_F7);
    ASSERT_EQ(fahrten1().Satznummer, 3);
    EXPECT_EQ(feld("EinVon")->text(), "Start 3");
    for (Qt::Key k : {Qt::Key_F8, Qt::Key_F5, Qt::Key_F8}) {
        u.meldungen.clear();
        taste(k);
        EXPECT_EQ(u.meldungen, k == Qt::Key_F8 ? QList<int>{66} : QList<int>{}) << k;
    }
    ASSERT_EQ(fahrten1().Satznummer, 2);
    EXPECT_EQ(u.lies("Auto1_16.dat"), vorher);
    // Trip 1, shown without a predecessor, is a journal candidate too:
    // untouched it answers 66; changed, "No" to 50 leaves every byte.
    taste(Qt::Key_F4);
    u.meldungen.clear();
    taste(Qt::Key_F8);
    EXPECT_EQ(u.meldungen, QList<int>{66});
    EXPECT_EQ(u.lies("Auto1_16.dat"), vorher);
    {
        QLineEdit* g = feld("EinGrund");
        g->setFocus();
        g->selectAll();
        QTest::keyClick(g, Qt::Key_Backspace);
        QTest::keyClicks(g, "Messe");
        u.meldungen.clear();
        u.dialog.antworten = {false};
        QWidget* kn = f->ctl("EintragSpeichern");
        QTest::mouseClick(kn, Qt::LeftButton, {}, kn->rect().center());
        EXPECT_EQ(u.meldungen, QList<int>{50});
        EXPECT_EQ(u.lies("Auto1_16.dat"), vorher);
    }
    taste(Qt::Key_F6);

    QLineEdit* grund = feld("EinGrund");
    grund->setFocus();
    grund->selectAll();
    QTest::keyClick(grund, Qt::Key_Backspace);
    QTest::keyClicks(grund, "Messe");
    u.meldungen.clear();
    QWidget* knopf = f->ctl("EintragSpeichern");
    QTest::mouseClick(knopf, Qt::LeftButton, {}, knopf->rect().center());
    EXPECT_EQ(u.meldungen, (QList<int>{50, 51}));
    const QByteArray nachher = u.lies("Auto1_16.dat");
    ASSERT_EQ(nachher.size(), 4 * 671);
    EXPECT_EQ(nachher.left(671), vorher.left(671));
    EXPECT_EQ(nachher.mid(3 * 671), vorher.mid(2 * 671));
    FahrtDatensatz storniert = Seite::fahrt(2);
    storniert.Eintragsstatus = 1;
    storniert.Statusdatum = vb::DateSerial(2016, 6, 15);
    EXPECT_EQ(nachher.mid(671, 671), storniert.zuBytes());
    const FahrtDatensatz neu = FahrtDatensatz::ausBytes(nachher.mid(2 * 671, 671));
    EXPECT_EQ(neu.Grund, QString("Messe").leftJustified(50));
    EXPECT_EQ(neu.Eintragsstatus, 2);
    EXPECT_EQ(neu.Statusdatum, vb::DateSerial(2016, 6, 15));
    EXPECT_EQ(neu.KmAb, 1100);
    EXPECT_EQ(neu.DatumAb, vb::DateSerial(2016, 3, 2));
    EXPECT_EQ(fahrten1().Satznummer, 4);
    EXPECT_EQ(u.klartexte(), QStringList{});

    // The changed copy is locked: F8 on it is refused with 76.
    taste(Qt::Key_F5);
    if (qEnvironmentVariableIsSet("KMK_BILDER"))
        f->grab().save("/tmp/kmk_geaendert.png");
    u.meldungen.clear();
    taste(Qt::Key_F8);
    EXPECT_EQ(u.meldungen, QList<int>{76});

    taste(Qt::Key_F5);
    EXPECT_EQ(f->ctl<QCheckBox>("Check13")->text(), "Storniert am 15.06.2016");
    if (qEnvironmentVariableIsSet("KMK_BILDER"))
        f->grab().save("/tmp/kmk_storniert.png");
    u.meldungen.clear();
    taste(Qt::Key_F2);
    EXPECT_EQ(u.meldungen, (QList<int>{2, 32}));
    EXPECT_FALSE(QFile::exists(u.pfad("Auto1_16.dat")));
    EXPECT_EQ(feld("EinVon")->text(), QString::fromUtf8("Köln").leftJustified(30));
    EXPECT_EQ(f->ctl<QLineEdit>("FahrtNr")->text(), " 0");
}

TEST(Zweitpruefung, BackupNamesSkipsAndRefreshes)
{
    Seite p;
    auto datei = [&](const QString& name, const QByteArray& inhalt) {
        QFile d(p.pfad(name));
        ASSERT_TRUE(d.open(QIODevice::WriteOnly));
        d.write(inhalt);
    };
    const QByteArray satz(671, 'x');
    datei("Auto2_16.dat", satz.repeated(7));
    datei("Auto4_16.dat", QByteArray(670, 'y'));   // not one whole trip
    datei("Auto2016.dat", "Stamm");
    datei("Vor2016.dat", "Einstellungen");
    QDir().mkpath(p.pfad("Sicherheit"));
    QList<QString> meldungen;
    const auto melden = [&](const QString& t) { meldungen << t; };

    SicherheitscopyNeu(p.st, melden);
    EXPECT_EQ(QDir(p.pfad("Sicherheit/_Au2-7 E")).entryList(QDir::Files, QDir::Name),
              (QStringList{"Auto2016.dat", "Auto2_16.dat", "Vor2016.dat"}));
    // Again without a save in between: the folder is there, nothing is copied.
    datei("Vor2016.dat", "geändert");
    SicherheitscopyNeu(p.st, melden);
    EXPECT_EQ(p.inhalt("Sicherheit/_Au2-7 E/Vor2016.dat"), "Einstellungen");
    EXPECT_EQ(QDir(p.pfad("Sicherheit")).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"_Au2-7 E"});
    EXPECT_TRUE(meldungen.isEmpty());

    // Quick backup, vehicle 1 current at trip 40, whose copy exists: nothing at all.
    datei("Auto1_16.dat", satz.repeated(40));
    datei("Sicherheit/Auto1_AnzahlEintra_40.dat", "alt 40");
    p.st.Satznummer = 40;
    p.st.Voreinstellung.Sicherungsordner = "/anderswo/";
    Sicherheitscopy(p.st);
    EXPECT_FALSE(QFile::exists(p.pfad("Sicherheit/Auto2016.dat")));
    EXPECT_FALSE(QFile::exists(p.pfad("Sicherheit/Auto2_AnzahlEintra_7.dat")));
    EXPECT_EQ(vb::Trim(p.st.Voreinstellung.Sicherungsordner), p.st.Programmpfad + "Sicherheit/");
    // At trip 41: vehicle 1's new count is copied, vehicle 2's kept once, the others refreshed.
    datei("Auto1_16.dat", satz.repeated(41));
    datei("Sicherheit/Auto2_AnzahlEintra_7.dat", "alt 7");
    datei("Sicherheit/Vor2016.dat", "veraltet");
    p.st.Satznummer = 41;
    Sicherheitscopy(p.st);
    EXPECT_EQ(p.inhalt("Sicherheit/Auto1_AnzahlEintra_41.dat"), satz.repeated(41));
    EXPECT_EQ(p.inhalt("Sicherheit/Auto1_AnzahlEintra_40.dat"), "alt 40");
    EXPECT_EQ(p.inhalt("Sicherheit/Auto2_AnzahlEintra_7.dat"), "alt 7");
    EXPECT_EQ(p.inhalt("Sicherheit/Vor2016.dat"), "geändert");
    EXPECT_EQ(p.inhalt("Sicherheit/Auto2016.dat"), "Stamm");
    EXPECT_EQ(QDir(p.pfad("Sicherheit")).entryList({"Auto4*"}), QStringList{});
}

// A private car's first trip saved untouched with F8 keeps every byte.
TEST(Zweitpruefung, PrivateCarFirstTripSavedUntouchedKeepsEveryByte)
{
    kmktest::Umgebung u;
    QByteArray drei;
    for (int i = 1; i <= 3; ++i) {
        FahrtDatensatz x = Seite::fahrt(i);
        x.Fahrer = "Anna";
        x.Mitfahrer = 2;
        x.Kraftstoffmenge = 40;
        x.BetragKraftstoff = vb::Currency::fromRaw(600000);
        x.Kraftstoffart = "Liter";
        x.Eintragungsdatum = vb::DateSerial(2016, 3, i);
        x.AbwesenheitFahrt = 61;
        x.Fahrtkosten = 30;
        drei += x.zuBytes();
    }
    Form1* f = hauptfenster(u, false, drei);
    ASSERT_TRUE(f);
    const QByteArray vorher = u.lies("Auto1_16.dat");
    // The allowance and cost rules recompute their own fields on display.
    auto ohneBerechnetes = [](const QByteArray& datei) {
        QByteArray r;
        for (int i = 0; i * 671 < datei.size(); ++i) {
            FahrtDatensatz x = FahrtDatensatz::ausBytes(datei.mid(i * 671, 671));
            x.AbwesenheitFahrt = x.AbwesenheitGesamt = x.AbwesenheitTag = x.FahrtDesTages = 0;
            x.Vergleichsindex = 0;
            x.Fahrtkosten = 0;
            r += x.zuBytes();
        }
        return r;
    };
    for (Qt::Key k : {Qt::Key_F8, Qt::Key_F4, Qt::Key_F8, Qt::Key_F6, Qt::Key_F8}) {
        taste(f, k);
        EXPECT_EQ(ohneBerechnetes(u.lies("Auto1_16.dat")), ohneBerechnetes(vorher))
            << "key " << k << " on trip " << fahrten1().Satznummer;
        EXPECT_EQ(u.meldungen, QList<int>{});
    }
    // A corrected purpose on trip 1, saved with the button: in place, the rest kept.
    taste(f, Qt::Key_F4);
    auto* grund = f->ctl<forms::ComboBox>("EinGrund")->lineEdit();
    grund->setFocus();
    grund->selectAll();
    QTest::keyClick(grund, Qt::Key_Backspace);
    QTest::keyClicks(grund, "Messe");
    QWidget* knopf = f->ctl("EintragSpeichern");
    QTest::mouseClick(knopf, Qt::LeftButton, {}, knopf->rect().center());
    const QByteArray nachher = u.lies("Auto1_16.dat");
    ASSERT_EQ(nachher.size(), 3 * 671);
    FahrtDatensatz erwartet = FahrtDatensatz::ausBytes(vorher.left(671));
    erwartet.Grund = QString("Messe").leftJustified(50);
    EXPECT_EQ(ohneBerechnetes(nachher.left(671)), ohneBerechnetes(erwartet.zuBytes()));
    EXPECT_EQ(ohneBerechnetes(nachher.mid(671)), ohneBerechnetes(vorher.mid(671)));
}

// Byte images an auditor may feed: a corrupt trip between two good ones is
// shown without ending the program, and saving it untouched changes nothing.
TEST(Zweitpruefung, CorruptByteImagesAreShownAndNeverRewritten)
{
    QByteArray zufall(671, 0);
    quint32 z = 12345;
    for (char& c : zufall)
        c = char((z = z * 1103515245u + 12345u) >> 24);
    const QByteArray bilder[] = {QByteArray(671, '\0'), QByteArray(671, '\xff'), QByteArray(671, ' '), zufall};
    for (bool firma : {true, false}) {
        for (const QByteArray& bild : bilder) {
            Seite p(firma);
            const QByteArray vorher = Seite::fahrt(1).zuBytes() + bild + Seite::fahrt(3).zuBytes() + "Rest";
            {
                QFile d(p.pfad());
                ASSERT_TRUE(d.open(QIODevice::WriteOnly));
                d.write(vorher);
            }
            zeige(p, 2);
            EXPECT_EQ(p.text("FahrtNr"), " 2");
            EXPECT_EQ(listenzeilen(p).size(), 2);
            ASpeichern(p.s);
            if (firma) {
                EXPECT_EQ(p.inhalt(), vorher) << bild.toHex().left(16).toStdString();
                EXPECT_TRUE(p.fragen == QList<int>{66} || p.fragen == QList<int>{76}) << p.fragen.size();
            }
            Datensatzvor(p.s);
            Datensatzvor(p.s);
            EXPECT_EQ(p.st.Satznummer, 3);
        }
    }
}

// The same byte images typed on the main window: browsing them and F8 on a
// company car's corrupt trip never end the program nor touch the file.
TEST(Zweitpruefung, CorruptByteImagesOnTheMainWindow)
{
    const QByteArray bilder[] = {QByteArray(671, '\xff'), QByteArray(671, '\x80')};
    for (bool firma : {true, false}) {
        for (const QByteArray& bild : bilder) {
            kmktest::Umgebung u;
            const QByteArray vorher = Seite::fahrt(1).zuBytes() + bild + Seite::fahrt(3).zuBytes();
            Form1* f = hauptfenster(u, firma, vorher);
            ASSERT_TRUE(f);
            for (Qt::Key k : {Qt::Key_F5, Qt::Key_F8, Qt::Key_F4, Qt::Key_F6, Qt::Key_F7, Qt::Key_F9, Qt::Key_F5})
                taste(f, k);
            EXPECT_EQ(fahrten1().Satznummer, 3);   // back from the new entry to the last trip
            const QByteArray nachher = u.lies("Auto1_16.dat");
            if (firma)
                EXPECT_EQ(nachher, vorher);
            EXPECT_EQ(nachher.left(671), vorher.left(671));
            EXPECT_EQ(nachher.mid(2 * 671), vorher.mid(2 * 671));
        }
    }
}

// F12 then F8 on a company car: the return trip is appended after question 5
// and the trips before it stay as they were.
TEST(Zweitpruefung, ReturnTripTypedIsAppended)
{
    kmktest::Umgebung u;
    QList<FahrtDatensatz> l{Seite::fahrt(1), Seite::fahrt(2)};
    l[1].Von = "Hamburg";
    l[1].Nach = "Bremen";
    l[1].Fahrer = "Anna";
    QByteArray zwei = l[0].zuBytes() + l[1].zuBytes();
    Form1* f = hauptfenster(u, true, zwei);
    ASSERT_TRUE(f);
    taste(f, Qt::Key_F12);
    taste(f, Qt::Key_F8);
    EXPECT_EQ(u.meldungen, QList<int>{5});
    const QByteArray nachher = u.lies("Auto1_16.dat");
    ASSERT_EQ(nachher.size(), 3 * 671);
    EXPECT_EQ(nachher.left(2 * 671), zwei);
    const FahrtDatensatz r = FahrtDatensatz::ausBytes(nachher.mid(2 * 671));
    FahrtDatensatz erwartet = l[1];   // 02.03.2016, 08:02 to 09:02, 1100 to 1200 km
    erwartet.Von = "Bremen";
    erwartet.Nach = "Hamburg";
    erwartet.Gespraechspartner = "Rückfahrt";
    erwartet.KmAb = 1200;
    erwartet.KmAn = 1300;
    erwartet.ZeitAb = 542 + 2;
    erwartet.ZeitAn = 542 + 5;
    for (const auto& [ist, soll] : {std::pair{r.Von, erwartet.Von}, {r.Nach, erwartet.Nach}, {r.Ueber, erwartet.Ueber},
                                    {r.Grund, erwartet.Grund}, {r.Gespraechspartner, erwartet.Gespraechspartner},
                                    {r.Fahrer, erwartet.Fahrer}})
        EXPECT_EQ(vb::Trim(ist), soll);
    EXPECT_EQ(r.Fahrtart, 3);
    EXPECT_EQ(r.DatumAb, erwartet.DatumAn);
    EXPECT_EQ((QList<qint32>{r.KmAb, r.KmAn, r.GefahreneKm, r.ZeitAb, r.ZeitAn}),
              (QList<qint32>{1200, 1300, 100, erwartet.ZeitAb, erwartet.ZeitAn}));
    EXPECT_EQ(r.Eintragungsdatum, vb::DateSerial(2016, 6, 15));
    EXPECT_EQ(r.VorherigeAnzahl, 2);
    EXPECT_EQ(r.Eintragsstatus, 0);
}

// A compared copy left from another vehicle: browse vehicle 1, switch to
// vehicle 2, F8 on its untouched trip gives 66 and no record anywhere.
TEST(Zweitpruefung, VehicleSwitchThenF8ChangesNothing)
{
    kmktest::Umgebung u;
    QByteArray eins, zwei;
    for (int i = 1; i <= 3; ++i)
        eins += Seite::fahrt(i).zuBytes();
    for (int i = 7; i <= 8; ++i)
        zwei += Seite::fahrt(i).zuBytes();
    Form1* f = hauptfenster(u, true, eins, zwei);
    ASSERT_TRUE(f);
    f->AutoOpt_Click(0);
    ASSERT_EQ(fahrten1().AktuellesFahrzeug, 1);
    taste(f, Qt::Key_F7);
    taste(f, Qt::Key_F5);
    ASSERT_EQ(fahrten1().Satznummer, 2);
    f->AutoOpt_Click(1);
    ASSERT_EQ(fahrten1().AktuellesFahrzeug, 2);
    // Trip 2 of vehicle 2 asks 66, and so does its untouched trip 1.
    const std::pair<Qt::Key, QList<int>> schritte[] = {{Qt::Key_F8, {66}}, {Qt::Key_F5, {}}, {Qt::Key_F8, {66}}};
    for (const auto& [k, meldungen] : schritte) {
        u.meldungen.clear();
        taste(f, k);
        EXPECT_EQ(u.meldungen, meldungen) << k;
    }
    EXPECT_EQ(fahrten1().Satznummer, 1);
    EXPECT_EQ(u.lies("Auto1_16.dat"), eins);
    EXPECT_EQ(u.lies("Auto2_16.dat"), zwei);
}
