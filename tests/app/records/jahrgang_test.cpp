// The scrambled installation configuration "DTSD.kxt".

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "app/records/jahr.h"
#include "app/records/jahrgangsdaten.h"

using namespace kmk;

namespace {

QString kod(const QString& t) { return FeldKodieren(t, JahrgangSchluessel, true); }
QString dek(const QString& t, bool* kaputt = nullptr)
{
    return FeldKodieren(t, JahrgangSchluessel, false, kaputt);
}

void schreibeDatei(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

} // namespace

TEST(Jahrgang, ScramblingVectors)
{
    // Each character XOR the key "tornek" at its position, upper-case hex.
    EXPECT_EQ(kod("2016"), "465F4358");
    EXPECT_EQ(kod("2050"), "465F475E");
    EXPECT_EQ(kod("Kxt"), "3F1706");
    EXPECT_EQ(kod("Ptq"), "241B03");
    EXPECT_EQ(kod("Rnz"), "260108");
    EXPECT_EQ(kod("14"), "455B");
    EXPECT_EQ(kod("28"), "4657");
    EXPECT_EQ(kod("24"), "465B");
    // A byte below 16 keeps its leading zero; the seventh character uses
    // the first key character again.
    EXPECT_EQ(kod("tornekt"), "00000000000000");
    EXPECT_EQ(kod("u"), "01");
    EXPECT_EQ(kod(""), "");
    EXPECT_EQ(dek(""), "");
    // Windows-1252 codes, not Unicode: € is 0x80.
    EXPECT_EQ(kod(QStringLiteral("€")), "F4");
    EXPECT_EQ(dek("F4"), QStringLiteral("€"));
}

TEST(Jahrgang, DecodingReversesEncoding)
{
    for (const QString& t : {QStringLiteral("2016"), QStringLiteral("Kxt"), QStringLiteral("123"),
                             QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789 äöüß€")}) {
        const QString e = kod(t);
        EXPECT_EQ(e.size(), 2 * t.size());
        for (QChar c : e)
            EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) << qPrintable(e);
        bool kaputt = false;
        EXPECT_EQ(dek(e, &kaputt), t);
        EXPECT_FALSE(kaputt);
    }
    EXPECT_EQ(dek("465F43585"), "2016");  // a trailing odd character is ignored
    EXPECT_EQ(dek("465f4358"), "2016");   // lower-case hex reads as well
}

TEST(Jahrgang, DamagedFieldsDecodeWithoutCrashing)
{
    bool kaputt = false;
    EXPECT_EQ(dek("46ZZ4358", &kaputt), "2?16");
    EXPECT_TRUE(kaputt);
    kaputt = false;
    EXPECT_EQ(dek(QString(4, QChar(0)), &kaputt), "??");
    EXPECT_TRUE(kaputt);
    kaputt = false;
    EXPECT_EQ(dek(QStringLiteral("4ü5F"), &kaputt), "?0");
    EXPECT_TRUE(kaputt);
}

TEST(Jahrgang, RecordLayoutAndRoundTrip)
{
    Jahrgangsdaten d;
    d.Jahr = "2016";
    d.Markenkennung = "Kxt";
    d.PauschaleTeiltag = "12";
    d.PauschaleVolltag = "24";
    const QByteArray b = d.kodiert().zuBytes();
    ASSERT_EQ(b.size(), 329);
    EXPECT_EQ(b.mid(0, 44), QByteArray(44, ' '));
    EXPECT_EQ(b.mid(44, 8), QByteArray("465F4358"));
    EXPECT_EQ(b.mid(52, 6), QByteArray("3F1706"));
    EXPECT_EQ(b.mid(58, 128), QByteArray(128, ' '));
    EXPECT_EQ(b.mid(186, 6), QByteArray("455D  "));
    EXPECT_EQ(b.mid(192, 6), QByteArray("465B  "));
    EXPECT_EQ(b.mid(198), QByteArray(131, '\0'));

    // Bytes as stored come back unchanged, the unused tail included.
    QByteArray roh = b;
    for (int i = 198; i < 329; ++i)
        roh[i] = char(i);
    EXPECT_EQ(Jahrgangsdaten::ausBytes(roh).zuBytes(), roh);

    const Jahrgangsdaten z = Jahrgangsdaten::ausBytes(b).dekodiert();
    EXPECT_EQ(z.Jahr, "2016    ");
    EXPECT_EQ(z.Markenkennung, "Kxt   ");
    EXPECT_EQ(z.PauschaleTeiltag.trimmed(), "12");
    EXPECT_EQ(z.PauschaleVolltag.trimmed(), "24");
}

TEST(Jahrgang, ReadingTheFile)
{
    QTemporaryDir dir;
    Jahrgangsdaten d;
    EXPECT_EQ(JahrgangDatLesen(dir.path(), d), JahrgangLesen::Fehlt);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());  // nothing created

