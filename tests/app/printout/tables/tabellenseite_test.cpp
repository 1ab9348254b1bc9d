// The builders on a window with the real spreadsheet control: what the
// page reads, what it does after a build, and the trip-share dialogs.

#include "app/printout/ausdruckseite.h"
#include "app/printout/tables/tabellenseite.h"
#include "arbeitsjahr.h"
#include "platform/forms/fakes.h"
#include "platform/sheet/druck.h"
#include "platform/sheet/schreiber.h"
#include "platform/sheet/seiten.h"
#include "platform/sheet/steuerelement.h"
#include "platform/sheet/vorschau.h"
#include "tests/platform/sheet/zipleser.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace kmk;
using namespace kmk::tabellen;
using namespace testjahr;

namespace {

QByteArray inhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Fenster {
    QTemporaryDir dir;
    QWidget w;
    sheet::Steuerelement* f1 = new sheet::Steuerelement(&w);
    QWidget* qkc2 = new QWidget(&w);
    QWidget* qkc3 = new QWidget(&w);
    QLabel* label49 = new QLabel(QStringLiteral(" Alle Datensätze anzeigen"), &w);
    QLabel* anzKmAb = new QLabel(&w);
    QLineEdit* einkmAn = new QLineEdit(&w);
    QComboBox* einheit = new QComboBox(&w);
    QRadioButton* autoOpt = new QRadioButton(QStringLiteral("MS-K 123"), &w);
    Fahrten1 st;
    std::vector<int> meldungen;
    Tabellenseite seite;

    Fenster()
        : seite(&w, st, [this] { return f1; },
                {[this](int n) {
                     meldungen.push_back(n);
                     return true;
                 },
                 [] { return 1; }, {}})
    {
        f1->setObjectName("F1Book1");
        qkc2->setObjectName("QKC2");
        qkc3->setObjectName("QKC3");
        qkc2->setProperty("Date", J4);
        qkc3->setProperty("Date", J4 + 4);
        label49->setObjectName("Label49");
        anzKmAb->setObjectName("AnzKmAb");
        einkmAn->setObjectName("EinkmAn");
        einheit->setObjectName("CbbKArt");
        einheit->addItems({"Liter", "kWh", "Kg"});
        autoOpt->setObjectName("AutoOpt_0");
        st.setzeProgrammpfad(dir.path());
        st.Jahr = "2016";
        st.Dateien.Fahrtdateien[1] = "Auto1_16.dat";
        st.Fahrtdatei = "Auto1_16.dat";
        st.AktuellesFahrzeug = 1;
        st.FahrtdateiVorhanden[1] = true;
        st.Pufferindex = 3;
        st.Satznummer = 1;
        st.Kfz.Kennzeichen = "MS-K 123";
        st.Kfz.Halter = "Kilometrika GmbH";
        st.Kfz.Anfangskm = 20000;
        st.Kfz.Firmenfahrzeug = -1;
        st.Kundenfilter = QString(50, ' ');
    }
    void schreibe(const std::vector<FahrtDatensatz>& fahrten)
    {
        QFile f(st.fahrtdateiPfad());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (const FahrtDatensatz& s : fahrten)
            f.write(s.zuBytes());
    }
};

} // namespace

TEST(Tabellenseite, LogbookOnTheRealControlReadsRangeAndFilterFromThePage)
{
    Fenster f;
    f.schreibe({fahrt(J4 - 1, "Meier", 3, 19900, 100), fahrt(J4, "Meier", 3, 20000, 120),
                fahrt(J4 + 4, "Schulz", 2, 20120, 30), fahrt(J4 + 5, "Meier", 3, 20150, 10)});
    f.seite.KFZTabelle();
    const sheet::Blatt& b = f.f1->blatt();
    EXPECT_EQ(b.anzeigetext(5, 2), "04.01.2016");
    EXPECT_EQ(b.anzeigetext(6, 2), "08.01.2016");
    EXPECT_EQ(b.letzteZeile(), 6);
    EXPECT_EQ(b.seite.kopfzeile,
              "&A             Fahrzeughalter: Kilometrika GmbH               Kfz Nr. MS-K 123       ");
    const sheet::Seitenplan plan = sheet::paginiere(b);
    EXPECT_GE(plan.seiten.size(), 1u);

    f.label49->setText(QStringLiteral("Schulz").leftJustified(50) + "  2 ");
    f.st.Kundenfilter = QStringLiteral("Schulz").leftJustified(50);
    f.seite.KFZTabelle();
    EXPECT_EQ(f.f1->blatt().letzteZeile(), 5);
    EXPECT_EQ(f.f1->blatt().anzeigetext(5, 1).trimmed(), "Schulz");

    // The sheet goes out as a workbook, a PDF and text.
    for (int typ : {4, 5, 6}) {
        const QString pfad = f.dir.filePath(QStringLiteral("logbuch.%1").arg(typ));
        QString fehler;
        EXPECT_TRUE(sheet::schreibeDatei(f.f1->blatt(), pfad, typ, &fehler)) << fehler.toStdString();
        EXPECT_GT(QFileInfo(pfad).size(), 0);
    }
}

