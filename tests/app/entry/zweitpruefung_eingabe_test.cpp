// A second reading of typing and saving a trip: the checks on a page of
// plain texts, then typed sessions on the real window. Every expected value
// is worked out by hand from the rules a user meets.

#include "tests/app/entry/seite.h"
#include "tests/app/mainwindow/test_startup_umgebung.h"

#include "app/entry/eingabefelder.h"
#include "app/entry/pruefungen.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/mainwindow/sstab.h"
#include "platform/com/controlhost.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "platform/forms/fakes.h"
#include "platform/vb/date.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <deque>

using namespace kmk;

namespace {

qint32 tag(int d, int m, int y = 2016) { return vb::DateSerial(y, m, d); }

struct Stand {
    forms::ScopedFakes fakes;
    Fahrten1 st;
    TextEingabeseite s;
    Eingabedienste d;
    QList<int> meldungen;
    std::deque<bool> antworten;
    int pauschale = 0;
    Eintragung e{st, s, d};

    Stand()
    {
        st.Jahr = "2016";
        st.Kfz.Firmenfahrzeug = -1;
        st.Voreinstellung.Warnhinweise = -1;
        d.meldung = [this](int n) {
            meldungen << n;
            const bool a = antworten.empty() || antworten.front();
            if (!antworten.empty())
                antworten.pop_front();
            return a;
        };
        d.PauschaleAnzeigen = [this] { ++pauschale; };
    }
    FahrtDatensatz& p() { return st.Satzpuffer[0]; }
};

} // namespace

TEST(Zweitpruefung, JournalWindowCountsTheTimeOfDayAndTheLaterHitWins)
{
    struct Fall { qint32 ab, an; QDate heute; QTime zeit; int satz; int eintrag; int befund; };
    const Fall faelle[] = {
        {tag(1, 3), tag(2, 3), QDate(2016, 3, 9), QTime(0, 1), 2, 0, 100},     // departure counts
        {tag(2, 3), tag(2, 3), QDate(2016, 3, 9), QTime(23, 59), 2, 0, 0},
        {tag(3, 3), tag(1, 3), QDate(2016, 3, 9), QTime(0, 1), 2, 0, 100},     // arrival counts too
        {tag(1, 3), tag(10, 3), QDate(2016, 3, 9), QTime(0, 1), 2, 0, 98},     // future replaces 100
        {tag(9, 3), tag(9, 3), QDate(2016, 3, 9), QTime(23, 59), 2, 0, 0},
        {tag(9, 3), tag(9, 3), QDate(2016, 3, 9), QTime(12, 0), 3, tag(8, 3), 97},
        {tag(9, 3), tag(9, 3), QDate(2016, 3, 9), QTime(12, 0), 2, tag(8, 3), 0},   // not before the third trip
        {tag(10, 3), tag(10, 3), QDate(2016, 3, 9), QTime(12, 0), 3, tag(8, 3), 97},
    };
    for (const Fall& f : faelle) {
        Stand t;
        t.fakes.clock.day = f.heute;
        t.fakes.clock.time = f.zeit;
        t.st.Voreinstellung.Journalfunktion = -1;
        t.st.NeuerEintragOffen = true;
        t.st.Pufferindex = 2;
        t.st.Satznummer = f.satz;
        t.st.Satzpuffer[2].Eintragungsdatum = tag(9, 3);
        t.p().Eintragungsdatum = f.eintrag ? f.eintrag : tag(9, 3);
        t.p().DatumAb = f.ab;
        t.p().DatumAn = f.an;
        EXPECT_EQ(JournalTest(t.e), f.befund) << f.ab << " " << f.an << " " << f.zeit.toString();
        t.st.NeuerEintragOffen = false;
        EXPECT_EQ(JournalTest(t.e), 0);
    }
}

