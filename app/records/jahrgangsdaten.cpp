#include "app/records/jahrgangsdaten.h"

#include <QDir>
#include <QFile>

#include "platform/io/atomic.h"
#include "app/records/fahrten1.h"
#include "platform/io/folders.h"
#include "platform/vb/fields.h"
#include "platform/vb/text.h"

namespace kmk {

namespace O = JahrgangOffset;

namespace {

struct Feld {
    QString Jahrgangsdaten::*text;
    int offset;
    int breite;
};

// The order in which the fields are coded.
const Feld kFelder[] = {
    {&Jahrgangsdaten::Jahr, O::Jahr, 8},
    {&Jahrgangsdaten::Markenkennung, O::Markenkennung, 6},
    {&Jahrgangsdaten::Reserve0, O::Reserve0, 20},
    {&Jahrgangsdaten::Reserve20, O::Reserve20, 24},
    {&Jahrgangsdaten::Reserve58, O::Reserve58, 64},
    {&Jahrgangsdaten::Reserve122, O::Reserve122, 64},
    {&Jahrgangsdaten::PauschaleTeiltag, O::PauschaleTeiltag, 6},
    {&Jahrgangsdaten::PauschaleVolltag, O::PauschaleVolltag, 6},
};

QString gepolstert(const QString& s, int breite)
{
    return s.size() >= breite ? s.left(breite) : s + vb::Space(breite - int(s.size()));
}

int hexWert(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

} // namespace

QString FeldKodieren(const QString& text, const QString& schluessel, bool richtung,
                     bool* beschaedigt)
{
    static const char kHex[] = "0123456789ABCDEF";
    const QByteArray key = vb::toAnsi(schluessel);
    QString ergebnis;
    if (key.isEmpty())
        return ergebnis;
    const QByteArray t = vb::toAnsi(text);
    if (richtung) {
        ergebnis.reserve(t.size() * 2);
        for (qsizetype i = 0; i < t.size(); ++i) {
            const unsigned char b =
                static_cast<unsigned char>(t[i]) ^ static_cast<unsigned char>(key[i % key.size()]);
            ergebnis += QLatin1Char(kHex[b >> 4]);
            ergebnis += QLatin1Char(kHex[b & 0x0F]);
        }
        return ergebnis;
    }
    const qsizetype paare = text.size() / 2;
    ergebnis.reserve(paare);
    for (qsizetype i = 0; i < paare; ++i) {
        const int hi = hexWert(text[2 * i]);
        const int lo = hexWert(text[2 * i + 1]);
        if (hi < 0 || lo < 0) {
            if (beschaedigt)
                *beschaedigt = true;
            ergebnis += QLatin1Char('?');
            continue;
        }
        const unsigned char b = static_cast<unsigned char>((hi << 4) | lo) ^
                                static_cast<unsigned char>(key[i % key.size()]);
        ergebnis += vb::fromAnsiChar(b);
    }
    return ergebnis;
}

Jahrgangsdaten Jahrgangsdaten::ausBytes(const QByteArray& bytes)
{
    QByteArray r = bytes.left(Laenge);
    if (r.size() < Laenge)
        r.append(QByteArray(Laenge - r.size(), '\0'));
    Jahrgangsdaten d;
    for (const Feld& f : kFelder)
        d.*(f.text) = vb::getText(r, f.offset, f.breite);
    d.Rest = vb::getBytes(r, O::Rest, Laenge - FelderEnde);
    return d;
}

QByteArray Jahrgangsdaten::zuBytes() const
{
    QByteArray r(Laenge, '\0');
    for (const Feld& f : kFelder)
        vb::setText(r, f.offset, f.breite, this->*(f.text));
    QByteArray rest = Rest.left(Laenge - FelderEnde);
    if (rest.size() < Laenge - FelderEnde)
        rest.append(QByteArray(Laenge - FelderEnde - rest.size(), '\0'));
    vb::setBytes(r, O::Rest, rest);
    return r;
}

Jahrgangsdaten Jahrgangsdaten::dekodiert(bool* beschaedigt) const
{
    Jahrgangsdaten d = *this;
    for (const Feld& f : kFelder) {
        const QString klar =
            FeldKodieren(vb::Trim(this->*(f.text)), JahrgangSchluessel, false, beschaedigt);
        d.*(f.text) = gepolstert(klar, f.breite);
    }
    return d;
}

Jahrgangsdaten Jahrgangsdaten::kodiert() const
{
    Jahrgangsdaten d = *this;
    for (const Feld& f : kFelder) {
        const QString geheim = FeldKodieren(vb::Trim(this->*(f.text)), JahrgangSchluessel, true);
        d.*(f.text) = gepolstert(geheim, f.breite);
    }
    return d;
}

JahrgangLesen JahrgangDatLesen(const QString& programmpfad, Jahrgangsdaten& ziel)
{
    const QString pfad = io::findFileCaseInsensitive(programmpfad, JahrgangDateiname);
    if (pfad.isEmpty() || !io::FileExists(pfad)) {
        ziel = Jahrgangsdaten{};
        return JahrgangLesen::Fehlt;
    }
    QFile f(pfad);
    QByteArray bytes;
    if (f.open(QIODevice::ReadOnly))
        bytes = f.read(Jahrgangsdaten::Laenge);
    // The unused tail after the fields may be missing: a record written as
    // the last one of its file ends with its fields.
    bool beschaedigt = bytes.size() < Jahrgangsdaten::FelderEnde;
    ziel = Jahrgangsdaten::ausBytes(bytes).dekodiert(&beschaedigt);
    return beschaedigt ? JahrgangLesen::Beschaedigt : JahrgangLesen::Ok;
}

JahrgangLesen JahrgangLaden(Fahrten1& st)
{
    const JahrgangLesen r = JahrgangDatLesen(st.Programmpfad, st.Jahrgang);
    st.Jahr = vb::Trim(st.Jahrgang.Jahr);
    return r;
}

bool JahrgangDatSchreiben(const QString& programmpfad, const Jahrgangsdaten& klar, QString* fehler)
{
    // Each clear character takes two stored ones: a year beyond four would
    // be cut to another year without a word, and a character outside
    // Windows-1252 would come back as "?". Either is refused before anything
    // is written. (Other fields are cut to their width, as they always were.)
    for (const Feld& f : kFelder) {
        const QString text = vb::Trim(klar.*(f.text));
        QString grund;
        if (f.text == &Jahrgangsdaten::Jahr && text.size() > f.breite / 2)
            grund = QStringLiteral("\"%1\" ist länger als %2 Zeichen").arg(text).arg(f.breite / 2);
        else if (vb::fromAnsi(vb::toAnsi(text)) != text)
            grund = QStringLiteral("\"%1\" enthält Zeichen außerhalb von Windows-1252").arg(text);
        if (!grund.isEmpty()) {
            if (fehler)
                *fehler = grund;
            return false;
        }
    }
    QString pfad = io::findFileCaseInsensitive(programmpfad, JahrgangDateiname);
    if (pfad.isEmpty())
        pfad = QDir(programmpfad).filePath(JahrgangDateiname);
    // Whatever follows record 1 stays as it was.
    QByteArray inhalt;
    QFile alt(pfad);
    if (alt.exists() && alt.open(QIODevice::ReadOnly))
        inhalt = alt.readAll();
    alt.close();
    const QByteArray satz = klar.kodiert().zuBytes();
    if (inhalt.size() < satz.size())
        inhalt = satz;
    else
        inhalt.replace(0, satz.size(), satz);
    return io::writeFileAtomic(pfad, inhalt, fehler);
}

} // namespace kmk
