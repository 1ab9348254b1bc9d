#include "platform/sheet/blattsteuerung.h"
#include "platform/sheet/druck.h"
#include "platform/sheet/schreiber.h"
#include "tests/platform/sheet/zipleser.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace sheet;

namespace {

QByteArray lies(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void schreibe(const QString& pfad, const QByteArray& d)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(d);
}

// A small logbook page: heading, a date, an amount, a sum, frames, titles,
// a break, landscape A4, margins and a scale.
void tabelle(BlattSteuerung& t)
{
    t.Blattname(1, QStringLiteral("Kilometrika 2016"));
    t.Kopfzeile(QStringLiteral("&A             Fahrzeughalter: Müller && Söhne"));
    t.Fusszeile(QStringLiteral("Seite &P"));
    t.Querformat(true);
    t.Papiergroesse(9);
    t.Seitenrand(RandLinks, 0.4);
    t.Seitenrand(RandOben, 0.7);
    int16_t p = 80;
    t.Druckskalierung(p, false, 0, 0);
    t.Spaltenbreite(1, 1800);
    t.Zeile(1); t.Spalte(1); t.Fettschrift(true); t.Ausrichtung(3); t.Zelltext(QStringLiteral("Gesprächspartner"));
    t.Zeile(2); t.Spalte(2); t.Zahlenformat(QStringLiteral("dd/mm/yyyy")); t.Zellwert(42370);
    t.Zeile(3); t.Spalte(2); t.Zahlenformat(QStringLiteral("#,##0.00")); t.Zellwert(1234.5);
    t.Zeile(4); t.Spalte(2); t.Zellwert(10);
    t.Zeile(5); t.Spalte(2); t.Zellformel(QStringLiteral("=SUM(B3:B4)"));
    t.Zellauswahl(5, 3); t.Zellrahmen(1, 1, 1, 1, 1, 1, 3, 1, 1, 1, 1);
    t.DrucktitelLetzteZeile(1);
    t.DrucktitelErsteZeile(1);
    t.Seitenumbruch(4);
}

} // namespace

