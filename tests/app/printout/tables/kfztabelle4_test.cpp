// The full trip table and the blank form on the recording double.

#include "app/printout/tables/tabellen.h"
#include "arbeitsjahr.h"
#include "platform/sheet/recordingsheet.h"

#include <gtest/gtest.h>

using namespace kmk;
using namespace kmk::tabellen;
using namespace testjahr;

namespace {

// [normal, cancelled, correction, normal], saved on the 4th to the 7th.
std::vector<FahrtDatensatz> journalwoche()
{
    std::vector<FahrtDatensatz> f;
    for (int i = 0; i < 4; ++i) {
        f.push_back(fahrt(J4 + i, "Meier", 3, 10000 + 100 * i, 100));
        f.back().Eintragungsdatum = J4 + i;
    }
    f[1].Eintragsstatus = 1;
    f[1].Statusdatum = J4 + 2;
    f[2].Eintragsstatus = 2;
    f[2].Statusdatum = J4 + 2;
    f[2].DatumAb = f[1].DatumAb;
    return f;
}

QString text(const sheet::Blatt& b, int z, int s) { return b.anzeigetext(z, s); }

} // namespace

TEST(KfzTabelle4, CorrectionKeepsTheNumberOfItsCancelledEntry)
{
    Jahr j;
    j.schreibe(journalwoche());
    sheet::RecordingSheet t;
    ASSERT_EQ(KfzTabelle4(t, j.k), Bau::Gebaut);
    const sheet::Blatt& b = t.blatt();
    EXPECT_EQ(b.name, "Kilometrika 2016");
    EXPECT_FALSE(b.seite.quer);

    // Journal off: one line for a normal entry, two for the journal pair.
    EXPECT_EQ(text(b, 1, 1), "Diese Eintragung wurde am 04.01.2016 gespeichert.");
    EXPECT_EQ(text(b, 2, 1), "Fahrt Nr.  1");
    EXPECT_EQ(text(b, 11, 1), "Diese Eintragung wurde am 06.01.2016 storniert. (alter Eintrag)");
    EXPECT_EQ(text(b, 12, 1), "Diese Eintragung wurde am 05.01.2016 gespeichert.");
    EXPECT_EQ(text(b, 13, 1), "Fahrt Nr.  2");
    EXPECT_EQ(text(b, 22, 1), "Diese Eintragung wurde am 06.01.2016 überschrieben. ( Korrektur)");
    EXPECT_EQ(text(b, 24, 1), "Fahrt Nr.  2");
    EXPECT_EQ(text(b, 34, 1), "Fahrt Nr.  3");
    EXPECT_TRUE(b.umbrueche().empty());

    // Without a status day the journal lines say what happened, not when.
    auto ohneTag = journalwoche();
    ohneTag[1].Statusdatum = 0;
    ohneTag[2].Statusdatum = 1;
    j.schreibe(ohneTag);
    sheet::RecordingSheet u;
    ASSERT_EQ(KfzTabelle4(u, j.k), Bau::Gebaut);
    EXPECT_EQ(text(u.blatt(), 11, 1), "Diese Eintragung wurde storniert. (alter Eintrag)");
    EXPECT_EQ(text(u.blatt(), 22, 1), "Diese Eintragung wurde überschrieben. ( Korrektur)");

    // The cells of the first block.
    EXPECT_EQ(text(b, 2, 2), "Ort / Straße");
    EXPECT_EQ(text(b, 2, 6), "Zeit");
    EXPECT_EQ(text(b, 3, 1), "Abfahrt");
    EXPECT_EQ(text(b, 3, 2).trimmed(), "Münster");
    EXPECT_EQ(text(b, 3, 4), "04.01.2016");
    EXPECT_EQ(text(b, 3, 5), "10000");
    EXPECT_EQ(text(b, 3, 6), "08:00");
    EXPECT_EQ(text(b, 4, 2).trimmed(), "Köln");
    EXPECT_EQ(text(b, 4, 6), "17:30");
    EXPECT_EQ(text(b, 5, 1), "Wegstrecke");
    EXPECT_EQ(text(b, 5, 2).size(), 255);  // untrimmed
    EXPECT_EQ(text(b, 6, 4), "Gef. km");
    EXPECT_EQ(text(b, 6, 5), "100");
    EXPECT_EQ(text(b, 7, 3), "Fahrer");
    EXPECT_EQ(text(b, 7, 4).trimmed(), "Anna");
    EXPECT_EQ(text(b, 7, 5), "Verpfl. Zuschuß");
    EXPECT_EQ(text(b, 8, 2), "Geschäftsfahrt / keine Sonderfahrt");
    EXPECT_EQ(text(b, 8, 5), "Verpfl. Gesamt");
    EXPECT_EQ(text(b, 8, 6), "0");
    EXPECT_TRUE(b.finde(8, 6)->fett);
    EXPECT_FALSE(b.finde(2, 1)->fett);
    EXPECT_TRUE(b.finde(2, 2)->fett);
    EXPECT_FALSE(b.finde(1, 1)->fett);
    EXPECT_FALSE(b.finde(3, 2)->fett);

    // Frames: the place field spans columns 2 and 3, the driver field 2 to 4.
    using sheet::Links, sheet::Rechts, sheet::Oben, sheet::Unten;
    EXPECT_EQ(b.finde(3, 2)->rahmen, Links | Oben | Unten);
    EXPECT_EQ(b.finde(3, 3)->rahmen, Rechts | Oben | Unten);
    EXPECT_EQ(b.finde(7, 3)->rahmen, Oben | Unten);
    EXPECT_EQ(b.finde(7, 4)->rahmen, Rechts | Oben | Unten);
    EXPECT_EQ(b.finde(1, 1)->rahmen, Links | Rechts | Oben | Unten);
    EXPECT_EQ(b.finde(5, 2)->rahmen, 0);
    EXPECT_EQ(t.protokoll("Zellrahmen").at(2), "Zellrahmen(-1, 1, 0, 1, 1, 1, 3, 1, 1, 1, 1)");
    EXPECT_TRUE(t.protokoll().contains("Zellrahmen(1, 1, 1, 1, 1, 1, 3, 1, 1, 1, 1)"));
}

