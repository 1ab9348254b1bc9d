#pragma once
// The settings record of one logbook year (record 1 of "Vor<year>.dat"),
// 329 bytes. Unused areas are kept as read.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace kmk {

struct VoreinstellungSatz {
    static constexpr int Laenge = 329;
    static constexpr int BreiteSicherungsordner = 250;

    qint16 Warnhinweise = 0;              // 0, flag
    qint16 Warnhinweise2 = 0;             // 2, flag
    qint16 Sprachausgabe = 0;             // 4, flag
    qint16 ZeitenVorgeben = 0;            // 6, flag
    qint16 MitVerpflegungspauschale = 0;  // 8, flag
    qint16 OhneZeiten = 0;                // 10, flag
    qint16 ErweiterterAusdruck = 0;       // 12, flag
    qint16 MitZeiten = 0;                 // 14, flag; the printouts know it as Pauschalspalten
    qint16 Zeitspalten = 0;               // 16, never set by the program
    qint16 KalenderHeute = 0;             // 18, flag
    qint16 Druckanpassung = 0;            // 20
    quint8 DruckskalaIndex = 0;           // 22
    quint8 ZoomIndex = 0;                 // 23
    qint32 DruckAb = 0;                   // 24, day number
    qint32 DruckBis = 0;                  // 28, day number
    qint16 PrivatNurKm = 0;               // 32, flag
    qint32 Reserve34 = 0;                 // 34
    qint32 Reserve38 = 0;                 // 38
    qint16 Reserve42 = 0;                 // 42
    qint16 WenigAbfragen = 0;             // 44, flag
    qint16 PauschalenAktualisiert = 0;    // 46, flag
    QByteArray Reserve48 = QByteArray(20, ' ');  // 48, text 20 kept as bytes
    QByteArray Reserve68 = QByteArray(5, ' ');   // 68, text 5 kept as bytes
    QString Sicherungsordner;             // 73, text 250
    qint16 Journalfunktion = 0;           // 323, flag
    qint16 Sicherungsintervall = 0;       // 325
    qint16 LetztesFahrzeug = 0;           // 327

    qint16 Pauschalspalten() const { return MitZeiten; }

    static VoreinstellungSatz ausBytes(const QByteArray& bytes);
    QByteArray zuBytes() const;

    // The record a new year starts with; the backup folder is given.
    static VoreinstellungSatz standard(const QString& sicherungspfad);

    // True when the folder comes back from the stored field unchanged: not
    // longer than the field and written in Windows-1252 only.
    static bool ordnerPasst(const QString& ordner);
};

namespace VorOffset {
constexpr int Warnhinweise = 0, Warnhinweise2 = 2, Sprachausgabe = 4, ZeitenVorgeben = 6,
              MitVerpflegungspauschale = 8, OhneZeiten = 10, ErweiterterAusdruck = 12,
              MitZeiten = 14, Zeitspalten = 16, KalenderHeute = 18, Druckanpassung = 20,
              DruckskalaIndex = 22, ZoomIndex = 23, DruckAb = 24, DruckBis = 28,
              PrivatNurKm = 32, Reserve34 = 34, Reserve38 = 38, Reserve42 = 42,
              WenigAbfragen = 44, PauschalenAktualisiert = 46, Reserve48 = 48, Reserve68 = 68,
              Sicherungsordner = 73, Journalfunktion = 323, Sicherungsintervall = 325,
              LetztesFahrzeug = 327, Ende = 329;
}
static_assert(VorOffset::Ende == VoreinstellungSatz::Laenge);
static_assert(VorOffset::Sicherungsordner + VoreinstellungSatz::BreiteSicherungsordner ==
              VorOffset::Journalfunktion);

} // namespace kmk
