// The save roads of the entry page clicked like a person: the save
// button, the right click, the questions and the journal.

#include "tests/app/entry/fenster.h"

#include "app/entry/eingabefelder.h"
#include "app/mainwindow/form2.h"
#include "app/mainwindow/meldungen.h"
#include "app/mainwindow/page_eintragungen.h"
#include "app/mainwindow/sstab.h"
#include "app/records/dateien.h"
#include "platform/com/controlhost.h"
#include "platform/forms/combobox.h"
#include "platform/forms/events.h"
#include "platform/forms/mouseupbutton.h"
#include "platform/io/schritte.h"
#include "platform/vb/date.h"
#include "platform/vb/text.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kmk;
using kmktest::Fenster;

// The save question stands where the user can still check every filled
// entry field before answering, wholly on the screen.
TEST(Tippen, TheSaveQuestionLeavesEveryEntryFieldInView)
{
    Fenster w;
    w.mitZeiten();
    w.taste(Qt::Key_F9);
    w.ausfuellen("15.06.2016", "100", "Bonn");
    kmk::Form2Dialog echt;
    kmk::ScopedMeldungsdialog mitDemDialog(&echt);
    kmk::Form2::setWartezeit(0);
    QStringList verdeckt;
    QString frage;
    bool ganz = false;
    QObject test;   // an answer not yet given dies with the test
    QTimer::singleShot(20, &test, [&] {
        auto* d = qobject_cast<kmk::Form2*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        frage = d->MText()->text();
        const QRect ort = d->frameGeometry();
        ganz = d->screen()->availableGeometry().contains(ort);
        for (const char* n : {"EinDatumAb", "EinZeitAb", "AnzKmAb", "EinVon", "EinUber", "EinNach", "EinDatumAn",
                              "EinZeitAn", "EinkmAn", "EinGefKm", "EinGrund", "EinGesprach", "EinFahrer", "OptGesch"}) {
            QWidget* c = w.f->ctl(n);
            if (!c || !c->isVisible() || QRect(c->mapToGlobal(QPoint(0, 0)), c->size()).intersects(ort))
                verdeckt << n;
        }
        QTest::mouseClick(d->zuruck(), Qt::LeftButton);
    });
    w.maus("EintragSpeichern");
    kmk::Form2::setWartezeit(500);
    EXPECT_TRUE(frage.contains(QString::fromUtf8("angehängt!"))) << frage.toStdString();
    EXPECT_TRUE(ganz);
    EXPECT_EQ(verdeckt, QStringList());
    EXPECT_EQ(w.satzanzahl(), 1);
}

TEST(Tippen, ANewEntrySavedSurvivesARestartByteForByteAndAReturnTripFollows)
{
    Fenster w;
    w.fahrt("10.03.2016", "100", "Bonn");
    const QByteArray gespeichert = w.fahrten();
    ASSERT_EQ(gespeichert.size(), FahrtDatensatz::Laenge) << w.u.meldungen.size();
    FahrtDatensatz s = w.satz(1);
    EXPECT_EQ(s.DatumAb, vb::DateSerial(2016, 3, 10));
    EXPECT_EQ(s.KmAb, 345);
    EXPECT_EQ(s.KmAn, 445);
    EXPECT_EQ(s.GefahreneKm, 100);
    EXPECT_EQ(s.Fahrtart, 3);
    EXPECT_EQ(s.Von, QString::fromUtf8("Köln").leftJustified(50));
    EXPECT_EQ(s.Nach, QString("Bonn").leftJustified(50));
    EXPECT_EQ(s.Grund, QString("Kundenbesuch").leftJustified(50));
    EXPECT_EQ(s.Fahrer, QString("Anna").leftJustified(50));
    EXPECT_FALSE(fahrten1().NeuerEintragOffen);

    w.f->close();
    w.starten();
    w.zeigen();
    EXPECT_EQ(w.fahrten(), gespeichert);
    EXPECT_EQ(fahrten1().Satzanzahl, 1);
    EXPECT_EQ(w.text("EinNach"), "Bonn");
    EXPECT_EQ(w.text("EinkmAn"), "445");

    w.taste(Qt::Key_F12);
    EXPECT_EQ(vb::Trim(w.text("EinVon")), "Bonn");
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.fahrten().size(), 2 * FahrtDatensatz::Laenge);
    EXPECT_EQ(w.fahrten().left(FahrtDatensatz::Laenge), gespeichert);
    EXPECT_EQ(vb::Trim(w.satz(2).Nach), QString::fromUtf8("Köln"));
    EXPECT_EQ(w.satz(2).KmAb, 445);
}

