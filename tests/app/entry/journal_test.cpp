// Saving: the journal correction of a company car's trip, appending a new
// trip, a private car's trip in place, refused record numbers.
#include "seite.h"

#include "app/entry/laden.h"
#include "app/entry/navigation.h"
#include "app/entry/neueintrag.h"
#include "app/entry/speichern.h"

#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

using kmktest::Seite;
using namespace kmk;

namespace {

void zeige(Seite& p, int n)
{
    p.st.Satznummer = n;
    p.st.Pufferindex = 3;
    FLaden(p.s);
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
    const std::pair<const char*, Aenderung> felder[] = {
        {"Grund", [](FahrtDatensatz& f) { f.Grund = "kunde"; }},   // case counts
        {"Von", [](FahrtDatensatz& f) { f.Von = " Start 2"; }},    // so does a leading blank
        {"Nach", [](FahrtDatensatz& f) { f.Nach = "Ziel 9"; }},
        {"Ueber", [](FahrtDatensatz& f) { f.Ueber = "A2"; }},
        {"Gespraechspartner", [](FahrtDatensatz& f) { f.Gespraechspartner = "Meyer"; }},
        {"Fahrtart", [](FahrtDatensatz& f) { f.Fahrtart = 4; }},
        {"GefahreneKm", [](FahrtDatensatz& f) { f.GefahreneKm = 101; }},
        {"KmAn", [](FahrtDatensatz& f) { f.KmAn += 1; }},
        {"DatumAn", [](FahrtDatensatz& f) { f.DatumAn += 1; }},
        {"ZeitAn", [](FahrtDatensatz& f) { f.ZeitAn += 1; }},
        {"KmAb", [](FahrtDatensatz& f) { f.KmAb -= 1; }},
        {"ZeitAb", [](FahrtDatensatz& f) { f.ZeitAb -= 1; }},
        {"DatumAb", [](FahrtDatensatz& f) { f.DatumAb -= 1; }},
    };
    for (const auto& [feld, aendern] : felder) {
        Seite p;
        p.schreibe(3);
        const QByteArray vorher = p.inhalt();
        zeige(p, 2);
        aendern(p.st.Satzpuffer[0]);
        p.antworten = {false};
        ASpeichern(p.s);
        EXPECT_EQ(p.fragen, QList<int>{50}) << feld;
        EXPECT_EQ(p.inhalt(), vorher) << feld;
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
