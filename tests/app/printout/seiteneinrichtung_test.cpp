#include "app/printout/seiteneinrichtung.h"
#include "platform/sheet/recordingsheet.h"
#include "platform/sheet/seiten.h"

#include <gtest/gtest.h>

using kmk::KfzGrundeinstellung;

TEST(Seiteneinrichtung, PutsTheFixedListInOrder)
{
    sheet::RecordingSheet t;
    t.Zeile(9);   // whatever the sheet held before
    t.leeren();
    KfzGrundeinstellung kfz;
    kfz.Halter = QStringLiteral("Erika Mustermann");
    kfz.Kennzeichen = QStringLiteral("MS-K 2016");
    kmk::Seiteneinrichtung(t, 17, kfz);
    const QString kopf = QStringLiteral("&A             Fahrzeughalter: Erika Mustermann               Kfz Nr. MS-K 2016      ");
    const QString fuss = QStringLiteral("Seite &P      Mit formeller Anerkennung der OFD - Münster    ");
    const QStringList erwartet = {
        "Zuruecksetzen()",
        "Eigenschaft(63, False)", "Eigenschaft(112, True)", "Eigenschaft(67, False)", "Eigenschaft(1, False)",
        "Eigenschaft(72, False)", "Eigenschaft(26, True)", "Eigenschaft(23, False)", "Eigenschaft(24, False)",
        "Eigenschaft(27, True)", "Eigenschaft(75, False)", "Eigenschaft(21, True)", "Eigenschaft(22, False)",
        "Eigenschaft(64, False)", "Eigenschaft(34, False)", "Eigenschaft(107, 1)",
        "Eigenschaft(51, False)", "Eigenschaft(57, False)", "Eigenschaft(58, False)", "Eigenschaft(54, False)",
        "Eigenschaft(56, False)", "Eigenschaft(73, False)", "Eigenschaft(74, False)", "Eigenschaft(102, False)",
        "Eigenschaft(103, False)", "Eigenschaft(99, False)", "Eigenschaft(76, False)", "Eigenschaft(77, False)",
        "Eigenschaft(52, False)", "Eigenschaft(53, False)", "Eigenschaft(55, False)", "Eigenschaft(71, False)",
        "Eigenschaft(68, False)",
        "Eigenschaft(10, 1)", "Eigenschaft(11, 0)", "DrucktitelErsteZeile(1)", "DrucktitelLetzteZeile(0)",
        "Eigenschaft(-2147418062, 0)", "Eigenschaft(1310, False)",
        "Eigenschaft(17, 1)", "Eigenschaft(18, 17)", "Eigenschaft(19, 16384)", "Eigenschaft(69, 1)",
        "Eigenschaft(70, 1)", "Eigenschaft(-521, 0)", "Eigenschaft(105, 1)",
        "Seitenrand(45, 0.7)", "Eigenschaft(60, False)", "Fusszeile(\"" + fuss + "\")", "Randabstand(1312, 0.3)",
        "Eigenschaft(35, True)", "Eigenschaft(37, True)", "Kopfzeile(\"" + kopf + "\")", "Randabstand(1311, 0.3)",
        "Seitenrand(42, 0.4)", "Eigenschaft(39, False)", "Eigenschaft(48, True)", "Seitenrand(44, 0.4)",
        "Eigenschaft(36, False)", "Seitenrand(43, 0.7)", "Eigenschaft(38, True)",
        "Eigenschaft(66, False)", "Eigenschaft(106, 1)", "Eigenschaft(59, False)", "Eigenschaft(110, False)",
        "Eigenschaft(111, False)", "Eigenschaft(96, False)", "Eigenschaft(14, True)", "Eigenschaft(6, 1)",
        "Eigenschaft(15, False)", "Eigenschaft(16, 0)", "Eigenschaft(109, 1)", "Eigenschaft(108, False)",
        "Eigenschaft(25, 1)", "Eigenschaft(97, False)", "Eigenschaft(20, 1)",
        "Bildschirmzoom(75)", "Sichtbar(True)",
    };
    EXPECT_EQ(t.protokoll(), erwartet);
    // A fresh sheet: nothing of before, the zoom of 75.
    EXPECT_EQ(t.blatt().letzteZeile(), 0);
    EXPECT_EQ(t.Bildschirmzoom(), 75);
    EXPECT_EQ(t.blatt().seite.kopfzeile, kopf);
}

TEST(Seiteneinrichtung, HeaderKeepsTheFieldWidthsAndPrintsAnAmpersand)
{
    KfzGrundeinstellung leer;
    const QString kopf = kmk::Kopfzeilentext(leer);
    EXPECT_EQ(kopf.size(), 85);
    EXPECT_EQ(kopf, QStringLiteral("&A             Fahrzeughalter: ") + QString(30, ' ') + QStringLiteral(" Kfz Nr. ")
                        + QString(15, ' '));
    KfzGrundeinstellung k;
    k.Halter = QStringLiteral("Müller & Söhne");
    k.Kennzeichen = QStringLiteral("A&B 1");
    EXPECT_EQ(kmk::Kopfzeilentext(k), QStringLiteral("&A             Fahrzeughalter: Müller && Söhne")
                                          + QString(16, ' ') + QStringLiteral(" Kfz Nr. A&&B 1") + QString(10, ' '));
}

TEST(Seiteneinrichtung, HeaderAndFooterCodes)
{
    const QDateTime jetzt(QDate(2016, 3, 1), QTime(14, 5));
    const struct { const char* text; int seite, seiten; const char *links, *mitte, *rechts; } faelle[] = {
        {"&LSeite &P von &N&C&A&R&D &T", 3, 7, "Seite 3 von 7", "Fahrtenbuch", "01.03.2016 14:05"},
        {"Müller && Söhne &&P", 1, 1, "", "Müller & Söhne &P", ""},
        {"&l&c&rA&", 2, 2, "", "", "A&"},
    };
    for (const auto& f : faelle) {
        const sheet::KopfFuss k = sheet::loeseCodes(QString::fromUtf8(f.text), f.seite, f.seiten,
                                                    QStringLiteral("Fahrtenbuch"), jetzt);
        EXPECT_EQ(k.links, QString::fromUtf8(f.links)) << f.text;
        EXPECT_EQ(k.mitte, QString::fromUtf8(f.mitte)) << f.text;
        EXPECT_EQ(k.rechts, QString::fromUtf8(f.rechts)) << f.text;
    }
    // The page header: 2 + 29 + 30 + 9 + 15 characters with an empty
    // holder and plate; an "&" of the holder prints as it stands.
    KfzGrundeinstellung leer;
    EXPECT_EQ(kmk::Kopfzeilentext(leer).size(), 85);
    KfzGrundeinstellung kfz;
    kfz.Halter = QStringLiteral("Müller &Partner");
    kfz.Kennzeichen = QStringLiteral("MS-K 1");
    const sheet::KopfFuss k = sheet::loeseCodes(kmk::Kopfzeilentext(kfz), 1, 1, QStringLiteral("Fahrtenbuch"), jetzt);
    EXPECT_EQ(k.mitte, QStringLiteral("Fahrtenbuch             Fahrzeughalter: Müller &Partner                Kfz Nr. MS-K 1         "));
    EXPECT_EQ(sheet::loeseCodes(kmk::Fusszeilentext(), 4, 9, {}, jetzt).mitte,
              QStringLiteral("Seite 4      Mit formeller Anerkennung der OFD - Münster    "));
}
