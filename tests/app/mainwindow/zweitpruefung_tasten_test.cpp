// The main window's finishing layer read again from the user's side: keys on
// every page and inside fields, page changes, both ways out, the floating
// help window and resizing. Expected values are worked out by hand.
#include "app/mainwindow/form1.h"
#include "app/mainwindow/form2.h"
#include "app/mainwindow/ftext.h"
#include "app/mainwindow/mw_glue.h"
#include "app/mainwindow/sstab.h"
#include "app/records/dateien.h"
#include "app/records/jahr.h"
#include "app/records/kfzgrundeinstellung.h"
#include "app/tripmemory/fahrtenspeichersatz.h"
#include "platform/forms/events.h"
#include "platform/vb/fields.h"
#include "test_startup_umgebung.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kmktest;

namespace {

// Counts the presses of one key that reach a widget after the window's preview.
struct Empfang : QObject {
    int key = 0;
    int angekommen = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == key)
            ++angekommen;
        return false;
    }
};

kmk::Tastenbefehle protokolliere(QStringList& calls)
{
    kmk::Tastenbefehle b;
    auto rec = [&calls](const char* n) { return [&calls, n] { calls << n; }; };
    b.Wiederherstellen = [&calls](int k) { calls << QString("W%1").arg(k); };
    b.Hilfe = rec("F1");
    b.ALoeschen = rec("ALoeschen");
    b.Kundeloschen = rec("Kundeloschen");
    b.AListe = rec("AListe");
    b.Datensatzeins = rec("Datensatzeins");
    b.Datensatzzurueck = rec("Datensatzzurueck");
    b.Datensatzvor = rec("Datensatzvor");
    b.LetzterDatensatz = rec("LetzterDatensatz");
    b.ASpeichern = rec("ASpeichern");
    b.NeuEintrag = rec("NeuEintrag");
    b.Kundeubergeben = rec("Kundeubergeben");
    b.KundeDat = [&calls](bool m) { calls << (m ? "KundeDat+" : "KundeDat-"); };
    b.Rueckfahrt = rec("Rueckfahrt");
    b.Pause = rec("Pause");
    b.Ende = rec("Ende");
    return b;
}


} // namespace

TEST(Zweitpruefung, ShortcutsFromEveryPageAndInsideFields)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    u.form->show();
    QStringList calls;
    const kmk::Tastenbefehle alt = u.form->tasten;
    u.form->tasten = protokolliere(calls);

    const auto C = Qt::ControlModifier, A = Qt::AltModifier, S = Qt::ShiftModifier;
    struct Taste { Qt::Key key; Qt::KeyboardModifiers mods; QString erwartet; bool feldBekommt; };
    const Taste tasten[] = {
        {Qt::Key_F1, {}, "F1", false},
        {Qt::Key_F2, {}, "ALoeschen", false},
        {Qt::Key_F3, {}, "Kundeloschen,AListe", false},
        {Qt::Key_F4, {}, "Datensatzeins", false},
        {Qt::Key_F4, S, "Datensatzeins", false},
        {Qt::Key_F4, C, "Datensatzeins", false},
        {Qt::Key_F5, {}, "Datensatzzurueck", false},
        {Qt::Key_F6, {}, "Datensatzvor", false},
        {Qt::Key_F7, {}, "LetzterDatensatz", false},
        {Qt::Key_F8, {}, "ASpeichern", false},
        {Qt::Key_F9, {}, "NeuEintrag", false},
        {Qt::Key_F10, {}, "Kundeubergeben", false},
        {Qt::Key_F11, {}, "KundeDat+,AListe", false},
        {Qt::Key_F12, {}, "Rueckfahrt", false},
        {Qt::Key_Pause, {}, "Pause", true},
        {Qt::Key_End, {}, "Ende", true},
        {Qt::Key_3, C | A, "W3", true},
        {Qt::Key_1, C | A | S, "", true},
        {Qt::Key_1, C | A | Qt::KeypadModifier, "", true},
        {Qt::Key_2, C | A | Qt::GroupSwitchModifier, "", true},
        {Qt::Key_Home, {}, "", true},
    };
    // Fields on three pages, and the tab bar itself.
    struct Ort { int seite; const char* feld; };
    const Ort orte[] = {{2, "EinGefKm"}, {1, "KfzEingabe_0"}, {4, nullptr}, {0, nullptr}, {3, nullptr}};
    for (const Ort& o : orte) {
        u.form->SSTab1->setCurrentIndex(o.seite);
        QWidget* ziel = o.feld ? u.form->ctl(o.feld) : u.form->SSTab1;
        ASSERT_NE(ziel, nullptr) << o.feld;
        ziel->setFocus();
        Empfang e;
        ziel->installEventFilter(&e);
        for (const Taste& t : tasten) {
            calls.clear();
            e.key = t.key;
            e.angekommen = 0;
            QTest::keyClick(ziel, t.key, t.mods);
            EXPECT_EQ(calls.join(","), t.erwartet) << "page " << o.seite << " key " << t.key;
            if (o.feld)
                EXPECT_EQ(e.angekommen, t.feldBekommt ? 1 : 0) << "page " << o.seite << " key " << t.key;
        }
        ziel->removeEventFilter(&e);
    }
    u.form->tasten = alt;
}

