#pragma once
// The entry page's checks and field handlers wired into the main window:
// every field, spin, calendar and button of the entry page, the prefill and
// clearing hooks of Form1Services, and the checks the save road calls.

namespace kmk {

class Form1;

// Called once from the Form1 constructor, after the stored-trips wiring.
void EingabeAnbinden(Form1& f);

} // namespace kmk
