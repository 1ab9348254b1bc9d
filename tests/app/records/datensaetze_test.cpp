// Byte layout and round trips of the logbook records.

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <cstring>
#include <functional>
#include <type_traits>
#include <vector>

#include "app/records/fahrtdatensatz.h"
#include "app/records/kfzgrundeinstellung.h"
#include "app/records/voreinstellung.h"
#include "platform/vb/date.h"

using namespace kmk;

namespace {

QByteArray zufall(int laenge, quint32 saat)
{
    QRandomGenerator g(saat);
    QByteArray b(laenge, '\0');
    for (int i = 0; i < laenge; ++i)
        b[i] = char(g.bounded(256));
    return b;
}

QByteArray hex(const QByteArray& b, int off, int n) { return b.mid(off, n).toHex(' '); }

} // namespace

TEST(Datensaetze, EveryByteOfEveryRecordSurvivesARoundTrip)
{
    for (quint32 saat = 1; saat <= 50; ++saat) {
        const QByteArray f = zufall(FahrtDatensatz::Laenge, saat);
        EXPECT_EQ(FahrtDatensatz::ausBytes(f).zuBytes(), f) << "seed " << saat;
        const QByteArray v = zufall(VoreinstellungSatz::Laenge, saat + 100);
        EXPECT_EQ(VoreinstellungSatz::ausBytes(v).zuBytes(), v) << "seed " << saat;
        const QByteArray k = zufall(KfzGrundeinstellung::Laenge, saat + 200);
        EXPECT_EQ(KfzGrundeinstellung::ausBytes(k).zuBytes(), k) << "seed " << saat;
    }
    // All byte values in the text fields, the five undefined ones included.
    QByteArray alle(FahrtDatensatz::Laenge, '\0');
    for (int i = 0; i < 256; ++i)
        alle[FahrtOffset::Ueber + i % 255] = char(i);
    EXPECT_EQ(FahrtDatensatz::ausBytes(alle).zuBytes(), alle);
}

TEST(Datensaetze, TripFieldsLandAtTheirOffsets)
{
    FahrtDatensatz s;
    s.VorherigeAnzahl = 4;
    s.FahrtNummer = 5;
    s.ZeitAb = 510;                                  // 08:30
    s.DatumAb = vb::DateSerial(2016, 3, 1);          // 42430
    s.KmAb = 123456;
    s.Von = QStringLiteral("Köln €ß ü");
    s.Nach = QStringLiteral("Straße");
    s.Fahrtart = 3;
    s.MitPauschale = WAHR;
    s.Fahrtkosten = 1.5;
    s.Eintragsstatus = 2;
    s.Statusdatum = 42431;
    s.BetragKraftstoff = vb::Currency::fromRaw(123450);  // 12,345
    s.Kraftstoffart = QStringLiteral("Liter");
    s.Eintragungsdatum = 1;
    s.Fahrer = QStringLiteral("Jürgen");
    const QByteArray b = s.zuBytes();
    ASSERT_EQ(b.size(), 671);

    EXPECT_EQ(hex(b, 0, 4), "04 00 05 00");
    EXPECT_EQ(hex(b, 6, 2), "fe 01");
    EXPECT_EQ(hex(b, 8, 4), "be a5 00 00");          // 42430
    EXPECT_EQ(hex(b, 12, 4), "40 e2 01 00");
    // Windows-1252: ö F6, € 80, ß DF, ü FC; padded with blanks to 50.
    EXPECT_EQ(b.mid(32, 9), QByteArray("K\xF6ln \x80\xDF \xFC"));
    EXPECT_EQ(b.mid(41, 41), QByteArray(41, ' '));
    EXPECT_EQ(b.mid(337, 6), QByteArray("Stra\xDF" "e"));
    EXPECT_EQ(quint8(b[499]), 3);
    EXPECT_EQ(hex(b, 500, 6), "00 00 00 00 00 00");  // reserved, always 0
    EXPECT_EQ(hex(b, 512, 2), "00 00");
    EXPECT_EQ(hex(b, 516, 2), "ff ff");              // flag True
    EXPECT_EQ(hex(b, 518, 8), "00 00 00 00 00 00 f8 3f");  // 1.5
    EXPECT_EQ(quint8(b[528]), 2);
    EXPECT_EQ(hex(b, 529, 4), "bf a5 00 00");
    EXPECT_EQ(hex(b, 541, 8), "3a e2 01 00 00 00 00 00");  // 123450
    EXPECT_EQ(b.mid(557, 10), QByteArray("Liter     "));
    EXPECT_EQ(hex(b, 617, 4), "01 00 00 00");
    EXPECT_EQ(b.mid(621, 6), QByteArray("J\xFCrgen"));

    const FahrtDatensatz z = FahrtDatensatz::ausBytes(b);
    EXPECT_EQ(z.Von.trimmed(), s.Von);
    EXPECT_EQ(z.Von.size(), 50);                     // padding kept in memory
    EXPECT_EQ(z.BetragKraftstoff.raw, 123450);
    EXPECT_DOUBLE_EQ(z.Fahrtkosten, 1.5);
    EXPECT_EQ(z.DatumAb, 42430);
    EXPECT_EQ(z, s);
}

