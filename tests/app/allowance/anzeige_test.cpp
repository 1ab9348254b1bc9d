// What the entry page shows of the allowance rules, on the page itself.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

#include "app/allowance/pauschalanzeige.h"
#include "app/mainwindow/page_eintragungen.h"
#include "platform/forms/colors.h"
#include "platform/vb/date.h"

using namespace kmk;

namespace {

struct Seite {
    QWidget page;
    Fahrten1 st;
    Pauschalanzeige a{st, &page};

    Seite()
    {
        buildEintragungenPage(&page);
        st.Voreinstellung.MitVerpflegungspauschale = WAHR;
        st.Kfz.Firmenfahrzeug = WAHR;
        st.Jahrgang.PauschaleTeiltag = "14";
        st.Jahrgang.PauschaleVolltag = "28";
        st.Satznummer = 1;
        st.Pufferindex = 1;
        st.NeuerEintragOffen = true;
    }
    template <class T = QWidget> T* c(const char* name) { return page.findChild<T*>(name); }
    QString text(const char* name) { return c<QLabel>(name)->text(); }
    bool sichtbar(const char* name) { return !c(name)->isHidden(); }
    void fahrt(int art, const char* ab, const char* an, int tage = 0)
    {
        const char* opt[] = {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"};
        for (int i = 0; i < 5; ++i) {
            auto* o = c<QRadioButton>(opt[i]);
            o->setAutoExclusive(false);
            o->setChecked(i + 1 == art);
        }
        c<QLineEdit>("EinDatumAb")->setText("01.03.2016");
        c<QLineEdit>("EinDatumAn")->setText(vb::DateText(vb::DateSerial(2016, 3, 1 + tage)));
        c<QLineEdit>("EinZeitAb")->setText(ab);
        c<QLineEdit>("EinZeitAn")->setText(an);
        a.PauschaleAnzeigen();
    }
};

} // namespace

TEST(Pauschalanzeige, LabelsShowTheTripsFigures)
{
    Seite s;
    s.fahrt(3, "08:00", "16:30");
    EXPECT_EQ(s.text("LZeitFahrt"), " 8,30");
    EXPECT_EQ(s.text("LFahrtAnzahl"), " 1");
    EXPECT_EQ(s.text("LVerpflegGesamt"), " 14");
    EXPECT_EQ(s.text("LReisekosten"), " 14 /   0");
    EXPECT_EQ(s.text("LGGefahrenZeit"), " 8,30");
    EXPECT_EQ(s.c<QLineEdit>("FahrtNr")->text(), " 1");
    EXPECT_EQ(s.st.Satzpuffer[0].Teilpauschale2, 14);
    EXPECT_EQ(s.st.Satzpuffer[0].ZeitAn, 990);

    s.fahrt(4, "20:00", "09:05", 1);
    EXPECT_EQ(s.text("LZeitFahrt"), " 13,05");
    EXPECT_EQ(s.text("LReisekosten"), " 14 /   0");   // arrival 545 min, departure 240
    EXPECT_EQ(s.text("LVerpflegGesamt"), " 14");

    s.fahrt(2, "08:00", "16:30");   // no allowance: the amount line is emptied
    EXPECT_EQ(s.text("LReisekosten"), "");
    EXPECT_EQ(s.text("LVerpflegGesamt"), " 0");
    s.fahrt(2, "00:00", "09:00");   // times shown: 00:00 is midnight
    EXPECT_EQ(s.text("LZeitFahrt"), " 9,00");
}

TEST(Pauschalanzeige, RuleLabelInEachCase)
{
    // The rule text keeps its "\n\r"; the label shows one line break each.
    const QString geschaeft = QString::fromUtf8(
        "Eintägige Fahrt\nErste Fahrt an diesem Tag\nEine Geschäftsfahrt\nPauschale  14\nGesamt  14");
    const QString privat = QString::fromUtf8(
        "Eintägige Fahrt\nErste Fahrt an diesem Tag\nEine Prtivatfahrt\nPauschale  0\nGesamt  0");
    struct Fall { int art; bool mitPauschale; QString text; };
    const Fall faelle[] = {
        {3, true, geschaeft},
        {4, true, geschaeft},
        {3, false, TextPauschaleAus},
        {2, true, privat},
        {2, false, TextPauschaleAus},
        {1, true, TextArbeitsweg},
        {1, false, TextArbeitsweg},
        {5, true, TextFamilienheimfahrt},
        {0, true, TextKeinePauschale},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.art << " " << f.mitPauschale);
        Seite s;
        s.st.Voreinstellung.MitVerpflegungspauschale = flagVon(f.mitPauschale);
        s.fahrt(f.art, "08:00", "16:00");
        EXPECT_EQ(s.text("Label20"), f.text);
        if (f.text == geschaeft)
            EXPECT_EQ(s.st.Pauschalregel.count("\n\r"), 4);
        // The figures are computed and stored all the same.
        EXPECT_EQ(s.st.Satzpuffer[0].Teilpauschale2, f.art >= 3 && f.art <= 4 ? 14 : 0);
    }
}

