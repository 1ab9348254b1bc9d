// A second reading of the trip memory against hand-worked bytes and texts:
// the stored record, the pick-list and filter lines, the hand-over, the
// deletion, the drop-downs and the editor's table, search and changes.

#include "umgebung.h"

#include "app/tripmemory/fkunden.h"
#include "platform/forms/colors.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace kmk;
using kmktest::satz;
using kmktest::Umgebung;

namespace {

QByteArray feld(const QByteArray& inhalt, int breite) { return inhalt + QByteArray(breite - inhalt.size(), ' '); }
QString bis(const QString& s, int breite) { return s + QString(breite - s.size(), ' '); }

// Record 3 / 250 km / München - "A9 über Hof" - Berlin / Kundenbesuch / Bauamt.
QByteArray muenchenBytes(quint8 art = 3, QByteArray km = QByteArray("\xFA\x00\x00\x00", 4))
{
    return QByteArray(1, char(art)) + km + feld("M\xFC" "nchen", 50) + feld("A9 \xFC" "ber Hof", 255)
           + feld("Berlin", 50) + feld("Kundenbesuch", 50) + feld("Bauamt", 50);
}

QStringList eintraege(const QComboBox* b)
{
    QStringList l;
    for (int i = 0; i < b->count(); ++i)
        l << b->itemText(i);
    return l;
}

} // namespace

TEST(Zweitpruefung, StoringTheTypedTripWritesTheRecordByteForByte)
{
    Umgebung u;
    EXPECT_EQ(muenchenBytes().size(), 460);
    ASSERT_EQ(QByteArray("M\xFC" "nchen").toHex(' '), "4d fc 6e 63 68 65 6e");

    // An incomplete entry is refused before any file exists.
    u.tippe(3, 250, "München", "A9 über Hof", "Berlin", "", "Bauamt");
    u.fs.TasteF11();
    EXPECT_EQ(u.meldungen, QList<int>{87});
    EXPECT_FALSE(QFile::exists(u.pfad()));

    struct Fall {
        int art; qint32 km; const char* von; const char* nach; const char* grund;
        QList<int> meldungen; QByteArray neu;  // the record appended, empty: none
    };
    const QByteArray leerVon = QByteArray(1, 1) + QByteArray("\xFA\x00\x00\x00", 4) + feld("", 50)
                               + feld("A9 \xFC" "ber Hof", 255) + feld("Berlin", 50) + feld("", 50)
                               + feld("Bauamt", 50);
    const Fall faelle[] = {
        {3, 250, " München ", "Berlin  ", "Kundenbesuch", {}, muenchenBytes()},
        {3, 250, "München", "Berlin", "Kundenbesuch", {86}, {}},
        {4, 250, "München", "Berlin", "Kundenbesuch", {}, muenchenBytes(4)},
        {3, 70000, "München", "Berlin", "Kundenbesuch", {}, muenchenBytes(3, QByteArray("\x70\x11\x01\x00", 4))},
        {3, 250, "München", "berlin", "Kundenbesuch", {}, muenchenBytes().replace(310, 1, "b")},
        {3, 250, "", "Berlin", "Kundenbesuch", {87}, {}},
        {3, 250, "München", "", "Kundenbesuch", {87}, {}},
        {3, 250, "München", "Berlin", "", {87}, {}},
        // A commute needs no purpose; a start place of blanks passes.
        {1, 250, "   ", "Berlin", "", {}, leerVon},
    };
    QByteArray datei;
    for (const Fall& f : faelle) {
        u.meldungen.clear();
        u.tippe(f.art, f.km, f.von, "A9 über Hof", f.nach, f.grund, "Bauamt");
        u.fs.TasteF11();
        datei += f.neu;
        EXPECT_EQ(u.meldungen, f.meldungen) << f.km << f.von << f.nach;
        EXPECT_EQ(u.lies().toHex(), datei.toHex()) << f.km << f.von << f.nach;
        EXPECT_EQ(u.liste("List8")->count(), datei.size() / 460);
    }

    // A torn tail of a record is not counted: the next record goes over it.
    {
        QFile f(u.pfad());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(QByteArray(100, 'x'));
    }
    u.meldungen.clear();
    u.tippe(2, 0, "Hof", "", "Bonn", "Einkauf", "");
    u.fs.TasteF11();
    datei += QByteArray(1, 2) + QByteArray(4, '\0') + feld("Hof", 50) + feld("", 255) + feld("Bonn", 50)
             + feld("Einkauf", 50) + feld("", 50);
    EXPECT_TRUE(u.meldungen.isEmpty());
    EXPECT_EQ(u.lies().toHex(), datei.toHex());
}

