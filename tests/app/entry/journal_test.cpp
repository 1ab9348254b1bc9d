// Saving: the journal correction of a company car's trip, appending a new
// trip, a private car's trip in place, refused record numbers, deleting the
// trip file, the quick backups; then the same typed on the real main window.
#include "seite.h"
#include "tests/app/mainwindow/test_startup_umgebung.h"

#include "app/backup/sicherung.h"
#include "app/entry/laden.h"
#include "app/entry/navigation.h"
#include "app/entry/neueintrag.h"
#include "app/entry/speichern.h"
#include "app/records/dateien.h"
#include "app/mainwindow/sstab.h"
#include "platform/forms/combobox.h"
#include "platform/vb/text.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

using kmktest::Seite;
using kmktest::gepolstert;
using namespace kmk;

namespace {

// The real main window with vehicle 1 set up and the given trip file,
// started again so that the start-up loads it.
Form1* hauptfenster(kmktest::Umgebung& u, bool firma, const QByteArray& fahrten, const QByteArray& zweites = {})
{
    pages::setHostedControlFactory(&pages::controlHostFactory);
    u.schreibeHilfstexte();
    if (!u.starte())
        return nullptr;
    Form1* f = u.form.get();
    forms::setText(f->KfzEingabe[0], "B-AB 123");
    forms::setText(f->KmEingabe[0], "1000");
    forms::setText(f->StandortEingabe[0], QString::fromUtf8("Köln"));
    forms::setText(f->HalterEingabe[0], "Muster");
    forms::setOptionValue(firma ? f->FirmenPkw[0] : f->PrivatPkw[0], true);
    f->Command1_Click(0);
    if (!zweites.isEmpty()) {
        forms::setText(f->KfzEingabe[1], "B-CD 456");
        forms::setText(f->KmEingabe[1], "5000");
        forms::setText(f->StandortEingabe[1], "Bonn");
        forms::setText(f->HalterEingabe[1], "Muster");
        forms::setOptionValue(f->FirmenPkw[1], true);
        f->Command1_Click(1);
    }
    for (const auto& [name, inhalt] : {std::pair{QString("Auto1_16.dat"), fahrten}, {QString("Auto2_16.dat"), zweites}}) {
        QFile d(u.pfad(name));
        if (!inhalt.isEmpty() && (!d.open(QIODevice::WriteOnly) || d.write(inhalt) != inhalt.size()))
            return nullptr;
    }
    f->close();
    if (!u.starte())
        return nullptr;
    f = u.form.get();
    f->SSTab1->setTab(2);
    f->show();
    f->activateWindow();
    if (!QTest::qWaitForWindowActive(f))
        return nullptr;
    u.fakes.dialogs.shown.clear();
    u.meldungen.clear();
    return f;
}

void taste(Form1* f, Qt::Key k)
{
    QWidget* w = QApplication::focusWidget() ? QApplication::focusWidget() : f;
    QTest::keyClick(w, k);
}

// Writes beyond this many bytes fail, as on a full disk.
class Schreibgrenze {
public:
    explicit Schreibgrenze(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &alt);
        rlimit neu = alt;
        neu.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &neu);
    }
    ~Schreibgrenze() { setrlimit(RLIMIT_FSIZE, &alt); }

private:
    rlimit alt{};
};

} // namespace

TEST(Journal, CorrectingRecordKOfNCancelsItAndInsertsTheChangedCopy)
{
    for (int k : {1, 2, 4}) {
        Seite p;
        p.schreibe(4);
        const QByteArray vorher = p.inhalt();
        // Record 1 has no predecessor and is shown with buffer index 1; it
        // takes the journal all the same.
        zeige(p, k);
        if (k == 1)
            p.st.Satzpuffer[0] = Seite::fahrt(1);   // the page's field handlers fill it
        p.st.Satzpuffer[0].Grund = "Neuer Grund";
        ASSERT_NO_FATAL_FAILURE(ASpeichern(p.s));
        EXPECT_EQ(p.fragen, (QList<int>{50, 51})) << k;
        const QByteArray nachher = p.inhalt();
        ASSERT_EQ(nachher.size(), 5 * 671) << k;
        const qint32 heute = vb::DateSerial(2016, 6, 15);
        FahrtDatensatz storniert = Seite::fahrt(k);
        storniert.Eintragsstatus = 1;
        storniert.Statusdatum = heute;
        EXPECT_EQ(p.satz(k).zuBytes(), storniert.zuBytes());
        FahrtDatensatz neu = Seite::fahrt(k);
        neu.Grund = "Neuer Grund";
        neu.Eintragsstatus = 2;
        neu.Statusdatum = heute;
        EXPECT_EQ(p.satz(k + 1).zuBytes(), neu.zuBytes());
        EXPECT_EQ(nachher.left((k - 1) * 671), vorher.left((k - 1) * 671));
        EXPECT_EQ(nachher.mid((k + 1) * 671), vorher.mid(k * 671));
        // Straight to the last record, without a border message.
        EXPECT_EQ(p.st.Satznummer, 5);
        EXPECT_TRUE(p.fakes.dialogs.shown.isEmpty());
    }
}

