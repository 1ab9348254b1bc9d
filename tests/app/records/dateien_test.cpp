// The data files of a year: settings, vehicles and the trip file.

#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

#include "app/records/dateien.h"
#include "app/records/jahr.h"

using namespace kmk;

namespace {

class Dateien : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Fahrten1 st;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        st.setzeProgrammpfad(dir.path());
        st.Jahr = "2016";
        ASSERT_TRUE(Jahr_ini(st));
        st.AktuellesFahrzeug = 1;
        st.Fahrtdatei = st.fahrtdateiName(1);
    }

    QString fahrtPfad() const { return dir.filePath("Auto1_16.dat"); }

    static FahrtDatensatz fahrt(int nr)
    {
        FahrtDatensatz s;
        s.FahrtNummer = qint16(nr);
        s.KmAb = 1000 + nr * 10;
        s.KmAn = 1010 + nr * 10;
        s.Von = QStringLiteral("Start %1").arg(nr);
        s.Nach = QStringLiteral("Ziel ä %1").arg(nr);
        return s;
    }

    // A trip file of n records numbered 1..n.
    void schreibeFahrten(int n)
    {
        QFile f(fahrtPfad());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        for (int i = 1; i <= n; ++i)
            f.write(fahrt(i).zuBytes());
    }

    QByteArray inhalt(const QString& pfad) const
    {
        QFile f(pfad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QStringList dateienImOrdner() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

// Makes every write beyond 'bytes' fail for the lifetime of the object;
// root is bound by it too.
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

TEST_F(Dateien, ReadingMissingSettingsOrVehicleFilesCreatesNothing)
{
    st.Voreinstellung.Journalfunktion = WAHR;
    EXPECT_FALSE(VorDatLesen(st));
    EXPECT_EQ(st.Voreinstellung.Journalfunktion, 0);
    st.Kfz.Anfangskm = 5;
    EXPECT_FALSE(KfzLesen(st, 2));
    EXPECT_EQ(st.Kfz.Anfangskm, 0);
    FLadenDatei(st);
    EXPECT_TRUE(dateienImOrdner().isEmpty());
}

TEST_F(Dateien, SettingsWrittenAndReadBack)
{
    st.Voreinstellung = VoreinstellungSatz::standard(st.Programmpfad + "Sicherheit/");
    st.Voreinstellung.LetztesFahrzeug = 2;
    ASSERT_TRUE(VorDat(st, true));
    EXPECT_EQ(dateienImOrdner(), QStringList{"Vor2016.dat"});
    EXPECT_EQ(QFileInfo(dir.filePath("Vor2016.dat")).size(), 329);
    const QByteArray vorher = inhalt(dir.filePath("Vor2016.dat"));

    st.Voreinstellung = VoreinstellungSatz{};
    ASSERT_TRUE(VorDat(st, false));
    EXPECT_EQ(st.Voreinstellung.LetztesFahrzeug, 2);
    EXPECT_EQ(st.Voreinstellung.ZoomIndex, 15);
    EXPECT_EQ(st.Voreinstellung.Sicherungsordner.size(), 250);
    EXPECT_EQ(st.Voreinstellung.Sicherungsordner.trimmed(), st.Programmpfad + "Sicherheit/");
    // Read and written again unchanged: the same bytes.
    ASSERT_TRUE(VorDat(st, true));
    EXPECT_EQ(inhalt(dir.filePath("Vor2016.dat")), vorher);
}

TEST_F(Dateien, VehicleRecordsGoToTheirSlot)
{
    st.Kfz = KfzGrundeinstellung{};
    st.Kfz.Kennzeichen = "D-XY 99";
    st.Kfz.Anfangskm = 4711;
    ASSERT_TRUE(KfzSchreiben(st, 3).ok);
    const QString pfad = dir.filePath("Auto2016.dat");
    EXPECT_EQ(QFileInfo(pfad).size(), 3 * 109);
    EXPECT_TRUE(KfzLesen(st, 1));
    EXPECT_TRUE(st.Kfz.Kennzeichen.trimmed().isEmpty());
    EXPECT_TRUE(KfzLesen(st, 3));
    EXPECT_EQ(st.Kfz.Anfangskm, 4711);
    EXPECT_FALSE(KfzLesen(st, 4));
    EXPECT_FALSE(KfzSchreiben(st, 5).ok);
    EXPECT_FALSE(KfzLesen(st, 0));

    // An existing file is never replaced by empty records.
    ASSERT_TRUE(KfzDateiAnlegen(st).ok);
    EXPECT_EQ(QFileInfo(pfad).size(), 3 * 109);
    QFile::remove(pfad);
    ASSERT_TRUE(KfzDateiAnlegen(st).ok);
    EXPECT_EQ(inhalt(pfad), KfzLeer(st).zuBytes().repeated(4));
}

TEST_F(Dateien, ANewVehicleFileHoldsFourEmptyCompanyCars)
{
    // The options of a first start, as the boxes leave them.
    st.Voreinstellung = VoreinstellungSatz::standard(st.Programmpfad + "Sicherheit/");
    ASSERT_TRUE(KfzDateiAnlegen(st).ok);
    const QByteArray b = inhalt(dir.filePath("Auto2016.dat"));
    ASSERT_EQ(b.size(), 436);
    for (int n = 0; n < 4; ++n) {
        const QByteArray r = b.mid(n * 109, 109);
        EXPECT_EQ(r.mid(0, 15), QByteArray(15, ' ')) << n;
        EXPECT_EQ(r.mid(15, 4).toHex(), "00000000") << n;
        EXPECT_EQ(r.mid(79, 4).toHex(), "ffff0000") << n;    // company car, not private
        EXPECT_EQ(r.mid(93, 2).toHex(), "0000") << n;        // no voice
        EXPECT_EQ(r.mid(95, 2).toHex(), "0000") << n;        // no preset times
        EXPECT_EQ(r.mid(97, 4).toHex(), "ffffffff") << n;    // no times, private km only
        EXPECT_EQ(r.mid(101, 2).toHex(), "ffff") << n;       // calendar on today
        EXPECT_EQ(r.mid(103, 4).toHex(), "00000000") << n;   // questions, allowance off
        EXPECT_EQ(r.mid(107, 2).toHex(), "ffff") << n;       // journal
    }

    // Slots skipped when a later one is written are empty company cars too.
    QFile::remove(dir.filePath("Auto2016.dat"));
    st.Kfz = KfzGrundeinstellung{};
    st.Kfz.Privatfahrzeug = WAHR;
    ASSERT_TRUE(KfzSchreiben(st, 2).ok);
    ASSERT_TRUE(KfzLesen(st, 1));
    EXPECT_EQ(st.Kfz.Firmenfahrzeug, WAHR);
    EXPECT_EQ(st.Kfz.Privatfahrzeug, FALSCH);
    ASSERT_TRUE(KfzLesen(st, 2));
    EXPECT_EQ(st.Kfz.Firmenfahrzeug, FALSCH);
}

TEST_F(Dateien, OnlyTheTemporariesOfTheYearsDataFilesGoAtStart)
{
    // 99999999 is no process's number; this process still writes its own.
    const QString laeuft = QString(".Vor2016.dat.neu-%1-7").arg(::getpid());
    struct Fall { QString name; bool bleibt; };
    const Fall faelle[] = {
        {".Auto1_16.dat.neu-99999999-1x", false}, {".Auto4_16.dat.neu-99999999-0", false},
        {".Vor2016.dat.neu-99999999-2", false},   {".Kund2016.dat.neu-99999999-3", false},
        {".Auto2016.dat.neu-99999999-4", false},  {".Vor2015.dat.neu-99999999-5", true},
        {".Auto5_16.dat.neu-99999999-6", true},   {".bashrc.neu-99999999-abc", true},
        {".notiz.neu-99999999-1", true},          {laeuft, true},
        // Spelt otherwise than the program spells its files, or without a writer.
        {".AUTO1_16.DAT.neu-99999999-1", true},   {".auto1_16.dat.neu-99999999-2", true},
        {".Auto1_16.dat.neu-1x", true},
    };
    for (const Fall& f : faelle) {
        QFile d(dir.filePath(f.name));
        ASSERT_TRUE(d.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(ZwischendateienEntfernen(st), 5);
    for (const Fall& f : faelle)
        EXPECT_EQ(QFile::exists(dir.filePath(f.name)), f.bleibt) << qPrintable(f.name);
}

TEST_F(Dateien, SavingTheFirstRecordCreatesTheFile)
{
    EXPECT_FALSE(FLadenDatei(st));
    EXPECT_EQ(st.Pufferindex, 1);
    EXPECT_EQ(st.Satznummer, 1);
    st.NeuerEintragOffen = true;
    st.Satzpuffer[0] = fahrt(1);
    ASSERT_TRUE(DatensatzspeichernDatei(st).ok);
    EXPECT_FALSE(st.NeuerEintragOffen);
    EXPECT_EQ(st.Satznummer, 1);
    EXPECT_EQ(st.Satzanzahl, 1);
    EXPECT_TRUE(st.FahrtdateiVorhanden[1]);
    EXPECT_EQ(inhalt(fahrtPfad()), fahrt(1).zuBytes());
}

TEST_F(Dateien, AppendingAndOverwritingTouchExactlyOneRecord)
{
    schreibeFahrten(5);
    const QByteArray vorher = inhalt(fahrtPfad());

    // A new entry after the last record.
    st.Pufferindex = 2;
    st.NeuerEintragOffen = true;
    st.Satznummer = 6;
    st.Satzpuffer[0] = fahrt(6);
    ASSERT_TRUE(DatensatzspeichernDatei(st).ok);
    EXPECT_EQ(st.Satzanzahl, 6);
    EXPECT_EQ(st.Satznummer, 6);
    EXPECT_FALSE(st.NeuerEintragOffen);
    EXPECT_EQ(inhalt(fahrtPfad()), vorher + fahrt(6).zuBytes());

    // Overwriting record 3 in place.
    st.Pufferindex = 3;
    st.Satznummer = 3;
    FahrtDatensatz neu = fahrt(3);
    neu.Grund = "Kundenbesuch";
    st.Satzpuffer[0] = neu;
    ASSERT_TRUE(DatensatzspeichernDatei(st).ok);
    QByteArray erwartet = vorher + fahrt(6).zuBytes();
    erwartet.replace(2 * 671, 671, neu.zuBytes());
    EXPECT_EQ(inhalt(fahrtPfad()), erwartet);
    EXPECT_EQ(st.Satznummer, 3);
}

TEST_F(Dateien, RecordNumbersOutsideTheFileAreRefused)
{
    schreibeFahrten(3);
    const QByteArray vorher = inhalt(fahrtPfad());
    st.Satzpuffer[0] = fahrt(9);
    for (qint32 nr : {0, -1, 5, 100000}) {
        st.Satznummer = nr;
        const Dateiergebnis e = DatensatzspeichernDatei(st);
        EXPECT_FALSE(e.ok) << nr;
        EXPECT_TRUE(e.meldung.contains("ungültig")) << qPrintable(e.meldung);
    }
    // A new entry goes after the last trip or nowhere, never onto a stored one.
    st.NeuerEintragOffen = true;
    st.Pufferindex = 2;
    for (qint32 nr : {1, 3}) {
        st.Satznummer = nr;
        const Dateiergebnis e = DatensatzspeichernDatei(st);
        EXPECT_FALSE(e.ok) << nr;
        EXPECT_TRUE(e.meldung.contains("ungültig")) << qPrintable(e.meldung);
    }
    EXPECT_EQ(inhalt(fahrtPfad()), vorher);
}

TEST_F(Dateien, AFullTripFileRefusesTheNextTrip)
{
    // A file at or beyond the limit, the new entry numbered after the last
    // trip, after the 32,767 a limited read counts, or stale from a count
    // before the last trip: full, nothing written.
    struct Fall { qint32 anzahl; qint32 nummer; };
    for (const Fall f : {Fall{32767, 32768}, Fall{32767, 32767}, Fall{32768, 32768}, Fall{32768, 32769},
                         Fall{33000, 32768}, Fall{33000, 33001}}) {
        {
            QFile datei(fahrtPfad());
            ASSERT_TRUE(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ASSERT_TRUE(datei.resize(qint64(f.anzahl) * 671));
        }
        st.Pufferindex = 2;
        st.NeuerEintragOffen = true;
        st.Satznummer = f.nummer;
        st.Satzpuffer[0] = fahrt(1);
        const Dateiergebnis e = DatensatzspeichernDatei(st);
        EXPECT_FALSE(e.ok) << f.anzahl << " " << f.nummer;
        EXPECT_TRUE(e.meldung.contains("32767 Fahrten")) << qPrintable(e.meldung);
        EXPECT_TRUE(st.NeuerEintragOffen);
        EXPECT_EQ(QFileInfo(fahrtPfad()).size(), qint64(f.anzahl) * 671) << f.anzahl;
        QFile datei(fahrtPfad());
        ASSERT_TRUE(datei.open(QIODevice::ReadOnly) && datei.seek(qint64(32767) * 671));
        EXPECT_EQ(datei.read(671), f.anzahl > 32767 ? QByteArray(671, '\0') : QByteArray()) << f.anzahl;
    }
    QFile::remove(fahrtPfad());
    {
        QFile datei(fahrtPfad());
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        ASSERT_TRUE(datei.resize(qint64(MaxFahrten) * 671));
    }

    // The last record itself can still be corrected in place.
    st.NeuerEintragOffen = false;
    st.Pufferindex = 3;
    st.Satznummer = MaxFahrten;
    EXPECT_TRUE(DatensatzspeichernDatei(st).ok);
    EXPECT_EQ(FahrtLesen(fahrtPfad(), MaxFahrten), fahrt(1));
    // And the journal refuses to grow the file.
    EXPECT_FALSE(UberschreibenDatei(st, 42400).ok);
    EXPECT_EQ(QFileInfo(fahrtPfad()).size(), qint64(MaxFahrten) * 671);
}

TEST_F(Dateien, LoadingFillsTheBuffersAsTheRecordNumberSays)
{
    schreibeFahrten(4);
    st.Satzpuffer[7] = fahrt(99);
    st.Satznummer = 1;
    ASSERT_TRUE(FLadenDatei(st));
    EXPECT_EQ(st.Satzanzahl, 4);
    EXPECT_EQ(st.Satzpuffer[1], fahrt(1));
    EXPECT_EQ(st.Satzpuffer[2], fahrt(4));
    EXPECT_EQ(st.Satzpuffer[3].FahrtNummer, 0);  // no predecessor
    EXPECT_EQ(st.Satzpuffer[7], FahrtDatensatz{});  // no stale copy

    st.Satznummer = 2;
    ASSERT_TRUE(FLadenDatei(st));
    EXPECT_EQ(st.Satzpuffer[3], fahrt(1));
    EXPECT_EQ(st.Satzpuffer[7], fahrt(2));

    // Beyond the end: only what exists.
    st.Satznummer = 5;
    ASSERT_TRUE(FLadenDatei(st));
    EXPECT_EQ(st.Satzpuffer[1].FahrtNummer, 0);
    EXPECT_EQ(st.Satzpuffer[2], fahrt(4));
    EXPECT_EQ(st.Satzpuffer[3], fahrt(4));
    EXPECT_EQ(st.Satzpuffer[7], FahrtDatensatz{});

    ASSERT_TRUE(ErsteLadenDatei(st));
    EXPECT_EQ(st.Satznummer, 4);
    EXPECT_EQ(st.Pufferindex, 3);
    EXPECT_EQ(st.Satzpuffer[0], fahrt(4));
    EXPECT_EQ(st.Satzpuffer[3], fahrt(3));
    // One record has no stored trip before it to compare with.
    schreibeFahrten(1);
    ASSERT_TRUE(ErsteLadenDatei(st));
    EXPECT_EQ(st.Pufferindex, 1);
}

TEST_F(Dateien, ClearingTheBuffersKeepsWhatTheEntryPageCarriesOver)
{
    st.Voreinstellung.MitVerpflegungspauschale = WAHR;
    FahrtDatensatz s = fahrt(2);
    s.DatumAb = 42400;
    s.DatumAn = 42401;
    s.Mitfahrer = 2;
    s.Kraftstoffart = "kWh";
    s.Fahrtart = 3;
    s.Statusdatum = 42000;
    st.Satzpuffer[0] = s;
    st.Satzpuffer[6] = s;
    PufferZuruecksetzen(st);
    const FahrtDatensatz& z = st.Satzpuffer[0];
    EXPECT_EQ(z.DatumAb, 42400);
    EXPECT_EQ(z.DatumAn, 42401);
    EXPECT_EQ(z.KmAn, s.KmAn);
    EXPECT_EQ(z.Mitfahrer, 2);
    EXPECT_EQ(z.Kraftstoffart, "kWh");
    EXPECT_EQ(z.KmAb, 0);
    EXPECT_EQ(z.Fahrtart, 0);
    EXPECT_EQ(z.Statusdatum, 0);
    EXPECT_EQ(z.Von, QString(50, ' '));
    EXPECT_EQ(z.MitPauschale, WAHR);
    EXPECT_EQ(st.Satzpuffer[6], s);  // list and copy buffers untouched
}

TEST_F(Dateien, TruncationKeepsExactlyTheRecordsUpToTheCurrentOne)
{
    schreibeFahrten(10);
    const QByteArray vorher = inhalt(fahrtPfad());
    st.Satznummer = 3;
    ASSERT_TRUE(DatensatzloschenDatei(st).ok);
    EXPECT_EQ(inhalt(fahrtPfad()), vorher.left(3 * 671));
    EXPECT_EQ(st.Satzanzahl, 3);
    EXPECT_EQ(dateienImOrdner(), QStringList{"Auto1_16.dat"});  // no temporary left
}

TEST_F(Dateien, TruncationLeavesOneRecordFilesAndTheEndAlone)
{
    schreibeFahrten(1);
    st.Satznummer = 1;
    ASSERT_TRUE(DatensatzloschenDatei(st).ok);
    EXPECT_EQ(inhalt(fahrtPfad()), fahrt(1).zuBytes());

    schreibeFahrten(4);
    const QByteArray vier = inhalt(fahrtPfad());
    st.Satznummer = 4;
    ASSERT_TRUE(DatensatzloschenDatei(st).ok);
    EXPECT_EQ(inhalt(fahrtPfad()), vier);
    // Never everything: a record number below 1 is refused.
    st.Satznummer = 0;
    EXPECT_FALSE(DatensatzloschenDatei(st).ok);
    EXPECT_EQ(inhalt(fahrtPfad()), vier);

    QFile::remove(fahrtPfad());
    st.Satznummer = 2;
    EXPECT_TRUE(DatensatzloschenDatei(st).ok);  // no file: nothing to do
    EXPECT_TRUE(dateienImOrdner().isEmpty());
}

TEST_F(Dateien, AFailingRewriteLeavesTheTripFileIntact)
{
    schreibeFahrten(10);
    const QByteArray vorher = inhalt(fahrtPfad());
    st.Satznummer = 5;
    {
        Schreibgrenze grenze(1000);  // the copy of 5 records cannot be written
        const Dateiergebnis e = DatensatzloschenDatei(st);
        EXPECT_FALSE(e.ok);
        EXPECT_TRUE(e.meldung.contains("Auto1_16.dat")) << qPrintable(e.meldung);
        st.Satzpuffer[0] = fahrt(50);
        EXPECT_FALSE(UberschreibenDatei(st, 42500).ok);
    }
    EXPECT_EQ(inhalt(fahrtPfad()), vorher);
    EXPECT_EQ(dateienImOrdner(), QStringList{"Auto1_16.dat"});
    // The unsaved correction is not marked as a stored, locked change.
    EXPECT_EQ(st.Satzpuffer[0], fahrt(50));
}

TEST_F(Dateien, AJournalCorrectionWithoutItsTripFileIsReported)
{
    st.Satznummer = 3;
    st.Satzanzahl = 5;
    st.Satzpuffer[0] = fahrt(3);
    const Dateiergebnis e = UberschreibenDatei(st, 42500);
    EXPECT_FALSE(e.ok);
    EXPECT_TRUE(e.meldung.contains("Auto1_16.dat")) << qPrintable(e.meldung);
    EXPECT_EQ(st.Satzpuffer[0], fahrt(3));
    EXPECT_TRUE(dateienImOrdner().isEmpty());

    st.Fahrtdatei.clear();
    EXPECT_FALSE(UberschreibenDatei(st, 42500).ok);
}

TEST_F(Dateien, AShortRecordWriteIsReportedNotPassedAsSaved)
{
    schreibeFahrten(10);
    st.Pufferindex = 2;
    st.NeuerEintragOffen = true;
    st.Satznummer = 11;
    st.Satzpuffer[0] = fahrt(11);
    {
        Schreibgrenze grenze(10 * 671 + 100);  // room for 100 bytes only
        const Dateiergebnis e = DatensatzspeichernDatei(st);
        EXPECT_FALSE(e.ok);
        EXPECT_FALSE(e.meldung.isEmpty());
    }
    EXPECT_TRUE(st.NeuerEintragOffen);
    EXPECT_EQ(st.Satzanzahl, 10);
    EXPECT_EQ(FahrtLesen(fahrtPfad(), 10), fahrt(10));
    // The next save completes the record.
    ASSERT_TRUE(DatensatzspeichernDatei(st).ok);
    EXPECT_EQ(QFileInfo(fahrtPfad()).size(), 11 * 671);
}

TEST_F(Dateien, ATripFileThatIsAFolderGivesAMessageNotACrash)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("Auto1_16.dat"));
    EXPECT_FALSE(FLadenDatei(st));
    st.Satznummer = 1;
    st.Satzpuffer[0] = fahrt(1);
    const Dateiergebnis e = DatensatzspeichernDatei(st);
    EXPECT_FALSE(e.ok);
    EXPECT_FALSE(e.meldung.isEmpty());
    EXPECT_TRUE(QFileInfo(fahrtPfad()).isDir());
}

TEST_F(Dateien, APartialTrailingRecordIsNotCounted)
{
    schreibeFahrten(3);
    {
        QFile f(fahrtPfad());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(QByteArray(100, 'x'));
    }
    st.Satznummer = 3;
    ASSERT_TRUE(FLadenDatei(st));
    EXPECT_EQ(st.Satzanzahl, 3);
    EXPECT_EQ(st.Satzpuffer[2], fahrt(3));
    // Appending replaces the broken tail by a whole record.
    st.Satznummer = 4;
    st.Satzpuffer[0] = fahrt(4);
    ASSERT_TRUE(DatensatzspeichernDatei(st).ok);
    EXPECT_EQ(QFileInfo(fahrtPfad()).size(), 4 * 671);
    EXPECT_EQ(FahrtLesen(fahrtPfad(), 4), fahrt(4));
    EXPECT_EQ(FahrtLesen(fahrtPfad(), 3), fahrt(3));
}

TEST_F(Dateien, JournalCorrectionInsertsAfterTheCancelledRecord)
{
    schreibeFahrten(3);
    st.Satznummer = 1;
    FahrtDatensatz korr = fahrt(1);
    korr.Grund = "korrigiert";
    st.Satzpuffer[0] = korr;
    ASSERT_TRUE(UberschreibenDatei(st, 42500).ok);
    EXPECT_EQ(st.Satzanzahl, 4);
    const FahrtDatensatz r1 = FahrtLesen(fahrtPfad(), 1);
    const FahrtDatensatz r2 = FahrtLesen(fahrtPfad(), 2);
    EXPECT_EQ(r1.Eintragsstatus, 1);
    EXPECT_EQ(r1.Statusdatum, 42500);
    EXPECT_EQ(r1.Grund.trimmed(), "");
    EXPECT_EQ(r2.Eintragsstatus, 2);
    EXPECT_EQ(r2.Statusdatum, 42500);
    EXPECT_EQ(r2.Grund.trimmed(), "korrigiert");
    EXPECT_EQ(FahrtLesen(fahrtPfad(), 3), fahrt(2));
    EXPECT_EQ(FahrtLesen(fahrtPfad(), 4), fahrt(3));

    // The last record: the correction comes last.
    st.Satznummer = 4;
    st.Satzpuffer[0] = korr;
    ASSERT_TRUE(UberschreibenDatei(st, 42501).ok);
    EXPECT_EQ(st.Satzanzahl, 5);
    EXPECT_EQ(FahrtLesen(fahrtPfad(), 5).Statusdatum, 42501);
    EXPECT_EQ(FahrtLesen(fahrtPfad(), 4).Eintragsstatus, 1);
}

TEST_F(Dateien, CostUpdateChangesOnlyTheFiveCostFields)
{
    schreibeFahrten(2);
    st.Satznummer = 2;
    FahrtDatensatz e = fahrt(77);
    e.Kraftstoffmenge = 41.5;
    e.BetragKraftstoff = vb::Currency::fromRaw(655000);
    e.BetragWartung = vb::Currency::fromRaw(1000);
    e.Wartungstext = "Ölwechsel";
    e.Kraftstoffart = "Liter";
    st.Satzpuffer[0] = e;
    ASSERT_TRUE(Uberschreiben_BenzinDatei(st).ok);
    FahrtDatensatz erwartet = fahrt(2);
    erwartet.Kraftstoffmenge = 41.5;
    erwartet.BetragKraftstoff = e.BetragKraftstoff;
    erwartet.BetragWartung = e.BetragWartung;
    erwartet.Wartungstext = e.Wartungstext;
    erwartet.Kraftstoffart = e.Kraftstoffart;
    EXPECT_EQ(FahrtLesen(fahrtPfad(), 2), erwartet);
    EXPECT_EQ(FahrtLesen(fahrtPfad(), 1), fahrt(1));

    // A new entry past the end writes nothing.
    const QByteArray vorher = inhalt(fahrtPfad());
    st.Satznummer = 3;
    EXPECT_TRUE(Uberschreiben_BenzinDatei(st).ok);
    EXPECT_EQ(inhalt(fahrtPfad()), vorher);
}

TEST_F(Dateien, AllPathsComeFromTheProgramFolder)
{
    const QString anderswo = QDir::currentPath();
    QTemporaryDir fremd;
    QDir::setCurrent(fremd.path());
    st.Voreinstellung = VoreinstellungSatz::standard("x");
    EXPECT_TRUE(VorDat(st, true));
    QDir::setCurrent(anderswo);
    EXPECT_TRUE(QFile::exists(dir.filePath("Vor2016.dat")));
    EXPECT_TRUE(QDir(fremd.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(st.Programmpfad, dir.path() + "/");
    Fahrten1 z;
    z.setzeProgrammpfad(dir.path() + "///");
    EXPECT_EQ(z.Programmpfad, dir.path() + "/");
}

TEST_F(Dateien, DataFilesAreFoundWhateverTheCaseOfTheirNames)
{
    schreibeFahrten(2);
    ASSERT_TRUE(QFile::rename(fahrtPfad(), dir.filePath("AUTO1_16.DAT")));
    DateiTest(st);
    EXPECT_TRUE(st.FahrtdateiVorhanden[1]);
    EXPECT_FALSE(st.FahrtdateiVorhanden[2]);
    st.Satznummer = 2;
    ASSERT_TRUE(FLadenDatei(st));
    EXPECT_EQ(st.Satzpuffer[1], fahrt(2));
}
