// Times the save button on a new entry after 32,766 stored trips (the
// 32,767th, the largest a trip file holds), and one keystroke in a text
// field of the entry page followed by the allowance display. Offscreen,
// questions answered yes, plain timer; prints milliseconds.
#include "app/entry/eingabefelder.h"
#include "app/mainwindow/form1.h"
#include "app/mainwindow/meldungen.h"
#include "app/mainwindow/startup.h"
#include "app/records/fahrtdatensatz.h"
#include "app/records/fahrten1.h"
#include "app/records/jahrgangsdaten.h"
#include "app/records/kfzgrundeinstellung.h"
#include "app/records/voreinstellung.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "platform/forms/fakes.h"
#include "platform/vb/date.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool schreibe(const QString& pfad, const QByteArray& daten)
{
    QFile f(pfad);
    return f.open(QIODevice::WriteOnly) && f.write(daten) == daten.size();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    forms::ScopedFakes fakes;
    fakes.clock.day = QDate(2016, 12, 31);
    kmk::FakeMeldungsdialog dialog;
    kmk::ScopedMeldungsdialog dialogInUse(&dialog);

    constexpr int gespeichert = kmk::MaxFahrten - 1;
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
    kmk::KfzGrundeinstellung k;
    k.Kennzeichen = "B-AB 1";
    k.Anfangskm = 10000;
    k.Halter = "Muster GmbH";
    k.Standort = "Berlin";
    k.Firmenfahrzeug = -1;
    schreibe(pp + "Auto2016.dat", k.zuBytes());
    QByteArray trips;
    trips.reserve(qint64(gespeichert) * kmk::FahrtDatensatz::Laenge);
    for (int i = 0; i < gespeichert; ++i) {
        kmk::FahrtDatensatz t;
        t.FahrtNummer = qint16(i + 1);
        t.DatumAb = t.DatumAn = vb::DateSerial(2016, 1, 1) + i * 364 / gespeichert;
        t.ZeitAb = 480;
        t.ZeitAn = 540;
        t.KmAb = 10000 + 20 * i;
        t.KmAn = t.KmAb + 20;
        t.GefahreneKm = 20;
        t.Von = "Berlin";
        t.Nach = "Potsdam";
        t.Grund = "Kundenbesuch";
        t.Fahrtart = 3;
        trips += t.zuBytes();
    }
    const QString datei = pp + "Auto1_16.dat";
    schreibe(datei, trips);

    kmk::setProgrammPfadVorgabe(pp);
    kmk::Form1 form;
    if (!form.Form_Load())
        return 1;
    auto* felder = form.findChild<kmk::Eintragsfelder*>("kmkEintragsfelder");
    auto text = [&](const char* n, const QString& t) { felder->seite().setText(QString::fromLatin1(n), t); };

    std::vector<double> speichern;
    int ok = 0;
    for (int runde = 0; runde < 15; ++runde) {
        form.tasten.NeuEintrag();
        form.ctl<QRadioButton>("OptGesch")->click();
        text("EinDatumAb", "31.12.2016");
        text("EinDatumAn", "31.12.2016");
        text("EinGefKm", "25");
        text("EinUber", "A100");
        text("EinNach", "Potsdam");
        text("EinGrund", "Kundenbesuch");
        text("EinGesprach", "Meier");
        QElapsedTimer t;
        t.start();
        felder->EintragSpeichern_MouseUp(1);
        speichern.push_back(t.nsecsElapsed() / 1e6);
        QFile f(datei);
        if (f.size() == qint64(gespeichert + 1) * kmk::FahrtDatensatz::Laenge)
            ++ok;
        f.resize(qint64(gespeichert) * kmk::FahrtDatensatz::Laenge);
        form.services.ErsteLaden();
    }
    std::printf("save button, new entry as trip %d of a full file: median %.2f ms, max %.2f ms (%d of %zu saved)\n",
                gespeichert + 1, median(speichern), *std::max_element(speichern.begin(), speichern.end()), ok,
                speichern.size());

    // A keystroke, on the full file (about 90 trips a day) and on a year
    // of 5,000 trips (about 14 a day).
    auto tastenMessen = [&](const char* wo) {
        form.tasten.NeuEintrag();
        auto* nach = form.ctl<forms::ComboBox>("EinNach")->lineEdit();
        std::vector<double> ganz, taste, anzeige;
        for (int i = 0; i < 300; ++i) {
            if (i % 40 == 0)
                forms::setText(nach, QString());
            QElapsedTimer t;
            t.start();
            QTest::keyClick(nach, char('a' + i % 26));
            taste.push_back(t.nsecsElapsed() / 1e6);
            form.services.PauschaleAnzeigen();
            ganz.push_back(t.nsecsElapsed() / 1e6);
            anzeige.push_back(ganz.back() - taste.back());
        }
        std::printf("keystroke in a text field with the allowance display, %s: median %.3f ms, max %.3f ms "
                    "(key and Change %.3f ms, allowance display %.3f ms)\n",
                    wo, median(ganz), *std::max_element(ganz.begin(), ganz.end()), median(taste), median(anzeige));
    };
    tastenMessen("32,766 trips");
    {
        QByteArray jahr;
        for (int i = 0; i < 5000; ++i) {
            kmk::FahrtDatensatz t = kmk::FahrtDatensatz::ausBytes(trips.mid(qint64(i) * kmk::FahrtDatensatz::Laenge,
                                                                             kmk::FahrtDatensatz::Laenge));
            t.DatumAb = t.DatumAn = vb::DateSerial(2016, 1, 1) + i * 364 / 5000;
            jahr += t.zuBytes();
        }
        schreibe(datei, jahr);
        form.services.ErsteLaden();
    }
    tastenMessen("5,000 trips");
    return ok == int(speichern.size()) ? 0 : 1;
}