TEST(Journal, QuestionsByWhatChangedAndNoLeavesTheFileAsItWas)
{
    struct Fall {
        const char* was;
        std::function<void(FahrtDatensatz&)> aendern;
        bool ohneZeiten;
        quint8 status;
        QList<int> fragen;
    };
    auto grund = [](FahrtDatensatz& f) { f.Grund = "Anderer"; };
    auto km = [](FahrtDatensatz& f) { f.GefahreneKm = 90; };
    auto zeit = [](FahrtDatensatz& f) { f.ZeitAn = 700; };
    auto nichts = [](FahrtDatensatz&) {};
    auto fahrer = [](FahrtDatensatz& f) { f.Fahrer = "Schulz"; };
    const Fall faelle[] = {
        {"purpose", grund, false, 0, {50, 51}},
        {"km", km, false, 0, {50, 52, 51}},
        {"time", zeit, false, 0, {50, 53, 51}},
        {"time without times", zeit, true, 0, {50, 51}},
        {"nothing", nichts, false, 0, {66}},
        {"driver only", fahrer, false, 0, {66}},
        {"cancelled", grund, false, 1, {76}},
        {"changed", nichts, false, 2, {76}},
    };
    for (const Fall& f : faelle) {
        // Every question that comes is answered Yes up to the last, which is
        // answered No: the file stays byte-identical.
        for (int nein = 0; nein < f.fragen.size(); ++nein) {
            Seite p;
            FahrtDatensatz zwei = Seite::fahrt(2);
            zwei.Eintragsstatus = f.status;
            p.schreibe({Seite::fahrt(1), zwei, Seite::fahrt(3)});
            const QByteArray vorher = p.inhalt();
            p.st.Voreinstellung.OhneZeiten = f.ohneZeiten ? WAHR : FALSCH;
            zeige(p, 2);
            f.aendern(p.st.Satzpuffer[0]);
            for (int i = 0; i < nein; ++i)
                p.antworten.push_back(true);
            p.antworten.push_back(false);
            ASpeichern(p.s);
            EXPECT_EQ(p.fragen, f.fragen.mid(0, nein + 1)) << f.was;
            EXPECT_EQ(p.inhalt(), vorher) << f.was;
        }
    }
}

TEST(Journal, EachComparedFieldChangedAloneIsAChange)
{
    using Aenderung = void (*)(FahrtDatensatz&);
    struct Feld { const char* name; Aenderung aendern; QList<int> fragen; };
    const QList<int> normal{50, 51}, km{50, 52, 51}, zeit{50, 53, 51};
    const Feld felder[] = {
        {"Grund", [](FahrtDatensatz& f) { f.Grund = "kunde"; }, normal},   // case counts
        {"Von", [](FahrtDatensatz& f) { f.Von = " Start 2"; }, normal},    // so does a leading blank
        {"Nach", [](FahrtDatensatz& f) { f.Nach = "Ziel 9"; }, normal},
        {"Ueber", [](FahrtDatensatz& f) { f.Ueber = "A2"; }, normal},
        {"Gespraechspartner", [](FahrtDatensatz& f) { f.Gespraechspartner = "Meyer"; }, normal},
        {"Fahrtart", [](FahrtDatensatz& f) { f.Fahrtart = 4; }, normal},
        {"GefahreneKm", [](FahrtDatensatz& f) { f.GefahreneKm = 101; }, km},
        {"KmAn", [](FahrtDatensatz& f) { f.KmAn += 1; }, normal},
        {"DatumAn", [](FahrtDatensatz& f) { f.DatumAn += 1; }, normal},
        {"ZeitAn", [](FahrtDatensatz& f) { f.ZeitAn += 1; }, zeit},
        {"KmAb", [](FahrtDatensatz& f) { f.KmAb -= 1; }, normal},
        {"ZeitAb", [](FahrtDatensatz& f) { f.ZeitAb -= 1; }, zeit},
        {"DatumAb", [](FahrtDatensatz& f) { f.DatumAb -= 1; }, normal},
    };
    for (const Feld& feld : felder) {
        Seite p;
        p.schreibe(3);
        const QByteArray vorher = p.inhalt();
        zeige(p, 2);
        feld.aendern(p.st.Satzpuffer[0]);
        // Yes up to the last question, No to it: nothing is written.
        p.antworten.assign(feld.fragen.size() - 1, true);
        p.antworten.push_back(false);
        ASpeichern(p.s);
        EXPECT_EQ(p.fragen, feld.fragen) << feld.name;
        EXPECT_EQ(p.inhalt(), vorher) << feld.name;
    }
}

TEST(Journal, AStaleStoredCopyIsReadAgainFromTheFile)
{
    Seite p;
    p.schreibe(3);
    zeige(p, 3);
    // Another vehicle's record left in the compared element.
    p.st.Satzpuffer[7] = Seite::fahrt(9);
    ASpeichern(p.s);
    EXPECT_EQ(p.fragen, QList<int>{66});
    EXPECT_EQ(p.inhalt().size(), 3 * 671);
}

TEST(Journal, AFailedRewriteLeavesTheTripFileAsItWas)
{
    Seite p;
    p.schreibe(40);
    const QByteArray vorher = p.inhalt();
    zeige(p, 20);
    p.st.Satzpuffer[0].Grund = "Neu";
    {
        Schreibgrenze grenze(10 * 671);
        ASpeichern(p.s);
    }
    EXPECT_EQ(p.inhalt(), vorher);
    EXPECT_EQ(p.fakes.dialogs.shown.size(), 1);
    QDir d(p.dir.path());
    EXPECT_EQ(d.entryList(QDir::Files), QStringList{"Auto1_16.dat"});
}

TEST(Journal, PrivateCarTripIsOverwrittenInPlaceWithoutQuestions)
{
    Seite p(false);
    p.schreibe(3);
    const QByteArray vorher = p.inhalt();
    zeige(p, 2);
    p.st.Satzpuffer[0].Grund = "Privat korrigiert";
    ASpeichern(p.s);
    EXPECT_TRUE(p.fragen.isEmpty());
    ASSERT_EQ(p.inhalt().size(), 3 * 671);
    EXPECT_EQ(p.satz(2).Grund.trimmed(), "Privat korrigiert");
    EXPECT_EQ(p.satz(2).Eintragsstatus, 0);
    EXPECT_EQ(p.inhalt().left(671), vorher.left(671));
    EXPECT_EQ(p.inhalt().mid(2 * 671), vorher.mid(2 * 671));
}