    d.Jahr = "2022";
    d.Markenkennung = "Rnz";
    d.PauschaleTeiltag = "14";
    d.PauschaleVolltag = "28";
    ASSERT_TRUE(JahrgangDatSchreiben(dir.path(), d));
    EXPECT_EQ(QFileInfo(dir.filePath("DTSD.kxt")).size(), 329);

    // Found whatever the case of its name.
    ASSERT_TRUE(QFile::rename(dir.filePath("DTSD.kxt"), dir.filePath("dtsd.KXT")));
    Jahrgangsdaten z;
    ASSERT_EQ(JahrgangDatLesen(dir.path(), z), JahrgangLesen::Ok);
    EXPECT_EQ(z.Jahr.trimmed(), "2022");
    EXPECT_EQ(z.Markenkennung.trimmed(), "Rnz");
    EXPECT_EQ(z.PauschaleVolltag.trimmed(), "28");
}

TEST(Jahrgang, ShortOrDamagedFilesGiveADefinedResult)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath("DTSD.kxt");
    Jahrgangsdaten z;

    schreibeDatei(pfad, QByteArray());
    EXPECT_EQ(JahrgangDatLesen(dir.path(), z), JahrgangLesen::Beschaedigt);
    EXPECT_NE(z.Jahr.trimmed(), "2016");

    // Cut in the middle of the year field.
    schreibeDatei(pfad, QByteArray(44, ' ') + "465F");
    EXPECT_EQ(JahrgangDatLesen(dir.path(), z), JahrgangLesen::Beschaedigt);
    EXPECT_EQ(z.Jahr.left(2), "20");
    EXPECT_EQ(z.Jahr.size(), 8);

    // A file that ends with its fields is complete.
    Jahrgangsdaten d;
    d.Jahr = "2016";
    d.Markenkennung = "Ptq";
    d.PauschaleTeiltag = "12";
    schreibeDatei(pfad, d.kodiert().zuBytes().left(198));
    EXPECT_EQ(JahrgangDatLesen(dir.path(), z), JahrgangLesen::Ok);
    EXPECT_EQ(z.Markenkennung.trimmed(), "Ptq");
    EXPECT_EQ(z.PauschaleTeiltag.trimmed(), "12");
    schreibeDatei(pfad, d.kodiert().zuBytes().left(197));
    EXPECT_EQ(JahrgangDatLesen(dir.path(), z), JahrgangLesen::Beschaedigt);

    // Non-hex pairs.
    QByteArray b(329, ' ');
    b.replace(44, 8, "XYZ!4358");
    schreibeDatei(pfad, b);
    EXPECT_EQ(JahrgangDatLesen(dir.path(), z), JahrgangLesen::Beschaedigt);
    EXPECT_EQ(z.Jahr.trimmed(), "??16");

    // A folder in place of the file.
    QFile::remove(pfad);
    ASSERT_TRUE(QDir(dir.path()).mkdir("DTSD.kxt"));
    EXPECT_EQ(JahrgangDatLesen(dir.path(), z), JahrgangLesen::Fehlt);
}

