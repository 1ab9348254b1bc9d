#include "app/mainwindow/hilfe.h"
#include "app/mainwindow/hilfezeilen.h"
#include "platform/forms/events.h"
#include "platform/forms/combobox.h"
#include "platform/forms/fakes.h"
#include "platform/forms/seams.h"
#include "platform/vb/text.h"
#include "tests/support/zeiger.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString quelle(const QString& rel)
{
    const QByteArray dir = qgetenv("KMK_SOURCE_DIR");
    return QString::fromLocal8Bit(dir) + "/" + rel;
}

void schreibe(const QString& pfad, const QByteArray& bytes)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray zeilen(int n, const char* ende = "\r\n")
{
    QByteArray b;
    for (int k = 1; k <= n; ++k)
        b += vb::toAnsi(QString("Text %1").arg(k)) + ende;
    return b;
}

// ---------------------------------------------------------------- Hilfs.txt

TEST(Hilfstexte, LineKIsTextKInWindows1252)
{
    QTemporaryDir d;
    schreibe(d.filePath("Hilfs.txt"), vb::toAnsi(QString::fromUtf8("Erste Zeile\r\nÜber – 12 €\r\n\r\nVierte")));
    kmk::Hilfstexte t;
    EXPECT_EQ(t.lesen(d.filePath("Hilfs.txt")), 4);
    EXPECT_EQ(t.text(0), "");
    EXPECT_EQ(t.text(1), "Erste Zeile");
    EXPECT_EQ(t.text(2), QString::fromUtf8("Über – 12 €"));
    EXPECT_EQ(t.text(3), "");
    EXPECT_EQ(t.text(4), "Vierte");
    EXPECT_EQ(t.text(5), "");
    EXPECT_EQ(t.text(-1), "");
    EXPECT_EQ(t.text(121), "");
}

TEST(Hilfstexte, MissingShortOrLongFilesNeverFail)
{
    QTemporaryDir d;
    kmk::Hilfstexte t;
    EXPECT_EQ(t.lesen(d.filePath("Hilfs.txt")), 0);   // missing: unchanged, empty
    EXPECT_EQ(t.text(1), "");
    EXPECT_EQ(t.lesen(""), 0);
    EXPECT_EQ(t.lesen(d.path()), 0);                   // a folder

    schreibe(d.filePath("Hilfs.txt"), zeilen(50));
    EXPECT_EQ(t.lesen(d.filePath("Hilfs.txt")), 50);
    EXPECT_EQ(t.text(50), "Text 50");
    for (int k = 51; k <= 120; ++k)
        EXPECT_EQ(t.text(k), "") << k;

    schreibe(d.filePath("Hilfs.txt"), zeilen(500));
    kmk::Hilfstexte lang;
    EXPECT_EQ(lang.lesen(d.filePath("Hilfs.txt")), 120);
    EXPECT_EQ(lang.text(120), "Text 120");
    EXPECT_EQ(lang.text(121), "");

    // a missing file later leaves the texts as they were
    QFile::remove(d.filePath("Hilfs.txt"));
    EXPECT_EQ(lang.lesen(d.filePath("Hilfs.txt")), 0);
    EXPECT_EQ(lang.text(3), "Text 3");
}

TEST(Hilfstexte, OtherLineEndsCaseAndUtf8)
{
    QTemporaryDir d;
    schreibe(d.filePath("hilfs.TXT"), zeilen(3, "\n") + "ohne Ende");
    kmk::Hilfstexte t;
    EXPECT_EQ(t.lesen(d.filePath("Hilfs.txt")), 4);   // found ignoring case
    EXPECT_EQ(t.text(2), "Text 2");
    EXPECT_EQ(t.text(4), "ohne Ende");
    schreibe(d.filePath("u.txt"), QByteArray("\xEF\xBB\xBF") + QString::fromUtf8("Grüße\r\n").toUtf8());
    EXPECT_EQ(t.lesen(d.filePath("u.txt")), 1);
    EXPECT_EQ(t.text(1), QString::fromUtf8("Grüße"));
}