TEST(Journal, CompanyCarWithBothFlagsTakesOnlyTheJournal)
{
    Seite p;
    p.st.Kfz.Privatfahrzeug = WAHR;
    p.schreibe(3);
    zeige(p, 2);
    p.st.Satzpuffer[0].Grund = "Anderer";
    ASpeichern(p.s);
    EXPECT_EQ(p.fragen, (QList<int>{50, 51}));
    EXPECT_EQ(p.inhalt().size(), 4 * 671);
}

TEST(Speichern, NewTripIsAppendedAfterQuestionFiveAndShown)
{
    for (bool wenig : {false, true}) {
        Seite p;
        p.schreibe(3);
        p.st.Satzanzahl = 3;
        p.st.Voreinstellung.WenigAbfragen = wenig ? WAHR : FALSCH;
        NeuEintrag(p.s);
        ASSERT_EQ(p.st.Satznummer, 4);
        p.st.Satzpuffer[0] = Seite::fahrt(4);
        ASpeichern(p.s);
        EXPECT_EQ(p.fragen, wenig ? QList<int>{} : QList<int>{5});
        ASSERT_EQ(p.inhalt().size(), 4 * 671);
        EXPECT_EQ(p.satz(4).VorherigeAnzahl, 3);
        EXPECT_EQ(p.st.Satznummer, 4);
        EXPECT_EQ(p.st.Pufferindex, 3);
        EXPECT_FALSE(p.st.NeuerEintragOffen);
        EXPECT_EQ(p.text("FahrtNr"), " 4");
    }
}

TEST(Speichern, ANewEntryInAFileAtTheLimitIsRefusedAsFullAndOverwritesNoTrip)
{
    for (qint32 anzahl : {32767, 32768, 33000}) {
        Seite p;
        p.schreibe(QList<FahrtDatensatz>{Seite::fahrt(1)});
        const QByteArray vorher = p.inhalt().repeated(anzahl);
        {
            QFile f(p.pfad());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(vorher) == vorher.size());
        }
        p.st.Satzanzahl = 32767;   // as a read stopping at the format's limit counts
        NeuEintrag(p.s);
        EXPECT_EQ(p.st.Satznummer, anzahl + 1);
        p.st.Satzpuffer[0] = Seite::fahrt(2);
        ASpeichern(p.s);
        EXPECT_EQ(p.fragen, QList<int>{5}) << anzahl;
        EXPECT_EQ(p.meldungstexte(), QStringList{TextDateiVoll()}) << anzahl;
        EXPECT_TRUE(p.inhalt() == vorher) << anzahl;
    }
}

TEST(Speichern, AMealAllowanceSwitchedOffIsPointedOutFromMoreThanEightHours)
{
    struct Fall { qint16 abwesenheit; bool warnungen; QList<int> fragen; };
    const Fall faelle[] = {
        {480, true, {5}}, {481, true, {77, 5}}, {481, false, {5}},
    };
    for (const Fall& f : faelle) {
        Seite p;
        p.schreibe(3);
        p.st.Satzanzahl = 3;
        p.st.Voreinstellung.Warnhinweise = f.warnungen ? WAHR : FALSCH;
        NeuEintrag(p.s);
        p.st.Satzpuffer[0] = Seite::fahrt(4);
        p.st.Satzpuffer[0].AbwesenheitGesamt = f.abwesenheit;
        p.st.Satzpuffer[0].MitPauschale = 0;
        ASpeichern(p.s);
        EXPECT_EQ(p.fragen, f.fragen) << f.abwesenheit << " " << f.warnungen;
        EXPECT_EQ(p.inhalt().size(), 4 * 671) << f.abwesenheit;
    }
}

TEST(Speichern, RecordNumberOutsideTheFileIsRefusedWithAMessage)
{
    Seite p;
    p.schreibe(3);
    const QByteArray vorher = p.inhalt();
    for (qint32 n : {0, -1, 5, 40000}) {
        p.st.Satznummer = n;
        p.st.Satzanzahl = 40000;   // stale: the file's length decides
        EXPECT_FALSE(Datensatzspeichern(p.s)) << n;
        EXPECT_EQ(p.inhalt(), vorher);
    }
    EXPECT_EQ(p.fakes.dialogs.shown.size(), 4);
}

TEST(Speichern, DeletingTheTripFileKeepsACopyInTheBackupFolder)
{
    Seite p;
    p.schreibe(3);
    const QByteArray vorher = p.inhalt();
    p.antworten = {true, false};
    ALoeschen(p.s);
    EXPECT_EQ(p.fragen, (QList<int>{2, 32}));
    EXPECT_EQ(p.inhalt(), vorher);

    p.fragen.clear();
    ALoeschen(p.s);
    EXPECT_EQ(p.fragen, (QList<int>{2, 32}));
    EXPECT_FALSE(QFile::exists(p.pfad()));
    EXPECT_EQ(p.inhalt("Sicherheit/Auto1_vor_Loeschen_20160615_1200.dat"), vorher);
    EXPECT_EQ(p.st.Satznummer, 0);
    EXPECT_EQ(p.text("FahrtNr"), " 0");
    EXPECT_EQ(p.text("AnzKmAb"), "1000");
    EXPECT_EQ(p.text("EinZeitAb"), "00:00");
    EXPECT_EQ(p.text("EinVon"), "Köln" + QString(26, ' '));

    // Without a file nothing is asked.
    p.fragen.clear();
    ALoeschen(p.s);
    EXPECT_TRUE(p.fragen.isEmpty());
}

