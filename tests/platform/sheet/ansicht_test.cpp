#include "platform/forms/fakes.h"
#include "platform/sheet/druck.h"
#include "platform/sheet/schreiber.h"
#include "platform/sheet/steuerelement.h"
#include "platform/sheet/vorschau.h"
#include "platform/sheet/zeichner.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <cmath>

using namespace sheet;

namespace {

// A year of trips as the full table lays it out: framed blocks of seven
// rows, two empty rows between, a break after every seventh block.
void jahr(Tabellenblatt& t, int fahrten)
{
    t.DrucktitelErsteZeile(1);
    t.DrucktitelLetzteZeile(0);
    t.Seitenrand(RandOben, 0.7);
    t.Seitenrand(RandUnten, 0.7);
    t.Seitenrand(RandLinks, 0.4);
    t.Seitenrand(RandRechts, 0.4);
    int16_t skala = 80;   // the print scale's default: seven blocks to a page
    t.Druckskalierung(skala, false, 0, 0);
    t.Spaltenbreite(2, 6000);
    int32_t r = 1;
    for (int i = 1; i <= fahrten; ++i) {
        for (int z = 0; z < 7; ++z, ++r)
            for (int32_t c = 1; c <= 6; ++c) {
                t.Zeile(r);
                t.Spalte(c);
                t.Zellrahmen(-1, 1, 1, 1, 1, 1, 3, 1, 1, 1, 1);
                if (c == 2)
                    t.Zelltext(QStringLiteral("Münster - Köln, Kundenbesuch %1").arg(i));
                else if (c == 1 && z == 0)
                    t.Zellwert(42370 + i / 14);
            }
        if (i % 7 == 0)
            t.Seitenumbruch(r + 1);
        r += 2;
    }
}

struct FakeDruck : Druckdienste {
    int vorschauen = 0, einrichtungen = 0;
    void vorschau(const Blatt&, QPrinter&, QWidget*) override { ++vorschauen; }
    void einrichtung(QPrinter&, QWidget*) override { ++einrichtungen; }
};

} // namespace

TEST(Ansicht, OnlyTheRowsInSightArePainted)
{
    Steuerelement f1;
    f1.resize(600, 400);
    jahr(f1, 6000);
    EXPECT_EQ(f1.blatt().letzteZeile(), 53998);
    f1.show();
    QApplication::processEvents();
    f1.grab();
    EXPECT_GT(f1.gemalteZeilen(), 10);
    EXPECT_LT(f1.gemalteZeilen(), 60);
    // The end of the year is reachable and painted the same way.
    f1.verticalScrollBar()->setValue(f1.verticalScrollBar()->maximum());
    f1.grab();
    EXPECT_GT(f1.obersteZeile(), 53000);
    EXPECT_LT(f1.gemalteZeilen(), 60);
}

TEST(Ansicht, PreviewAndPrinterGoThroughTheSeam)
{
    FakeDruck fake;
    ScopedDruckdienste d(&fake);
    Steuerelement f1;
    f1.Druckvorschau();
    f1.Druckereinrichtung();
    EXPECT_EQ(fake.vorschauen, 1);
    EXPECT_EQ(fake.einrichtungen, 1);
}

TEST(Ansicht, ThePreviewOfSevenHundredPagesPaintsOnlyTheShownPage)
{
    BlattSteuerung t;
    jahr(t, 4900);
    Vorschau v(t.blatt());
    EXPECT_EQ(v.seiten(), 700);
    v.show();
    QApplication::processEvents();
    v.grab();
    EXPECT_LE(v.gemalt(), 2);
    v.zeigeSeite(699);
    EXPECT_EQ(v.findChild<QLabel*>("Seitenanzeige")->text(), QStringLiteral("Seite 700 von 700"));
    EXPECT_FALSE(v.findChild<QPushButton*>("Weiter")->isEnabled());
}