// 31.11. names no day: the buffer still holds the dates shown before, and
// the order check measured by them would report 67 and overwrite the times.
TEST(Tippen, AnImpossibleDateWithWarningsOnGivesTheDateMessageAndKeepsTheTypedTimes)
{
    Fenster w;
    w.fahrt("10.03.2016", "100", "Bonn");
    ASSERT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);
    fahrten1().Voreinstellung.Journalfunktion = 0;
    forms::setValue(w.f->Check8, 0);   // with times
    w.f->Check8_Click();
    for (const bool warnungen : {true, false}) {
        fahrten1().Voreinstellung.Warnhinweise = warnungen ? -1 : 0;
        w.taste(Qt::Key_F9);
        w.ausfuellen("31.11.2016", "100", "Bonn");
        for (auto [feld, zeit] : {std::pair{"EinZeitAb", "09:00"}, std::pair{"EinZeitAn", "11:00"}}) {
            w.leeren(feld);
            w.tippen(feld, zeit);
        }
        w.u.meldungen.clear();
        w.maus("EintragSpeichern");
        EXPECT_EQ(w.u.meldungen, QList<int>{109}) << warnungen;
        EXPECT_EQ(w.text("EinZeitAb"), "09:00") << warnungen;
        EXPECT_EQ(w.text("EinZeitAn"), "11:00") << warnungen;
        EXPECT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);
    }
}

TEST(Tippen, SaveButtonShowsTheLastMissingFieldAndRightClickOverwritesAndCuts)
{
    Fenster w;
    w.taste(Qt::Key_F9);
    // No trip type and no departure date: the date comes later in the scan.
    ASSERT_EQ(WidgetEingabeseite(w.f).fahrtart(), 0);
    w.tippen("EinUber", "A3");
    w.tippen("EinNach", "Bonn");
    w.leeren("EinDatumAb");
    w.u.meldungen.clear();
    w.maus("EintragSpeichern");
    EXPECT_EQ(w.u.meldungen, (QList<int>{105, 61}));   // the field's own leave check, then the scan
    w.f->ctl<QRadioButton>("OptGesch")->click();
    w.leeren("EinNach");
    w.u.meldungen.clear();
    w.maus("EintragSpeichern");
    EXPECT_EQ(w.u.meldungen, QList<int>{35});
    EXPECT_TRUE(w.fahrten().isEmpty());

    for (int t = 10; t <= 12; ++t)
        w.fahrt(QString("%1.03.2016").arg(t), "10", "Bonn");
    ASSERT_EQ(w.fahrten().size(), 3 * FahrtDatensatz::Laenge);
    w.maus("AutoDatZuruck");
    ASSERT_EQ(fahrten1().Satznummer, 2);
    w.leeren("EinGrund");
    w.tippen("EinGrund", "Messe");
    w.u.meldungen.clear();
    w.maus("EintragSpeichern", Qt::RightButton);
    EXPECT_EQ(w.u.meldungen, (QList<int>{6, 31}));
    ASSERT_EQ(w.fahrten().size(), 2 * FahrtDatensatz::Laenge);
    EXPECT_EQ(w.satz(2).Grund, QString("Messe").leftJustified(50));
    EXPECT_EQ(w.satz(2).Eintragsstatus, 0);

    // A cut on a full disk: the overwrite went with it, the file is wholly
    // old, the message true, the page not moved on to the last trip.
    w.fahrt("13.03.2016", "10", "Bonn");
    w.maus("AutoDatZuruck");
    ASSERT_EQ(fahrten1().Satznummer, 2);
    w.leeren("EinGrund");
    w.tippen("EinGrund", "Voll");
    const QByteArray ungekuerzt = w.fahrten();
    w.u.meldungen.clear();
    w.u.fakes.dialogs.shown.clear();
    io::pruefstand::fehlerBei(3, ENOSPC);   // the rewrite's write
    w.maus("EintragSpeichern", Qt::RightButton);
    io::pruefstand::aus();
    EXPECT_EQ(w.u.meldungen, (QList<int>{6, 31}));
    EXPECT_EQ(w.u.klartexte(), QStringList{kmk::TextSchreibfehler(w.u.pfad("Auto1_16.dat"))});
    EXPECT_EQ(w.fahrten(), ungekuerzt);
    EXPECT_EQ(fahrten1().Satznummer, 2);

    // A write-protected file: the write message ends it, question 31 never comes.
    w.leeren("EinGrund");
    w.tippen("EinGrund", "Kunde");
    const QByteArray geschuetzt = w.fahrten();
    ASSERT_TRUE(QFile::setPermissions(w.u.pfad("Auto1_16.dat"), QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                                                     | QFileDevice::ReadOther));
    w.u.meldungen.clear();
    w.u.fakes.dialogs.shown.clear();
    w.maus("EintragSpeichern", Qt::RightButton);
    EXPECT_EQ(w.u.meldungen, QList<int>{6});
    EXPECT_EQ(w.u.klartexte(), QStringList{kmk::TextSchreibfehler(w.u.pfad("Auto1_16.dat"))});
    EXPECT_EQ(w.fahrten(), geschuetzt);
}

