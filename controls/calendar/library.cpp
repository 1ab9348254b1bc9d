// QKCAL32: class description, dispatch table, persistence, defaults and the
// library's entry points.

#include "controls/calendar/calendar.h"
#include "controls/common/inidefaults.h"
#include "controls/common/module.h"
#include "controls/common/propertypage.h"
#include "platform/com/registry.h"
#include "platform/vb/date.h"

#include <QDate>
#include <QScrollBar>
#include <cmath>

namespace qkcal {

using com::InvokeKind;
using com::Member;
using com::MemberInfo;
using com::VarType;

namespace {

const QString kSection = QStringLiteral("QKCalendar Settings");
const QString kIniFile = QStringLiteral("RU4DUD.INI");

std::vector<com::EnumConstant> mousePointerConstants()
{
    const char* names[] = {"QK_DEFAULT", "QK_ARROW", "QK_CROSS", "QK_IBEAM", "QK_ICON", "QK_SIZE",
                           "QK_SIZENESW", "QK_SIZENS", "QK_SIZENWSE", "QK_SIZEEW", "QK_UPARROW",
                           "QK_HOURGLASS", "QK_NODROP", "QK_APPSTARTING", "QK_SIZEALL"};
    const char* docs[] = {"Default", "Arrow", "Cross", "I-Beam", "Icon", "Size", "Size NE SW", "Size N S",
                          "Size NW SE", "Size W E", "Up Arrow", "Hourglass", "No Drop", "Arrow and Hourglass",
                          "Size All"};
    const char* hidden[] = {"_MP_DEFAULT", "_MP_ARROW", "_MP_CROSS", "_MP_IBEAM", "_MP_ICON", "_MP_SIZE",
                            "_MP_SIZENESW", "_MP_SIZENS", "_MP_SIZENWSE", "_MP_SIZEEW", "_MP_UPARROW",
                            "_MP_HOURGLASS", "_MP_NODROP", "_MP_APPSTARTING", "_MP_SIZEALL"};
    std::vector<com::EnumConstant> out;
    for (int i = 0; i < 15; ++i)
        out.push_back({QString::fromLatin1(names[i]), i, QString::fromLatin1(docs[i]), false});
    out.push_back({QStringLiteral("QK_CUSTOM"), 99, QStringLiteral("Custom"), false});
    for (int i = 0; i < 15; ++i)
        out.push_back({QString::fromLatin1(hidden[i]), i, QString::fromLatin1(docs[i]), true});
    out.push_back({QStringLiteral("_MP_CUSTOM"), 15, QStringLiteral("Custom"), true});
    return out;
}

MemberInfo prop(com::DispId id, const char* name, VarType t)
{
    MemberInfo m;
    m.id = id;
    m.name = QString::fromLatin1(name);
    m.type = t;
    return m;
}

MemberInfo method(com::DispId id, const char* name, VarType result, std::vector<com::ParamInfo> params)
{
    MemberInfo m = prop(id, name, result);
    m.isMethod = true;
    m.params = std::move(params);
    return m;
}

com::ParamInfo param(const char* name, VarType t, bool byRef = false)
{
    return com::ParamInfo{QString::fromLatin1(name), t, byRef};
}

void checkMousePointer(qint16 v)
{
    if (!((v >= 0 && v <= 15) || v == 99))
        com::throwInvalidValue(QStringLiteral("MousePointer must be from 0 to 14, or 99."));
}

const com::DispatchTable<Calendar>& table()
{
    static const com::DispatchTable<Calendar> t = [] {
        com::DispatchTable<Calendar> t;
        auto i2 = [](const QVariant& v) { return qint16(v.toInt()); };
        auto get = [](auto f) { return [f](Calendar& c, const QVariantList&) { return QVariant(f(c)); }; };

        // Stock properties.
        { MemberInfo m = prop(com::dispid::BackColor, "BackColor", VarType::Color); m.pageName = QStringLiteral("Color");
          t.add({m, get([](Calendar& c) { return uint(c.backColorValue()); }),
                 [](Calendar& c, const QVariantList&, const QVariant& v) { c.setBackColorValue(v.toUInt()); c.setModified(); c.notifyChanged(com::dispid::BackColor); }, {}}); }
        { MemberInfo m = prop(com::dispid::ForeColor, "ForeColor", VarType::Color); m.pageName = QStringLiteral("Color");
          t.add({m, get([](Calendar& c) { return uint(c.foreColorValue()); }),
                 [](Calendar& c, const QVariantList&, const QVariant& v) { c.setForeColorValue(v.toUInt()); c.setModified(); c.notifyChanged(com::dispid::ForeColor); }, {}}); }
        t.add({prop(com::dispid::Enabled, "Enabled", VarType::Bool), get([](Calendar& c) { return c.isEnabled() ? -1 : 0; }),
               [](Calendar& c, const QVariantList&, const QVariant& v) { c.setEnabled(v.toInt() != 0); c.setModified(); c.notifyChanged(com::dispid::Enabled); }, {}});
        { MemberInfo m = prop(com::dispid::HWnd, "hWnd", VarType::I4); m.readOnly = true;
          t.add({m, get([](Calendar& c) { return c.testAttribute(Qt::WA_WState_Created) ? qint32(c.winId()) : 0; }), {}, {}}); }
        { MemberInfo m = prop(com::dispid::BorderStyle, "BorderStyle", VarType::I2); m.enumName = QStringLiteral("enumBSType");
          t.add({m, get([](Calendar& c) { return int(c.borderStyle()); }),
                 [i2](Calendar& c, const QVariantList&, const QVariant& v) { c.setBorderStyle(i2(v)); }, {}}); }

        // Font.
        t.add({prop(id::FontName, "FontName", VarType::String), get([](Calendar& c) { return c.fontName(); }),
               [](Calendar& c, const QVariantList&, const QVariant& v) { c.setFontName(v.toString()); c.setModified(); c.notifyChanged(id::FontName); }, {}});
        t.add({prop(id::FontSize, "FontSize", VarType::R4), get([](Calendar& c) { return c.fontSize(); }),
               [](Calendar& c, const QVariantList&, const QVariant& v) { c.setFontSize(v.toDouble()); c.setModified(); c.notifyChanged(id::FontSize); }, {}});
        const std::pair<com::DispId, const char*> flags[] = {{id::FontBold, "FontBold"}, {id::FontItalic, "FontItalic"},
                                                             {id::FontUnderline, "FontUnderline"}, {id::FontStrikethru, "FontStrikethru"}};
        for (int i = 0; i < 4; ++i) {
            const com::DispId did = flags[i].first;
            t.add({prop(did, flags[i].second, VarType::Bool), [i](Calendar& c, const QVariantList&) { return QVariant(c.fontFlag(i) ? -1 : 0); },
                   [i, did](Calendar& c, const QVariantList&, const QVariant& v) { c.setFontFlag(i, v.toInt() != 0); c.setModified(); c.notifyChanged(did); }, {}});
        }

        // Dates.
        { MemberInfo m = prop(id::DateType, "DateType", VarType::I2); m.enumName = QStringLiteral("enumDTType");
          t.add({m, get([](Calendar& c) { return int(c.dateType()); }), [i2](Calendar& c, const QVariantList&, const QVariant& v) { c.setDateType(i2(v)); }, {}}); }
        t.add({prop(id::Date, "Date", VarType::I4), get([](Calendar& c) { return c.date(); }),
               [](Calendar& c, const QVariantList&, const QVariant& v) { c.setDate(v.toInt()); }, {}});
        t.add({prop(id::MaxDate, "MaxDate", VarType::I4), get([](Calendar& c) { return c.maxDate(); }),
               [](Calendar& c, const QVariantList&, const QVariant& v) { c.setMaxDate(v.toInt()); }, {}});
        t.add({prop(id::MinDate, "MinDate", VarType::I4), get([](Calendar& c) { return c.minDate(); }),
               [](Calendar& c, const QVariantList&, const QVariant& v) { c.setMinDate(v.toInt()); }, {}});
        for (auto [did, name] : {std::pair<com::DispId, const char*>{id::DayFrame, "DayFrame"}, {id::ThreeD, "ThreeD"},
                                 {id::GetArrows, "GetArrows"}, {id::FocusFrame, "FocusFrame"}}) {
            const com::DispId d = did;
            t.add({prop(d, name, VarType::Bool), [d](Calendar& c, const QVariantList&) { return QVariant(int(c.boolProperty(d))); },
                   [d, i2](Calendar& c, const QVariantList&, const QVariant& v) { c.setBoolProperty(d, i2(v)); }, {}});
        }
        t.add({prop(id::Day, "Day", VarType::I2), get([](Calendar& c) { return int(c.day()); }),
               [i2](Calendar& c, const QVariantList&, const QVariant& v) { c.setDay(i2(v)); }, {}});
        t.add({prop(id::Month, "Month", VarType::I2), get([](Calendar& c) { return int(c.month()); }),
               [i2](Calendar& c, const QVariantList&, const QVariant& v) { c.setMonth(i2(v)); }, {}});
        t.add({prop(id::Year, "Year", VarType::I2), get([](Calendar& c) { return int(c.year()); }),
               [i2](Calendar& c, const QVariantList&, const QVariant& v) { c.setYear(i2(v)); }, {}});
        const std::pair<com::DispId, const char*> derived[] = {{id::Weekday, "Weekday"}, {id::DaysInMonth, "DaysInMonth"},
                                                               {id::YearDayNumber, "YearDayNumber"}, {id::YearDaysLeft, "YearDaysLeft"}};
        for (auto [did, name] : derived) {
            MemberInfo m = prop(did, name, VarType::I2);
            m.readOnly = true;
            m.runtimeOnly = true;
            const com::DispId d = did;
            t.add({m, [d](Calendar& c, const QVariantList&) {
                       switch (d) {
                       case id::Weekday: return QVariant(int(c.weekday()));
                       case id::DaysInMonth: return QVariant(int(c.daysInMonth()));
                       case id::YearDayNumber: return QVariant(int(c.yearDayNumber()));
                       default: return QVariant(int(c.yearDaysLeft()));
                       }
                   }, {}, {}});
        }
        { MemberInfo m = prop(id::ScrollBar, "ScrollBar", VarType::I2); m.enumName = QStringLiteral("enumSBType");
          t.add({m, get([](Calendar& c) { return int(c.scrollBarValue()); }), [i2](Calendar& c, const QVariantList&, const QVariant& v) { c.setScrollBar(i2(v)); }, {}}); }
        { MemberInfo m = prop(id::FirstDay, "FirstDay", VarType::I2); m.enumName = QStringLiteral("enumDay");
          t.add({m, get([](Calendar& c) { return int(c.firstDay()); }), [i2](Calendar& c, const QVariantList&, const QVariant& v) { c.setFirstDay(i2(v)); }, {}}); }
        t.add({prop(id::DayTitles, "DayTitles", VarType::String), get([](Calendar& c) { return c.dayTitles(); }),
               [](Calendar& c, const QVariantList&, const QVariant& v) { c.setDayTitles(v.toString()); }, {}});
        t.add({prop(id::MonthNames, "MonthNames", VarType::String), get([](Calendar& c) { return c.monthNames(); }),
               [](Calendar& c, const QVariantList&, const QVariant& v) { c.setMonthNames(v.toString()); }, {}});
        static const char* markNames[] = {"MarkColor1", "MarkColor2", "MarkColor3", "MarkColor4",
                                          "MarkColor5", "MarkColor6", "MarkColor7", "MarkColor8"};
        std::vector<std::pair<com::DispId, const char*>> colors;
        for (int i = 0; i < 8; ++i)
            colors.push_back({id::MarkColor1 + i, markNames[i]});
        colors.push_back({id::LightColor, "LightColor"});
        colors.push_back({id::ShadeColor, "ShadeColor"});
        colors.push_back({id::BorderColor, "BorderColor"});
        colors.push_back({id::DisabledColor, "DisabledColor"});
        for (auto [did, name] : colors) {
            MemberInfo m = prop(did, name, VarType::Color);
            m.pageName = QStringLiteral("Color");
            const com::DispId d = did;
            t.add({m, [d](Calendar& c, const QVariantList&) { return QVariant(uint(c.colorProperty(d))); },
                   [d](Calendar& c, const QVariantList&, const QVariant& v) { c.setColorProperty(d, v.toUInt()); }, {}});
        }
        { MemberInfo m = prop(id::MouseIcon, "MouseIcon", VarType::Picture); m.pageName = QStringLiteral("Picture");
          t.add({m, [](Calendar& c, const QVariantList&) { return c.mouseIcon().toVariant(); },
                 [](Calendar& c, const QVariantList&, const QVariant& v) {
                     const auto pic = com::Picture::fromVariant(v);
                     if (!pic || (pic->type != com::PicNone && pic->type != com::PicIcon))
                         com::throwInvalidPicture(QStringLiteral("The MouseIcon property must be an Icon"));
                     c.setMouseIcon(*pic);
                     c.setModified();
                     c.notifyChanged(id::MouseIcon);
                 }, {}}); }
        { MemberInfo m = prop(id::MousePointer, "MousePointer", VarType::I2); m.enumName = QStringLiteral("enumMP");
          t.add({m, get([](Calendar& c) { return int(c.mousePointerValue()); }),
                 [i2](Calendar& c, const QVariantList&, const QVariant& v) {
                     checkMousePointer(i2(v));
                     c.setMousePointerValue(i2(v));
                     c.setModified();
                     c.notifyChanged(id::MousePointer);
                 }, {}}); }
        { MemberInfo m = prop(id::HdnWidth, "HdnWidth", VarType::I4); m.readOnly = true;
          t.add({m, get([](Calendar& c) { return c.width(); }), {}, {}}); }
        { MemberInfo m = prop(id::HdnHeight, "HdnHeight", VarType::I4); m.readOnly = true;
          t.add({m, get([](Calendar& c) { return c.height(); }), {}, {}}); }
        { MemberInfo m = prop(id::DatePosition, "DatePosition", VarType::I2);
          t.add({m, get([](Calendar& c) { return int(c.datePosition()); }), [i2](Calendar& c, const QVariantList&, const QVariant& v) { c.setDatePosition(i2(v)); }, {}}); }
        t.add({prop(id::ToolTip, "ToolTip", VarType::String), get([](Calendar& c) { return c.toolTipText(); }),
               [](Calendar& c, const QVariantList&, const QVariant& v) { c.setToolTipText(v.toString()); c.setModified(); c.notifyChanged(id::ToolTip); }, {}});
        { MemberInfo m = prop(id::MarkType, "MarkType", VarType::I2); m.params = {param("index", VarType::I2)}; m.runtimeOnly = true;
          t.add({m, [](Calendar& c, const QVariantList& ix) { return QVariant(int(c.markType(qint16(ix[0].toInt())))); },
                 [](Calendar& c, const QVariantList& ix, const QVariant& v) { c.setMarkType(qint16(ix[0].toInt()), qint16(v.toInt())); }, {}}); }

        // Methods.
        t.add({method(id::MDYtoDateTime, "MDYtoDateTime", VarType::Date, {param("Month", VarType::I2), param("Day", VarType::I2), param("Year", VarType::I2)}),
               {}, {}, [](Calendar& c, QVariantList& a) {
                   const int m = a[0].toInt(), d = a[1].toInt();
                   const int y = vb::ApplyTwoDigitYear(a[2].toInt());
                   if (!vb::IsValidDate(y, m, d))
                       return QVariant(0.0);
                   return QVariant(double(vb::MDYToSerial(c.dateType(), m, d, y)));
               }});
        t.add({method(id::DateTimeToMDY, "DateTimeToMDY", VarType::Empty,
                      {param("JulianDate", VarType::Date), param("pMonth", VarType::I2, true), param("pDay", VarType::I2, true), param("pYear", VarType::I2, true)}),
               {}, {}, [](Calendar& c, QVariantList& a) {
                   const double whole = std::trunc(a[0].toDouble());
                   if (!(whole >= -2147483648.0 && whole <= 2147483647.0))
                       throw com::DispatchException{com::DISP_E_OVERFLOW, QStringLiteral("Overflow")};
                   int m = 0, d = 0, y = 0;
                   vb::SerialToMDY(c.dateType(), qint32(whole), m, d, y);
                   a[1] = m;
                   a[2] = d;
                   a[3] = y;
                   return QVariant();
               }});
        t.add({method(id::CalcDayOfWeek, "CalcDayOfWeek", VarType::I2, {param("Month", VarType::I2), param("Day", VarType::I2), param("Year", VarType::I2)}),
               {}, {}, [](Calendar& c, QVariantList& a) {
                   return QVariant(vb::CalcDayOfWeek(c.dateType(), a[0].toInt(), a[1].toInt(), a[2].toInt()));
               }});
        t.add({method(id::CalcDaysInMonth, "CalcDaysInMonth", VarType::I2, {param("Month", VarType::I2), param("Year", VarType::I2)}),
               {}, {}, [](Calendar&, QVariantList& a) { return QVariant(vb::CalcDaysInMonth(a[0].toInt(), a[1].toInt())); }});
        for (bool years : {false, true}) {
            t.add({method(years ? id::AddYear : id::AddMonth, years ? "AddYear" : "AddMonth", VarType::Date,
                          {param("Date", VarType::Date), param("Increment", VarType::I2)}),
                   {}, {}, [years](Calendar& c, QVariantList& a) {
                       const double whole = std::trunc(a[0].toDouble());
                       if (!(whole >= -2147483648.0 && whole <= 2147483647.0))
                           throw com::DispatchException{com::DISP_E_OVERFLOW, QStringLiteral("Overflow")};
                       int m = 0, d = 0, y = 0;
                       vb::SerialToMDY(c.dateType(), qint32(whole), m, d, y);
                       if (years)
                           vb::AddYearsToParts(m, d, y, a[1].toInt());
                       else
                           vb::AddMonthsToParts(m, d, y, a[1].toInt());
                       return QVariant(double(vb::MDYToSerial(c.dateType(), m, d, y)));
                   }});
        }
        t.add({method(com::dispid::AboutBox, "AboutBox", VarType::Empty, {}), {}, {},
               [](Calendar& c, QVariantList&) { c.aboutBox(); return QVariant(); }});
        return t;
    }();
    return t;
}

} // namespace

const com::ClassInfo& classInfo()
{
    static const com::ClassInfo info = [] {
        com::ClassInfo ci;
        ci.clsid = *com::Guid::parse(QStringLiteral("{D13D4737-89F3-101B-9306-0020AF234C9D}"));
        ci.dispIid = *com::Guid::parse(QStringLiteral("{D13D4738-89F3-101B-9306-0020AF234C9D}"));
        ci.eventIid = *com::Guid::parse(QStringLiteral("{D13D4739-89F3-101B-9306-0020AF234C9D}"));
        ci.typeLib = *com::Guid::parse(QStringLiteral("{D13D473A-89F3-101B-9306-0020AF234C9D}"));
        ci.propPage = *com::Guid::parse(QStringLiteral("{D13D473B-89F3-101B-9306-0020AF234C9D}"));
        ci.className = QStringLiteral("QKCalendar");
        ci.progId = QStringLiteral("QKCAL.QKCalCtrl.1");
        ci.typeName = QStringLiteral("Marwelin Calendar Control");
        ci.typeLibName = QStringLiteral("QKCalLib");
        ci.pageClassName = QStringLiteral("CQKCalPropPage");
        ci.pageProgId = QStringLiteral("QKCAL.QKCalPropPage.1");
        ci.pageTypeName = QStringLiteral("Marwelin Calendar Property Page");
        ci.members = table().infos();
        // The date property is the default one.
        MemberInfo def = *ci.member(id::Date);
        def.id = com::dispid::Value;
        def.name = QStringLiteral("_Default");
        ci.members.push_back(def);
        auto mouse = std::vector<com::ParamInfo>{{QStringLiteral("Button"), VarType::I2}, {QStringLiteral("Shift"), VarType::I2},
                                                 {QStringLiteral("X"), VarType::I4}, {QStringLiteral("Y"), VarType::I4}};
        auto key = std::vector<com::ParamInfo>{{QStringLiteral("KeyCode"), VarType::I2, true}, {QStringLiteral("Shift"), VarType::I2}};
        ci.events = {{id::Change, QStringLiteral("Change"), {}},
                     {com::dispid::Click, QStringLiteral("Click"), {}},
                     {com::dispid::DblClick, QStringLiteral("DblClick"), {}},
                     {com::dispid::KeyDown, QStringLiteral("KeyDown"), key},
                     {com::dispid::KeyPress, QStringLiteral("KeyPress"), {{QStringLiteral("KeyAscii"), VarType::I2, true}}},
                     {com::dispid::KeyUp, QStringLiteral("KeyUp"), key},
                     {com::dispid::MouseDown, QStringLiteral("MouseDown"), mouse},
                     {com::dispid::MouseMove, QStringLiteral("MouseMove"), mouse},
                     {com::dispid::MouseUp, QStringLiteral("MouseUp"), mouse}};
        ci.enums = {
            {QStringLiteral("enumDTType"), {{QStringLiteral("QK_VB"), 0, QStringLiteral("Visual Basic Serial Date")},
                                            {QStringLiteral("QK_MARWELIN"), 1, QStringLiteral("Marwelin Serial Date")}}},
            {QStringLiteral("enumDay"), {{QStringLiteral("QK_SUNDAY"), 1, QStringLiteral("Sunday")}, {QStringLiteral("QK_MONDAY"), 2, QStringLiteral("Monday")},
                                         {QStringLiteral("QK_TUESDAY"), 3, QStringLiteral("Tuesday")}, {QStringLiteral("QK_WEDNESDAY"), 4, QStringLiteral("Wednesday")},
                                         {QStringLiteral("QK_THURSDAY"), 5, QStringLiteral("Thursday")}, {QStringLiteral("QK_FRIDAY"), 6, QStringLiteral("Friday")},
                                         {QStringLiteral("QK_SATURDAY"), 7, QStringLiteral("Saturday")}}},
            {QStringLiteral("enumSBType"), {{QStringLiteral("QK_NONE"), 0, QStringLiteral("None")}, {QStringLiteral("QK_HORIZONTAL"), 1, QStringLiteral("Horizontal")},
                                            {QStringLiteral("QK_VERTICAL"), 2, QStringLiteral("Vertical")}}},
            {QStringLiteral("enumMP"), mousePointerConstants()},
            {QStringLiteral("enumBSType"), {{QStringLiteral("QK_NONE"), 0, QStringLiteral("None")}, {QStringLiteral("QK_SINGLE"), 1, QStringLiteral("Fixed Single")}}},
        };
        return ci;
    }();
    return info;
}

com::HRESULT Calendar::invoke(com::DispId did, com::InvokeKind kind, QVariantList& args, QVariant* result,
                              com::ExcepInfo* exc)
{
    if (did == com::dispid::Value)
        did = id::Date;
    return table().invoke(*this, did, kind, args, result, exc, userMode(), QStringLiteral("QKCAL.QKCalCtrl.1"));
}

// ---------------------------------------------------------------- defaults and persistence

void Calendar::initNew()
{
    hbar_->hide();
    vbar_->hide();
    ctl::IniDefaults* ini = ctl::libraryDefaults();
    if (ini) {
        resize(ini->readInt(QStringLiteral("Width"), 134), ini->readInt(QStringLiteral("Height"), 154));
        auto i16 = [&](const char* key, int def) { return qint16(ini->readInt(QString::fromLatin1(key), def)); };
        auto bs = i16("BorderStyle", 1);
        borderStyle_ = (bs == 0 || bs == 1) ? bs : 1;
        QString titles, names;
        dayTitles_ = ini->readString(QStringLiteral("DayTitles"), titles) ? titles : QStringLiteral("S M T W T F S");
        monthNames_ = ini->readString(QStringLiteral("MonthNames"), names) ? names
            : QStringLiteral("January February March April May June July August September October November December");
        const qint16 sb = i16("ScrollBar", 0);
        scrollBar_ = sb >= 0 && sb <= 2 ? sb : 0;
        const qint16 dt = i16("DateType", 0);
        dateType_ = dt == 1 ? 1 : 0;
        const qint16 dp = i16("DatePosition", 4);
        datePosition_ = dp >= 0 && dp <= 9 ? dp : 4;
        qint32 mx = ini->readLong(QStringLiteral("MaxDate"), vb::kVbMaxSerial);
        qint32 mn = ini->readLong(QStringLiteral("MinDate"), vb::kVbMinSerial);
        mx = std::clamp(mx, vb::lowestSerial(dateType_), vb::highestSerial(dateType_));
        mn = std::clamp(mn, vb::lowestSerial(dateType_), vb::highestSerial(dateType_));
        if (mn > mx) {
            mn = vb::lowestSerial(dateType_);
            mx = vb::highestSerial(dateType_);
        }
        maxDate_ = mx;
        minDate_ = mn;
        auto flag = [&](const char* key, int def) {
            const qint16 v = i16(key, def);
            return (v == 0 || v == 1 || v == -1) ? v : qint16(def);
        };
        dayFrame_ = flag("DayFrame", 1);
        threeD_ = flag("ThreeD", 0);
        const qint16 fd = i16("FirstDay", 1);
        firstDay_ = fd >= 1 && fd <= 7 ? fd : 1;
        getArrows_ = flag("GetArrows", 0);
        focusFrame_ = flag("FocusFrame", 1);
        const qint16 mp = i16("MousePointer", 0);
        setMousePointerValue(((mp >= 0 && mp <= 15) || mp == 99) ? mp : 0);
        lightColor_ = quint32(ini->readLong(QStringLiteral("LightColor"), qint32(0x80000014)));
        shadeColor_ = quint32(ini->readLong(QStringLiteral("ShadeColor"), qint32(0x80000010)));
        borderColor_ = quint32(ini->readLong(QStringLiteral("BorderColor"), qint32(0x80000006)));
        disabledColor_ = quint32(ini->readLong(QStringLiteral("DisabledColor"), qint32(0x80000011)));
        for (int i = 0; i < 8; ++i)
            markColor_[size_t(i)] = quint32(ini->readLong(QStringLiteral("MarkColor%1").arg(i), 0xFFFFFF));
        setBackColorValue(quint32(ini->readLong(QStringLiteral("BackColor"), qint32(0x80000005))));
        setForeColorValue(quint32(ini->readLong(QStringLiteral("ForeColor"), qint32(0x80000008))));
        QString font;
        setFontName(ini->readString(QStringLiteral("FontName"), font) ? font : QStringLiteral("MS Sans Serif"));
        const double size = ini->readFloat(QStringLiteral("FontSize"), 8.0);
        setFontSize(size > 0 ? size : 8.0);
        const char* flags[4] = {"FontBold", "FontItalic", "FontUnderline", "FontStrikeout"};
        for (int i = 0; i < 4; ++i)
            setFontFlag(i, ini->readInt(QString::fromLatin1(flags[i]), 0) != 0);
    }
    marks_.fill(0);
    date_ = clampDate(today());
    int m = 0, d = 0, y = 0;
    vb::SerialToMDY(dateType_, maxDate_, m, d, y);
    maxMonths_ = y * 12 + m - 1;
    vb::SerialToMDY(dateType_, minDate_, m, d, y);
    minMonths_ = y * 12 + m - 1;
    splitWords();
    updateScrollRange();
    if (QScrollBar* bar = scrollBarWidget())
        bar->show();
    refreshDateParts();
    computeLayout();
    setToolTipText(QStringLiteral("QKCal"));
    update();
}

com::HRESULT Calendar::save(com::PropertyBag& bag)
{
    bag.write(QStringLiteral("_Version"), 0x00040001);
    bag.write(QStringLiteral("_ExtentX"), width());
    bag.write(QStringLiteral("_ExtentY"), height());
    saveStock(bag);
    bag.write(QStringLiteral("BorderStyle"), borderStyle_);
    bag.write(QStringLiteral("DateType"), dateType_);
    bag.write(QStringLiteral("DatePosition"), datePosition_);
    bag.write(QStringLiteral("Date"), date_);
    bag.write(QStringLiteral("MaxDate"), maxDate_);
    bag.write(QStringLiteral("MinDate"), minDate_);
    bag.write(QStringLiteral("DayFrame"), dayFrame_);
    bag.write(QStringLiteral("ThreeD"), threeD_);
    bag.write(QStringLiteral("ScrollBar"), scrollBar_);
    bag.write(QStringLiteral("FirstDay"), firstDay_);
    bag.write(QStringLiteral("GetArrows"), getArrows_);
    bag.write(QStringLiteral("FocusFrame"), focusFrame_);
    bag.write(QStringLiteral("DayTitles"), dayTitles_);
    bag.write(QStringLiteral("MonthNames"), monthNames_);
    bag.write(QStringLiteral("ToolTip"), toolTipText());
    bag.write(QStringLiteral("LightColor"), qint32(lightColor_));
    bag.write(QStringLiteral("ShadeColor"), qint32(shadeColor_));
    bag.write(QStringLiteral("BorderColor"), qint32(borderColor_));
    bag.write(QStringLiteral("DisabledColor"), qint32(disabledColor_));
    for (int i = 0; i < 8; ++i)
        bag.write(QStringLiteral("MarkColor%1").arg(i + 1), qint32(markColor_[size_t(i)]));
    bag.write(QStringLiteral("MousePointer"), mousePointerValue());
    bag.write(QStringLiteral("MouseIcon"), mouseIcon().toBytes());
    bag.write(QStringLiteral("MaxMonths"), maxMonths_);
    bag.write(QStringLiteral("MinMonths"), minMonths_);
    return com::S_OK;
}

com::HRESULT Calendar::load(const com::PropertyBag& bag)
{
    // Stored forms come from files: every value is checked so that a damaged
    // form gives a working calendar instead of an impossible state.
    auto w = bag.readI4(QStringLiteral("_ExtentX"));
    auto h = bag.readI4(QStringLiteral("_ExtentY"));
    if (w && h && *w > 0 && *h > 0)
        resize(*w, *h);
    loadStock(bag);
    auto inRange = [&](const char* name, qint16 def, int lo, int hi) {
        auto v = bag.readI2(QString::fromLatin1(name));
        return v ? ((*v >= lo && *v <= hi) ? *v : def) : def;
    };
    borderStyle_ = inRange("BorderStyle", 1, 0, 1);
    dateType_ = inRange("DateType", 0, 0, 1);
    datePosition_ = inRange("DatePosition", 4, 0, 9);
    const auto storedDate = bag.readI4(QStringLiteral("Date"));
    qint32 mx = bag.readI4(QStringLiteral("MaxDate")).value_or(vb::kVbMaxSerial);
    qint32 mn = bag.readI4(QStringLiteral("MinDate")).value_or(vb::kVbMinSerial);
    mx = std::clamp(mx, vb::lowestSerial(dateType_), vb::highestSerial(dateType_));
    mn = std::clamp(mn, vb::lowestSerial(dateType_), vb::highestSerial(dateType_));
    if (mn > mx) {
        mn = vb::lowestSerial(dateType_);
        mx = vb::highestSerial(dateType_);
    }
    maxDate_ = mx;
    minDate_ = mn;
    if (storedDate)
        date_ = *storedDate;
    date_ = clampDate(date_);
    dayFrame_ = inRange("DayFrame", -1, -1, 1);
    threeD_ = inRange("ThreeD", 0, -1, 1);
    const qint16 sb = inRange("ScrollBar", 0, 0, 2);
    firstDay_ = inRange("FirstDay", 1, 1, 7);
    getArrows_ = inRange("GetArrows", 0, -1, 1);
    focusFrame_ = inRange("FocusFrame", -1, -1, 1);
    if (auto t = bag.readString(QStringLiteral("DayTitles")))
        dayTitles_ = *t;
    if (auto t = bag.readString(QStringLiteral("MonthNames")))
        monthNames_ = *t;
    setToolTipText(bag.readString(QStringLiteral("ToolTip")).value_or(QStringLiteral("QKCal")));
    lightColor_ = bag.readColor(QStringLiteral("LightColor")).value_or(0x80000014);
    shadeColor_ = bag.readColor(QStringLiteral("ShadeColor")).value_or(0x80000010);
    borderColor_ = bag.readColor(QStringLiteral("BorderColor")).value_or(0x80000006);
    disabledColor_ = bag.readColor(QStringLiteral("DisabledColor")).value_or(0x80000011);
    for (int i = 0; i < 8; ++i)
        markColor_[size_t(i)] = bag.readColor(QStringLiteral("MarkColor%1").arg(i + 1)).value_or(0xFFFFFF);
    const qint16 mp = bag.readI2(QStringLiteral("MousePointer")).value_or(0);
    setMousePointerValue(((mp >= 0 && mp <= 15) || mp == 99) ? mp : 0);
    setMouseIcon(bag.readPicture(QStringLiteral("MouseIcon")));
    int m = 0, d = 0, y = 0;
    vb::SerialToMDY(dateType_, maxDate_, m, d, y);
    maxMonths_ = y * 12 + m - 1;
    vb::SerialToMDY(dateType_, minDate_, m, d, y);
    minMonths_ = y * 12 + m - 1;
    marks_.fill(0);
    if (sb != scrollBar_) {
        if (QScrollBar* old = scrollBarWidget())
            old->hide();
        scrollBar_ = sb;
        if (QScrollBar* bar = scrollBarWidget())
            bar->show();
    }
    updateScrollRange();
    refreshDateParts();
    computeLayout();
    splitWords();
    update();
    return com::S_OK;
}

// ---------------------------------------------------------------- dialogs

void Calendar::aboutBox()
{
    ctl::AboutDialog dlg(QStringLiteral("QKCalendar"), this);
    runModal(&dlg);
}

namespace {
ctl::PageLayout pageLayout(Calendar* cal)
{
    using F = ctl::PageField;
    ctl::PageLayout s;
    s.title = QStringLiteral("General");
    s.helpText = QStringLiteral("Customize QK Calendar's properties");
    s.hasDateType = true;
    auto field = [](const char* p, F::Kind k, const char* e = "") {
        F f;
        f.property = QString::fromLatin1(p);
        f.kind = k;
        f.enumName = QString::fromLatin1(e);
        return f;
    };
    s.fields = {field("DateType", F::Combo, "enumDTType"), field("DayFrame", F::Check), field("FocusFrame", F::Check),
                field("GetArrows", F::Check), field("ThreeD", F::Check), field("Enabled", F::Check),
                field("DayTitles", F::Text), field("MonthNames", F::Text), field("ToolTip", F::Text),
                field("ScrollBar", F::Combo, "enumSBType"), field("MousePointer", F::Combo, "enumMP"),
                field("BorderStyle", F::Combo, "enumBSType"), field("FirstDay", F::Combo, "enumDay"),
                field("Date", F::DateParts), field("MinDate", F::DateParts), field("MaxDate", F::DateParts)};
    F pos = field("DatePosition", F::Radio);
    pos.choices = {QStringLiteral("Top Left"), QStringLiteral("Top Center"), QStringLiteral("Top Right"),
                   QStringLiteral("Middle Left"), QStringLiteral("Center"), QStringLiteral("Middle Right"),
                   QStringLiteral("Bottom Left"), QStringLiteral("Bottom Center"), QStringLiteral("Bottom Right"),
                   QStringLiteral("No Display")};
    s.fields.push_back(pos);
    for (const char* hidden : {"BackColor", "ForeColor", "MarkColor1", "MarkColor2", "MarkColor3", "MarkColor4",
                               "MarkColor5", "MarkColor6", "MarkColor7", "MarkColor8", "BorderColor",
                               "DisabledColor", "LightColor", "ShadeColor", "HdnHeight", "HdnWidth", "FontName",
                               "FontSize", "FontBold", "FontItalic", "FontStrikethru", "FontUnderline"})
        s.fields.push_back(field(hidden, F::Hidden));
    s.saveAsDefault = [](const QMap<QString, QVariant>& v) {
        ctl::IniDefaults* ini = ctl::libraryDefaults();
        if (!ini)
            return true;
        bool ok = true;
        auto num = [&](const char* key, const char* prop) { ok = ini->writeInt(QString::fromLatin1(key), v.value(QString::fromLatin1(prop)).toInt()) && ok; };
        auto lng = [&](const char* key, const char* prop) {
            ok = ini->writeLong(QString::fromLatin1(key), qint32(v.value(QString::fromLatin1(prop)).toLongLong())) && ok;
        };
        ok = ini->writeString(QStringLiteral("DayTitles"), v.value(QStringLiteral("DayTitles")).toString()) && ok;
        ok = ini->writeString(QStringLiteral("MonthNames"), v.value(QStringLiteral("MonthNames")).toString()) && ok;
        num("ScrollBar", "ScrollBar");
        num("DateType", "DateType");
        lng("MaxDate", "MaxDate");
        lng("MinDate", "MinDate");
        num("DayFrame", "DayFrame");
        num("ThreeD", "ThreeD");
        num("FirstDay", "FirstDay");
        num("GetArrows", "GetArrows");
        num("FocusFrame", "FocusFrame");
        for (int i = 0; i < 8; ++i)
            ok = ini->writeLong(QStringLiteral("MarkColor%1").arg(i), qint32(v.value(QStringLiteral("MarkColor%1").arg(i + 1)).toLongLong())) && ok;
        num("BorderStyle", "BorderStyle");
        num("Height", "HdnHeight");
        num("Width", "HdnWidth");
        ok = ini->writeString(QStringLiteral("FontName"), v.value(QStringLiteral("FontName")).toString()) && ok;
        ok = ini->writeFloat(QStringLiteral("FontSize"), v.value(QStringLiteral("FontSize")).toDouble()) && ok;
        num("FontBold", "FontBold");
        num("FontItalic", "FontItalic");
        num("FontUnderline", "FontUnderline");
        num("FontStrikeout", "FontStrikethru");
        lng("BackColor", "BackColor");
        lng("ForeColor", "ForeColor");
        num("MousePointer", "MousePointer");
        lng("LightColor", "LightColor");
        lng("ShadeColor", "ShadeColor");
        lng("BorderColor", "BorderColor");
        lng("DisabledColor", "DisabledColor");
        num("DatePosition", "DatePosition");
        return ok;
    };
    s.resetDefault = []() -> std::optional<QMap<QString, QVariant>> {
        ctl::IniDefaults* ini = ctl::libraryDefaults();
        if (!ini || !ini->deleteSection())
            return std::nullopt;
        QMap<QString, QVariant> d;
        d[QStringLiteral("DayTitles")] = QStringLiteral("S M T W T F S");
        d[QStringLiteral("MonthNames")] = QStringLiteral("January February March April May June July August September October November December");
        d[QStringLiteral("ScrollBar")] = 0;
        d[QStringLiteral("DateType")] = 0;
        d[QStringLiteral("MaxDate")] = vb::kVbMaxSerial;
        d[QStringLiteral("MinDate")] = vb::kVbMinSerial;
        d[QStringLiteral("DayFrame")] = 1;
        d[QStringLiteral("ThreeD")] = 0;
        d[QStringLiteral("FirstDay")] = 1;
        d[QStringLiteral("GetArrows")] = 0;
        d[QStringLiteral("FocusFrame")] = 1;
        for (int i = 1; i <= 8; ++i)
            d[QStringLiteral("MarkColor%1").arg(i)] = 0xFFFFFFu;
        d[QStringLiteral("BorderStyle")] = 1;
        d[QStringLiteral("MousePointer")] = 0;
        d[QStringLiteral("Enabled")] = -1;
        d[QStringLiteral("DatePosition")] = 4;
        d[QStringLiteral("BackColor")] = 0x80000005u;
        d[QStringLiteral("ForeColor")] = 0x80000008u;
        d[QStringLiteral("LightColor")] = 0x80000014u;
        d[QStringLiteral("ShadeColor")] = 0x80000010u;
        d[QStringLiteral("BorderColor")] = 0x80000006u;
        d[QStringLiteral("DisabledColor")] = 0x80000011u;
        return d;
    };
    s.about = [cal](QWidget* parent) {
        ctl::AboutDialog dlg(QStringLiteral("QKCalendar"), parent);
        cal->runModal(&dlg);
    };
    return s;
}

class PropertyPageClass : public com::IPropertyPage {
public:
    PropertyPageClass() { ctl::Module::objectCreated(); }
    int run(com::IControl* object) override
    {
        auto* cal = dynamic_cast<Calendar*>(object);
        if (!cal)
            return 0;
        ctl::PropertyPageDialog dlg(object, pageLayout(cal), cal);
        return cal->runModal(&dlg);
    }
    void release() override { delete this; }

protected:
    ~PropertyPageClass() override { ctl::Module::objectDestroyed(); }
};
} // namespace

void Calendar::showPropertyPage()
{
    ctl::PropertyPageDialog dlg(this, pageLayout(this), this);
    runModal(&dlg);
}

} // namespace qkcal

