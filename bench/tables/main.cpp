// Building each vehicle table of 5,000 trips on the spreadsheet control,
// then paging and saving the full table. Prints the best of five runs.

#include "app/printout/tables/tabellen.h"
#include "platform/sheet/schreiber.h"
#include "platform/sheet/seiten.h"
#include "platform/sheet/steuerelement.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <functional>

using namespace kmk;
using namespace kmk::tabellen;

namespace {

double besteZeit(const std::function<void()>& f)
{
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(t1 - t0).count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const qint32 erster = 42370;  // 01.01.2016
    QFile datei(dir.filePath("Auto1_16.dat"));
    datei.open(QIODevice::WriteOnly);
    for (int i = 0; i < 5000; ++i) {
        FahrtDatensatz f;
        f.DatumAb = f.DatumAn = erster + i * 365 / 5000;
        f.ZeitAb = 480;
        f.ZeitAn = 1020;
        f.KmAb = 10000 + i * 50;
        f.GefahreneKm = 50;
        f.KmAn = f.KmAb + 50;
        f.Von = QStringLiteral("Münster");
        f.Ueber = QStringLiteral("A1, A43 über Recklinghausen");
        f.Nach = QStringLiteral("Köln");
        f.Grund = QStringLiteral("Kundenbesuch");
        f.Gespraechspartner = QStringLiteral("Meier");
        f.Fahrer = QStringLiteral("Anna");
        f.Fahrtart = quint8(1 + i % 5);
        f.MitPauschale = -1;
        f.Teilpauschale2 = 6;
        f.PauschaleGesamt = qint16(i);
        f.Fahrtkosten = 15.0;
        f.Eintragsstatus = quint8(i % 50 == 7 ? 1 : i % 50 == 8 ? 2 : 0);
        f.Eintragungsdatum = f.DatumAb;
        f.Kraftstoffmenge = i % 10 == 0 ? 45.5 : 0;
        f.BetragKraftstoff = vb::Currency::fromDouble(i % 10 == 0 ? 80.0 : 0.0);
        datei.write(f.zuBytes());
    }
    datei.close();

    Tabellenkontext k;
    k.jahr = "2016";
    k.fahrtdateiPfad = datei.fileName();
    k.fahrtdateiVorhanden = k.fahrzeugBelegt = true;
    k.pufferindex = 3;
    k.satznummer = 5000;
    k.bereich = {erster, erster + 365};
    k.filter.label49 = AlleDatensaetze;
    k.vor.MitVerpflegungspauschale = -1;
    k.vor.Journalfunktion = -1;
    k.vor.Zeitspalten = -1;
    k.vor.MitZeiten = -1;

    sheet::Steuerelement f1;
    const struct {
        const char* name;
        std::function<void()> bau;
    } tabellen[] = {
        {"KFZTabelle (logbook, 17 columns)", [&] { KFZTabelle(f1, k); }},
        {"KFZTabelle3 (private car)", [&] { KFZTabelle3(f1, k, f1.blatt()); }},
        {"KfzTabelle4 (full table)", [&] { KfzTabelle4(f1, k); }},
        {"KfzTabelle2 (compact)", [&] { KfzTabelle2(f1, k); }},
        {"BetriebskostenTabelle", [&] { BetriebskostenTabelle(f1, k, "Liter"); }},
    };
    for (const auto& t : tabellen)
        std::printf("%-36s %8.1f ms\n", t.name, besteZeit(t.bau) * 1000.0);

    KfzTabelle4(f1, k);
    std::printf("full table: %d rows, %d cells\n", int(f1.blatt().letzteZeile()), int(f1.blatt().zellenAnzahl()));
    size_t seiten = 0;
    std::printf("%-36s %8.1f ms\n", "paginate full table",
                besteZeit([&] { seiten = sheet::paginiere(f1.blatt()).seiten.size(); }) * 1000.0);
    std::printf("full table pages: %zu\n", seiten);
    const QString pfad = dir.filePath("voll.xlsx");
    std::printf("%-36s %8.1f ms\n", "save full table as workbook",
                besteZeit([&] { sheet::schreibeArbeitsmappe(f1.blatt(), pfad); }) * 1000.0);
    return 0;
}
