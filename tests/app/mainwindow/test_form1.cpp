// The main window: option boxes, pages, the backup frame, hosted controls.
#include "test_startup_umgebung.h"

#include "platform/forms/dirlist.h"
#include "app/mainwindow/form2.h"
#include "app/mainwindow/hilfezeilen.h"
#include "app/mainwindow/sstab.h"
#include "platform/com/controlhost.h"
#include "platform/forms/events.h"
#include "platform/vb/date.h"
#include "platform/vb/error.h"
#include "platform/vb/text.h"

#include <QPushButton>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

using kmktest::Umgebung;

TEST(Form1, NoTimesHidesTheTimeFieldsAndTimesBackSwitchPresetAndAllowanceOn)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    auto& v = kmk::fahrten1().Voreinstellung;
    kmk::fahrten1().Satzpuffer[0].ZeitAb = 480;

    forms::setValue(f.Check8, 0);
    EXPECT_EQ(forms::value(f.Check4), 1);
    EXPECT_EQ(forms::value(f.Check5), 1);
    EXPECT_FALSE(f.Check4->isHidden());
    for (const char* n : {"EinZeitAb", "EinZeitAn", "Label2", "Label8", "Frame5"})
        EXPECT_FALSE(f.ctl(n)->isHidden()) << n;
    EXPECT_EQ(v.OhneZeiten, 0);
    EXPECT_EQ(v.MitZeiten, -1);
    EXPECT_EQ(v.ZeitenVorgeben, -1);
    EXPECT_EQ(v.MitVerpflegungspauschale, -1);
    EXPECT_EQ(v.Warnhinweise, -1);
    EXPECT_EQ(v.Warnhinweise2, -1);
    EXPECT_FALSE(f.Check8->font().bold());
    EXPECT_TRUE(f.Check5->font().bold());

    // Unticking the allowance keeps the warnings and the preset.
    forms::setValue(f.Check5, 0);
    EXPECT_EQ(v.MitVerpflegungspauschale, 0);
    EXPECT_EQ(v.Warnhinweise, -1);
    EXPECT_EQ(v.ZeitenVorgeben, -1);

    forms::setValue(f.Check8, 1);
    EXPECT_TRUE(f.Check4->isHidden());
    EXPECT_TRUE(f.Check5->isHidden());
    EXPECT_EQ(forms::value(f.Check4), 0);
    for (const char* n : {"EinZeitAb", "EinZeitAn", "Label2", "Label8", "Frame5"})
        EXPECT_TRUE(f.ctl(n)->isHidden()) << n;
    EXPECT_EQ(kmk::fahrten1().Satzpuffer[0].ZeitAb, 0);
    EXPECT_EQ(v.ZeitenVorgeben, 0);
    EXPECT_EQ(v.MitZeiten, 0);
    EXPECT_EQ(v.Warnhinweise, 0);
    EXPECT_TRUE(f.Check8->font().bold());

    // A greyed box counts as unticked.
    forms::setValue(f.Check3, 2);
    EXPECT_EQ(v.Sprachausgabe, 0);
    forms::setValue(f.Check1, 0);
    EXPECT_EQ(v.Journalfunktion, 0);
    EXPECT_TRUE(f.ctl("LEinDatum")->isHidden());
    forms::setValue(f.Check1, 1);
    EXPECT_FALSE(f.ctl("LEinDatum")->isHidden());
}

TEST(Form1, CalendarTodayOnlyInsideTheLogbookYear)
{
    {
        Umgebung u("2016", "Kxt", QDate(2016, 12, 31));
        ASSERT_TRUE(u.starte());
        forms::setValue(u.form->Check11, 0);
        kmk::mw::calPut(u.form->ctl("QKC"), "Date", 42400);
        forms::setValue(u.form->Check11, 1);
        EXPECT_EQ(kmk::fahrten1().Voreinstellung.KalenderHeute, -1);
        EXPECT_EQ(kmk::mw::calGet(u.form->ctl("QKC"), "Date"), 42735);
    }
    Umgebung u("2015", "Kxt", QDate(2016, 2, 2));
    ASSERT_TRUE(u.starte());
    forms::setValue(u.form->Check11, 0);
    forms::setValue(u.form->Check11, 1);
    EXPECT_EQ(forms::value(u.form->Check11), 1);
    EXPECT_TRUE(u.form->Check11->font().bold());
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.KalenderHeute, 0);
}