TEST(KfzTabelle4, JournalLinesAndTheMissingEntryDate)
{
    Jahr j;
    auto f = journalwoche();
    f[3].Eintragungsdatum = 0;
    j.schreibe(f);
    j.k.vor.Journalfunktion = -1;
    sheet::RecordingSheet t;
    KfzTabelle4(t, j.k);
    const sheet::Blatt& b = t.blatt();
    EXPECT_EQ(text(b, 1, 1), "Eintragungsdatum :  04.01.2016");
    EXPECT_EQ(text(b, 2, 1), "Diese Eintragung wurde am 04.01.2016 gespeichert.");
    EXPECT_EQ(text(b, 3, 1), "Fahrt Nr.  1");
    // Blocks of 9, 9 and 9 rows: the fourth starts on row 34; with no
    // entry date its two journal lines stay empty and framed.
    EXPECT_EQ(text(b, 36, 1), "Fahrt Nr.  3");
    EXPECT_EQ(text(b, 34, 1), "");
    EXPECT_EQ(text(b, 35, 1), "");
    EXPECT_NE(b.finde(34, 1)->rahmen, 0);
    EXPECT_NE(b.finde(35, 1)->rahmen, 0);
    for (const auto& [zeile, zellen] : b.zeilen())
        for (const auto& [spalte, zelle] : zellen)
            EXPECT_FALSE(b.anzeigetext(zelle).contains("1899")) << zeile << "/" << spalte;
}

TEST(KfzTabelle4, SevenBlocksToAPortraitPage)
{
    for (bool journal : {false, true}) {
        Jahr j;
        std::vector<FahrtDatensatz> f;
        for (int i = 0; i < 22; ++i) {
            f.push_back(fahrt(J4 - 14 + i, "Meier", 3, 10000 + i, 1));
            f.back().Eintragungsdatum = J4;
        }
        j.schreibe(f);
        j.k.vor.Journalfunktion = journal ? -1 : 0;
        j.k.bereich = {J4, J4 + 7};
        sheet::RecordingSheet t;
        KfzTabelle4(t, j.k);
        const sheet::Blatt& b = t.blatt();
        // 14 trips before the range still count.
        const int h = journal ? 9 : 8;  // rows of a block
        const int erste = journal ? 3 : 2;
        EXPECT_EQ(text(b, erste, 1), "Fahrt Nr.  15");
        for (int k = 1; k <= 2; ++k)
            EXPECT_EQ(text(b, erste + k * (h + 2), 1), "Fahrt Nr.  " + QString::number(15 + k)) << journal;
        // Block 7 ends on 7h + 12, one empty row, the break, block 8 on top.
        const int ende7 = 6 * (h + 2) + h;
        ASSERT_EQ(b.umbrueche().size(), 1u);
        EXPECT_EQ(b.umbrueche()[0], ende7 + 2);
        EXPECT_EQ(text(b, ende7 + 2 + erste - 1, 1), "Fahrt Nr.  22");
        EXPECT_EQ(t.anzahl("Querformat?"), 2 * 8);
    }
}

