// The editor window: its table, paging, new (red), change, delete, search,
// and the main window's lists after each change.

#include "umgebung.h"

#include "app/tripmemory/fkunden.h"
#include "app/tripmemory/kundenliste.h"
#include "platform/forms/colors.h"

#include "platform/vb/error.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace kmk;
using kmktest::bis;
using kmktest::eintraege;
using kmktest::feld;
using kmktest::satz;
using kmktest::Umgebung;

namespace {

struct Editor : Umgebung {
    FKunden fk{fs};
    int hauptfenster = 0;

    explicit Editor(int anzahl)
    {
        QList<Fahrtenspeichersatz> s;
        for (int i = 1; i <= anzahl; ++i)
            s << satz(quint8(1 + i % 5), i * 10, QString("Von %1").arg(i), "A1", QString("Nach %1").arg(i),
                      "Besuch", QString("Partner %1").arg(i));
        schreibe(s);
        fk.hauptfensterNeu = [this] { ++hauptfenster; };
        fk.show();
    }
    QStringList maske() const
    {
        return {fk.Tgefkm->text(), fk.CTVon->text(), fk.CTWeg->text(), fk.CTNach->text(),
                fk.CTGPartner->text(), fk.CTGrund->text(), QString::number(fk.Fahrtarten->value() + 1)};
    }
};

} // namespace

TEST(FKunden, OpensAtTheLastRecordAndPagesThrough)
{
    Editor e(3);
    EXPECT_EQ(e.fk.AktuellerSatz, 3);
    EXPECT_EQ(e.fk.TNr->text(), " 3");
    EXPECT_EQ(e.maske(), QStringList({"30", "Von 3", "A1", "Nach 3", "Partner 3", "Besuch", "4"}));
    EXPECT_EQ(e.fk.DatListe->count(), 5);
    EXPECT_EQ(e.fk.DatListe->item(0)->text(), editorKopfzeile());
    EXPECT_EQ(e.fk.DatListe->item(2)->text(), editorZeile(Kundendatei(e.pfad()).satz(1)));
    EXPECT_EQ(e.fk.DatListe->currentRow(), 4);

    struct Schritt { void (FKunden::*knopf)(); int satz; };
    const Schritt schritte[] = {{&FKunden::DatVor_Click, 3},    {&FKunden::DatAnfang_Click, 1},
                                {&FKunden::DatZuruck_Click, 1}, {&FKunden::DatVor_Click, 2},
                                {&FKunden::DatEnde_Click, 3},   {&FKunden::DatZuruck_Click, 2}};
    for (const Schritt& s : schritte) {
        (e.fk.*s.knopf)();
        EXPECT_EQ(e.fk.AktuellerSatz, s.satz);
        EXPECT_EQ(e.fk.CTNach->text(), QString("Nach %1").arg(s.satz));
        EXPECT_EQ(e.fk.DatListe->currentRow(), s.satz + 1);
    }
    // A click on a heading row shows record 1.
    forms::setListIndex(e.fk.DatListe, 0);
    EXPECT_EQ(e.fk.AktuellerSatz, 1);
    EXPECT_EQ(e.fk.DatListe->currentRow(), 2);
}

TEST(FKunden, NewRecordIsRedUntilSavedAndAppendedEvenAfterPaging)
{
    Editor e(2);
    e.fk.DatNeu_Click();
    EXPECT_EQ(e.fk.CTVon->lineEdit()->palette().color(QPalette::Text), forms::bgr(192));
    EXPECT_EQ(e.maske(), QStringList({"", "", "", "", "", "", "0"}));
    e.fk.DatZuruck_Click();
    e.fk.CTNach->setText("Hof");
    e.fk.DatSpeichern_Click();
    const QList<Fahrtenspeichersatz> alle = Kundendatei(e.pfad()).alle();
    ASSERT_EQ(alle.size(), 3);
    EXPECT_EQ(alle[0].Nach.trimmed(), "Nach 1");
    EXPECT_EQ(alle[2].Nach.trimmed(), "Hof");
    EXPECT_EQ(e.fk.TNr->text(), " 3");
    EXPECT_FALSE(e.fk.NeuerSatz);
    EXPECT_NE(e.fk.CTVon->lineEdit()->palette().color(QPalette::Text), forms::bgr(192));
    EXPECT_EQ(e.hauptfenster, 1);
    EXPECT_EQ(e.fakes.dialogs.shown.last().prompt, "Datensatz wurde gespeichert");
}