TEST(Tippen, ACorrectionGoesThroughTheJournal)
{
    Fenster w;
    for (int t = 10; t <= 12; ++t)
        w.fahrt(QString("%1.03.2016").arg(t), "20", "Bonn");
    ASSERT_EQ(w.fahrten().size(), 3 * FahrtDatensatz::Laenge);
    const QByteArray erster = w.fahrten().left(FahrtDatensatz::Laenge);
    w.maus("AutoDatZuruck");
    ASSERT_EQ(fahrten1().Satznummer, 2);
    w.leeren("EinNach");
    w.tippen("EinNach", "Siegburg");
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.fahrten().size(), 4 * FahrtDatensatz::Laenge);
    EXPECT_EQ(w.fahrten().left(FahrtDatensatz::Laenge), erster);
    EXPECT_EQ(w.satz(2).Eintragsstatus, 1);
    EXPECT_EQ(w.satz(2).Nach, QString("Bonn").leftJustified(50));
    EXPECT_EQ(w.satz(3).Eintragsstatus, 2);
    EXPECT_EQ(w.satz(3).Nach, QString("Siegburg").leftJustified(50));
    EXPECT_EQ(w.satz(4).DatumAb, vb::DateSerial(2016, 3, 12));
}

TEST(Tippen, SaveQuestionsEightDaysBackStillChecksFormatsAndNoToTheGapStopsSilently)
{
    Fenster w;
    forms::setValue(w.f->Check8, 0);   // times are entered
    fahrten1().Voreinstellung.Journalfunktion = -1;
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.fahrt("01.06.2016", "10", "Bonn");   // 14 days back: question 100, yes
    ASSERT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);
    EXPECT_TRUE(w.u.meldungen.contains(100));

    // Yes to 100, then a time that is no time of day: 113, nothing saved.
    w.taste(Qt::Key_F9);
    w.ausfuellen("01.06.2016", "10", "Bonn");
    w.leeren("EinZeitAn");
    w.tippen("EinZeitAn", "24:30");
    w.u.meldungen.clear();
    w.maus("EintragSpeichern");
    EXPECT_EQ(w.u.meldungen, (QList<int>{100, 113}));
    EXPECT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);

    // Six days after the last trip: question 71; no ends it without question 6.
    w.leeren("EinZeitAn");
    w.tippen("EinZeitAn", "12:00");
    for (const char* d : {"EinDatumAb", "EinDatumAn"}) {
        w.leeren(d);
        w.tippen(d, "07.06.2016");
    }
    w.u.dialog.antworten = {false};
    w.u.meldungen.clear();
    w.maus("EintragSpeichern");
    EXPECT_EQ(w.u.meldungen, QList<int>{71});
    EXPECT_EQ(w.fahrten().size(), FahrtDatensatz::Laenge);
}

TEST(Tippen, RightClickOnALockedTripShowsMessage14AndChangesNothing)
{
    Fenster w;
    for (int t = 10; t <= 11; ++t)
        w.fahrt(QString("%1.03.2016").arg(t), "20", "Bonn");
    const QByteArray vorher = w.fahrten();
    fahrten1().Satzgesperrt = true;
    w.u.meldungen.clear();
    w.maus("EintragSpeichern", Qt::RightButton);
    EXPECT_EQ(w.u.meldungen, QList<int>{14});
    EXPECT_EQ(w.fahrten(), vorher);
    fahrten1().Satzgesperrt = false;
    w.maus("EintragSpeichern", Qt::MiddleButton);
    EXPECT_EQ(w.fahrten(), vorher);
}