TEST(KfzTabelle4, TimesAndAllowancesShapeTheLastColumns)
{
    Jahr j;
    j.schreibe(journalwoche());
    j.k.vor.OhneZeiten = -1;
    sheet::RecordingSheet t;
    KfzTabelle4(t, j.k);
    const sheet::Blatt& b = t.blatt();
    EXPECT_EQ(b.letzteSpalte(), 5);
    EXPECT_EQ(t.anzahl("Spaltenbreite"), 5);
    EXPECT_EQ(text(b, 7, 5), "");
    EXPECT_NE(b.finde(7, 5)->rahmen, 0);

    Jahr ohnePauschale;
    ohnePauschale.schreibe(journalwoche());
    ohnePauschale.k.vor.MitVerpflegungspauschale = 0;
    sheet::RecordingSheet u;
    KfzTabelle4(u, ohnePauschale.k);
    EXPECT_EQ(u.blatt().anzeigetext(2, 6), "Zeit");
    EXPECT_EQ(u.blatt().finde(7, 6), nullptr);
    EXPECT_EQ(u.blatt().anzeigetext(7, 5), "");
}

TEST(KfzTabelle4, TooFewTripsGiveMessage88OnAFreshSheet)
{
    Jahr j;
    j.k.pufferindex = 1;
    sheet::RecordingSheet t;
    t.Zeile(3);
    t.Spalte(3);
    t.Zelltext("alt");
    EXPECT_EQ(KfzTabelle4(t, j.k), Bau::Meldung88);
    EXPECT_EQ(t.blatt().letzteZeile(), 0);
    j.k.pufferindex = 3;
    j.k.fahrtdateiVorhanden = false;
    EXPECT_EQ(KfzTabelle4(t, j.k), Bau::Anfangskm);
}

TEST(Blankoformular, SevenEmptyBlocksOnOnePortraitPage)
{
    for (qint16 ohneZeiten : {0, -1}) {
        VoreinstellungSatz vor;
        vor.OhneZeiten = ohneZeiten;
        KfzGrundeinstellung kfz;
        sheet::RecordingSheet t;
        t.Querformat(true);
        Blankoformular(t, vor, kfz);
        const sheet::Blatt& b = t.blatt();
        EXPECT_EQ(b.name, "Kilometrika");
        EXPECT_FALSE(b.seite.quer);
        for (int start : {1, 11, 21, 31, 41, 51, 61}) {
            EXPECT_EQ(b.anzeigetext(start, 1), "Fahrt Nr. ");
            EXPECT_EQ(b.anzeigetext(start, 6), "Zeit");
            EXPECT_EQ(b.anzeigetext(start + 4, 4), "Gef. km   >");
            EXPECT_EQ(b.anzeigetext(start + 6, 1), "Fahrtart");
        }
        EXPECT_EQ(b.letzteZeile(), 68);
        ASSERT_EQ(b.umbrueche().size(), 1u);
        EXPECT_EQ(b.umbrueche()[0], 69);
        EXPECT_EQ(t.anzahl("Spaltenbreite"), ohneZeiten ? 5 : 6);
        EXPECT_EQ(b.finde(5, 6) != nullptr, ohneZeiten == 0);
        EXPECT_FALSE(b.finde(1, 1)->fett);
        EXPECT_TRUE(b.finde(2, 1)->fett);
        EXPECT_EQ(b.finde(2, 4)->rahmen, sheet::Links | sheet::Rechts | sheet::Oben | sheet::Unten);
    }
}

TEST(Blankoformular, SameSheetForEveryVehicle)
{
    VoreinstellungSatz vor;
    KfzGrundeinstellung a, b;
    a.Halter = "Erste GmbH";
    b.Halter = "Zweite AG";
    b.Kennzeichen = "K-X 1";
    sheet::RecordingSheet ta, tb;
    Blankoformular(ta, vor, a);
    Blankoformular(tb, vor, b);
    QStringList pa = ta.protokoll(), pb = tb.protokoll();
    pa.removeIf([](const QString& l) { return l.startsWith("Kopfzeile"); });
    pb.removeIf([](const QString& l) { return l.startsWith("Kopfzeile"); });
    EXPECT_EQ(pa, pb);
}

