#pragma once
// Plugs the meal allowances, the km shares and the recalculation into the
// main window: the hooks PauschaleAnzeigen, Prozentverteilung,
// Ges_Verbrauch and aktualisieren, and the title page's button
// "CommandNeuBerechnen".

namespace kmk {

class Form1;
class Pauschalanzeige;

// Called once from the main window's constructor.
void anbindungPauschalen(Form1& f);

// The Pause key and the title page's button: the notice, the
// recalculation of every company car's trip file with the configured rates,
// the flag "allowances recalculated" written with the settings.
void PauschaleNeuBerechnen(Form1& f);

// Connects the title page's button "CommandNeuBerechnen" to
// PauschaleNeuBerechnen once; nothing while the page has no such button.
void verbindeNeuBerechnen(Form1& f);

// The entry page's allowance display of this window (for the page's reset
// of the working values); nullptr before anbindungPauschalen.
Pauschalanzeige* pauschalanzeige(Form1& f);

} // namespace kmk
