#pragma once
// A fresh program folder with "DTSD.kxt", every dialog and the clock faked,
// and the catalogue messages recorded by number.

#include "app/mainwindow/form1.h"
#include "app/mainwindow/hilfe.h"
#include "app/mainwindow/meldungen.h"
#include "app/mainwindow/mw_glue.h"
#include "app/mainwindow/startup.h"
#include "app/records/dateien.h"
#include "app/records/fahrten1.h"
#include "app/records/jahr.h"
#include "app/records/jahrgangsdaten.h"
#include "platform/forms/fakes.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

#include <gtest/gtest.h>

namespace kmktest {

// Registers the control libraries once into a registry file of the test run.
inline void registriereSteuerelemente()
{
    static bool fertig = false;
    if (fertig)
        return;
    fertig = true;
    static QTemporaryDir reg;
    qputenv("KILOMETRIKA_REGISTRY", QFile::encodeName(reg.path() + "/registry.ini"));
    const QString bin = qEnvironmentVariable("KMK_BIN_DIR");
    for (const char* name : {"libQKCAL32.so", "libQKSPIN32.so"}) {
        QLibrary lib(bin + "/" + name);
        if (!lib.load())
            continue;   // not built: the pages put placeholders in
        using Reg = long (*)();
        if (auto f = reinterpret_cast<Reg>(lib.resolve("DllRegisterServer")))
            f();
    }
}

inline bool schreibeDtsd(const QString& ordner, const QString& jahr, const QString& marke)
{
    const QString tool = qEnvironmentVariable("KMK_BIN_DIR") + "/dtsd-schreiben";
    if (QFile::exists(tool)) {
        QProcess p;
        p.start(tool, {ordner, jahr, marke, "14", "28"});
        if (p.waitForFinished(10000) && p.exitCode() == 0)
            return true;
    }
    kmk::Jahrgangsdaten klar;
    klar.Jahr = jahr;
    klar.Markenkennung = marke;
    klar.PauschaleTeiltag = "14";
    klar.PauschaleVolltag = "28";
    return kmk::JahrgangDatSchreiben(kmk::ordnerMitTrenner(ordner), klar);
}

struct Umgebung {
    QTemporaryDir dir;
    forms::ScopedFakes fakes;
    kmk::FakeMeldungsdialog dialog;
    kmk::ScopedMeldungsdialog dialogInUse{&dialog};
    QList<int> meldungen;
    int aktualisiert = 0;
    std::unique_ptr<kmk::Form1> form;

    explicit Umgebung(const QString& jahr = "2016", const QString& marke = "Kxt",
                      QDate heute = QDate(2016, 6, 15), bool mitDtsd = true)
    {
        registriereSteuerelemente();
        kmk::fahrten1() = kmk::Fahrten1{};
        kmk::hilfstexte().leeren();
        kmk::setProgrammPfadVorgabe(dir.path());
        fakes.clock.day = heute;
        kmk::mw::meldungsanzeige() = [this](int n) {
            meldungen << n;
            return kmk::MeldungAnzeigen(n);
        };
        if (mitDtsd)
            schreibeDtsd(dir.path(), jahr, marke);
    }
    ~Umgebung()
    {
        form.reset();
        kmk::mw::meldungsanzeige() = {};
        kmk::setProgrammPfadVorgabe(QString());
    }

    QString pfad(const QString& name) const { return dir.path() + "/" + name; }
    QByteArray lies(const QString& name) const
    {
        QFile f(pfad(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A file of the program folder with these bytes.
    bool schreibe(const QString& name, const QByteArray& bytes) const
    {
        QFile f(pfad(name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    // "Hilfs.txt" with the lines "Hilfe 1" .. "Hilfe <n>".
    bool schreibeHilfstexte(int n = 102) const
    {
        QFile hilfe(pfad("Hilfs.txt"));
        if (!hilfe.open(QIODevice::WriteOnly))
            return false;
        for (int k = 1; k <= n; ++k)
            hilfe.write(QByteArray("Hilfe ") + QByteArray::number(k) + "\r\n");
        return true;
    }
    QStringList dateien() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }
    QStringList klartexte() const
    {
        QStringList t;
        for (const auto& s : fakes.dialogs.shown)
            t << s.prompt;
        return t;
    }

    // Vehicles 1 and 2 as company cars of 2016; vehicle k has k + mehr trips.
    void zweiFirmenwagen(int mehr)
    {
        kmk::Fahrten1 st;
        st.setzeProgrammpfad(dir.path());
        st.Jahr = "2016";
        kmk::Jahr_ini(st);
        kmk::KfzDateiAnlegen(st);
        for (int k = 1; k <= 2; ++k) {
            ASSERT_TRUE(kmk::KfzLesen(st, k));
            st.Kfz.Kennzeichen = QString("K-AB %1").arg(k);
            st.Kfz.Firmenfahrzeug = -1;
            ASSERT_TRUE(kmk::KfzSchreiben(st, k).ok);
            QFile f(pfad(QString("Auto%1_16.dat").arg(k)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            for (int n = 0; n < k + mehr; ++n) {
                kmk::FahrtDatensatz d;
                d.Fahrtart = 3;
                d.GefahreneKm = 10 + n;
                f.write(d.zuBytes());
            }
        }
    }

    // A fresh main window as the splash would create it, then its start-up.
    bool starte()
    {
        form.reset();
        kmk::fahrten1() = kmk::Fahrten1{};
        form = std::make_unique<kmk::Form1>();
        form->services.aktualisieren = [this] {
            ++aktualisiert;
            return true;
        };
        return form->Form_Load();
    }
};

} // namespace kmktest
