// What a user sees of the pages: visible controls do not cover each other,
// the layout follows the vehicle type, boxes are drawn whole, the notice
// without a vehicle, the bold trip type and the German calendars.
#include "test_startup_umgebung.h"

#include "app/mainwindow/sstab.h"
#include "platform/com/controlhost.h"
#include "platform/forms/events.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using kmktest::Umgebung;

namespace {

constexpr int kEintragungen = 2;

void fuelle(kmk::Form1& f, int i, const QString& kz, const QString& km, const QString& ort, const QString& halter)
{
    forms::setText(f.KfzEingabe[i], kz);
    forms::setText(f.KmEingabe[i], km);
    forms::setText(f.StandortEingabe[i], ort);
    forms::setText(f.HalterEingabe[i], halter);
}

// Vehicle 1 a company car, vehicle 2 a private car; vehicle 2 is current.
void zweiFahrzeuge(kmk::Form1& f)
{
    fuelle(f, 0, "B-AB 123", "12345", "Köln", "Muster GmbH");
    forms::setOptionValue(f.FirmenPkw[0], true);
    f.Command1_Click(0);
    fuelle(f, 1, "K-XY 99", "500", "Bonn", "Hans Meier");
    forms::setOptionValue(f.PrivatPkw[1], true);
    f.Command1_Click(1);
}

QWidget* seite(kmk::Form1& f, int i) { return f.SSTab1->widget(i); }

// Pairs of shown controls with the same parent whose rectangles meet.
QStringList ueberlappungen(QWidget* root)
{
    QList<QWidget*> alle;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_") && !w->isWindow()
            && w->isVisibleTo(root))
            alle << w;
    QStringList out;
    for (int i = 0; i < alle.size(); ++i)
        for (int j = i + 1; j < alle.size(); ++j)
            if (alle[i]->parentWidget() == alle[j]->parentWidget()
                && alle[i]->geometry().intersects(alle[j]->geometry()))
                out << alle[i]->objectName() + " / " + alle[j]->objectName();
    return out;
}

bool gezeigt(kmk::Form1& f, const char* name)
{
    QWidget* w = f.ctl(QString::fromLatin1(name));
    return w && w->isVisibleTo(seite(f, kEintragungen));
}

// How much darker a pixel is than the colour of the window.
int dunkler(QRgb pixel, QRgb grund)
{
    return (qRed(grund) + qGreen(grund) + qBlue(grund)) - (qRed(pixel) + qGreen(pixel) + qBlue(pixel));
}

} // namespace

TEST(Seitenbild, NoShownControlCoversAnotherInAnyVehicleState)
{
    Umgebung u("2026", "Kxt", QDate(2026, 12, 8));
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    f.show();
    auto pruefe = [&](const char* zustand) {
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(ueberlappungen(seite(f, i)), QStringList()) << zustand << ", page " << i;
    };
    pruefe("no vehicle");
    zweiFahrzeuge(f);
    pruefe("private car");
    forms::setValue(f.Check8, 0);   // times on while the private car is current
    pruefe("private car, times on");
    f.Aktu_Auto[0]->click();
    pruefe("company car, times and allowance on");
    forms::setValue(f.Check5, 0);
    pruefe("company car, allowance off");
    forms::setValue(f.Check8, 1);
    pruefe("company car, no times");
    forms::setValue(f.Check8, 0);
    pruefe("company car, times back on");
    f.resize(f.width() * 3 / 2, f.height() * 3 / 2);
    QApplication::processEvents();
    pruefe("company car, larger window");
    f.AutoOpt(1)->click();
    pruefe("private car, larger window");

    // A restart opens on the private car with times on.
    f.Form_QueryUnload();
    ASSERT_TRUE(u.starte());
    ASSERT_EQ(kmk::fahrten1().AktuellesFahrzeug, 2);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ueberlappungen(seite(*u.form, i)), QStringList()) << "restart, page " << i;
    EXPECT_FALSE(gezeigt(*u.form, "EinZeitAb"));
    EXPECT_TRUE(gezeigt(*u.form, "Frame8"));
}

