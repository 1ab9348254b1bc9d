// QKCAL32: class description, dispatch table, persistence, defaults and the
// library's entry points.

#include "controls/calendar/calendar.h"
#include "controls/common/inidefaults.h"
#include "controls/common/library.h"
#include "controls/common/members.h"
#include "platform/vb/date.h"

#include <QDate>
#include <QScrollBar>
#include <cmath>

namespace qkcal {

using com::MemberInfo;
using com::VarType;

namespace {

MemberInfo prop(com::DispId id, const char* name, VarType t) { return ctl::property(id, name, t); }

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

// Where the day number stands in its cell, 0..9: the property page's choices
// and the type library's descriptions.
const QStringList kDatePositionNames = {
    QStringLiteral("Top Left"), QStringLiteral("Top Center"), QStringLiteral("Top Right"),
    QStringLiteral("Middle Left"), QStringLiteral("Center"), QStringLiteral("Middle Right"),
    QStringLiteral("Bottom Left"), QStringLiteral("Bottom Center"), QStringLiteral("Bottom Right"),
    QStringLiteral("No Display")};

// Constants counted up from `first`, each described by the text of its place.
std::vector<com::EnumConstant> numbered(std::initializer_list<const char*> names, const QStringList& docs, int first)
{
    std::vector<com::EnumConstant> out;
    for (const char* n : names) {
        const int i = int(out.size());
        out.push_back({QString::fromLatin1(n), first + i, docs.value(i), false});
    }
    return out;
}

const com::DispatchTable<Calendar>& table()
{
    static const com::DispatchTable<Calendar> t = [] {
        com::DispatchTable<Calendar> t;
        auto i2 = [](const QVariant& v) { return qint16(v.toInt()); };
        auto get = [](auto f) { return [f](Calendar& c, const QVariantList&) { return QVariant(f(c)); }; };
        auto i2prop = [&t](com::DispId did, const char* name, const char* enumName, auto getter, auto setter) {
            ctl::addShortProperty(t, did, name, VarType::I2, enumName, getter, setter);
        };

        ctl::addStockMembers(t);
        i2prop(com::dispid::BorderStyle, "BorderStyle", "enumBSType", [](Calendar& c) { return int(c.borderStyle()); },
               [](Calendar& c, qint16 v) { c.setBorderStyle(v); });
        ctl::addFontMembers(t, {id::FontName, id::FontSize, id::FontBold, id::FontItalic, id::FontUnderline, id::FontStrikethru});

        // Dates.
        i2prop(id::DateType, "DateType", "enumDTType", [](Calendar& c) { return int(c.dateType()); },
               [](Calendar& c, qint16 v) { c.setDateType(v); });
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
        i2prop(id::Day, "Day", "", [](Calendar& c) { return int(c.day()); }, [](Calendar& c, qint16 v) { c.setDay(v); });
        i2prop(id::Month, "Month", "", [](Calendar& c) { return int(c.month()); }, [](Calendar& c, qint16 v) { c.setMonth(v); });
        i2prop(id::Year, "Year", "", [](Calendar& c) { return int(c.year()); }, [](Calendar& c, qint16 v) { c.setYear(v); });
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
        i2prop(id::ScrollBar, "ScrollBar", "enumSBType", [](Calendar& c) { return int(c.scrollBarValue()); },
               [](Calendar& c, qint16 v) { c.setScrollBar(v); });
        i2prop(id::FirstDay, "FirstDay", "enumDay", [](Calendar& c) { return int(c.firstDay()); },
               [](Calendar& c, qint16 v) { c.setFirstDay(v); });
        t.add({prop(id::DayTitles, "DayTitles", VarType::String), get([](Calendar& c) { return c.dayTitles(); }),
               [](Calendar& c, const QVariantList&, const QVariant& v) { c.setDayTitles(v.toString()); }, {}});
        t.add({prop(id::MonthNames, "MonthNames", VarType::String), get([](Calendar& c) { return c.monthNames(); }),
               [](Calendar& c, const QVariantList&, const QVariant& v) { c.setMonthNames(v.toString()); }, {}});
        ctl::NamedIds colors = {{id::MarkColor1, "MarkColor1"}, {id::MarkColor1 + 1, "MarkColor2"}, {id::MarkColor1 + 2, "MarkColor3"},
                                {id::MarkColor1 + 3, "MarkColor4"}, {id::MarkColor1 + 4, "MarkColor5"}, {id::MarkColor1 + 5, "MarkColor6"},
                                {id::MarkColor1 + 6, "MarkColor7"}, {id::MarkColor1 + 7, "MarkColor8"}, {id::LightColor, "LightColor"},
                                {id::ShadeColor, "ShadeColor"}, {id::BorderColor, "BorderColor"}, {id::DisabledColor, "DisabledColor"}};
        ctl::addColorMembers(t, colors);
        ctl::addMouseIcon(t, id::MouseIcon, "The MouseIcon property must be an Icon");
        ctl::addMousePointer(t, id::MousePointer);
        ctl::addHiddenWidth(t, id::HdnWidth);
        ctl::addHiddenHeight(t, id::HdnHeight);
        i2prop(id::DatePosition, "DatePosition", "enumDatePos", [](Calendar& c) { return int(c.datePosition()); },
               [](Calendar& c, qint16 v) { c.setDatePosition(v); });
        ctl::addToolTip(t, id::ToolTip);
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
        ctl::addAboutBox(t);
        return t;
    }();
    return t;
}

} // namespace

constexpr ctl::LibraryIdentity kIdentity = {
    "{D13D4737-89F3-101B-9306-0020AF234C9D}", "{D13D4738-89F3-101B-9306-0020AF234C9D}",
    "{D13D4739-89F3-101B-9306-0020AF234C9D}", "{D13D473A-89F3-101B-9306-0020AF234C9D}",
    "{D13D473B-89F3-101B-9306-0020AF234C9D}",
    "QKCalendar", "QKCAL.QKCalCtrl.1", "Marwelin Calendar Control", "QKCalLib",
    "CQKCalPropPage", "QKCAL.QKCalPropPage.1", "Marwelin Calendar Property Page",
    "QKCalendar Settings",
};

const com::ClassInfo& classInfo()
{
    static const com::ClassInfo info = [] {
        // The date property is the default one.
        com::ClassInfo ci = ctl::describeClass(kIdentity, table().infos(), id::Date);
        auto mouse = std::vector<com::ParamInfo>{{QStringLiteral("Button"), VarType::I2}, {QStringLiteral("Shift"), VarType::I2},
                                                 {QStringLiteral("X"), VarType::I4}, {QStringLiteral("Y"), VarType::I4}};
        ci.events = {{id::Change, QStringLiteral("Change"), {}},
                     {com::dispid::Click, QStringLiteral("Click"), {}},
                     {com::dispid::DblClick, QStringLiteral("DblClick"), {}}};
        for (com::EventInfo& e : ctl::keyEvents())
            ci.events.push_back(std::move(e));
        ci.events.push_back({com::dispid::MouseDown, QStringLiteral("MouseDown"), mouse});
        ci.events.push_back({com::dispid::MouseMove, QStringLiteral("MouseMove"), mouse});
        ci.events.push_back({com::dispid::MouseUp, QStringLiteral("MouseUp"), mouse});
        ci.enums = {
            {QStringLiteral("enumDTType"), {{QStringLiteral("QK_VB"), 0, QStringLiteral("Visual Basic Serial Date")},
                                            {QStringLiteral("QK_MARWELIN"), 1, QStringLiteral("Marwelin Serial Date")}}},
            {QStringLiteral("enumDay"), {{QStringLiteral("QK_SUNDAY"), 1, QStringLiteral("Sunday")}, {QStringLiteral("QK_MONDAY"), 2, QStringLiteral("Monday")},
                                         {QStringLiteral("QK_TUESDAY"), 3, QStringLiteral("Tuesday")}, {QStringLiteral("QK_WEDNESDAY"), 4, QStringLiteral("Wednesday")},
                                         {QStringLiteral("QK_THURSDAY"), 5, QStringLiteral("Thursday")}, {QStringLiteral("QK_FRIDAY"), 6, QStringLiteral("Friday")},
                                         {QStringLiteral("QK_SATURDAY"), 7, QStringLiteral("Saturday")}}},
            {QStringLiteral("enumSBType"), {{QStringLiteral("QK_NONE"), 0, QStringLiteral("None")}, {QStringLiteral("QK_HORIZONTAL"), 1, QStringLiteral("Horizontal")},
                                            {QStringLiteral("QK_VERTICAL"), 2, QStringLiteral("Vertical")}}},
            {QStringLiteral("enumMP"), ctl::mousePointerConstants()},
            {QStringLiteral("enumBSType"), {{QStringLiteral("QK_NONE"), 0, QStringLiteral("None")}, {QStringLiteral("QK_SINGLE"), 1, QStringLiteral("Fixed Single")}}},
            {QStringLiteral("enumDatePos"), numbered({"QK_TOPLEFT", "QK_TOPMID", "QK_TOPRIGHT", "QK_MIDLEFT", "QK_MIDMID", "QK_MIDRIGHT",
                                                      "QK_BOTLEFT", "QK_BOTMID", "QK_BOTRIGHT", "QK_NODATE"}, kDatePositionNames, 0)},
            {QStringLiteral("enumMonth"), numbered({"QK_JANUARY", "QK_FEBRUARY", "QK_MARCH", "QK_APRIL", "QK_MAY", "QK_JUNE", "QK_JULY",
                                                    "QK_AUGUST", "QK_SEPTEMBER", "QK_OCTOBER", "QK_NOVEMBER", "QK_DECEMBER"},
                                                   QStringLiteral("January February March April May June July August September October November December").split(QLatin1Char(' ')), 1)},
            {QStringLiteral("enumDateLimits"), {{QStringLiteral("qkDateMin"), vb::qkDateMin, QStringLiteral("Lowest Marwelin Serial Date")},
                                                {QStringLiteral("qkDateMax"), vb::qkDateMax, QStringLiteral("Highest Marwelin Serial Date")},
                                                {QStringLiteral("qkVBDateMin"), vb::qkVBDateMin, QStringLiteral("Lowest Visual Basic Serial Date")},
                                                {QStringLiteral("qkVBDateMax"), vb::qkVBDateMax, QStringLiteral("Highest Visual Basic Serial Date")}}},
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
    return table().invoke(*this, did, kind, args, result, exc, userMode(), qkcal::classInfo().progId);
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
        adoptBounds(ini->readLong(QStringLiteral("MinDate"), vb::kVbMinSerial),
                    ini->readLong(QStringLiteral("MaxDate"), vb::kVbMaxSerial));
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
        setMousePointerValue(ctl::isMousePointer(mp) ? mp : 0);
        lightColor_ = quint32(ini->readLong(QStringLiteral("LightColor"), qint32(0x80000014)));
        shadeColor_ = quint32(ini->readLong(QStringLiteral("ShadeColor"), qint32(0x80000010)));
        borderColor_ = quint32(ini->readLong(QStringLiteral("BorderColor"), qint32(0x80000006)));
        disabledColor_ = quint32(ini->readLong(QStringLiteral("DisabledColor"), qint32(0x80000011)));
        for (int i = 0; i < 8; ++i)
            markColor_[size_t(i)] = quint32(ini->readLong(QStringLiteral("MarkColor%1").arg(i), 0xFFFFFF));
        loadStockDefaults(*ini, QStringLiteral("FontStrikeout"));
    }
    marks_.fill(0);
    date_ = clampDate(today());
    countMonths();
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
    loadStock(bag);
    auto inRange = [&](const char* name, qint16 def, int lo, int hi) {
        auto v = bag.readI2(QString::fromLatin1(name));
        return v ? ((*v >= lo && *v <= hi) ? *v : def) : def;
    };
    borderStyle_ = inRange("BorderStyle", 1, 0, 1);
    dateType_ = inRange("DateType", 0, 0, 1);
    datePosition_ = inRange("DatePosition", 4, 0, 9);
    const auto storedDate = bag.readI4(QStringLiteral("Date"));
    adoptBounds(bag.readI4(QStringLiteral("MinDate")).value_or(vb::kVbMinSerial),
                bag.readI4(QStringLiteral("MaxDate")).value_or(vb::kVbMaxSerial));
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
    loadMouse(bag);
    countMonths();
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

namespace {
ctl::PageLayout pageLayout(Calendar* cal)
{
    using F = ctl::PageField;
    using ctl::pageField;
    ctl::PageLayout s;
    s.title = QStringLiteral("General");
    s.helpText = QStringLiteral("Customize QK Calendar's properties");
    s.hasDateType = true;
    s.fields = {pageField("DateType", F::Combo, "enumDTType"), pageField("DayFrame", F::Check), pageField("FocusFrame", F::Check),
                pageField("GetArrows", F::Check), pageField("ThreeD", F::Check), pageField("Enabled", F::Check),
                pageField("DayTitles", F::Text), pageField("MonthNames", F::Text), pageField("ToolTip", F::Text),
                pageField("ScrollBar", F::Combo, "enumSBType"), pageField("MousePointer", F::Combo, "enumMP"),
                pageField("BorderStyle", F::Combo, "enumBSType"), pageField("FirstDay", F::Combo, "enumDay"),
                pageField("Date", F::DateParts), pageField("MinDate", F::DateParts), pageField("MaxDate", F::DateParts)};
    F pos = pageField("DatePosition", F::Radio);
    pos.choices = kDatePositionNames;
    s.fields.push_back(pos);
    ctl::addHiddenFields(s, {"BackColor", "ForeColor", "MarkColor1", "MarkColor2", "MarkColor3", "MarkColor4",
                             "MarkColor5", "MarkColor6", "MarkColor7", "MarkColor8", "BorderColor",
                             "DisabledColor", "LightColor", "ShadeColor", "HdnHeight", "HdnWidth", "FontName",
                             "FontSize", "FontBold", "FontItalic", "FontStrikethru", "FontUnderline"});
    s.saveAsDefault = ctl::defaultsSaver([](ctl::DefaultsWriter& w) {
        w.text(QStringLiteral("DayTitles"));
        w.text(QStringLiteral("MonthNames"));
        w.numbers({"ScrollBar", "DateType"});
        w.longValues({"MaxDate", "MinDate"});
        w.numbers({"DayFrame", "ThreeD", "FirstDay", "GetArrows", "FocusFrame"});
        // The file counts the mark colours from 0, the control from 1.
        for (int i = 0; i < 8; ++i)
            w.longValue(QStringLiteral("MarkColor%1").arg(i), QStringLiteral("MarkColor%1").arg(i + 1));
        w.number(QStringLiteral("BorderStyle"));
        w.number(QStringLiteral("Height"), QStringLiteral("HdnHeight"));
        w.number(QStringLiteral("Width"), QStringLiteral("HdnWidth"));
        w.font(QStringLiteral("FontStrikeout"));
        w.longValues({"BackColor", "ForeColor"});
        w.number(QStringLiteral("MousePointer"));
        w.longValues({"LightColor", "ShadeColor", "BorderColor", "DisabledColor"});
        w.number(QStringLiteral("DatePosition"));
    });
    s.resetDefault = [] {
        QMap<QString, QVariant> d{
            {QStringLiteral("DayTitles"), QStringLiteral("S M T W T F S")},
            {QStringLiteral("MonthNames"), QStringLiteral("January February March April May June July August September October November December")},
            {QStringLiteral("ScrollBar"), 0}, {QStringLiteral("DateType"), 0}, {QStringLiteral("MaxDate"), vb::kVbMaxSerial},
            {QStringLiteral("MinDate"), vb::kVbMinSerial}, {QStringLiteral("DayFrame"), 1}, {QStringLiteral("ThreeD"), 0},
            {QStringLiteral("FirstDay"), 1}, {QStringLiteral("GetArrows"), 0}, {QStringLiteral("FocusFrame"), 1},
            {QStringLiteral("BorderStyle"), 1}, {QStringLiteral("DatePosition"), 4}, {QStringLiteral("LightColor"), 0x80000014u},
            {QStringLiteral("ShadeColor"), 0x80000010u}, {QStringLiteral("BorderColor"), 0x80000006u},
            {QStringLiteral("DisabledColor"), 0x80000011u}};
        for (int i = 1; i <= 8; ++i)
            d[QStringLiteral("MarkColor%1").arg(i)] = 0xFFFFFFu;
        return ctl::resetDefaults(d);
    };
    s.about = [cal](QWidget* parent) { cal->aboutBox(parent); };
    return s;
}

using PropertyPageClass = ctl::PropertyPageObject<Calendar, pageLayout>;
} // namespace

void Calendar::showPropertyPage()
{
    ctl::PropertyPageDialog dlg(this, pageLayout(this), this);
    runModal(&dlg);
}

} // namespace qkcal

// ---------------------------------------------------------------- entry points

namespace {
const ctl::ControlLibrary kLibrary = {
    &qkcal::kIdentity,
    qkcal::classInfo,
    []() -> com::IControl* { return new qkcal::Calendar(); },
    []() -> com::IPropertyPage* { return new qkcal::PropertyPageClass(); },
};
} // namespace

CTL_LIBRARY_ENTRY_POINTS(kLibrary)