TEST(Zweitpruefung, PickLinesFilterRowsAndTheChosenNumber)
{
    Umgebung u;
    QList<Fahrtenspeichersatz> s;
    for (int i = 1; i <= 123; ++i)
        s << satz(3, i, "V", "", QString("Ort%1").arg(i), "G", QString("P%1").arg(i));
    s[6] = satz(3, 7, "V", "", QString(30, 'b'), "G", QString(30, 'a'));
    u.schreibe(s);
    u.fs.KListe();
    u.fs.AListe();

    struct Fall { int nr; QString pick, filter; };
    const Fall faelle[] = {
        {5, bis("P5 Ort5", 50) + "  5 ", bis("P5 Ort5", 50) + "  5 "},
        {7, QString(30, 'a') + " " + QString(19, 'b') + "  7 ", QString(30, 'a') + " " + QString(19, 'b') + "  7 "},
        {9, bis("P9 Ort9", 50) + "  9 ", bis("P9 Ort9", 50) + "  9 "},
        {10, bis("P10 Ort10", 50) + " 10 ", bis("P10 Ort10", 50) + " 10 "},
        {12, bis("P12 Ort12", 50) + " 12 ", bis("P12 Ort12", 50) + " 12 "},
        {100, bis("P100 Ort100", 50) + " 100", bis("P100 Ort100", 50) + "100 "},
        {123, bis("P123 Ort123", 50) + " 123", bis("P123 Ort123", 50) + "123 "},
    };
    EXPECT_EQ(u.liste("List2")->item(0)->text(), " Alle Datens\u00e4tze anzeigen" + QString(25, ' ') + "  0 ");
    for (const Fall& f : faelle) {
        EXPECT_EQ(u.liste("List8")->item(f.nr - 1)->text(), f.pick);
        EXPECT_EQ(u.liste("List1")->item(f.nr - 1)->text(), f.pick);
        EXPECT_EQ(u.liste("List2")->item(f.nr)->text(), f.filter);
        EXPECT_EQ(f.pick.size(), 54);
        EXPECT_EQ(f.filter.size(), 54);
        // The hand-over takes the very record of the line, 123 included.
        u.waehle(f.nr - 1);
        EXPECT_EQ(u.ctl<QLabel>("Label56")->text(), f.pick);
        u.st.NeuerEintragOffen = true;
        u.fs.TasteF10();
        EXPECT_EQ(u.box("EinNach")->text(), s[f.nr - 1].Nach);
    }

    // The letter filter copies lines by their text; a copied line still finds its record.
    u.liste("List8")->clear();
    u.liste("List8")->addItems({u.liste("List1")->item(11)->text(), u.liste("List1")->item(119)->text()});
    u.waehle(1);
    u.fs.TasteF10();
    EXPECT_EQ(u.box("EinNach")->text(), "Ort120");
}

