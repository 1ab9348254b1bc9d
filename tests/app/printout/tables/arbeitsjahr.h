#pragma once
// A small worked logbook year for the table tests, written as literals:
// a trip file in a temporary program folder and the context a build reads.

#include "app/printout/tables/bausatz.h"

#include <QFile>
#include <QTemporaryDir>
#include <initializer_list>

namespace testjahr {

using kmk::FahrtDatensatz;

constexpr qint32 J4 = 42373;  // 04.01.2016

inline FahrtDatensatz fahrt(qint32 tag, const QString& kontakt, quint8 art, qint32 kmAb, qint32 km)
{
    FahrtDatensatz f;
    f.DatumAb = tag;
    f.DatumAn = tag;
    f.ZeitAb = 8 * 60;
    f.ZeitAn = 17 * 60 + 30;
    f.AbwesenheitFahrt = 9 * 60 + 30;
    f.KmAb = kmAb;
    f.GefahreneKm = km;
    f.KmAn = kmAb + km;
    f.Von = QStringLiteral("Münster").leftJustified(50);
    f.Ueber = QStringLiteral("A1").leftJustified(255);
    f.Nach = QStringLiteral("Köln").leftJustified(50);
    f.Grund = QStringLiteral("Kundenbesuch").leftJustified(50);
    f.Gespraechspartner = kontakt.leftJustified(50);
    f.Fahrer = QStringLiteral("Anna").leftJustified(50);
    f.Fahrtart = art;
    f.MitPauschale = -1;
    return f;
}

struct Jahr {
    QTemporaryDir dir;
    kmk::tabellen::Tabellenkontext k;

    Jahr()
    {
        k.jahr = QStringLiteral("2016");
        k.fahrtdateiPfad = dir.filePath(QStringLiteral("Auto1_16.dat"));
        k.fahrtdateiVorhanden = true;
        k.fahrzeugBelegt = true;
        k.pufferindex = 3;
        k.satznummer = 1;
        k.bereich = {J4, J4 + 4};
        k.filter.label49 = QStringLiteral(" Alle Datensätze anzeigen");
        k.filter.kundenfilter = QString(50, QLatin1Char(' '));
        k.kfz.Kennzeichen = QStringLiteral("MS-K 123");
        k.kfz.Halter = QStringLiteral("Kilometrika GmbH");
        k.kfz.Anfangskm = 10000;
        k.vor.MitVerpflegungspauschale = -1;
    }
    void schreibe(const std::vector<FahrtDatensatz>& fahrten)
    {
        QFile f(k.fahrtdateiPfad);
        if (!f.open(QIODevice::WriteOnly))
            return;
        for (const FahrtDatensatz& s : fahrten)
            f.write(s.zuBytes());
    }
};

} // namespace testjahr
