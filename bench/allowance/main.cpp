// Times the year's recalculation over four company cars of 5,000 trips each
// (every record needs rewriting), and the allowance display of the entry
// page while the last trip of such a file is shown. Plain timer; prints
// milliseconds.
#include "app/allowance/aktualisieren.h"
#include "app/allowance/pauschalanzeige.h"
#include "app/allowance/pauschalregeln.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/records/dateien.h"
#include "app/records/jahr.h"
#include "platform/forms/fakes.h"
#include "platform/vb/date.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>

using namespace kmk;

namespace {

// Two or three trips a day, now and then over several days, booked with
// the old fixed amounts so that the recalculation changes every total.
std::vector<FahrtDatensatz> jahr(int anzahl)
{
    std::vector<FahrtDatensatz> s;
    qint32 tag = vb::DateSerial(2016, 1, 1);
    for (int i = 0; i < anzahl; ++i) {
        FahrtDatensatz f;
        f.Fahrtart = quint8(1 + i % 5);
        f.DatumAb = tag;
        const int tage = i % 17 == 0 ? 2 : 0;
        f.DatumAn = tag + tage;
        f.ZeitAb = qint16(420 + (i % 3) * 200);
        f.ZeitAn = qint16(tage ? 600 : f.ZeitAb + 180);
        f.Folgetage = qint16(tage);
        if (tage) {
            f.MinutenAbfahrtstag = qint16(1440 - f.ZeitAb);
            f.MinutenAnkunftstag = f.ZeitAn;
        }
        f.GefahreneKm = 40;
        f.Von = QStringLiteral("Köln");
        s.push_back(f);
        if (i % 3 == 2 || tage)
            tag = f.DatumAn + 1;
    }
    JahrNeuBerechnen(s, AlteSaetze);
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    forms::ScopedFakes fakes;
    QTemporaryDir dir;
    Fahrten1 st;
    st.setzeProgrammpfad(dir.path());
    st.Jahr = "2016";
    Jahr_ini(st);
    KfzDateiAnlegen(st);
    st.AktuellesFahrzeug = 1;
    st.Fahrtdatei = st.fahrtdateiName(1);
    st.Jahrgang.PauschaleTeiltag = "14";
    st.Jahrgang.PauschaleVolltag = "28";
    st.Voreinstellung.MitVerpflegungspauschale = WAHR;
    st.Kfz.Firmenfahrzeug = WAHR;

    constexpr int fahrten = 5000;
    QByteArray daten;
    for (const FahrtDatensatz& f : jahr(fahrten))
        daten.append(f.zuBytes());
    for (int k = 1; k <= 4; ++k) {
        QFile f(st.pfad(st.fahrtdateiName(k)));
        if (!f.open(QIODevice::WriteOnly) || f.write(daten) != daten.size())
            return 1;
    }

    QElapsedTimer t;
    t.start();
    const Neuberechnung n = aktualisieren(st);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    std::printf("recalculation, 4 x %d trips: %.1f ms (%d files rewritten)\n", fahrten, ms, n.geschrieben);

    QWidget page;
    buildEintragungenPage(&page);
    Pauschalanzeige a(st, &page);
    st.Satzanzahl = fahrten;
    st.Satznummer = fahrten;
    st.Pufferindex = 3;
    st.Satzpuffer[1] = FahrtLesen(st.fahrtdateiPfad(), fahrten);
    st.Satzpuffer[3] = FahrtLesen(st.fahrtdateiPfad(), fahrten - 1);
    st.Satzpuffer[0] = st.Satzpuffer[1];
    page.findChild<QRadioButton*>("OptGesch")->setChecked(true);
    page.findChild<QLineEdit*>("EinDatumAb")->setText(vb::DateText(st.Satzpuffer[1].DatumAb));
    page.findChild<QLineEdit*>("EinDatumAn")->setText(vb::DateText(st.Satzpuffer[1].DatumAn));
    page.findChild<QLineEdit*>("EinZeitAb")->setText("08:00");
    page.findChild<QLineEdit*>("EinZeitAn")->setText("16:30");
    constexpr int runden = 2000;
    t.restart();
    for (int i = 0; i < runden; ++i)
        a.PauschaleAnzeigen();
    std::printf("PauschaleAnzeigen on trip %d: %.3f ms per call\n", fahrten,
                double(t.nsecsElapsed()) / 1e6 / runden);
    return ms < 1000 ? 0 : 2;
}