TEST(Seitenbild, OptionBoxesKeepTheEntryPageToTheVehicleType)
{
    Umgebung u("2026", "Kxt", QDate(2026, 12, 8));
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    zweiFahrzeuge(f);
    ASSERT_EQ(kmk::fahrten1().AktuellesFahrzeug, 2);

    // A private car has no times and only its own frame, whatever the boxes say.
    forms::setValue(f.Check8, 0);
    for (const char* n : {"EinZeitAb", "EinZeitAn", "Label2", "Label8", "QKSpin1", "QKSpin4", "Frame5", "Frame7"})
        EXPECT_FALSE(gezeigt(f, n)) << n;
    EXPECT_TRUE(gezeigt(f, "Frame8"));
    EXPECT_TRUE(gezeigt(f, "PersAnz"));
    forms::setValue(f.Check5, 0);
    forms::setValue(f.Check5, 1);
    EXPECT_FALSE(gezeigt(f, "Frame5"));
    // The vehicle check (as after saving a vehicle) keeps to the type as well.
    f.AutoTest();
    EXPECT_FALSE(gezeigt(f, "Frame5"));
    EXPECT_TRUE(gezeigt(f, "Frame8"));

    // Company car: exactly one of the two frames, by the allowance.
    f.Aktu_Auto[0]->click();
    ASSERT_EQ(kmk::fahrten1().AktuellesFahrzeug, 1);
    forms::setValue(f.Check8, 1);
    EXPECT_FALSE(gezeigt(f, "Frame5"));
    EXPECT_TRUE(gezeigt(f, "Frame7"));
    EXPECT_FALSE(gezeigt(f, "EinZeitAb"));
    forms::setValue(f.Check8, 0);   // switches the allowance on with the times
    EXPECT_TRUE(gezeigt(f, "Frame5"));
    EXPECT_FALSE(gezeigt(f, "Frame7"));
    EXPECT_TRUE(gezeigt(f, "EinZeitAb"));
    EXPECT_TRUE(gezeigt(f, "QKSpin2"));
    forms::setValue(f.Check5, 0);
    EXPECT_FALSE(gezeigt(f, "Frame5"));
    EXPECT_TRUE(gezeigt(f, "Frame7"));
    forms::setValue(f.Check5, 1);
    EXPECT_TRUE(gezeigt(f, "Frame5"));
    EXPECT_FALSE(gezeigt(f, "Frame7"));
    EXPECT_FALSE(gezeigt(f, "Frame8"));
}

TEST(Seitenbild, WithoutAVehicleTheNoticeStandsInPlaceOfTheEntryFields)
{
    Umgebung u("2026", "Kxt", QDate(2026, 12, 8));
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    auto* text1 = f.ctl<QPlainTextEdit>("Text1");
    ASSERT_NE(text1, nullptr);
    ASSERT_NE(f.ctl("Frame1"), nullptr);
    EXPECT_TRUE(gezeigt(f, "Text1"));
    EXPECT_FALSE(gezeigt(f, "Frame1"));
    EXPECT_EQ(text1->toPlainText(), QString("Sie müssen erst die Grundeinstellungen für mindestens ein Fahrzeug "
                                            "ausfüllen, bevor Sie in dieser Seite Fahrten eintragen können."));
    EXPECT_TRUE(text1->isReadOnly());
    // The entry fields and the record bar go with the frame.
    for (const char* n : {"EinDatumAb", "EinVon", "EinkmAn", "EintragSpeichern", "NeuerEintrag", "FahrtNr"})
        EXPECT_FALSE(gezeigt(f, n)) << n;
    // Repeated tests show the notice once.
    f.AutoTest();
    EXPECT_EQ(text1->toPlainText().count("Sie müssen"), 1);

    fuelle(f, 0, "B-AB 123", "12345", "Köln", "Muster GmbH");
    f.Command1_Click(0);
    EXPECT_FALSE(gezeigt(f, "Text1"));
    EXPECT_TRUE(gezeigt(f, "Frame1"));
    for (const char* n : {"EinDatumAb", "EinVon", "EinkmAn", "EintragSpeichern", "NeuerEintrag", "FahrtNr"})
        EXPECT_TRUE(gezeigt(f, n)) << n;

    // A restart with the vehicle on file opens on the fields, not the notice.
    ASSERT_TRUE(u.starte());
    EXPECT_FALSE(gezeigt(*u.form, "Text1"));
    EXPECT_TRUE(gezeigt(*u.form, "Frame1"));
}

