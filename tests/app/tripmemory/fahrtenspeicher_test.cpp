// The trip memory on the entry page: store (F11), take over (F10, Enter,
// double click), delete (F3), the lists and the filter.

#include "umgebung.h"

#include "app/records/dateien.h"
#include "app/tripmemory/kundenliste.h"
#include "platform/io/schritte.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace kmk;
using kmktest::bis;
using kmktest::eintraege;
using kmktest::feld;
using kmktest::satz;
using kmktest::Umgebung;

namespace {

// Record 3 / 250 km / München - "A9 über Hof" - Berlin / Kundenbesuch / Bauamt.
QByteArray muenchenBytes(quint8 art = 3, QByteArray km = QByteArray("\xFA\x00\x00\x00", 4))
{
    return QByteArray(1, char(art)) + km + feld("M\xFC" "nchen", 50) + feld("A9 \xFC" "ber Hof", 255)
           + feld("Berlin", 50) + feld("Kundenbesuch", 50) + feld("Bauamt", 50);
}

} // namespace

TEST(Fahrtenspeicher, F11StoresTheEntryByteForByteOnceOnly)
{
    Umgebung u;
    u.tippe(3, 250, " München ", "A9", "Hof", "Kundenbesuch", "Bauamt");
    u.fs.TasteF11();
    const QByteArray b = u.lies();
    ASSERT_EQ(b.size(), 460);
    EXPECT_EQ(b, satz(3, 250, "München", "A9", "Hof", "Kundenbesuch", "Bauamt").zuBytes());
    EXPECT_EQ(b.mid(5, 7).toHex(' '), "4d fc 6e 63 68 65 6e");
    EXPECT_EQ(u.liste("List8")->count(), 1);
    EXPECT_EQ(u.liste("List1")->count(), 1);
    EXPECT_EQ(u.liste("List2")->count(), 2);
    EXPECT_EQ(u.fs.Kundenanzahl, 1);

    u.fs.TasteF11();
    EXPECT_EQ(u.meldungen, QList<int>{86});
    EXPECT_EQ(u.lies().size(), 460);

    // A change of type, km or the case of one letter makes a new record.
    u.st.AktuelleFahrtart = 4;
    u.fs.TasteF11();
    u.st.EingabeKm = 251;
    u.fs.TasteF11();
    u.box("EinGesprach")->setText("BAUAMT");
    u.fs.TasteF11();
    EXPECT_EQ(u.lies().size(), 4 * 460);
    EXPECT_EQ(u.meldungen, QList<int>{86});
}

TEST(Fahrtenspeicher, F11RefusesAnIncompleteEntry)
{
    struct Fall { int art; const char* von; const char* nach; const char* grund; bool gespeichert; };
    const Fall faelle[] = {
        {3, "Köln", "Hof", "", false},     // purpose missing
        {3, "", "Hof", "Besuch", false},   // start missing
        {3, "Köln", "", "Besuch", false},  // destination missing
        {1, "Köln", "Hof", "", true},      // a commute needs no purpose
        {3, "   ", "Hof", "Besuch", true}, // blanks count as a start
    };
    for (const Fall& f : faelle) {
        Umgebung u;
        u.tippe(f.art, 10, f.von, "", f.nach, f.grund, "");
        u.fs.TasteF11();
        EXPECT_EQ(u.meldungen.contains(87), !f.gespeichert) << f.von << f.nach << f.grund;
        EXPECT_EQ(QFile::exists(u.pfad()), f.gespeichert) << f.von << f.nach << f.grund;
    }
    Umgebung u;
    u.tippe(3, 10, "   ", "", "Hof", "Besuch", "");
    u.fs.TasteF11();
    EXPECT_EQ(Kundendatei(u.pfad()).satz(1).Von, QString(50, ' '));
}

