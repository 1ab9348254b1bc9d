#pragma once
// Writing and reading the entry page's controls by name, as the runtime
// did: a text written from code runs the field's Change handler when it
// differs; an absent control is skipped.

#include <QString>

#include "app/entry/eintragsseite.h"

class QRadioButton;

namespace kmk::felder {

// Text of a text box, drop-down box, label or button caption.
void setzen(const Eintragsseite& s, const QString& name, const QString& text);
QString lesen(const Eintragsseite& s, const QString& name);
void zeigen(const Eintragsseite& s, const QString& name, bool sichtbar);
// Text colour as the runtime's BGR value.
void farbe(const Eintragsseite& s, const QString& name, qint64 bgr);
qint64 farbe(const Eintragsseite& s, const QString& name);

// Selects the trip-type option of Fahrtart 1..5; any other value clears all five.
void fahrtartZeigen(const Eintragsseite& s, int fahrtart);

inline const char* const Fahrtartoptionen[5] = {"OptWA", "OptPri", "OptGesch", "OptEhr", "OptFam"};

} // namespace kmk::felder