TEST(Schreiber, AWorkbookAnIndependentReaderOpens)
{
    QTemporaryDir dir;
    BlattSteuerung t;
    tabelle(t);
    const QString pfad = dir.filePath(QStringLiteral("fahrten.xlsx"));
    QString fehler;
    ASSERT_TRUE(t.DateiSchreiben(pfad, TypArbeitsmappe, &fehler)) << fehler.toStdString();
    const auto teile = testzip::lies(lies(pfad));
    ASSERT_TRUE(teile.contains(QStringLiteral("xl/worksheets/sheet1.xml")));
    const QString blatt = QString::fromUtf8(teile.value(QStringLiteral("xl/worksheets/sheet1.xml")));
    QString texte = blatt + QString::fromUtf8(teile.value(QStringLiteral("xl/sharedStrings.xml")));
    EXPECT_TRUE(texte.contains(QStringLiteral("Gesprächspartner")));
    EXPECT_TRUE(blatt.contains(QRegularExpression(QStringLiteral("<c r=\"B2\"[^>]*><v>42370</v>"))));
    EXPECT_TRUE(blatt.contains(QRegularExpression(QStringLiteral("<c r=\"B3\"[^>]*><v>1234.5</v>"))));
    EXPECT_TRUE(blatt.contains(QRegularExpression(QStringLiteral("<c r=\"B5\"[^>]*><f>SUM\\(B3:B4\\)</f><v>1244.5</v>"))));
    EXPECT_TRUE(blatt.contains(QStringLiteral("orientation=\"landscape\"")));
    EXPECT_TRUE(blatt.contains(QStringLiteral("paperSize=\"9\"")));
    EXPECT_TRUE(blatt.contains(QStringLiteral("scale=\"68\"")));    // the print scale 80 % prints at 80 * 85 / 100 = 68 %
    EXPECT_TRUE(blatt.contains(QStringLiteral("left=\"0.4\"")));
    EXPECT_TRUE(blatt.contains(QStringLiteral("top=\"0.7\"")));
    EXPECT_TRUE(blatt.contains(QStringLiteral("<brk id=\"3\"")));     // a page starts at row 4
    EXPECT_TRUE(blatt.contains(QStringLiteral("Müller &amp;&amp; Söhne")));
    const QString styles = QString::fromUtf8(teile.value(QStringLiteral("xl/styles.xml")));
    EXPECT_TRUE(styles.contains(QStringLiteral("formatCode=\"dd.mm.yyyy\"")));
    EXPECT_TRUE(styles.contains(QStringLiteral("<b/>")));
    EXPECT_TRUE(styles.contains(QStringLiteral("<left style=\"thin\">")));
    // Spreadsheet programs measure column widths in the first font: a face
    // wider than the cells' would widen every column and add pages.
    const QString erste = QRegularExpression(QStringLiteral("<fonts [^>]*><font>(.*?)</font>")).match(styles).captured(1);
    EXPECT_TRUE(erste.contains(QStringLiteral("<sz val=\"10\"/>")) && erste.contains(QStringLiteral("<name val=\"Arial\"/>")))
        << erste.toStdString();
    const QString buch = QString::fromUtf8(teile.value(QStringLiteral("xl/workbook.xml")));
    EXPECT_TRUE(buch.contains(QStringLiteral("_xlnm.Print_Titles")));
    EXPECT_TRUE(buch.contains(QStringLiteral("$1:$1")));
    EXPECT_TRUE(buch.contains(QStringLiteral("_xlnm.Print_Area")));   // the used area, as the pages print it
    EXPECT_TRUE(buch.contains(QStringLiteral("$A$1:$C$5")));   // C5 holds a frame

    // Fitting: one page wide, as many tall as needed.
    int16_t p = 80;
    t.Druckskalierung(p, true, 1, 0);
    ASSERT_TRUE(t.DateiSchreiben(pfad, TypArbeitsmappe, &fehler));
    const QString passend = QString::fromUtf8(testzip::lies(lies(pfad)).value(QStringLiteral("xl/worksheets/sheet1.xml")));
    EXPECT_TRUE(passend.contains(QStringLiteral("<pageSetUpPr fitToPage=\"1\"/>")));
    EXPECT_TRUE(passend.contains(QStringLiteral("fitToHeight=\"0\"")));
    EXPECT_FALSE(passend.contains(QStringLiteral("scale=")));
}

TEST(Schreiber, ColumnWidthsReadBackAsTheirPixelsWithPadding)
{
    // A workbook's width is characters of 7 pixels with 5 pixels of padding
    // included, in 1/256: 1800 twips = 120 pixels = 4388/256; 5000 twips
    // = 333 whole pixels = 12178/256.
    QTemporaryDir dir;
    BlattSteuerung t;
    t.Spaltenbreite(1, 1800);
    t.Spaltenbreite(2, 5000);
    t.Zeile(1); t.Spalte(2); t.Zelltext(QStringLiteral("x"));
    const QString pfad = dir.filePath(QStringLiteral("breiten.xlsx"));
    QString fehler;
    ASSERT_TRUE(t.DateiSchreiben(pfad, TypArbeitsmappe, &fehler)) << fehler.toStdString();
    const QString blatt = QString::fromUtf8(testzip::lies(lies(pfad)).value(QStringLiteral("xl/worksheets/sheet1.xml")));
    EXPECT_TRUE(blatt.contains(QStringLiteral("<col min=\"1\" max=\"1\" width=\"17.140625\""))) << blatt.toStdString();
    EXPECT_TRUE(blatt.contains(QStringLiteral("<col min=\"2\" max=\"2\" width=\"47.5703125\""))) << blatt.toStdString();
}

