// The year's recalculation on trip files typed on the entry page, on files
// with wrong totals, and in the one-time mode for years before 2015.

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/allowance/aktualisieren.h"
#include "app/allowance/pauschalanzeige.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/records/dateien.h"
#include "app/records/jahr.h"
#include "platform/forms/fakes.h"
#include "platform/vb/date.h"

using namespace kmk;

namespace {

const qint32 D = vb::DateSerial(2016, 3, 1);

struct Fahrt {
    quint8 art;
    int tagAb;
    const char* ab;
    int tagAn;
    const char* an;
};

struct Jahr {
    QTemporaryDir dir;
    forms::ScopedFakes fakes;
    Fahrten1 st;
    QWidget page;
    Pauschalanzeige a{st, &page};

    Jahr()
    {
        st.setzeProgrammpfad(dir.path());
        st.Jahr = "2016";
        Jahr_ini(st);
        KfzDateiAnlegen(st);
        st.AktuellesFahrzeug = 1;
        st.Fahrtdatei = st.fahrtdateiName(1);
        st.Jahrgang.PauschaleTeiltag = "14";
        st.Jahrgang.PauschaleVolltag = "28";
        st.Voreinstellung.MitVerpflegungspauschale = WAHR;
        st.Kfz.Firmenfahrzeug = WAHR;
        buildEintragungenPage(&page);
    }
    QString pfad(int k = 1) const { return st.pfad(st.fahrtdateiName(k)); }
    QByteArray bytes(int k = 1) const
    {
        QFile f(pfad(k));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void schreibe(int k, const std::vector<FahrtDatensatz>& saetze) const
    {
        QFile f(pfad(k));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (const FahrtDatensatz& s : saetze)
            f.write(s.zuBytes());
    }
    void seite(const Fahrt& f)
    {
        const char* opt[] = {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"};
        for (int i = 0; i < 5; ++i) {
            auto* o = page.findChild<QRadioButton*>(opt[i]);
            o->setAutoExclusive(false);
            o->setChecked(i + 1 == f.art);
        }
        page.findChild<QLineEdit*>("EinDatumAb")->setText(vb::DateText(D + f.tagAb));
        page.findChild<QLineEdit*>("EinDatumAn")->setText(vb::DateText(D + f.tagAn));
        page.findChild<QLineEdit*>("EinZeitAb")->setText(f.ab);
        page.findChild<QLineEdit*>("EinZeitAn")->setText(f.an);
    }
    // A new entry after the last trip, saved.
    void neu(const Fahrt& f)
    {
        st.Satzanzahl = Fahrtanzahl(pfad());
        st.Satznummer = st.Satzanzahl + 1;
        st.Pufferindex = st.Satzanzahl >= 1 ? 2 : 1;
        st.Satzpuffer[2] = FahrtLesen(pfad(), st.Satzanzahl);
        st.Satzpuffer[0] = FahrtDatensatz{};
        st.Satzpuffer[0].Von = QStringLiteral("Köln");
        st.Satzpuffer[0].GefahreneKm = 42;
        seite(f);
        a.PauschaleAnzeigen();
        ASSERT_TRUE(DatensatzspeichernDatei(st).ok);
    }
    // The stored trip n corrected through the journal: kept as cancelled,
    // the corrected copy inserted after it.
    void korrigiere(qint32 n, const Fahrt& f)
    {
        st.Satzanzahl = Fahrtanzahl(pfad());
        st.Satznummer = n;
        st.Pufferindex = n > 1 ? 3 : 1;
        st.Satzpuffer[1] = FahrtLesen(pfad(), n);
        st.Satzpuffer[3] = FahrtLesen(pfad(), n - 1);
        st.Satzpuffer[0] = st.Satzpuffer[1];
        seite(f);
        a.PauschaleAnzeigen();
        ASSERT_TRUE(UberschreibenDatei(st, D + 30).ok);
    }
};

FahrtDatensatz satz(quint8 art, qint32 ab, int zeitAb, qint32 an, int zeitAn)
{
    FahrtDatensatz s;
    s.Fahrtart = art;
    s.DatumAb = ab;
    s.DatumAn = an;
    s.ZeitAb = qint16(zeitAb);
    s.ZeitAn = qint16(zeitAn);
    s.Folgetage = qint16(an - ab);
    if (an > ab) {
        s.MinutenAbfahrtstag = qint16(1440 - zeitAb);
        s.MinutenAnkunftstag = qint16(zeitAn);
    }
    s.Fahrer = QStringLiteral("Anna Schmidt");
    return s;
}

} // namespace

TEST(Neuberechnung, AFileTypedOnTheEntryPageStaysByteForByte)
{
    Jahr j;
    const Fahrt fahrten[] = {
        {3, 0, "08:00", 0, "16:00"}, {3, 0, "16:10", 0, "16:20"}, {3, 0, "16:30", 0, "17:00"},
        {2, 1, "09:00", 1, "10:00"}, {3, 1, "10:30", 1, "18:29"}, {3, 2, "08:00", 2, "16:00"},
        {3, 2, "18:00", 3, "10:00"}, {1, 3, "17:00", 3, "17:30"}, {3, 3, "18:00", 3, "19:00"},
        {3, 5, "14:00", 6, "09:00"}, {2, 6, "10:00", 9, "18:00"}, {3, 9, "19:00", 12, "07:00"},
        {0, 13, "08:00", 13, "17:00"}, {3, 13, "09:00", 13, "18:00"}, {5, 14, "07:00", 14, "07:30"},
    };
    int i = 0;
    for (const Fahrt& f : fahrten) {
        j.neu(f);
        ++i;
        // Now and then the trip just saved is corrected.
        if (i == 3 || i == 7 || i == 13) {
            Fahrt anders = f;
            anders.an = i == 13 ? "18:00" : "23:00";
            if (i == 13)
                anders.art = 4;
            j.korrigiere(Fahrtanzahl(j.pfad()), anders);
        }
    }
    ASSERT_EQ(Fahrtanzahl(j.pfad()), 18);
    ASSERT_EQ(FahrtLesen(j.pfad(), 3).Eintragsstatus, 1);
    ASSERT_EQ(FahrtLesen(j.pfad(), 4).Eintragsstatus, 2);
    const QByteArray vorher = j.bytes();

    const Neuberechnung n = aktualisieren(j.st);
    EXPECT_EQ(n.dateien, 1);
    EXPECT_EQ(n.geschrieben, 0);
    EXPECT_EQ(j.bytes(), vorher);
    EXPECT_EQ(j.fakes.dialogs.shown.last().prompt, "Aktualisierung ist abgeschlossen!");
    // The current vehicle's position, not the last file's.
    EXPECT_EQ(j.st.Satzanzahl, 18);
    EXPECT_EQ(j.st.Satznummer, 18);

    // Browsing shows each trip as stored, also after a cancelled one.
    for (qint32 n = 2; n <= 18; ++n) {
        const FahrtDatensatz gespeichert = FahrtLesen(j.pfad(), n);
        if (gespeichert.Eintragsstatus == 1)
            continue;
        SCOPED_TRACE(n);
        j.st.Satznummer = n;
        j.st.Pufferindex = 3;
        j.st.Satzpuffer[3] = FahrtLesen(j.pfad(), n - 1);
        j.st.Satzpuffer[0] = gespeichert;
        j.seite({gespeichert.Fahrtart, gespeichert.DatumAb - D, qPrintable(vb::TimeText(gespeichert.ZeitAb)),
                 gespeichert.DatumAn - D, qPrintable(vb::TimeText(gespeichert.ZeitAn))});
        j.a.PauschaleAnzeigen();
        const FahrtDatensatz& e = j.st.Satzpuffer[0];
        EXPECT_EQ(e.Teilpauschale1, gespeichert.Teilpauschale1);
        EXPECT_EQ(e.Teilpauschale2, gespeichert.Teilpauschale2);
        EXPECT_EQ(e.PauschaleGesamt, gespeichert.PauschaleGesamt);
        EXPECT_EQ(e.AbwesenheitTag, gespeichert.AbwesenheitTag);
        EXPECT_EQ(e.AbwesenheitGesamt, gespeichert.AbwesenheitGesamt);
    }
}

TEST(Neuberechnung, RepairsTotalsLeavesCancelledTripsAndUsesTheConfiguredRates)
{
    Jahr j;
    FahrtDatensatz r1 = satz(3, D, 480, D, 1020);       // 540 minutes
    r1.PauschaleGesamt = 77;
    FahrtDatensatz r2 = satz(3, D + 1, 480, D + 1, 1020);
    r2.Eintragsstatus = 1;
    r2.Teilpauschale2 = 14;
    r2.PauschaleGesamt = 999;
    FahrtDatensatz r3 = satz(3, D + 1, 540, D + 1, 1080);
    FahrtDatensatz r4 = satz(3, D + 2, 600, D + 5, 300);  // F = 3: 14 + 14 + 2 x 28
    j.schreibe(1, {r1, r2, r3, r4});
    {
        // A torn last write leaves a partial record; it stays as it is.
        QFile f(j.pfad());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("\x01\x02\x03");
    }
    const QByteArray storniert = j.bytes().mid(671, 671);

    aktualisieren(j.st);
    const FahrtDatensatz n1 = FahrtLesen(j.pfad(), 1);
    EXPECT_EQ(n1.AbwesenheitTag, 540);
    EXPECT_EQ(n1.Teilpauschale2, 14);
    EXPECT_EQ(n1.PauschaleGesamt, 14);
    EXPECT_EQ(j.bytes().mid(671, 671), storniert);
    const FahrtDatensatz n3 = FahrtLesen(j.pfad(), 3);
    EXPECT_EQ(n3.Teilpauschale2, 14);   // the cancelled trip paid nothing
    EXPECT_EQ(n3.PauschaleGesamt, 28);
    const FahrtDatensatz n4 = FahrtLesen(j.pfad(), 4);
    EXPECT_EQ(n4.PauschaleVolleTage, 56);
    EXPECT_EQ(n4.PauschaleGesamt, 112);
    EXPECT_EQ(n4.Fahrer, r4.Fahrer.leftJustified(50));
    EXPECT_EQ(j.bytes().size(), 4 * 671 + 3);
    EXPECT_EQ(j.bytes().right(3), QByteArray("\x01\x02\x03"));
}

TEST(Neuberechnung, EachCompanyCarsOwnFileOnce)
{
    Jahr j;
    const FahrtDatensatz s = satz(3, D, 480, D, 1020);
    for (int k = 1; k <= 3; ++k)
        j.schreibe(k, {s});
    // Vehicle 3 is a private car: its file stays as it is.
    ASSERT_TRUE(KfzLesen(j.st, 3));
    j.st.Kfz.Firmenfahrzeug = FALSCH;
    j.st.Kfz.Privatfahrzeug = WAHR;
    ASSERT_TRUE(KfzSchreiben(j.st, 3).ok);
    const QByteArray privat = j.bytes(3);

    const Neuberechnung n = aktualisieren(j.st);
    EXPECT_EQ(n.dateien, 2);
    EXPECT_EQ(FahrtLesen(j.pfad(1), 1).PauschaleGesamt, 14);
    EXPECT_EQ(FahrtLesen(j.pfad(2), 1).PauschaleGesamt, 14);
    EXPECT_EQ(j.bytes(3), privat);
}

TEST(Neuberechnung, TheOneTimeRunUsesTwelveAndTwentyFourAndKeepsTheDriver)
{
    Jahr j;
    j.st.NeuberechnungStart = true;
    j.schreibe(1, {satz(3, D, 480, D, 1020), satz(4, D + 2, 600, D + 5, 300)});
    FahrtDatensatz markiert = satz(3, D, 480, D, 1020);
    markiert.Fahrer = QStringLiteral("Leer");
    j.schreibe(2, {markiert});
    const QByteArray erledigt = j.bytes(2);

    aktualisieren(j.st);
    const FahrtDatensatz n1 = FahrtLesen(j.pfad(), 1);
    EXPECT_EQ(n1.Teilpauschale2, 12);
    EXPECT_EQ(n1.Fahrer.trimmed(), "Anna Schmidt");
    const FahrtDatensatz n2 = FahrtLesen(j.pfad(), 2);
    EXPECT_EQ(n2.PauschaleVolleTage, 48);
    EXPECT_EQ(n2.PauschaleGesamt, 12 + 12 + 12 + 48);
    EXPECT_EQ(j.bytes(2), erledigt);
    EXPECT_EQ(j.st.Pufferindex, 1);
}

TEST(Neuberechnung, ATripFileThatCannotBeReadIsNoCompletedRun)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to read as another user";
    Jahr j;
    j.schreibe(1, {satz(3, D, 480, D, 1020)});
    ASSERT_EQ(::chmod(QFile::encodeName(j.dir.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(j.st.pfad(j.st.Dateien.Kfzdatei)).constData(), 0644), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(j.pfad()).constData(), 0600), 0);
    // Read by a user who may not read it.
    const pid_t kind = ::fork();
    if (kind == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const Neuberechnung n = aktualisieren(j.st);
        bool fertig = false;
        for (const auto& d : j.fakes.dialogs.shown)
            fertig = fertig || d.prompt == QLatin1String("Aktualisierung ist abgeschlossen!");
        ::_exit(!n.vollstaendig() && n.fehler == QStringList{"Auto1_16.dat"} && !fertig ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(kind, &status, 0), kind);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(Neuberechnung, AnEmptyFileIsNotWrittenAndTheNoticeStillComes)
{
    Jahr j;
    j.schreibe(1, {});
    const Neuberechnung n = aktualisieren(j.st);
    EXPECT_EQ(n.geschrieben, 0);
    EXPECT_EQ(QFileInfo(j.pfad()).size(), 0);
    ASSERT_EQ(j.fakes.dialogs.shown.size(), 1);
    EXPECT_EQ(j.fakes.dialogs.shown[0].prompt, "Aktualisierung ist abgeschlossen!");
}

// The first trip, a business trip, corrected into a private one: nothing
// earns, so the corrected trip holds a total of 0 as the recalculation has it.
TEST(Neuberechnung, TheFirstTripCorrectedToPrivateCarriesNoTotal)
{
    Jahr j;
    j.neu({3, 0, "08:00", 0, "16:00"});
    ASSERT_EQ(FahrtLesen(j.pfad(), 1).PauschaleGesamt, 14);
    j.korrigiere(1, {2, 0, "08:00", 0, "16:00"});
    j.neu({3, 1, "08:00", 1, "16:00"});
    EXPECT_EQ(FahrtLesen(j.pfad(), 2).PauschaleGesamt, 0);
    EXPECT_EQ(FahrtLesen(j.pfad(), 3).PauschaleGesamt, 14);
    const QByteArray vorher = j.bytes();
    aktualisieren(j.st);
    EXPECT_EQ(j.bytes(), vorher);
}

// The day's earlier trips are read back from the file: three business trips
// on one day earn 14, 0, 0, and a fourth after a private one still 0.
TEST(Neuberechnung, ADayIsPaidOnceThroughThePage)
{
    Jahr j;
    const Fahrt fahrten[] = {{3, 0, "08:00", 0, "16:00"}, {3, 0, "16:10", 0, "16:20"}, {3, 0, "16:30", 0, "17:00"},
                             {2, 0, "17:10", 0, "17:20"}, {4, 0, "17:30", 0, "18:00"}};
    const int t2[] = {14, 0, 0, 0, 0};
    for (std::size_t i = 0; i < std::size(fahrten); ++i) {
        j.neu(fahrten[i]);
        const FahrtDatensatz s = FahrtLesen(j.pfad(), qint32(i) + 1);
        EXPECT_EQ(s.Teilpauschale2, t2[i]) << i;
        EXPECT_EQ(s.PauschaleGesamt, 14) << i;
    }
}

// A trip typed before a departure at 00:00 counted as midnight holds no
// time and no allowance; the recalculation gives it both, so the file
// holds what the page stores for the same trip, byte for byte.
TEST(Neuberechnung, ATripsTimeIsWrittenAsThePageStoresIt)
{
    Jahr j;
    j.neu({3, 10, "00:00", 10, "09:00"});
    const QByteArray getippt = j.bytes();
    FahrtDatensatz alt = FahrtLesen(j.pfad(), 1);
    ASSERT_EQ(alt.AbwesenheitFahrt, 540);
    alt.AbwesenheitFahrt = alt.AbwesenheitGesamt = alt.AbwesenheitTag = 0;
    alt.Teilpauschale2 = alt.PauschaleGesamt = 0;
    j.schreibe(1, {alt});

    aktualisieren(j.st);
    const FahrtDatensatz neu = FahrtLesen(j.pfad(), 1);
    EXPECT_EQ(neu.AbwesenheitFahrt, 540);
    EXPECT_EQ(neu.Teilpauschale2, 14);
    EXPECT_EQ(j.bytes(), getippt);
}
