#include "app/printout/ausdruckseite.h"
#include "app/printout/seiteneinrichtung.h"
#include "platform/forms/fakes.h"
#include "platform/forms/mouseupbutton.h"
#include "platform/sheet/recordingsheet.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

using namespace kmk;

namespace {

// The printout page's controls by name, the lists filled as the start-up
// fills them (zoom 10..165 and scale 50..165 in steps of 5, without 135).
struct Seite {
    forms::ScopedFakes fakes;
    QWidget fenster;
    QListWidget* list4 = new QListWidget(&fenster);
    QListWidget* list5 = new QListWidget(&fenster);
    QLabel* label76 = new QLabel(QStringLiteral("Zoom Druck"), &fenster);
    forms::MouseUpButton* command8 = new forms::MouseUpButton(&fenster);
    QLabel* label29 = new QLabel(&fenster);
    QLabel* label47 = new QLabel(&fenster);
    QWidget* qkc2 = new QWidget(&fenster);
    QWidget* qkc3 = new QWidget(&fenster);
    QPlainTextEdit* hilfe = new QPlainTextEdit(&fenster);
    sheet::RecordingSheet blatt;
    Fahrten1 st;
    std::unique_ptr<Ausdruckseite> seite;
    QString titel;
    QStringList gebaut;

    Seite()
    {
        list4->setObjectName("List4");
        list5->setObjectName("List5");
        label76->setObjectName("Label76");
        command8->setObjectName("Command8");
        label29->setObjectName("Label29");
        label47->setObjectName("Label47");
        qkc2->setObjectName("QKC2");
        qkc3->setObjectName("QKC3");
        hilfe->setObjectName("TDruckHilfe");
        for (int p = 10; p <= 165; p += 5)
            if (p != 135) {
                list4->addItem(QString::number(p));
                if (p >= 50)
                    list5->addItem(QString::number(p));
            }
        list4->setCurrentRow(15);
        list5->setCurrentRow(6);
        st.Druckskala = 80;
        st.Kfz.Firmenfahrzeug = -1;
        st.Pufferindex = 3;
        AusdruckUmgebung u;
        u.fensterTitel = [this](const QString& t) { titel = t; };
        u.fahrzeugBeschriftung = [] { return QStringLiteral("MS-K 2016"); };
        u.hilfstext = [](int k) { return QStringLiteral("Hilfe %1").arg(k); };
        // Stand-ins for the table builders: each starts a fresh sheet.
        auto baue = [this](const char* name, bool quer) {
            return [this, name, quer] {
                gebaut << name;
                Seiteneinrichtung(blatt, 6, st.Kfz);
                blatt.Querformat(quer);
            };
        };
        u.KFZTabelle = baue("KFZTabelle", true);
        u.KfzTabelle4 = baue("KfzTabelle4", false);
        u.KFZTabelle3 = baue("KFZTabelle3", true);
        u.Blankoformular = baue("Blankoformular", false);
        u.ProzentTabelle = [this](int m) { gebaut << QStringLiteral("ProzentTabelle %1").arg(m); };
        seite = std::make_unique<Ausdruckseite>(&fenster, blatt, st, u);
        seite->verbinden();
        fenster.show();
    }
};

} // namespace

TEST(Ausdruckseite, TheListsSetZoomAndScaleAndKeepTheirIndex)
{
    Seite s;
    ASSERT_EQ(s.list4->count(), 31);
    ASSERT_EQ(s.list5->count(), 23);
    EXPECT_EQ(s.list4->currentItem()->text(), QStringLiteral("85"));
    EXPECT_EQ(s.list5->currentItem()->text(), QStringLiteral("80"));
    s.list4->setCurrentRow(30);
    s.list5->setCurrentRow(0);
    EXPECT_EQ(s.blatt.protokoll(), (QStringList{"Bildschirmzoom(\"165\")", "Druckskalierung(50, False, 0, 0)"}));
    EXPECT_EQ(s.st.Voreinstellung.ZoomIndex, 30);
    EXPECT_EQ(s.st.Voreinstellung.DruckskalaIndex, 0);
    EXPECT_EQ(s.st.Druckskala, 50);
    EXPECT_EQ(s.blatt.Bildschirmzoom(), 165);
}

TEST(Ausdruckseite, TheFittingToggleTwiceRestoresEverything)
{
    Seite s;
    s.seite->Command8_MouseUp(2);   // right button: nothing
    EXPECT_TRUE(s.blatt.protokoll().isEmpty());
    s.seite->Command8_MouseUp(1);
    EXPECT_NE(s.st.Voreinstellung.Druckanpassung, 0);
    EXPECT_EQ(s.command8->text(), QStringLiteral("Mit autom. Druckanpassung"));
    EXPECT_FALSE(s.label76->isVisible());
    EXPECT_FALSE(s.list5->isVisible());
    EXPECT_FALSE(s.list5->isEnabled());
    s.seite->Command8_MouseUp(1);
    EXPECT_EQ(s.st.Voreinstellung.Druckanpassung, 0);
    EXPECT_EQ(s.command8->text(), QStringLiteral("Ohne autom. Druckanpassung"));
    EXPECT_TRUE(s.label76->isVisible());
    EXPECT_TRUE(s.list5->isVisible());
    EXPECT_TRUE(s.list5->isEnabled());
    EXPECT_EQ(s.blatt.protokoll(), (QStringList{"Druckskalierung(80, True, 1, 0)", "Druckskalierung(80, False, 1, 1)"}));
}