TEST(Speichern, PrivateCarNewTripIsAppendedWithoutQuestions)
{
    Seite p(false);
    p.schreibe(2);
    p.st.Satzanzahl = 2;
    NeuEintrag(p.s);
    p.st.Satzpuffer[0] = Seite::fahrt(3);
    ASpeichern(p.s);
    EXPECT_TRUE(p.fragen.isEmpty());
    EXPECT_EQ(p.inhalt().size(), 3 * 671);
    EXPECT_EQ(p.st.Satznummer, 3);
    EXPECT_FALSE(p.s.ctl("Frame8")->isHidden());
    EXPECT_TRUE(p.s.ctl("Frame7")->isHidden());
}

TEST(Speichern, CostUpdateChangesOnlyTheFiveCostFields)
{
    Seite p;
    FahrtDatensatz zwei = Seite::fahrt(2);
    zwei.Eintragsstatus = 1;
    p.schreibe({Seite::fahrt(1), zwei, Seite::fahrt(3)});
    zeige(p, 2);
    FahrtDatensatz& e = p.st.Satzpuffer[0];
    e.Grund = "nicht gespeichert";
    e.Kraftstoffmenge = 40;
    e.BetragKraftstoff = vb::Currency::fromRaw(600000);
    e.BetragWartung = vb::Currency::fromRaw(100000);
    e.Wartungstext = "Reifen";
    e.Kraftstoffart = "Liter";
    ASSERT_TRUE(Uberschreiben_Benzin(p.s));
    FahrtDatensatz erwartet = zwei;
    erwartet.Kraftstoffmenge = 40;
    erwartet.BetragKraftstoff = vb::Currency::fromRaw(600000);
    erwartet.BetragWartung = vb::Currency::fromRaw(100000);
    erwartet.Wartungstext = "Reifen";
    erwartet.Kraftstoffart = "Liter";
    EXPECT_EQ(p.satz(2).zuBytes(), erwartet.zuBytes());

    // With a new entry open the number lies past the file: nothing written.
    const QByteArray vorher = p.inhalt();
    p.st.Satznummer = 4;
    EXPECT_TRUE(Uberschreiben_Benzin(p.s));
    EXPECT_EQ(p.inhalt(), vorher);
}

TEST(Speichern, CuttingAfterTheShownTripAsksFirst)
{
    Seite p;
    p.schreibe(5);
    const QByteArray vorher = p.inhalt();
    p.st.Satznummer = 3;
    p.antworten = {false};
    Datensatzloschen(p.s);
    EXPECT_EQ(p.inhalt(), vorher);
    Datensatzloschen(p.s);
    EXPECT_EQ(p.fragen, (QList<int>{31, 31}));
    EXPECT_EQ(p.inhalt(), vorher.left(3 * 671));
}

TEST(Journal, JournalQuestionsAndBytesOfACorrection)
{
    enum Aenderung { Grund, Km, Zeit, Fahrer, Nichts };
    struct Fall {
        Aenderung was; bool ohneZeiten; quint8 status; std::deque<bool> antworten; QList<int> fragen; bool geschrieben;
    };
    const Fall faelle[] = {
        {Grund, false, 0, {true, true}, {50, 51}, true},
        {Grund, false, 0, {false}, {50}, false},
        {Grund, false, 0, {true, false}, {50, 51}, false},
        {Km, false, 0, {true, true, true}, {50, 52, 51}, true},
        {Km, false, 0, {true, false}, {50, 52}, false},
        {Km, false, 0, {true, true, false}, {50, 52, 51}, false},
        {Zeit, false, 0, {true, true, true}, {50, 53, 51}, true},
        {Zeit, false, 0, {true, false}, {50, 53}, false},
        {Zeit, true, 0, {true, true}, {50, 51}, true},
        {Fahrer, false, 0, {}, {66}, false},
        {Nichts, false, 0, {}, {66}, false},
        {Nichts, false, 1, {}, {76}, false},
        {Grund, false, 2, {}, {76}, false},
    };
    const int k = 3;
    for (const Fall& f : faelle) {
        Seite p;
        QList<FahrtDatensatz> l;
        for (int i = 1; i <= 5; ++i)
            l << Seite::fahrt(i);
        l[k - 1].Eintragsstatus = f.status;
        p.schreibe(l);
        const QByteArray vorher = p.inhalt();
        p.st.Voreinstellung.OhneZeiten = f.ohneZeiten ? -1 : 0;
        zeige(p, k);
        FahrtDatensatz& e = p.st.Satzpuffer[0];
        switch (f.was) {
        case Grund: e.Grund = "Werkstatt"; break;
        case Km: e.GefahreneKm = 90; e.KmAn = e.KmAb + 90; break;
        case Zeit: e.ZeitAn = 600; break;
        case Fahrer: e.Fahrer = "Berta"; break;
        case Nichts: break;
        }
        const FahrtDatensatz korrigiert = e;
        p.antworten = f.antworten;
        ASpeichern(p.s);
        EXPECT_EQ(p.fragen, f.fragen) << f.was << " " << int(f.status);
        if (!f.geschrieben) {
            EXPECT_EQ(p.inhalt(), vorher) << f.was;
            continue;
        }
        const QByteArray nachher = p.inhalt();
        ASSERT_EQ(nachher.size(), 6 * 671);
        EXPECT_EQ(nachher.left((k - 1) * 671), vorher.left((k - 1) * 671));
        EXPECT_EQ(nachher.mid((k + 1) * 671), vorher.mid(k * 671));
        FahrtDatensatz storniert = l[k - 1];
        storniert.Eintragsstatus = 1;
        storniert.Statusdatum = vb::DateSerial(2016, 6, 15);
        EXPECT_EQ(p.satz(k).zuBytes(), storniert.zuBytes());
        FahrtDatensatz neu = korrigiert;
        neu.Eintragsstatus = 2;
        neu.Statusdatum = vb::DateSerial(2016, 6, 15);
        EXPECT_EQ(p.satz(k + 1).zuBytes(), neu.zuBytes());
        EXPECT_EQ(p.st.Satznummer, 6);
        EXPECT_EQ(p.text("FahrtNr"), " 6");
        EXPECT_TRUE(p.meldungstexte().isEmpty()) << p.meldungstexte().join("|");
    }
}