TEST(Form1, PageChangeShowsThePageHelpText)
{
    Umgebung u;
    ASSERT_TRUE(u.schreibeHilfstexte());
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    EXPECT_EQ(f.ctl<QPlainTextEdit>("TEinHilfe")->toPlainText(), QString("Hilfe 72"));
    f.SSTab1->setTab(1);
    EXPECT_EQ(f.TGrHilfe->toPlainText(), QString("Hilfe 9"));
    f.SSTab1->setTab(0);
    EXPECT_EQ(f.TTitelHilfe->toPlainText(), QString("Hilfe 7"));
    f.SSTab1->setTab(3);
    EXPECT_EQ(f.ctl<QPlainTextEdit>("TAusHilfe")->toPlainText(), QString("Hilfe 78"));
    f.FrBenzinOffen = true;
    f.SSTab1->setTab(2);
    EXPECT_FALSE(f.FrBenzinOffen);
    EXPECT_FALSE(f.ctl("TEinHilfe")->isHidden());
}

TEST(Form1, BackupFrameFollowsTheFolderList)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    const QString pp = kmk::fahrten1().Programmpfad;
    EXPECT_EQ(f.LSPfad->text() + "/", pp + "Sicherheit/");
    QDir(pp).mkpath("Sicherheit/Au1-7 E");
    QDir(pp).mkpath("Sicherheit/_Au2-7 E");
    f.Dir1->Refresh();

    // Choosing a folder changes the backup folder in memory only.
    f.Dir1->setPath(pp + "Sicherheit/_Au2-7 E");
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.Sicherungsordner, pp + "Sicherheit/_Au2-7 E/");
    EXPECT_EQ(vb::Trim(kmk::VoreinstellungSatz::ausBytes(u.lies("Vor2016.dat")).Sicherungsordner), pp + "Sicherheit/");
    f.CSicherSpeicher_Click();
    EXPECT_EQ(vb::Trim(kmk::VoreinstellungSatz::ausBytes(u.lies("Vor2016.dat")).Sicherungsordner),
              pp + "Sicherheit/_Au2-7 E/");

    // Deleting: a full backup of vehicle 1 asks 117, the answer decides.
    f.Dir1->setPath(pp + "Sicherheit");
    kmk::fahrten1().Sicherungspfad = pp + "Sicherheit/";
    auto waehle = [&](const QString& name) {
        for (int i = 0; i < f.Dir1->count(); ++i)
            if (f.Dir1->item(i)->data(Qt::UserRole).toString() == name)
                f.Dir1->setCurrentRow(i);
    };
    waehle(pp + "Sicherheit/Au1-7 E");
    u.dialog.antworten = {false};
    f.Verloeschen_Click();
    EXPECT_EQ(u.meldungen, QList<int>{117});
    EXPECT_TRUE(QFileInfo(pp + "Sicherheit/Au1-7 E").isDir());
    waehle(pp + "Sicherheit/Au1-7 E");
    f.Verloeschen_Click();
    EXPECT_EQ(u.meldungen, (QList<int>{117, 117, 118}));
    EXPECT_EQ(kmk::fahrten1().Sicherungsname, QString("Au1-7 E"));
    EXPECT_FALSE(QFileInfo(pp + "Sicherheit/Au1-7 E").exists());
    waehle(pp + "Sicherheit/_Au2-7 E");
    u.dialog.antworten = {false};
    f.Verloeschen_Click();
    EXPECT_EQ(u.meldungen.last(), 121);
    EXPECT_TRUE(QFileInfo(pp + "Sicherheit/_Au2-7 E").isDir());

    // The program folder and folders outside the backups are never deleted.
    f.Dir1->setPath(QFileInfo(pp + "x").dir().absolutePath() + "/..");
    waehle(QDir::cleanPath(pp));
    f.Verloeschen_Click();
    EXPECT_EQ(u.klartexte().last(), QString("Sie können nicht das Kilometrikaverzeichnis löschen!"));
    EXPECT_TRUE(QFileInfo(pp + "DTSD.kxt").exists());

    // A new folder with the preset answer "0" becomes the backup folder.
    f.Dir1->setPath(pp + "Sicherheit");
    f.Dir1->setCurrentRow(-1);
    u.fakes.dialogs.inputAnswers = {"0"};
    f.VerErstellen_Click();
    EXPECT_TRUE(QFileInfo(pp + "Sicherheit/0").isDir());
    EXPECT_EQ(kmk::fahrten1().Sicherungspfad, pp + "Sicherheit/0/");
    EXPECT_EQ(vb::Trim(kmk::VoreinstellungSatz::ausBytes(u.lies("Vor2016.dat")).Sicherungsordner), pp + "Sicherheit/0/");
    // A missing folder given to the list is refused and the list keeps its own.
    EXPECT_THROW(f.Dir1->setPath(pp + "gibt-es-nicht"), vb::RuntimeError);
    EXPECT_EQ(f.Dir1->Path(), QDir::cleanPath(pp + "Sicherheit"));
}

