#pragma once
// The shared state of the running program: one block that every handler
// reads and writes. No widgets here; the windows keep their own controls.
//
// Use fahrten1() for the program's single instance. Functions of this
// library take the block as a parameter so that tests can use their own.

#include <QString>
#include <array>

#include "app/records/fahrtdatensatz.h"
#include "app/records/jahrgangsdaten.h"
#include "app/records/kfzgrundeinstellung.h"
#include "app/records/voreinstellung.h"

namespace kmk {

// The names and day table of one logbook year, filled by Jahr_ini.
struct Jahresdateien {
    static constexpr int ErstesJahr = 2007;
    static constexpr int LetztesJahr = 2050;
    static constexpr int Jahre = LetztesJahr - ErstesJahr + 1;  // 44

    std::array<qint32, Jahre> Jahresanfang{};  // day number of 1 January, index = year - 2007
    std::array<qint32, Jahre> Jahresende{};    // day number of 31 December
    int Jahresindex = 0;
    int Vorjahr = 0;
    QString VorjahrText;        // " 2015"
    int Versionsnummer = 0;
    QString Hauptversion;       // " 21"
    QString Einstellungsdatei;  // "Vor2016.dat"
    QString Kfzdatei;           // "Auto2016.dat"
    std::array<QString, 5> Fahrtdateien;  // index 1..4: "Auto1_16.dat" ...

    qint32 anfang() const { return Jahresanfang[Jahresindex]; }
    qint32 ende() const { return Jahresende[Jahresindex]; }
};

// Temporary names of the original program, kept for files left behind.
inline const QString TemporaerJournal = QStringLiteral("FahrtX.dat");
inline const QString TemporaerKuerzen = QStringLiteral("Fahrt.dat");
inline const QString Sicherungsunterordner = QStringLiteral("Sicherheit/");

struct Fahrten1 {
    // Year and position in the current trip file.
    QString Jahr;                    // "2016"
    quint8 AktuellesFahrzeug = 0;    // 1..4, 0 none
    QString Fahrtdatei;              // "Auto1_16.dat"
    qint32 Satznummer = 0;
    qint32 Satzanzahl = 0;
    quint8 Pufferindex = 0;          // 1 first, 2 new entry, 3 stored record
    bool NeuerEintragOffen = false;
    bool Satzgesperrt = false;

    // Index 1..4; element 0 unused.
    std::array<bool, 5> KfzBelegt{};
    std::array<bool, 5> FahrtdateiVorhanden{};

    // Folders end with exactly one '/'.
    QString Programmpfad;
    QString Sicherungspfad;
    QString Kundendatei;             // "Kund2016.dat"

    Jahresdateien Dateien;

    VoreinstellungSatz Voreinstellung;
    Jahrgangsdaten Jahrgang;         // decoded
    KfzGrundeinstellung Kfz;         // the vehicle last read or written
    std::array<FahrtDatensatz, 12> Satzpuffer{};

    // Message exchange of the catalogue.
    QString Meldungstext;
    bool Frage = false;
    int Antwort = 0;

    // Working fields shared by several parts of the program.
    quint8 AktuelleFahrtart = 0;
    bool FolgepruefungAus = false;
    qint32 KmAbfahrt = 0;
    qint32 KmAnkunft = 0;
    qint32 KmGefahren = 0;
    qint32 EingabeKm = 0;
    bool Pauschalfahrt = false;
    bool NeuberechnungStart = false;
    QString Sicherungsname;
    int Markenvariante = 0;          // 1, 2 or 10
    int Druckskala = 0;
    int KmBetrieblich = 0;
    int KmPrivat = 0;
    double AnteilPrivat = 0.0;
    double AnteilBetrieblich = 0.0;
    double Fahrtkostensumme = 0.0;
    QString Pauschalregel;
    QString Kundenfilter;
    quint8 Fahrtartfilter = 0;
    std::array<qint32, 7> KmJeFahrtart{};       // index 1..6
    std::array<double, 6> ProzentJeFahrtart{};  // index 1..5

    // Absolute path of a file of the program folder.
    QString pfad(const QString& name) const;
    // Sets Programmpfad with exactly one trailing '/' (backslashes become '/').
    void setzeProgrammpfad(const QString& ordner);
    // Path of the current vehicle's trip file; empty without a vehicle.
    QString fahrtdateiPfad() const;
    // Name of the trip file of vehicle 1..4; empty otherwise.
    QString fahrtdateiName(int fahrzeug) const;
};

// The one block of the running program.
Fahrten1& fahrten1();

// Ensures exactly one trailing '/' and turns '\' into '/'.
QString ordnerMitTrenner(const QString& ordner);

} // namespace kmk