TEST(Installation, HilfsTxtIsWindows1252WithATextForEveryNumber)
{
    QFile f(quelle("install/Hilfs.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 102);
    EXPECT_EQ(bytes.count('\n'), 102);
    // German text with umlauts, not stored as UTF-8
    EXPECT_TRUE(bytes.contains(char(0xFC)));   // ü
    EXPECT_FALSE(bytes.contains("\xC3\xBC"));
    kmk::Hilfstexte t;
    EXPECT_EQ(t.lesen(quelle("install/Hilfs.txt")), 102);
    for (int k = 1; k <= 102; ++k)
        EXPECT_GT(t.text(k).size(), 10) << k;
    EXPECT_TRUE(t.text(14).contains("Sprachausgabe"));
    // The calendar takes only the left button, and sets both dates; the save
    // button's right button overwrites for both kinds of vehicle.
    EXPECT_FALSE(t.text(41).contains("rechten"));
    EXPECT_TRUE(t.text(41).contains(QString::fromUtf8("Abfahrts- und das Ankunftsdatum")));
    EXPECT_FALSE(t.text(65).contains("Privatfahrzeug"));
    EXPECT_TRUE(t.text(65).contains("Firmenfahrzeug"));
}

TEST(Installation, HelpPagesLinkOnlyToExistingPages)
{
    const QString ordner = quelle("install/help");
    EXPECT_FALSE(forms::helpPagePath(ordner, "Inhaltsverzeichnis.htm").isEmpty());
    EXPECT_FALSE(forms::helpPagePath(ordner, forms::kHelpStartPage).isEmpty());
    const QStringList seiten = QDir(ordner).entryList({"*.html"}, QDir::Files);
    EXPECT_GE(seiten.size(), 10);
    const QRegularExpression link("href=\"([^\"#]+)\"");
    for (const QString& s : seiten) {
        QFile f(ordner + "/" + s);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        auto it = link.globalMatch(html);
        while (it.hasNext()) {
            const QString ziel = it.next().captured(1);
            EXPECT_TRUE(QFile::exists(ordner + "/" + ziel)) << s.toStdString() << " -> " << ziel.toStdString();
        }
    }
}

TEST(HilfeDatei, OpensTheHelpFolderAtATopic)
{
    forms::ScopedFakes fakes;
    kmk::HTMLHelp_ShowTopic("/opt/kilo/", "Inhaltsverzeichnis.htm");
    kmk::HTMLHelp_ShowTopic("/opt/kilo/", "");
    ASSERT_EQ(fakes.help.calls.size(), 2);
    EXPECT_EQ(fakes.help.calls[0].folder, "/opt/kilo/help");
    EXPECT_EQ(fakes.help.calls[0].topic, "Inhaltsverzeichnis.htm");
    EXPECT_EQ(fakes.help.calls[1].topic, "");
}

// ---------------------------------------------------------------- help lines

struct Fenster : ::testing::Test {
    QTemporaryDir d;
    kmk::Hilfstexte texte;
    QWidget form;
    QTabWidget* tabs = new QTabWidget(&form);
    QWidget* grund = new QWidget;
    QWidget* ein = new QWidget;
    QPlainTextEdit *TGrHilfe, *TEinHilfe;
    QLabel *Label1, *Label17, *LabWA;
    QGroupBox *Frame4, *Frame7;
    QCheckBox* Check3;
    QLineEdit *EinDatumAb, *EinZeitAb, *Text9;
    forms::ComboBox* EinUber;
    int folgepruefung = 0;
    std::unique_ptr<kmk::Hilfezeilen> hz;

    template <class W>
    W* mach(QWidget* parent, const char* name, QRect r)
    {
        auto* w = new W(parent);
        w->setObjectName(name);
        w->setGeometry(r);
        return w;
    }

    void SetUp() override
    {
        QByteArray b = zeilen(102);
        schreibe(d.filePath("Hilfs.txt"), b);
        texte.lesen(d.filePath("Hilfs.txt"));

        form.setObjectName("Form1");
        form.resize(600, 500);
        tabs->setObjectName("SSTab1");
        tabs->setGeometry(0, 0, 600, 500);
        grund->setObjectName("Seite1");
        ein->setObjectName("Seite2");
        tabs->addTab(grund, "Grundeinstellungen");
        tabs->addTab(ein, "Eintragungen");

        TGrHilfe = mach<QPlainTextEdit>(grund, "TGrHilfe", {10, 300, 400, 80});
        Check3 = mach<QCheckBox>(grund, "Check3", {10, 10, 200, 20});
        for (int k = 0; k < 4; ++k)
            mach<QLineEdit>(grund, qPrintable(QString("KfzEingabe_%1").arg(k)), {10 + 100 * k, 50, 90, 22});

        TEinHilfe = mach<QPlainTextEdit>(ein, "TEinHilfe", {10, 330, 400, 80});
        Label1 = mach<QLabel>(ein, "Label1", {10, 10, 100, 20});
        Label1->setText(" Abfahrt / Datum");
        EinDatumAb = mach<QLineEdit>(ein, "EinDatumAb", {120, 10, 100, 22});
        EinZeitAb = mach<QLineEdit>(ein, "EinZeitAb", {230, 10, 60, 22});
        EinUber = new forms::ComboBox(ein);
        EinUber->setObjectName("EinUber");
        EinUber->setGeometry(120, 40, 200, 22);
        Frame4 = mach<QGroupBox>(ein, "Frame4", {10, 80, 300, 150});
        Label17 = mach<QLabel>(Frame4, "Label17", {10, 20, 200, 20});
        Label17->setText("Buchstabenfilter ( *  zeigt alle)");
        Text9 = mach<QLineEdit>(Frame4, "Text9", {10, 45, 100, 22});
        Frame7 = mach<QGroupBox>(ein, "Frame7", {320, 80, 200, 150});
        LabWA = mach<QLabel>(Frame7, "LabWA", {10, 20, 150, 20});
        LabWA->setText("12 %");

        hz = std::make_unique<kmk::Hilfezeilen>(texte);
        hz->attachTable(&form, [this] { ++folgepruefung; });
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        // A move to where the pointer already is is no move: start away from every control.
        ASSERT_TRUE(kmktest::zeigerBeiseite(&form));
    }

    void ueber(QWidget* w, QPoint p = {5, 5}) { ASSERT_TRUE(kmktest::zeigerAuf(w, p)) << qPrintable(w->objectName()); }
    void setTextInBoxes() { TEinHilfe->setPlainText("vorher"); TGrHilfe->setPlainText("vorher"); }
    QString text(QPlainTextEdit* box) { return box->toPlainText(); }
};

TEST_F(Fenster, MouseOverAControlShowsItsTextInItsPagesBox)
{
    tabs->setCurrentWidget(ein);
    ueber(Label1);
    EXPECT_EQ(text(TEinHilfe), "Text 44");
    ueber(EinDatumAb);   // a GotFocus field: the mouse alone shows nothing new
    EXPECT_EQ(text(TEinHilfe), "Text 44");
    ueber(Frame4, {250, 120});   // empty part of the frame
    EXPECT_EQ(text(TEinHilfe), "Text 70");
    EXPECT_EQ(folgepruefung, 0);
}

TEST_F(Fenster, LabelInsideAFrameShowsTheLabelsText)
{
    tabs->setCurrentWidget(ein);
    ueber(Label17);
    EXPECT_EQ(text(TEinHilfe), "Text 71");
    ueber(Text9);
    EXPECT_EQ(text(TEinHilfe), "Text 71");
    ueber(Frame4, {250, 120});
    EXPECT_EQ(text(TEinHilfe), "Text 70");
    // a control without a help line inside a frame with one: no text of the frame
    ueber(Frame7, {150, 120});
    EXPECT_EQ(text(TEinHilfe), "Text 75");
    ueber(Label1);
    ueber(LabWA);
    EXPECT_EQ(text(TEinHilfe), "Text 44");
}

TEST_F(Fenster, SettingsCheckBoxMovesFocusIntoTheBox)
{
    tabs->setCurrentWidget(grund);
    ueber(Check3);
    EXPECT_EQ(text(TGrHilfe), "Text 14");
    EXPECT_TRUE(TGrHilfe->hasFocus());
    // every element of a control array shows the same text
    ueber(form.findChild<QWidget*>("KfzEingabe_3"));
    EXPECT_EQ(text(TGrHilfe), "Text 21");
    ueber(form.findChild<QWidget*>("KfzEingabe_0"));
    EXPECT_EQ(text(TGrHilfe), "Text 21");
}

TEST_F(Fenster, TabStripWritesTheEntryPageBoxWhateverPageIsShown)
{
    tabs->setCurrentWidget(grund);
    setTextInBoxes();
    QTabBar* bar = tabs->findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    ueber(bar, bar->tabRect(0).center());
    EXPECT_EQ(text(TEinHilfe), "Text 7");
    EXPECT_EQ(text(TGrHilfe), "vorher");
}

TEST_F(Fenster, FocusIntoADateFieldShowsTextAndSuspendsTheOrderCheck)
{
    tabs->setCurrentWidget(ein);
    EinZeitAb->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(text(TEinHilfe), "Text 45");
    EXPECT_EQ(folgepruefung, 1);
    EinDatumAb->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(text(TEinHilfe), "Text 44");
    EXPECT_EQ(folgepruefung, 2);
    EinUber->setFocus(Qt::TabFocusReason);   // a combo box: no order check
    EXPECT_EQ(text(TEinHilfe), "Text 48");
    EXPECT_EQ(folgepruefung, 2);
    // window activation is no focus move of the user
    TEinHilfe->setPlainText("vorher");
    QWidget anderes;
    anderes.show();
    anderes.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&anderes));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(text(TEinHilfe), "vorher");
    EXPECT_EQ(folgepruefung, 2);
}

