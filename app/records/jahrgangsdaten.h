#pragma once
// The installation configuration "DTSD.kxt": one record of 329 bytes whose
// eight text fields are stored scrambled, two hexadecimal digits per
// character. The trailing 131 bytes are unused and kept as read.

#include <QByteArray>
#include <QString>

namespace kmk {

struct Jahrgangsdaten {
    static constexpr int Laenge = 329;
    static constexpr int FelderEnde = 198;

    // Either the stored (scrambled) or the decoded texts, padded to width.
    QString Reserve0;          // 0, 20
    QString Reserve20;         // 20, 24
    QString Jahr;              // 44, 8
    QString Markenkennung;     // 52, 6
    QString Reserve58;         // 58, 64
    QString Reserve122;        // 122, 64
    QString PauschaleTeiltag;  // 186, 6
    QString PauschaleVolltag;  // 192, 6
    QByteArray Rest = QByteArray(Laenge - FelderEnde, '\0');  // 198..328

    static Jahrgangsdaten ausBytes(const QByteArray& bytes);
    QByteArray zuBytes() const;

    // Every field trimmed and passed through FeldKodieren, padded again.
    // 'beschaedigt' (optional) turns true when a stored field was no clean
    // sequence of hexadecimal pairs.
    Jahrgangsdaten dekodiert(bool* beschaedigt = nullptr) const;
    Jahrgangsdaten kodiert() const;
};

namespace JahrgangOffset {
constexpr int Reserve0 = 0, Reserve20 = 20, Jahr = 44, Markenkennung = 52, Reserve58 = 58,
              Reserve122 = 122, PauschaleTeiltag = 186, PauschaleVolltag = 192, Rest = 198,
              Ende = 329;
}
static_assert(JahrgangOffset::Rest == Jahrgangsdaten::FelderEnde);
static_assert(JahrgangOffset::Ende == Jahrgangsdaten::Laenge);

// The fixed key of the scrambling.
inline const QString JahrgangSchluessel = QStringLiteral("tornek");

// Encode (richtung true): each character's ANSI code XOR the key character
// of its position, as two upper-case hex digits. Decode (false) reverses it;
// a trailing odd character is ignored, and a pair that is no hexadecimal
// byte gives '?' and sets *beschaedigt.
QString FeldKodieren(const QString& text, const QString& schluessel, bool richtung,
                     bool* beschaedigt = nullptr);

// Name of the file in the program folder.
inline const QString JahrgangDateiname = QStringLiteral("DTSD.kxt");

enum class JahrgangLesen { Ok, Fehlt, Beschaedigt };

// Reads "DTSD.kxt" from the folder (name matched ignoring case) and decodes
// it. A short file is read as if padded with zero bytes; it counts as
// damaged only when it ends inside the fields. Never throws; on Fehlt
// 'ziel' is cleared.
JahrgangLesen JahrgangDatLesen(const QString& programmpfad, Jahrgangsdaten& ziel);
// Reads "DTSD.kxt" of the block's program folder into st.Jahrgang and
// takes the trimmed year into st.Jahr. A damaged file gives a year that
// the year test refuses, so the start-up ends with its year message.
struct Fahrten1;
JahrgangLesen JahrgangLaden(Fahrten1& st);
// Encodes the plain record and writes it as record 1, replacing the file
// atomically. A year beyond 4 characters or a field holding a character
// outside Windows-1252 is refused and nothing is written; other fields are
// cut to half their stored width. False when
// refused or the file could not be written; the old file then stays.
bool JahrgangDatSchreiben(const QString& programmpfad, const Jahrgangsdaten& klar,
                          QString* fehler = nullptr);

} // namespace kmk
