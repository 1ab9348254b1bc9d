// The printout page on the real sheet, end to end: what a German user and
// an auditor see on screen, on paper and in the saved workbook. Expected
// values are worked out by hand from paper size, margins and twips.

#include "app/printout/ausdruckseite.h"
#include "app/printout/seiteneinrichtung.h"
#include "platform/forms/fakes.h"
#include "platform/forms/mouseupbutton.h"
#include "platform/sheet/blattsteuerung.h"
#include "platform/sheet/seiten.h"
#include "platform/sheet/zeichner.h"
#include "tests/platform/sheet/zipleser.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <sys/resource.h>

using namespace kmk;
using sheet::Blatt;
using sheet::BlattSteuerung;

namespace {

QByteArray inhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Six columns of 14,900 twips in all; rows of 255 twips.
void sechsSpalten(BlattSteuerung& t)
{
    const int breiten[] = {2000, 3000, 2900, 2000, 2500, 2500};
    for (int c = 1; c <= 6; ++c)
        t.Spaltenbreite(c, breiten[c - 1]);
}

struct Seite {
    forms::ScopedFakes fakes;
    QWidget fenster;
    QListWidget* list4 = new QListWidget(&fenster);
    QListWidget* list5 = new QListWidget(&fenster);
    QLabel* label76 = new QLabel(&fenster);
    forms::MouseUpButton* command8 = new forms::MouseUpButton(&fenster);
    QLabel* label29 = new QLabel(&fenster);
    QLabel* label47 = new QLabel(&fenster);
    QWidget* qkc2 = new QWidget(&fenster);
    QWidget* qkc3 = new QWidget(&fenster);
    BlattSteuerung blatt;
    Fahrten1 st;
    QString titel;
    std::unique_ptr<Ausdruckseite> seite;

    Seite()
    {
        const std::pair<QWidget*, const char*> namen[] = {
            {list4, "List4"}, {list5, "List5"}, {label76, "Label76"}, {command8, "Command8"},
            {label29, "Label29"}, {label47, "Label47"}, {qkc2, "QKC2"}, {qkc3, "QKC3"}};
        for (auto [w, n] : namen)
            w->setObjectName(QString::fromLatin1(n));
        // As the start-up fills them: 10 (50) to 130, then 140 to 165.
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
        st.Kfz.Halter = QStringLiteral("Müller & Söhne");
        st.Kfz.Kennzeichen = QStringLiteral("MS-K 1");
        st.Pufferindex = 3;
        AusdruckUmgebung u;
        u.fensterTitel = [this](const QString& t) { titel = t; };
        u.fahrzeugBeschriftung = [] { return QStringLiteral("Passat"); };
        // A logbook of 200 rows: heading in rows 1-2 (the print titles),
        // a date, an amount and their sum, a break before row 100.
        u.KFZTabelle = [this] {
            Seiteneinrichtung(blatt, 6, st.Kfz);
            blatt.Querformat(true);
            blatt.Blattname(1, QStringLiteral("Fahrtenbuch"));
            sechsSpalten(blatt);
            blatt.DrucktitelErsteZeile(1);
            blatt.DrucktitelLetzteZeile(2);
            for (int r = 1; r <= 200; ++r) {
                blatt.Zeile(r);
                blatt.Spalte(1);
                blatt.Zahlenformat(QStringLiteral("dd/mm/yyyy"));
                blatt.Zellwert(42370);
                blatt.Spalte(6);
                blatt.Zahlenformat(QStringLiteral("#,##0.00"));
                blatt.Zellwert(r == 3 ? 1234.5 : 0);
            }
            blatt.Zeile(4); blatt.Spalte(6); blatt.Zellwert(10.25);
            blatt.Zeile(201); blatt.Spalte(6);
            blatt.Zahlenformat(QStringLiteral("#,##0.00"));
            blatt.Zellformel(QStringLiteral("=SUM(F3:F200)"));
            blatt.Seitenumbruch(100);
        };
        seite = std::make_unique<Ausdruckseite>(&fenster, blatt, st, u);
        seite->verbinden();
        fenster.show();
    }
};

} // namespace