TEST(Form1, ControlsCarryTheirNamesAndHostedControlsComeFromTheRegistry)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    EXPECT_EQ(f.size(), QSize(784, 690));
    for (const char* n : {"Frame6", "Check1", "Check12", "GrundAuto_3", "KfzEingabe_0", "KmEingabe_3", "FirmenPkw_2",
                          "PrivatPkw_1", "Label15_3", "Command1_2", "Dir1", "Drive1", "LSPfad", "CSicherSpeicher",
                          "CDateiSuchen", "TGrHilfe", "TTitelHilfe", "Command17", "Label126", "Aktu_Auto_3"})
        EXPECT_NE(f.ctl(n), nullptr) << n;
    EXPECT_EQ(f.GrundAuto[2]->title(), QString(" Grundeinstellung Fahrzeug 3 "));
    EXPECT_EQ(f.KmEingabe[1]->toolTip(), QString("Tragen Sie hier den Km Stand vom 31.12. de Vorjahres ein."));
    EXPECT_EQ(f.Frame6->title(), QString(" Voreinstellungen vom jeweils ausgewählten Fahrzeug 1 bis Fahrzeug 4  "));
    EXPECT_EQ(f.Label126->text(), QString("Stand: November  2015 - Kilometrika 2016\r\nMit und ohne Einzelnachweis "
                                          "(LStR 38) ermittelt Verpflegungsmehraufwendungen (LStR 39)"));
    if (QFileInfo::exists(qEnvironmentVariable("KMK_BIN_DIR") + "/libQKCAL32.so"))
        EXPECT_NE(qobject_cast<com::ControlHost*>(f.ctl("QKC")), nullptr);
    if (QFileInfo::exists(qEnvironmentVariable("KMK_BIN_DIR") + "/libQKSPIN32.so"))
        EXPECT_NE(qobject_cast<com::ControlHost*>(f.ctl("QKSpin1")), nullptr);
    // The print range as set at start: the settings' zero days are refused.
    EXPECT_EQ(f.ctl<QLabel>("Label29")->text(), QString("Druck beginnt mit: 01.01.2016"));
    EXPECT_EQ(f.ctl<QLabel>("Label47")->text(), QString("Druck endet mit: 31.12.2016"));

    // Every row of the help-line table that names a control of the title or
    // settings page finds it.
    kmk::Hilfezeilen hz(kmk::hilfstexte());
    hz.attachTable(&f);
    for (const QString& fehlt : hz.missing())
        for (const char* meins : {"Command4", "Command2", "Command16", "Command17", "CBTextfensterTitel", "Image1",
                                  "TTitelHilfe", "Label95", "TGrHilfe", "Check1", "Check3", "Check4", "Check5",
                                  "Check8", "Check10", "Check11", "Check12", "KfzEingabe", "KmEingabe",
                                  "StandortEingabe", "Frame9", "LSPfad", "Dir1", "FirmenPkw", "PrivatPkw",
                                  "Command1", "CBTextfensterGr", "Aktu_Auto", "CDateiSuchen"})
            EXPECT_FALSE(fehlt.startsWith(QString::fromLatin1(meins))) << qPrintable(fehlt);

    // Pictures of every page for a look by eye.
    const QString shots = qEnvironmentVariable("KMK_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        for (int i = 0; i < 5; ++i) {
            f.SSTab1->setTab(i);
            f.grab().save(QString("%1/seite%2.png").arg(shots).arg(i));
        }
    }
}