TEST(Zweitpruefung, RealCommandsOfTheKeysAsTheUserSeesThem)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    u.form->show();
    u.form->SSTab1->setCurrentIndex(2);

    // F1 opens the contents topic, from a field as from the tab bar.
    auto* feld = u.form->ctl<QLineEdit>("EinGefKm");
    ASSERT_NE(feld, nullptr);
    feld->setFocus();
    QTest::keyClick(feld, Qt::Key_F1);
    ASSERT_EQ(u.fakes.help.calls.size(), 1);
    EXPECT_EQ(u.fakes.help.calls[0].topic, QString("Inhaltsverzeichnis.htm"));

    // End toggles the frame and still moves the cursor to the end.
    auto* frame = u.form->ctl("FrBenzin");
    ASSERT_NE(frame, nullptr);
    const bool vorher = frame->isHidden();
    feld->setText("123");
    feld->setCursorPosition(0);
    QTest::keyClick(feld, Qt::Key_End);
    EXPECT_EQ(frame->isHidden(), !vorher);
    EXPECT_EQ(feld->cursorPosition(), 3);
    QTest::keyClick(feld, Qt::Key_End);
    EXPECT_EQ(frame->isHidden(), vorher);
    EXPECT_FALSE(u.form->ctl("TEinHilfe")->isHidden());
    // The page's cost button and End share one flag: either closes what the other opened.
    auto* kosten = u.form->ctl<QAbstractButton>("CBenzin_0");
    ASSERT_NE(kosten, nullptr);
    kosten->click();
    ASSERT_FALSE(frame->isHidden());
    QTest::keyClick(feld, Qt::Key_End);
    EXPECT_TRUE(frame->isHidden());
    QTest::keyClick(feld, Qt::Key_End);
    kosten->click();
    EXPECT_TRUE(frame->isHidden());

    // Pause: the box first, then the recalculation, then the settings file.
    int boxenBeimRechnen = -1;
    u.form->services.aktualisieren = [&] { boxenBeimRechnen = int(u.fakes.dialogs.shown.size()); };
    ASSERT_EQ(vb::getI16(u.lies("Vor2016.dat"), 46), 0);
    QTest::keyClick(feld, Qt::Key_Pause);
    EXPECT_EQ(boxenBeimRechnen, 1);
    EXPECT_EQ(u.klartexte(), QStringList({"Die Reisekostenpauschale werden aktualisiert"}));
    EXPECT_EQ(vb::getI16(u.lies("Vor2016.dat"), 46), -1);

    // The help button: start page, then the contents topic through F1.
    u.fakes.help.calls.clear();
    u.form->SSTab1->setCurrentIndex(0);
    u.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(u.form.get()));
    u.form->SSTab1->setFocus();
    u.form->Command16->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return u.fakes.help.calls.size() >= 2; }, 1000));
    ASSERT_EQ(u.fakes.help.calls.size(), 2);
    EXPECT_EQ(u.fakes.help.calls[0].topic, QString());
    EXPECT_EQ(u.fakes.help.calls[1].topic, QString("Inhaltsverzeichnis.htm"));
}