TEST(Datensaetze, TextsAreCutToTheirWidthAndForeignCharactersBecomeQuestionMarks)
{
    FahrtDatensatz s;
    s.Von = QString(60, QLatin1Char('x'));
    s.Nach = QStringLiteral("Łódź 日本");
    const QByteArray b = s.zuBytes();
    EXPECT_EQ(b.size(), 671);
    EXPECT_EQ(b.mid(32, 50), QByteArray(50, 'x'));
    EXPECT_EQ(b.mid(82, 1), QByteArray(" "));        // nothing ran over into the route
    EXPECT_EQ(b.mid(337, 8), QByteArray("?\xF3" "d? ?? "));
}

TEST(Datensaetze, ShortOrOverlongInputDecodesAsPaddedWithZeros)
{
    const QByteArray kurz = QByteArray::fromHex("0100020003");
    const FahrtDatensatz s = FahrtDatensatz::ausBytes(kurz);
    EXPECT_EQ(s.VorherigeAnzahl, 1);
    EXPECT_EQ(s.FahrtNummer, 2);
    EXPECT_EQ(s.Folgetage, 3);
    EXPECT_EQ(s.KmAb, 0);
    QByteArray erwartet = kurz + QByteArray(671 - kurz.size(), '\0');
    EXPECT_EQ(s.zuBytes(), erwartet);
    EXPECT_EQ(FahrtDatensatz::ausBytes(QByteArray(1000, '\x01')).zuBytes(), QByteArray(671, '\x01'));
    EXPECT_EQ(VoreinstellungSatz::ausBytes(QByteArray()).zuBytes(), QByteArray(329, '\0'));
}

TEST(Datensaetze, SettingsFieldsLandAtTheirOffsets)
{
    VoreinstellungSatz v;
    v.Warnhinweise = WAHR;
    v.MitZeiten = WAHR;
    v.KalenderHeute = WAHR;
    v.DruckskalaIndex = 6;
    v.ZoomIndex = 15;
    v.DruckAb = 42370;
    v.DruckBis = 42735;
    v.PrivatNurKm = WAHR;
    v.WenigAbfragen = WAHR;
    v.Sicherungsordner = QStringLiteral("/opt/kilometrika/Sicherheit/");
    v.Journalfunktion = WAHR;
    v.Sicherungsintervall = 20;
    v.LetztesFahrzeug = 3;
    const QByteArray b = v.zuBytes();
    ASSERT_EQ(b.size(), 329);
    EXPECT_EQ(hex(b, 0, 4), "ff ff 00 00");
    EXPECT_EQ(hex(b, 14, 2), "ff ff");
    EXPECT_EQ(hex(b, 16, 2), "00 00");
    EXPECT_EQ(hex(b, 18, 2), "ff ff");
    EXPECT_EQ(hex(b, 22, 2), "06 0f");
    EXPECT_EQ(hex(b, 24, 8), "82 a5 00 00 ef a6 00 00");
    EXPECT_EQ(hex(b, 32, 2), "ff ff");
    EXPECT_EQ(hex(b, 44, 2), "ff ff");
    EXPECT_EQ(b.mid(48, 25), QByteArray(25, ' '));   // reserved texts of a new record
    EXPECT_EQ(b.mid(73, 28), QByteArray("/opt/kilometrika/Sicherheit/"));
    EXPECT_EQ(b.mid(101, 222), QByteArray(222, ' '));
    EXPECT_EQ(hex(b, 323, 6), "ff ff 14 00 03 00");
    EXPECT_EQ(v.Pauschalspalten(), WAHR);
}