TEST(KfzTabelle4, FullTableJournalBlocksAndBreaks)
{
    // [normal, cancelled, correction, normal] and then enough trips for
    // a second page; saved on their departure days.
    std::vector<FahrtDatensatz> f;
    for (int i = 0; i < 9; ++i)
        f.push_back(fahrt(T5, "Meier", 3, 10000 + 100 * i, 100));
    for (auto& s : f)
        s.Eintragungsdatum = T5;
    f[1].Eintragsstatus = 1;
    f[1].Statusdatum = T5 + 1;
    f[2].Eintragsstatus = 2;
    f[2].Statusdatum = T5 + 1;
    f[2].Eintragungsdatum = T5 + 1;
    f[3].Eintragungsdatum = 0;  // no entry date: an empty framed line

    struct Fall {
        qint16 journal;
        std::vector<int> start;  // first row of each block
        int umbruch;
    };
    // Journal off: 10 rows for a normal block, 11 for the journal pair.
    // Journal on: 11 rows each. The eighth block opens page 2.
    const std::vector<Fall> faelle = {
        {0, {1, 11, 22, 33, 43, 53, 63, 72}, 72},
        {-1, {1, 12, 23, 34, 45, 56, 67, 77}, 77},
    };
    const QStringList nummern = {"Fahrt Nr.  1", "Fahrt Nr.  2", "Fahrt Nr.  2", "Fahrt Nr.  3",
                                 "Fahrt Nr.  4", "Fahrt Nr.  5", "Fahrt Nr.  6", "Fahrt Nr.  7"};
    for (const Fall& fall : faelle) {
        Jahr j;
        j.k.bereich = {T5, T8};
        j.k.vor.Journalfunktion = fall.journal;
        j.schreibe(f);
        sheet::RecordingSheet t;
        ASSERT_EQ(KfzTabelle4(t, j.k), Bau::Gebaut);
        const sheet::Blatt& b = t.blatt();
        SCOPED_TRACE(fall.journal);
        EXPECT_FALSE(b.seite.quer);
        ASSERT_EQ(b.umbrueche().size(), 1u);
        EXPECT_EQ(b.umbrueche()[0], fall.umbruch);
        const int j0 = fall.journal ? 1 : 0;
        for (size_t i = 0; i < fall.start.size(); ++i) {
            const int r = fall.start[i];
            const int kopf = r + ((i == 1 || i == 2) ? 2 : 1 + j0);
            EXPECT_EQ(zt(b, kopf, 1), nummern[i]) << i;
            EXPECT_EQ(zt(b, kopf - 1, 1).endsWith(" gespeichert.") || (i == 3 && zt(b, kopf - 1, 1).isEmpty()),
                      true)
                << i;
        }
        EXPECT_EQ(zt(b, 1, 1), fall.journal ? "Eintragungsdatum :  05.01.2016"
                                             : "Diese Eintragung wurde am 05.01.2016 gespeichert.");
        EXPECT_EQ(zt(b, fall.start[1], 1), "Diese Eintragung wurde am 06.01.2016 storniert. (alter Eintrag)");
        EXPECT_EQ(zt(b, fall.start[1] + 1, 1), "Diese Eintragung wurde am 05.01.2016 gespeichert.");
        EXPECT_EQ(zt(b, fall.start[2], 1), "Diese Eintragung wurde am 06.01.2016 überschrieben. ( Korrektur)");
        EXPECT_EQ(zt(b, fall.start[2] + 1, 1), "Diese Eintragung wurde am 06.01.2016 gespeichert.");
        // The record without an entry date: framed, empty, rows unchanged.
        for (int z = fall.start[3]; z < fall.start[3] + 1 + j0; ++z) {
            ASSERT_NE(b.finde(z, 1), nullptr);
            EXPECT_EQ(zt(b, z, 1), "");
            EXPECT_NE(b.finde(z, 1)->rahmen, 0);
        }
        const int r = 1 + 1 + j0;  // "Fahrt Nr." row of block 1
        EXPECT_EQ(zt(b, r + 1, 4), "05.01.2016");
        EXPECT_EQ(zt(b, r + 4, 4), "Gef. km");
        EXPECT_EQ(zt(b, r + 4, 5), "100");
        EXPECT_EQ(zt(b, r + 5, 3), "Fahrer");
        EXPECT_EQ(zt(b, r + 6, 2), "Geschäftsfahrt / keine Sonderfahrt");
        EXPECT_EQ(b.finde(r + 7, 1), nullptr);  // separator rows stay empty
        EXPECT_EQ(b.finde(r + 8, 1), nullptr);
    }
}

