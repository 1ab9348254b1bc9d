#include "app/mainwindow/nebenfenster.h"
#include "test_startup_umgebung.h"

#include <QCoreApplication>
#include <QFileInfo>
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

} // namespace
