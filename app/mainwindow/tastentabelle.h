#pragma once
// The main window's keyboard shortcuts: one table, reached through the key
// preview, so a function key acts on every page and inside every field.
//
//   Tastenbefehle b; b.NeuEintrag = [&]{ ... };
//   forms::setKeyPreview(form, {.keyDown = [&](int& k, int s) {
//       Form_KeyDown(b, k, s, forms::currentKeyModifiers()); }});
//
// Each command is a callback the subsystems fill; an empty one does nothing.

#include <Qt>

#include <functional>

namespace kmk {

struct Tastenbefehle {
    std::function<void(int fahrzeug)> Wiederherstellen;   // Ctrl+Alt+1..4
    std::function<void()> Hilfe;                          // F1
    std::function<void()> ALoeschen;                      // F2
    std::function<void()> Kundeloschen;                   // F3
    std::function<void()> AListe;
    std::function<void()> Datensatzeins;                  // F4
    std::function<void()> Datensatzzurueck;               // F5
    std::function<void()> Datensatzvor;                   // F6
    std::function<void()> LetzterDatensatz;               // F7
    std::function<void()> ASpeichern;                     // F8
    std::function<void()> NeuEintrag;                     // F9
    std::function<void()> Kundeubergeben;                 // F10
    std::function<void(bool)> KundeDat;                   // F11
    std::function<void()> Rueckfahrt;                     // F12
    std::function<void()> Pause;                          // recalculation
    std::function<void()> Ende;                           // cost frame on/off
};

// Runs every row of the table that matches, in the table's order; a row
// that clears keyCode keeps the later rows from matching. raw is what Qt
// reported: the restore needs exactly Ctrl+Alt on the main keyboard and is
// never reached through AltGr (it would copy a backup over the trip file
// while the user types "²").
void Form_KeyDown(const Tastenbefehle& b, int& keyCode, int shift, Qt::KeyboardModifiers raw);

} // namespace kmk
