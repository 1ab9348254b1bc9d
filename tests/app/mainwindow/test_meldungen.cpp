#include "app/mainwindow/form2.h"
#include "app/mainwindow/meldungen.h"
#include "app/records/fahrten1.h"
#include "platform/forms/fakes.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <map>
#include <vector>
#include <gtest/gtest.h>

namespace {

using kmk::Meldungskatalog;

TEST(Katalog, EntriesKeepTheirPiecesBreaksAndTypos)
{
    EXPECT_EQ(Meldungskatalog(1).text, QString::fromUtf8("\n\r\n\rSie müssen\r\nerst die\r\nGrundeinstellung für\r\nein Kfz eingeben!"));
    EXPECT_EQ(Meldungskatalog(2).text, QString::fromUtf8("\n\r\n\rWollen Sie\r\nalle Daten dieses\r\nFahrzeugs löschen?\r\n"));
    EXPECT_EQ(Meldungskatalog(30).text, QString::fromUtf8("\n\r\n\rWollen Sie den Datensatz  wirklich löschen? "));
    EXPECT_EQ(Meldungskatalog(50).text, QString::fromUtf8("Wollen Sie den  \r\n bestehenden Datensatz\r\n wirklich überschreiben?\r\n\r\n"));
    EXPECT_EQ(Meldungskatalog(58).text, QString::fromUtf8("Sie haben das Eingabefeld - Nach / Ankunfsort - vergessen auszufüllen!"));
    EXPECT_EQ(Meldungskatalog(71).text, QString::fromUtf8("Die letzte Fahrt liegt mehr als 5 Tage zurück. Keine Eintragung vergessen?Wollen Sie trotzdem speichern?"));
    EXPECT_EQ(Meldungskatalog(77).text, QString::fromUtf8("Ihnen stehen 12 € Reisekosten zu aber in den Grundeinstellungen sind die Reisekosten - Pauschalberechnungen ausgeschaltet."));
    EXPECT_EQ(Meldungskatalog(93).text, QString::fromUtf8("\n\rDie Abfahrtszeit ist nicht korrekt! Verwenden Sie dieses Format    \"00:00\".  "));
    EXPECT_EQ(Meldungskatalog(104).text, QString("\n\r"));
    EXPECT_TRUE(Meldungskatalog(105).text.startsWith(QString::fromUtf8("Die eingtragene Textlänge")));
    EXPECT_EQ(Meldungskatalog(121).text, QString::fromUtf8("Vorsicht! Es werden auch alle Inhalte des Verzeichnisses gelöscht.\n\rSie haben kein gültiges \n\rSicherheitsverzeichnis\n\rausgewählt, wollen Sie es\n\rdenoch löschen!"));
}

TEST(Katalog, BackupNameStandsBetweenQuotesOnItsOwnLine)
{
    EXPECT_EQ(Meldungskatalog(117, "Sicher_03").text,
              QString::fromUtf8("Wollen Sie die ausgewählte  Sicherheitskopie \n\r\"Sicher_03\"\n\rwirklich löschen!"));
    EXPECT_EQ(Meldungskatalog(118, "a%1b").text, QString::fromUtf8("\n\r\n\rDie Sicherheitskopie\n\r\"a%1b\"\n\rwurde gelöscht!"));
    EXPECT_TRUE(Meldungskatalog(119, "X").text.contains("\n\r\"X\"\n\r"));
    EXPECT_EQ(Meldungskatalog(117).text.count('"'), 2);   // empty name: the quotes stay
}

TEST(Katalog, KindsAndNumbersWithoutText)
{
    const QList<int> fragen = {2, 5, 6, 22, 30, 31, 32, 40, 41, 42, 50, 51, 52, 53, 71, 100, 115, 117, 121};
    const QList<int> alle = kmk::Meldungsnummern();
    EXPECT_EQ(alle.size(), 97);
    for (int n = 0; n <= 255; ++n) {
        const auto e = Meldungskatalog(n);
        EXPECT_EQ(e.frage, fragen.contains(n)) << n;
        EXPECT_EQ(!e.text.isEmpty(), alle.contains(n)) << n;
    }
    for (int n : {0, 7, 15, 74, 75, 80, 82, 83, 122, 255, -1, 256})
        EXPECT_TRUE(Meldungskatalog(n).text.isEmpty()) << n;
    // the two written in the style of their neighbours
    EXPECT_TRUE(Meldungskatalog(108).text.contains("Jahr"));
    EXPECT_TRUE(Meldungskatalog(114).text.contains("00 und 59"));
    EXPECT_FALSE(Meldungskatalog(108).frage);
    EXPECT_FALSE(Meldungskatalog(114).frage);
}

TEST(Katalog, SoundFileNames)
{
    EXPECT_EQ(kmk::Meldungsklang(1), "M1.wav");
    EXPECT_EQ(kmk::Meldungsklang(96), "M96.wav");
    EXPECT_TRUE(kmk::Meldungsklang(0).isEmpty());
    EXPECT_TRUE(kmk::Meldungsklang(97).isEmpty());
    EXPECT_TRUE(kmk::Meldungsklang(100).isEmpty());
}

struct Anzeige : ::testing::Test {
    QTemporaryDir ordner;
    forms::ScopedFakes fakes;
    kmk::FakeMeldungsdialog dialog;
    kmk::ScopedMeldungsdialog benutze{&dialog};
    kmk::Meldungszustand z;
    void SetUp() override
    {
        z.programmpfad = ordner.path() + "/";
        for (const char* name : {"M7.wav", "m2.WAV", "M100.wav", "M96.wav"}) {
            QFile f(ordner.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("RIFF");
        }
    }
};

TEST_F(Anzeige, QuestionIsTrueOnlyForJa)
{
    dialog.antworten = {true, false};
    EXPECT_TRUE(kmk::MeldungAnzeigen(30, z));
    EXPECT_EQ(z.antwort, -1);
    EXPECT_FALSE(kmk::MeldungAnzeigen(30, z));
    EXPECT_EQ(z.antwort, 0);
    ASSERT_EQ(dialog.gezeigt.size(), 2);
    EXPECT_TRUE(dialog.gezeigt[0].frage);
    EXPECT_EQ(dialog.gezeigt[0].text, Meldungskatalog(30).text);
    EXPECT_TRUE(z.frage);
}

TEST_F(Anzeige, NoticeIsShownAsNotice)
{
    EXPECT_TRUE(kmk::MeldungAnzeigen(104, z));   // LF CR alone is not empty
    ASSERT_EQ(dialog.gezeigt.size(), 1);
    EXPECT_FALSE(dialog.gezeigt[0].frage);
    EXPECT_FALSE(z.frage);
    EXPECT_EQ(z.meldungstext, "\n\r");
}

TEST_F(Anzeige, NumberWithoutTextShowsNothing)
{
    z.antwort = -1;
    z.sprachausgabe = true;
    EXPECT_FALSE(kmk::MeldungAnzeigen(0, z));
    EXPECT_FALSE(kmk::MeldungAnzeigen(200, z));
    EXPECT_TRUE(dialog.gezeigt.isEmpty());
    EXPECT_TRUE(fakes.sound.played.isEmpty());
    EXPECT_TRUE(z.meldungstext.isEmpty());
    EXPECT_EQ(z.antwort, -1);   // the last answer stays
}

TEST_F(Anzeige, SoundOnlyWithSettingOnAndNumberUpTo96)
{
    // 7 has no text: the sound plays, no dialog, result false
    z.sprachausgabe = true;
    EXPECT_FALSE(kmk::MeldungAnzeigen(7, z));
    EXPECT_TRUE(dialog.gezeigt.isEmpty());
    ASSERT_EQ(fakes.sound.played.size(), 1);
    EXPECT_EQ(fakes.sound.played[0], ordner.filePath("M7.wav"));

    // found ignoring case
    kmk::MeldungAnzeigen(2, z);
    ASSERT_EQ(fakes.sound.played.size(), 2);
    EXPECT_TRUE(fakes.sound.played[1].endsWith("m2.WAV"));

    // 100 never sounds, the question still shows
    kmk::MeldungAnzeigen(100, z);
    EXPECT_EQ(fakes.sound.played.size(), 2);
    EXPECT_EQ(dialog.gezeigt.size(), 2);

    // no file: silent, shown all the same
    EXPECT_TRUE(kmk::MeldungAnzeigen(50, z));
    EXPECT_EQ(fakes.sound.played.size(), 2);

    kmk::MeldungAnzeigen(96, z);
    EXPECT_EQ(fakes.sound.played.size(), 3);

    // setting off: never
    z.sprachausgabe = false;
    kmk::MeldungAnzeigen(7, z);
    kmk::MeldungAnzeigen(96, z);
    EXPECT_EQ(fakes.sound.played.size(), 3);
}

TEST_F(Anzeige, GlobalStateBlockGetsTextKindAndAnswer)
{
    kmk::Fahrten1 f;
    f.setzeProgrammpfad(ordner.path());
    f.Sicherungsname = "Kopie 1";
    f.Voreinstellung.Sprachausgabe = -1;
    dialog.antworten = {true};
    EXPECT_TRUE(kmk::MeldungAnzeigen(117, f));
    EXPECT_TRUE(f.Frage);
    EXPECT_EQ(f.Antwort, -1);
    EXPECT_TRUE(f.Meldungstext.contains("\"Kopie 1\""));
    EXPECT_TRUE(fakes.sound.played.isEmpty());   // 117 > 96
    EXPECT_FALSE(kmk::MeldungAnzeigen(7, f));
    EXPECT_EQ(fakes.sound.played.size(), 1);
    EXPECT_TRUE(f.Meldungstext.isEmpty());
    EXPECT_FALSE(f.Frage);
}

// ---------------------------------------------------------------- the dialog

struct Dialog : ::testing::Test {
    void SetUp() override { kmk::Form2::setWartezeit(30); }
    void TearDown() override { kmk::Form2::setWartezeit(500); }
};

TEST_F(Dialog, NoticeShowsOnlyOk)
{
    kmk::Form2 d(Meldungskatalog(1).text, false);
    d.show();
    EXPECT_EQ(d.zuruck()->text(), "OK");
    EXPECT_FALSE(d.BNein()->isVisible());
    EXPECT_FALSE(d.Picture2()->isVisible());
    EXPECT_EQ(d.MText()->text(), QString::fromUtf8("\n\nSie müssen\nerst die\nGrundeinstellung für\nein Kfz eingeben!"));
    EXPECT_EQ(d.MText()->textFormat(), Qt::PlainText);
    QTest::mouseClick(d.zuruck(), Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(d.antwort());
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(Dialog, QuestionShowsBothButtonsAndNeinAnswersFalse)
{
    kmk::Form2 d(Meldungskatalog(22).text, true);
    d.show();
    EXPECT_EQ(d.zuruck()->text(), "&Ja / OK");
    EXPECT_EQ(d.BNein()->text(), "&Nein ");
    EXPECT_TRUE(d.BNein()->isVisible());
    EXPECT_TRUE(d.MText()->text().contains(">Nein<"));
    QTest::mouseClick(d.BNein(), Qt::LeftButton);
    EXPECT_FALSE(d.antwort());
    EXPECT_FALSE(d.isVisible());
}

TEST_F(Dialog, EnterOnConfirmButtonConfirms)
{
    kmk::Form2 d(Meldungskatalog(30).text, true);
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    d.zuruck()->setFocus();
    QTest::keyClick(d.zuruck(), Qt::Key_Return);
    EXPECT_TRUE(d.antwort());
    EXPECT_FALSE(d.isVisible());

    // Enter on the focused "Nein" answers no, as a focused button does
    kmk::Form2 n(Meldungskatalog(30).text, true);
    n.show();
    n.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&n));
    n.BNein()->setFocus();
    QTest::keyClick(n.BNein(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !n.isVisible(); }));
    EXPECT_FALSE(n.antwort());
}

TEST_F(Dialog, PictureShowsDuringTheAnswerAndSecondClickDoesNothing)
{
    kmk::Form2 d(Meldungskatalog(30).text, true);
    d.show();
    bool bildWaehrendAntwort = false;
    int zweiteKlicks = 0;
    // While the first answer waits, the user clicks "Nein" as well.
    QTimer::singleShot(5, &d, [&] {
        bildWaehrendAntwort = d.Picture2()->isVisible();
        QTest::mouseClick(d.BNein(), Qt::LeftButton);
        QTest::mouseClick(d.zuruck(), Qt::LeftButton);
        ++zweiteKlicks;
    });
    int fertig = 0;
    QObject::connect(&d, &QDialog::finished, [&] { ++fertig; });
    QTest::mouseClick(d.zuruck(), Qt::LeftButton);
    EXPECT_EQ(zweiteKlicks, 1);
    EXPECT_TRUE(bildWaehrendAntwort);
    EXPECT_FALSE(d.Picture2()->isVisible());
    EXPECT_TRUE(d.antwort());   // the first answer counts
    QTest::qWait(100);
    EXPECT_EQ(fertig, 1);
}

TEST_F(Dialog, ClosingOtherwiseLeavesADefinedAnswer)
{
    kmk::Form2 frage(Meldungskatalog(30).text, true);
    frage.show();
    frage.close();
    EXPECT_FALSE(frage.antwort());
    kmk::Form2 hinweis(Meldungskatalog(1).text, false);
    hinweis.show();
    QTest::keyClick(&hinweis, Qt::Key_Escape);   // no cancel button: stays
    EXPECT_TRUE(hinweis.isVisible());
    hinweis.close();
    EXPECT_TRUE(hinweis.antwort());
}

TEST_F(Dialog, CatalogueCallOnTheRealDialogReturnsTheAnswer)
{
    forms::ScopedFakes fakes;
    kmk::Meldungszustand z;
    bool sichtbar = false;
    QObject test;   // a click not yet made dies with the test
    auto klicke = [&](const char* name) {
        QTimer::singleShot(20, &test, [&sichtbar, name] {
            auto* d = qobject_cast<kmk::Form2*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            sichtbar = kmk::Form2::sichtbar();
            QTest::mouseClick(d->findChild<QPushButton*>(name), Qt::LeftButton);
        });
    };
    klicke("zuruck");
    EXPECT_TRUE(kmk::MeldungAnzeigen(1, z));   // notice closed with OK
    EXPECT_TRUE(sichtbar);
    EXPECT_FALSE(kmk::Form2::sichtbar());
    klicke("BNein");
    EXPECT_FALSE(kmk::MeldungAnzeigen(2, z));
    EXPECT_EQ(z.antwort, 0);
}

} // namespace