TEST(Journal, PrivateCarOverwritesInPlaceWithoutQuestions)
{
    Seite p(false);
    p.schreibe(3);
    const QByteArray vorher = p.inhalt();
    zeige(p, 2);
    p.st.Satzpuffer[0].Grund = "Werkstatt";
    p.st.Satzpuffer[0].GefahreneKm = 90;
    ASpeichern(p.s);
    EXPECT_TRUE(p.fragen.isEmpty());
    FahrtDatensatz neu = Seite::fahrt(2);
    neu.Grund = "Werkstatt";
    neu.GefahreneKm = 90;
    EXPECT_EQ(p.inhalt(), vorher.left(671) + neu.zuBytes() + vorher.mid(2 * 671));
}

TEST(Speichern, DeletingTheTripFileAsksTwiceAndPresetsAFirstTrip)
{
    struct Fall { bool datei; std::deque<bool> antworten; QList<int> fragen; bool geloescht; };
    const Fall faelle[] = {
        {false, {}, {}, false},
        {true, {false}, {2}, false},
        {true, {true, false}, {2, 32}, false},
        {true, {true, true}, {2, 32}, true},
    };
    for (const Fall& f : faelle) {
        Seite p;
        if (f.datei) {
            p.schreibe(3);
            zeige(p, 3);
        }
        const QByteArray vorher = p.inhalt();
        p.antworten = f.antworten;
        ALoeschen(p.s);
        EXPECT_EQ(p.fragen, f.fragen);
        EXPECT_EQ(QFile::exists(p.pfad()), f.datei && !f.geloescht);
        if (!f.geloescht) {
            EXPECT_EQ(p.inhalt(), vorher);
            continue;
        }
        const QStringList kopien = QDir(p.pfad("Sicherheit")).entryList({"Auto1_vor_Loeschen_*.dat"});
        ASSERT_EQ(kopien.size(), 1);
        EXPECT_EQ(p.inhalt("Sicherheit/" + kopien[0]), vorher);
        EXPECT_EQ(p.st.Satznummer, 0);
        EXPECT_EQ(p.st.Satzanzahl, 0);
        const std::pair<const char*, QString> felder[] = {
            {"FahrtNr", " 0"}, {"EinZeitAb", "00:00"}, {"EinZeitAn", "00:00"}, {"AnzKmAb", "1000"},
            {"EinkmAn", "1000"}, {"EinVon", gepolstert("Köln", 30)}, {"EinUber", ""}, {"EinNach", ""},
            {"EinGrund", ""}, {"EinGesprach", ""}, {"EinFahrer", ""},
        };
        for (const auto& [name, text] : felder)
            EXPECT_EQ(p.text(name), text) << name;
        EXPECT_TRUE(listenzeilen(p).isEmpty());
    }
}

