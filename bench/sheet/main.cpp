// A year of 5,000 trips in the full trip table (framed blocks, journal
// lines, separators, a break after every seventh block): 54,000 rows. Times
// to build, paginate, write the workbook and the PDF, open the preview and
// paint the screen; peak memory. Plain timers, run by hand:
//   QT_QPA_PLATFORM=offscreen build/bin/bench_sheet

#include "app/printout/tables/tabellen.h"
#include "platform/sheet/schreiber.h"
#include "platform/sheet/seiten.h"
#include "platform/sheet/steuerelement.h"
#include "platform/sheet/vorschau.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

// The year's trip file: 5,000 trips, a few of them cancelled and corrected.
QString fahrtdatei(const QTemporaryDir& dir)
{
    const qint32 erster = 42370;   // 01.01.2016
    QFile datei(dir.filePath("Auto1_16.dat"));
    datei.open(QIODevice::WriteOnly);
    for (int i = 0; i < 5000; ++i) {
        kmk::FahrtDatensatz f;
        f.DatumAb = f.DatumAn = erster + i * 365 / 5000;
        f.ZeitAb = 480;
        f.ZeitAn = 1020;
        f.KmAb = 10000 + i * 50;
        f.GefahreneKm = 50;
        f.KmAn = f.KmAb + 50;
        f.Von = QStringLiteral("Münster, Hafenweg 12");
        f.Ueber = QStringLiteral("A1, A43 über Recklinghausen");
        f.Nach = QStringLiteral("Köln, Domplatte");
        f.Grund = QStringLiteral("Kundenbesuch");
        f.Gespraechspartner = QStringLiteral("Autohaus Schmidt & Co.");
        f.Fahrer = QStringLiteral("Anna");
        f.Fahrtart = quint8(1 + i % 5);
        f.MitPauschale = -1;
        f.Teilpauschale2 = 6;
        f.PauschaleGesamt = qint16(i % 30);
        f.Eintragsstatus = quint8(i % 50 == 7 ? 1 : i % 50 == 8 ? 2 : 0);
        f.Eintragungsdatum = f.DatumAb;
        datei.write(f.zuBytes());
    }
    return datei.fileName();
}

kmk::tabellen::Tabellenkontext kontext(const QString& datei)
{
    kmk::tabellen::Tabellenkontext k;
    k.jahr = "2016";
    k.fahrtdateiPfad = datei;
    k.fahrtdateiVorhanden = k.fahrzeugBelegt = true;
    k.pufferindex = 3;
    k.satznummer = 5000;
    k.bereich = {42370, 42370 + 365};
    k.filter.label49 = kmk::tabellen::AlleDatensaetze;
    k.kfz.Halter = QStringLiteral("Erika Mustermann");
    k.kfz.Kennzeichen = QStringLiteral("MS-K 2016");
    k.vor.MitVerpflegungspauschale = -1;
    k.vor.Journalfunktion = -1;
    return k;
}

long spitzeKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QElapsedTimer uhr;

    const kmk::tabellen::Tabellenkontext k = kontext(fahrtdatei(dir));
    sheet::Steuerelement f1;
    f1.resize(560, 530);
    uhr.start();
    kmk::tabellen::KfzTabelle4(f1, k);
    const double bauen = uhr.nsecsElapsed() / 1e9;
    const int32_t zeilen = f1.blatt().letzteZeile();

    // As the preview with automatic fitting: one page wide, seven blocks
    // to a portrait page.
    int16_t skala = 80;
    f1.Druckskalierung(skala, true, 1, 0);
    uhr.restart();
    const sheet::Seitenplan plan = sheet::paginiere(f1.blatt());
    const double paginieren = uhr.nsecsElapsed() / 1e9;

    uhr.restart();
    QString fehler;
    const bool x = sheet::schreibeArbeitsmappe(f1.blatt(), dir.filePath("jahr.xlsx"), &fehler);
    const double xlsx = uhr.nsecsElapsed() / 1e9;

    uhr.restart();
    // A path on the command line keeps the PDF for a look.
    const QString pdfPfad = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath("jahr.pdf");
    const bool p = sheet::schreibePdf(f1.blatt(), pdfPfad, &fehler);
    const double pdf = uhr.nsecsElapsed() / 1e9;

    uhr.restart();
    {
        sheet::Vorschau v(f1.blatt());
        v.show();
        QApplication::processEvents();
        v.grab();
    }
    const double vorschau = uhr.nsecsElapsed() / 1e9;

    f1.show();
    QApplication::processEvents();
    uhr.restart();
    f1.verticalScrollBar()->setValue(f1.verticalScrollBar()->maximum() / 2);
    f1.grab();
    const double bild = uhr.nsecsElapsed() / 1e9;

    if (argc > 2) {   // and a picture of the control at the top of the table
        f1.verticalScrollBar()->setValue(0);
        f1.resize(900, 600);
        f1.Bildschirmzoom(85);
        QApplication::processEvents();
        f1.grab().save(QString::fromLocal8Bit(argv[2]));
    }
    std::printf("rows %d, cells %d, pages %zu\n", zeilen, f1.blatt().zellenAnzahl(), plan.seiten.size());
    std::printf("build      %.1f ms (budget 500)\n", bauen * 1000);
    std::printf("paginate   %.2f ms (budget 1000)\n", paginieren * 1000);
    std::printf("xlsx       %.3f s (budget 3)%s\n", xlsx, x ? "" : " FAILED");
    std::printf("pdf        %.3f s%s\n", pdf, p ? "" : " FAILED");
    std::printf("preview    %.1f ms (budget 1000)\n", vorschau * 1000);
    std::printf("screen     %.1f ms (one paint, mid-year)\n", bild * 1000);
    std::printf("peak memory %ld MB\n", spitzeKb() / 1024);
    return x && p ? 0 : 1;
}
