#pragma once
// The backup frame of the settings page: choosing the backup folder in the
// folder list, storing it, creating and deleting folders from the list's
// popup menu.
//
//   Sicherungsseite s{st, Dir1, Drive1, LSPfad};
//   s.MeldungAnzeigen = ...; s.VorDatSpeichern = ...;
//   Verloeschen_Click(s);

#include <QString>

#include <functional>

#include "app/records/fahrten1.h"

class QLabel;

namespace forms {
class DirListBox;
class DriveListBox;
}

namespace kmk {

struct Sicherungsseite {
    Fahrten1& st;
    forms::DirListBox* Dir1 = nullptr;
    forms::DriveListBox* Drive1 = nullptr;
    QLabel* LSPfad = nullptr;
    std::function<bool(int)> MeldungAnzeigen;          // catalogue; true = Ja
    std::function<void(const QString&)> meldung;       // plain message box
    std::function<bool()> VorDatSpeichern;             // settings written; false shown
};

// The list's path changed: shown in LSPfad and taken as the settings'
// backup folder in memory (when the settings record can hold it).
void Dir1_Change(Sicherungsseite& s);
// Another drive chosen: the list moves there; a drive that is not ready
// keeps the previous drive and path.
void Drive1_Change(Sicherungsseite& s);
// "Backup - Verzeichnis speichern".
void CSicherSpeicher_Click(Sicherungsseite& s);
// "Verzeichnis erstellen": a new folder in the selected one becomes the
// backup folder. A name with a separator or "." / ".." is refused.
void VerErstellen_Click(Sicherungsseite& s);
// "Verzeichnis löschen": deletes the selected folder after its question.
// The program folder, the backup folder and every folder above them are
// refused; a symbolic link is removed as a link.
void Verloeschen_Click(Sicherungsseite& s);

// Whether a folder name typed into the create box names one folder in place.
bool Ordnername(const QString& name);
// Whether 'ordner' is 'schutz' or lies above it (canonical paths; a
// symbolic link counts as the link itself).
bool SchuetztOrdner(const QString& ordner, const QString& schutz);

} // namespace kmk