TEST(Zweitpruefung, OrderCheckCorrectsOneDayTripsOnlyAndStillAsksAboutTheGap)
{
    // Trip before: 10.03., arrived 10:30 (630).
    struct Fall { int index; qint32 ab, an; int zeitAb, zeitAn; int typ; bool aus; int befund; QString textAb, textAn; QList<int> fragen; };
    const Fall faelle[] = {
        {2, tag(10, 3), tag(10, 3), 629, 700, 3, false, 67, "10:31", "10:32", {}},
        {2, tag(10, 3), tag(10, 3), 630, 700, 3, false, 0, "", "", {}},               // the arrival minute itself passes
        {2, tag(11, 3), tag(12, 3), 900, 600, 3, false, 0, "", "", {}},               // two days: times not compared
        {2, tag(11, 3), tag(11, 3), 900, 600, 2, false, 0, "", "", {}},               // private trip
        {1, tag(11, 3), tag(11, 3), 900, 600, 3, false, 68, "09:59", "", {}},         // no trip before: other-day rule
        {2, tag(11, 3), tag(11, 3), 900, 600, 3, true, 0, "", "", {}},                // a date field has the focus
        {2, tag(16, 3), tag(16, 3), 900, 600, 3, true, 0, "", "", {71}},              // the gap is asked all the same
        {2, tag(11, 3), tag(9, 3), 700, 800, 3, false, 103, "", "", {}},
        {2, tag(11, 3), tag(2, 1, 2017), 700, 800, 3, false, 69, "", "", {}},         // arrival in another year
    };
    for (const Fall& f : faelle) {
        Stand t;
        t.st.Pufferindex = f.index;
        t.st.Satznummer = 4;
        for (int i : {1, 2}) {
            t.st.Satzpuffer[i].DatumAb = t.st.Satzpuffer[i].DatumAn = tag(10, 3);
            t.st.Satzpuffer[i].ZeitAn = 630;
        }
        t.st.FolgepruefungAus = f.aus;
        t.p().Fahrtart = quint8(f.typ);
        t.p().DatumAb = f.ab;
        t.p().DatumAn = f.an;
        t.s.texte = {{"EinDatumAb", vb::DateText(f.ab)}, {"EinDatumAn", vb::DateText(f.an)}};
        t.p().ZeitAb = qint16(f.zeitAb);
        t.p().ZeitAn = qint16(f.zeitAn);
        EXPECT_EQ(FahrtfolgeTest(t.e), f.befund) << f.zeitAb << " " << f.typ;
        EXPECT_EQ(t.s.text("EinZeitAb"), f.textAb) << f.zeitAb;
        EXPECT_EQ(t.s.text("EinZeitAn"), f.textAn) << f.zeitAb;
        EXPECT_EQ(t.meldungen, f.fragen) << f.zeitAb;
    }
}

TEST(Zweitpruefung, DateAndTimeTextsAtSavingShowTheFirstMessageOnly)
{
    struct Fall { const char* ab; const char* an; const char* zeitAb; const char* zeitAn; int befund; QList<int> gezeigt; };
    const Fall faelle[] = {
        {"31.04.2016", "01.05.2016", "08:00", "09:00", 109, {109}},
        {"01.05.2016", "30.02.2016", "08:00", "09:00", 109, {109}},
        {"1.1.2016", "01.01.2016", "08:00", "09:00", 107, {105}},
        {"29.02.2016", "29.02.2016", "1200", "13:00", 112, {111}},
        {"29.02.2016", "29.02.2016", "12:60", "13:00", 114, {114}},
        {"29.02.2016", "29.02.2016", "08:00", "24:30", 113, {113}},
        {"29.02.2016", "29.02.2016", "00:00", "24:00", 0, {}},
        {" 29.02.2016 ", "29.02.2016", " 08:15 ", "23:59", 0, {}},
    };
    for (const Fall& f : faelle) {
        Stand t;
        t.s.texte = {{"EinDatumAb", f.ab}, {"EinDatumAn", f.an}, {"EinZeitAb", f.zeitAb}, {"EinZeitAn", f.zeitAn}};
        EXPECT_EQ(DatumZeitTest(t.e), f.befund) << f.ab << " " << f.an << " " << f.zeitAb << " " << f.zeitAn;
        EXPECT_EQ(t.meldungen, f.gezeigt) << f.ab << " " << f.zeitAb;
    }
}

namespace {

struct Fenster {
    kmktest::Umgebung u;
    Form1* f = nullptr;