TEST(Blattausgabe, DisplayIsGermanOnAnEnglishMachine)
{
    const QLocale alt;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    std::setlocale(LC_ALL, "C");
    const struct { const char* format; double wert; const char* text; } faelle[] = {
        {"dd/mm/yyyy", 42370, "01.01.2016"},
        {"dd/mm/yyyy", 42430.75, "01.03.2016"},   // leap year; the time of day is not shown
        {"#,##0.00", 1234.5, "1.234,50"},
        {"#,##0.00", 84.99999999999999, "85,00"},
        {"#,##0.00", -1234567.891, "-1.234.567,89"},
        {"#,##0.00", 0, "0,00"},
        {"0", 84.5, "85"},
        {"", 1234.5, "1234,5"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(sheet::formatiere(f.wert, QString::fromLatin1(f.format)), QString::fromLatin1(f.text)) << f.format << " " << f.wert;

    // The one formula follows a change of its range; texts in it count nothing.
    BlattSteuerung t;
    t.Zeile(1); t.Spalte(2); t.Zellwert(1);
    t.Zeile(2); t.Zellwert(2);
    t.Zeile(3); t.Zelltext(QStringLiteral("12"));
    t.Zeile(4); t.Zahlenformat(QStringLiteral("#,##0.00")); t.Zellformel(QStringLiteral("sum(B3:B1)"));
    EXPECT_EQ(t.blatt().anzeigetext(4, 2), QStringLiteral("3,00"));
    t.Zeile(2); t.Zellwert(1000);
    EXPECT_EQ(t.blatt().anzeigetext(4, 2), QStringLiteral("1.001,00"));
    QLocale::setDefault(alt);
}

TEST(Blattausgabe, FramesKeepSidesAndShareEdges)
{
    using sheet::Links; using sheet::Rechts; using sheet::Oben; using sheet::Unten;
    // Each call on B2, in turn; then what B2 and its four neighbours show.
    const struct { int a[5]; uint8_t b2, a2, c2, b1, b3; } schritte[] = {
        {{-1, 1, 1, 1, 1}, Links | Rechts | Oben | Unten, Rechts, Links, Unten, Oben},
        {{-1, 0, -1, -1, -1}, Rechts | Oben | Unten, 0, Links, Unten, Oben},    // open left
        {{-1, -1, 0, 0, -1}, Unten, 0, 0, 0, Oben},
        {{1, -1, -1, -1, -1}, Links | Rechts | Oben | Unten, Rechts, Links, Unten, Oben},
        {{0, -1, -1, -1, -1}, 0, 0, 0, 0, 0},
    };
    BlattSteuerung t;
    for (const auto& s : schritte) {
        t.Zellauswahl(2, 2);
        t.Zellrahmen(s.a[0], s.a[1], s.a[2], s.a[3], s.a[4], 1, 3, 1, 1, 1, 1);
        const Blatt& b = t.blatt();
        EXPECT_EQ(sheet::kanten(b, 2, 2), s.b2);
        EXPECT_EQ(sheet::kanten(b, 2, 1), s.a2);
        EXPECT_EQ(sheet::kanten(b, 2, 3), s.c2);
        EXPECT_EQ(sheet::kanten(b, 1, 2), s.b1);
        EXPECT_EQ(sheet::kanten(b, 3, 2), s.b3);
    }
}

TEST(Blattausgabe, PagesFollowPaperMarginsTitlesAndBreaks)
{
    Seite s;
    s.seite->Fahrtentabelle(s.seite->umgebung().KFZTabelle);
    Blatt& b = s.blatt.blatt();
    // The set-up's page: left/right 0.4", top/bottom 0.7"; the sheet's zoom 75.
    EXPECT_EQ(b.zoom, 75);
    EXPECT_EQ(b.eigenschaften.at(18).toInt(), 6);
    // Portrait A4 at 100 % (printed at 85 %): 16,838 - 2,016 = 14,822 twips
    // tall, 17,437 of the sheet, 68 rows; below the two title rows 66; the
    // break ends page 2 at row 99. 11,906 - 1,152 = 10,754 twips wide,
    // 12,651 of the sheet: columns 1-5 (12,400), then 6.
    s.blatt.Querformat(false);
    int16_t p = 100;
    s.blatt.Druckskalierung(p, false, 0, 0);
    const struct { int von, bis, titel, spalteVon, spalteBis; } seiten[] = {
        {1, 68, 0, 1, 5}, {69, 99, 2, 1, 5}, {100, 165, 2, 1, 5}, {166, 201, 2, 1, 5},
        {1, 68, 0, 6, 6}, {69, 99, 2, 6, 6}, {100, 165, 2, 6, 6}, {166, 201, 2, 6, 6},
    };
    sheet::Seitenplan plan = sheet::paginiere(b);
    ASSERT_EQ(plan.seiten.size(), std::size(seiten));
    for (size_t i = 0; i < plan.seiten.size(); ++i) {
        const sheet::Druckseite& d = plan.seiten[i];
        EXPECT_EQ(d.vonZeile, seiten[i].von) << i;
        EXPECT_EQ(d.bisZeile, seiten[i].bis) << i;
        EXPECT_EQ(d.titelBis, seiten[i].titel) << i;
        EXPECT_EQ(d.vonSpalte, seiten[i].spalteVon) << i;
        EXPECT_EQ(d.bisSpalte, seiten[i].spalteBis) << i;
    }
    // Scale and fit: {percent, fit, wide, tall, landscape} -> factor.
    const struct { int prozent; bool fit; int breit, hoch; bool quer; double massstab; size_t seiten; } masse[] = {
        {50, false, 0, 0, false, 0.42, 2},    // 14,822 / 0.42: 138 rows, but the break ends the first
        {80, true, 1, 0, false, 0.72, 4},     // 10,754 / 14,900: 80, 19, 78, 24 rows
        {80, true, 1, 0, true, 1.00, 6},      // 15,686 twips wide: no enlarging; 38 + 36 a page
        {80, true, 1, 1, false, 0.28, 2},     // 14,822 / (201 x 255); the break remains
    };
    for (const auto& m : masse) {
        int16_t q = int16_t(m.prozent);
        s.blatt.Querformat(m.quer);
        s.blatt.Druckskalierung(q, m.fit, m.breit, m.hoch);
        plan = sheet::paginiere(b);
        EXPECT_DOUBLE_EQ(plan.massstab, m.massstab) << m.prozent << m.fit << m.hoch << m.quer;
        EXPECT_EQ(plan.seiten.size(), m.seiten) << m.prozent << m.fit << m.hoch << m.quer;
    }
}

TEST(Blattausgabe, SavedWorkbookReadsBackAsBuilt)
{
    Seite s;
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("fahrten.xlsx"));
    QString gewaehlt;
    s.blatt.speichernDialog = [&](const QString& titel, sheet::Dateiangabe& a) {
        EXPECT_EQ(titel, QStringLiteral("Speichern"));
        EXPECT_EQ(a.Dateityp, 4);
        a.Dateiname = gewaehlt;
        return !gewaehlt.isEmpty();
    };
    s.seite->Command6_Click();
    s.list5->setCurrentRow(5);              // 75 %
    s.seite->SaveAsFile();                  // cancelled
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(s.fakes.dialogs.shown.isEmpty());

    gewaehlt = pfad;
    s.seite->SaveAsFile();
    ASSERT_TRUE(s.fakes.dialogs.shown.isEmpty());
    EXPECT_EQ(s.titel, pfad);
    const auto teile = testzip::lies(inhalt(pfad));
    const QString ws = QString::fromUtf8(teile.value(QStringLiteral("xl/worksheets/sheet1.xml")));
    const QString buch = QString::fromUtf8(teile.value(QStringLiteral("xl/workbook.xml")));
    const QString styles = QString::fromUtf8(teile.value(QStringLiteral("xl/styles.xml")));
    const char* muster[] = {
        "<c r=\"A1\"[^>]*><v>42370</v>", "<c r=\"F3\"[^>]*><v>1234.5</v>",
        "<c r=\"F201\"[^>]*><f>SUM\\(F3:F200\\)</f><v>1244.75</v>",
        "paperSize=\"9\"", "scale=\"63\"", "orientation=\"landscape\"",   // 75 * 85 / 100 = 63 %
        "left=\"0.4\"", "right=\"0.4\"", "top=\"0.7\"", "bottom=\"0.7\"", "header=\"0.3\"", "footer=\"0.3\"",
        "<brk id=\"99\"", "<oddHeader>&amp;A +Fahrzeughalter: Müller &amp;&amp; Söhne",
        "<oddFooter>Seite &amp;P      Mit formeller",
    };
    for (const char* m : muster)
        EXPECT_TRUE(ws.contains(QRegularExpression(QString::fromUtf8(m)))) << m;
    EXPECT_TRUE(buch.contains(QRegularExpression(QStringLiteral("_xlnm.Print_Titles[^>]*>[^<]*\\$1:\\$2<"))));
    EXPECT_TRUE(styles.contains(QStringLiteral("formatCode=\"#,##0.00\"")));
    EXPECT_TRUE(styles.contains(QStringLiteral("formatCode=\"dd.mm.yyyy\"")));

    // A writer that fails: "Datei konnte nicht gespeichert werden", the old
    // file and the title kept.
    const QByteArray alt = inhalt(pfad);
    s.titel.clear();
    signal(SIGXFSZ, SIG_IGN);
    rlimit grenze{};
    getrlimit(RLIMIT_FSIZE, &grenze);
    rlimit eng = grenze;
    eng.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &eng), 0);
    s.seite->SaveAsFile();
    setrlimit(RLIMIT_FSIZE, &grenze);
    ASSERT_EQ(s.fakes.dialogs.shown.size(), 1);
    EXPECT_EQ(s.fakes.dialogs.shown[0].prompt, "Datei konnte nicht gespeichert werden : " + pfad);
    EXPECT_EQ(inhalt(pfad), alt);
    EXPECT_TRUE(s.titel.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("fahrten.xlsx")});
    // A folder that does not exist: the message again, nothing created.
    gewaehlt = dir.filePath(QStringLiteral("fehlt/fahrten.xlsx"));
    s.seite->SaveAsFile();
    ASSERT_EQ(s.fakes.dialogs.shown.size(), 2);
    EXPECT_EQ(s.fakes.dialogs.shown[1].prompt, "Datei konnte nicht gespeichert werden : " + gewaehlt);
}

TEST(Blattausgabe, ANumberTooWideForItsCellIsNeverCut)
{
    // Two different amounts in a column too narrow for either must look
    // the same (all "#"); in a wide column they differ.
    auto bild = [](double wert, int breite) {
        Blatt b;
        b.setzeSpaltenbreite(1, breite);
        b.zelle(1, 1).setzeZahl(wert);
        b.zelle(1, 1).format = b.formatNummer(QStringLiteral("#,##0.00"));
        QImage i(200, 40, QImage::Format_RGB32);
        i.fill(Qt::white);
        QPainter p(&i);
        sheet::twipTransform(p, i);
        sheet::zeichneBereich(p, b, 1, 1, 1, 1, 0, 0, false);
        return i;
    };
    EXPECT_EQ(bild(12345678.91, 700), bild(98765432.10, 700));
    EXPECT_NE(bild(12345678.91, 2400), bild(98765432.10, 2400));
    QImage leer(200, 40, QImage::Format_RGB32);
    leer.fill(Qt::white);
    EXPECT_NE(bild(12345678.91, 700), leer);   // the "#" are there
}
