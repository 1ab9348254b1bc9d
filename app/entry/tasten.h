#pragma once
// Keys of the entry fields: Enter moves on by a synthesised Tab, the
// amount fields take digits and one decimal comma, and an amount typed
// with a decimal comma is shown in the currency format when it is left.

#include "platform/vb/number.h"

#include <QString>
#include <initializer_list>

class QWidget;

namespace kmk {

// Posts the keys to the focused widget ("{TAB}", "{F1}", "+a", ...); they
// arrive after the running handler has returned.
void SendKeysEx(const QString& keys);

// The key to let through for an amount field holding 'text', or 0.
int PruefeZeichen(int zeichen, const QString& text);

// "1.234,5" with "System" gives "1.234,50 €"; another unit gives the
// number with two decimals, a blank and the unit. Blanks, and a text that
// holds no number, come back unchanged.
QString CheckCurrency(const QString& text, const QString& einheit = QStringLiteral("System"));
// The amount of a German number text ("1.234,5", "12,50 €"); false when
// the text is no number (a lone ",", letters, pasted words).
bool BetragLesen(const QString& text, double& wert);

// Key filter of the entry fields: a code not in 'erlaubt' becomes 0.
void nurErlaubt(int& zeichen, std::initializer_list<int> erlaubt);
// Digits 48..57 and the codes given.
void nurZiffernUnd(int& zeichen, std::initializer_list<int> auch);
// Enter swallowed, a Tab sent in its place.
void enterWeiter(int& zeichen);

} // namespace kmk
