#pragma once
// One trip of a vehicle's trip file, 671 bytes on disk. Every byte of the
// record belongs to a field, so decoding and encoding an unchanged record
// gives back the same bytes.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include "platform/vb/number.h"

namespace kmk {

// 16-bit Boolean of the records: True is -1, any non-zero reads as True.
constexpr qint16 WAHR = -1;
constexpr qint16 FALSCH = 0;
inline qint16 flagVon(bool b) { return b ? WAHR : FALSCH; }

// Largest number of trips a trip file can hold: the trip number is stored
// in 16 bits.
constexpr qint32 MaxFahrten = 32767;

struct FahrtDatensatz {
    static constexpr int Laenge = 671;

    // Texts hold the stored characters, blank padding included; encoding
    // cuts and pads them to their width.
    static constexpr int BreiteVon = 50;
    static constexpr int BreiteUeber = 255;
    static constexpr int BreiteNach = 50;
    static constexpr int BreiteGrund = 50;
    static constexpr int BreiteGespraechspartner = 50;
    static constexpr int BreiteKraftstoffart = 10;
    static constexpr int BreiteWartungstext = 50;
    static constexpr int BreiteFahrer = 50;

    qint16 VorherigeAnzahl = 0;      // 0
    qint16 FahrtNummer = 0;          // 2
    qint16 Folgetage = 0;            // 4
    qint16 ZeitAb = 0;               // 6
    qint32 DatumAb = 0;              // 8
    qint32 KmAb = 0;                 // 12
    qint16 ZeitAn = 0;               // 16
    qint32 DatumAn = 0;              // 18
    qint32 KmAn = 0;                 // 22
    qint32 GefahreneKm = 0;          // 26
    qint16 AbwesenheitFahrt = 0;     // 30
    QString Von;                     // 32, 50
    QString Ueber;                   // 82, 255
    QString Nach;                    // 337, 50
    QString Grund;                   // 387, 50
    qint16 MinutenAbfahrtstag = 0;   // 437
    qint16 MinutenAnkunftstag = 0;   // 439
    QString Gespraechspartner;       // 441, 50
    qint16 Teilpauschale1 = 0;       // 491
    qint16 Teilpauschale2 = 0;       // 493
    qint16 PauschaleGesamt = 0;      // 495
    qint16 PauschaleVolleTage = 0;   // 497
    quint8 Fahrtart = 0;             // 499
    qint16 Reserve500 = 0;           // 500
    qint16 Reserve502 = 0;           // 502
    qint16 Reserve504 = 0;           // 504
    qint16 AbwesenheitGesamt = 0;    // 506
    qint16 AbwesenheitTag = 0;       // 508
    qint16 FahrtDesTages = 0;        // 510
    qint16 Reserve512 = 0;           // 512
    quint8 Vergleichsindex = 0;      // 514
    quint8 Sonderfahrt = 0;          // 515
    qint16 MitPauschale = 0;         // 516, flag
    double Fahrtkosten = 0.0;        // 518
    qint16 Mitfahrer = 0;            // 526
    quint8 Eintragsstatus = 0;       // 528: 0 normal, 1 cancelled, 2 changed
    qint32 Statusdatum = 0;          // 529
    double Kraftstoffmenge = 0.0;    // 533
    vb::Currency BetragKraftstoff;   // 541
    vb::Currency BetragWartung;      // 549
    QString Kraftstoffart;           // 557, 10
    QString Wartungstext;            // 567, 50
    qint32 Eintragungsdatum = 0;     // 617
    QString Fahrer;                  // 621, 50

    // A shorter input is read as if padded with zero bytes; extra bytes
    // are ignored.
    static FahrtDatensatz ausBytes(const QByteArray& bytes);
    QByteArray zuBytes() const;

    // Numbers 0 and texts blank, as a freshly cleared record.
    void leeren();
    // A cancelled or changed trip: the page shows its status box, and no
    // entry date beside it.
    bool storniertOderGeaendert() const { return Eintragsstatus == 1 || Eintragsstatus == 2; }

    bool operator==(const FahrtDatensatz& o) const { return zuBytes() == o.zuBytes(); }
    bool operator!=(const FahrtDatensatz& o) const { return !(*this == o); }
};

// The text a private trip recorded with date and km only holds in its six
// texts. It names no place, purpose or driver: nothing of a trip of another
// type, nor the trip memory, takes it over.
inline const QString Privatplatzhaltertext = QStringLiteral("Privat");
// 'text' of a trip of that type is the placeholder (blanks aside).
bool IstPrivatplatzhalter(quint8 fahrtart, const QString& text);

// Byte offsets of the fields, for readers that work on raw records.
namespace FahrtOffset {
constexpr int VorherigeAnzahl = 0, FahrtNummer = 2, Folgetage = 4, ZeitAb = 6, DatumAb = 8,
              KmAb = 12, ZeitAn = 16, DatumAn = 18, KmAn = 22, GefahreneKm = 26,
              AbwesenheitFahrt = 30, Von = 32, Ueber = 82, Nach = 337, Grund = 387,
              MinutenAbfahrtstag = 437, MinutenAnkunftstag = 439, Gespraechspartner = 441,
              Teilpauschale1 = 491, Teilpauschale2 = 493, PauschaleGesamt = 495,
              PauschaleVolleTage = 497, Fahrtart = 499, Reserve500 = 500, Reserve502 = 502,
              Reserve504 = 504, AbwesenheitGesamt = 506, AbwesenheitTag = 508,
              FahrtDesTages = 510, Reserve512 = 512, Vergleichsindex = 514, Sonderfahrt = 515,
              MitPauschale = 516, Fahrtkosten = 518, Mitfahrer = 526, Eintragsstatus = 528,
              Statusdatum = 529, Kraftstoffmenge = 533, BetragKraftstoff = 541,
              BetragWartung = 549, Kraftstoffart = 557, Wartungstext = 567,
              Eintragungsdatum = 617, Fahrer = 621, Ende = 671;
}
static_assert(FahrtOffset::Ende == FahrtDatensatz::Laenge);
static_assert(FahrtOffset::Fahrer + FahrtDatensatz::BreiteFahrer == FahrtDatensatz::Laenge);

} // namespace kmk
