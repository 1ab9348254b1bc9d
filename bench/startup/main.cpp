// Times the start-up of the main window (offscreen) on a program folder with
// four vehicles of 5,000 trips each. Plain timer; prints milliseconds.
#include "app/mainwindow/form1.h"
#include "app/mainwindow/startup.h"
#include "app/records/fahrtdatensatz.h"
#include "app/records/fahrten1.h"
#include "app/records/jahrgangsdaten.h"
#include "app/records/kfzgrundeinstellung.h"
#include "app/records/voreinstellung.h"
#include "platform/vb/date.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

bool schreibe(const QString& pfad, const QByteArray& daten)
{
    QFile f(pfad);
    return f.open(QIODevice::WriteOnly) && f.write(daten) == daten.size();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int fahrten = 5000;
    QTemporaryDir dir;
    const QString pp = kmk::ordnerMitTrenner(dir.path());

    kmk::Jahrgangsdaten jg;
    jg.Jahr = "2016";
    jg.Markenkennung = "Kxt";
    jg.PauschaleTeiltag = "14";
    jg.PauschaleVolltag = "28";
    kmk::JahrgangDatSchreiben(pp, jg);

    kmk::VoreinstellungSatz v = kmk::VoreinstellungSatz::standard(pp + "Sicherheit/");
    v.LetztesFahrzeug = 1;
    v.PauschalenAktualisiert = -1;
    schreibe(pp + "Vor2016.dat", v.zuBytes());

    QByteArray kfz;
    for (int n = 1; n <= 4; ++n) {
        kmk::KfzGrundeinstellung k;
        k.Kennzeichen = QString("B-AB %1").arg(n);
        k.Anfangskm = 10000 * n;
        k.Halter = "Muster GmbH";
        k.Standort = "Berlin";
        k.Firmenfahrzeug = -1;
        kfz += k.zuBytes();

        QByteArray trips;
        trips.reserve(fahrten * kmk::FahrtDatensatz::Laenge);
        for (int i = 0; i < fahrten; ++i) {
            kmk::FahrtDatensatz t;
            t.FahrtNummer = qint16(i + 1);
            t.DatumAb = t.DatumAn = vb::DateSerial(2016, 1, 1) + i / 14;
            t.ZeitAb = 480;
            t.ZeitAn = 540;
            t.KmAb = 10000 * n + 20 * i;
            t.KmAn = t.KmAb + 20;
            t.GefahreneKm = 20;
            t.Von = "Berlin";
            t.Nach = "Potsdam";
            t.Grund = "Kundenbesuch";
            t.Fahrtart = 3;
            trips += t.zuBytes();
        }
        schreibe(pp + QString("Auto%1_16.dat").arg(n), trips);
    }
    schreibe(pp + "Auto2016.dat", kfz);

    kmk::setProgrammPfadVorgabe(pp);
    QElapsedTimer timer;
    timer.start();
    kmk::Form1 form;
    const bool ok = form.Form_Load();
    QApplication::processEvents();
    const qint64 ms = timer.elapsed();
    std::printf("start-up to a shown main window, 4 x %d trips: %lld ms (%s, shown %s)\n", fahrten,
                static_cast<long long>(ms), ok ? "ok" : "failed", form.isVisible() ? "yes" : "no");
    return ok ? 0 : 1;
}
