#pragma once
// A small worked logbook year for the table tests, written as literals:
// a trip file in a temporary program folder and the context a build reads.

#include "app/printout/tables/bausatz.h"
#include "platform/sheet/blatt.h"

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

inline constexpr qint32 T5 = 42374;  // 05.01.2016, first day of the range
inline constexpr qint32 T8 = 42377;  // 08.01.2016, last day

// The company car's week, in file order.
inline std::vector<FahrtDatensatz> firmenwoche()
{
    std::vector<FahrtDatensatz> f = {
        fahrt(T5 - 1, "Meier", 3, 9900, 100),    // before the range, still numbered
        fahrt(T5, "Meier", 3, 10000, 120),       // special trip, departure day
        fahrt(T5 + 1, "Schulz", 4, 10120, 30),   // without allowance
        fahrt(T5 + 1, "Meier", 0, 10150, 50),    // old record: a business trip
        fahrt(T5 + 2, "", 3, 10200, 40),         // unknown special-trip value
        fahrt(T8, "Meier", 2, 10240, 60),        // arrives after the range
        fahrt(T8 + 1, "Meier", 1, 10300, 20),    // after the range
        fahrt(T5 + 2, "Schulz", 5, 10320, 300),
    };
    f[1].Sonderfahrt = 1;
    f[2].MitPauschale = 0;
    f[2].Sonderfahrt = 1;
    f[4].Sonderfahrt = 7;
    f[5].DatumAn = T8 + 1;
    f[1].Teilpauschale2 = 12;
    f[1].PauschaleGesamt = 12;
    for (size_t i = 0; i < f.size(); ++i)
        f[i].Eintragungsdatum = f[i].DatumAb;
    return f;
}

struct Firmenjahr : Jahr {
    Firmenjahr()
    {
        k.bereich = {T5, T8};
        schreibe(firmenwoche());
    }
};

inline QString zt(const sheet::Blatt& b, int z, int s) { return b.anzeigetext(z, s); }

} // namespace testjahr