TEST(Pauschalanzeige, RuleTextIsRedWhileANewEntryIsOpen)
{
    Seite s;
    s.fahrt(3, "08:00", "16:00");
    EXPECT_EQ(s.c<QLabel>("Label20")->palette().color(QPalette::WindowText), forms::bgr(255));
    s.st.NeuerEintragOffen = false;
    s.a.PauschaleAnzeigen();
    EXPECT_EQ(s.c<QLabel>("Label20")->palette().color(QPalette::WindowText), forms::bgr(0xC00000));
}

TEST(Pauschalanzeige, FramesAndFieldGroupsFollowSettingsAndVehicle)
{
    struct Fall {
        const char* was;
        bool firma, mitPauschale, ohneZeiten, privatNurKm;
        int art;
        bool frame5, frame7, route, zeiten, km;
    };
    const Fall faelle[] = {
        {"business", true, true, false, false, 3, true, false, true, true, true},
        {"no allowances", true, false, false, false, 3, false, true, true, true, true},
        {"no times", true, true, true, false, 3, true, false, true, false, true},
        {"no times, no allowances", true, false, true, false, 3, false, true, true, false, true},
        {"private, km only", true, true, false, true, 2, true, false, false, false, true},
        {"private", true, true, false, false, 2, true, false, true, true, true},
        {"private, no times", true, true, true, false, 2, true, false, true, false, true},
        {"commute, km only", true, true, false, true, 1, true, false, true, true, true},
        {"private car", false, true, false, false, 3, true, false, true, false, false},
        {"private car, no allowances", false, false, false, false, 3, false, false, true, false, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        Seite s;
        s.st.Kfz.Firmenfahrzeug = flagVon(f.firma);
        s.st.Kfz.Privatfahrzeug = flagVon(!f.firma);
        s.st.Voreinstellung.MitVerpflegungspauschale = flagVon(f.mitPauschale);
        s.st.Voreinstellung.OhneZeiten = flagVon(f.ohneZeiten);
        s.st.Voreinstellung.PrivatNurKm = flagVon(f.privatNurKm);
        s.fahrt(f.art, "08:00", "16:00");
        EXPECT_EQ(s.sichtbar("Frame5"), f.frame5);
        EXPECT_EQ(s.sichtbar("Frame7"), f.frame7);
        for (const char* n : {"Label4", "Label11", "EinVon", "EinUber", "EinGesprach", "EinFahrer"})
            EXPECT_EQ(s.sichtbar(n), f.route) << n;
        for (const char* n : {"Label2", "Label8", "EinZeitAb", "EinZeitAn", "QKSpin1", "QKSpin4"})
            EXPECT_EQ(s.sichtbar(n), f.zeiten) << n;
        for (const char* n : {"AnzKmAb", "EinkmAn"})
            EXPECT_EQ(s.sichtbar(n), f.km) << n;
    }
}

TEST(Pauschalanzeige, APrivateTripWithKmOnlyShowsNoTimes)
{
    Seite s;
    s.st.Voreinstellung.PrivatNurKm = WAHR;
    s.fahrt(2, "08:00", "16:00");
    EXPECT_EQ(s.c<QLineEdit>("EinZeitAb")->text(), "00:00");
    EXPECT_EQ(s.c<QLineEdit>("EinZeitAn")->text(), "00:00");
    EXPECT_EQ(s.st.Satzpuffer[0].ZeitAb, 0);
    EXPECT_EQ(s.st.Satzpuffer[0].ZeitAn, 0);
}

TEST(Pauschalanzeige, JournalLine)
{
    Seite s;
    s.st.Voreinstellung.Journalfunktion = WAHR;
    s.st.Satzpuffer[0].Eintragungsdatum = vb::DateSerial(2016, 3, 4);
    s.fahrt(3, "08:00", "16:00");
    EXPECT_TRUE(s.sichtbar("LEinDatum"));
    EXPECT_EQ(s.text("LEinDatum"), "Eintragungsdatum 04.03.2016");
    for (qint32 keinDatum : {1, 0}) {
        s.st.Satzpuffer[0].Eintragungsdatum = keinDatum;
        s.a.PauschaleAnzeigen();
        EXPECT_TRUE(s.sichtbar("LEinDatum"));
        EXPECT_EQ(s.text("LEinDatum"), "");
    }
    // A cancelled or changed trip shows its status box instead.
    for (quint8 status : {1, 2}) {
        s.st.Satzpuffer[0].Eintragsstatus = status;
        s.a.PauschaleAnzeigen();
        EXPECT_FALSE(s.sichtbar("LEinDatum")) << int(status);
    }
    s.st.Satzpuffer[0].Eintragsstatus = 0;
    s.st.Voreinstellung.Journalfunktion = FALSCH;
    s.a.PauschaleAnzeigen();
    EXPECT_FALSE(s.sichtbar("LEinDatum"));
}