TEST(Zweitpruefung, HandOverIntoANewEntryByKeyAndByEnter)
{
    struct Fall { bool privat; bool perEnter; QString gefKm; const char* option; int art; QList<int> meldungen; };
    const Fall faelle[] = {
        {false, false, "", "OptFam", 5, {64}},
        {false, true, "", "OptFam", 5, {64}},
        {true, false, " 480", "OptGesch", 3, {}},
        {true, true, " 480", "OptGesch", 3, {}},
    };
    for (const Fall& f : faelle) {
        Umgebung u;
        u.schreibe({satz(2, 9, "X", "", "Y", "", "Z"), satz(5, 480, "  Hof ", "B2", "Leipzig", "Heimfahrt", "Familie")});
        u.st.Kfz.Firmenfahrzeug = f.privat ? 0 : -1;
        u.st.Kfz.Privatfahrzeug = f.privat ? -1 : 0;
        u.st.Voreinstellung.MitVerpflegungspauschale = -1;
        u.ctl<QLabel>("AnzKmAb")->setText("35020");
        u.fs.KListe();
        u.waehle(1);
        QListWidget* list8 = u.liste("List8");

        // Without a new entry Enter changes nothing and says nothing.
        u.st.NeuerEintragOffen = false;
        QTest::keyClick(list8, Qt::Key_Return);
        EXPECT_EQ(u.box("EinNach")->text(), "");
        EXPECT_TRUE(u.meldungen.isEmpty());

        u.st.NeuerEintragOffen = true;
        if (f.perEnter)
            QTest::keyClick(list8, Qt::Key_Return);
        else
            u.fs.TasteF10();
        EXPECT_EQ(u.ctl<QLineEdit>("EinkmAn")->text(), "35500");
        EXPECT_EQ(u.ctl<QLineEdit>("EinGefKm")->text(), f.gefKm);
        EXPECT_EQ(u.st.Satzpuffer[0].GefahreneKm, 480);
        const QStringList texte{u.box("EinVon")->text(), u.box("EinUber")->text(), u.box("EinNach")->text(),
                                u.box("EinGrund")->text(), u.box("EinGesprach")->text()};
        EXPECT_EQ(texte, QStringList({"Hof", "B2", "Leipzig", "Heimfahrt", "Familie"}));
        EXPECT_TRUE(u.ctl<QRadioButton>(f.option)->isChecked());
        EXPECT_EQ(int(u.st.AktuelleFahrtart), f.art);
        EXPECT_EQ(u.meldungen, f.meldungen) << f.privat << f.perEnter;
    }
}

TEST(Zweitpruefung, DeletingTheChosenRecordRewritesTheRest)
{
    const QList<Fahrtenspeichersatz> drei{satz(1, 1, "A", "", "Eins", "", "P"), satz(3, 2, "B", "", "Zwei", "G", "P"),
                                          satz(4, 3, "C", "", "Zwei", "G", "P")};
    struct Fall { int saetze; int zeile; bool ja; QList<int> bleiben; };
    const Fall faelle[] = {
        {3, 1, true, {0, 2}}, {3, 2, true, {0, 1}}, {3, 0, true, {1, 2}},
        {3, 1, false, {0, 1, 2}}, {1, 0, true, {0}},
    };
    for (const Fall& f : faelle) {
        Umgebung u;
        u.schreibe(drei.mid(0, f.saetze));
        u.fs.KListe();
        u.waehle(f.zeile);
        u.antworten = {f.ja};
        u.fs.TasteF3();
        QByteArray soll;
        for (int i : f.bleiben)
            soll += drei[i].zuBytes();
        EXPECT_EQ(u.meldungen, QList<int>{30});
        EXPECT_EQ(u.lies(), soll) << f.saetze << f.zeile << f.ja;
        EXPECT_EQ(u.liste("List8")->count(), f.bleiben.size());
        EXPECT_EQ(u.liste("List2")->count(), f.bleiben.size() + 1);
        if (f.ja && f.saetze > 1) {
            // No line of the deleted record stays chosen: a second F3 deletes nothing.
            EXPECT_EQ(u.ctl<QLabel>("Label56")->text(), "");
            u.fs.TasteF3();
            EXPECT_EQ(u.lies(), soll);
        }
    }
    // Deleted elsewhere (the editor), the chosen record's twin line moves up
    // into its number: the choice is let go, F3 and F10 touch nothing.
    Umgebung u;
    u.schreibe(drei);
    u.fs.KListe();
    u.waehle(1);
    ASSERT_TRUE(Kundendatei(u.pfad()).entfernen(2));
    u.fs.KListe();
    EXPECT_EQ(u.ctl<QLabel>("Label56")->text(), "");
    const QByteArray rest = u.lies();
    u.fs.TasteF3();
    u.st.NeuerEintragOffen = true;
    u.fs.TasteF10();
    EXPECT_EQ(u.lies(), rest);
    EXPECT_EQ(u.box("EinVon")->text(), "");
}

