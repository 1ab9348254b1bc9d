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
    QTimer::singleShot(5, [&] {
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
    auto klicke = [&](const char* name) {
        QTimer::singleShot(20, [&sichtbar, name] {
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