TEST(Schreiber, PdfAndTextAreWritten)
{
    QTemporaryDir dir;
    BlattSteuerung t;
    tabelle(t);
    const QString pdf = dir.filePath(QStringLiteral("fahrten.pdf"));
    QString fehler;
    ASSERT_TRUE(t.DateiSchreiben(pdf, TypPdf, &fehler)) << fehler.toStdString();
    const QByteArray d = lies(pdf);
    EXPECT_TRUE(d.startsWith("%PDF"));
    // The break before row 4 gives two pages.
    EXPECT_EQ(d.count("/Type /Page\n") + d.count("/Type /Page\r") + d.count("/Type /Page "), 2)
        << d.count("/Type /Page");
    const QString txt = dir.filePath(QStringLiteral("fahrten.txt"));
    ASSERT_TRUE(t.DateiSchreiben(txt, TypText, &fehler));
    EXPECT_EQ(lies(txt), QByteArray("\xEF\xBB\xBF")
                             + QStringLiteral("Gesprächspartner\r\n\t01.01.2016\r\n\t1.234,50\r\n\t10\r\n\t1244,5\t\r\n").toUtf8());
}

TEST(Schreiber, AFailedSaveKeepsTheOldFile)
{
    QTemporaryDir dir;
    BlattSteuerung t;
    tabelle(t);
    const QString pfad = dir.filePath(QStringLiteral("alt.xlsx"));
    schreibe(pfad, "alter Inhalt");
    // Files may grow to 32 bytes only: every writer fails part-way, the
    // workbook when it is closed.
    signal(SIGXFSZ, SIG_IGN);
    rlimit alt{};
    getrlimit(RLIMIT_FSIZE, &alt);
    rlimit eng = alt;
    eng.rlim_cur = 32;   // the text needs 61
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &eng), 0);
    for (int typ : {int(TypArbeitsmappe), int(TypPdf), int(TypText)}) {
        QString fehler;
        EXPECT_FALSE(t.DateiSchreiben(pfad, typ, &fehler)) << typ;
        EXPECT_FALSE(fehler.isEmpty()) << typ;
    }
    setrlimit(RLIMIT_FSIZE, &alt);
    EXPECT_EQ(lies(pfad), QByteArray("alter Inhalt"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("alt.xlsx")});
    QString fehler;
    EXPECT_FALSE(t.DateiSchreiben(dir.filePath(QStringLiteral("x.xyz")), 9, &fehler));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.xyz"))));
}

TEST(Schreiber, TheDialogsEndingChoosesTheType)
{
    struct Fall { const char* name; int gewaehlt; int typ; const char* danach; };
    const Fall faelle[] = {
        {"/a/b.pdf", TypArbeitsmappe, TypPdf, "/a/b.pdf"}, {"/a/b.TXT", TypArbeitsmappe, TypText, "/a/b.TXT"},
        {"/a/b.xlsx", TypPdf, TypArbeitsmappe, "/a/b.xlsx"}, {"/a/b", TypArbeitsmappe, TypArbeitsmappe, "/a/b.xlsx"},
        {"/a/b.tsv", TypPdf, TypText, "/a/b.tsv"},
        {"/a/Dezember-Bericht", TypPdf, TypPdf, "/a/Dezember-Bericht.pdf"},
        {"/a/Dezember-Bericht", TypText, TypText, "/a/Dezember-Bericht.txt"},
        {"/a/Fahrten 1.12", TypArbeitsmappe, TypArbeitsmappe, "/a/Fahrten 1.12.xlsx"},
        {"/a/Fahrten 1.12", TypPdf, TypPdf, "/a/Fahrten 1.12.pdf"},
        {"/a/b.csv", TypText, TypText, "/a/b.csv.txt"},
        {"/a.pdf/b", TypArbeitsmappe, TypArbeitsmappe, "/a.pdf/b.xlsx"},
    };
    for (const Fall& f : faelle) {
        QString n = QString::fromLatin1(f.name);
        EXPECT_EQ(dateitypZuName(n, f.gewaehlt), f.typ) << f.name << " " << f.gewaehlt;
        EXPECT_EQ(n, QString::fromLatin1(f.danach)) << f.gewaehlt;
    }
    // The dialog's filters stand for their types, workbook first.
    EXPECT_EQ(ablagefilter(),
              "Excel-Arbeitsmappe (*.xlsx);;PDF-Dokument (*.pdf);;Text, Tabulator getrennt (*.txt)");
    for (int typ : {TypArbeitsmappe, TypPdf, TypText})
        EXPECT_EQ(dateitypZuFilter(filterZuDateityp(typ)), typ);
}