    explicit Fenster(bool firma = true)
    {
        pages::setHostedControlFactory(&pages::controlHostFactory);
        u.schreibeHilfstexte();
        EXPECT_TRUE(u.starte());
        f = u.form.get();
        forms::setText(f->KfzEingabe[0], "B-AB 123");
        forms::setText(f->KmEingabe[0], "345");
        forms::setText(f->StandortEingabe[0], QString::fromUtf8("Köln"));
        forms::setText(f->HalterEingabe[0], "Muster");
        forms::setOptionValue(firma ? f->FirmenPkw[0] : f->PrivatPkw[0], true);
        f->Command1_Click(0);
        f->SSTab1->setTab(2);
        f->show();
        f->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(f));
    }
    QLineEdit* feld(const char* n) const
    {
        if (auto* c = f->ctl<forms::ComboBox>(n))
            return c->lineEdit();
        return f->ctl<QLineEdit>(n);
    }
    QString text(const char* n) const
    {
        if (auto* c = f->ctl<forms::ComboBox>(n))
            return c->text();
        if (auto* l = f->ctl<QLabel>(n))
            return l->text();
        return feld(n) ? feld(n)->text() : QString();
    }
    void setzen(const char* n, const QString& s)
    {
        if (auto* c = f->ctl<forms::ComboBox>(n))
            c->setText(s);
        else
            forms::setText(f->ctl<QLineEdit>(n), s);
    }
    void tippen(const char* n, const QString& s)
    {
        QLineEdit* e = feld(n);
        e->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([e] { return e->hasFocus(); }, 1000)) << n;
        // Letters beyond ASCII arrive as their key with their text.
        for (QChar c : s)
            QTest::sendKeyEvent(QTest::Click, e, Qt::Key(c.toUpper().unicode()), c, Qt::NoModifier);
    }
    // Times typed on the page: the first start leaves them switched off.
    void mitZeiten()
    {
        forms::setValue(f->Check8, 0);
        f->Check8_Click();
        ASSERT_FALSE(f->ctl("EinZeitAb")->isHidden());
    }
    void neu(const char* n, const QString& s)
    {
        QLineEdit* e = feld(n);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        tippen(n, s);
    }
    void verlassen(const char* n, const char* nach)
    {
        feld(n)->setFocus();
        feld(nach)->setFocus();
    }
    bool enterGehtWeiter(const char* n)
    {
        QLineEdit* e = feld(n);
        e->setFocus();
        const QString vorher = e->text();
        if (!QTest::qWaitFor([e] { return e->hasFocus(); }, 1000)) {
            ADD_FAILURE() << n << " visible " << e->isVisible() << " enabled " << e->isEnabled();
            return false;
        }
        QTest::keyClick(e, Qt::Key_Return);
        return QTest::qWaitFor([e] { return !e->hasFocus(); }, 1000) && e->text() == vorher;
    }
    void maus(const char* n, Qt::MouseButton b = Qt::LeftButton)
    {
        QWidget* w = f->ctl(n);
        QTest::mouseClick(w, b, {}, w->rect().center());
    }
    void spin(const char* n, bool hoch)
    {
        QWidget* c = f->ctl<com::ControlHost>(n)->controlWidget();
        const QPoint p(c->width() / 2, hoch ? c->height() / 4 : c->height() * 3 / 4);
        QTest::mousePress(c, Qt::LeftButton, {}, p);
        QTest::mouseRelease(c, Qt::LeftButton, {}, p);
    }
    void kalender(qint32 t)
    {
        f->ctl<com::ControlHost>("QKC")->setProperty("Date", t);
        f->findChild<Eintragsfelder*>("kmkEintragsfelder")->QKC_MouseUp(1);
    }
    void neuerEintrag()
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : f, Qt::Key_F9);
    }
    // Every field of a business trip filled, as a paste would fill it.
    void fuellen(const QString& datum, const QString& ab, const QString& an)
    {
        setzen("EinDatumAb", datum);
        setzen("EinDatumAn", datum);
        setzen("EinZeitAb", ab);
        setzen("EinZeitAn", an);
        setzen("EinGefKm", "10");
        setzen("EinVon", QString::fromUtf8("Köln"));
        setzen("EinUber", "A1");
        setzen("EinNach", "Bonn");
        setzen("EinGesprach", "Meier");
        setzen("EinGrund", "Kunde");
        f->ctl<QRadioButton>("OptGesch")->click();
    }
    qsizetype satzanzahl() const { return u.lies("Auto1_16.dat").size() / FahrtDatensatz::Laenge; }
};

} // namespace

