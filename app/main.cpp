#include "app/mainwindow/fstart.h"
#include "app/mainwindow/startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kilometrika"));
    // An optional program folder on the command line (demo and tests).
    if (argc > 1)
        kmk::setProgrammPfadVorgabe(QString::fromLocal8Bit(argv[1]));
    kmk::FStart splash;
    splash.show();
    return app.exec();
}