TEST(KfzTabelle4, FullTableTypeTexts)
{
    Firmenjahr j;
    sheet::RecordingSheet t;
    KfzTabelle4(t, j.k);
    const sheet::Blatt& b = t.blatt();
    // Journal off: blocks of ten rows; the first printed trip is number 2.
    const std::vector<std::pair<QString, QString>> bloecke = {
        {"Fahrt Nr.  2", "Geschäftsfahrt / Sonderfahrt / Stundenmehrheit am Abfahrtstag"},
        {"Fahrt Nr.  3", "Fahrt i. Zshg. m. stfr. Umsätzen / keine Pauschale laut Grundeinstellung"},
        {"Fahrt Nr.  4", "Geschäftsfahrt / keine Sonderfahrt"},
        {"Fahrt Nr.  5", "Geschäftsfahrt"},
        {"Fahrt Nr.  6", "Privatfahrt"},
        {"Fahrt Nr.  8", "Familienheimfahrt"},
    };
    for (int i = 0; i < int(bloecke.size()); ++i) {
        EXPECT_EQ(zt(b, 2 + 10 * i, 1), bloecke[i].first);
        EXPECT_EQ(zt(b, 8 + 10 * i, 2), bloecke[i].second);
    }
    EXPECT_EQ(zt(b, 7, 5), "Verpfl. Zuschuß");
    EXPECT_EQ(zt(b, 7, 6), "12");
    EXPECT_TRUE(b.finde(7, 6)->fett);
}

TEST(KfzTabelle4, FullTableWithoutTimesAndBlankFormForAnyVehicle)
{
    Firmenjahr j;
    j.k.vor.OhneZeiten = -1;  // allowances stay on, but without times they are not shown
    sheet::RecordingSheet t;
    KfzTabelle4(t, j.k);
    const sheet::Blatt& b = t.blatt();
    EXPECT_EQ(b.letzteSpalte(), 5);
    EXPECT_EQ(zt(b, 2, 5), "km - Stand");
    for (int z : {7, 8}) {  // rows 6 and 7 of the block: an empty closed cell
        ASSERT_NE(b.finde(z, 5), nullptr);
        EXPECT_EQ(zt(b, z, 5), "");
        EXPECT_NE(b.finde(z, 5)->rahmen, 0);
    }

    // The blank form's cells do not depend on the vehicle.
    VoreinstellungSatz vor;
    KfzGrundeinstellung a, c;
    c.Halter = QStringLiteral("Privat");
    c.Kennzeichen = QStringLiteral("MS-P 9");
    c.Privatfahrzeug = -1;
    sheet::RecordingSheet u, v;
    Blankoformular(u, vor, a);
    Blankoformular(v, vor, c);
    ASSERT_EQ(u.blatt().zeilen().size(), v.blatt().zeilen().size());
    for (const auto& [zeile, zellen] : u.blatt().zeilen())
        for (const auto& [spalte, z] : zellen)
            EXPECT_EQ(z.text, v.blatt().finde(zeile, spalte)->text);
}

TEST(Blankoformular, BlankFormIsOnePortraitPage)
{
    for (qint16 ohne : {0, -1}) {
        VoreinstellungSatz vor;
        vor.OhneZeiten = ohne;
        sheet::RecordingSheet t;
        Blankoformular(t, vor, KfzGrundeinstellung());
        const sheet::Blatt& b = t.blatt();
        EXPECT_FALSE(b.seite.quer);
        EXPECT_EQ(b.name, "Kilometrika");
        EXPECT_EQ(b.umbrueche(), std::vector<int32_t>{69});
        for (int r : {1, 11, 21, 31, 41, 51, 61}) {
            EXPECT_EQ(zt(b, r, 1), "Fahrt Nr. ");
            EXPECT_FALSE(b.finde(r, 1)->fett);
            EXPECT_EQ(zt(b, r, 6), "Zeit");
            EXPECT_EQ(zt(b, r + 1, 1), "Abfahrt");
            EXPECT_EQ(zt(b, r + 4, 4), "Gef. km   >");
            EXPECT_EQ(zt(b, r + 6, 1), "Fahrtart");
            EXPECT_EQ(b.finde(r + 8, 1), nullptr);
            EXPECT_EQ(b.finde(r + 4, 6) != nullptr && b.finde(r + 4, 6)->rahmen != 0, ohne == 0);
        }
        EXPECT_EQ(b.spaltenbreite(6), ohne ? sheet::kStandardbreite : 1200);
        EXPECT_EQ(b.letzteZeile(), 68);
    }
}