TEST(Tabellenseite, AfterTheBuildThePageShowsTheMessageOrTheStartOdometer)
{
    Fenster f;
    f.st.Pufferindex = 1;
    f.st.Kfz.Firmenfahrzeug = -1;
    f.seite.KfzTabelle4();
    EXPECT_EQ(f.meldungen, std::vector<int>{88});

    f.st.Pufferindex = 3;
    f.st.Satznummer = 0;
    f.seite.KFZTabelle();
    EXPECT_EQ(f.anzKmAb->text(), "20000");
    EXPECT_EQ(f.einkmAn->text(), "20000");
}

TEST(Tabellenseite, PrivateCarTripSharesAskForTheClosingReading)
{
    Fenster f;
    f.st.Kfz.Firmenfahrzeug = 0;
    f.st.Kfz.Privatfahrzeug = -1;
    f.schreibe({fahrt(J4, "Meier", 3, 20000, 2500), fahrt(J4 + 200, "Meier", 3, 22500, 3500)});
    forms::ScopedFakes fakes;

    // Cancel: nothing is built and nothing changes.
    f.st.KmPrivat = 77;
    f.seite.ProzentTabelle(3);
    EXPECT_EQ(fakes.dialogs.inputPrompts, QStringList{"Bitte geben Sie den abschliessenden Km - Stand ein"});
    EXPECT_EQ(f.st.KmPrivat, 77);
    EXPECT_EQ(f.f1->blatt().zellenAnzahl(), 0);

    fakes.dialogs.inputAnswers = {"35000"};
    f.seite.ProzentTabelle(3);
    EXPECT_EQ(f.st.KmBetrieblich, 6000);
    EXPECT_EQ(f.st.KmPrivat, 9000);
    EXPECT_EQ(f.f1->blatt().anzeigetext(9, 2), "60");
    EXPECT_EQ(f.f1->blatt().anzeigetext(10, 2), "40");
    EXPECT_EQ(f.f1->blatt().anzeigetext(2, 1).mid(69).trimmed(), "MS-K 123");

    // Not a number, or not above the start: the message, the old figures.
    for (const char* antwort : {"35.000 km", "15000"}) {
        fakes.dialogs.shown.clear();
        fakes.dialogs.inputAnswers = {antwort};
        f.seite.ProzentTabelle(2);
        ASSERT_EQ(fakes.dialogs.shown.size(), 1) << antwort;
        EXPECT_EQ(fakes.dialogs.shown[0].prompt, "Sie müssen den richtigen abschliessenden Km - Stand eintragen!");
        EXPECT_EQ(f.st.KmPrivat, 9000);
    }
}

TEST(Tabellenseite, CompanyCarSharesAndOperatingCosts)
{
    Fenster f;
    std::vector<FahrtDatensatz> fahrten = {fahrt(J4, "Meier", 3, 20000, 1000), fahrt(J4 + 1, "Meier", 2, 21000, 3000)};
    fahrten[0].Kraftstoffmenge = 45.5;
    fahrten[0].BetragKraftstoff = vb::Currency::fromDouble(80);
    fahrten[1].Kraftstoffmenge = 40.3;
    fahrten[1].BetragKraftstoff = vb::Currency::fromDouble(70);
    f.schreibe(fahrten);
    f.seite.ProzentTabelle(1);
    EXPECT_EQ(f.f1->blatt().anzeigetext(10, 2), "75,00%");
    EXPECT_EQ(f.f1->blatt().anzeigetext(11, 2), "25,00%");
    EXPECT_EQ(f.st.KmJeFahrtart[2], 3000);
    EXPECT_DOUBLE_EQ(f.st.ProzentJeFahrtart[3], 25.0);

    f.einheit->setCurrentIndex(2);
    f.seite.BetriebskostenTabelle();
    EXPECT_EQ(f.f1->blatt().anzeigetext(5, 5), "85,80 Kilogramm");
    EXPECT_EQ(f.f1->blatt().anzeigetext(12, 4), "Kilogrammg");
}