TEST(Ansicht, PdfHasThePagesOfThePreview)
{
    BlattSteuerung t;
    jahr(t, 30);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("j.pdf");
    ASSERT_TRUE(schreibePdf(t.blatt(), pdf));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray d = f.readAll();
    // 30 blocks, seven to a page.
    EXPECT_EQ(paginiere(t.blatt()).seiten.size(), 5u);
    EXPECT_TRUE(d.contains("/Count 5"));
    // A4 portrait: 595 x 842 points.
    const qsizetype m = d.indexOf("/MediaBox");
    ASSERT_GE(m, 0);
    EXPECT_TRUE(d.mid(m, 40).startsWith("/MediaBox [0 0 595")) << d.mid(m, 40).toStdString();
}

TEST(Ansicht, ThePrinterGetsThePagesOfThePlan)
{
    BlattSteuerung t;
    jahr(t, 30);
    QTemporaryDir dir;
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(dir.filePath("gedruckt.pdf"));
    ASSERT_TRUE(druckeBlatt(t.blatt(), drucker));
    QFile f(dir.filePath("gedruckt.pdf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("/Count 5"));
    // A page range chosen in the printer dialog prints only those pages.
    drucker.setPrintRange(QPrinter::PageRange);
    drucker.setFromTo(2, 3);
    drucker.setOutputFileName(dir.filePath("teil.pdf"));
    ASSERT_TRUE(druckeBlatt(t.blatt(), drucker));
    QFile teil(dir.filePath("teil.pdf"));
    ASSERT_TRUE(teil.open(QIODevice::ReadOnly));
    EXPECT_TRUE(teil.readAll().contains("/Count 2"));
}

TEST(Ansicht, TextRunningOnIsNeverCrossedByAFrame)
{
    // A journal line of a block runs from its framed cell into the framed,
    // empty one beside it: the edge between the two (2,000 twips, pixel
    // 133 at 15 twips a pixel) is not drawn through the text.
    Blatt b;
    b.setzeSpaltenbreite(1, 2000);
    b.setzeSpaltenbreite(2, 6000);
    b.zelle(1, 1).setzeText(QStringLiteral("Eintragungsdatum :  02.01.2026"));
    b.zelle(1, 1).rahmen = Links | Rechts | Oben | Unten;
    b.zelle(1, 2).rahmen = Links | Rechts | Oben | Unten;
    QImage bild(600, 40, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter p(&bild);
    twipTransform(p, bild);
    zeichneBereich(p, b, 1, 1, 1, 2, 0, 0, false);
    p.end();
    int hell = 0;
    for (int y = 3; y <= 13; ++y)
        hell += qGray(bild.pixel(133, y)) > 128;
    EXPECT_GE(hell, 4);
    // The frame's top and bottom stay.
    EXPECT_LT(qGray(bild.pixel(133, 0)), 128);
}

TEST(Ansicht, ANumberShowsOnlyWhenItFitsWithItsMarginsElseHashes)
{
    // "111111" in Arial 10 measured as the renderer measures it; the cell
    // keeps 30 twips on either side. One pixel (15 twips) less than the
    // number and both margins need: hashes, although the digits alone fit.
    QFont f;
    f.setFamilies({"Arial", "Liberation Sans", "Arimo", "Nimbus Sans", "Helvetica"});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(200);
    f.setHintingPreference(QFont::PreferNoHinting);
    QTextLayout lay("111111", f);
    lay.beginLayout();
    QTextLine zeile = lay.createLine();
    lay.endLayout();
    const double zahl = zeile.naturalTextWidth();
    const int genau = int(std::ceil(zahl + 2 * 30));
    // The cell painted 'links' twips left of the picture's edge, at 15
    // twips a pixel: a wider cell moved left by as much paints its number
    // on the same pixels.
    const auto bild = [](int spalte, int links) {
        Blatt b;
        b.setzeSpaltenbreite(1, spalte);
        b.zelle(1, 1).setzeZahl(111111);
        QImage i(300, 30, QImage::Format_RGB32);
        i.setDotsPerMeterX(3780);
        i.setDotsPerMeterY(3780);
        i.fill(Qt::white);
        QPainter p(&i);
        twipTransform(p, i);
        zeichneBereich(p, b, 1, 1, 1, 1, -links, 0, false);
        p.end();
        return i;
    };
    const QImage ziffern = bild(genau + 600, 600);
    EXPECT_EQ(bild(genau, 0), ziffern) << genau;
    EXPECT_NE(bild(genau - 15, 0), bild(genau + 600, 615)) << genau;
}

TEST(Ansicht, EveryPrintStartsAtAllPagesOneCopyAndAFailureIsShown)
{
    forms::ScopedFakes fakes;
    BlattSteuerung t;
    jahr(t, 30);
    t.Blattname(1, QStringLiteral("Kilometrika 2016"));
    QTemporaryDir dir;
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = dir.filePath("gedruckt.pdf");
    drucker.setOutputFileName(pdf);
    // A user prints page 2 twice; the next print offers all pages once.
    druckauftrag(t.blatt(), drucker, [](QPrinter& d) {
        d.setPrintRange(QPrinter::PageRange);
        d.setFromTo(2, 2);
        d.setCopyCount(2);
        return true;
    });
    QFile teil(pdf);
    ASSERT_TRUE(teil.open(QIODevice::ReadOnly));
    EXPECT_TRUE(teil.readAll().contains("/Count 1\n"));
    EXPECT_EQ(drucker.docName(), QStringLiteral("Kilometrika 2016"));   // the job's name in the queue
    druckauftrag(t.blatt(), drucker, [](QPrinter& d) {
        EXPECT_EQ(d.printRange(), QPrinter::AllPages);
        EXPECT_EQ(d.fromPage(), 0);
        EXPECT_EQ(d.copyCount(), 1);
        return false;   // cancelled: nothing printed
    });
    EXPECT_TRUE(fakes.dialogs.shown.isEmpty());
    // A printer that cannot take the job: the message, as a failed save.
    drucker.setOutputFileName(dir.filePath("fehlt/gedruckt.pdf"));
    druckauftrag(t.blatt(), drucker, [](QPrinter&) { return true; });
    ASSERT_EQ(fakes.dialogs.shown.size(), 1);
    EXPECT_EQ(fakes.dialogs.shown[0].prompt, "Die Tabelle konnte nicht gedruckt werden : " + dir.filePath("fehlt/gedruckt.pdf"));
}

TEST(Ansicht, AQueueThePrintSystemDoesNotListTakesNoJobs)
{
    // Whether no print system runs or it has no such queue: nothing could
    // be queued, so a print there must not pass as done.
    EXPECT_FALSE(nimmtAuftraege(QStringLiteral("Kilometrika-Testdrucker-ohne-Warteschlange")));
    EXPECT_FALSE(nimmtAuftraege(QString()));
}

TEST(Ansicht, APrinterNameIsItsQueueAndTheInstanceAfterTheFirstSlash)
{
    struct Fall { const char* name; const char* warteschlange; const char* instanz; };
    const Fall faelle[] = {
        {"test/duplex", "test", "duplex"}, {"Büro", "Büro", ""}, {"a/b/c", "a", "b/c"}, {"", "", ""},
    };
    for (const Fall& f : faelle) {
        const auto [w, i] = druckziel(QString::fromUtf8(f.name));
        EXPECT_EQ(w, QString::fromUtf8(f.warteschlange)) << f.name;
        EXPECT_EQ(i, QString::fromUtf8(f.instanz)) << f.name;
    }
}

TEST(Ansicht, OnlyAListedQueueTakesJobsAndOnlyAnExplicitFalseRefuses)
{
    struct Fall { bool gelistet; const char* annahme; bool nimmt; };
    const Fall faelle[] = {
        {true, nullptr, true}, {true, "true", true}, {true, "false", false}, {false, nullptr, false},
        {false, "true", false},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(nimmtAn(f.gelistet, f.annahme), f.nimmt) << f.gelistet << " " << (f.annahme ? f.annahme : "(null)");
}

TEST(Ansicht, ThePrinterSetUpOffersPrintersAndTheirOptionsOnly)
{
    QPrinter drucker(QPrinter::HighResolution);
    Druckerwahl wahl(drucker, {QStringLiteral("Büro"), QStringLiteral("Keller")});
    auto* name = wahl.findChild<QComboBox*>("Drucker");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->count(), 2);
    name->setCurrentIndex(1);
    wahl.findChild<QComboBox*>("Farbe")->setCurrentIndex(1);
    wahl.uebernehmen();
    EXPECT_EQ(drucker.colorMode(), QPrinter::GrayScale);
    // Paper, orientation and margins are the sheet's: nothing to choose.
    EXPECT_EQ(wahl.findChildren<QComboBox*>().size(), 3);
}

TEST(Ansicht, HeadingDigitsAreNeverTallerThanTheirRow)
{
    Steuerelement f1;
    for (int zoom : {10, 45, 75, 100, 165}) {
        f1.Bildschirmzoom(zoom);
        const double zeile = f1.blatt().standardhoehe() * f1.logicalDpiY() / 1440.0 * zoom / 100.0;
        EXPECT_LE(f1.kopfschrift(), zeile) << zoom;
        EXPECT_GE(f1.kopfschrift(), zoom >= 75 ? 9 : 1) << zoom;
    }
}

TEST(Ansicht, TheSaveDialogsChosenTypeDecidesAndItOpensWhereTheLastSaveWent)
{
    forms::ScopedFakes fakes;
    QTemporaryDir dir;
    const QString mappe = dir.filePath(QStringLiteral("Fahrten 1.12.xlsx"));
    {
        QFile f(mappe);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("alt");
    }
    Steuerelement f1;
    jahr(f1, 1);
    // The PDF type and a name without ending: a PDF, opened in the home folder.
    fakes.dialogs.fileAnswers = {dir.filePath(QStringLiteral("Dezember-Bericht"))};
    fakes.dialogs.filterAnswers = {QStringLiteral("PDF-Dokument (*.pdf)")};
    Dateiangabe a;
    ASSERT_TRUE(f1.SpeichernDialog(QStringLiteral("Speichern"), a));
    EXPECT_EQ(a.Dateiname, dir.filePath(QStringLiteral("Dezember-Bericht.pdf")));
    EXPECT_EQ(a.Dateityp, TypPdf);
    EXPECT_EQ(fakes.dialogs.filePlaces, QStringList{QDir::homePath()});
    ASSERT_TRUE(f1.DateiSchreiben(a.Dateiname, a.Dateityp));

    // The next dialog opens there. A workbook of the final name exists: the
    // question names it, and No goes back to the dialog (cancelled here).
    fakes.dialogs.fileAnswers = {dir.filePath(QStringLiteral("Fahrten 1.12"))};
    fakes.dialogs.msgBoxAnswers = {forms::vbNo};
    Dateiangabe b;
    EXPECT_FALSE(f1.SpeichernDialog(QStringLiteral("Speichern"), b));
    EXPECT_EQ(fakes.dialogs.filePlaces.mid(1), (QStringList{dir.path(), dir.filePath(QStringLiteral("Fahrten 1.12"))}));
    ASSERT_EQ(fakes.dialogs.shown.size(), 1);
    EXPECT_EQ(fakes.dialogs.shown[0].prompt,
              QStringLiteral("Die Datei Fahrten 1.12.xlsx existiert bereits.\nSoll sie überschrieben werden?"));
    EXPECT_EQ(fakes.dialogs.shown[0].buttons, forms::vbYesNo | forms::vbExclamation | forms::vbDefaultButton2);
    // Yes: that file is the one written.
    fakes.dialogs.fileAnswers = {dir.filePath(QStringLiteral("Fahrten 1.12"))};
    fakes.dialogs.msgBoxAnswers = {forms::vbYes};
    Dateiangabe c;
    ASSERT_TRUE(f1.SpeichernDialog(QStringLiteral("Speichern"), c));
    EXPECT_EQ(c.Dateiname, mappe);
    EXPECT_EQ(c.Dateityp, TypArbeitsmappe);
}

TEST(Ansicht, OneReplaceQuestionAboutTheFileWritten)
{
    const QString mappe = QStringLiteral("Excel-Arbeitsmappe (*.xlsx)");
    const QString pdf = QStringLiteral("PDF-Dokument (*.pdf)");
    // Files present, the name typed, the type chosen, the answers to the
    // questions; then the file written ("" = cancelled at the second
    // dialog), the files asked about and the filter each dialog opened with.
    const struct Fall {
        QStringList vorhanden;
        QString getippt, filter;
        std::deque<int> antworten;
        QString geschrieben;
        QStringList gefragt, filter_;
    } faelle[] = {
        {{"Fahrten 1.12"}, "Fahrten 1.12", mappe, {}, "Fahrten 1.12.xlsx", {}, {mappe}},
        {{"Fahrten 1.12", "Fahrten 1.12.xlsx"}, "Fahrten 1.12", mappe, {forms::vbYes}, "Fahrten 1.12.xlsx",
         {"Fahrten 1.12.xlsx"}, {mappe}},
        {{"y2.ods"}, "y2.ods", pdf, {}, "y2.ods.pdf", {}, {mappe}},
        // No: the dialog again, with the type chosen in it.
        {{"y2.ods", "y2.ods.pdf"}, "y2.ods", pdf, {forms::vbNo}, "", {"y2.ods.pdf"}, {mappe, pdf}},
        {{}, "v.", pdf, {}, "v.pdf", {}, {mappe}},
        {{}, "v.", mappe, {}, "v.xlsx", {}, {mappe}},
        {{"v.pdf"}, "v.pdf", mappe, {forms::vbYes}, "v.pdf", {"v.pdf"}, {mappe}},
    };
    for (const Fall& f : faelle) {
        forms::ScopedFakes fakes;
        QTemporaryDir dir;
        for (const QString& n : f.vorhanden) {
            QFile d(dir.filePath(n));
            ASSERT_TRUE(d.open(QIODevice::WriteOnly));
            d.write("alt");
        }
        fakes.dialogs.fileAnswers = {dir.filePath(f.getippt)};
        fakes.dialogs.filterAnswers = {f.filter};
        fakes.dialogs.msgBoxAnswers = f.antworten;
        Steuerelement f1;
        Dateiangabe a;
        EXPECT_EQ(f1.SpeichernDialog(QStringLiteral("Speichern"), a), !f.geschrieben.isEmpty()) << f.getippt.toStdString();
        if (!f.geschrieben.isEmpty()) {
            EXPECT_EQ(a.Dateiname, dir.filePath(f.geschrieben)) << f.getippt.toStdString();
        }
        QStringList gefragt;
        for (const auto& s : fakes.dialogs.shown)
            gefragt << s.prompt.section(QStringLiteral("Die Datei "), 1).section(QStringLiteral(" existiert"), 0, 0);
        EXPECT_EQ(gefragt, f.gefragt) << f.getippt.toStdString();
        EXPECT_EQ(fakes.dialogs.saveFilters, f.filter_) << f.getippt.toStdString();
        if (f.filter_.size() > 1) {
            EXPECT_EQ(fakes.dialogs.filePlaces.last(), dir.filePath(f.getippt));
        }
    }
}
