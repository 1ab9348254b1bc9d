// The keyboard shortcuts, the floating help window and both ways out of the
// program, as a user meets them.
#include "app/mainwindow/form1.h"
#include "app/mainwindow/mw_glue.h"
#include "app/mainwindow/ftext.h"
#include "app/mainwindow/sstab.h"
#include "app/records/dateien.h"
#include "app/records/jahr.h"
#include "platform/vb/fields.h"
#include "test_startup_umgebung.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kmktest;

namespace {

// Every command of the table records its name.
struct Protokoll {
    QStringList calls;
    kmk::Tastenbefehle befehle()
    {
        kmk::Tastenbefehle b;
        auto rec = [this](const char* n) { return [this, n] { calls << n; }; };
        b.Wiederherstellen = [this](int k) { calls << QString("Wiederherstellen %1").arg(k); };
        b.Hilfe = rec("Hilfe");
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
        b.KundeDat = [this](bool m) { calls << QString("KundeDat %1").arg(m); };
        b.Rueckfahrt = rec("Rueckfahrt");
        b.Pause = rec("Pause");
        b.Ende = rec("Ende");
        return b;
    }
};

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

} // namespace

TEST(Tasten, EveryRowOfTheTableInItsOrder)
{
    const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
    struct Fall { int code; int shift; Qt::KeyboardModifiers raw; QString erwartet; int danach; };
    const Fall faelle[] = {
        {49, 6, ctrlAlt, "Wiederherstellen 1", 49},
        {52, 6, ctrlAlt, "Wiederherstellen 4", 52},
        {53, 6, ctrlAlt, "", 53},                                      // 5 is no vehicle
        {50, 7, ctrlAlt | Qt::ShiftModifier, "", 50},                   // Ctrl+Alt+Shift+2
        {50, 2, Qt::ControlModifier, "", 50},
        {50, 6, ctrlAlt | Qt::GroupSwitchModifier, "", 50},             // AltGr+2
        {97, 6, ctrlAlt | Qt::KeypadModifier, "", 97},                  // keypad 1
        {112, 0, {}, "Hilfe", 0},
        {113, 2, Qt::ControlModifier, "ALoeschen", 0},
        {114, 0, {}, "Kundeloschen,AListe", 0},
        {115, 1, Qt::ShiftModifier, "Datensatzeins", 0},
        {115, 2, Qt::ControlModifier, "Datensatzeins", 0},
        {116, 0, {}, "Datensatzzurueck", 0},
        {117, 0, {}, "Datensatzvor", 0},
        {118, 0, {}, "LetzterDatensatz", 0},
        {119, 0, {}, "ASpeichern", 0},
        {120, 0, {}, "NeuEintrag", 0},
        {121, 0, {}, "Kundeubergeben", 0},
        {122, 0, {}, "KundeDat 1,AListe", 0},
        {123, 0, {}, "Rueckfahrt", 0},
        {19, 0, {}, "Pause", 19},
        {35, 0, {}, "Ende", 35},
        {36, 0, {}, "", 36},
        {65, 0, {}, "", 65},
    };
    for (const Fall& f : faelle) {
        Protokoll p;
        int code = f.code;
        kmk::Form_KeyDown(p.befehle(), code, f.shift, f.raw);
        EXPECT_EQ(p.calls.join(","), f.erwartet) << "key " << f.code << " shift " << f.shift;
        EXPECT_EQ(code, f.danach) << "key " << f.code;
    }
}

