#pragma once
// Layout of the evaluation page "Auswertung" of the main window: the print
// range calendars, the contact-person and trip-type filters and the switch
// of the extended printout.

class QWidget;

namespace kmk {

// Creates the controls of the evaluation page on page.
void buildAuswertungPage(QWidget* page);

} // namespace kmk
