// Moving through the trips, a new entry and the return trip.
#include "seite.h"

#include "app/entry/anzeige.h"
#include "app/entry/felder.h"
#include "app/entry/laden.h"
#include "app/entry/navigation.h"
#include "app/entry/neueintrag.h"
#include "platform/forms/combobox.h"
#include "platform/vb/text.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

using kmktest::Seite;
using kmktest::gepolstert;
using namespace kmk;

TEST(Navigation, BothEndsStopWithTheirMessage)
{
    Seite p;
    p.schreibe(3);
    Datensatzeins(p.s);
    EXPECT_EQ(p.st.Satznummer, 1);
    EXPECT_EQ(p.text("EinVon"), "Start 1");
    Datensatzzurueck(p.s);
    EXPECT_EQ(p.st.Satznummer, 1);
    Datensatzvor(p.s);
    Datensatzvor(p.s);
    EXPECT_EQ(p.st.Satznummer, 3);
    EXPECT_EQ(p.st.Pufferindex, 3);
    Datensatzvor(p.s);
    EXPECT_EQ(p.st.Satznummer, 3);
    Datensatzzurueck(p.s);
    EXPECT_EQ(p.text("FahrtNr"), " 2");
    EXPECT_EQ(p.meldungstexte(), (QStringList{"Dateianfang !", "Dateiende !"}));
    LetzterDatensatz(p.s);
    EXPECT_EQ(p.st.Satznummer, 3);
}

TEST(Navigation, ANewEntryStaysOpenForwardAndIsLeftBackward)
{
    Seite p;
    p.schreibe(3);
    p.st.Satzanzahl = 3;
    NeuEintrag(p.s);
    ASSERT_TRUE(p.st.NeuerEintragOffen);
    ASSERT_EQ(p.st.Satznummer, 4);
    Datensatzvor(p.s);
    EXPECT_TRUE(p.st.NeuerEintragOffen);
    EXPECT_EQ(p.st.Satznummer, 4);
    EXPECT_EQ(p.meldungstexte(), QStringList{"Dateiende !"});
    Datensatzzurueck(p.s);
    EXPECT_FALSE(p.st.NeuerEintragOffen);
    EXPECT_EQ(p.st.Satznummer, 3);
    EXPECT_EQ(p.text("EinVon"), "Start 3");
}

TEST(Navigation, WithoutATripFileEveryMoveOnlyClearsTheNumber)
{
    Seite p;
    for (auto* f : {&Datensatzeins, &Datensatzzurueck, &Datensatzvor, &LetzterDatensatz}) {
        p.st.Satznummer = 7;
        f(p.s);
        EXPECT_EQ(p.st.Satznummer, 0);
    }
    EXPECT_TRUE(p.fakes.dialogs.shown.isEmpty());
    EXPECT_EQ(p.text("FahrtNr"), "");
}

TEST(NeuerEintrag, PrefillsAfterTheLastTripAndStampsTheEntryDate)
{
    for (bool journal : {true, false}) {
        Seite p;
        p.schreibe(2);
        p.st.Satzanzahl = 2;
        p.st.Voreinstellung.Journalfunktion = journal ? WAHR : FALSCH;
        int vorbelegt = 0;
        p.s.dienste.FahrtLoschen = [&] { ++vorbelegt; };
        NeuEintrag(p.s);
        EXPECT_EQ(vorbelegt, 1);
        EXPECT_EQ(p.st.Satznummer, 3);
        EXPECT_EQ(p.st.Pufferindex, 2);
        EXPECT_EQ(p.text("EinZeitAb"), "09:04");
        EXPECT_EQ(p.text("EinZeitAn"), "09:07");
        EXPECT_EQ(p.st.Satzpuffer[0].Eintragungsdatum, journal ? vb::DateSerial(2016, 6, 15) : 1);
        EXPECT_FALSE(p.s.ctl<QRadioButton>("OptGesch")->isChecked());
        EXPECT_EQ(p.st.Satzpuffer[0].Fahrtart, 0);
    }
}

TEST(NeuerEintrag, ReturnTripSwapsStartAndDestination)
{
    Seite p;
    FahrtDatensatz hin = Seite::fahrt(1);
    hin.Von = "Hamburg";
    hin.Nach = "Bremen";
    hin.Ueber = "A1";
    hin.GefahreneKm = 120;
    hin.Fahrtart = 4;
    p.schreibe({hin});
    p.st.Satzanzahl = 1;
    Rueckfahrt(p.s);
    EXPECT_EQ(p.text("EinVon").trimmed(), "Bremen");
    EXPECT_EQ(p.text("EinNach").trimmed(), "Hamburg");
    EXPECT_EQ(p.text("EinUber").trimmed(), "A1");
    // The padded route shows its start, not its blank tail.
    for (const char* n : {"EinVon", "EinUber", "EinNach"}) {
        QWidget* w = p.s.ctl(n);
        auto* c = qobject_cast<QComboBox*>(w);
        QLineEdit* e = c ? c->lineEdit() : qobject_cast<QLineEdit*>(w);
        ASSERT_NE(e, nullptr) << n;
        EXPECT_EQ(e->cursorPosition(), 0) << n;
    }
    EXPECT_EQ(p.text("EinGesprach"), "Rückfahrt");
    EXPECT_EQ(p.text("EinGefKm"), "120");
    EXPECT_TRUE(p.s.ctl<QRadioButton>("OptEhr")->isChecked());
    EXPECT_EQ(p.st.Satznummer, 2);
    EXPECT_TRUE(p.st.NeuerEintragOffen);
}