TEST(Tasten, FunctionKeysActFromEveryPageAndNeverReachTheField)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    u.form->show();
    Protokoll p;
    const kmk::Tastenbefehle alt = u.form->tasten;
    u.form->tasten = p.befehle();

    auto* feld = u.form->ctl<QLineEdit>("EinGefKm");
    ASSERT_NE(feld, nullptr);
    u.form->SSTab1->setCurrentIndex(2);
    feld->setFocus();
    feld->setText("Ab");
    QTest::keyClick(feld, Qt::Key_F9);
    QTest::keyClick(feld, Qt::Key_2, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(feld, Qt::Key_1, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    QTest::keyClick(feld, Qt::Key_1, Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier);
    QTest::keyClick(feld, Qt::Key_2, Qt::ControlModifier | Qt::AltModifier | Qt::GroupSwitchModifier);
    QTest::keyClick(feld, Qt::Key_twosuperior, Qt::GroupSwitchModifier, -1);
    EXPECT_EQ(p.calls, QStringList({"NeuEintrag", "Wiederherstellen 2"}));

    p.calls.clear();
    u.form->SSTab1->setCurrentIndex(1);
    u.form->KfzEingabe[0]->setFocus();
    QTest::keyClick(u.form->KfzEingabe[0], Qt::Key_F2);
    u.form->SSTab1->setCurrentIndex(0);
    QTest::keyClick(u.form->SSTab1, Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(p.calls, QStringList({"ALoeschen", "Datensatzeins"}));

    // The entry page's trash button does what F2 does.
    p.calls.clear();
    u.form->SSTab1->setCurrentIndex(2);
    QWidget* papierkorb = u.form->ctl("DateiLoschen");
    ASSERT_NE(papierkorb, nullptr);
    QTest::mouseClick(papierkorb, Qt::LeftButton, {}, papierkorb->rect().center());
    EXPECT_EQ(p.calls, QStringList({"ALoeschen"}));
    u.form->tasten = alt;
}

TEST(Tasten, EndTogglesTheCostFrameAndPauseRecalculatesOnce)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    u.form->show();
    u.form->SSTab1->setCurrentIndex(2);
    auto* frame = u.form->ctl("FrBenzin");
    auto* hilfe = u.form->ctl("TEinHilfe");
    ASSERT_TRUE(frame && hilfe);
    EXPECT_TRUE(frame->isHidden());
    QTest::keyClick(u.form->SSTab1, Qt::Key_End);
    EXPECT_FALSE(frame->isHidden());
    EXPECT_FALSE(hilfe->isHidden());
    QTest::keyClick(u.form->SSTab1, Qt::Key_End);
    EXPECT_TRUE(frame->isHidden());

    // Opening the entry page again hides a frame End has shown.
    QTest::keyClick(u.form->SSTab1, Qt::Key_End);
    u.form->SSTab1->setCurrentIndex(0);
    u.form->SSTab1->setCurrentIndex(2);
    EXPECT_TRUE(frame->isHidden());
    QTest::keyClick(u.form->SSTab1, Qt::Key_End);
    EXPECT_FALSE(frame->isHidden());

    kmk::fahrten1().NeuberechnungStart = true;
    const int vorher = u.aktualisiert;
    QTest::keyClick(u.form->SSTab1, Qt::Key_Pause);
    EXPECT_EQ(u.klartexte(), QStringList({"Die Reisekostenpauschale werden aktualisiert"}));
    EXPECT_EQ(u.aktualisiert, vorher + 1);
    EXPECT_FALSE(kmk::fahrten1().NeuberechnungStart);
    EXPECT_EQ(vb::getI16(u.lies("Vor2016.dat"), 46), -1);
}

TEST(Tasten, TheFloatingHelpWindowFollowsThePageAndKeepsItsMargins)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    u.form->show();
    auto* tgr = u.form->ctl<QPlainTextEdit>("TGrHilfe");
    auto* tein = u.form->ctl<QPlainTextEdit>("TEinHilfe");
    tgr->setPlainText("Grundeinstellungen helfen");
    tein->setPlainText("Eintragungen helfen");
    u.form->SSTab1->setCurrentIndex(2);
    u.form->ctl<QPushButton>("CBTextfensterEin")->click();
    auto* ft = qobject_cast<kmk::FTextFenster*>(u.form->FText);
    ASSERT_NE(ft, nullptr);
    EXPECT_TRUE(ft->isVisible());
    EXPECT_EQ(ft->windowTitle(), QString("Brimo Kilometrika Hilfstexte"));
    EXPECT_EQ(ft->Timer1->interval(), 1000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ft->Text1->toPlainText() == "Eintragungen helfen"; }, 1500));

    // Hidden, it keeps copying; opened again from another page it shows that page.
    ft->CBeenden->click();
    EXPECT_FALSE(ft->isVisible());
    tein->setPlainText("Fahrtenspeicher");
    EXPECT_TRUE(QTest::qWaitFor([&] { return ft->Text1->toPlainText() == "Fahrtenspeicher"; }, 1500));
    u.form->SSTab1->setCurrentIndex(1);
    tgr->setPlainText("Grundeinstellungen helfen");
    u.form->CBTextfensterGr->click();
    EXPECT_TRUE(ft->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ft->Text1->toPlainText() == "Grundeinstellungen helfen"; }, 1500));

    // Wider and taller: button 2100 and hint 2200 twips from the right edge.
    ft->resize(900, 600);
    const int W = ft->frameGeometry().width() * 15, H = ft->frameGeometry().height() * 15;
    EXPECT_EQ(ft->CBeenden->x(), (W - 2100) / 15);
    EXPECT_EQ(ft->CBeenden->y(), (H - 1000) / 15);
    EXPECT_EQ(ft->Label1->width(), (W - 2200) / 15);
    EXPECT_EQ(ft->Text1->width(), (W - 400) / 15);
    EXPECT_EQ(ft->Text1->height(), (H - 1250) / 15);
    // Smaller than its margins it keeps a usable size.
    ft->resize(10, 10);
    EXPECT_GT(ft->Text1->width(), 0);
    EXPECT_GT(ft->Text1->height(), 0);
    EXPECT_FALSE(ft->CBeenden->geometry().intersects(ft->Label1->geometry()));
}

