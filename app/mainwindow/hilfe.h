#pragma once
// The numbered help texts of "Hilfs.txt" and the help pages.
//
// "Hilfs.txt" holds one help text per line (Windows-1252, lines ended by
// CR LF); text k is line k. Slots 1..120 are kept, slot 0 stays empty, lines
// beyond 120 are ignored; a missing file or a number beyond the last line
// answers the empty text.
//
// The help pages live in the folder "help" of the program folder; a topic is
// a page file name ("Inhaltsverzeichnis.htm"), the empty topic the start page.

#include <QString>
#include <array>

namespace kmk {

class Hilfstexte {
public:
    static constexpr int Plaetze = 121;   // slots 0..120

    // Reads the file into slots 1, 2, ...; without the file nothing changes.
    // Returns the number of lines taken.
    int lesen(const QString& pfad);
    QString text(int k) const;
    void leeren();

private:
    std::array<QString, Plaetze> texte_{};
};

// The program's help texts, filled once at start.
Hilfstexte& hilfstexte();
void txt_ReadTexte(const QString& pfad);
QString Hilfstext(int k);

// "<program folder>/help".
QString Hilfeordner(const QString& programmpfad);

// Opens the help pages at a topic through the help-viewer seam.
void HTMLHelp_ShowTopic(const QString& programmpfad, const QString& topic);
// The same for the program folder of the running program.
void HTMLHelp_ShowTopic(const QString& topic = {});

} // namespace kmk
