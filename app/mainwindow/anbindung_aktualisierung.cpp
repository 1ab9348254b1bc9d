// The title page's "Aktualisierung downloaden" runs the update check with
// the window loaded at start-up and the version of this main window.
#include "app/mainwindow/form1.h"
#include "app/mainwindow/mw_glue.h"
#include "app/mainwindow/nebenfenster.h"
#include "app/update/aktualisierung.h"

namespace kmk {

void aktualisierungAnbinden(Form1& f)
{
    QObject::connect(f.Command2, &QPushButton::clicked, &f, [&f] {
        upd::Command2_Click(qobject_cast<upd::FDownload*>(f.FDownload),
                            {mw::Jahr(), mw::JD().Hauptversion, f.Buildnummer, f.ServerBuildnummer, f.ServerVersion});
    });
}

} // namespace kmk