TEST(Zweitpruefung, PageChangesShowTheirHelpAndRebuildThePrintout)
{
    Umgebung u;
    ASSERT_TRUE(u.schreibeHilfstexte());
    ASSERT_TRUE(u.starte());
    u.form->show();
    QStringList tabellen, zoom;
    u.form->services.KFZTabelle = [&] { tabellen << "KFZTabelle"; };
    u.form->services.KfzTabelle4 = [&] { tabellen << "KfzTabelle4"; };
    u.form->services.KFZTabelle3 = [&] { tabellen << "KFZTabelle3"; };
    u.form->services.Bildschirmzoom = [&](const QString& p) { zoom << p; };
    auto* list4 = u.form->ctl<QListWidget>("List4");
    ASSERT_TRUE(list4 && list4->count() > 2);
    list4->setCurrentRow(2);

    struct Fall { int seite; const char* box; QString text; };
    const Fall faelle[] = {{1, "TGrHilfe", "Hilfe 9"}, {3, "TAusHilfe", "Hilfe 78"},
                           {4, "TDruckHilfe", "Hilfe 7"}, {0, "TTitelHilfe", "Hilfe 7"}};
    for (const Fall& f : faelle) {
        zoom.clear();
        u.form->SSTab1->setCurrentIndex(f.seite);
        EXPECT_EQ(u.form->ctl<QPlainTextEdit>(f.box)->toPlainText(), f.text) << f.box;
        EXPECT_EQ(zoom, QStringList({list4->item(2)->text()})) << f.seite;
    }

    // The entry page opens with its help box, whatever was shown before.
    u.form->ctl("FrBenzin")->show();
    u.form->ctl("FahrtListe")->show();
    u.form->ctl("TEinHilfe")->hide();
    u.form->FrBenzinOffen = true;
    u.form->SSTab1->setCurrentIndex(2);
    EXPECT_TRUE(u.form->ctl("FrBenzin")->isHidden());
    EXPECT_TRUE(u.form->ctl("FahrtListe")->isHidden());
    EXPECT_FALSE(u.form->ctl("TEinHilfe")->isHidden());
    EXPECT_FALSE(u.form->ctl("CBTextfensterEin")->isHidden());
    EXPECT_FALSE(u.form->FrBenzinOffen);

    // The printout table by vehicle type, rebuilt on every opening.
    struct Art { qint16 firma, privat, erweitert; QString erwartet; };
    const Art arten[] = {{-1, 0, 0, "KFZTabelle,KFZTabelle"},
                         {-1, 0, -1, "KfzTabelle4,KfzTabelle4"},
                         {0, -1, -1, "KFZTabelle3,KFZTabelle3"},
                         {-1, -1, 0, "KFZTabelle,KFZTabelle3,KFZTabelle,KFZTabelle3"},
                         {0, 0, -1, ""}};
    for (const Art& a : arten) {
        kmk::mw::KFZ().Firmenfahrzeug = a.firma;
        kmk::mw::KFZ().Privatfahrzeug = a.privat;
        kmk::mw::VS().ErweiterterAusdruck = a.erweitert;
        tabellen.clear();
        for (int n = 0; n < 2; ++n) {
            u.form->SSTab1->setCurrentIndex(3);
            u.form->SSTab1->setCurrentIndex(4);
        }
        EXPECT_EQ(tabellen.join(","), a.erwartet) << a.firma << a.privat << a.erweitert;
    }
}

TEST(Zweitpruefung, BothWaysOutBackUpAndStoreTheSettings)
{
    struct Weg { bool beenden; bool danachSchliessen; bool voll; qint16 letztes; int naechstesFahrzeug; };
    const Weg wege[] = {
        {false, false, true, 2, 2},   // the window's close box
        {true, false, false, 1, 1},   // "Beenden" keeps the last vehicle it had
        {true, true, false, 1, 1},    // both paths meet: still only the quick one
    };
    for (const Weg& w : wege) {
        Umgebung u;
        u.zweiFirmenwagen(2);
        ASSERT_TRUE(u.starte());
        const QByteArray ordner = u.lies("Vor2016.dat").mid(73, 250);
        u.form->Aktu_Auto_Click(1);
        ASSERT_EQ(kmk::fahrten1().AktuellesFahrzeug, 2);
        kmk::mw::VS().LetztesFahrzeug = 1;
        kmk::mw::VS().Sicherungsordner = u.pfad("anderswo") + "/";
        QDir().mkpath(u.pfad("anderswo"));
        if (w.beenden)
            u.form->Command17_Click();
        if (!w.beenden || w.danachSchliessen)
            u.form->close();
        const QString sicher = w.beenden ? u.pfad("Sicherheit/") : u.pfad("anderswo/");
        EXPECT_EQ(QFileInfo(sicher + "Au1-3 E_Au2-4 E/Auto2_16.dat").isFile(), w.voll);
        EXPECT_EQ(QFileInfo(sicher + "Auto1_AnzahlEintra_3.dat").isFile(), !w.voll);
        EXPECT_EQ(QFileInfo(sicher + "Auto2_AnzahlEintra_4.dat").isFile(), !w.voll);
        const QByteArray vor = u.lies("Vor2016.dat");
        EXPECT_EQ(vb::getI16(vor, 327), w.letztes);
        // The quick backup takes the folder back to its default, and that is written.
        if (w.beenden)
            EXPECT_EQ(vor.mid(73, 250), ordner);
        ASSERT_TRUE(u.starte());
        EXPECT_EQ(kmk::fahrten1().AktuellesFahrzeug, w.naechstesFahrzeug);
    }
}

