// Load, navigate and append in a trip file of 32,767 records.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "app/records/dateien.h"
#include "app/records/jahr.h"
#include "platform/io/recordfile.h"

using namespace kmk;

namespace {

struct Umgebung {
    QTemporaryDir dir;
    Fahrten1 st;

    explicit Umgebung(qint32 anzahl)
    {
        st.setzeProgrammpfad(dir.path());
        st.Jahr = "2016";
        Jahr_ini(st);
        st.AktuellesFahrzeug = 1;
        st.Fahrtdatei = st.fahrtdateiName(1);
        QByteArray alles;
        alles.reserve(qint64(anzahl) * FahrtDatensatz::Laenge);
        for (qint32 i = 1; i <= anzahl; ++i) {
            FahrtDatensatz s;
            s.FahrtNummer = qint16(i);
            s.KmAb = i * 10;
            s.KmAn = i * 10 + 8;
            s.Von = QStringLiteral("Köln");
            s.Nach = QStringLiteral("Düsseldorf");
            alles.append(s.zuBytes());
        }
        QFile f(pfad());
        f.open(QIODevice::WriteOnly);
        f.write(alles);
    }
    QString pfad() const { return st.pfad(st.fahrtdateiName(1)); }
};

void BM_LadenLetzterSatz(benchmark::State& state)
{
    Umgebung u(MaxFahrten);
    for (auto _ : state) {
        ErsteLadenDatei(u.st);
        benchmark::DoNotOptimize(u.st.Satzpuffer[2].KmAn);
    }
}
BENCHMARK(BM_LadenLetzterSatz)->Unit(benchmark::kMillisecond);

void BM_NavigierenBeliebigerSatz(benchmark::State& state)
{
    Umgebung u(MaxFahrten);
    QRandomGenerator g(7);
    for (auto _ : state) {
        u.st.Satznummer = qint32(g.bounded(MaxFahrten)) + 1;
        FLadenDatei(u.st);
        benchmark::DoNotOptimize(u.st.Satzpuffer[1].KmAn);
    }
}
BENCHMARK(BM_NavigierenBeliebigerSatz)->Unit(benchmark::kMillisecond);

void BM_AlleSaetzeLesen(benchmark::State& state)
{
    Umgebung u(MaxFahrten);
    for (auto _ : state) {
        const QList<QByteArray> alle = io::RecordFile(u.pfad(), FahrtDatensatz::Laenge).readAll();
        qint64 summe = 0;
        for (const QByteArray& b : alle)
            summe += FahrtDatensatz::ausBytes(b).GefahreneKm;
        benchmark::DoNotOptimize(summe);
    }
}
BENCHMARK(BM_AlleSaetzeLesen)->Unit(benchmark::kMillisecond);

void BM_AnhaengenLetzterSatz(benchmark::State& state)
{
    Umgebung u(MaxFahrten - 1);
    const qint64 laenge = qint64(MaxFahrten - 1) * FahrtDatensatz::Laenge;
    for (auto _ : state) {
        u.st.Pufferindex = 2;
        u.st.NeuerEintragOffen = true;
        u.st.Satznummer = MaxFahrten;
        if (!DatensatzspeichernDatei(u.st).ok)
            state.SkipWithError("append refused");
        state.PauseTiming();
        QFile::resize(u.pfad(), laenge);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AnhaengenLetzterSatz)->Unit(benchmark::kMillisecond);

void BM_JournalEinfuegen(benchmark::State& state)
{
    Umgebung u(MaxFahrten - 1);
    const qint64 laenge = qint64(MaxFahrten - 1) * FahrtDatensatz::Laenge;
    for (auto _ : state) {
        u.st.Satznummer = 100;
        if (!UberschreibenDatei(u.st, 42500).ok)
            state.SkipWithError("rewrite failed");
        state.PauseTiming();
        QFile::resize(u.pfad(), laenge);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_JournalEinfuegen)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
