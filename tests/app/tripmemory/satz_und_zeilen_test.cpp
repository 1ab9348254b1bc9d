// The 460-byte record and the texts of the lists built from it.

#include "umgebung.h"

#include "app/tripmemory/kundenliste.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace kmk;
using kmktest::satz;

TEST(Fahrtenspeichersatz, FieldsLandAtTheirOffsetsInWindows1252)
{
    const QByteArray b = satz(3, 250, "München", "A9 über Hof", "Hof", "Kundenbesuch €", "Bauamt").zuBytes();
    ASSERT_EQ(b.size(), 460);
    EXPECT_EQ(b.mid(0, 1).toHex(' '), "03");
    EXPECT_EQ(b.mid(1, 4).toHex(' '), "fa 00 00 00");
    EXPECT_EQ(b.mid(5, 8).toHex(' '), "4d fc 6e 63 68 65 6e 20");
    EXPECT_EQ(b.mid(5 + 7, 43), QByteArray(43, ' '));
    EXPECT_EQ(b.mid(55, 12), QByteArray("A9 \xFC" "ber Hof "));
    EXPECT_EQ(b.mid(309, 5), QByteArray(" Hof "));      // route padded to 255, then the destination
    EXPECT_EQ(b.mid(360, 15), QByteArray("Kundenbesuch \x80 "));
    EXPECT_EQ(b.mid(410, 7), QByteArray("Bauamt "));
    EXPECT_EQ(b.right(44), QByteArray(44, ' '));
    // A longer text is cut at its width.
    EXPECT_EQ(satz(1, -1, QString(60, 'x'), "", "", "", "").zuBytes().mid(1, 60),
              QByteArray("\xFF\xFF\xFF\xFF") + QByteArray(50, 'x') + QByteArray(6, ' '));
}

TEST(Fahrtenspeichersatz, EveryByteSurvivesARoundTrip)
{
    for (quint32 saat = 1; saat <= 30; ++saat) {
        QRandomGenerator g(saat);
        QByteArray b(460, '\0');
        for (char& c : b)
            c = char(g.bounded(256));
        EXPECT_EQ(Fahrtenspeichersatz::ausBytes(b).zuBytes(), b) << saat;
    }
}

TEST(Kundenliste, PickLineAndFilterRowCarryTheNumberInTheirFields)
{
    const auto s = satz(3, 5, "", "", "  Hof ", "", " Bauamt");
    const QString text = QString("Bauamt Hof").leftJustified(50);
    struct Fall { int nr; const char* pick; const char* filter; };
    const Fall faelle[] = {{5, "  5 ", "  5 "}, {12, " 12 ", " 12 "}, {123, " 123", "123 "}};
    for (const Fall& f : faelle) {
        EXPECT_EQ(pickZeile(s, f.nr), text + f.pick) << f.nr;
        EXPECT_EQ(filterZeile(s, f.nr), text + f.filter) << f.nr;
    }
    EXPECT_EQ(filterKopfzeile(), QString(" Alle Datensätze anzeigen").leftJustified(50) + "  0 ");
    // Contact and destination beyond 49 characters are cut; the field stays put.
    const QString lang = pickZeile(satz(3, 5, "", "", QString(30, 'n'), "", QString(30, 'k')), 7);
    EXPECT_EQ(lang, QString(30, 'k') + " " + QString(19, 'n') + "  7 ");
}

TEST(Kundenliste, EditorRowsAre110CharactersWide)
{
    const QString zeile = editorZeile(satz(3, 250, "Berlin", "A9", "Hof", "Kundenbesuch", "Bauamt"));
    const auto p = [](const char* t, int n) { return QString::fromUtf8(t).leftJustified(n); };
    EXPECT_EQ(zeile, "  3 | " + p("Bauamt", 16) + " | " + p("Berlin", 16) + " | " + p("A9", 16) + " | "
                         + p("Hof", 16) + " | " + p("250", 9) + " | " + p("Kundenbesuch", 16));
    EXPECT_EQ(zeile.size(), 110);
    EXPECT_EQ(editorKopfzeile(), "Art | Gesprächspartner | Abfahrtsort      | Wegstrecke       | "
                                 "Ankunftsort      | gef. Km   | Grund der Fahrt ");
    EXPECT_EQ(editorKopfzeile().size(), 110);
    EXPECT_EQ(editorTrennzeile(), QString(110, '-'));
    // Longer texts are cut to their column.
    EXPECT_EQ(editorZeile(satz(1, 1234567890, QString(40, 'v'), "", "", "", "")).size(), 110);
}

TEST(Kundenliste, DropDownsOfferDistinctTexts)
{
    const QList<Fahrtenspeichersatz> s = {
        satz(3, 1, "Köln ", "A1", "Hof", "Besuch", "Bauamt"),
        satz(3, 2, "Köln", "", "HOF", "Besuch", "Bauamt"),
        satz(1, 3, "Bonn", "A1", "Hof", "", "bauamt"),
    };
    const Auswahllisten a = auswahllisten(s, {"getippt", "", "", "Hof", "", "Fahrer X"});
    EXPECT_EQ(a[FeldGesprach], QStringList({"getippt", "Bauamt", "bauamt"}));
    EXPECT_EQ(a[FeldVon], QStringList({"", "Köln", "Bonn"}));
    EXPECT_EQ(a[FeldUber], QStringList({"", "A1"}));
    EXPECT_EQ(a[FeldNach], QStringList({"Hof", "HOF"}));
    EXPECT_EQ(a[FeldGrund], QStringList({"", "Besuch"}));
    EXPECT_EQ(a[FeldFahrer], QStringList({"Fahrer X"}));
    // The editor's lists ignore letter case, keep the first and one empty entry.
    const auto e = editorAuswahl(s);
    EXPECT_EQ(e[EdNach], QStringList({"Hof"}));
    EXPECT_EQ(e[EdGPartner], QStringList({"Bauamt"}));
    EXPECT_EQ(e[EdGrund], QStringList({"Besuch", ""}));
}
