// Brand variant and window icons.
#include "app/mainwindow/form1.h"
#include "app/mainwindow/ftext.h"

#include "app/mainwindow/anbindung_fahrtenspeicher.h"
#include "app/mainwindow/fstart.h"
#include "app/mainwindow/mw_glue.h"
#include "app/mainwindow/nebenfenster.h"
#include "platform/io/folders.h"
#include "platform/vb/text.h"

#include <QApplication>
#include <QIcon>

namespace kmk {

namespace {

int varianteVon(const QString& code)
{
    if (code == QLatin1String("Kxt"))
        return 1;
    if (code == QLatin1String("Ptq"))
        return 2;
    if (code == QLatin1String("Rnz"))
        return 10;
    return 0;
}

// A missing or unreadable icon file gives a null icon; the windows then
// keep the icon they have.
QIcon ladeIcon(const QString& name)
{
    const QString p = io::findFileCaseInsensitive(mw::Programmpfad(), name);
    if (p.isEmpty())
        return QIcon();
    QIcon icon(p);
    if (icon.isNull() || icon.availableSizes().isEmpty())
        return QIcon();
    return icon;
}

void setzeIcon(QWidget* w, const QIcon& icon)
{
    if (w && !icon.isNull())
        w->setWindowIcon(icon);
}

} // namespace

void Form1::MarkeErsterDurchgang()
{
    const int v = varianteVon(vb::Trim(mw::JG().Markenkennung));
    if (v == 0)
        return;
    // The variant is known before the secondary windows load, so the
    // download window picks its address by it.
    mw::Markenvariante() = v;
    if (!FKunden)
        FKunden = neuesFKunden(this);
    if (!FSuchen)
        FSuchen = neuesFSuchen(this);
    if (!FText)
        FText = neuesHilfefenster(this);
    if (!FDownload)
        FDownload = new FDownloadFenster(v, this);

    const QIcon icon = ladeIcon(v == 10 ? QStringLiteral("rnz.ICO") : QStringLiteral("Kilometrika.ico"));
    for (QWidget* w : {static_cast<QWidget*>(this), FKunden, FSuchen, FText, FDownload})
        setzeIcon(w, icon);
    // The message dialog is made for each message and takes the program's icon.
    if (!icon.isNull())
        QApplication::setWindowIcon(icon);

    if (v == 1) {
        Picture1->hide();
        Label122N->show();
        Label55->show();
    } else if (v == 2) {
        Picture1->hide();
        Label122N->hide();
        Label55->hide();
    } else {
        Picture1->show();
    }
}

void Form1::MarkeZweiterDurchgang()
{
    const int v = mw::Markenvariante();
    if (v != 1 && v != 2 && v != 10)
        return;
    const QIcon icon = ladeIcon(v == 10 ? QStringLiteral("rnz.ico") : QStringLiteral("Kilometrika.ico"));
    setzeIcon(this, icon);
    setzeIcon(FStart::instance(), icon);
}

} // namespace kmk