// ---------------------------------------------------------------- entry points

namespace {
void startLibrary()
{
    if (!ctl::libraryDefaults())
        ctl::setLibraryDefaults(new ctl::IniDefaults(QStringLiteral("RU4DUD.INI"), QStringLiteral("QKCalendar Settings")));
}

QString ownPath()
{
    return com::modulePath(reinterpret_cast<const void*>(&startLibrary));
}
} // namespace

extern "C" __attribute__((visibility("default"))) com::HRESULT DllRegisterServer()
{
    const QString path = ownPath();
    return com::registerControlLibrary(qkcal::classInfo(), path, ctl::helpDirectory(path));
}

extern "C" __attribute__((visibility("default"))) com::HRESULT DllUnregisterServer()
{
    return com::unregisterControlLibrary(qkcal::classInfo());
}

extern "C" __attribute__((visibility("default"))) com::HRESULT DllGetClassObject(const com::Guid* clsid, const com::Guid* iid, void** object)
{
    if (!clsid || !iid || !object)
        return com::E_POINTER;
    *object = nullptr;
    if (*iid != com::IID_IClassFactory)
        return com::E_NOINTERFACE;
    startLibrary();
    const com::ClassInfo& info = qkcal::classInfo();
    if (*clsid == info.clsid) {
        *object = static_cast<com::IClassFactory*>(new ctl::ClassFactory([](const com::Guid& want, void** out) {
            if (want != com::IID_IControl)
                return com::E_NOINTERFACE;
            *out = static_cast<com::IControl*>(new qkcal::Calendar());
            return com::S_OK;
        }));
        return com::S_OK;
    }
    if (*clsid == info.propPage) {
        *object = static_cast<com::IClassFactory*>(new ctl::ClassFactory([](const com::Guid& want, void** out) {
            if (want != com::IID_IPropertyPage)
                return com::E_NOINTERFACE;
            *out = static_cast<com::IPropertyPage*>(new qkcal::PropertyPageClass());
            return com::S_OK;
        }));
        return com::S_OK;
    }
    return com::CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" __attribute__((visibility("default"))) com::HRESULT DllCanUnloadNow()
{
    return ctl::Module::canUnloadNow();
}