TEST(Zweitpruefung, SaveButtonShowsTheLastRequiredFindingByTripAndVehicleType)
{
    // typ 0: no option chosen; befund 0: the trip is appended.
    struct Fall { bool firma; int typ; QStringList leer; int befund; };
    const Fall faelle[] = {
        {true, 0, {"EinDatumAb"}, 61},
        {true, 0, {}, 63},
        {true, 3, {"EinDatumAb", "EinNach"}, 35},
        {true, 3, {"EinGesprach", "EinGrund", "EinNach"}, 35},
        {true, 3, {"EinGesprach", "EinGrund"}, 36},
        {true, 3, {"EinGesprach"}, 37},
        {true, 3, {"EinDatumAn", "EinGefKm"}, 38},
        {true, 1, {"EinVon", "EinNach"}, 35},
        {true, 5, {"EinUber"}, 34},
        {true, 1, {"EinUber"}, 0},
        {true, 4, {"EinGesprach", "EinGrund"}, 36},   // the dispatcher's own check: first missing
        {true, 2, {"EinVon", "EinUber", "EinNach", "EinGesprach", "EinGrund"}, 0},
        {false, 2, {"EinVon"}, 33},            // the save click makes it a business trip
        {false, 2, {"EinGrund"}, 36},
        {false, 3, {}, 0},
    };
    const char* optionen[] = {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"};
    for (bool firma : {true, false}) {
        Fenster w(firma);
        fahrten1().Voreinstellung.Warnhinweise = 0;
        fahrten1().Voreinstellung.Journalfunktion = 0;
        for (const Fall& f : faelle) {
            if (f.firma != firma)
                continue;
            w.neuerEintrag();
            w.fuellen("15.06.2016", "08:00", "12:00");
            // Blank driven km only stay blank once the odometer has settled.
            if (f.leer.contains("EinGefKm"))
                w.setzen("EinGefKm", "0");
            for (const QString& n : f.leer)
                w.setzen(n.toLatin1().constData(), " ");
            for (int i = 0; i < 5; ++i)
                forms::setOptionValue(w.f->ctl<QRadioButton>(optionen[i]), i + 1 == f.typ);
            const qsizetype vorher = w.satzanzahl();
            w.u.meldungen.clear();
            w.maus("EintragSpeichern");
            const QString fall = QString("%1 %2 %3").arg(firma).arg(f.typ).arg(f.leer.join(','));
            if (f.befund) {
                EXPECT_EQ(w.u.meldungen.value(0), f.befund) << fall;
                EXPECT_EQ(w.satzanzahl(), vorher) << fall;
            } else {
                EXPECT_EQ(w.satzanzahl(), vorher + 1) << fall << " " << w.u.meldungen.value(0);
            }
            if (!firma) {
                EXPECT_TRUE(w.f->ctl<QRadioButton>("OptGesch")->isChecked()) << fall;
            }
        }
        // The journal stamp is written even when a required field is missing.
        fahrten1().Voreinstellung.Journalfunktion = -1;
        w.neuerEintrag();
        w.fuellen("15.06.2016", "08:00", "12:00");
        w.setzen("EinNach", "");
        fahrten1().Satzpuffer[0].Eintragungsdatum = 0;
        w.maus("EintragSpeichern");
        EXPECT_EQ(fahrten1().Satzpuffer[0].Eintragungsdatum, tag(15, 6));
    }
}

TEST(Zweitpruefung, NoRealDayOrTimeReachesTheFileByButtonOrF8)
{
    Fenster w;
    w.mitZeiten();
    fahrten1().Voreinstellung.Journalfunktion = 0;
    struct Fall { const char* datum; const char* an; bool f8; int meldung; };
    for (const Fall& f : {Fall{"31.02.2016", "12:00", false, 109}, Fall{"31.02.2016", "12:00", true, 109},
                          Fall{"15.06.2016", "24:30", false, 113}, Fall{"15.06.2016", "24:30", true, 113},
                          Fall{"15.06.2016", "12:60", true, 114}}) {
        w.neuerEintrag();
        w.fuellen(f.datum, "08:00", f.an);
        w.u.meldungen.clear();
        if (f.f8) {
            w.feld("EinGrund")->setFocus();
            QTest::keyClick(w.feld("EinGrund"), Qt::Key_F8);
        } else {
            w.maus("EintragSpeichern");
        }
        EXPECT_EQ(w.satzanzahl(), 0) << f.datum << " " << f.an << " " << f.f8;
        EXPECT_TRUE(w.u.meldungen.contains(f.meldung)) << f.datum << " " << f.an << " " << f.f8;
    }
    // 24:00 is a time of day the form accepts.
    w.neuerEintrag();
    w.fuellen("15.06.2016", "08:00", "24:00");
    w.maus("EintragSpeichern");
    EXPECT_EQ(w.satzanzahl(), 1);
    // F8 measures the order by the dates typed last, not by the page's
    // last refresh: the typed times are saved as they stand.
    fahrten1().Voreinstellung.Warnhinweise = 0;
    w.neuerEintrag();
    w.fuellen("15.06.2016", "09:00", "10:00");
    w.neu("EinDatumAb", "16.06.2016");
    w.neu("EinDatumAn", "16.06.2016");
    w.verlassen("EinDatumAn", "EinGrund");
    QTest::keyClick(w.feld("EinGrund"), Qt::Key_F8);
    ASSERT_EQ(w.satzanzahl(), 2);
    const FahrtDatensatz z = FahrtDatensatz::ausBytes(w.u.lies("Auto1_16.dat").mid(FahrtDatensatz::Laenge));
    EXPECT_EQ(z.DatumAb, tag(16, 6));
    EXPECT_EQ(z.ZeitAb, 9 * 60);
    EXPECT_EQ(z.ZeitAn, 10 * 60);
    EXPECT_EQ(w.text("EinZeitAb"), "09:00");
}

TEST(Zweitpruefung, OrderFindingsAtTheSaveButtonCorrectThePageAndSaveNothing)
{
    Fenster w;
    w.mitZeiten();
    fahrten1().Voreinstellung.Journalfunktion = 0;
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.neuerEintrag();
    w.fuellen("15.06.2016", "08:00", "12:00");
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.satzanzahl(), 1);
    struct Fall { const char* datum; const char* ab; const char* an; int befund; const char* neuAb; const char* neuAn; };
    for (const Fall& f : {Fall{"15.06.2016", "11:00", "13:00", 67, "12:01", "12:02"},
                          Fall{"16.06.2016", "14:00", "13:00", 68, "12:59", "13:00"}}) {
        w.neuerEintrag();
        w.fuellen(f.datum, f.ab, f.an);
        w.u.meldungen.clear();
        w.maus("EintragSpeichern");
        EXPECT_EQ(w.u.meldungen, QList<int>{f.befund}) << f.datum;
        EXPECT_EQ(w.satzanzahl(), 1) << f.datum;
        EXPECT_EQ(w.text("EinZeitAb"), f.neuAb) << f.datum;
        EXPECT_EQ(w.text("EinZeitAn"), f.neuAn) << f.datum;
    }
    // The corrected page saves on the next click.
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.satzanzahl(), 2);
    const FahrtDatensatz z = FahrtDatensatz::ausBytes(w.u.lies("Auto1_16.dat").mid(FahrtDatensatz::Laenge));
    EXPECT_EQ(z.ZeitAb, 12 * 60 + 59);
    EXPECT_EQ(z.ZeitAn, 13 * 60);
}

