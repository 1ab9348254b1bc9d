#pragma once
// The calendars and spin buttons of the program's main window, created with
// the values they were given when the window was designed:
//
//   com::ControlHost* qkc = com::createFormControl(QStringLiteral("QKC"), page);
//   qkc->setGeometry(...);
//   connect(qkc, &com::ControlHost::mouseUp, ...);
//
// Names: "QKC" (entry calendar), "QKC2" and "QKC3" (print range) and
// "QKSpin1" .. "QKSpin7" (entry page). The calendars get DateType 0 and
// German day titles and month names, "QKC" also MinDate 44197 (1.1.2021)
// and MaxDate 55153 (31.12.2050); the spin buttons Style 2 and their own
// Max and SpinRate. This is the one table of these values: the main window
// takes its controls' values from formControlValues() too. Throws com::ComError like ControlHost (429 when the
// library is not registered); an unknown name throws error 5.

#include "platform/com/controlhost.h"

namespace com {

inline const QString kCalendarProgId = QStringLiteral("QKCAL.QKCalCtrl.1");
inline const QString kSpinProgId = QStringLiteral("QKSPIN.QKSpinCtrl.1");

// The stored design-time values of one of the named controls (empty bag for
// an unknown name).
PropertyBag formControlValues(const QString& name);
ControlHost* createFormControl(const QString& name, QWidget* parent = nullptr);

} // namespace com
