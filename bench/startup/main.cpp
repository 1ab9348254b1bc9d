// Times the start-up of the main window (offscreen), with the calendars and
// spin buttons made through the registry: on a program folder with four
// vehicles of 5,000 trips each; on the same folder with a damaged trip file
// and a damaged trip memory of 2 GB each (sparse, made here and removed
// afterwards); and on a folder of one vehicle without trips, without the
// controls' settings file "RU4DUD.INI" and with 1 MB of comment lines before
// their sections (best of three starts each, the first reading the freshly
// written file). Plain timer; prints milliseconds.
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
#include <QLibrary>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kFahrten = 5000;
constexpr qint64 kZweiGigabyte = 2LL * 1024 * 1024 * 1024;

bool schreibe(const QString& pfad, const QByteArray& daten)
{
    QFile f(pfad);
    return f.open(QIODevice::WriteOnly) && f.write(daten) == daten.size();
}

// Four company cars of 'fahrten' trips each in the program folder pp.
void ordnerAnlegen(const QString& pp, int fahrten = kFahrten)
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
        if (fahrten > 0)
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

// About 1 MB of comment lines, then a section of each control library.
QByteArray grosseEinstellungsdatei()
{
    QByteArray d;
    const QByteArray zeile = "; " + QByteArray(60, 'x') + "\r\n";
    while (d.size() < 1024 * 1024)
        d += zeile;
    d += "[QKCalendar Settings]\r\nFontSize=8\r\n[QKSpin Settings]\r\nFontSize=8\r\n";
    return d;
}

// Milliseconds to a shown main window on the program folder pp; -1 when it
// did not show.
qint64 starten(const QString& pp)
{
    kmk::fahrten1() = kmk::Fahrten1{};
    kmk::hilfstexte().leeren();
    kmk::setProgrammPfadVorgabe(pp);
    QElapsedTimer timer;
    timer.start();
    qint64 ms = -1;
    {
        kmk::Form1 form;
        const bool ok = form.Form_Load();
        QApplication::processEvents();
        if (ok && form.isVisible())
            ms = timer.elapsed();
    }
    kmk::setProgrammPfadVorgabe(QString());
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir registrierung;
    qputenv("KILOMETRIKA_REGISTRY", QFile::encodeName(registrierung.path() + "/registry.ini"));
    QApplication app(argc, argv);
    for (const char* name : {"libQKCAL32.so", "libQKSPIN32.so"}) {
        QLibrary lib(QCoreApplication::applicationDirPath() + "/" + name);
        using Reg = long (*)();
        auto f = lib.load() ? reinterpret_cast<Reg>(lib.resolve("DllRegisterServer")) : nullptr;
        if (!f || f() != 0) {
            std::printf("%s could not be registered\n", name);
            return 1;
        }
    }
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

    const QString ini = registrierung.path() + "/RU4DUD.INI";
    for (const bool gross : {false, true, false}) {
        const char* name = gross ? "a 1 MB RU4DUD.INI" : "no RU4DUD.INI";
        QFile::remove(ini);
        if (gross && !schreibe(ini, grosseEinstellungsdatei())) {
            std::printf("start-up, %s: the file could not be made\n", name);
            return 1;
        }
        qint64 erstes = -1, bestes = -1;
        bool ok = true;
        for (int lauf = 0; lauf < 3; ++lauf) {
            QTemporaryDir dir;
            const QString pp = kmk::ordnerMitTrenner(dir.path());
            ordnerAnlegen(pp, 0);
            const qint64 ms = starten(pp);
            ok = ok && ms >= 0;
            bestes = bestes < 0 ? ms : std::min(bestes, ms);
            if (erstes < 0)
                erstes = ms;
        }
        std::printf("start-up to a shown main window, no trips, %s: first %lld ms, best of 3 %lld ms (%s)\n", name,
                    static_cast<long long>(erstes), static_cast<long long>(bestes), ok ? "ok" : "failed");
        alleOk = alleOk && ok;
    }
    return alleOk ? 0 : 1;
}