TEST(Zweitpruefung, JournalWindowAtTheSaveButtonWithTheClockSet)
{
    Fenster w;
    fahrten1().Voreinstellung.Journalfunktion = -1;
    fahrten1().Voreinstellung.Warnhinweise = 0;
    struct Fall { const char* datum; QDate heute; QTime zeit; std::deque<bool> antworten; int frage; qsizetype satz; };
    const Fall faelle[] = {
        {"16.06.2016", QDate(2016, 6, 15), QTime(12, 0), {}, 98, 0},
        {"07.06.2016", QDate(2016, 6, 15), QTime(0, 1), {false}, 100, 0},
        {"07.06.2016", QDate(2016, 6, 15), QTime(0, 1), {true}, 100, 1},
        {"07.06.2016", QDate(2016, 6, 14), QTime(23, 59), {}, 0, 2},
    };
    for (const Fall& f : faelle) {
        w.u.fakes.clock.day = f.heute;
        w.u.fakes.clock.time = f.zeit;
        w.neuerEintrag();
        w.fuellen(f.datum, "08:00", "12:00");
        w.u.dialog.antworten = f.antworten;
        w.u.meldungen.clear();
        w.maus("EintragSpeichern");
        if (f.frage)
            EXPECT_EQ(w.u.meldungen.value(0), f.frage) << f.datum << " " << f.zeit.toString();
        else
            EXPECT_FALSE(w.u.meldungen.contains(100)) << f.zeit.toString();
        EXPECT_EQ(w.satzanzahl(), f.satz) << f.datum << " " << f.zeit.toString();
    }
}