TEST(Fahrtenspeicher, HandOverSetsArrivalTypeAndTexts)
{
    struct Fall { bool privatAuto; int art; const char* option; const char* gefKm; QList<int> meldungen; };
    const Fall faelle[] = {
        {false, 4, "OptEhr", "", {64}},
        {false, 2, "OptPri", "", {}},
        {true, 4, "OptGesch", " 250", {}},
    };
    for (const Fall& f : faelle) {
        Umgebung u;
        u.schreibe({satz(1, 5, "A", "", "B", "", "C"), satz(quint8(f.art), 250, "Köln", "A1", "Hof", "Besuch", "Amt")});
        u.st.Kfz.Firmenfahrzeug = f.privatAuto ? 0 : -1;
        u.st.Kfz.Privatfahrzeug = f.privatAuto ? -1 : 0;
        u.st.Voreinstellung.MitVerpflegungspauschale = -1;
        u.st.NeuerEintragOffen = true;
        u.fs.KListe();
        u.waehle(1);
        u.fs.TasteF10();
        EXPECT_EQ(u.ctl<QLineEdit>("EinkmAn")->text(), "12250");
        EXPECT_EQ(u.st.Satzpuffer[0].GefahreneKm, 250);
        EXPECT_EQ(u.ctl<QLineEdit>("EinGefKm")->text(), f.gefKm);
        EXPECT_EQ(u.box("EinVon")->text(), "Köln");
        EXPECT_EQ(u.box("EinUber")->text(), "A1");
        EXPECT_EQ(u.box("EinNach")->text(), "Hof");
        EXPECT_EQ(u.box("EinGrund")->text(), "Besuch");
        EXPECT_EQ(u.box("EinGesprach")->text(), "Amt");
        EXPECT_TRUE(u.ctl<QRadioButton>(f.option)->isChecked()) << f.option;
        EXPECT_EQ(u.st.AktuelleFahrtart, f.privatAuto ? 3 : f.art);
        EXPECT_EQ(u.meldungen, f.meldungen);
    }
}

TEST(Fahrtenspeicher, EnterAndDoubleClickInTheListTakeOverOnlyIntoANewEntry)
{
    Umgebung u;
    u.schreibe({satz(3, 40, "Köln", "", "Hof", "Besuch", "Amt")});
    u.fs.KListe();
    u.waehle(0);
    QListWidget* l = u.liste("List8");
    QTest::keyClick(l, Qt::Key_Return);
    EXPECT_EQ(u.ctl<QLineEdit>("EinkmAn")->text(), "");
    emit l->itemDoubleClicked(l->item(0));
    EXPECT_EQ(u.meldungen, QList<int>{65});
    EXPECT_EQ(u.box("EinVon")->text(), "");

    u.st.NeuerEintragOffen = true;
    int rot = 0, pauschale = 0;
    u.fs.dienste.Roteeingabe = [&] { ++rot; };
    u.fs.dienste.PauschaleAnzeigen = [&] { ++pauschale; };
    QTest::keyClick(l, Qt::Key_Return);
    EXPECT_EQ(u.ctl<QLineEdit>("EinkmAn")->text(), "12040");
    EXPECT_EQ(pauschale, 1);   // the trip type set counts as clicked
    forms::setText(u.ctl<QLineEdit>("EinkmAn"), "");
    emit l->itemDoubleClicked(l->item(0));
    EXPECT_EQ(u.ctl<QLineEdit>("EinkmAn")->text(), "12040");
    EXPECT_EQ(rot, 1);
    EXPECT_EQ(pauschale, 3);   // the type's, then the page's after the red
}

TEST(Fahrtenspeicher, TheChosenLineNamesItsOwnRecordOrNone)
{
    Umgebung u;
    QList<Fahrtenspeichersatz> s;
    for (int i = 1; i <= 130; ++i)
        s << satz(3, i, "Von", "", QString("Ziel %1").arg(i), "Grund", "");
    u.schreibe(s);
    u.fs.KListe();
    EXPECT_EQ(u.liste("List8")->item(122)->data(SatznummerRolle).toInt(), 123);
    u.waehle(122);
    EXPECT_EQ(u.ctl<QLabel>("Label56")->text(), u.liste("List8")->item(122)->text());
    u.fs.Kundeubergeben();
    EXPECT_EQ(u.box("EinNach")->text(), "Ziel 123");

    // Nothing chosen, or a number without a record: nothing is taken, not record 1.
    for (int nr : {0, 131, -4}) {
        u.box("EinNach")->setText("");
        setzeAuswahl(u.ctl<QLabel>("Label56"), "x", nr);
        u.fs.Kundeubergeben();
        EXPECT_EQ(u.box("EinNach")->text(), "") << nr;
    }
    // A line the letter filter copied by its text still names its own record.
    u.liste("List8")->clear();
    u.liste("List8")->addItem(u.liste("List1")->item(99)->text());
    u.waehle(0);
    EXPECT_EQ(u.fs.gewaehlterSatz(), 100);
}

