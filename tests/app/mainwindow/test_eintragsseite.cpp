// The entry page in the main window: the stored copy a correction is
// compared with after start-up and after a vehicle switch, the navigation
// buttons, and the restore keys.
#include "test_startup_umgebung.h"

#include "app/entry/anzeige.h"
#include "app/entry/eintragsseite.h"
#include "app/entry/speichern.h"
#include "app/mainwindow/anbindung_eintrag.h"
#include "app/mainwindow/sstab.h"
#include "platform/forms/dirlist.h"
#include "platform/forms/events.h"
#include "platform/forms/mouseupbutton.h"
#include "platform/forms/seams.h"
#include "platform/vb/date.h"

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using kmktest::Umgebung;

namespace {

kmk::FahrtDatensatz fahrt(int fahrzeug, int i)
{
    kmk::FahrtDatensatz f;
    f.DatumAb = f.DatumAn = vb::DateSerial(2016, 3, i);
    f.ZeitAb = qint16(480 + i);
    f.ZeitAn = qint16(540 + i);
    f.KmAb = 1000 * fahrzeug + 100 * (i - 1);
    f.KmAn = f.KmAb + 100;
    f.GefahreneKm = 100;
    f.Von = QString("Start %1-%2").arg(fahrzeug).arg(i);
    f.Nach = "Ziel";
    f.Grund = "Kunde";
    f.Fahrtart = 3;
    return f;
}

// Two company cars with three trips each; vehicle 1 was current.
void zweiFahrzeuge(Umgebung& u)
{
    ASSERT_TRUE(u.starte());
    for (int i = 0; i < 2; ++i) {
        forms::setText(u.form->KfzEingabe[i], QString("B-AB %1").arg(i + 1));
        forms::setText(u.form->KmEingabe[i], "1000");
        forms::setText(u.form->StandortEingabe[i], "Berlin");
        forms::setText(u.form->HalterEingabe[i], "Halter");
        u.form->Command1_Click(i);
    }
    for (int k = 1; k <= 2; ++k) {
        QFile f(u.pfad(QString("Auto%1_16.dat").arg(k)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 1; i <= 3; ++i)
            f.write(fahrt(k, i).zuBytes());
    }
    u.form->Aktu_Auto_Click(0);
    u.form->Form_QueryUnload();
    ASSERT_TRUE(u.starte());
}

} // namespace

TEST(Eintragsseite, AfterStartUpACorrectionOfTheLastTripIsAsked)
{
    Umgebung u;
    ASSERT_NO_FATAL_FAILURE(zweiFahrzeuge(u));
    auto& st = kmk::fahrten1();
    ASSERT_EQ(st.Satznummer, 3);
    EXPECT_EQ(st.Satzpuffer[7].zuBytes(), fahrt(1, 3).zuBytes());
    st.Satzpuffer[0].Grund = "Anderer Kunde";
    u.dialog.antworten = {false};
    kmk::ASpeichern(kmk::eintragsseite(*u.form));
    EXPECT_EQ(u.meldungen, QList<int>{50});
}

TEST(Eintragsseite, AfterAVehicleSwitchAnUntouchedTripIsNotChanged)
{
    Umgebung u;
    ASSERT_NO_FATAL_FAILURE(zweiFahrzeuge(u));
    auto& seite = kmk::eintragsseite(*u.form);
    // Browse vehicle 1 back to its first trip, then switch to vehicle 2.
    for (const char* b : {"AutoDatZuruck", "AutoDatZuruck"})
        QTest::mouseClick(u.form->ctl(b), Qt::LeftButton);
    ASSERT_EQ(kmk::fahrten1().Satznummer, 1);
    u.form->AutoOpt_Click(1);
    ASSERT_EQ(kmk::fahrten1().Satznummer, 3);
    const QByteArray vorher = u.lies("Auto2_16.dat");
    kmk::ASpeichern(seite);
    EXPECT_EQ(u.meldungen, QList<int>{66});
    EXPECT_EQ(u.lies("Auto2_16.dat"), vorher);
}

TEST(Eintragsseite, NavigationButtonsActOnTheLeftButtonAndShowTheTripList)
{
    Umgebung u;
    ASSERT_NO_FATAL_FAILURE(zweiFahrzeuge(u));
    u.form->SSTab1->setTab(2);
    QTest::mouseClick(u.form->ctl("AutoDatAnfang"), Qt::RightButton);
    EXPECT_EQ(kmk::fahrten1().Satznummer, 3);
    EXPECT_TRUE(u.form->ctl("FahrtListe")->isHidden());
    QTest::mouseClick(u.form->ctl("AutoDatAnfang"), Qt::LeftButton);
    EXPECT_EQ(kmk::fahrten1().Satznummer, 1);
    EXPECT_FALSE(u.form->ctl("FahrtListe")->isHidden());
    EXPECT_TRUE(u.form->ctl("TEinHilfe")->isHidden());
    EXPECT_EQ(u.form->ctl<QListWidget>("FahrtListe")->count(), 1);
    QTest::mouseClick(u.form->ctl("AutoDatEnde"), Qt::LeftButton);
    EXPECT_EQ(u.form->ctl<QLineEdit>("FahrtNr")->text(), " 3");
    EXPECT_EQ(u.form->ctl<QListWidget>("FahrtListe")->count(), 3);
}

TEST(Eintragsseite, CtrlAltDigitRestoresThatVehiclesTripFile)
{
    Umgebung u;
    ASSERT_NO_FATAL_FAILURE(zweiFahrzeuge(u));
    QDir(u.dir.path()).mkpath("Sicherheit/Au1-3 E_Au2-2 E");
    QFile b(u.pfad("Sicherheit/Au1-3 E_Au2-2 E/Auto2_16.dat"));
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.write(fahrt(2, 1).zuBytes() + fahrt(2, 2).zuBytes());
    b.close();
    u.form->Dir1->setPath(u.pfad("Sicherheit"));
    for (int i = 0; i < u.form->Dir1->count(); ++i)
        if (u.form->Dir1->item(i)->text().trimmed() == "Au1-3 E_Au2-2 E")
            u.form->Dir1->setCurrentRow(i);
    ASSERT_TRUE(u.form->Dir1->selectedFolder().endsWith("Au1-3 E_Au2-2 E"));
    u.form->show();
    QWidget* ziel = u.form->ctl("EinGrund");
    QTest::keyClick(ziel, Qt::Key_2, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(u.lies("Auto2_16.dat").size(), 3 * 671);
    QTest::keyClick(ziel, Qt::Key_2, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(u.lies("Auto2_16.dat").size(), 2 * 671);
    EXPECT_EQ(kmk::fahrten1().AktuellesFahrzeug, 2);
    EXPECT_EQ(kmk::fahrten1().Satznummer, 2);
    EXPECT_TRUE(u.klartexte().contains(u.pfad("Sicherheit/Au1-3 E_Au2-2 E/Auto2_16.dat")));
}

// The save question (520 x 290) on a 1024 x 768 screen leaves every shown
// field of the entry page in view: with the cost frame open it finds the
// free place between the fields, the calendar and the cost fields, also
// with the window away from the screen's corner; with the frame closed it
// stands below the fields, centred over the window, where the frame was.
TEST(Eintragsseite, TheSaveQuestionLeavesEveryShownFieldInViewOnA1024x768Screen)
{
    Umgebung u;
    ASSERT_NO_FATAL_FAILURE(zweiFahrzeuge(u));
    kmk::Form1& f = *u.form;
    f.SSTab1->setTab(2);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    const QRect schirm(0, 0, 1024, 768);
    const QSize frage(520, 290);
    struct Fall { const char* was; bool kosten; QPoint fenster; bool darunter; };
    for (const Fall& fall : {Fall{"cost frame open", true, {0, 0}, false},
                             Fall{"cost frame open, window moved", true, {0, 60}, false},
                             Fall{"cost frame closed", false, {0, 0}, true}}) {
        SCOPED_TRACE(fall.was);
        if (f.ctl("TBGesamt")->isVisible() != fall.kosten)
            QTest::mouseClick(f.ctl("CBenzin_0"), Qt::LeftButton);
        ASSERT_EQ(f.ctl("TBGesamt")->isVisible(), fall.kosten);
        f.move(fall.fenster);
        ASSERT_TRUE(QTest::qWaitFor([&] { return f.frameGeometry().topLeft() == fall.fenster; }));
        const QRect ort(forms::dialogPosition(frage, f.frameGeometry(), forms::uncoveredAreas(&f), schirm), frage);
        EXPECT_TRUE(schirm.contains(ort));
        QStringList verdeckt;
        int unten = 0;
        for (const QString& n : kmk::Journalfelder() + QStringList{"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam",
                                                                    "QKC", "TLiter", "TBGesamt", "TWGesamt", "TWbez",
                                                                    "CbbKArt"}) {
            QWidget* c = f.ctl(n);
            ASSERT_NE(c, nullptr) << n.toStdString();
            if (!c->isVisible())
                continue;
            const QRect feld(c->mapToGlobal(QPoint(0, 0)), c->size());
            unten = std::max(unten, feld.bottom());
            if (feld.intersects(ort))
                verdeckt << n;
        }
        EXPECT_EQ(verdeckt, QStringList());
        if (fall.darunter) {
            EXPECT_GT(ort.top(), unten);
            EXPECT_LE(std::abs(ort.center().x() - f.frameGeometry().center().x()), 1);
        }
    }
}