TEST(Datensaetze, SettingsDefaultsAndTheBackupFolderWidth)
{
    const VoreinstellungSatz d = VoreinstellungSatz::standard(QStringLiteral("/p/Sicherheit/"));
    EXPECT_EQ(d.DruckskalaIndex, 6);
    EXPECT_EQ(d.ZoomIndex, 15);
    EXPECT_EQ(d.Sicherungsintervall, 20);
    EXPECT_EQ(d.LetztesFahrzeug, 0);
    EXPECT_EQ(d.Journalfunktion, WAHR);
    EXPECT_EQ(d.OhneZeiten, WAHR);
    EXPECT_EQ(d.PrivatNurKm, WAHR);
    EXPECT_EQ(d.KalenderHeute, WAHR);
    EXPECT_EQ(d.PauschalenAktualisiert, FALSCH);
    EXPECT_EQ(d.Sprachausgabe | d.ZeitenVorgeben | d.MitVerpflegungspauschale |
                  d.ErweiterterAusdruck | d.WenigAbfragen | d.MitZeiten | d.Warnhinweise,
              0);
    EXPECT_EQ(VoreinstellungSatz::ausBytes(d.zuBytes()).Sicherungsordner.trimmed(),
              QStringLiteral("/p/Sicherheit/"));

    const QString lang = QStringLiteral("/") + QString(260, QLatin1Char('a')) + QStringLiteral("/");
    EXPECT_FALSE(VoreinstellungSatz::ordnerPasst(lang));
    EXPECT_TRUE(VoreinstellungSatz::ordnerPasst(QString(250, QLatin1Char('a'))));
    EXPECT_TRUE(VoreinstellungSatz::ordnerPasst(QStringLiteral("/home/jürgen/Sicherheit/")));
    // Stored, these would name a different folder.
    EXPECT_FALSE(VoreinstellungSatz::ordnerPasst(QStringLiteral("/home/łukasz/Sicherheit/")));
    EXPECT_FALSE(VoreinstellungSatz::ordnerPasst(QStringLiteral("/daten/日本/")));
    VoreinstellungSatz v;
    v.Sicherungsordner = lang;
    v.Journalfunktion = WAHR;
    const QByteArray b = v.zuBytes();
    EXPECT_EQ(b.size(), 329);                                  // cut, not overflowing
    EXPECT_EQ(hex(b, 323, 2), "ff ff");
}

TEST(Datensaetze, VehicleFieldsLandAtTheirOffsets)
{
    KfzGrundeinstellung k;
    k.Kennzeichen = QStringLiteral("K-AB 123");
    k.Anfangskm = 15000;
    k.Halter = QStringLiteral("Müller GmbH");
    k.Standort = QStringLiteral("Düsseldorf");
    k.Firmenfahrzeug = WAHR;
    k.OhneZeiten = WAHR;
    k.Journalfunktion = WAHR;
    const QByteArray b = k.zuBytes();
    ASSERT_EQ(b.size(), 109);
    EXPECT_EQ(b.mid(0, 15), QByteArray("K-AB 123       "));
    EXPECT_EQ(hex(b, 15, 4), "98 3a 00 00");
    EXPECT_EQ(b.mid(19, 11), QByteArray("M\xFCller GmbH"));
    EXPECT_EQ(b.mid(49, 10), QByteArray("D\xFCsseldorf"));
    EXPECT_EQ(hex(b, 79, 4), "ff ff 00 00");
    EXPECT_EQ(hex(b, 97, 2), "ff ff");
    EXPECT_EQ(hex(b, 107, 2), "ff ff");
    EXPECT_EQ(KfzGrundeinstellung::ausBytes(b).Standort.trimmed(), QStringLiteral("Düsseldorf"));
}

TEST(Datensaetze, AnyNonZeroFlagIsKeptAsStored)
{
    QByteArray b(109, '\0');
    b[79] = 1;  // an odd True from elsewhere
    const KfzGrundeinstellung k = KfzGrundeinstellung::ausBytes(b);
    EXPECT_TRUE(k.Firmenfahrzeug != 0);
    EXPECT_EQ(k.zuBytes(), b);
}

