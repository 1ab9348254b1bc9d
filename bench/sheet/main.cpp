// A year of 5,000 trips laid out as the full trip table (framed blocks,
// journal lines, separators, a break after every seventh block): 54,000
// rows. Times to build, paginate, write the workbook and the PDF, open the
// preview and paint the screen; peak memory. Plain timers, run by hand:
//   QT_QPA_PLATFORM=offscreen build/bin/bench_sheet

#include "app/printout/seiteneinrichtung.h"
#include "platform/sheet/schreiber.h"
#include "platform/sheet/seiten.h"
#include "platform/sheet/steuerelement.h"
#include "platform/sheet/vorschau.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

void baue(sheet::Tabellenblatt& t)
{
    kmk::KfzGrundeinstellung kfz;
    kfz.Halter = QStringLiteral("Erika Mustermann");
    kfz.Kennzeichen = QStringLiteral("MS-K 2016");
    kmk::Seiteneinrichtung(t, 6, kfz);
    t.Querformat(false);
    t.Blattname(1, QStringLiteral("Kilometrika 2016"));
    const int breiten[] = {2000, 6000, 2100, 2000, 1600, 1200};
    for (int c = 1; c <= 6; ++c)
        t.Spaltenbreite(c, breiten[c - 1]);
    int32_t r = 1;
    int bloecke = 0;
    for (int i = 1; i <= 5000; ++i) {
        const int journal = i <= 1000 ? 1 : 2;
        for (int j = 0; j < journal; ++j, ++r) {
            t.Zeile(r); t.Spalte(1);
            t.Zelltext(QStringLiteral("Eingetragen am 04.01.2016 um 18:12, geändert am 05.01.2016"));
        }
        for (int z = 0; z < 7; ++z, ++r)
            for (int32_t c = 1; c <= 6; ++c) {
                t.Zeile(r); t.Spalte(c);
                if (c == 1) t.Zellrahmen(-1, 1, 0, 1, 1, 1, 3, 1, 1, 1, 1);
                else if (c == 6) t.Zellrahmen(-1, 0, 1, 1, 1, 1, 3, 1, 1, 1, 1);
                else t.Zellrahmen(-1, 0, 0, 1, 1, 1, 3, 1, 1, 1, 1);
                t.Ausrichtung(c <= 3 ? 1 : 3);
                if (c % 2) {
                    t.Fettschrift(true);
                    t.Zelltext(QStringLiteral("Abfahrt"));
                } else if (c == 4) {
                    t.Zahlenformat(QStringLiteral("dd/mm/yyyy"));
                    t.Zellwert(42370 + i / 14);
                } else {
                    t.Zelltext(QStringLiteral("Münster, Hafenweg 12 - Köln, Domplatte"));
                }
            }
        if (++bloecke == 7) {
            t.Seitenumbruch(r + 1);
            bloecke = 0;
        }
        r += 2;
    }
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

    sheet::Steuerelement f1;
    f1.resize(560, 530);
    uhr.start();
    baue(f1);
    const double bauen = uhr.nsecsElapsed() / 1e9;
    const int32_t zeilen = f1.blatt().letzteZeile();

    // 70 %: seven blocks with their journal lines to a portrait page.
    int16_t skala = 70;
    f1.Druckskalierung(skala, false, 0, 0);
    uhr.restart();
    const sheet::Seitenplan plan = sheet::paginiere(f1.blatt());
    const double paginieren = uhr.nsecsElapsed() / 1e9;

    uhr.restart();
    QString fehler;
    const bool x = sheet::schreibeArbeitsmappe(f1.blatt(), dir.filePath("jahr.xlsx"), &fehler);
    const double xlsx = uhr.nsecsElapsed() / 1e9;

    uhr.restart();
    const bool p = sheet::schreibePdf(f1.blatt(), dir.filePath("jahr.pdf"), &fehler);
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

    std::printf("rows %d, cells %d, pages %zu\n", zeilen, f1.blatt().zellenAnzahl(), plan.seiten.size());
    std::printf("build      %.3f s (budget 0.5)\n", bauen);
    std::printf("paginate   %.3f s (budget 1)\n", paginieren);
    std::printf("xlsx       %.3f s (budget 3)%s\n", xlsx, x ? "" : " FAILED");
    std::printf("pdf        %.3f s%s\n", pdf, p ? "" : " FAILED");
    std::printf("preview    %.3f s (budget 1)\n", vorschau);
    std::printf("screen     %.3f s (one paint, mid-year)\n", bild);
    std::printf("peak memory %ld MB\n", spitzeKb() / 1024);
    return x && p ? 0 : 1;
}
