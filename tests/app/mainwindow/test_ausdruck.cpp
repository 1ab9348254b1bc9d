// The printout page on the main window: the sheet control in place, the
// lists' defaults, the fitting toggle, the print range and saving.
#include "app/printout/ausdruckseite.h"
#include "app/mainwindow/sstab.h"
#include "app/printout/seiteneinrichtung.h"
#include "platform/com/controlhost.h"
#include "platform/sheet/steuerelement.h"
#include "platform/sheet/vorschau.h"
#include "tests/app/mainwindow/test_startup_umgebung.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using kmktest::Umgebung;

namespace {

QByteArray lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A few rows of a logbook as the table builder writes them.
void tabelle(sheet::Tabellenblatt& t)
{
    kmk::KfzGrundeinstellung kfz;
    kfz.Halter = QStringLiteral("Erika Mustermann");
    kfz.Kennzeichen = QStringLiteral("MS-K 2016");
    kmk::Seiteneinrichtung(t, 17, kfz);
    t.Querformat(true);
    t.Blattname(1, QStringLiteral("Kilometrika 2016"));
    const int breiten[] = {1800, 1200, 800, 800, 1600, 1600, 1600, 1600, 1200, 800, 800, 800};
    for (int c = 1; c <= 12; ++c)
        t.Spaltenbreite(c, breiten[c - 1]);
    t.Zeile(1); t.Spalte(1);
    t.Zelltext(QStringLiteral("Fahrtarten: 1=Fahrten z. Wohn- und Arbeitsstätte 2=Privatfahrten 3=Geschäftsfahrten"));
    const char* kopf[] = {"Gesprächspartner", "Datum", "Zeit", "km", "Grund", "Von", "Über", "Nach",
                          "Datum", "Zeit", "km", "km"};
    for (int c = 1; c <= 12; ++c) {
        t.Zeile(4); t.Spalte(c);
        t.Fettschrift(true); t.Ausrichtung(3);
        t.Zellrahmen(-1, 0, 0, 0, 1, 1, 3, 1, 1, 1, 1);
        t.Zelltext(QString::fromUtf8(kopf[c - 1]));
    }
    for (int i = 0; i < 30; ++i) {
        const int r = 5 + i;
        auto put = [&](int c) { t.Zeile(r); t.Spalte(c); t.Schriftgroesse(8); };
        put(1); t.Ausrichtung(1); t.Zelltext(QStringLiteral("Autohaus Schmidt & Co."));
        put(2); t.Zahlenformat("dd/mm/yyyy"); t.Ausrichtung(3); t.Zellwert(42373 + i);
        put(3); t.Ausrichtung(3); t.Zelltext(QStringLiteral("08:15"));
        put(4); t.Ausrichtung(3); t.Zellwert(12500 + 85 * i);
        put(5); t.Ausrichtung(1); t.Zelltext(QStringLiteral("Kundenbesuch"));
        put(6); t.Ausrichtung(1); t.Zelltext(QStringLiteral("Münster"));
        put(7); t.Ausrichtung(1); t.Zelltext(i % 3 ? QString() : QStringLiteral("A1 über Osnabrück und Bremen"));
        put(8); t.Ausrichtung(1); t.Zelltext(QStringLiteral("Köln"));
        put(12); t.Ausrichtung(3); t.Zellwert(85);
    }
    t.DrucktitelLetzteZeile(4);
    t.DrucktitelErsteZeile(1);
}

} // namespace

TEST(Ausdruck, ThePageCarriesTheSheetAndTheListsDefaults)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    auto* l4 = u.form->ctl<QListWidget>("List4");
    auto* l5 = u.form->ctl<QListWidget>("List5");
    ASSERT_TRUE(l4 && l5);
    EXPECT_EQ(l4->count(), 31);
    EXPECT_EQ(l5->count(), 23);
    EXPECT_EQ(l4->currentItem()->text(), QStringLiteral("85"));
    EXPECT_EQ(l5->currentItem()->text(), QStringLiteral("80"));
    auto* f1 = u.form->findChild<sheet::Steuerelement*>("F1Book1");
    ASSERT_TRUE(f1);
    EXPECT_EQ(f1->Bildschirmzoom(), 85);
    EXPECT_EQ(f1->blatt().seite.skalierung, 80);
    l4->setCurrentRow(0);
    EXPECT_EQ(f1->Bildschirmzoom(), 10);
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.ZoomIndex, 0);
}

