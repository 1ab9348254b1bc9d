#pragma once
// The entry page's record procedures and the backups, wired into the main
// window: Form1Services hooks, the navigation buttons and the restore keys.

namespace kmk {

class Form1;
struct Eintragsseite;

// Called once from the Form1 constructor.
void EintragAnbinden(Form1& f);

// The entry page as the record procedures see it. Other subsystems fill
// their hooks in its 'dienste' (entry checks, KmBerechnen) and call the
// procedures with it.
Eintragsseite& eintragsseite(Form1& f);

// Ctrl+Alt+1..4: the trip file of that vehicle from the folder selected in
// the backup folder list.
void Wiederherstellen(Form1& f, int fahrzeug);

} // namespace kmk