TEST(Tabellenseite, PreviewPdfAndWorkbookHaveTheSamePages)
{
    // A month of 69 trips with the journal on. The full table: seven blocks
    // of 76 rows, 14,900 twips wide, to a portrait page. The logbook: 17
    // columns of 19,700 twips, 73 rows, landscape. The list's 80 % prints at
    // 68 %: 10,754 / 0.68 = 15,814 twips of the sheet wide in portrait and
    // 14,822 / 0.68 = 21,797 tall (85 rows); 9,890 / 0.68 = 14,544 tall in
    // landscape, 57 rows, then 53 under the titles. Fitting one page wide
    // gives 79 % there: 49, then 45.
    struct Fall { bool vier, anpassen; int seiten; const char* mappe; };
    const Fall faelle[] = {
        {true, false, 10, "scale=\"68\""}, {true, true, 10, "fitToHeight=\"0\""},
        {false, false, 2, "scale=\"68\""}, {false, true, 2, "fitToHeight=\"0\""},
    };
    struct Vorschauzaehler : sheet::Druckdienste {
        int seiten = 0;
        void vorschau(const sheet::Blatt& b, QPrinter&, QWidget*) override { seiten = sheet::Vorschau(b).seiten(); }
        void einrichtung(QPrinter&, QWidget*) override {}
    } zaehler;
    sheet::ScopedDruckdienste dienste(&zaehler);
    for (const Fall& fall : faelle) {
        Fenster f;
        f.st.Voreinstellung.Journalfunktion = -1;
        f.st.Voreinstellung.MitVerpflegungspauschale = -1;
        f.st.Voreinstellung.ErweiterterAusdruck = fall.vier ? -1 : 0;
        f.st.Voreinstellung.Druckanpassung = fall.anpassen ? -1 : 0;
        f.st.Druckskala = 80;
        f.st.Satznummer = 69;
        std::vector<FahrtDatensatz> fahrten(69, fahrt(J4, "Meier", 3, 20000, 10));
        for (FahrtDatensatz& x : fahrten)
            x.Eintragungsdatum = J4;
        f.schreibe(fahrten);
        AusdruckUmgebung u;
        u.KFZTabelle = [&f] { f.seite.KFZTabelle(); };
        u.KfzTabelle4 = [&f] { f.seite.KfzTabelle4(); };
        Ausdruckseite seite(&f.w, *f.f1, f.st, u);
        seite.Command6_Click();
        const QString pdf = f.dir.filePath("tabelle.pdf"), mappe = f.dir.filePath("tabelle.xlsx");
        for (const QString& name : {pdf, mappe}) {
            f.f1->speichernDialog = [&](const QString&, sheet::Dateiangabe& a) {
                a.Dateiname = name;
                a.Dateityp = sheet::dateitypZuName(a.Dateiname, a.Dateityp);
                return true;
            };
            seite.SaveAsFile();
        }
        seite.SSCDruckvor_Click();
        SCOPED_TRACE(testing::Message() << fall.vier << fall.anpassen);
        EXPECT_EQ(zaehler.seiten, fall.seiten);
        EXPECT_TRUE(inhalt(pdf).contains(QStringLiteral("/Count %1\n").arg(fall.seiten).toLatin1()));
        const QString ws = QString::fromUtf8(testzip::lies(inhalt(mappe)).value("xl/worksheets/sheet1.xml"));
        EXPECT_TRUE(ws.contains(QString::fromLatin1(fall.mappe)));
        EXPECT_EQ(ws.contains("fitToPage"), fall.anpassen);
        EXPECT_EQ(ws.count("<brk "), fall.vier ? 9 : 0);   // the breaks are kept
    }
}