TEST(Form1, HelpWindowButtonsOpenTheFloatingHelpWindow)
{
    Umgebung u("2016", "unbekannt");
    ASSERT_TRUE(u.starte());
    EXPECT_EQ(u.form->FText, nullptr);
    u.form->CBTextfensterGr->click();
    ASSERT_NE(u.form->FText, nullptr);
    EXPECT_TRUE(u.form->FText->isVisible());
    u.form->FText->hide();
    u.form->CBTextfensterTitel->click();
    EXPECT_TRUE(u.form->FText->isVisible());
    u.form->FText->hide();
    // The title page's help button opens the help pages at their start.
    u.form->Command16->click();
    ASSERT_EQ(u.fakes.help.calls.size(), 1);
    EXPECT_TRUE(u.fakes.help.calls[0].topic.isEmpty());
    // Without the training program a plain message says so and nothing starts.
    u.form->Command4->click();
    EXPECT_TRUE(u.fakes.processes.calls.isEmpty());
    EXPECT_EQ(u.klartexte().value(0), QString("Das Schulungsprogramm ist nicht installiert."));
    // Installed in the program folder under any case: started, not waited for.
    QFile prog(u.pfad("SCHULUNG.EXE"));
    ASSERT_TRUE(prog.open(QIODevice::WriteOnly));
    prog.close();
    prog.setPermissions(prog.permissions() | QFile::ExeOwner);
    u.form->Command4->click();
    ASSERT_EQ(u.fakes.processes.calls.size(), 1);
    EXPECT_TRUE(u.fakes.processes.calls[0].program.endsWith("/SCHULUNG.EXE"));
    // A start that fails is reported, never the end of the program.
    u.fakes.processes.result = false;
    u.form->Command4->click();
    EXPECT_EQ(u.klartexte().size(), 2);
}

TEST(Form1, ResizingScalesThePagesWithTheWindow)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    const QRect vorher = f.KfzEingabe[0]->geometry();
    f.resize(f.width() * 3 / 2, f.height() * 3 / 2);
    EXPECT_GT(f.SSTab1->width(), 1100);
    EXPECT_GT(f.KfzEingabe[0]->width(), vorher.width());
    f.resize(784, 690);
    EXPECT_EQ(f.KfzEingabe[0]->geometry(), vorher);
}

TEST(Form1, BoxesGreyedByAVehicleWithoutTimesTickAgainAtOneClick)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    forms::setText(f.KfzEingabe[0], "B-AB 1");
    forms::setText(f.KmEingabe[0], "1000");
    forms::setText(f.StandortEingabe[0], "Aachen");
    forms::setText(f.HalterEingabe[0], "Eins");
    f.Command1_Click(0);   // the vehicle's copy says: no times
    ASSERT_EQ(kmk::fahrten1().AktuellesFahrzeug, 1);
    ASSERT_TRUE(f.Check4->isHidden());

    QTest::mouseClick(f.Check8, Qt::LeftButton);
    ASSERT_EQ(forms::value(f.Check8), 0);
    ASSERT_EQ(forms::value(f.Check4), 1);
    ASSERT_EQ(forms::value(f.Check5), 1);
    for (QCheckBox* c : {f.Check4, f.Check5}) {
        QTest::mouseClick(c, Qt::LeftButton);
        EXPECT_EQ(forms::value(c), 0) << c->objectName().toStdString();
        QTest::mouseClick(c, Qt::LeftButton);
        EXPECT_EQ(forms::value(c), 1) << c->objectName().toStdString();
        QTest::mouseClick(c, Qt::LeftButton);
        EXPECT_EQ(forms::value(c), 0) << c->objectName().toStdString();
    }
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.ZeitenVorgeben, -1);   // kept by the allowance box
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.MitVerpflegungspauschale, 0);
}

TEST(Form1, TitlePageRecalculationButtonStandsWithTheOtherButtons)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    auto* neu = f.ctl<QPushButton>("CommandNeuBerechnen");
    ASSERT_NE(neu, nullptr);
    EXPECT_EQ(neu->text(), QString("Reisekosten Pauschale aktualisieren"));
    EXPECT_EQ(neu->parentWidget(), f.Command17->parentWidget());
    // in the column of the title page's buttons, below "Beenden", clear of the rest
    EXPECT_EQ(neu->geometry().left(), f.Command17->geometry().left());
    EXPECT_EQ(neu->width(), f.Command17->width());
    EXPECT_GT(neu->geometry().top(), f.Command17->geometry().bottom());
    for (QWidget* w : neu->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != neu && !w->isHidden())
            EXPECT_FALSE(w->geometry().intersects(neu->geometry())) << qPrintable(w->objectName());
    EXPECT_TRUE(neu->parentWidget()->rect().contains(neu->geometry()));
}

TEST(Form1, PageChangesShowTheirHelpAndRebuildThePrintout)
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

TEST(Form1, ResizeScalesOnlyInTheNormalStateWithoutAMessage)
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
