#include "app/mainwindow/nebenfenster.h"
#include "test_startup_umgebung.h"
#include "tests/support/loopserver.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using kmktest::Umgebung;

TEST(Aktualisierung, TheTitlePageButtonShowsTheDownloadWindowOnlyWithAnAddress)
{
    const QString programm = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    {
        Umgebung u("2016", "Kxt");
        ASSERT_TRUE(u.starte());
        u.form->Command2->click();
        ASSERT_EQ(u.klartexte().size(), 1);
        EXPECT_TRUE(u.klartexte()[0].startsWith("Für die Aktualisierung ist keine Serveradresse eingerichtet."));
        EXPECT_FALSE(u.form->FDownload->isVisible());
    }
    {
        Umgebung u("2016", "Kxt");
        QFile ini(u.pfad("Aktualisierung.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Aktualisierung]\r\nServeradresse=http://updates.example/kxt/\r\n");
        ini.close();
        // An old program kept by the last update goes once the start comes up.
        QFile alt(u.pfad(programm + ".alt"));
        ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
        alt.close();
        ASSERT_TRUE(u.starte());
        EXPECT_FALSE(QFile::exists(u.pfad(programm + ".alt")));
        auto* w = qobject_cast<upd::FDownload*>(u.form->FDownload);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->txtSource->text(), "http://updates.example/kxt/" + programm);
        EXPECT_EQ(w->TargetFile, u.pfad(programm + ".e32"));
        u.form->Command2->click();
        EXPECT_TRUE(u.klartexte().isEmpty());
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->LDownloadtxt->text(), "Sie haben die aktuellste Version von Kilometrika 2016 ( V" + kmk::fahrten1().Dateien.Hauptversion + ".0.1)");
        w->CBeenden_Click();
        u.fakes.system.administrator = false;
        u.form->Command2->click();
        EXPECT_EQ(u.klartexte(), QStringList({"Für diese Funktion brauchen Sie Administrationsrechte"}));
        EXPECT_FALSE(w->isVisible());
    }
}

TEST(Aktualisierung, AProgramEndedDuringADownloadLeavesNoDownloadFile)
{
    kmktest::LoopServer srv;   // sends part of the file, then falls silent
    srv.pieces = {{kmktest::LoopServer::response("HTTP/1.0 200 OK", QByteArray(400000, 'x')).left(200000), 0}};
    srv.closeAtEnd = false;
    for (const bool beenden : {false, true}) {
        SCOPED_TRACE(beenden ? "Beenden" : "close box");
        Umgebung u("2016", "Kxt");
        QFile ini(u.pfad("Aktualisierung.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Aktualisierung]\r\nServeradresse=" + srv.url("/kxt/").toLatin1() + "\r\n");
        ini.close();
        ASSERT_TRUE(u.starte());
        auto* w = qobject_cast<upd::FDownload*>(u.form->FDownload);
        ASSERT_NE(w, nullptr);
        w->cmdStart_Click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return w->BytesReceived > 0; }, 5000));
        ASSERT_TRUE(QFile::exists(w->TargetFile));
        if (beenden)
            u.form->Command17_Click();
        else
            u.form->Form_QueryUnload();
        EXPECT_FALSE(w->laeuft());
        EXPECT_FALSE(QFile::exists(w->TargetFile));

        // One left by a run that could not clean up goes at the next start.
        const QString e32 = w->TargetFile;
        QFile rest(e32);
        ASSERT_TRUE(rest.open(QIODevice::WriteOnly));
        rest.write("halb");
        rest.close();
        ASSERT_TRUE(u.starte());
        EXPECT_FALSE(QFile::exists(e32));
    }
}

} // namespace