TEST(Zweitpruefung, TypedKeysEnterCapitalsCutsAndOdometer)
{
    Fenster w;
    w.mitZeiten();
    w.neuerEintrag();
    w.maus("CBenzin_0");
    for (const char* n : {"EinDatumAb", "EinDatumAn", "EinZeitAb", "EinZeitAn", "EinkmAn", "EinVon", "TWbez"})
        EXPECT_TRUE(w.enterGehtWeiter(n)) << n;
    w.neu("EinZeitAb", "8.3a0");
    EXPECT_EQ(w.text("EinZeitAb"), "830");
    w.neu("EinZeitAn", "8.3a0");
    EXPECT_EQ(w.text("EinZeitAn"), "8.30");
    w.neu("EinDatumAn", "1x.2(&");
    EXPECT_EQ(w.text("EinDatumAn"), "1.2(&");   // the codes of the arrow keys pass as characters
    // Leaving shows the first thing wrong with the text.
    struct Verlassen { const char* feld; const char* text; QList<int> meldungen; };
    for (const Verlassen& v : {Verlassen{"EinDatumAb", "31.02.", {105}}, Verlassen{"EinZeitAb", "1200", {111}},
                               Verlassen{"EinZeitAn", "12:60", {114}}, Verlassen{"EinZeitAn", "07:45", {}}}) {
        w.neu(v.feld, v.text);
        w.u.meldungen.clear();
        w.verlassen(v.feld, "EinNach");
        EXPECT_EQ(w.u.meldungen, v.meldungen) << v.feld << " " << v.text;
        EXPECT_EQ(w.text(v.feld), v.text);
    }

    struct Text { const char* feld; QString getippt, gezeigt; };
    for (const Text& t : {Text{"EinVon", QString::fromUtf8("ßtadt"), QString::fromUtf8("ßtadt")},
                          Text{"EinUber", QString::fromUtf8("über a1"), QString::fromUtf8("Über a1")},
                          Text{"EinGrund", QString::fromUtf8("ölwechsel"), QString::fromUtf8("Ölwechsel")},
                          Text{"EinFahrer", "anna", "Anna"}, Text{"TWbez", "filter", "Filter"}})
    {
        w.neu(t.feld, t.getippt);
        EXPECT_EQ(w.text(t.feld), t.gezeigt) << t.feld;
    }
    EXPECT_EQ(fahrten1().Satzpuffer[0].Fahrer.trimmed(), "Anna");
    // A driver chosen from the list is stored as well as a typed one.
    w.f->ctl<forms::ComboBox>("EinFahrer")->addItem("Berta");
    w.feld("EinFahrer")->setFocus();
    QTest::keyClick(w.f->ctl<forms::ComboBox>("EinFahrer"), Qt::Key_Down);
    EXPECT_EQ(w.text("EinFahrer"), "Berta");
    EXPECT_EQ(fahrten1().Satzpuffer[0].Fahrer.trimmed(), "Berta");
    const QString sechzig = "N" + QString("n").repeated(59);
    for (const char* n : {"EinNach", "EinGrund", "EinGesprach", "TWbez"})
        w.setzen(n, sechzig);
    for (const char* n : {"EinNach", "EinGrund", "EinGesprach", "TWbez"})
        EXPECT_EQ(w.text(n), sechzig.left(50)) << n;
    const FahrtDatensatz& p = fahrten1().Satzpuffer[0];
    EXPECT_EQ(p.Nach, sechzig.left(50));
    EXPECT_EQ(p.Gespraechspartner, sechzig.left(50));
    EXPECT_EQ(p.Wartungstext, sechzig.left(50));

    // Driven km with a point: read up to the number's end and rounded half
    // to even; a changed arrival writes the driven km back.
    struct Km { const char* getippt; const char* gefahren; const char* ankunft; };
    for (const Km& k : {Km{"100.5", "100.5", "445"}, Km{"101.5", "102", "447"}, Km{"100.6", "101", "446"}}) {
        w.neu("EinGefKm", k.getippt);
        EXPECT_EQ(w.text("EinGefKm"), k.gefahren) << k.getippt;
        EXPECT_EQ(w.text("EinkmAn"), k.ankunft) << k.getippt;
    }
    w.neu("EinkmAn", "500");
    EXPECT_EQ(w.text("EinGefKm"), "155");
    w.spin("QKSpin6", true);
    EXPECT_EQ(w.text("EinkmAn"), "501");
    EXPECT_EQ(w.text("EinGefKm"), "156");
    w.spin("QKSpin7", true);
    EXPECT_EQ(w.text("EinkmAn"), "502");
    EXPECT_EQ(w.text("EinGefKm"), "157");
    EXPECT_EQ(p.KmAn, 502);
    EXPECT_EQ(p.GefahreneKm, 157);
}