TEST(Ausdruck, TheToggleClickedTwiceRestoresEverything)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    u.form->show();
    u.form->SSTab1->setTab(4);
    auto* c8 = u.form->ctl<QPushButton>("Command8");
    auto* l5 = u.form->ctl<QListWidget>("List5");
    QWidget* label76 = u.form->ctl("Label76");
    auto* f1 = u.form->findChild<sheet::Steuerelement*>("F1Book1");
    ASSERT_TRUE(c8 && l5 && label76 && f1);
    const QString vorher = c8->text();
    const bool an = kmk::fahrten1().Voreinstellung.Druckanpassung != 0;
    QTest::mouseClick(c8, Qt::LeftButton);
    EXPECT_NE(c8->text(), vorher);
    EXPECT_EQ(l5->isVisible(), an);
    EXPECT_EQ(l5->isEnabled(), an);
    EXPECT_EQ(label76->isVisible(), an);
    EXPECT_EQ(f1->blatt().seite.anpassen, !an);
    QTest::mouseClick(c8, Qt::RightButton);
    EXPECT_EQ(f1->blatt().seite.anpassen, !an);
    QTest::mouseClick(c8, Qt::LeftButton);
    EXPECT_EQ(c8->text(), vorher);
    EXPECT_EQ(l5->isVisible(), !an);
    EXPECT_EQ(l5->isEnabled(), !an);
    EXPECT_EQ(label76->isVisible(), !an);
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.Druckanpassung != 0, an);
}

TEST(Ausdruck, TheRangeCalendarsWriteTheSettingAndTheirLabels)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    auto* qkc2 = qobject_cast<com::ControlHost*>(u.form->ctl("QKC2"));
    auto* qkc3 = qobject_cast<com::ControlHost*>(u.form->ctl("QKC3"));
    if (!qkc2 || !qkc3)
        GTEST_SKIP() << "calendar library not built";
    // Start-up puts dates into the calendars before the window shows; those
    // must not replace the range read from the settings.
    u.form->hide();
    const qint32 ab = kmk::fahrten1().Voreinstellung.DruckAb;
    qkc2->setProperty("Date", 42430);
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.DruckAb, ab);
    u.form->show();
    u.form->SSTab1->setTab(3);
    qkc2->setProperty("Date", 42430);
    qkc3->setProperty("Date", 42704);
    EXPECT_EQ(u.form->ctl<QLabel>("Label29")->text(), QStringLiteral("Ausdruck beginnt am: 01.03.2016"));
    EXPECT_EQ(u.form->ctl<QLabel>("Label47")->text(), QStringLiteral("Ausdruck endet am: 30.11.2016"));
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.DruckAb, 42430);
    EXPECT_EQ(kmk::fahrten1().Voreinstellung.DruckBis, 42704);
}