TEST(Tasten, TheFloatingHelpWindowsHintIsWholeAndItsLayoutComesBackAfterShrinking)
{
    kmk::FTextFenster ft([] { return QString("Hilfe"); }, {});
    ft.show();
    auto ganz = [&] { return ft.Label1->height() >= ft.Label1->heightForWidth(ft.Label1->width()); };
    EXPECT_TRUE(ganz());
    const QSize gross = ft.size();
    const QRect text = ft.Text1->geometry(), hinweis = ft.Label1->geometry(), knopf = ft.CBeenden->geometry();
    // No window manager holds the window at its minimum size.
    ft.setMinimumSize(0, 0);
    ft.resize(20, 20);
    ft.resize(gross);
    EXPECT_EQ(ft.Text1->geometry(), text);
    EXPECT_EQ(ft.Label1->geometry(), hinweis);
    EXPECT_EQ(ft.CBeenden->geometry(), knopf);
    ft.resize(gross + QSize(300, 200));
    EXPECT_TRUE(ganz());
}

TEST(Tasten, AtItsLeastSizeTheFloatingHelpWindowShowsItsWholeHintClearOfTheTextBox)
{
    kmk::FTextFenster ft([] { return QString("Hilfe"); }, {});
    ft.show();
    // 3900 x 3000 twips, then 3000 x 2400, its own minimum.
    for (const QSize groesse : {QSize(260, 200), QSize(200, 160)}) {
        SCOPED_TRACE(testing::Message() << groesse.width() << " x " << groesse.height());
        ft.resize(groesse);
        ASSERT_TRUE(QTest::qWaitFor([&] { return ft.size() == groesse; }, 2000));
        const QRect hinweis = ft.Label1->geometry();
        EXPECT_TRUE(ft.rect().contains(hinweis));
        EXPECT_FALSE(hinweis.intersects(ft.Text1->geometry()));
        EXPECT_FALSE(hinweis.intersects(ft.CBeenden->geometry()));
        EXPECT_GE(hinweis.height(), ft.Label1->heightForWidth(hinweis.width()));
        // A word wider than the hint would be cut at its edge.
        const QFontMetrics fm(ft.Label1->font());
        for (const QString& wort : ft.Label1->text().split(' '))
            EXPECT_LE(fm.horizontalAdvance(wort), ft.Label1->contentsRect().width()) << wort.toStdString();
        EXPECT_GT(ft.Text1->height(), fm.height());   // a line of help still shows
    }
    // At the least size the hint sits 50 twips above "Beenden", and the button 100 twips above the foot.
    EXPECT_EQ(ft.CBeenden->y() - ft.Label1->geometry().bottom() - 1, 3);
    EXPECT_EQ(160 - ft.CBeenden->geometry().bottom() - 1, 6);
}

