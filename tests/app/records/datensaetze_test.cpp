// Byte layout and round trips of the logbook records.

#include <gtest/gtest.h>

#include <QRandomGenerator>

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