TEST(Ausdruck, ExportWritesTheWorkbookAndTitlesTheWindow)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    auto* f1 = u.form->findChild<sheet::Steuerelement*>("F1Book1");
    ASSERT_TRUE(f1);
    tabelle(*f1);
    auto* export_ = u.form->ctl<QPushButton>("ExcelExport");
    ASSERT_TRUE(export_);
    const QString titel = u.form->windowTitle();
    export_->click();                              // cancelled
    EXPECT_EQ(u.form->windowTitle(), titel);
    EXPECT_TRUE(u.klartexte().isEmpty());
    const QString pfad = u.pfad("Fahrtenbuch 2016.xlsx");
    u.fakes.dialogs.fileAnswers = {pfad};
    export_->click();
    EXPECT_TRUE(QFileInfo(pfad).size() > 1000);
    EXPECT_EQ(u.form->windowTitle(), pfad);
    EXPECT_EQ(f1->Dokumenttitel(), pfad);
    EXPECT_EQ(f1->ablagetext(), QStringLiteral("4"));
    u.fakes.dialogs.fileAnswers = {u.pfad("fehlt/ordner/x.pdf")};
    export_->click();
    EXPECT_EQ(u.klartexte(), QStringList{"Datei konnte nicht gespeichert werden : " + u.pfad("fehlt/ordner/x.pdf")});
    EXPECT_EQ(u.form->windowTitle(), pfad);
    // The type chosen decides for a name without ending; the workbook of
    // that name stays as it was.
    const QByteArray mappe = lesen(pfad);
    const struct { const char* filter; const char* endung; QByteArray anfang; } typen[] = {
        {"PDF-Dokument (*.pdf)", ".pdf", "%PDF"},
        {"Text, Tabulator getrennt (*.txt)", ".txt", "\xEF\xBB\xBF" "Fahrtarten:"},
    };
    for (const auto& t : typen) {
        u.fakes.dialogs.fileAnswers = {u.pfad("Fahrtenbuch 2016")};
        u.fakes.dialogs.filterAnswers = {t.filter};
        export_->click();
        EXPECT_TRUE(lesen(u.pfad("Fahrtenbuch 2016") + t.endung).startsWith(t.anfang)) << t.endung;
        EXPECT_EQ(u.form->windowTitle(), u.pfad("Fahrtenbuch 2016") + t.endung);
    }
    EXPECT_EQ(lesen(pfad), mappe);
    EXPECT_FALSE(QFile::exists(u.pfad("Fahrtenbuch 2016")));

    // A look at the page and a printed page (KMK_BILDER=folder).
    const QString bilder = qEnvironmentVariable("KMK_BILDER");
    if (!bilder.isEmpty()) {
        u.form->show();
        u.form->SSTab1->setTab(4);
        tabelle(*f1);
        f1->Bildschirmzoom(85);
        QApplication::processEvents();
        u.form->grab().save(bilder + "/ausdruck.png");
        QString fehler;
        f1->DateiSchreiben(bilder + "/ausdruck.pdf", sheet::TypPdf, &fehler);
        sheet::Vorschau v(f1->blatt());
        v.show();
        QApplication::processEvents();
        v.grab().save(bilder + "/vorschau.png");
    }
}

TEST(Ausdruck, ThePageInFrontBuildsOneTripTableAndResizingSetsOneRowHeight)
{
    Umgebung u;
    ASSERT_TRUE(u.starte());
    auto* f1 = u.form->findChild<sheet::Steuerelement*>("F1Book1");
    ASSERT_TRUE(f1);
    // A builder as the tables give it: a fresh sheet, then its cells.
    int gebaut = 0;
    auto* seite = u.form->findChild<kmk::Ausdruckseite*>("Ausdruckseite");
    ASSERT_TRUE(seite);
    u.form->services.KFZTabelle = [&] {
        seite->Fahrtentabelle([&] {
            ++gebaut;
            tabelle(*f1);
        });
    };
    kmk::fahrten1().Kfz.Firmenfahrzeug = -1;
    kmk::fahrten1().Voreinstellung.ErweiterterAusdruck = 0;
    u.form->SSTab1->setTab(4);
    EXPECT_EQ(gebaut, 1);
    EXPECT_TRUE(f1->Eigenschaft(kmk::kFahrtentabelle).toBool());
    f1->Zeilenhoehe(7, 900);
    u.form->resize(u.form->width() + 40, u.form->height() + 30);
    EXPECT_EQ(f1->blatt().standardhoehe(), 260);
    EXPECT_TRUE(f1->blatt().zeilenhoehen().empty());
}