TEST(Jahrgang, TheToolWritesAFileTheProgramReads)
{
    const QString bin = qEnvironmentVariable("KMK_BIN_DIR");
    const QString tool = bin + "/dtsd-schreiben";
    if (bin.isEmpty() || !QFileInfo(tool).isExecutable())
        GTEST_SKIP() << "dtsd-schreiben not built";
    QTemporaryDir dir;
    EXPECT_EQ(QProcess::execute(tool, {dir.path(), "2050", "Ptq", "14", "28"}), 0);
    Jahrgangsdaten z;
    ASSERT_EQ(JahrgangDatLesen(dir.path(), z), JahrgangLesen::Ok);
    EXPECT_EQ(z.Jahr.trimmed(), "2050");
    EXPECT_EQ(z.Markenkennung.trimmed(), "Ptq");
    EXPECT_EQ(z.PauschaleTeiltag.trimmed(), "14");
    EXPECT_EQ(z.PauschaleVolltag.trimmed(), "28");

    // Bad arguments write nothing.
    QTemporaryDir leer;
    EXPECT_NE(QProcess::execute(tool, {leer.path(), "2006", "Kxt", "14", "28"}), 0);
    EXPECT_NE(QProcess::execute(tool, {leer.path(), "2016", "Kxtx", "14", "28"}), 0);
    EXPECT_NE(QProcess::execute(tool, {leer.path(), "2016", "Kxt", "1,5", "28"}), 0);
    EXPECT_FALSE(QFile::exists(leer.filePath("DTSD.kxt")));
}

TEST(Jahrgang, ADamagedFileFailsTheYearSetUp)
{
    QTemporaryDir dir;
    Fahrten1 st;
    st.setzeProgrammpfad(dir.path());
    EXPECT_EQ(JahrgangLaden(st), JahrgangLesen::Fehlt);

    Jahrgangsdaten d;
    d.Jahr = "2016";
    ASSERT_TRUE(JahrgangDatSchreiben(dir.path(), d));
    ASSERT_EQ(JahrgangLaden(st), JahrgangLesen::Ok);
    EXPECT_EQ(st.Jahr, "2016");
    EXPECT_TRUE(Jahr_ini(st));

    for (const QByteArray& kaputt : {QByteArray(), QByteArray(50, 'Q'), QByteArray(329, '\xFF')}) {
        schreibeDatei(dir.filePath("DTSD.kxt"), kaputt);
        EXPECT_EQ(JahrgangLaden(st), JahrgangLesen::Beschaedigt);
        int meldungen = 0;
        EXPECT_FALSE(Jahr_ini(st, [&](int) { ++meldungen; }));
        EXPECT_LE(meldungen, 1);
    }
}

TEST(Jahrgang, WriterRefusesWhatItCouldNotStoreAndLeavesNoFile)
{
    QTemporaryDir dir;
    auto klar = [](const QString& jahr, const QString& marke) {
        kmk::Jahrgangsdaten d;
        d.Jahr = jahr;
        d.Markenkennung = marke;
        d.PauschaleTeiltag = "14";
        d.PauschaleVolltag = "28";
        return d;
    };
    QString grund;
    EXPECT_FALSE(kmk::JahrgangDatSchreiben(dir.path(), klar("20166", "Kxt"), &grund));
    EXPECT_FALSE(grund.isEmpty());
    EXPECT_FALSE(kmk::JahrgangDatSchreiben(dir.path(), klar("2016", QString::fromUtf8("Kłx")), &grund));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());

    // at the limits it writes; a later refusal keeps that file as it was
    ASSERT_TRUE(kmk::JahrgangDatSchreiben(dir.path(), klar(" 2016 ", QString::fromUtf8("K€ß"))));
    QFile f(dir.filePath("DTSD.kxt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray gut = f.readAll();
    f.close();
    EXPECT_FALSE(kmk::JahrgangDatSchreiben(dir.path(), klar("2016", QString::fromUtf8("K✓"))));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), gut);
    kmk::Jahrgangsdaten zurueck;
    EXPECT_EQ(kmk::JahrgangDatLesen(dir.path(), zurueck), kmk::JahrgangLesen::Ok);
    EXPECT_EQ(zurueck.Markenkennung.trimmed(), QString::fromUtf8("K€ß"));
}
