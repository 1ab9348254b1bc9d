#pragma once
// The trip memory on the main window: its handlers, its hooks in
// Form1Services and its two windows.

#include <QWidget>

namespace kmk {

class Form1;
class Fahrtenspeicher;

// Called once from the main window's constructor; also fills the F3, F10
// and F11 rows of the key table.
void fahrtenspeicherAnbinden(Form1* form);
// The main window's trip memory.
Fahrtenspeicher* fahrtenspeicherVon(const Form1* form);
// The editor and the import window, loaded hidden.
QWidget* neuesFKunden(Form1* form);
QWidget* neuesFSuchen(Form1* form);

} // namespace kmk