namespace {

// One field of a documented record layout: its offset, its width in bytes
// and how to read it from the decoded record (numbers as their stored bit
// pattern, texts as text).
template <class R>
struct Feld {
    const char* name;
    int offset;
    int breite;
    bool text;
    std::function<qint64(const R&)> zahl;
    std::function<QString(const R&)> wort;
};

template <class R, class T>
Feld<R> zahl(const char* name, int offset, T R::*m)
{
    return {name, offset, int(sizeof(T)), false, [m](const R& r) {
                qint64 v = 0;
                std::memcpy(&v, &(r.*m), sizeof(T));
                if constexpr (std::is_signed_v<T> && sizeof(T) < 8)
                    v = qint64(r.*m);   // sign-extended, as the bytes say
                return v;
            }, {}};
}

template <class R>
Feld<R> text(const char* name, int offset, int breite, QString R::*m)
{
    return {name, offset, breite, true, {}, [m](const R& r) { return r.*m; }};
}

// Every field gets bytes no other field has; each decoded field must show
// exactly the bytes at its own offset.
template <class R>
void jedesFeldAnSeinemPlatz(int laenge, const std::vector<Feld<R>>& felder)
{
    QByteArray roh(laenge, '\0');
    for (size_t k = 0; k < felder.size(); ++k) {
        const Feld<R>& f = felder[k];
        for (int j = 0; j < f.breite; ++j)
            roh[f.offset + j] = f.text ? char('A' + k % 26) : char((f.offset + j) * 7 + 1);
        if (f.text)
            roh[f.offset] = char('a' + k % 26);   // a first letter of its own
    }
    const R r = R::ausBytes(roh);
    for (const Feld<R>& f : felder) {
        SCOPED_TRACE(f.name);
        const QByteArray bytes = roh.mid(f.offset, f.breite);
        if (f.text) {
            EXPECT_EQ(f.wort(r), QString::fromLatin1(bytes));
        } else {
            qint64 v = 0;
            std::memcpy(&v, bytes.constData(), size_t(f.breite));
            if (f.breite < 8 && f.zahl(r) < 0)
                v -= qint64(1) << (8 * f.breite);   // the field is signed
            EXPECT_EQ(f.zahl(r), v);
        }
    }
    EXPECT_EQ(r.zuBytes(), roh);
}

} // namespace

TEST(Datensaetze, EveryTripFieldReadsItsOwnBytes)
{
    using R = FahrtDatensatz;
    jedesFeldAnSeinemPlatz<R>(671, {
        zahl("VorherigeAnzahl", 0, &R::VorherigeAnzahl), zahl("FahrtNummer", 2, &R::FahrtNummer),
        zahl("Folgetage", 4, &R::Folgetage), zahl("ZeitAb", 6, &R::ZeitAb), zahl("DatumAb", 8, &R::DatumAb),
        zahl("KmAb", 12, &R::KmAb), zahl("ZeitAn", 16, &R::ZeitAn), zahl("DatumAn", 18, &R::DatumAn),
        zahl("KmAn", 22, &R::KmAn), zahl("GefahreneKm", 26, &R::GefahreneKm),
        zahl("AbwesenheitFahrt", 30, &R::AbwesenheitFahrt), text("Von", 32, 50, &R::Von),
        text("Ueber", 82, 255, &R::Ueber), text("Nach", 337, 50, &R::Nach), text("Grund", 387, 50, &R::Grund),
        zahl("MinutenAbfahrtstag", 437, &R::MinutenAbfahrtstag),
        zahl("MinutenAnkunftstag", 439, &R::MinutenAnkunftstag),
        text("Gespraechspartner", 441, 50, &R::Gespraechspartner),
        zahl("Teilpauschale1", 491, &R::Teilpauschale1), zahl("Teilpauschale2", 493, &R::Teilpauschale2),
        zahl("PauschaleGesamt", 495, &R::PauschaleGesamt), zahl("PauschaleVolleTage", 497, &R::PauschaleVolleTage),
        zahl("Fahrtart", 499, &R::Fahrtart), zahl("Reserve500", 500, &R::Reserve500),
        zahl("Reserve502", 502, &R::Reserve502), zahl("Reserve504", 504, &R::Reserve504),
        zahl("AbwesenheitGesamt", 506, &R::AbwesenheitGesamt), zahl("AbwesenheitTag", 508, &R::AbwesenheitTag),
        zahl("FahrtDesTages", 510, &R::FahrtDesTages), zahl("Reserve512", 512, &R::Reserve512),
        zahl("Vergleichsindex", 514, &R::Vergleichsindex), zahl("Sonderfahrt", 515, &R::Sonderfahrt),
        zahl("MitPauschale", 516, &R::MitPauschale), zahl("Fahrtkosten", 518, &R::Fahrtkosten),
        zahl("Mitfahrer", 526, &R::Mitfahrer), zahl("Eintragsstatus", 528, &R::Eintragsstatus),
        zahl("Statusdatum", 529, &R::Statusdatum), zahl("Kraftstoffmenge", 533, &R::Kraftstoffmenge),
        {"BetragKraftstoff", 541, 8, false, [](const R& r) { return qint64(r.BetragKraftstoff.raw); }, {}},
        {"BetragWartung", 549, 8, false, [](const R& r) { return qint64(r.BetragWartung.raw); }, {}},
        text("Kraftstoffart", 557, 10, &R::Kraftstoffart), text("Wartungstext", 567, 50, &R::Wartungstext),
        zahl("Eintragungsdatum", 617, &R::Eintragungsdatum), text("Fahrer", 621, 50, &R::Fahrer),
    });
}

