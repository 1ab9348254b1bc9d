#include "app/mainwindow/fstart.h"
#include "app/mainwindow/startup.h"
#include "platform/forms/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // Answered before anything of the window system is made: it needs no
    // display, and the update asks it of a downloaded program as a trial start.
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs(kmk::Versionszeile().toLocal8Bit().append('\n').constData(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    forms::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kilometrika"));
    // The program speaks German: so do the dialogs Qt provides.
    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtDeutsch);
    // An optional program folder on the command line (demo and tests).
    if (argc > 1)
        kmk::setProgrammPfadVorgabe(QString::fromLocal8Bit(argv[1]));
    kmk::FStart splash;
    splash.show();
    return app.exec();
}