namespace {

TEST_F(Dialog, AccessKeysAnswerTheQuestion)
{
    kmk::Form2 ja(Meldungskatalog(5).text, true);
    ja.show();
    ja.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ja));
    QTest::keyClick(&ja, Qt::Key_J, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !ja.isVisible(); }));
    EXPECT_TRUE(ja.antwort());

    kmk::Form2 nein(Meldungskatalog(5).text, true);
    nein.show();
    nein.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&nein));
    QTest::keyClick(&nein, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !nein.isVisible(); }));
    EXPECT_FALSE(nein.antwort());

    // a notice has no "Nein": its access key does nothing there; the
    // keypad's Enter on the confirm button confirms
    kmk::Form2 block(Meldungskatalog(1).text, false);
    block.show();
    block.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&block));
    QTest::keyClick(&block, Qt::Key_N, Qt::AltModifier);
    QTest::qWait(2 * kmk::Form2::wartezeit() + 20);
    EXPECT_TRUE(block.isVisible());
    EXPECT_TRUE(block.zuruck()->hasFocus());
    QTest::keyClick(block.zuruck(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !block.isVisible(); }));
    EXPECT_TRUE(block.antwort());
}

} // namespace

TEST(DialogGroesse, EveryMessageShowsWholeAtEachDesktopFontSize)
{
    const QFont vorher = QApplication::font();
    const QString bilder = qEnvironmentVariable("KMK_BILDER");   // set to look at them
    for (double pt : {9.0, 11.0, 13.5}) {
        QFont f = vorher;
        f.setPointSizeF(pt);
        QApplication::setFont(f);
        int hoechste = 0;
        for (int n : kmk::Meldungsnummern()) {
            const auto e = kmk::Meldungskatalog(n, "Sicherung_2016_06_15");
            kmk::Form2 d(e.text, e.frage);
            const QLabel* t = d.MText();
            const QRect noetig = QFontMetrics(t->font()).boundingRect(
                QRect(0, 0, t->width(), 100000), Qt::TextWordWrap | Qt::AlignLeft,
                kmk::Form2::anzeigetext(e.text));
            SCOPED_TRACE(QString("Meldung %1 bei %2 pt").arg(n).arg(pt).toStdString());
            EXPECT_LE(noetig.height(), t->height());
            EXPECT_TRUE(d.rect().contains(t->geometry()));
            for (const QPushButton* b : {d.zuruck(), d.BNein()}) {
                if (!b->isVisibleTo(&d))
                    continue;
                EXPECT_TRUE(d.rect().contains(b->geometry()));
                EXPECT_GE(b->y(), t->geometry().bottom());
                EXPECT_GE(b->width(), b->sizeHint().width());
            }
            if (!bilder.isEmpty() && (n == 98 || n == 100 || d.height() > hoechste))
                d.grab().save(QString("%1/meldung%2_%3pt.png").arg(bilder).arg(n).arg(pt));
            hoechste = std::max(hoechste, d.height());
        }
    }
    QApplication::setFont(vorher);
}