TEST(Datensaetze, EverySettingsFieldReadsItsOwnBytes)
{
    using R = VoreinstellungSatz;
    std::vector<Feld<R>> felder = {
        zahl("Warnhinweise", 0, &R::Warnhinweise), zahl("Warnhinweise2", 2, &R::Warnhinweise2),
        zahl("Sprachausgabe", 4, &R::Sprachausgabe), zahl("ZeitenVorgeben", 6, &R::ZeitenVorgeben),
        zahl("MitVerpflegungspauschale", 8, &R::MitVerpflegungspauschale), zahl("OhneZeiten", 10, &R::OhneZeiten),
        zahl("ErweiterterAusdruck", 12, &R::ErweiterterAusdruck), zahl("MitZeiten", 14, &R::MitZeiten),
        zahl("Zeitspalten", 16, &R::Zeitspalten), zahl("KalenderHeute", 18, &R::KalenderHeute),
        zahl("Druckanpassung", 20, &R::Druckanpassung), zahl("DruckskalaIndex", 22, &R::DruckskalaIndex),
        zahl("ZoomIndex", 23, &R::ZoomIndex), zahl("DruckAb", 24, &R::DruckAb), zahl("DruckBis", 28, &R::DruckBis),
        zahl("PrivatNurKm", 32, &R::PrivatNurKm), zahl("Reserve34", 34, &R::Reserve34),
        zahl("Reserve38", 38, &R::Reserve38), zahl("Reserve42", 42, &R::Reserve42),
        zahl("WenigAbfragen", 44, &R::WenigAbfragen), zahl("PauschalenAktualisiert", 46, &R::PauschalenAktualisiert),
        {"Reserve48", 48, 20, true, {}, [](const R& r) { return QString::fromLatin1(r.Reserve48); }},
        {"Reserve68", 68, 5, true, {}, [](const R& r) { return QString::fromLatin1(r.Reserve68); }},
        text("Sicherungsordner", 73, 250, &R::Sicherungsordner), zahl("Journalfunktion", 323, &R::Journalfunktion),
        zahl("Sicherungsintervall", 325, &R::Sicherungsintervall), zahl("LetztesFahrzeug", 327, &R::LetztesFahrzeug),
    };
    jedesFeldAnSeinemPlatz<R>(329, felder);
}

TEST(Datensaetze, EveryVehicleFieldReadsItsOwnBytes)
{
    using R = KfzGrundeinstellung;
    jedesFeldAnSeinemPlatz<R>(109, {
        text("Kennzeichen", 0, 15, &R::Kennzeichen), zahl("Anfangskm", 15, &R::Anfangskm),
        text("Halter", 19, 30, &R::Halter), text("Standort", 49, 30, &R::Standort),
        zahl("Firmenfahrzeug", 79, &R::Firmenfahrzeug), zahl("Privatfahrzeug", 81, &R::Privatfahrzeug),
        zahl("Warnhinweise", 83, &R::Warnhinweise), zahl("Warnhinweise2", 85, &R::Warnhinweise2),
        zahl("ErweiterterAusdruck", 87, &R::ErweiterterAusdruck), zahl("MitZeiten", 89, &R::MitZeiten),
        zahl("Reserve91", 91, &R::Reserve91), zahl("Sprachausgabe", 93, &R::Sprachausgabe),
        zahl("ZeitenVorgeben", 95, &R::ZeitenVorgeben), zahl("OhneZeiten", 97, &R::OhneZeiten),
        zahl("PrivatNurKm", 99, &R::PrivatNurKm), zahl("KalenderHeute", 101, &R::KalenderHeute),
        zahl("WenigAbfragen", 103, &R::WenigAbfragen),
        zahl("MitVerpflegungspauschale", 105, &R::MitVerpflegungspauschale),
        zahl("Journalfunktion", 107, &R::Journalfunktion),
    });
}