TEST(Zweitpruefung, EnterInThePickListFillsOnlyANewEntryAndMovesOn)
{
    for (const bool neu : {false, true}) {
        Umgebung u;
        kmk::KfzGrundeinstellung k;
        k.Kennzeichen = "B-ZP 1";
        k.Anfangskm = 1000;
        k.Firmenfahrzeug = -1;
        QFile kfz(u.pfad("Auto2016.dat"));
        ASSERT_TRUE(kfz.open(QIODevice::WriteOnly));
        kfz.write(k.zuBytes());
        kfz.close();
        kmk::Fahrtenspeichersatz s;
        s.Fahrtart = 4;
        s.GefahreneKm = 77;
        s.Von = "Bonn";
        s.Nach = "Köln";
        s.Grund = "Termin";
        QFile f(u.pfad("Kund2016.dat"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(s.zuBytes());
        f.close();
        ASSERT_TRUE(u.starte());
        u.form->show();
        u.form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(u.form.get()));
        u.form->SSTab1->setCurrentIndex(2);
        auto* list8 = u.form->ctl<QListWidget>("List8");
        ASSERT_TRUE(list8 && list8->count() == 1);
        if (neu)
            QTest::keyClick(list8, Qt::Key_F9);
        ASSERT_EQ(kmk::fahrten1().NeuerEintragOffen, neu);
        const QString vorher = u.form->ctl<QLineEdit>("EinGefKm")->text();
        forms::setListIndex(list8, 0);
        list8->setFocus();
        u.meldungen.clear();
        QTest::keyClick(list8, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !list8->hasFocus(); }, 1000)) << neu;
        EXPECT_TRUE(u.meldungen.isEmpty()) << neu;
        const QString gefahren = u.form->ctl<QLineEdit>("EinGefKm")->text().trimmed();
        EXPECT_EQ(gefahren, neu ? QString("77") : vorher.trimmed()) << neu;
    }
}

TEST(Zweitpruefung, FloatingHelpWindowTextAndLayout)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    u.form->show();
    u.form->SSTab1->setCurrentIndex(3);
    u.form->ctl<QPlainTextEdit>("TGrHilfe")->setPlainText("Seite Grundeinstellungen");
    u.form->ctl<QPlainTextEdit>("TAusHilfe")->setPlainText("Seite Auswertung");
    // Loaded, before its first tick, it shows the settings page's help.
    {
        std::unique_ptr<kmk::FTextFenster> neu(kmk::neuesHilfefenster(u.form.get()));
        EXPECT_EQ(neu->Text1->toPlainText(), QString("Seite Grundeinstellungen"));
        EXPECT_FALSE(neu->isVisible());
    }
    u.form->ctl<QPushButton>("CBTextfensterAus")->click();
    auto* ft = qobject_cast<kmk::FTextFenster*>(u.form->FText);
    ASSERT_NE(ft, nullptr);
    EXPECT_EQ(ft->windowTitle(), QString("Brimo Kilometrika Hilfstexte"));
    EXPECT_EQ(ft->Label1->text(), QString("Dieses Fenster kann frei positioniert und in der Größe verändert werden. "
                                          "Die Texte aktualisieren sich automatisch."));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ft->Text1->toPlainText() == "Seite Auswertung"; }, 1500));
    EXPECT_EQ(ft->Text1->viewport()->x() - ft->Text1->contentsRect().x() + ft->Text1->document()->documentMargin(), 10);

    // 600 x 400 pixels = 9000 x 6000 twips, 15 twips a pixel, cut to whole pixels.
    const QSize rahmen = ft->frameGeometry().size() - ft->size();
    ft->resize(QSize(600, 400) - rahmen);
    ASSERT_EQ(ft->frameGeometry().size(), QSize(600, 400));
    EXPECT_EQ(ft->Text1->geometry(), QRect(6, 6, 573, 316));    // 100, 100, 8600, 4750
    EXPECT_EQ(ft->CBeenden->pos(), QPoint(460, 333));           // 6900, 5000
    EXPECT_EQ(ft->Label1->geometry(), QRect(6, 326, 453, 30));  // 100, 4900, 6800, 450

    // Never below its margins, and "Beenden" only hides.
    ft->resize(1, 1);
    EXPECT_GT(ft->width() * 15, 2200);
    EXPECT_GT(ft->height() * 15, 1250);
    EXPECT_GT(ft->Text1->width(), 0);
    EXPECT_GT(ft->Label1->width(), 0);
    ft->CBeenden->click();
    EXPECT_FALSE(ft->isVisible());
    EXPECT_TRUE(ft->Timer1->isActive());
}

