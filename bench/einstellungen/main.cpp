// Times the start-up of the main window (offscreen) with the calendars and
// spin buttons made through the registry, once without the controls'
// settings file "RU4DUD.INI" and once with 1 MB of comment lines before
// their sections. Each case runs three times: the first start reads the
// freshly written file, the next ones show the rest of the start alone.
// Prints milliseconds.
#include "app/mainwindow/form1.h"
#include "app/mainwindow/hilfe.h"
#include "app/mainwindow/meldungen.h"
#include "app/mainwindow/startup.h"
#include "app/records/fahrten1.h"
#include "app/records/jahrgangsdaten.h"
#include "app/records/kfzgrundeinstellung.h"
#include "app/records/voreinstellung.h"
#include "platform/forms/fakes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

bool schreibe(const QString& pfad, const QByteArray& daten)
{
    QFile f(pfad);
    return f.open(QIODevice::WriteOnly) && f.write(daten) == daten.size();
}

// One company car without trips in the program folder pp.
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
        if (n == 1) {
            k.Kennzeichen = "B-AB 1";
            k.Anfangskm = 10000;
            k.Halter = "Muster GmbH";
            k.Standort = "Berlin";
        }
        k.Firmenfahrzeug = -1;
        kfz += k.zuBytes();
    }
    schreibe(pp + "Auto2016.dat", kfz);
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
    forms::FakeDialogs dialoge;
    forms::Services dienste = forms::services();
    dienste.dialogs = &dialoge;
    forms::ScopedServices nurDialoge(dienste);
    kmk::FakeMeldungsdialog katalog;
    kmk::ScopedMeldungsdialog katalogInUse(&katalog);

    const QString ini = registrierung.path() + "/RU4DUD.INI";
    struct Fall { const char* name; bool datei; };
    const Fall faelle[] = {{"no RU4DUD.INI", false}, {"a 1 MB RU4DUD.INI", true}, {"no RU4DUD.INI", false}};
    bool alleOk = true;
    for (const Fall& fall : faelle) {
        QFile::remove(ini);
        if (fall.datei && !schreibe(ini, grosseEinstellungsdatei())) {
            std::printf("start-up, %s: the file could not be made\n", fall.name);
            return 1;
        }
        qint64 bestes = -1, erstes = -1;
        bool ok = true;
        for (int lauf = 0; lauf < 3; ++lauf) {
            QTemporaryDir dir;
            const QString pp = kmk::ordnerMitTrenner(dir.path());
            ordnerAnlegen(pp);
            kmk::fahrten1() = kmk::Fahrten1{};
            kmk::hilfstexte().leeren();
            kmk::setProgrammPfadVorgabe(pp);
            QElapsedTimer timer;
            timer.start();
            {
                kmk::Form1 form;
                ok = form.Form_Load() && ok;
                QApplication::processEvents();
                const qint64 ms = timer.elapsed();
                ok = form.isVisible() && ok;
                bestes = bestes < 0 ? ms : std::min(bestes, ms);
                if (erstes < 0)
                    erstes = ms;
            }
            kmk::setProgrammPfadVorgabe(QString());
        }
        std::printf("start-up to a shown main window, %s: first %lld ms, best of 3 %lld ms (%s)\n", fall.name,
                    static_cast<long long>(erstes), static_cast<long long>(bestes), ok ? "ok" : "failed");
        alleOk = alleOk && ok;
    }
    return alleOk ? 0 : 1;
}