TEST_F(Fenster, MovingBetweenDateAndTimeFieldsKeepsTheOrderCheckSuspended)
{
    // The leave handlers of the date and time fields clear the flag that the
    // help lines set; they are attached after the help lines, as on the page.
    for (QWidget* w : {static_cast<QWidget*>(EinDatumAb), static_cast<QWidget*>(EinZeitAb)})
        forms::onLostFocus(w, [this] { folgepruefung = 0; });
    tabs->setCurrentWidget(ein);
    EinDatumAb->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(folgepruefung, 1);
    QTest::keyClick(EinDatumAb, Qt::Key_Tab);
    ASSERT_TRUE(EinZeitAb->hasFocus());
    EXPECT_EQ(folgepruefung, 1);   // the date's leave ran before the time's GotFocus
    EXPECT_EQ(text(TEinHilfe), "Text 45");
    EinDatumAb->setFocus(Qt::OtherFocusReason);   // a move by code
    EXPECT_EQ(folgepruefung, 1);
    EXPECT_EQ(text(TEinHilfe), "Text 44");
    EinUber->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(folgepruefung, 0);
}

TEST_F(Fenster, MissingNamesAreReportedAndEmptyTextsEmptyTheBox)
{
    const QStringList fehlt = hz->missing();
    EXPECT_TRUE(fehlt.contains("Command4"));
    EXPECT_TRUE(fehlt.contains("TTitelHilfe"));
    EXPECT_FALSE(fehlt.contains("Label1"));
    EXPECT_FALSE(fehlt.contains("KfzEingabe"));

    // a Hilfs.txt of 50 lines: text 71 is empty and empties the box
    schreibe(d.filePath("Hilfs.txt"), zeilen(50));
    kmk::Hilfstexte kurz;
    kurz.lesen(d.filePath("Hilfs.txt"));
    kmk::Hilfezeilen zweite(kurz);
    zweite.attachHelp(Label17, 71, TEinHilfe);
    tabs->setCurrentWidget(ein);
    TEinHilfe->setPlainText("vorher");
    hz.reset();
    ueber(Label17);
    EXPECT_EQ(text(TEinHilfe), "");
}

