// The pick lists (KListe) and the filter rows with the drop-downs (AListe)
// over a trip memory of 800 records.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>

#include "app/tripmemory/fahrtenspeicher.h"
#include "platform/forms/combobox.h"

using namespace kmk;

namespace {

struct Umgebung {
    QTemporaryDir dir;
    Fahrten1 st;
    QWidget fenster;
    Fahrtenspeicher fs{&fenster, st};

    Umgebung()
    {
        st.setzeProgrammpfad(dir.path());
        st.Kundendatei = "Kund2016.dat";
        for (const char* n : {"EinVon", "EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer"})
            (new forms::ComboBox(&fenster, true))->setObjectName(n);
        for (const char* n : {"List1", "List8", "List2"})
            (new QListWidget(&fenster))->setObjectName(n);
        (new QLabel(&fenster))->setObjectName("Label56");
        QFile f(st.pfad(st.Kundendatei));
        f.open(QIODevice::WriteOnly);
        for (int i = 1; i <= 800; ++i) {
            Fahrtenspeichersatz s;
            s.Fahrtart = quint8(1 + i % 5);
            s.GefahreneKm = i;
            s.Von = QStringLiteral("Köln %1").arg(i % 37);
            s.Ueber = QStringLiteral("A%1 über Düsseldorf").arg(i % 61);
            s.Nach = QStringLiteral("München %1").arg(i);
            s.Grund = QStringLiteral("Kundenbesuch %1").arg(i % 13);
            s.Gespraechspartner = QStringLiteral("Bauamt %1").arg(i % 97);
            f.write(s.zuBytes());
        }
    }
};

void BM_KListe(benchmark::State& state)
{
    Umgebung u;
    for (auto _ : state)
        u.fs.KListe();
}
BENCHMARK(BM_KListe)->Unit(benchmark::kMillisecond);

void BM_AListe(benchmark::State& state)
{
    Umgebung u;
    for (auto _ : state)
        u.fs.AListe();
}
BENCHMARK(BM_AListe)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
