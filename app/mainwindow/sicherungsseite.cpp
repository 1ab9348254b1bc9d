// The backup frame of the settings page: its popup menu.
#include "app/mainwindow/form1.h"

#include "app/mainwindow/dirlist.h"
#include "app/mainwindow/mw_glue.h"
#include "app/records/hilfen.h"
#include "platform/forms/seams.h"
#include "platform/io/folders.h"
#include "platform/vb/text.h"

namespace kmk {

void Form1::VerErstellen_Click()
{
    const QString s = vb::Trim(Dir1->selectedFolder());
    bool ok = false;
    const QString antwort = forms::services().dialogs->inputBox(
        QStringLiteral("Bitte geben Sie den neuen Verzeichnisnamen ein!"),
        QStringLiteral("Verzeichnis erstellen"), QStringLiteral("0"), &ok);
    if (antwort.isEmpty())
        return;
    const QString neu = (s.endsWith('/') ? s : s + "/") + antwort;
    io::createFolder(neu);
    if (!io::DirExists(neu))
        return;
    mw::Sicherungspfad() = ordnerMitTrenner(neu);
    mw::VS().Sicherungsordner = mw::Sicherungspfad();
    mw::VorDatSpeichern();
    Dir1->Refresh();
}

void Form1::Verloeschen_Click()
{
    const QString s = vb::Trim(Dir1->selectedFolder());
    const QString p = vb::Trim(Dir1->Path());
    if (s.isEmpty() || p.isEmpty()) {
        Dir1->Refresh();
        return;
    }
    if (s.size() <= p.size()) {
        mw::MeldungAnzeigen(120);
        return;
    }
    const QString n = s.mid(p.endsWith('/') ? p.size() : p.size() + 1);
    const QString t = s + "/";
    const QString programm = vb::Trim(mw::Programmpfad());
    // A folder that holds the program folder is as untouchable as the
    // program folder itself.
    if (t == programm || programm.startsWith(t)) {
        mw::plainMessage(QStringLiteral("Sie können nicht das Kilometrikaverzeichnis löschen!"));
        Dir1->Refresh();
        return;
    }
    if (t == vb::Trim(mw::Sicherungspfad())) {
        mw::plainMessage(QStringLiteral("Löschverzeichnis ist gleich Sicherheitsverzeichnis. Sie können nicht das ganze Sicherheitsverzeichnis löschen"));
        Dir1->Refresh();
        return;
    }
    if (!t.contains(QLatin1String("Sicherheit"))) {
        mw::plainMessage(QString());
        Dir1->Refresh();
        return;
    }
    mw::G().Sicherungsname = n;
    bool ja = false;
    if (n.startsWith(QLatin1String("Au1-"))) {
        if (t.size() > vb::Trim(mw::Sicherungspfad()).size())
            ja = mw::MeldungAnzeigen(117);
    } else {
        ja = mw::MeldungAnzeigen(121);
    }
    if (ja)
        mw::MeldungAnzeigen(DelTreeVB(t) ? 118 : 119);
    Dir1->Refresh();
}

void Form1::SichErstellen_Click()
{
    run(services.SicherheitscopyNeu);
    Dir1->Refresh();
}

} // namespace kmk
