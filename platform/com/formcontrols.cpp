#include "platform/com/formcontrols.h"

#include <memory>

namespace com {

namespace {
struct SpinDesign {
    const char* name;
    int max;
    int spinRate;
};
constexpr SpinDesign kSpins[] = {
    {"QKSpin1", 1440, 1000}, {"QKSpin2", 23, 1},    {"QKSpin3", 23, 1},   {"QKSpin4", 1440, 100},
    {"QKSpin5", 100, 10},    {"QKSpin6", 10000, 10000}, {"QKSpin7", 100, 10},
};

bool isCalendar(const QString& name)
{
    return name == QLatin1String("QKC") || name == QLatin1String("QKC2") || name == QLatin1String("QKC3");
}
} // namespace

PropertyBag formControlValues(const QString& name)
{
    // Only what the program relies on; everything else keeps the library's
    // own defaults (the week starts on Sunday, as the day titles do).
    PropertyBag bag;
    if (isCalendar(name)) {
        bag.write(QStringLiteral("DateType"), 0);
        if (name == QLatin1String("QKC")) {
            // 01.01.2021 .. 31.12.2050 until the year set-up narrows them.
            bag.write(QStringLiteral("MaxDate"), 55153);
            bag.write(QStringLiteral("MinDate"), 44197);
        }
        bag.write(QStringLiteral("DayTitles"), QStringLiteral("So Mo Di Mi Do Fr Sa"));
        bag.write(QStringLiteral("MonthNames"),
                  QStringLiteral("Januar Februar M\u00e4rz April Mai Juni Juli August September Oktober November Dezember"));
        return bag;
    }
    for (const auto& s : kSpins) {
        if (name == QLatin1String(s.name)) {
            bag.write(QStringLiteral("Style"), 2);
            bag.write(QStringLiteral("Max"), s.max);
            bag.write(QStringLiteral("SpinRate"), s.spinRate);
            break;
        }
    }
    return bag;
}

ControlHost* createFormControl(const QString& name, QWidget* parent)
{
    const PropertyBag bag = formControlValues(name);
    if (bag.items().empty())
        throw ComError(E_INVALIDARG, QStringLiteral("Unbekanntes Steuerelement: %1").arg(name));
    auto host = std::make_unique<ControlHost>(isCalendar(name) ? kCalendarProgId : kSpinProgId, parent);
    host->setObjectName(name);
    host->load(bag);
    return host.release();
}

} // namespace com