TEST(Zweitpruefung, DropDownsOfferTheDistinctTextsAndKeepTheTyped)
{
    Umgebung u;
    u.schreibe({satz(3, 1, "Köln", "A1", "Hof", "Besuch", "Amt"), satz(3, 2, " Köln ", "", "HOF", "Besuch", ""),
                satz(3, 3, "Bonn", "A1", "", "Messe", "amt")});
    u.box("EinNach")->setText("Hof");
    u.box("EinVon")->setText("halb");
    u.box("EinFahrer")->setText("Ich");
    u.fs.AListe();
    struct Fall { const char* box; QStringList liste; QString text; };
    const Fall faelle[] = {
        {"EinVon", {"halb", "Köln", "Bonn"}, "halb"},
        {"EinUber", {"", "A1"}, ""},
        {"EinNach", {"Hof", "HOF"}, "Hof"},
        {"EinGrund", {"", "Besuch", "Messe"}, ""},
        {"EinGesprach", {"", "Amt", "amt"}, ""},
        {"EinFahrer", {"Ich"}, "Ich"},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(eintraege(u.box(f.box)), f.liste) << f.box;
        EXPECT_EQ(u.box(f.box)->text(), f.text) << f.box;
    }
    EXPECT_EQ(u.liste("List2")->count(), 4);
}

TEST(Zweitpruefung, EditorTableRowsAndHeading)
{
    Umgebung u;
    u.schreibe({satz(3, 250, "Berlin", "A9", "Hof", "Kundenbesuch", "Bauamt"),
                satz(5, 1234567890, QString(20, 'v'), QString(40, 'w'), "Ziel", QString(17, 'g'), QString(17, 'p')),
                satz(1, 7, "Hof", "", "hof", "", "X")});
    FKunden fk(u.fs);
    fk.show();
    const QString sep = " | ";
    const QStringList soll{
        "Art | Gesprächspartner | Abfahrtsort      | Wegstrecke       | Ankunftsort      | gef. Km   | Grund der Fahrt ",
        QString(110, '-'),
        "  3" + sep + bis("Bauamt", 16) + sep + bis("Berlin", 16) + sep + bis("A9", 16) + sep + bis("Hof", 16) + sep
            + "250      " + sep + bis("Kundenbesuch", 16),
        "  5" + sep + QString(16, 'p') + sep + QString(16, 'v') + sep + QString(16, 'w') + sep + bis("Ziel", 16) + sep
            + "123456789" + sep + QString(16, 'g'),
        "  1" + sep + bis("X", 16) + sep + bis("Hof", 16) + sep + QString(16, ' ') + sep + bis("hof", 16) + sep
            + "7        " + sep + QString(16, ' '),
    };
    ASSERT_EQ(fk.DatListe->count(), soll.size());
    for (int i = 0; i < soll.size(); ++i) {
        EXPECT_EQ(fk.DatListe->item(i)->text(), soll[i]) << i;
        EXPECT_EQ(soll[i].size(), 110);
    }
    // Drop-downs: each value once ignoring case, the first kept, an empty one once.
    EXPECT_EQ(eintraege(fk.CTNach), QStringList({"Hof", "Ziel"}));
    EXPECT_EQ(eintraege(fk.CTVon), QStringList({"Berlin", QString(20, 'v'), "Hof"}));
    EXPECT_EQ(eintraege(fk.CTWeg), QStringList({"A9", QString(40, 'w'), ""}));
}