TEST(Ausdruckseite, PreviewTurnsOnlyTripTablesToLandscape)
{
    Seite s;
    // A company car's logbook: landscape; with fitting on, one page wide
    // and as many tall as needed.
    s.seite->Command6_Click();
    s.blatt.Querformat(false);
    s.st.Voreinstellung.Druckanpassung = -1;
    s.blatt.leeren();
    s.seite->SSCDruckvor_Click();
    EXPECT_EQ(s.blatt.protokoll(), (QStringList{
        "Druckskalierung(80, True, 1, 0)", "Querformat(True)", "Seitenrand(45, 0.7)", "Seitenrand(43, 0.7)",
        "Randabstand(1312, 0.3)", "Randabstand(1311, 0.3)", "Druckvorschau()"}));
    // The full trip table stays portrait.
    s.st.Voreinstellung.ErweiterterAusdruck = -1;
    s.seite->Command6_Click();
    s.seite->SSCDruckvor_Click();
    EXPECT_FALSE(s.blatt.Querformat());
    // The blank form and the evaluations keep their own orientation.
    s.st.Voreinstellung.ErweiterterAusdruck = 0;
    s.seite->Command3_Click();
    s.st.Voreinstellung.Druckanpassung = 0;
    s.blatt.leeren();
    s.seite->SSCDruckvor_Click();
    EXPECT_EQ(s.blatt.anzahl("Querformat"), 0);
    EXPECT_EQ(s.blatt.protokoll().first(), QStringLiteral("Druckskalierung(80, False, 0, 0)"));
    EXPECT_EQ(s.gebaut, (QStringList{"KFZTabelle", "KfzTabelle4", "Blankoformular"}));
}

TEST(Ausdruckseite, TableButtonsFollowTheVehicle)
{
    Seite s;
    s.st.Kfz.Firmenfahrzeug = 0;
    s.st.Kfz.Privatfahrzeug = -1;
    s.seite->Command6_Click();
    s.seite->Command7_Click();
    s.st.Pufferindex = 1;
    s.seite->Command7_Click();              // a private car's shares are built anyway
    s.seite->CommandEigenverbrauch_Click(); // nothing without a stored trip
    EXPECT_EQ(s.gebaut, (QStringList{"KFZTabelle3", "ProzentTabelle 3", "ProzentTabelle 3"}));
    EXPECT_EQ(s.blatt.Bildschirmzoom(), 85);   // the list's zoom after the build
}

TEST(Ausdruckseite, TheRangeCalendarWritesItsLabelAndTheSetting)
{
    Seite s;
    s.qkc2->setProperty("Date", 42430);
    s.seite->QKC2_Change();
    EXPECT_EQ(s.label29->text(), QStringLiteral("Ausdruck beginnt am: 01.03.2016"));
    EXPECT_EQ(s.st.Voreinstellung.DruckAb, 42430);
    // The help box follows the mouse over preview and customer list.
    s.seite->SSCDruckvor_MouseMove();
    EXPECT_EQ(s.hilfe->toPlainText(), QStringLiteral("Hilfe 96"));
    s.seite->SSCKunden_MouseMove();
    EXPECT_EQ(s.hilfe->toPlainText(), QStringLiteral("Hilfe 92"));
}

TEST(Ausdruckseite, ACalendarWithoutADateKeepsTheStoredDay)
{
    QWidget stellvertreter;
    EXPECT_EQ(kalenderDatum(nullptr, 42400), 42400);
    EXPECT_EQ(kalenderDatum(&stellvertreter, 42400), 42400);
    EXPECT_EQ(kalenderDatum(&stellvertreter), 0);
    stellvertreter.setProperty("Date", 42430);
    EXPECT_EQ(kalenderDatum(&stellvertreter, 42400), 42430);

    Seite s;
    s.st.Voreinstellung.DruckAb = 42400;
    s.seite->QKC2_Change();
    EXPECT_EQ(s.st.Voreinstellung.DruckAb, 42400);
    EXPECT_EQ(s.label29->text(), QStringLiteral("Ausdruck beginnt am: 31.01.2016"));
}