// A private trip recorded with date and km only holds "Privat" in its six
// texts. No new entry takes it over: F9 starts where the last trip with a
// real destination went (or at home) and takes the driver of the last trip
// that names one; F12 after such a trip leaves its texts empty, so the
// required-field checks ask for them, and takes the driver as F9 does.
TEST(NeuerEintrag, ThePrivateTripsPlaceholderIsNeverCarriedIntoANewEntry)
{
    struct Fahrt { quint8 art; const char* fahrer; bool platzhalter; };
    // F12's texts: those of the last trip swapped, or none.
    struct Fall { QList<Fahrt> fahrten; const char* fahrer; const char* von; bool rueckTexte; };
    const Fall faelle[] = {
        {{{3, "Anna", false}, {2, "Privat", true}}, "Anna", "Ziel 1", false},
        {{{3, "Anna", false}, {2, "Privat", true}, {2, "Privat", true}}, "Anna", "Ziel 1", false},
        {{{2, "Privat", true}}, "", "Köln", false},                 // home
        {{{3, "Anna", false}, {2, "Berta", true}}, "Berta", "Ziel 1", false},
        {{{3, "Anna", false}, {3, "", false}}, "", "Ziel 2", true},  // the last trip as stored
        {{{3, "Anna", false}, {2, "Berta", false}}, "Berta", "Ziel 2", true},   // texts typed
        {{{3, "Privat", false}}, "Privat", "Ziel 1", true},          // a driver of that name
    };
    for (const Fall& f : faelle) {
        QList<FahrtDatensatz> l;
        for (const Fahrt& x : f.fahrten) {
            FahrtDatensatz d = Seite::fahrt(int(l.size()) + 1);
            d.Fahrtart = x.art;
            if (x.platzhalter)
                d.Von = d.Ueber = d.Nach = d.Grund = d.Gespraechspartner = "Privat";
            d.Fahrer = x.fahrer;
            l << d;
        }
        const FahrtDatensatz& letzte = l.last();
        for (const bool rueck : {false, true}) {
            SCOPED_TRACE(testing::Message() << l.size() << " trips, driver " << f.fahrer << (rueck ? ", F12" : ", F9"));
            Seite p;
            p.schreibe(l);
            zeige(p, int(l.size()));
            p.st.Satzanzahl = qint32(l.size());
            p.s.ctl<forms::ComboBox>("EinFahrer")->addItem("Privat");
            if (rueck)
                Rueckfahrt(p.s);
            else
                NeuEintrag(p.s);
            EXPECT_EQ(vb::Trim(p.text("EinFahrer")), f.fahrer);
            if (!rueck) {
                EXPECT_EQ(vb::Trim(p.text("EinVon")), QString::fromUtf8(f.von));
                for (const char* n : {"EinUber", "EinNach", "EinGrund", "EinGesprach"})
                    EXPECT_EQ(p.text(n), "") << n;
                continue;
            }
            EXPECT_EQ(vb::Trim(p.text("EinVon")), f.rueckTexte ? vb::Trim(letzte.Nach) : "");
            EXPECT_EQ(p.text("EinNach"), f.rueckTexte ? vb::Trim(letzte.Von) : "");
            EXPECT_EQ(p.text("EinUber"), f.rueckTexte ? "A1" : "");
            EXPECT_EQ(p.text("EinGrund"), f.rueckTexte ? "Kunde" : "");
            EXPECT_EQ(p.text("EinGesprach"), "Rückfahrt");
        }
    }
}

TEST(Navigation, NavigationAtTheEndsWithANewEntryAndOnAnEmptyFile)
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

TEST(NeuerEintrag, NewEntryAndReturnTripPrefill)
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
        EXPECT_EQ(p.text("EinNach"), "Hamburg");
        EXPECT_EQ(p.text("EinUber"), "A1");
        EXPECT_EQ(p.text("EinGrund"), "Kunde");
        EXPECT_EQ(p.text("EinGefKm"), "120");
        EXPECT_EQ(p.text("EinGesprach"), "Rückfahrt");
        EXPECT_EQ(p.text("EinFahrer"), gepolstert("Anna", 50));
        EXPECT_TRUE(p.s.ctl<QRadioButton>("OptEhr")->isChecked());
    }
}
