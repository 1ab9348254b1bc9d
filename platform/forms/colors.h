#pragma once
// Colours as the runtime stored them: a long holding blue-green-red
// (&HBBGGRR), and system colours with the high bit set (&H800000nn).

#include <QColor>

namespace forms {

// 192 -> dark red, &HC00000 -> dark blue, 65280 -> green. A system colour
// (&H80000000 | index) answers the matching colour of the current palette.
QColor bgr(qint64 value);

// The runtime's value for a colour (alpha ignored).
qint64 toBgr(const QColor& c);

} // namespace forms