TEST(Fahrtenspeicher, F3DeletesTheChosenRecordOnceAfterAsking)
{
    Umgebung u;
    u.schreibe({satz(3, 1, "A", "", "Eins", "G", ""), satz(3, 2, "A", "", "Zwei", "G", ""),
                satz(3, 3, "A", "", "Drei", "G", "")});
    u.fs.KListe();
    u.waehle(1);
    u.antworten = {false};
    u.fs.TasteF3();
    EXPECT_EQ(u.lies().size(), 3 * 460);
    EXPECT_EQ(u.meldungen, QList<int>{30});

    u.fs.TasteF3();
    const QList<Fahrtenspeichersatz> rest = Kundendatei(u.pfad()).alle();
    ASSERT_EQ(rest.size(), 2);
    EXPECT_EQ(rest[1].GefahreneKm, 3);
    EXPECT_EQ(u.ctl<QLabel>("Label56")->text(), "");
    EXPECT_EQ(u.liste("List8")->count(), 2);
    EXPECT_EQ(u.liste("List2")->count(), 3);
    // A second F3 has no line and deletes nothing more.
    u.fs.TasteF3();
    EXPECT_EQ(Kundendatei(u.pfad()).anzahl(), 2);
    EXPECT_EQ(u.meldungen, QList<int>({30, 30}));
}