// The real main window, typed like a person: a company car's three trips
// browsed, saved untouched with F8, corrected with the save button, deleted.
TEST(Journal, TypedSessionOnTheMainWindow)
{
    kmktest::Umgebung u;
    QByteArray drei;
    for (int i = 1; i <= 3; ++i)
        drei += Seite::fahrt(i).zuBytes();
    Form1* f = hauptfenster(u, true, drei);
    ASSERT_TRUE(f);
    const QByteArray vorher = u.lies("Auto1_16.dat");
    auto taste = [&](Qt::Key k) { ::taste(f, k); };
    auto feld = [&](const char* n) -> QLineEdit* {
        if (auto* c = f->ctl<forms::ComboBox>(n))
            return c->lineEdit();
        return f->ctl<QLineEdit>(n);
    };

    taste(Qt::Key_F7);
    ASSERT_EQ(fahrten1().Satznummer, 3);
    EXPECT_EQ(feld("EinVon")->text(), "Start 3");
    for (Qt::Key k : {Qt::Key_F8, Qt::Key_F5, Qt::Key_F8}) {
        u.meldungen.clear();
        taste(k);
        EXPECT_EQ(u.meldungen, k == Qt::Key_F8 ? QList<int>{66} : QList<int>{}) << k;
    }
    ASSERT_EQ(fahrten1().Satznummer, 2);
    EXPECT_EQ(u.lies("Auto1_16.dat"), vorher);
    // Trip 1, shown without a predecessor, is a journal candidate too:
    // untouched it answers 66; changed, "No" to 50 leaves every byte.
    taste(Qt::Key_F4);
    u.meldungen.clear();
    taste(Qt::Key_F8);
    EXPECT_EQ(u.meldungen, QList<int>{66});
    EXPECT_EQ(u.lies("Auto1_16.dat"), vorher);
    {
        QLineEdit* g = feld("EinGrund");
        g->setFocus();
        g->selectAll();
        QTest::keyClick(g, Qt::Key_Backspace);
        QTest::keyClicks(g, "Messe");
        u.meldungen.clear();
        u.dialog.antworten = {false};
        QWidget* kn = f->ctl("EintragSpeichern");
        QTest::mouseClick(kn, Qt::LeftButton, {}, kn->rect().center());
        EXPECT_EQ(u.meldungen, QList<int>{50});
        EXPECT_EQ(u.lies("Auto1_16.dat"), vorher);
    }
    taste(Qt::Key_F6);

    QLineEdit* grund = feld("EinGrund");
    grund->setFocus();
    grund->selectAll();
    QTest::keyClick(grund, Qt::Key_Backspace);
    QTest::keyClicks(grund, "Messe");
    u.meldungen.clear();
    QWidget* knopf = f->ctl("EintragSpeichern");
    QTest::mouseClick(knopf, Qt::LeftButton, {}, knopf->rect().center());
    EXPECT_EQ(u.meldungen, (QList<int>{50, 51}));
    const QByteArray nachher = u.lies("Auto1_16.dat");
    ASSERT_EQ(nachher.size(), 4 * 671);
    EXPECT_EQ(nachher.left(671), vorher.left(671));
    EXPECT_EQ(nachher.mid(3 * 671), vorher.mid(2 * 671));
    FahrtDatensatz storniert = Seite::fahrt(2);
    storniert.Eintragsstatus = 1;
    storniert.Statusdatum = vb::DateSerial(2016, 6, 15);
    EXPECT_EQ(nachher.mid(671, 671), storniert.zuBytes());
    const FahrtDatensatz neu = FahrtDatensatz::ausBytes(nachher.mid(2 * 671, 671));
    EXPECT_EQ(neu.Grund, QString("Messe").leftJustified(50));
    EXPECT_EQ(neu.Eintragsstatus, 2);
    EXPECT_EQ(neu.Statusdatum, vb::DateSerial(2016, 6, 15));
    EXPECT_EQ(neu.KmAb, 1100);
    EXPECT_EQ(neu.DatumAb, vb::DateSerial(2016, 3, 2));
    EXPECT_EQ(fahrten1().Satznummer, 4);
    EXPECT_EQ(u.klartexte(), QStringList{});

    // The changed copy is locked: F8 on it is refused with 76.
    taste(Qt::Key_F5);
    if (qEnvironmentVariableIsSet("KMK_BILDER"))
        f->grab().save("/tmp/kmk_geaendert.png");
    u.meldungen.clear();
    taste(Qt::Key_F8);
    EXPECT_EQ(u.meldungen, QList<int>{76});

    taste(Qt::Key_F5);
    EXPECT_EQ(f->ctl<QCheckBox>("Check13")->text(), "Storniert am 15.06.2016");
    if (qEnvironmentVariableIsSet("KMK_BILDER"))
        f->grab().save("/tmp/kmk_storniert.png");
    u.meldungen.clear();
    taste(Qt::Key_F2);
    EXPECT_EQ(u.meldungen, (QList<int>{2, 32}));
    EXPECT_FALSE(QFile::exists(u.pfad("Auto1_16.dat")));
    EXPECT_EQ(feld("EinVon")->text(), QString::fromUtf8("Köln").leftJustified(30));
    EXPECT_EQ(f->ctl<QLineEdit>("FahrtNr")->text(), " 0");
}

TEST(Speichern, BackupNamesSkipsAndRefreshes)
{
    Seite p;
    auto datei = [&](const QString& name, const QByteArray& inhalt) {
        QFile d(p.pfad(name));
        ASSERT_TRUE(d.open(QIODevice::WriteOnly));
        d.write(inhalt);
    };
    const QByteArray satz(671, 'x');
    datei("Auto2_16.dat", satz.repeated(7));
    datei("Auto4_16.dat", QByteArray(670, 'y'));   // not one whole trip
    datei("Auto2016.dat", "Stamm");
    datei("Vor2016.dat", "Einstellungen");
    QDir().mkpath(p.pfad("Sicherheit"));
    QList<QString> meldungen;
    const auto melden = [&](const QString& t) { meldungen << t; };

    SicherheitscopyNeu(p.st, melden);
    EXPECT_EQ(QDir(p.pfad("Sicherheit/_Au2-7 E")).entryList(QDir::Files, QDir::Name),
              (QStringList{"Auto2016.dat", "Auto2_16.dat", "Vor2016.dat"}));
    // Again after a change that keeps the counts: made again under its name.
    datei("Vor2016.dat", "geändert");
    SicherheitscopyNeu(p.st, melden);
    EXPECT_EQ(p.inhalt("Sicherheit/_Au2-7 E/Vor2016.dat"), "geändert");
    EXPECT_EQ(QDir(p.pfad("Sicherheit")).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"_Au2-7 E"});
    EXPECT_TRUE(meldungen.isEmpty());

    // Quick backup, vehicle 1 current at trip 40, whose copy exists: nothing at all.
    datei("Auto1_16.dat", satz.repeated(40));
    datei("Sicherheit/Auto1_AnzahlEintra_40.dat", "alt 40");
    p.st.Satznummer = 40;
    p.st.Voreinstellung.Sicherungsordner = "/anderswo/";
    Sicherheitscopy(p.st);
    EXPECT_FALSE(QFile::exists(p.pfad("Sicherheit/Auto2016.dat")));
    EXPECT_FALSE(QFile::exists(p.pfad("Sicherheit/Auto2_AnzahlEintra_7.dat")));
    EXPECT_EQ(vb::Trim(p.st.Voreinstellung.Sicherungsordner), p.st.Programmpfad + "Sicherheit/");
    // At trip 41: vehicle 1's new count is copied, vehicle 2's kept once, the others refreshed.
    datei("Auto1_16.dat", satz.repeated(41));
    datei("Sicherheit/Auto2_AnzahlEintra_7.dat", "alt 7");
    datei("Sicherheit/Vor2016.dat", "veraltet");
    p.st.Satznummer = 41;
    Sicherheitscopy(p.st);
    EXPECT_EQ(p.inhalt("Sicherheit/Auto1_AnzahlEintra_41.dat"), satz.repeated(41));
    EXPECT_EQ(p.inhalt("Sicherheit/Auto1_AnzahlEintra_40.dat"), "alt 40");
    EXPECT_EQ(p.inhalt("Sicherheit/Auto2_AnzahlEintra_7.dat"), "alt 7");
    EXPECT_EQ(p.inhalt("Sicherheit/Vor2016.dat"), "geändert");
    EXPECT_EQ(p.inhalt("Sicherheit/Auto2016.dat"), "Stamm");
    EXPECT_EQ(QDir(p.pfad("Sicherheit")).entryList({"Auto4*"}), QStringList{});
}