TEST(Tasten, TheHelpTextKeepsTenPixelsOnTheLeftAndRightOnly)
{
    kmk::FTextFenster ft([] { return QString("Hilfe"); }, {});
    ft.show();
    const QRect c = ft.Text1->contentsRect(), v = ft.Text1->viewport()->geometry();
    const int d = int(ft.Text1->document()->documentMargin());
    const int oben = int(QPlainTextEdit().document()->documentMargin());   // as a text box has it
    EXPECT_EQ(QMargins(v.left() - c.left() + d, v.top() - c.top() + d, c.right() - v.right() + d,
                       c.bottom() - v.bottom() + d),
              QMargins(10, oben, 10, oben));
}

TEST(Tasten, ClosingTheWindowMakesAFullBackupAndBeendenAQuickOne)
{
    Umgebung u;
    u.zweiFirmenwagen(1);
    ASSERT_TRUE(u.starte());
    u.form->Aktu_Auto_Click(1);
    ASSERT_EQ(kmk::fahrten1().AktuellesFahrzeug, 2);
    u.form->Form_QueryUnload();
    EXPECT_TRUE(QFileInfo(u.pfad("Sicherheit/Au1-2 E_Au2-3 E/Auto2_16.dat")).isFile());
    EXPECT_EQ(QFileInfo(u.pfad("Sicherheit/Au1-2 E_Au2-3 E/Auto1_16.dat")).size(), 2 * 671);
    EXPECT_EQ(vb::getI16(u.lies("Vor2016.dat"), 327), 2);

    // The next start shows the vehicle the window was closed with.
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(kmk::fahrten1().AktuellesFahrzeug, 2);
    u.form->Aktu_Auto_Click(0);
    u.form->Command17_Click();
    EXPECT_TRUE(QFileInfo(u.pfad("Sicherheit/Auto1_AnzahlEintra_2.dat")).isFile());
    EXPECT_TRUE(QFileInfo(u.pfad("Sicherheit/Auto2_AnzahlEintra_3.dat")).isFile());
    // The switch itself moved the last vehicle along; "Beenden" writes it.
    EXPECT_EQ(vb::getI16(u.lies("Vor2016.dat"), 327), 1);
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(kmk::fahrten1().AktuellesFahrzeug, 1);
}

TEST(Tasten, ShortcutsFromEveryPageAndInsideFields)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    u.form->show();
    Protokoll p;
    const kmk::Tastenbefehle alt = u.form->tasten;
    u.form->tasten = p.befehle();

    const auto C = Qt::ControlModifier, A = Qt::AltModifier, S = Qt::ShiftModifier;
    struct Taste { Qt::Key key; Qt::KeyboardModifiers mods; QString erwartet; bool feldBekommt; };
    const Taste tasten[] = {
        {Qt::Key_F1, {}, "Hilfe", false},
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
        {Qt::Key_F11, {}, "KundeDat 1,AListe", false},
        {Qt::Key_F12, {}, "Rueckfahrt", false},
        {Qt::Key_Pause, {}, "Pause", true},
        {Qt::Key_End, {}, "Ende", true},
        {Qt::Key_3, C | A, "Wiederherstellen 3", true},
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
            p.calls.clear();
            e.key = t.key;
            e.angekommen = 0;
            QTest::keyClick(ziel, t.key, t.mods);
            EXPECT_EQ(p.calls.join(","), t.erwartet) << "page " << o.seite << " key " << t.key;
            if (o.feld)
                EXPECT_EQ(e.angekommen, t.feldBekommt ? 1 : 0) << "page " << o.seite << " key " << t.key;
        }
        ziel->removeEventFilter(&e);
    }
    u.form->tasten = alt;
}

TEST(Tasten, RealCommandsOfTheKeysAsTheUserSeesThem)
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
    u.form->services.aktualisieren = [&] {
        boxenBeimRechnen = int(u.fakes.dialogs.shown.size());
        return true;
    };
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

TEST(Tasten, RealNavigationAndDeletionFromOtherPages)
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

TEST(Tasten, FloatingHelpWindowTextAndLayout)
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

TEST(Tasten, BothWaysOutBackUpAndStoreTheSettings)
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