TEST(FKunden, SavingChecksTheMaskAndWritesOnlyTheRecordShown)
{
    Editor e(3);
    e.fk.DatAnfang_Click();
    const QByteArray vorher = e.lies();
    struct Fall { void (*leeren)(FKunden&); int meldung; };
    const Fall faelle[] = {
        {[](FKunden& f) { forms::setText(f.Tgefkm, " "); }, 54},
        {[](FKunden& f) { f.CTVon->setText("  "); }, 56},
        {[](FKunden& f) { f.CTWeg->setText(""); }, 57},
        {[](FKunden& f) { f.CTNach->setText(""); }, 58},
        {[](FKunden& f) { f.CTGPartner->setText(""); }, 59},
        {[](FKunden& f) { f.CTGrund->setText(""); }, 60},
        {[](FKunden& f) { f.Fahrtarten->setValue(-1); }, 63},
    };
    for (const Fall& f : faelle) {
        e.fk.DatAnfang_Click();
        e.fk.Datensatz_zeigen(1);
        f.leeren(e.fk);
        e.meldungen.clear();
        e.fk.DatSpeichern_Click();
        EXPECT_EQ(e.meldungen, QList<int>{f.meldung});
        EXPECT_EQ(e.lies(), vorher);
    }
    e.fk.Datensatz_zeigen(1);
    forms::setText(e.fk.Tgefkm, "12,5");
    e.fk.DatSpeichern_Click();
    EXPECT_EQ(e.lies(), vorher);

    e.fk.Datensatz_zeigen(2);
    e.fk.CTGrund->setText("Messe");
    forms::setText(e.fk.Tgefkm, "77");
    e.fk.DatSpeichern_Click();
    const QList<Fahrtenspeichersatz> alle = Kundendatei(e.pfad()).alle();
    EXPECT_EQ(alle[1].zuBytes(), satz(3, 77, "Von 2", "A1", "Nach 2", "Messe", "Partner 2").zuBytes());
    EXPECT_EQ(e.lies().left(460), vorher.left(460));
    EXPECT_EQ(e.lies().mid(920), vorher.mid(920));
}

TEST(FKunden, ARecordWithoutTripTypeShowsItsOwnTexts)
{
    Editor e(2);
    Kundendatei d(e.pfad());
    d.ersetzen(1, satz(0, 5, "Alt", "", "Altort", "", ""));
    e.fk.DatEnde_Click();
    e.fk.Datensatz_zeigen(1);
    EXPECT_EQ(e.maske(), QStringList({"5", "Alt", "", "Altort", "", "", "0"}));
    // Saving asks for the type and writes nothing over record 1.
    e.fk.DatSpeichern_Click();
    EXPECT_EQ(d.satz(2).Nach.trimmed(), "Nach 2");
    EXPECT_EQ(d.satz(1).Nach.trimmed(), "Altort");
}

TEST(FKunden, DeleteMovesTheLaterRecordsUpAndKeepsTheLastOne)
{
    Editor e(3);
    e.fk.DatAnfang_Click();
    e.antworten = {false};
    e.fk.DatLoeschen_Click();
    EXPECT_EQ(Kundendatei(e.pfad()).anzahl(), 3);
    e.fk.DatLoeschen_Click();
    const QList<Fahrtenspeichersatz> alle = Kundendatei(e.pfad()).alle();
    ASSERT_EQ(alle.size(), 2);
    EXPECT_EQ(alle[0].Nach.trimmed(), "Nach 2");
    EXPECT_EQ(e.fk.AktuellerSatz, 2);
    EXPECT_EQ(e.fk.CTNach->text(), "Nach 3");
    EXPECT_EQ(e.fk.DatListe->count(), 4);
    EXPECT_EQ(e.hauptfenster, 1);

    e.fk.DatLoeschen_Click();
    e.fk.DatLoeschen_Click();
    EXPECT_EQ(Kundendatei(e.pfad()).anzahl(), 1);
    EXPECT_TRUE(e.fakes.dialogs.shown.last().prompt.startsWith("Man kann den letzten Datensatz nicht löschen!"));
}

TEST(FKunden, SearchReachesEveryRecordFromBelowTheHeading)
{
    Editor e(6);
    e.fk.DatAnfang_Click();
    forms::setText(e.fk.TSuch, "partner");
    QList<int> treffer;
    for (int i = 0; i < 8; ++i) {
        e.fk.CWeiter_Click();
        treffer << e.fk.AktuellerSatz;
    }
    EXPECT_EQ(treffer, QList<int>({1, 2, 3, 4, 5, 6, 1, 2}));
    forms::setText(e.fk.TSuch, "nach 5");
    e.fk.CWeiter_Click();
    EXPECT_EQ(e.fk.AktuellerSatz, 5);
    forms::setText(e.fk.TSuch, "gibt es nicht");
    e.fk.CWeiter_Click();
    EXPECT_EQ(e.fk.AktuellerSatz, 5);
    EXPECT_EQ(e.fk.Suchposition, 2);
}