namespace {

// The whole catalogue, written out once more by hand from the documented
// listing: every number, its kind and its pieces.
struct Eintrag {
    int nummer;
    bool frage;
    std::vector<QString> stuecke;
};

const QString CR = QStringLiteral("\r"), LF = QStringLiteral("\n"), DQ = QStringLiteral("\""),
              NAME = QStringLiteral("Sicherung_2016-06-15 \u00e4");

const std::vector<Eintrag>& liste()
{
    static const std::vector<Eintrag> l = {
    {1, false, {LF, CR, LF, CR, QStringLiteral("Sie müssen"), CR, LF, QStringLiteral("erst die"), CR, LF, QStringLiteral("Grundeinstellung für"), CR, LF, QStringLiteral("ein Kfz eingeben!")}},
    {2, true, {LF, CR, LF, CR, QStringLiteral("Wollen Sie"), CR, LF, QStringLiteral("alle Daten dieses"), CR, LF, QStringLiteral("Fahrzeugs löschen?"), CR, LF}},
    {3, false, {LF, CR, LF, CR, QStringLiteral("Es wird jetzt"), CR, LF, QStringLiteral("eine Datei"), CR, LF, QStringLiteral("für die Grundeinstellung"), CR, LF, QStringLiteral("der Kfz erstellt!")}},
    {4, false, {LF, CR, LF, CR, QStringLiteral("Es wird jetzt"), CR, LF, QStringLiteral("eine Datei"), CR, LF, QStringLiteral("für Ihr Kilometrika"), CR, LF, QStringLiteral("erstellt!")}},
    {5, true, {LF, CR, LF, CR, QStringLiteral("Es wird jetzt"), CR, LF, QStringLiteral("ein neuer"), CR, LF, QStringLiteral("Datensatz an das Ende"), CR, LF, QStringLiteral("der Kilometrikadatei angehängt!"), CR, LF, QStringLiteral("Sind alle Eintragungen richtig?")}},
    {6, true, {LF, CR, LF, CR, QStringLiteral("Der aktuelle"), CR, LF, QStringLiteral("Datensatz wird"), CR, LF, QStringLiteral("jetzt mit den neuen"), CR, LF, QStringLiteral("Eintragungen überschrieben!"), CR, LF, QStringLiteral("Sind alle Eintragungen richtig?")}},
    {10, false, {LF, CR, LF, CR, QStringLiteral("Leider haben"), CR, LF, QStringLiteral("Sie vergessen, das"), CR, LF, QStringLiteral("Kfz - Kennzeichen"), CR, LF, QStringLiteral("einzugeben!"), CR, LF, QStringLiteral("So kann ich das leider"), CR, LF, QStringLiteral("nicht speichern")}},
    {11, false, {LF, CR, LF, CR, QStringLiteral("Ohne Angabe"), CR, LF, QStringLiteral("des Kilometerstandes, "), CR, LF, QStringLiteral("kann ich leider die"), CR, LF, QStringLiteral("Eingabe des Kfz's nicht"), CR, LF, QStringLiteral("speichern!")}},
    {12, false, {LF, CR, LF, CR, QStringLiteral("Den Standort"), CR, LF, QStringLiteral("des Fahrzeugs müssen"), CR, LF, QStringLiteral("Sie schon eintragen,"), CR, LF, QStringLiteral("sonst kann ich die Eingabe"), CR, LF, QStringLiteral("nicht speichern!")}},
    {13, false, {CR, LF, QStringLiteral("Sie müssen"), CR, LF, QStringLiteral("noch den Fahrzeughalter"), CR, LF, QStringLiteral("eingeben!"), CR, LF}},
    {14, false, {CR, LF, QStringLiteral("Diese"), CR, LF, QStringLiteral("Eintragung kann"), CR, LF, QStringLiteral("leider nicht mehr"), CR, LF, QStringLiteral("geändert werden!")}},
    {20, false, {CR, LF, QStringLiteral("Diese Zeiteintragung kann nicht stimmen, tragen Sie bitte eine korrekte Zeit ein!")}},
    {21, false, {CR, LF, QStringLiteral("Dieses Datum"), CR, LF, QStringLiteral(" ist kleiner als die letzte Eintragung, tragen Sie bitte ein korrektes Datum ein! ")}},
    {22, true, {CR, LF, QStringLiteral("Die Zeit dieser Fahrt wird dem Tag der über- wiegenden Abwesenheit zugerechnet, wenn Sie nicht übernachtet haben. Haben Sie übernachtet , klicken Sie bitte auf die >Nein< Taste!")}},
    {23, false, {LF, CR, LF, CR, QStringLiteral("Die Abfahrtszeit kann nicht später sein, als die Ankunftszeit. Tragen Sie bitte eine korrekte Zeit ein!")}},
    {24, false, {LF, CR, LF, CR, QStringLiteral("Die Abfahrtszeit ist früher als die letzte Ankunftzeit an diesem Tag. Tragen Sie bitte eine korrekte Zeit ein!")}},
    {25, false, {LF, CR, LF, CR, QStringLiteral("Sie sind später losgefahren, als Sie angekommen sind, tragen Sie bitte eine korrekte Ankunftszeit ein!")}},
    {30, true, {LF, CR, LF, CR, QStringLiteral("Wollen Sie den Datensatz  wirklich löschen? ")}},
    {31, true, {QStringLiteral(" Es werden alle folgenden Datensätze bis zum Ende der Datei gelöscht. Wollen Sie den Datensatz wirklich überschreiben und den Rest löschen?")}},
    {32, true, {QStringLiteral(" Wenn Sie jetzt auf den OK - Button klicken, werden die gesamten Eintragungen des aktuellen Fahrzeugs gelöscht. Wollen Sie das wirklich?")}},
    {33, false, {LF, CR, LF, CR, QStringLiteral("Sie haben keinen Abfahrtsort  eingetragen!  So kann der Datensatz nicht gespeichert werden.")}},
    {34, false, {LF, CR, LF, CR, QStringLiteral(" Sie haben vergessen, das Eingabefeld >Wegstrecke - über< auszufüllen! So kann der Datensatz nicht gespeichert werden.")}},
    {35, false, {LF, CR, LF, CR, QStringLiteral("Sie haben das Eingabefeld >Nach< nicht ausgefüllt!   So kann der Datensatz nicht gespeichert werden.")}},
    {36, false, {LF, CR, LF, CR, QStringLiteral("Sie haben keinen Grund für Ihre Fahrt angegeben! So kann der Datensatz nicht gespeichert werden.")}},
    {37, false, {LF, CR, LF, CR, QStringLiteral("Sie haben keinen Gesprächspartner eingetragen! So kann der Datensatz nicht gespeichert werden.")}},
    {38, false, {QStringLiteral("Der Km-Stand zwischen Abfahrt und Ankunft ist gleich, Sie haben vergessen die gefahrenen Kilometer einzutragen. So kann der Datensatz nicht gespeichert werden.")}},
    {39, false, {LF, CR, LF, CR, QStringLiteral("Handelt es sich um ein Firmenfahrzeug oder ein Privatfahrzeug!")}},
    {40, true, {QStringLiteral("Wollen Sie wirklich die Sicherheitskopie wieder herstellen? Es wird die aktuell bestehende Datei, mit der Sicherheitskopie überschrieben.")}},
    {41, true, {LF, CR, LF, CR, QStringLiteral("Wollen Sie wirklich die ausgewählten Sicherheitskopien löschen?")}},
    {42, true, {LF, CR, LF, CR, QStringLiteral("Möchten Sie eine Sicherheitskopie erstellen?")}},
    {50, true, {QStringLiteral("Wollen Sie den  "), CR, LF, QStringLiteral(" bestehenden Datensatz"), CR, LF, QStringLiteral(" wirklich überschreiben?"), CR, LF, CR, LF}},
    {51, true, {QStringLiteral("Der bestehende Datensatz wird als storniert gekennzeichnet und es wird ein neuer Datensatz mit den vorgenommenen Änderungen eingefügt.")}},
    {52, true, {QStringLiteral("Die gefahrenen Kilometer wurden geändert! Die Kilometerstände der nächsten Datensätze sind somit nicht mehr korrekt. Wollen Sie wirklich den Datensatz überschreiben?")}},
    {53, true, {QStringLiteral("Die Zeitangaben wurden geändert! Die Korrektheit der nächsten Datensätze kann nicht überprüft werden. Wollen Sie wirklich den Datensatz überschreiben?")}},
    {54, false, {QStringLiteral("Sie haben vergessen die gefahrenen Kilometer einzutragen!")}},
    {55, false, {QStringLiteral("Es sind keine Fahrtenspeichereintragungen vorhanden, die geändert werden könnten!")}},
    {56, false, {QStringLiteral("Sie haben das Eingabefeld - Von / Abfahrtsort - vergessen auszufüllen!")}},
    {57, false, {QStringLiteral("Sie haben das Eingabefeld - Über / Wegstrecke - vergessen auszufüllen!")}},
    {58, false, {QStringLiteral("Sie haben das Eingabefeld - Nach / Ankunfsort - vergessen auszufüllen!")}},
    {59, false, {QStringLiteral("Sie haben das Eingabefeld - Gesprächspartner - vergessen auszufüllen!")}},
    {60, false, {QStringLiteral("Sie haben das Eingabefeld - Grund der Fahrt - vergessen auszufüllen!")}},
    {61, false, {QStringLiteral("Sie haben das Eingabefeld - Abfahrtsdatum - vergessen auszufüllen!")}},
    {62, false, {QStringLiteral("Sie haben das Eingabefeld - Ankunftsdatum - vergessen auszufüllen!")}},
    {63, false, {QStringLiteral("Sie haben im Auswahlfeld - Fahrtvoreinstellung - vergessen die Fahrtart auszuwählen!")}},
    {64, false, {QStringLiteral("Sie brauchen jetzt nur noch die Abfahrts- und Ankunftszeit aktualisieren!")}},
    {65, false, {QStringLiteral("Sie haben vergessen einen neuen Datensatz zu wählen!")}},
    {66, false, {QStringLiteral("Es wurde nichts an dem Datensatz geändert! Die Eintragungen sind alle unverändert.")}},
    {67, false, {QStringLiteral("Die Abfahrtszeit der aktuellen Fahrt ist kleiner als die Ankunftszeit der zurückliegenden Fahrt am gleichen Kalendertag!")}},
    {68, false, {QStringLiteral("Die Abfahrtszeit der aktuellen Fahrt ist größer als die Ankunftszeit!")}},
    {69, false, {QStringLiteral("Das Eingabedatum kann nicht richtig sein. Sie können ein Fahrzeug nur für ein Jahr führen, fangen Sie ein neues Fahrzeug an.")}},
    {70, false, {LF, CR, QStringLiteral("Das Eingabedatum kann nicht richtig sein!")}},
    {71, true, {QStringLiteral("Die letzte Fahrt liegt mehr als 5 Tage zurück. Keine Eintragung vergessen?Wollen Sie trotzdem speichern?")}},
    {72, false, {LF, CR, QStringLiteral("Die gefahrenen Kilometer sind zu hoch für diesen Zeitraum!")}},
    {73, false, {QStringLiteral("Sie können ein PKW nur für ein laufendes Jahr führen. Für ein weiteres Jahr muß ein neuer PKW angelegt werden.")}},
    {76, false, {QStringLiteral("Die Eintragung wurde bereits geändert, eine erneute Änderung ist leider nicht möglich!")}},
    {77, false, {QStringLiteral("Ihnen stehen 12 € Reisekosten zu aber in den Grundeinstellungen sind die Reisekosten - Pauschalberechnungen ausgeschaltet.")}},
    {78, false, {QStringLiteral("In dem ausgewählten Verzeichnis befindet sich keine Sicherheitskopie!")}},
    {79, false, {QStringLiteral("Sie müssen erst eine oder mehrere Dateien selektieren!")}},
    {81, false, {QStringLiteral("Sie haben mehr als eine Datei ausgewählt!Wählen Sie die gewünschte Sicherheitskopie aus und wiederholen Sie den Funktionsaufruf.")}},
    {84, false, {QStringLiteral("Diese Funktion kann erst ab der zweiten Eintragung genutzt werden!")}},
    {85, false, {LF, CR, QStringLiteral("Sie müssen erst eine Sicherheitskopie auswählen!")}},
    {86, false, {LF, CR, QStringLiteral("Die Eintragung existiert bereits!")}},
    {87, false, {QStringLiteral("Sie müssen erst eine Fahrt eingetragen haben, damit sie in der Kundenliste aufgenommen werden kann.")}},
    {88, false, {QStringLiteral("Sie müssen mindestens zwei Fahrten eingetragen haben, um einen Ausdruck zu erhalten!")}},
    {89, false, {LF, CR, QStringLiteral("Fehler beim Löschen! Verzeichnis muss leer sein.")}},
    {90, false, {LF, CR, QStringLiteral("Die Jahreszahl kann nicht bearbeitet werden!")}},
    {91, false, {LF, CR, QStringLiteral("Sie müssen den aktuellen Km - Stand oben eintragen!")}},
    {92, false, {LF, CR, QStringLiteral("Sie müssen erst einige Eintragungen vornehmen!")}},
    {93, false, {LF, CR, QStringLiteral("Die Abfahrtszeit ist nicht korrekt! Verwenden Sie dieses Format    "), DQ, QStringLiteral("00:00"), DQ, QStringLiteral(".  ")}},
    {94, false, {LF, CR, QStringLiteral("Die Ankunftszeit ist nicht korrekt! Verwenden Sie dieses Format    "), DQ, QStringLiteral("00:00"), DQ, QStringLiteral(". ")}},
    {95, false, {QStringLiteral("Ein nachträglicher Wechsel des bereits bestehenden Kfz ist nur möglich, wenn alle bestehenden Eintragungen des Kfz gelöscht werden!")}},
    {96, false, {LF, CR, QStringLiteral("Der Km-Stand Ankunft darf nicht kleiner sein als bei der Abfahrt!")}},
    {97, false, {QStringLiteral("Das Eintragungsdatum der letzten Eintragung ist größer als das aktuelle Rechner- datum. Hier kann etwas nicht stimmen!. Ein Doppelklick rechts unten auf die Uhrzeit, zeigt Ihnen das aktuelle Rechnerdatum an. "), LF, CR, QStringLiteral("Oder deaktivieren Sie die Journalfunktion in den Grundeinstellungen")}},
    {98, false, {QStringLiteral("Das aktuelle Rechnerdatum ist kleiner als die Fahrteintragung. Hier kann etwas nicht stimmen!. Ein Doppelklick rechts unten auf die Uhrzeit, zeigt Ihnen das aktuelle Rechnerdatum an. "), LF, CR, QStringLiteral("(Zeitnahes Führen eines Kilometrikas)"), LF, CR, QStringLiteral("Oder deaktivieren Sie die Journalfunktion in den Grundeinstellungen")}},
    {99, false, {LF, CR, QStringLiteral("Diese Funktion funktioniert nur bei neuen Datensätzen!")}},
    {100, true, {QStringLiteral("Das Datum liegt mehr als acht Tage zurück. Überprüfen Sie Ihr Rechnerdatum! (Zeitnahes Führen eines Kilometrikas) Entweder Sie haben handschriftl. Aufzeichnungen oder Sie deaktivieren die Journalfunktion in den Grundeinstellungen."), LF, CR, QStringLiteral("Möchten Sie trotzdem speichern? ")}},
    {101, false, {QStringLiteral("Das Datum liegt mehr als acht Tage zurück. Überprüfen Sie Ihr Rechnerdatum, vielleicht ist es falsch! (Zeitnahes Führen eines Kilometrikas)"), LF, CR, QStringLiteral("Entweder Sie haben handschriftliche Aufzeichnungen oder Sie deaktivieren die Journalfunktion in den Grundeinstellungen.")}},
    {102, false, {QStringLiteral("Das Abfahrtsdatum ist nicht korrekt eingetragen! Überprüfen Sie Ihre Eingabe ! "), LF, CR, QStringLiteral("Mit einem Mausklick im Kalender, erhalten Sie eine korrekt formatierte Eingabe.")}},
    {103, false, {QStringLiteral("Das Abfahrtsdatum ist nicht korrekt eingetragen! Überprüfen Sie Ihre Eingabe ! "), LF, CR, QStringLiteral("Mit einem Mausklick im Kalender, erhalten Sie eine korrekt formatierte Eingabe.")}},
    {104, false, {LF, CR}},
    {105, false, {QStringLiteral("Die eingtragene Textlänge des Datums kann nicht stimmen!"), LF, CR, QStringLiteral("Das Format des Datums muss so "), DQ, QStringLiteral("01.01.2018"), DQ, QStringLiteral("!!! aussehen!")}},
    {106, false, {QStringLiteral("Der Datumsseperator hinter dem Tag muss ein Punkt sein. "), LF, CR, QStringLiteral("Das Format des Datums muss so "), DQ, QStringLiteral("01.01.2018"), DQ, QStringLiteral("!!! aussehen!")}},
    {107, false, {QStringLiteral("Der Datumsseperator hinter dem Monat muss ein Punkt sein."), LF, CR, QStringLiteral("Das Format des Datums muss so "), DQ, QStringLiteral("01.01.2018"), DQ, QStringLiteral("!!! aussehen!")}},
    {109, false, {QStringLiteral("Die eingetragene Tageszahl muss zwischen 01 und 31 liegen!"), LF, CR, QStringLiteral("Das Format des Datums muss so "), DQ, QStringLiteral("01.01.2018"), DQ, QStringLiteral("!!! aussehen!")}},
    {110, false, {QStringLiteral("Der eingetragene Monatswert muss zwischen 01 und 12 liegen!"), LF, CR, QStringLiteral("Das Format des Datums muss so "), DQ, QStringLiteral("01.01.2018"), DQ, QStringLiteral("!!! aussehen!")}},
    {111, false, {QStringLiteral("Die eingtragene Textlänge der Zeit kann nicht stimmen! "), LF, CR, QStringLiteral("Das Format der Zeiteintragung muss so (12:00)!!! aussehen.")}},
    {112, false, {QStringLiteral("Der Zeitseperator hinter den Stunden muss ein Doppelpunkt sein."), LF, CR, QStringLiteral("Das Format der Zeiteintragung muss so (12:00)!!! aussehen.")}},
    {113, false, {QStringLiteral("Die eingetragen Stundenzahl muss zwischen 00 und 24 liegen!"), LF, CR, QStringLiteral("Das Format der Zeiteintragung muss so (12:00)!!! aussehen.")}},
    {115, true, {QStringLiteral("Damit die Aktualisierung wirksam wird, muss das Programm neu gestartet werden!"), LF, CR, QStringLiteral("Wollen Sie das Programm jetzt neustarten?")}},
    {116, false, {QStringLiteral("Die neuen Funktion des Programms, werden erst beim nächsten Neustart des Programms zur Verfügung stehen!")}},
    {117, true, {QStringLiteral("Wollen Sie die ausgewählte  Sicherheitskopie "), LF, CR, DQ, NAME, DQ, LF, CR, QStringLiteral("wirklich löschen!")}},
    {118, false, {LF, CR, LF, CR, QStringLiteral("Die Sicherheitskopie"), LF, CR, DQ, NAME, DQ, LF, CR, QStringLiteral("wurde gelöscht!")}},
    {119, false, {QStringLiteral("Beim Löschen der Sicherheitskopie"), LF, CR, DQ, NAME, DQ, LF, CR, QStringLiteral("ist ein Fehler aufgetreten!")}},
    {120, false, {LF, CR, LF, CR, QStringLiteral("Sie haben kein gültiges "), LF, CR, QStringLiteral("Sicherheitsverzeichnis"), LF, CR, QStringLiteral("ausgewählt!")}},
    {121, true, {QStringLiteral("Vorsicht! Es werden auch alle Inhalte des Verzeichnisses gelöscht."), LF, CR, QStringLiteral("Sie haben kein gültiges "), LF, CR, QStringLiteral("Sicherheitsverzeichnis"), LF, CR, QStringLiteral("ausgewählt, wollen Sie es"), LF, CR, QStringLiteral("denoch löschen!")}},
    };
    return l;
}

} // namespace

TEST(Katalog, EveryNumberHasExactlyItsListedTextAndKind)
{
    std::map<int, const Eintrag*> nach;
    for (const Eintrag& e : liste())
        nach[e.nummer] = &e;
    ASSERT_EQ(nach.size(), 95u);
    for (int n = 0; n <= 255; ++n) {
        SCOPED_TRACE(n);
        const kmk::Katalogeintrag k = kmk::Meldungskatalog(n, NAME);
        if (n == 108 || n == 114) {   // notices whose wording is ours
            EXPECT_FALSE(k.text.isEmpty());
            EXPECT_FALSE(k.frage);
            continue;
        }
        const auto it = nach.find(n);
        if (it == nach.end()) {
            EXPECT_TRUE(k.text.isEmpty());
            continue;
        }
        QString text;
        for (const QString& s : it->second->stuecke)
            text += s;
        EXPECT_EQ(k.text, text);
        EXPECT_EQ(k.frage, it->second->frage);
    }
}