TEST(Zweitpruefung, TimeSpinsWrapAtMidnight)
{
    Fenster w;
    w.mitZeiten();
    w.neuerEintrag();
    struct Schritt { const char* spin; const char* feld; const char* vorher; bool hoch; const char* nachher; };
    for (const Schritt& s : {Schritt{"QKSpin1", "EinZeitAb", "00:01", false, "23:59"},
                             Schritt{"QKSpin1", "EinZeitAb", "23:58", true, "00:01"},
                             Schritt{"QKSpin1", "EinZeitAb", "", false, "07:59"},
                             Schritt{"QKSpin2", "EinZeitAb", "", false, "07:00"},
                             Schritt{"QKSpin2", "EinZeitAb", "8:5", true, "09:05"},
                             Schritt{"QKSpin3", "EinZeitAn", "", true, "01:00"},
                             Schritt{"QKSpin3", "EinZeitAn", "00:15", false, "23:15"},
                             Schritt{"QKSpin4", "EinZeitAn", "00:00", false, "23:59"},
                             Schritt{"QKSpin4", "EinZeitAn", "12:59", true, "13:00"},
                             Schritt{"QKSpin4", "EinZeitAn", "", true, "00:01"}}) {
        w.setzen(s.feld, s.vorher);
        w.spin(s.spin, s.hoch);
        EXPECT_EQ(w.text(s.feld), s.nachher) << s.spin << " " << s.vorher;
    }
}

TEST(Zweitpruefung, CostUnitsAmountsAndPrice)
{
    Fenster w;
    w.mitZeiten();
    w.neuerEintrag();
    w.maus("CBenzin_0");
    ASSERT_FALSE(w.f->ctl("FrBenzin")->isHidden());
    struct Art { const char* text; const char* einheit; };
    for (const Art& a : {Art{"kWh", "kWH"}, Art{"KG", "kWH"}, Art{"kg", "Kilogramm"}, Art{"Liter", "Liter"},
                         Art{"Kg", "Kilogramm"}})
    {
        w.setzen("CbbKArt", a.text);
        EXPECT_EQ(w.text("Label35"), a.einheit) << a.text;
    }
    w.setzen("CbbKArt", "Elektrostrom-Mix");
    EXPECT_EQ(w.text("CbbKArt"), "Elektrostrom-Mix");
    EXPECT_EQ(fahrten1().Satzpuffer[0].Kraftstoffart.trimmed(), "Elektrostr");

    w.tippen("TLiter", "0,8");
    w.tippen("TBGesamt", "a12,5.,0");
    EXPECT_EQ(w.text("TBGesamt"), "12,50");
    w.neu("TBGesamt", "12,5");
    w.verlassen("TBGesamt", "TWbez");
    EXPECT_EQ(w.text("TBGesamt"), QString::fromUtf8("12,50 €"));
    EXPECT_EQ(fahrten1().Satzpuffer[0].BetragKraftstoff.raw, 125000);
    EXPECT_EQ(w.text("Label30"), "");                 // 0,8 reads as zero
    w.neu("TLiter", "5");
    w.verlassen("TLiter", "TWbez");
    EXPECT_EQ(w.text("Label30"), QString::fromUtf8("2,50 €"));
    EXPECT_DOUBLE_EQ(fahrten1().Satzpuffer[0].Kraftstoffmenge, 5.0);
    w.tippen("TWGesamt", "1234,5");
    w.verlassen("TWGesamt", "TWbez");
    EXPECT_EQ(w.text("TWGesamt"), QString::fromUtf8("1.234,50 €"));
    EXPECT_EQ(fahrten1().Satzpuffer[0].BetragWartung.raw, 12345000);
}