TEST(FKunden, ActivationRunsOncePerOpeningAndClosingRefreshesTheMainWindow)
{
    Editor e(2);
    e.fk.CTNach->setText("halb getippt");
    QEvent aktiv(QEvent::WindowActivate);
    QApplication::sendEvent(&e.fk, &aktiv);
    EXPECT_EQ(e.fk.CTNach->text(), "halb getippt");
    e.fk.CSchliessen_Click();
    EXPECT_FALSE(e.fk.isVisible());
    EXPECT_EQ(e.hauptfenster, 1);
    e.fk.show();
    EXPECT_EQ(e.fk.CTNach->text(), "Nach 2");
    e.fk.close();
    EXPECT_EQ(e.hauptfenster, 2);
}

TEST(FKunden, ComboBoxesCapitaliseAndCutToTheirWidth)
{
    Editor e(1);
    e.fk.CTNach->setText("");
    QTest::keyClicks(e.fk.CTNach->lineEdit(), "m");
    EXPECT_EQ(e.fk.CTNach->text(), "M");
    e.fk.CTVon->setText(QString(60, 'x'));
    EXPECT_EQ(e.fk.CTVon->text(), QString(50, 'x'));
    EXPECT_EQ(e.fk.CTVon->lineEdit()->cursorPosition(), 50);
    e.fk.CTWeg->setText(QString(300, 'w'));
    EXPECT_EQ(e.fk.CTWeg->text().size(), 255);

    // The route's help line reads once, cleanly.
    QEvent hinein(QEvent::Enter);
    QApplication::sendEvent(e.fk.findChild<QLabel*>("Label3"), &hinein);
    const QString hilfe = e.fk.LKHilfe->text();
    EXPECT_TRUE(hilfe.startsWith("Die Wegstrecke ist nicht generell erforderlich"));
    EXPECT_TRUE(hilfe.endsWith("so sind Sie immer auf der sicheren Seite."));
    EXPECT_EQ(hilfe.count("Wegstrecke"), 1);
}

TEST(FKunden, EmptyFileShowsANoticeAndANewRecordBecomesRecordOne)
{
    Umgebung u;
    u.schreibe({});
    FKunden fk(u.fs);
    fk.show();
    EXPECT_EQ(u.fakes.dialogs.shown.last().prompt, "Es sind keine Eintragungen vorhanden!");
    EXPECT_EQ(fk.DatListe->count(), 2);
    fk.CTVon->setText("Köln");
    fk.CTWeg->setText("A1");
    fk.CTNach->setText("Hof");
    fk.CTGPartner->setText("Amt");
    fk.CTGrund->setText("Besuch");
    forms::setText(fk.Tgefkm, "12");
    fk.Fahrtarten->setValue(2);
    fk.DatSpeichern_Click();
    EXPECT_EQ(u.lies(), satz(3, 12, "Köln", "A1", "Hof", "Besuch", "Amt").zuBytes());
    EXPECT_EQ(fk.AktuellerSatz, 1);
}

TEST(FKunden, ARecordGoneMeanwhileIsToldAndTheMaskKept)
{
    Editor e(3);
    Kundendatei d(e.pfad());
    ASSERT_TRUE(d.entfernen(3));
    const QByteArray vorher = e.lies();
    e.fk.CTGrund->setText("Messe");
    e.fk.DatSpeichern_Click();
    EXPECT_EQ(e.lies(), vorher);
    EXPECT_EQ(e.fk.CTGrund->text(), "Messe");
    EXPECT_EQ(e.fakes.dialogs.shown.last().prompt, "Beim Speichern ist ein Fehler aufgetreten!");
}

TEST(FKunden, IsFileOpenTellsARefusedFileFromAnOpenOneAndRaisesTheRest)
{
    QTemporaryDir dir;
    const QString frei = dir.filePath("frei.dat"), gesperrt = dir.filePath("gesperrt.dat");
    for (const QString& p : {frei, gesperrt}) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFile::setPermissions(gesperrt, {});
    EXPECT_FALSE(FKunden::IsFileOpen(frei));
    if (::geteuid() != 0) {   // no rights stop root
        EXPECT_TRUE(FKunden::IsFileOpen(gesperrt));
    }
    try {
        FKunden::IsFileOpen(dir.filePath("fehlt.dat"));
        ADD_FAILURE() << "a missing file raises";
    } catch (const vb::RuntimeError& e) {
        EXPECT_EQ(e.number, vb::ErrFileNotFound);
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("fehlt.dat")));
}

TEST(FKunden, EditorTableRowsAndHeading)
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

TEST(FKunden, EditorCreatesChangesDeletesAndFindsAndTheMainListsFollow)
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