TEST(Tippen, RightClickStopsAtNoToTheGapQuestion)
{
    Fenster w;
    fahrten1().Voreinstellung.Journalfunktion = 0;
    w.fahrt("01.03.2016", "20", "Bonn");
    w.fahrt("02.03.2016", "20", "Bonn");
    fahrten1().Voreinstellung.Warnhinweise = -1;
    w.fahrt("20.03.2016", "20", "Bonn");   // yes to the gap question
    ASSERT_EQ(w.fahrten().size(), 3 * FahrtDatensatz::Laenge);
    const QByteArray vorher = w.fahrten();
    w.u.dialog.antworten = {false};
    w.u.meldungen.clear();
    w.maus("EintragSpeichern", Qt::RightButton);
    EXPECT_EQ(w.u.meldungen, QList<int>{71});
    EXPECT_EQ(w.fahrten(), vorher);
}

// The placeholder "Privat" of a private trip recorded with date and km only
// goes into that trip's record and nowhere else: a refused save leaves the
// page without it, and a switch to another trip type empties the fields
// that show a stored trip's placeholder, so the checks ask for them.
TEST(Tippen, ThePrivatePlaceholderReachesNoOtherTrip)
{
    const char* const texte[] = {"EinVon", "EinUber", "EinNach", "EinGrund", "EinGesprach", "EinFahrer"};
    enum Weg { KmNull, NeinZuFuenf, RechtsNeinZuSechs };
    for (Weg weg : {KmNull, NeinZuFuenf, RechtsNeinZuSechs}) {
        SCOPED_TRACE(testing::Message() << "Weg " << weg);
        Fenster w;
        ASSERT_NE(fahrten1().Voreinstellung.PrivatNurKm, 0);
        w.fahrt("14.06.2016", "20", "Bonn");
        ASSERT_EQ(w.satzanzahl(), 1);
        w.taste(Qt::Key_F9);
        w.f->ctl<QRadioButton>("OptPri")->click();
        w.setzen("EinGefKm", weg == KmNull ? "0" : "15");
        if (weg == NeinZuFuenf)
            w.u.dialog.antworten = {false};
        w.u.meldungen.clear();
        w.maus("EintragSpeichern");
        if (weg == RechtsNeinZuSechs) {
            // Stored with its placeholder, shown, and refused again.
            ASSERT_EQ(w.satzanzahl(), 2);
            const FahrtDatensatz s = w.satz(2);
            for (const QString& t : {s.Von, s.Ueber, s.Nach, s.Grund, s.Gespraechspartner, s.Fahrer})
                EXPECT_EQ(vb::Trim(t), "Privat");
            ASSERT_EQ(fahrten1().Satznummer, 2);
            w.u.dialog.antworten = {false};
            w.u.meldungen.clear();
            w.maus("EintragSpeichern", Qt::RightButton);
            EXPECT_EQ(w.u.meldungen, QList<int>{6});
        } else {
            EXPECT_EQ(w.u.meldungen, QList<int>{weg == KmNull ? 38 : 5});
            ASSERT_EQ(w.satzanzahl(), 1);
            for (const char* n : texte)
                EXPECT_NE(vb::Trim(w.text(n)), "Privat") << n;
        }
        const qsizetype vorher = w.satzanzahl();
        w.f->ctl<QRadioButton>("OptGesch")->click();
        for (const char* n : texte)
            EXPECT_NE(vb::Trim(w.text(n)), "Privat") << n;
        w.setzen("EinGefKm", "20");
        w.u.meldungen.clear();
        w.maus("EintragSpeichern");
        // The missing destination is asked for; nothing is stored.
        EXPECT_EQ(w.u.meldungen, QList<int>{35});
        EXPECT_EQ(w.satzanzahl(), vorher);
    }
}

// F11 files nothing from a trip that holds the placeholder, and F10 fills
// no placeholder from an entry an older program filed so.
TEST(Tippen, TheTripMemoryTakesNoPrivatePlaceholder)
{
    Fenster w;
    w.fahrt("14.06.2016", "20", "Bonn");
    w.taste(Qt::Key_F9);
    w.f->ctl<QRadioButton>("OptPri")->click();
    w.setzen("EinGefKm", "15");
    w.maus("EintragSpeichern");
    ASSERT_EQ(w.satzanzahl(), 2);
    ASSERT_EQ(vb::Trim(w.satz(2).Von), "Privat");
    const QString speicher = fahrten1().Kundendatei;
    const QByteArray vorher = w.u.lies(speicher);
    w.u.meldungen.clear();
    w.taste(Qt::Key_F11);
    EXPECT_EQ(w.u.lies(speicher), vorher);
    EXPECT_EQ(w.u.meldungen, QList<int>{87});
}
