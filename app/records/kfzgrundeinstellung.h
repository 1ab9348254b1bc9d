#pragma once
// Master record of one vehicle (record n of "Auto<year>.dat" for vehicle n),
// 109 bytes, with the vehicle's own copy of the option flags.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace kmk {

struct KfzGrundeinstellung {
    static constexpr int Laenge = 109;
    static constexpr int BreiteKennzeichen = 15;
    static constexpr int BreiteHalter = 30;
    static constexpr int BreiteStandort = 30;

    QString Kennzeichen;                  // 0, text 15
    qint32 Anfangskm = 0;                 // 15
    QString Halter;                       // 19, text 30
    QString Standort;                     // 49, text 30
    qint16 Firmenfahrzeug = 0;            // 79, flag
    qint16 Privatfahrzeug = 0;            // 81, flag
    // Copies of the settings flags of the same names.
    qint16 Warnhinweise = 0;              // 83
    qint16 Warnhinweise2 = 0;             // 85
    qint16 ErweiterterAusdruck = 0;       // 87
    qint16 MitZeiten = 0;                 // 89
    qint16 Reserve91 = 0;                 // 91
    qint16 Sprachausgabe = 0;             // 93
    qint16 ZeitenVorgeben = 0;            // 95
    qint16 OhneZeiten = 0;                // 97
    qint16 PrivatNurKm = 0;               // 99
    qint16 KalenderHeute = 0;             // 101
    qint16 WenigAbfragen = 0;             // 103
    qint16 MitVerpflegungspauschale = 0;  // 105
    qint16 Journalfunktion = 0;           // 107

    static KfzGrundeinstellung ausBytes(const QByteArray& bytes);
    QByteArray zuBytes() const;

    // The settings page cannot show this record as it is, so writing back
    // what it shows loses stored bytes: a NUL inside a text, a reading
    // longer than the field's nine characters, a flag other than 0 and -1.
    bool unzeigbar() const;
};

namespace KfzOffset {
constexpr int Kennzeichen = 0, Anfangskm = 15, Halter = 19, Standort = 49, Firmenfahrzeug = 79,
              Privatfahrzeug = 81, Warnhinweise = 83, Warnhinweise2 = 85,
              ErweiterterAusdruck = 87, MitZeiten = 89, Reserve91 = 91, Sprachausgabe = 93,
              ZeitenVorgeben = 95, OhneZeiten = 97, PrivatNurKm = 99, KalenderHeute = 101,
              WenigAbfragen = 103, MitVerpflegungspauschale = 105, Journalfunktion = 107,
              Ende = 109;
}
static_assert(KfzOffset::Ende == KfzGrundeinstellung::Laenge);
static_assert(KfzOffset::Standort + KfzGrundeinstellung::BreiteStandort == KfzOffset::Firmenfahrzeug);

} // namespace kmk