TEST(Ausdruckseite, SavingReportsEveryOutcome)
{
    Seite s;
    // Cancelled: nothing written, nothing shown.
    s.seite->SaveAsFile();
    EXPECT_EQ(s.blatt.protokoll(), (QStringList{"Dokumenttitel(\"MS-K 2016\")", "SpeichernDialog(\"Speichern\", \"\", 4)"}));
    EXPECT_TRUE(s.fakes.dialogs.shown.isEmpty());
    // Failed: the message, the title unchanged.
    s.blatt.leeren();
    s.blatt.dialogErgebnis = true;
    s.blatt.dialogAngabe = {QStringLiteral("/gibt/es/nicht/a.pdf"), 5};
    s.blatt.schreibenErgebnis = false;
    s.seite->SaveAsFile();
    ASSERT_EQ(s.fakes.dialogs.shown.size(), 1);
    EXPECT_EQ(s.fakes.dialogs.shown[0].prompt, QStringLiteral("Datei konnte nicht gespeichert werden : /gibt/es/nicht/a.pdf"));
    EXPECT_TRUE(s.titel.isEmpty());
    EXPECT_EQ(s.blatt.protokoll().last(), QStringLiteral("DateiSchreiben(\"/gibt/es/nicht/a.pdf\", 5)"));
    // Written: the type chosen in the dialog, then title, caption and type.
    s.blatt.leeren();
    s.blatt.schreibenErgebnis = true;
    s.seite->SaveAsFile();
    // The page set-up of the preview comes before the file is written.
    EXPECT_EQ(s.blatt.protokoll().mid(2, 2), (QStringList{"Druckskalierung(80, False, 0, 0)", "Seitenrand(45, 0.7)"}));
    EXPECT_EQ(s.blatt.protokoll().mid(7), (QStringList{"DateiSchreiben(\"/gibt/es/nicht/a.pdf\", 5)",
                                                       "Dokumenttitel(\"/gibt/es/nicht/a.pdf\")", "Ablagetext(\"5\")"}));
    EXPECT_EQ(s.titel, QStringLiteral("/gibt/es/nicht/a.pdf"));
    // Every call offers the workbook again.
    EXPECT_EQ(s.blatt.protokoll().at(1), QStringLiteral("SpeichernDialog(\"Speichern\", \"\", 4)"));
}

TEST(Ausdruckseite, ListsToggleAndRangeCalendars)
{
    Seite s;
    EXPECT_EQ(s.list4->count(), 31);
    EXPECT_EQ(s.list5->count(), 23);
    EXPECT_EQ(s.list4->item(25)->text(), QStringLiteral("140"));
    s.list4->setCurrentRow(25);
    EXPECT_EQ(s.blatt.Bildschirmzoom(), 140);
    EXPECT_EQ(s.st.Voreinstellung.ZoomIndex, 25);
    s.list5->setCurrentRow(22);
    EXPECT_EQ(s.st.Druckskala, 165);
    EXPECT_EQ(s.blatt.blatt().seite.skalierung, 165);
    // {fit flag, caption, list and label shown (and the list usable)}.
    const struct { bool an; const char* text; } toggle[] = {
        {true, "Mit autom. Druckanpassung"}, {false, "Ohne autom. Druckanpassung"}};
    for (const auto& t : toggle) {
        s.seite->Command8_MouseUp(1);
        EXPECT_EQ(s.st.Voreinstellung.Druckanpassung != 0, t.an);
        EXPECT_EQ(s.command8->text(), QString::fromLatin1(t.text));
        EXPECT_EQ(s.list5->isVisible(), !t.an);
        EXPECT_EQ(s.list5->isEnabled(), !t.an);
        EXPECT_EQ(s.label76->isVisible(), !t.an);
        const sheet::Seitenformat& f = s.blatt.blatt().seite;
        EXPECT_EQ(f.anpassen, t.an);
        EXPECT_EQ(f.skalierung, 165);
        EXPECT_EQ(f.seitenBreit, 1);
        EXPECT_EQ(f.seitenHoch, t.an ? 0 : 1);   // fitting: as many pages tall as needed
    }
    s.seite->Command8_MouseUp(2);
    EXPECT_EQ(s.st.Voreinstellung.Druckanpassung, 0);
    EXPECT_EQ(s.command8->text(), QStringLiteral("Ohne autom. Druckanpassung"));
    // The range: the labels with the date, the settings with the day number.
    s.qkc2->setProperty("Date", 42370);
    s.qkc3->setProperty("Date", 42735);
    s.seite->QKC2_Change();
    s.seite->QKC3_Change();
    EXPECT_EQ(s.label29->text(), QStringLiteral("Ausdruck beginnt am: 01.01.2016"));
    EXPECT_EQ(s.label47->text(), QStringLiteral("Ausdruck endet am: 31.12.2016"));
    EXPECT_EQ(s.st.Voreinstellung.DruckAb, 42370);
    EXPECT_EQ(s.st.Voreinstellung.DruckBis, 42735);
}