TEST(Seitenbild, OneTripTypeAtATimeAndTheChosenOneInBold)
{
    Umgebung u("2026", "Kxt", QDate(2026, 12, 8));
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    fuelle(f, 0, "B-AB 123", "12345", "Köln", "Muster GmbH");
    f.Command1_Click(0);
    f.show();
    f.SSTab1->setTab(kEintragungen);
    QApplication::processEvents();
    auto* wa = f.ctl<QRadioButton>("OptWA");
    auto* pri = f.ctl<QRadioButton>("OptPri");
    auto* gesch = f.ctl<QRadioButton>("OptGesch");
    ASSERT_TRUE(wa && pri && gesch);

    QTest::mouseClick(wa, Qt::LeftButton, {}, QPoint(8, wa->height() / 2));
    EXPECT_TRUE(wa->isChecked());
    EXPECT_TRUE(wa->font().bold());
    QTest::mouseClick(pri, Qt::LeftButton, {}, QPoint(8, pri->height() / 2));
    EXPECT_TRUE(pri->isChecked());
    EXPECT_FALSE(wa->isChecked());
    EXPECT_TRUE(pri->font().bold());
    EXPECT_FALSE(wa->font().bold());
    // A click on the chosen type keeps it chosen and bold.
    QTest::mouseClick(pri, Qt::LeftButton, {}, QPoint(8, pri->height() / 2));
    EXPECT_TRUE(pri->isChecked());
    EXPECT_TRUE(pri->font().bold());
    int gewaehlt = 0;
    for (const char* n : {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"})
        gewaehlt += f.ctl<QRadioButton>(QString::fromLatin1(n))->isChecked() ? 1 : 0;
    EXPECT_EQ(gewaehlt, 1);

    // A private car selects the business trip from code: bold as well.
    fuelle(f, 1, "K-XY 99", "500", "Bonn", "Hans Meier");
    forms::setOptionValue(f.PrivatPkw[1], true);
    f.Command1_Click(1);
    EXPECT_TRUE(gesch->isChecked());
    EXPECT_TRUE(gesch->font().bold());
    EXPECT_FALSE(pri->isChecked());
    EXPECT_FALSE(pri->font().bold());
}

TEST(Seitenbild, ValueBoxesShowAllFourEdges)
{
    Umgebung u("2026", "Kxt", QDate(2026, 12, 8));
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    fuelle(f, 0, "B-AB 123", "12345", "Köln", "Muster GmbH");
    f.Command1_Click(0);
    f.show();
    for (const char* name : {"AnzKmAb", "Label73", "LSPfad", "Labbetrieb"}) {
        auto* l = f.ctl<QLabel>(QString::fromLatin1(name));
        ASSERT_NE(l, nullptr) << name;
        l->show();
        const QImage bild = l->grab().toImage();
        const QRgb grund = l->palette().color(QPalette::Window).rgb();
        const int w = bild.width(), h = bild.height();
        // Each edge a line darker than the window around it.
        EXPECT_GT(dunkler(bild.pixel(0, h / 2), grund), 30) << name << " left";
        EXPECT_GT(dunkler(bild.pixel(w - 1, h / 2), grund), 30) << name << " right";
        EXPECT_GT(dunkler(bild.pixel(w / 2, 0), grund), 30) << name << " top";
        EXPECT_GT(dunkler(bild.pixel(w / 2, h - 1), grund), 30) << name << " bottom";
    }
}

TEST(Seitenbild, CalendarsShowGermanNamesInTheStartedWindow)
{
    Umgebung u("2026", "Kxt", QDate(2026, 12, 8));
    ASSERT_TRUE(u.starte());
    for (const char* name : {"QKC", "QKC2", "QKC3"}) {
        QWidget* w = u.form->ctl(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        auto* cal = qobject_cast<com::ControlHost*>(w);
        if (!cal)
            GTEST_SKIP() << "control libraries not built";
        EXPECT_EQ(cal->property("DayTitles").toString(), QString("So Mo Di Mi Do Fr Sa")) << name;
        EXPECT_EQ(cal->property("MonthNames").toString(),
                  QString("Januar Februar März April Mai Juni Juli August September Oktober November Dezember"))
            << name;
    }
}

TEST(Seitenbild, ControlsAreFoundInTheMainWindowNotInASecondaryWindow)
{
    Umgebung u("2026", "Kxt", QDate(2026, 12, 8));
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    ASSERT_NE(f.FText, nullptr);
    auto* fremd = new QPlainTextEdit(f.FText);
    fremd->setObjectName("Text1");
    QWidget* eigen = f.ctl("Text1");
    ASSERT_NE(eigen, nullptr);
    EXPECT_NE(eigen, fremd);
    EXPECT_TRUE(seite(f, kEintragungen)->isAncestorOf(eigen));
    f.AutoTest();
    EXPECT_TRUE(fremd->toPlainText().isEmpty());
}

TEST(Seitenbild, VehicleButtonsShowACommonPlateInBoldInFull)
{
    Umgebung u("2026", "Kxt", QDate(2026, 12, 8));
    ASSERT_TRUE(u.starte());
    kmk::Form1& f = *u.form;
    for (int k = 0; k < 4; ++k)
        fuelle(f, k, "HH-AB 1234", "100", "Hamburg", "Halter");
    f.Command1_Click(3);
    for (int k = 0; k < 4; ++k) {
        for (QRadioButton* b : {static_cast<QRadioButton*>(f.Aktu_Auto[k]), f.AutoOpt(k)}) {
            ASSERT_FALSE(b->isHidden());
            kmk::setBold(b, true);
            EXPECT_LE(b->sizeHint().width(), b->width()) << b->objectName().toStdString();
        }
    }
    EXPECT_EQ(ueberlappungen(seite(f, 1)), QStringList());
}
