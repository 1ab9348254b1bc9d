#pragma once
// The title page's "Aktualisierung downloaden": may this user replace the
// program, is the computer online, is an update address set up; then the
// version text and the download window, shown modally (without blocking,
// so nothing waits on it).
//
// The update address is one setting of the installation, empty unless the
// user sets it: "Serveradresse" in section [Aktualisierung] of the file
// "Aktualisierung.ini" in the program folder (the folder of the address,
// to which the program's own file name is added). The program never
// contacts any other address.

#include <QString>

namespace upd {

class FDownload;

struct Versionsstand {
    QString Jahr;             // "2016"
    QString Hauptversion;     // " 21", with its leading blank
    int Buildnummer = 0;
    int ServerBuildnummer = 0;
    QString ServerVersion;
};

QString Versionstext(const Versionsstand& v);

inline constexpr const char* kEinstellungsdatei = "Aktualisierung.ini";
// The update address of the installation in this folder; empty when none is set.
QString Aktualisierungsadresse(const QString& programmordner);

enum class Pruefung { KeineRechte, Offline, KeineAdresse, Fenster };

// The checks with their messages (through the dialog seam) and, when all
// pass, the window with its version text. `fenster` may be null (a brand
// without a download window counts as no address).
Pruefung Command2_Click(FDownload* fenster, const Versionsstand& v);

} // namespace upd
