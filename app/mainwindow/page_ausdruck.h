#pragma once
// Layout of the printout page "Ausdruck" of the main window: the table
// buttons, zoom and print-scale lists, print fitting and the sheet.

class QWidget;

namespace kmk {

// Creates the controls of the printout page on page. The sheet "F1Book1"
// is a placeholder widget until the spreadsheet control takes its place.
void buildAusdruckPage(QWidget* page);

} // namespace kmk