// A private car's first trip saved untouched with F8 keeps every byte.
TEST(Speichern, PrivateCarFirstTripSavedUntouchedKeepsEveryByte)
{
    kmktest::Umgebung u;
    QByteArray drei;
    for (int i = 1; i <= 3; ++i) {
        FahrtDatensatz x = Seite::fahrt(i);
        x.Fahrer = "Anna";
        x.Mitfahrer = 2;
        x.Kraftstoffmenge = 40;
        x.BetragKraftstoff = vb::Currency::fromRaw(600000);
        x.Kraftstoffart = "Liter";
        x.Eintragungsdatum = vb::DateSerial(2016, 3, i);
        x.AbwesenheitFahrt = 61;
        x.Fahrtkosten = 30;
        drei += x.zuBytes();
    }
    Form1* f = hauptfenster(u, false, drei);
    ASSERT_TRUE(f);
    const QByteArray vorher = u.lies("Auto1_16.dat");
    // The allowance and cost rules recompute their own fields on display.
    auto ohneBerechnetes = [](const QByteArray& datei) {
        QByteArray r;
        for (int i = 0; i * 671 < datei.size(); ++i) {
            FahrtDatensatz x = FahrtDatensatz::ausBytes(datei.mid(i * 671, 671));
            x.AbwesenheitFahrt = x.AbwesenheitGesamt = x.AbwesenheitTag = x.FahrtDesTages = 0;
            x.Vergleichsindex = 0;
            x.Fahrtkosten = 0;
            r += x.zuBytes();
        }
        return r;
    };
    for (Qt::Key k : {Qt::Key_F8, Qt::Key_F4, Qt::Key_F8, Qt::Key_F6, Qt::Key_F8}) {
        taste(f, k);
        EXPECT_EQ(ohneBerechnetes(u.lies("Auto1_16.dat")), ohneBerechnetes(vorher))
            << "key " << k << " on trip " << fahrten1().Satznummer;
        EXPECT_EQ(u.meldungen, QList<int>{});
    }
    // A corrected purpose on trip 1, saved with the button: in place, the rest kept.
    taste(f, Qt::Key_F4);
    auto* grund = f->ctl<forms::ComboBox>("EinGrund")->lineEdit();
    grund->setFocus();
    grund->selectAll();
    QTest::keyClick(grund, Qt::Key_Backspace);
    QTest::keyClicks(grund, "Messe");
    QWidget* knopf = f->ctl("EintragSpeichern");
    QTest::mouseClick(knopf, Qt::LeftButton, {}, knopf->rect().center());
    const QByteArray nachher = u.lies("Auto1_16.dat");
    ASSERT_EQ(nachher.size(), 3 * 671);
    FahrtDatensatz erwartet = FahrtDatensatz::ausBytes(vorher.left(671));
    erwartet.Grund = QString("Messe").leftJustified(50);
    EXPECT_EQ(ohneBerechnetes(nachher.left(671)), ohneBerechnetes(erwartet.zuBytes()));
    EXPECT_EQ(ohneBerechnetes(nachher.mid(671)), ohneBerechnetes(vorher.mid(671)));
}

// Byte images an auditor may feed: a corrupt trip between two good ones is
// shown without ending the program, and saving it untouched changes nothing.
TEST(Speichern, CorruptByteImagesAreShownAndNeverRewritten)
{
    QByteArray zufall(671, 0);
    quint32 z = 12345;
    for (char& c : zufall)
        c = char((z = z * 1103515245u + 12345u) >> 24);
    const QByteArray bilder[] = {QByteArray(671, '\0'), QByteArray(671, '\xff'), QByteArray(671, ' '), zufall};
    for (bool firma : {true, false}) {
        for (const QByteArray& bild : bilder) {
            Seite p(firma);
            const QByteArray vorher = Seite::fahrt(1).zuBytes() + bild + Seite::fahrt(3).zuBytes() + "Rest";
            {
                QFile d(p.pfad());
                ASSERT_TRUE(d.open(QIODevice::WriteOnly));
                d.write(vorher);
            }
            zeige(p, 2);
            EXPECT_EQ(p.text("FahrtNr"), " 2");
            EXPECT_EQ(listenzeilen(p).size(), 2);
            ASpeichern(p.s);
            if (firma) {
                EXPECT_EQ(p.inhalt(), vorher) << bild.toHex().left(16).toStdString();
                EXPECT_TRUE(p.fragen == QList<int>{66} || p.fragen == QList<int>{76}) << p.fragen.size();
            }
            Datensatzvor(p.s);
            Datensatzvor(p.s);
            EXPECT_EQ(p.st.Satznummer, 3);
        }
    }
}