TEST(Zweitpruefung, EditorCreatesChangesDeletesAndFindsAndTheMainListsFollow)
{
    Umgebung u;
    QList<Fahrtenspeichersatz> s;
    for (int i = 1; i <= 6; ++i)
        s << satz(3, i, QString("Von%1").arg(i), "W", QString(i >= 5 ? "Zzort%1" : "Ort%1").arg(i), "G", "P");
    u.schreibe(s);
    FKunden fk(u.fs);
    fk.hauptfensterNeu = [&u] { u.fs.KListe(); u.fs.AListe(); };
    fk.show();

    // Find next from the first opening: below the heading, the last two reached, round again.
    QList<int> treffer;
    for (int i = 0; i < 3; ++i) {
        fk.CWeiter_Click();
        treffer << fk.AktuellerSatz;
    }
    EXPECT_EQ(treffer, QList<int>({1, 2, 3}));
    forms::setText(fk.TSuch, "zZORT");
    treffer.clear();
    for (int i = 0; i < 4; ++i) {
        fk.CWeiter_Click();
        treffer << fk.AktuellerSatz;
        EXPECT_EQ(fk.DatListe->currentRow(), fk.AktuellerSatz + 1);
    }
    EXPECT_EQ(treffer, QList<int>({5, 6, 5, 6}));

    // Change record 6's kilometres: only its bytes change.
    fk.Datensatz_zeigen(6);
    forms::setText(fk.Tgefkm, "66");
    fk.DatSpeichern_Click();
    s[5].GefahreneKm = 66;
    QByteArray soll;
    for (const auto& r : s)
        soll += r.zuBytes();
    EXPECT_EQ(u.lies(), soll);

    // Create: red while new, appended as record 7, black again.
    fk.DatNeu_Click();
    EXPECT_EQ(fk.CTGrund->lineEdit()->palette().color(QPalette::Text), forms::bgr(0xC0));
    fk.Fahrtarten->setValue(0);
    forms::setText(fk.Tgefkm, "12");
    fk.CTVon->setText("München");
    fk.CTWeg->setText("B2");
    fk.CTNach->setText("Dachau");
    fk.CTGPartner->setText("Werk");
    fk.CTGrund->setText("Arbeit");
    fk.DatSpeichern_Click();
    soll += QByteArray(1, 1) + QByteArray("\x0C\x00\x00\x00", 4) + feld("M\xFC" "nchen", 50) + feld("B2", 255)
            + feld("Dachau", 50) + feld("Arbeit", 50) + feld("Werk", 50);
    EXPECT_EQ(u.lies().toHex(), soll.toHex());
    EXPECT_EQ(fk.TNr->text(), " 7");
    EXPECT_EQ(fk.CTGrund->lineEdit()->palette().color(QPalette::Text), forms::bgr(0));
    EXPECT_EQ(u.liste("List8")->count(), 7);
    EXPECT_EQ(u.liste("List8")->item(6)->text(), bis("Werk Dachau", 50) + "  7 ");

    // Delete record 1: the rest move up, the window shows the new last record.
    fk.DatAnfang_Click();
    fk.DatLoeschen_Click();
    EXPECT_EQ(u.lies(), soll.mid(460));
    EXPECT_EQ(fk.AktuellerSatz, 6);
    EXPECT_EQ(fk.CTNach->text(), "Dachau");
    EXPECT_EQ(u.liste("List8")->count(), 6);
    EXPECT_EQ(u.liste("List8")->item(0)->text(), bis("P Ort2", 50) + "  1 ");
}
