#include "app/update/aktualisierung.h"

#include "app/update/fdownload.h"
#include "platform/com/profile.h"
#include "platform/forms/seams.h"
#include "platform/io/folders.h"
#include "platform/vb/number.h"
#include "platform/vb/text.h"

namespace upd {

QString Versionstext(const Versionsstand& v)
{
    if (v.ServerBuildnummer <= v.Buildnummer)
        return QStringLiteral("Sie haben die aktuellste Version von Kilometrika ") + v.Jahr + QStringLiteral(" ( V")
               + v.Hauptversion + QStringLiteral(".0.") + vb::Trim(vb::Str(qint64(v.Buildnummer))) + QStringLiteral(")");
    return QStringLiteral("Es steht eine neuere Version des Kilometrika ") + v.Jahr + QStringLiteral(" (V ") + v.ServerVersion
           + QStringLiteral(") zum Download bereit");
}

QString Aktualisierungsadresse(const QString& programmordner)
{
    const QString datei = io::findFileCaseInsensitive(programmordner, QString::fromLatin1(kEinstellungsdatei));
    if (datei.isEmpty())
        return {};
    return com::PrivateProfile(datei).readString(QStringLiteral("Aktualisierung"), QStringLiteral("Serveradresse"), {}).trimmed();
}

Pruefung Command2_Click(FDownload* fenster, const Versionsstand& v)
{
    forms::Services& s = forms::services();
    if (!s.system->isAdministrator()) {
        s.dialogs->msgBox(QStringLiteral("Für diese Funktion brauchen Sie Administrationsrechte"), forms::vbOKOnly);
        return Pruefung::KeineRechte;
    }
    if (!s.system->isOnline()) {
        s.dialogs->msgBox(QStringLiteral("Es besteht keine Verbindung zum Internet.\r\n"
                                         "Bitte stellen Sie eine Online-Verbindung her damit die Version überprüft werden kann."),
                          forms::vbOKOnly);
        return Pruefung::Offline;
    }
    if (!fenster || !fenster->adresseEingerichtet()) {
        s.dialogs->msgBox(QStringLiteral("Für die Aktualisierung ist keine Serveradresse eingerichtet.\r\n"
                                         "Tragen Sie die Adresse unter „Serveradresse“ im Abschnitt [Aktualisierung] "
                                         "der Datei „Aktualisierung.ini“ im Programmordner ein."),
                          forms::vbOKOnly | forms::vbInformation);
        return Pruefung::KeineAdresse;
    }
    fenster->LDownloadtxt->setText(Versionstext(v));
    fenster->setWindowModality(Qt::ApplicationModal);
    fenster->show();
    fenster->raise();
    fenster->activateWindow();
    return Pruefung::Fenster;
}

} // namespace upd