// The same byte images typed on the main window: browsing them and F8 on a
// company car's corrupt trip never end the program nor touch the file.
TEST(Speichern, CorruptByteImagesOnTheMainWindow)
{
    const QByteArray bilder[] = {QByteArray(671, '\xff'), QByteArray(671, '\x80')};
    for (bool firma : {true, false}) {
        for (const QByteArray& bild : bilder) {
            kmktest::Umgebung u;
            const QByteArray vorher = Seite::fahrt(1).zuBytes() + bild + Seite::fahrt(3).zuBytes();
            Form1* f = hauptfenster(u, firma, vorher);
            ASSERT_TRUE(f);
            for (Qt::Key k : {Qt::Key_F5, Qt::Key_F8, Qt::Key_F4, Qt::Key_F6, Qt::Key_F7, Qt::Key_F9, Qt::Key_F5})
                taste(f, k);
            EXPECT_EQ(fahrten1().Satznummer, 3);   // back from the new entry to the last trip
            const QByteArray nachher = u.lies("Auto1_16.dat");
            if (firma)
                EXPECT_EQ(nachher, vorher);
            EXPECT_EQ(nachher.left(671), vorher.left(671));
            EXPECT_EQ(nachher.mid(2 * 671), vorher.mid(2 * 671));
        }
    }
}

// F12 then F8 on a company car: the return trip is appended after question 5
// and the trips before it stay as they were.
TEST(Speichern, ReturnTripTypedIsAppended)
{
    kmktest::Umgebung u;
    QList<FahrtDatensatz> l{Seite::fahrt(1), Seite::fahrt(2)};
    l[1].Von = "Hamburg";
    l[1].Nach = "Bremen";
    l[1].Fahrer = "Anna";
    QByteArray zwei = l[0].zuBytes() + l[1].zuBytes();
    Form1* f = hauptfenster(u, true, zwei);
    ASSERT_TRUE(f);
    taste(f, Qt::Key_F12);
    taste(f, Qt::Key_F8);
    EXPECT_EQ(u.meldungen, QList<int>{5});
    const QByteArray nachher = u.lies("Auto1_16.dat");
    ASSERT_EQ(nachher.size(), 3 * 671);
    EXPECT_EQ(nachher.left(2 * 671), zwei);
    const FahrtDatensatz r = FahrtDatensatz::ausBytes(nachher.mid(2 * 671));
    FahrtDatensatz erwartet = l[1];   // 02.03.2016, 08:02 to 09:02, 1100 to 1200 km
    erwartet.Von = "Bremen";
    erwartet.Nach = "Hamburg";
    erwartet.Gespraechspartner = "Rückfahrt";
    erwartet.KmAb = 1200;
    erwartet.KmAn = 1300;
    erwartet.ZeitAb = 542 + 2;
    erwartet.ZeitAn = 542 + 5;
    for (const auto& [ist, soll] : {std::pair{r.Von, erwartet.Von}, {r.Nach, erwartet.Nach}, {r.Ueber, erwartet.Ueber},
                                    {r.Grund, erwartet.Grund}, {r.Gespraechspartner, erwartet.Gespraechspartner},
                                    {r.Fahrer, erwartet.Fahrer}})
        EXPECT_EQ(vb::Trim(ist), soll);
    EXPECT_EQ(r.Fahrtart, 3);
    EXPECT_EQ(r.DatumAb, erwartet.DatumAn);
    EXPECT_EQ((QList<qint32>{r.KmAb, r.KmAn, r.GefahreneKm, r.ZeitAb, r.ZeitAn}),
              (QList<qint32>{1200, 1300, 100, erwartet.ZeitAb, erwartet.ZeitAn}));
    EXPECT_EQ(r.Eintragungsdatum, vb::DateSerial(2016, 6, 15));
    EXPECT_EQ(r.VorherigeAnzahl, 2);
    EXPECT_EQ(r.Eintragsstatus, 0);
}

// A compared copy left from another vehicle: browse vehicle 1, switch to
// vehicle 2, F8 on its untouched trip gives 66 and no record anywhere.
TEST(Journal, VehicleSwitchThenF8ChangesNothing)
{
    kmktest::Umgebung u;
    QByteArray eins, zwei;
    for (int i = 1; i <= 3; ++i)
        eins += Seite::fahrt(i).zuBytes();
    for (int i = 7; i <= 8; ++i)
        zwei += Seite::fahrt(i).zuBytes();
    Form1* f = hauptfenster(u, true, eins, zwei);
    ASSERT_TRUE(f);
    f->AutoOpt_Click(0);
    ASSERT_EQ(fahrten1().AktuellesFahrzeug, 1);
    taste(f, Qt::Key_F7);
    taste(f, Qt::Key_F5);
    ASSERT_EQ(fahrten1().Satznummer, 2);
    f->AutoOpt_Click(1);
    ASSERT_EQ(fahrten1().AktuellesFahrzeug, 2);
    // Trip 2 of vehicle 2 asks 66, and so does its untouched trip 1.
    const std::pair<Qt::Key, QList<int>> schritte[] = {{Qt::Key_F8, {66}}, {Qt::Key_F5, {}}, {Qt::Key_F8, {66}}};
    for (const auto& [k, meldungen] : schritte) {
        u.meldungen.clear();
        taste(f, k);
        EXPECT_EQ(u.meldungen, meldungen) << k;
    }
    EXPECT_EQ(fahrten1().Satznummer, 1);
    EXPECT_EQ(u.lies("Auto1_16.dat"), eins);
    EXPECT_EQ(u.lies("Auto2_16.dat"), zwei);
}