TEST(Zweitpruefung, ResizeScalesOnlyInTheNormalStateWithoutAMessage)
{
    struct Fall { bool meldung; bool minimiert; bool skaliert; };
    const Fall faelle[] = {{false, false, true}, {true, false, false}, {false, true, false}};
    for (const Fall& f : faelle) {
        Umgebung u;
        ASSERT_TRUE(u.starte());
        u.form->show();
        u.form->SSTab1->setCurrentIndex(4);
        int zeilen = 0;
        u.form->services.Zeilenhoehe = [&](int h) { zeilen = h; };
        std::unique_ptr<kmk::Form2> m;
        if (f.meldung) {
            m = std::make_unique<kmk::Form2>("offen", false);
            m->show();
        }
        if (f.minimiert)
            u.form->setWindowState(Qt::WindowMinimized);
        const QRect vorher = u.form->Command17->geometry();
        u.form->resize(u.form->width() * 3 / 2, u.form->height() * 3 / 2);
        QCoreApplication::processEvents();
        EXPECT_EQ(u.form->Command17->geometry() != vorher, f.skaliert) << f.meldung << f.minimiert;
        EXPECT_EQ(zeilen, 260);
    }
}

TEST(Zweitpruefung, RealNavigationAndDeletionFromOtherPages)
{
    Umgebung u;
    u.zweiFirmenwagen(2);
    ASSERT_TRUE(u.starte());
    u.form->show();
    u.form->Aktu_Auto_Click(1);
    ASSERT_EQ(kmk::fahrten1().Satznummer, 4);

    // Navigation from the title page, with Shift and Ctrl on F4.
    u.form->SSTab1->setCurrentIndex(0);
    u.form->SSTab1->setFocus();
    struct Schritt { Qt::Key key; Qt::KeyboardModifiers mods; int satz; };
    const Schritt schritte[] = {{Qt::Key_F4, Qt::ShiftModifier, 1}, {Qt::Key_F6, {}, 2},
                                {Qt::Key_F7, {}, 4},  {Qt::Key_F5, {}, 3},
                                {Qt::Key_F4, Qt::ControlModifier, 1}};
    for (const Schritt& s : schritte) {
        QTest::keyClick(u.form->SSTab1, s.key, s.mods);
        EXPECT_EQ(kmk::fahrten1().Satznummer, s.satz) << s.key;
    }

    // F2 in a field of the settings page: two confirmations, then the file goes.
    u.form->SSTab1->setCurrentIndex(1);
    QWidget* feld = u.form->ctl("KfzEingabe_0");
    ASSERT_NE(feld, nullptr);
    feld->setFocus();
    u.meldungen.clear();
    u.dialog.antworten = {true, false};
    QTest::keyClick(feld, Qt::Key_F2);
    EXPECT_EQ(u.meldungen, QList<int>({2, 32}));
    EXPECT_TRUE(QFileInfo(u.pfad("Auto2_16.dat")).isFile());
    u.dialog.antworten = {true, true};
    QTest::keyClick(feld, Qt::Key_F2);
    EXPECT_FALSE(QFileInfo(u.pfad("Auto2_16.dat")).exists());
    EXPECT_EQ(kmk::fahrten1().Satznummer, 0);
}
