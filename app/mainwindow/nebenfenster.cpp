#include "app/mainwindow/nebenfenster.h"

#include "app/mainwindow/form1.h"
#include "app/mainwindow/mw_glue.h"
#include "app/update/aktualisierung.h"
#include "app/update/ersetzen.h"
#include "platform/io/folders.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace kmk {

namespace {
upd::DownloadEinrichtung downloadEinrichtung(int markenvariante)
{
    upd::DownloadEinrichtung e;
    e.programmordner = mw::Programmpfad();
    e.programmname = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    e.markenvariante = markenvariante;
    e.basisadresse = upd::Aktualisierungsadresse(mw::Programmpfad());
    return e;
}
} // namespace

Nebenfenster::Nebenfenster(const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(name);
    setWindowTitle(caption);
    hide();
}

FDownloadFenster::FDownloadFenster(int markenvariante, QWidget* parent)
    : upd::FDownload(downloadEinrichtung(markenvariante), parent), m_variante(markenvariante)
{
    // This start has come this far: an old program kept by an update can go,
    // and so can the file of a download the last run was ended during.
    upd::alteKopieEntfernen(programmDatei());
    io::removeFile(TargetFile);
}

} // namespace kmk
