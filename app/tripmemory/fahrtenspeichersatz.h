#pragma once
// One reusable trip of the trip memory "Kund<Jahr>.dat", 460 bytes on disk.
// Every byte belongs to a field (the kilometres follow the type byte without
// alignment), so an unchanged record writes back byte-identical.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace kmk {

// The pick list numbers its entries with three digits and takes a number
// beyond this as entry 1: no trip memory holds more.
constexpr qint32 MaxFahrtenspeichersaetze = 800;
// The lists count their entries in 16-bit numbers: no list shows more.
constexpr qint32 MaxGelisteteSaetze = 32767;

struct Fahrtenspeichersatz {
    static constexpr int Laenge = 460;

    static constexpr int BreiteVon = 50;
    static constexpr int BreiteUeber = 255;
    static constexpr int BreiteNach = 50;
    static constexpr int BreiteGrund = 50;
    static constexpr int BreiteGespraechspartner = 50;

    // Texts hold the stored characters, blank padding included; encoding
    // cuts and pads them to their width.
    quint8 Fahrtart = 0;          // 0: 1..5
    qint32 GefahreneKm = 0;       // 1
    QString Von;                  // 5, 50
    QString Ueber;                // 55, 255
    QString Nach;                 // 310, 50
    QString Grund;                // 360, 50
    QString Gespraechspartner;    // 410, 50

    // A shorter input reads as if padded with zero bytes.
    static Fahrtenspeichersatz ausBytes(const QByteArray& bytes);
    QByteArray zuBytes() const;
};

namespace SpeicherOffset {
constexpr int Fahrtart = 0, GefahreneKm = 1, Von = 5, Ueber = 55, Nach = 310, Grund = 360,
              Gespraechspartner = 410, Ende = 460;
}
static_assert(SpeicherOffset::Ende == Fahrtenspeichersatz::Laenge);
static_assert(SpeicherOffset::Gespraechspartner + Fahrtenspeichersatz::BreiteGespraechspartner
              == Fahrtenspeichersatz::Laenge);
static_assert(SpeicherOffset::Ueber + Fahrtenspeichersatz::BreiteUeber == SpeicherOffset::Nach);

} // namespace kmk