TEST(Zweitpruefung, CalendarFillsBothDatesWithWholeDayJournalNotices)
{
    Fenster w;
    w.neuerEintrag();
    fahrten1().Voreinstellung.Journalfunktion = -1;
    fahrten1().Voreinstellung.Warnhinweise = -1;
    // Whole days: eight days back is no notice yet, nine are.
    struct Klick { qint32 tag; QList<int> meldungen; };
    for (const Klick& k : {Klick{tag(15, 6), {}}, Klick{tag(7, 6), {}}, Klick{tag(6, 6), {101}}, Klick{tag(16, 6), {98}}}) {
        w.u.meldungen.clear();
        w.kalender(k.tag);
        EXPECT_EQ(w.u.meldungen, k.meldungen) << k.tag;
        EXPECT_EQ(w.text("EinDatumAb"), QDate(1899, 12, 30).addDays(k.tag).toString("dd.MM.yyyy")) << k.tag;
        EXPECT_EQ(w.text("EinDatumAn"), w.text("EinDatumAb"));
        EXPECT_EQ(fahrten1().Satzpuffer[0].DatumAb, k.tag);
    }
    EXPECT_EQ(w.text("LEinDatum"), "Eintragungsdatum 15.06.2016");
}

TEST(Zweitpruefung, CalendarPresetsTimesOnlyAwayFromTheLastArrivalDay)
{
    Fenster w;
    w.mitZeiten();
    fahrten1().Voreinstellung.Journalfunktion = 0;
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.neuerEintrag();
    w.fuellen("15.06.2016", "08:00", "12:00");
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.satzanzahl(), 1);
    fahrten1().Voreinstellung.ZeitenVorgeben = -1;
    w.neuerEintrag();   // the shown new entry follows the last arrival by 2 and 5 minutes
    EXPECT_EQ(w.text("EinZeitAb"), "12:02");
    EXPECT_EQ(w.text("EinZeitAn"), "12:05");
    struct Klick { qint32 tag; const char* datum; const char* ab; const char* an; QList<int> meldungen; };
    for (const Klick& k : {Klick{tag(15, 6), "15.06.2016", "12:02", "12:05", {}},
                           Klick{tag(14, 6), "15.06.2016", "08:00", "12:00", {21}},   // put back, times preset
                           Klick{tag(17, 6), "17.06.2016", "08:00", "12:00", {}}}) {
        w.u.meldungen.clear();
        w.kalender(k.tag);
        EXPECT_EQ(w.text("EinDatumAb"), k.datum) << k.tag;
        EXPECT_EQ(w.text("EinDatumAn"), k.datum) << k.tag;
        EXPECT_EQ(w.text("EinZeitAb"), k.ab) << k.tag;
        EXPECT_EQ(w.text("EinZeitAn"), k.an) << k.tag;
        EXPECT_EQ(w.u.meldungen, k.meldungen) << k.tag;
        EXPECT_EQ(fahrten1().Satzpuffer[0].DatumAb, k.tag);
    }
}

TEST(Zweitpruefung, PrivateCarCostsPerTripAndTheSumOfTheShare)
{
    Fenster w(false);
    fahrten1().Voreinstellung.Journalfunktion = 0;
    for (const char* datum : {"15.06.2016", "16.06.2016"}) {
        w.neuerEintrag();
        w.fuellen(datum, "08:00", "12:00");
        w.neu("EinGefKm", "5");
        w.neu("PersAnz", "1");
        EXPECT_EQ(w.text("aktuFahrko"), "1,60");
        w.maus("EintragSpeichern");
    }
    ASSERT_EQ(w.satzanzahl(), 2);
    // The sum keeps its cents: 1,60 + 1,60, not rounded trip by trip.
    w.neu("Text3", "1345");
    w.maus("Command18");
    EXPECT_EQ(w.text("Text4"), " 10");
    EXPECT_EQ(w.text("Text5"), "990");
    EXPECT_EQ(w.text("Text6"), "1,00");
    EXPECT_EQ(w.text("Text7"), "99,00");
    EXPECT_EQ(w.text("Text8"), "3,20");
    EXPECT_EQ(fahrten1().KmPrivat, 990);
    EXPECT_DOUBLE_EQ(fahrten1().Fahrtkostensumme, 3.2);
    EXPECT_DOUBLE_EQ(fahrten1().AnteilPrivat, 99.0);
}

TEST(Zweitpruefung, PrivateCarShareWithoutTripsAsksForEntriesFirst)
{
    Fenster w(false);
    w.neu("Text3", "5000");
    const QString vorher = w.text("Text4");
    w.u.meldungen.clear();
    w.maus("Command18");
    EXPECT_EQ(w.u.meldungen, QList<int>{92});
    EXPECT_EQ(w.text("Text4"), vorher);
}
