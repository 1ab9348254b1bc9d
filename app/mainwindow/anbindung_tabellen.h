#pragma once
// The table builders and the table filters on the main window: the page
// change to "Ausdruck", the filter lists of the evaluation page at
// start-up, and the customer list the trip-memory editor asks for.

namespace kmk {

class Form1;
namespace tabellen {
class Tabellenseite;
}

// Called once from the main window's constructor, after the trip memory.
void tabellenAnbinden(Form1* form);
// The builders of the main window, for the printout page's buttons.
tabellen::Tabellenseite* tabellenseiteVon(const Form1* form);

} // namespace kmk