TEST(Fahrtenspeicher, ADeleteThatCannotWriteSaysTheWriteSentenceOnce)
{
    // A full disk, and a file the user may not write.
    for (const bool voll : {true, false}) {
        Umgebung u;
        u.schreibe({satz(3, 1, "A", "", "Eins", "G", ""), satz(3, 2, "A", "", "Zwei", "G", "")});
        const QByteArray vorher = u.lies();
        u.fs.KListe();
        u.waehle(1);
        if (voll)
            io::pruefstand::fehlerBei(2, ENOSPC);   // the rewrite's write
        else
            ASSERT_TRUE(QFile::setPermissions(u.pfad(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        u.fs.TasteF3();
        io::pruefstand::aus();
        EXPECT_EQ(u.lies(), vorher) << voll;
        QStringList gesagt;
        for (const auto& d : u.fakes.dialogs.shown)
            gesagt << d.prompt;
        EXPECT_EQ(gesagt, QStringList{TextSchreibfehler(u.pfad())}) << voll;
    }
}

TEST(Fahrtenspeicher, TheLastRecordStaysAfterTheQuestion)
{
    Umgebung u;
    u.schreibe({satz(3, 1, "A", "", "Eins", "G", "")});
    u.fs.KListe();
    u.waehle(0);
    u.fs.TasteF3();
    EXPECT_EQ(u.meldungen, QList<int>{30});
    EXPECT_EQ(u.lies(), satz(3, 1, "A", "", "Eins", "G", "").zuBytes());
}

TEST(Fahrtenspeicher, AChosenLineIsLetGoWhenItsRecordMoves)
{
    Umgebung u;
    u.schreibe({satz(3, 1, "A", "", "Eins", "G", ""), satz(3, 2, "A", "", "Zwei", "G", "")});
    u.fs.KListe();
    u.waehle(1);
    // The editor deleted record 1: the line of "Zwei" now names record 1.
    ASSERT_TRUE(Kundendatei(u.pfad()).entfernen(1));
    u.fs.KListe();
    EXPECT_EQ(u.fs.gewaehlterSatz(), 0);
    EXPECT_EQ(u.ctl<QLabel>("Label56")->text(), "");
}

TEST(Fahrtenspeicher, DropDownsKeepTheTypedTextAndOfferEachTextOnce)
{
    Umgebung u;
    u.schreibe({satz(3, 1, "Köln", "", "Hof", "G", "Amt"), satz(3, 2, "Köln", "", "HOF", "G", "Amt")});
    u.box("EinNach")->setText("Ha");
    u.box("EinFahrer")->setText("Fritz");
    u.fs.AListe();
    forms::ComboBox* nach = u.box("EinNach");
    EXPECT_EQ(nach->text(), "Ha");
    ASSERT_EQ(nach->count(), 3);
    EXPECT_EQ(nach->itemText(1), "Hof");
    EXPECT_EQ(nach->itemText(2), "HOF");
    EXPECT_EQ(u.box("EinVon")->count(), 2);   // the empty typed text and "Köln"
    EXPECT_EQ(u.box("EinFahrer")->count(), 1);
    EXPECT_EQ(u.liste("List2")->item(2)->text(), filterZeile(satz(3, 2, "", "", "HOF", "", "Amt"), 2));
    EXPECT_EQ(u.liste("List2")->item(2)->data(SatznummerRolle).toInt(), 2);

    int klick = 0;
    QObject::connect(nach, &forms::ComboBox::click, [&] { ++klick; });
    nach->setListIndex(2);
    EXPECT_EQ(nach->text(), "HOF");
    EXPECT_EQ(klick, 1);

    // Without a file the lists stay as they are.
    QFile::remove(u.pfad());
    u.fs.AListe();
    EXPECT_EQ(nach->count(), 3);
    u.fs.KListe();
    EXPECT_EQ(u.liste("List8")->count(), 0);
}

TEST(Fahrtenspeicher, ButtonsActOnTheLeftButton)
{
    Umgebung u;
    u.schreibe({satz(3, 7, "A", "", "B", "G", "")});
    u.fs.KListe();
    u.waehle(0);
    u.fs.KundeEintragen_MouseUp(1);     // no new entry open
    u.st.NeuerEintragOffen = true;
    u.fs.KundeEintragen_MouseUp(2);
    EXPECT_EQ(u.meldungen, QList<int>({99, 99}));
    u.fs.KundeEintragen_MouseUp(1);
    EXPECT_EQ(u.box("EinNach")->text(), "B");
    u.fs.Kundeuberschreiben_MouseUp(2);
    u.fs.KundenNeu_MouseUp(2);
    EXPECT_EQ(u.meldungen.size(), 2);
    int editor = 0;
    u.fs.dienste.editorZeigen = [&] { ++editor; };
    u.fs.KundenBearbeiten_Click();
    EXPECT_EQ(editor, 1);
    QFile::remove(u.pfad());
    u.fs.KundenBearbeiten_Click();
    EXPECT_EQ(editor, 1);
    EXPECT_EQ(u.meldungen.last(), 55);
}

TEST(Fahrtenspeicher, StoringTheTypedTripWritesTheRecordByteForByte)
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

TEST(Fahrtenspeicher, PickLinesFilterRowsAndTheChosenNumber)
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

TEST(Fahrtenspeicher, HandOverIntoANewEntryByKeyAndByEnter)
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

TEST(Fahrtenspeicher, DeletingTheChosenRecordRewritesTheRest)
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

TEST(Fahrtenspeicher, DropDownsOfferTheDistinctTextsAndKeepTheTyped)
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

TEST(Fahrtenspeicher, AFileBeyondWhatTheListsCountIsListedUpToThemAndRewrittenWhole)
{
    // A damaged file of gigabytes would take the start's memory: the lists
    // read as many records as they count, a rewrite keeps all of them.
    Umgebung u;
    u.schreibe({satz(1, 1, "A", "", "Eins", "", "P"), satz(3, 2, "B", "", "Zwei", "G", "P")});
    {
        QFile d(u.pfad());
        ASSERT_TRUE(d.resize(qint64(32769) * Fahrtenspeichersatz::Laenge));   // the rest sparse
    }
    Kundendatei datei(u.pfad());
    EXPECT_EQ(datei.alle().size(), 32767);
    ASSERT_TRUE(datei.entfernen(1));
    EXPECT_EQ(datei.anzahl(), 32768);
    EXPECT_EQ(datei.satz(1).Nach.trimmed(), "Zwei");
}
