// Times the start-up of the main window (offscreen) on a program folder with
// four vehicles of 5,000 trips each, then on the same folder with a damaged
// trip file and a damaged trip memory of 2 GB each (sparse, made here and
// removed afterwards). Plain timer; prints milliseconds.
#include "app/mainwindow/form1.h"
#include "app/mainwindow/hilfe.h"
#include "app/mainwindow/meldungen.h"
#include "app/mainwindow/startup.h"
#include "app/records/fahrtdatensatz.h"
#include "app/records/fahrten1.h"
#include "app/records/jahrgangsdaten.h"
#include "app/records/kfzgrundeinstellung.h"
#include "app/records/voreinstellung.h"
#include "platform/forms/fakes.h"
#include "platform/vb/date.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kFahrten = 5000;
constexpr qint64 kZweiGigabyte = 2LL * 1024 * 1024 * 1024;

bool schreibe(const QString& pfad, const QByteArray& daten)
{
    QFile f(pfad);
    return f.open(QIODevice::WriteOnly) && f.write(daten) == daten.size();
}

// Four company cars of kFahrten trips each in the program folder pp.
void ordnerAnlegen(const QString& pp)
{
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
        trips.reserve(kFahrten * kmk::FahrtDatensatz::Laenge);
        for (int i = 0; i < kFahrten; ++i) {
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
}

// A file of the folder grown to 2 GB; the part beyond its data takes no room.
bool aufZweiGigabyte(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadWrite) && f.resize(kZweiGigabyte);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A damaged file is reported at start; the reports are counted, not shown.
    forms::FakeDialogs dialoge;
    forms::Services dienste = forms::services();
    dienste.dialogs = &dialoge;
    forms::ScopedServices nurDialoge(dienste);
    kmk::FakeMeldungsdialog katalog;
    kmk::ScopedMeldungsdialog katalogInUse(&katalog);

    struct Fall { const char* name; const char* datei; };
    const Fall faelle[] = {
        {"4 x 5000 trips", nullptr},
        {"4 x 5000 trips, a 2 GB trip file", "Auto1_16.dat"},
        {"4 x 5000 trips, a 2 GB trip memory", "Kund2016.dat"},
    };
    bool alleOk = true;
    for (const Fall& fall : faelle) {
        QTemporaryDir dir;
        const QString pp = kmk::ordnerMitTrenner(dir.path());
        ordnerAnlegen(pp);
        if (fall.datei && !aufZweiGigabyte(pp + fall.datei)) {
            std::printf("start-up, %s: the file could not be made\n", fall.name);
            alleOk = false;
            continue;
        }
        kmk::fahrten1() = kmk::Fahrten1{};
        kmk::hilfstexte().leeren();
        kmk::setProgrammPfadVorgabe(pp);
        dialoge.shown.clear();
        katalog.gezeigt.clear();

        QElapsedTimer timer;
        timer.start();
        bool ok = false, gezeigt = false;
        {
            kmk::Form1 form;
            ok = form.Form_Load();
            QApplication::processEvents();
            const qint64 ms = timer.elapsed();
            gezeigt = form.isVisible();
            std::printf("start-up to a shown main window, %s: %lld ms (%s, shown %s, %lld messages)\n", fall.name,
                        static_cast<long long>(ms), ok ? "ok" : "failed", gezeigt ? "yes" : "no",
                        static_cast<long long>(dialoge.shown.size() + katalog.gezeigt.size()));
        }
        kmk::setProgrammPfadVorgabe(QString());
        if (fall.datei)
            QFile::remove(pp + fall.datei);
        alleOk = alleOk && ok;
    }
    return alleOk ? 0 : 1;
}
