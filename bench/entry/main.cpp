// Times the entry page's record procedures on a trip file of 32,767 trips
// (offscreen): showing a record, moving one forward, appending a new trip
// and a journal correction in the middle of the file. A full file takes
// no more trips, so the two writes start from 32,766 and end at 32,767.
// Plain timer; prints the median and the slowest of each, in milliseconds.
#include "app/entry/eintragsseite.h"
#include "app/entry/laden.h"
#include "app/entry/navigation.h"
#include "app/entry/neueintrag.h"
#include "app/entry/speichern.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/records/jahr.h"
#include "platform/forms/fakes.h"
#include "platform/io/atomic.h"
#include "platform/vb/date.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

QByteArray fahrten(int anzahl)
{
    QByteArray alles;
    alles.reserve(qint64(anzahl) * kmk::FahrtDatensatz::Laenge);
    for (int i = 1; i <= anzahl; ++i) {
        kmk::FahrtDatensatz f;
        f.FahrtNummer = qint16(i);
        f.DatumAb = f.DatumAn = vb::DateSerial(2016, 1, 1) + i / 100;
        f.ZeitAb = 480;
        f.ZeitAn = 540;
        f.KmAb = 1000 + 10 * i;
        f.KmAn = f.KmAb + 10;
        f.GefahreneKm = 10;
        f.Von = QStringLiteral("Köln");
        f.Nach = QStringLiteral("Düsseldorf");
        f.Grund = QStringLiteral("Kunde");
        f.Fahrtart = 3;
        alles.append(f.zuBytes());
    }
    return alles;
}

void messe(const char* was, int runden, const std::function<void()>& vorher, const std::function<void()>& tun)
{
    std::vector<double> ms;
    for (int i = 0; i < runden; ++i) {
        if (vorher)
            vorher();
        QElapsedTimer t;
        t.start();
        tun();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-40s median %8.3f ms   max %8.3f ms   (%d runs)\n", was, ms[ms.size() / 2], ms.back(), runden);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    forms::ScopedFakes fakes;
    QTemporaryDir dir;
    kmk::Fahrten1 st;
    st.setzeProgrammpfad(dir.path());
    st.Jahr = "2016";
    kmk::Jahr_ini(st);
    st.AktuellesFahrzeug = 1;
    st.Fahrtdatei = st.fahrtdateiName(1);
    st.Kfz.Firmenfahrzeug = kmk::WAHR;
    st.Voreinstellung.WenigAbfragen = kmk::WAHR;
    kmk::pages::setHostedControlFactory({});
    QWidget fenster;
    kmk::buildEintragungenPage(&fenster);
    kmk::Eintragsseite s{st, &fenster, {}};
    s.dienste.MeldungAnzeigen = [](int) { return true; };

    const QString pfad = st.pfad(st.fahrtdateiName(1));
    const QByteArray voll = fahrten(kmk::MaxFahrten);
    const QByteArray fastVoll = voll.left(qint64(kmk::MaxFahrten - 1) * kmk::FahrtDatensatz::Laenge);
    io::writeFileAtomic(pfad, voll);

    messe("ErsteLaden (last trip shown)", 50, {}, [&] { kmk::ErsteLaden(s); });
    int n = 1;
    messe("FLaden: show trip k", 200, [&] { st.Satznummer = (n += 163) % kmk::MaxFahrten + 1; st.Pufferindex = 3; },
          [&] { kmk::FLaden(s); });
    messe("Datensatzvor (F6)", 200, [&] { st.Satznummer = (n += 97) % (kmk::MaxFahrten - 1) + 1; },
          [&] { kmk::Datensatzvor(s); });
    messe("Datensatzzurueck (F5)", 200, [&] { st.Satznummer = (n += 97) % (kmk::MaxFahrten - 1) + 2; },
          [&] { kmk::Datensatzzurueck(s); });
    messe("NeuEintrag (F9)", 50, [&] { st.Satzanzahl = kmk::MaxFahrten; }, [&] { kmk::NeuEintrag(s); });

    auto neueFahrt = [&] {
        io::writeFileAtomic(pfad, fastVoll);
        st.Satzanzahl = kmk::MaxFahrten - 1;
        kmk::NeuEintrag(s);
        st.Satzpuffer[0].Grund = QStringLiteral("Neu");
    };
    messe("ASpeichern: append the 32,767th trip", 20, neueFahrt, [&] { kmk::ASpeichern(s); });
    if (QFile(pfad).size() != voll.size())
        std::printf("  append did not write!\n");

    auto korrektur = [&] {
        io::writeFileAtomic(pfad, fastVoll);
        st.Satznummer = kmk::MaxFahrten / 2;
        st.Pufferindex = 3;
        kmk::FLaden(s);
        st.Satzpuffer[0].Grund = QStringLiteral("Korrigiert");
    };
    messe("ASpeichern: journal correction (rewrite)", 20, korrektur, [&] { kmk::ASpeichern(s); });
    if (QFile(pfad).size() != voll.size())
        std::printf("  correction did not write!\n");
    return 0;
}
