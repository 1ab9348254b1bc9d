#pragma once
// Puts the spreadsheet control on the printout page and connects the
// page's handlers to the main window.

namespace kmk {

class Form1;

// Called once from the main window's constructor, before its help lines
// are attached. The page handlers are then found as the child
// "Ausdruckseite" of the window (kmk::Ausdruckseite), the control as
// "F1Book1" (sheet::Steuerelement).
void AusdruckAnbinden(Form1& f);
// Called once after the table builders are in place: the page's buttons
// get them, and the page change's builds are marked as trip tables.
void AusdruckTabellenAnbinden(Form1& f);

} // namespace kmk