TEST(HelpLineTable, RowsOfTheMainWindow)
{
    const auto& t = kmk::Hilfezeilen::tabelle();
    EXPECT_EQ(t.size(), 124u);
    int fokusZeilen = 0, folge = 0, boxFokus = 0;
    for (const auto& z : t) {
        EXPECT_GE(z.text, 1);
        EXPECT_LE(z.text, 102);
        fokusZeilen += z.ereignis == kmk::Hilfezeilen::Ereignis::Fokus;
        folge += z.folgepruefung;
        boxFokus += z.fokus;
    }
    EXPECT_EQ(fokusZeilen, 12);
    EXPECT_EQ(folge, 4);
    EXPECT_EQ(boxFokus, 15);
}

TEST(HelpLineTable, EveryRowAsListed)
{
    // The whole table written out once more by hand: box, text number,
    // control, on focus (else on mouse movement), focus into the box,
    // trip-order check suspended.
    struct Zeile { const char* box; int text; const char* control; bool fokusEreignis, boxFokus, folge; };
    const std::vector<Zeile> liste = {
        {"TTitelHilfe", 1, "Command4", false, false, false},
        {"TTitelHilfe", 3, "Command2", false, true, false},
        {"TTitelHilfe", 4, "Command16", false, false, false},
        {"TTitelHilfe", 5, "Command17", false, false, false},
        {"TTitelHilfe", 6, "CBTextfensterTitel", false, false, false},
        {"TTitelHilfe", 7, "Image1", false, false, false},
        {"TTitelHilfe", 7, "TTitelHilfe", false, true, false},
        {"TTitelHilfe", 8, "Label95", false, false, false},
        {"TGrHilfe", 7, "TGrHilfe", false, false, false},
        {"TGrHilfe", 10, "Check1", false, true, false},
        {"TGrHilfe", 11, "Check10", false, true, false},
        {"TGrHilfe", 12, "Check11", false, true, false},
        {"TGrHilfe", 13, "Check12", false, true, false},
        {"TGrHilfe", 14, "Check3", false, true, false},
        {"TGrHilfe", 15, "Check4", false, true, false},
        {"TGrHilfe", 16, "Check5", false, true, false},
        {"TGrHilfe", 17, "Check8", false, true, false},
        {"TGrHilfe", 21, "KfzEingabe", false, false, false},
        {"TGrHilfe", 22, "KmEingabe", false, false, false},
        {"TGrHilfe", 23, "StandortEingabe", false, false, false},
        {"TGrHilfe", 24, "Frame9", false, false, false},
        {"TGrHilfe", 26, "LSPfad", false, false, false},
        {"TGrHilfe", 28, "Dir1", false, false, false},
        {"TGrHilfe", 30, "FirmenPkw", false, false, false},
        {"TGrHilfe", 31, "PrivatPkw", false, false, false},
        {"TGrHilfe", 32, "Command1", false, false, false},
        {"TGrHilfe", 33, "CBTextfensterGr", false, false, false},
        {"TGrHilfe", 101, "Aktu_Auto", false, true, false},
        {"TGrHilfe", 102, "CDateiSuchen", false, true, false},
        {"TEinHilfe", 6, "CBTextfensterEin", false, false, false},
        {"TEinHilfe", 7, "SSTab1", false, false, false},
        {"TEinHilfe", 34, "AutoOpt", false, false, false},
        {"TEinHilfe", 34, "Frame2", false, false, false},
        {"TEinHilfe", 35, "Frame3", false, false, false},
        {"TEinHilfe", 36, "OptWA", false, false, false},
        {"TEinHilfe", 37, "OptPri", false, false, false},
        {"TEinHilfe", 38, "OptGesch", false, false, false},
        {"TEinHilfe", 39, "OptEhr", false, false, false},
        {"TEinHilfe", 40, "OptFam", false, false, false},
        {"TEinHilfe", 41, "QKC", false, false, false},
        {"TEinHilfe", 42, "Check13", false, false, false},
        {"TEinHilfe", 43, "Label11", false, false, false},
        {"TEinHilfe", 44, "EinDatumAb", true, false, true},
        {"TEinHilfe", 44, "Label1", false, false, false},
        {"TEinHilfe", 45, "EinZeitAb", true, false, true},
        {"TEinHilfe", 45, "Label2", false, false, false},
        {"TEinHilfe", 45, "QKSpin1", true, false, false},
        {"TEinHilfe", 45, "QKSpin2", true, false, false},
        {"TEinHilfe", 46, "AnzKmAb", false, false, false},
        {"TEinHilfe", 46, "Label3", false, false, false},
        {"TEinHilfe", 47, "Label4", false, false, false},
        {"TEinHilfe", 48, "EinUber", true, false, false},
        {"TEinHilfe", 48, "Label5", false, false, false},
        {"TEinHilfe", 49, "EinNach", true, false, false},
        {"TEinHilfe", 49, "Label6", false, false, false},
        {"TEinHilfe", 50, "EinDatumAn", true, false, true},
        {"TEinHilfe", 50, "Label7", false, false, false},
        {"TEinHilfe", 51, "EinZeitAn", true, false, true},
        {"TEinHilfe", 51, "Label8", false, false, false},
        {"TEinHilfe", 51, "QKSpin3", true, false, false},
        {"TEinHilfe", 51, "QKSpin4", true, false, false},
        {"TEinHilfe", 52, "Label118", false, false, false},
        {"TEinHilfe", 52, "PersAnz", false, false, false},
        {"TEinHilfe", 53, "EinkmAn", false, false, false},
        {"TEinHilfe", 53, "Label9", false, false, false},
        {"TEinHilfe", 54, "EinGrund", true, false, false},
        {"TEinHilfe", 54, "Label10", false, false, false},
        {"TEinHilfe", 55, "EinGefKm", false, false, false},
        {"TEinHilfe", 55, "Label102", false, false, false},
        {"TEinHilfe", 55, "QKSpin7", true, false, false},
        {"TEinHilfe", 56, "DateiLoschen", false, false, false},
        {"TEinHilfe", 57, "Kundeuberschreiben", false, false, false},
        {"TEinHilfe", 58, "Tabellezeigen_", false, false, false},
        {"TEinHilfe", 59, "CBenzin", false, false, false},
        {"TEinHilfe", 60, "AutoDatAnfang", false, false, false},
        {"TEinHilfe", 61, "AutoDatZuruck", false, false, false},
        {"TEinHilfe", 62, "FahrtNr", false, false, false},
        {"TEinHilfe", 63, "AutoDatVor", false, false, false},
        {"TEinHilfe", 64, "AutoDatEnde", false, false, false},
        {"TEinHilfe", 65, "EintragSpeichern", false, false, false},
        {"TEinHilfe", 66, "NeuerEintrag", false, false, false},
        {"TEinHilfe", 67, "KundeEintragen", false, false, false},
        {"TEinHilfe", 68, "KundenNeu", false, false, false},
        {"TEinHilfe", 69, "Command5", false, false, false},
        {"TEinHilfe", 70, "Frame4", false, false, false},
        {"TEinHilfe", 71, "Label17", false, false, false},
        {"TEinHilfe", 71, "Text9", false, false, false},
        {"TEinHilfe", 72, "TEinHilfe", false, false, false},
        {"TEinHilfe", 73, "List8", false, false, false},
        {"TEinHilfe", 74, "KundenBearbeiten", false, false, false},
        {"TEinHilfe", 75, "Frame7", false, false, false},
        {"TEinHilfe", 76, "Frame5", false, false, false},
        {"TEinHilfe", 77, "Frame8", false, false, false},
        {"TEinHilfe", 101, "LEinDatum", false, false, false},
        {"TEinHilfe", 102, "Label41", false, false, false},
        {"TAusHilfe", 33, "CBTextfensterAus", false, false, false},
        {"TAusHilfe", 72, "TAusHilfe", false, false, false},
        {"TAusHilfe", 79, "Label29", false, false, false},
        {"TAusHilfe", 80, "QKC2", false, false, false},
        {"TAusHilfe", 81, "Label47", false, false, false},
        {"TAusHilfe", 82, "QKC3", false, false, false},
        {"TAusHilfe", 83, "Label49", false, false, false},
        {"TAusHilfe", 83, "Label70", false, false, false},
        {"TAusHilfe", 84, "List2", false, false, false},
        {"TAusHilfe", 85, "Label71", false, false, false},
        {"TAusHilfe", 85, "Label72", false, false, false},
        {"TAusHilfe", 86, "List3", false, false, false},
        {"TAusHilfe", 87, "Label73", false, false, false},
        {"TAusHilfe", 87, "Label74", false, false, false},
        {"TAusHilfe", 88, "Check6", false, true, false},
        {"TDruckHilfe", 33, "CBTextfensterDru", false, false, false},
        {"TDruckHilfe", 72, "TDruckHilfe", false, false, false},
        {"TDruckHilfe", 89, "Command6", false, false, false},
        {"TDruckHilfe", 90, "Command7", false, false, false},
        {"TDruckHilfe", 91, "CBBetriebskosten", false, false, false},
        {"TDruckHilfe", 93, "Command3", false, false, false},
        {"TDruckHilfe", 94, "ExcelExport", false, false, false},
        {"TDruckHilfe", 95, "Command9", false, true, false},
        {"TDruckHilfe", 97, "Command8", false, true, false},
        {"TDruckHilfe", 98, "Label75", false, false, false},
        {"TDruckHilfe", 98, "List4", false, false, false},
        {"TDruckHilfe", 99, "Label76", false, false, false},
        {"TDruckHilfe", 99, "List5", false, false, false},
        {"TDruckHilfe", 100, "F1Book1", false, false, false},
    };
    auto alsText = [](const QString& box, int text, const QString& control, bool fokus, bool boxFokus, bool folge) {
        return QString("%1 %2 %3 %4 %5 %6").arg(box).arg(text).arg(control).arg(fokus).arg(boxFokus).arg(folge);
    };
    QStringList erwartet, ist;
    for (const Zeile& z : liste)
        erwartet << alsText(z.box, z.text, z.control, z.fokusEreignis, z.boxFokus, z.folge);
    for (const auto& z : kmk::Hilfezeilen::tabelle())
        ist << alsText(z.box, z.text, z.control, z.ereignis == kmk::Hilfezeilen::Ereignis::Fokus, z.fokus,
                       z.folgepruefung);
    ASSERT_EQ(erwartet.size(), 124);
    erwartet.sort();
    ist.sort();
    EXPECT_EQ(ist, erwartet);
}

} // namespace
