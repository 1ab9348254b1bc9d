// QKSPIN32: class description, dispatch table, persistence, defaults and the
// library's entry points.

#include "controls/common/inidefaults.h"
#include "controls/common/library.h"
#include "controls/common/members.h"
#include "controls/spin/spin.h"

namespace qkspin {

using com::VarType;

namespace {

const com::DispatchTable<Spin>& table()
{
    static const com::DispatchTable<Spin> t = [] {
        com::DispatchTable<Spin> t;
        ctl::addStockMembers(t);
        ctl::addFontMembers(t, {id::FontName, id::FontSize, id::FontBold, id::FontItalic, id::FontUnderline, id::FontStrikethru});

        ctl::addShortProperty(t, id::Value, "Value", VarType::I2, "", [](Spin& c) { return int(c.value()); }, [](Spin& c, qint16 v) { c.setValue(v); });
        ctl::addShortProperty(t, id::Max, "Max", VarType::I2, "", [](Spin& c) { return int(c.max()); }, [](Spin& c, qint16 v) { c.setMax(v); });
        ctl::addShortProperty(t, id::Min, "Min", VarType::I2, "", [](Spin& c) { return int(c.min()); }, [](Spin& c, qint16 v) { c.setMin(v); });
        ctl::addShortProperty(t, id::Increment, "Increment", VarType::I2, "", [](Spin& c) { return int(c.increment()); }, [](Spin& c, qint16 v) { c.setIncrement(v); });
        ctl::addShortProperty(t, id::SpinRate, "SpinRate", VarType::I2, "", [](Spin& c) { return int(c.spinRate()); }, [](Spin& c, qint16 v) { c.setSpinRate(v); });
        ctl::addShortProperty(t, id::Style, "Style", VarType::I2, "enumStyle", [](Spin& c) { return int(c.style()); }, [](Spin& c, qint16 v) { c.setStyle(v); });
        ctl::addShortProperty(t, id::ValueDisplay, "ValueDisplay", VarType::I2, "enumDisplayValue", [](Spin& c) { return int(c.valueDisplay()); }, [](Spin& c, qint16 v) { c.setValueDisplay(v); });
        ctl::addShortProperty(t, id::Alignment, "Alignment", VarType::I2, "enumAlign", [](Spin& c) { return int(c.alignment()); }, [](Spin& c, qint16 v) { c.setAlignment(v); });
        ctl::addShortProperty(t, id::ButtonWidth, "ButtonWidth", VarType::I2, "", [](Spin& c) { return int(c.buttonWidth()); }, [](Spin& c, qint16 v) { c.setButtonWidth(v); });
        ctl::addShortProperty(t, id::GetArrows, "GetArrows", VarType::Bool, "", [](Spin& c) { return int(c.getArrows()); }, [](Spin& c, qint16 v) { c.setGetArrows(v); });
        const ctl::NamedIds colors = {{id::FillColor, "FillColor"}, {id::LightColor, "LightColor"},
                                      {id::ShadeColor, "ShadeColor"}, {id::ArrowColor, "ArrowColor"},
                                      {id::BorderColor, "BorderColor"}};
        ctl::addColorMembers(t, colors);
        ctl::addMousePointer(t, id::MousePointer);
        ctl::addMouseIcon(t, id::MouseIcon, "The MouseIcon property must be an icon");
        ctl::addHiddenHeight(t, id::HdnHeight);
        ctl::addHiddenWidth(t, id::HdnWidth);
        ctl::addToolTip(t, id::ToolTip);
        ctl::addAboutBox(t);
        return t;
    }();
    return t;
}

} // namespace

constexpr ctl::LibraryIdentity kIdentity = {
    "{EAF26C8F-9586-101B-9306-0020AF234C9D}", "{EAF26C90-9586-101B-9306-0020AF234C9D}",
    "{EAF26C91-9586-101B-9306-0020AF234C9D}", "{EAF26C92-9586-101B-9306-0020AF234C9D}",
    "{EAF26C93-9586-101B-9306-0020AF234C9D}",
    "QKSpin", "QKSPIN.QKSpinCtrl.1", "Marwelin Spin Control", "QKSpinLib",
    "CQKSpinPropPage", "QKSPIN.QKSpinPropPage.1", "Marwelin Spin Property Page",
    "QKSpin Settings",
};

const com::ClassInfo& classInfo()
{
    static const com::ClassInfo info = [] {
        com::ClassInfo ci = ctl::describeClass(kIdentity, table().infos(), id::Value);
        ci.events = {{id::Change, QStringLiteral("Change"), {}},
                     {id::ChangeSpin, QStringLiteral("ChangeSpin"), {}},
                     {id::SpinUp, QStringLiteral("SpinUp"), {}},
                     {id::SpinDown, QStringLiteral("SpinDown"), {}}};
        for (com::EventInfo& e : ctl::keyEvents())
            ci.events.push_back(std::move(e));
        ci.enums = {
            {QStringLiteral("enumStyle"), {{QStringLiteral("QK_VERT_NORM"), 0, QStringLiteral("Normal Vertical")},
                                           {QStringLiteral("QK_HORZ_NORM"), 1, QStringLiteral("Normal Horizontal")},
                                           {QStringLiteral("QK_VERT_3D"), 2, QStringLiteral("3D Vertical")},
                                           {QStringLiteral("QK_HORZ_3D"), 3, QStringLiteral("3D Horizontal")}}},
            {QStringLiteral("enumDisplayValue"), {{QStringLiteral("QK_NONE"), 0, QStringLiteral("None")},
                                                  {QStringLiteral("QK_AUTO"), 1, QStringLiteral("Auto Sized")},
                                                  {QStringLiteral("QK_MANUAL"), 2, QStringLiteral("Manually Sized")}}},
            {QStringLiteral("enumAlign"), {{QStringLiteral("QK_JLEFT"), 0, QStringLiteral("Left Justify")},
                                           {QStringLiteral("QK_JRIGHT"), 1, QStringLiteral("Right Justify")},
                                           {QStringLiteral("QK_JCENTER"), 2, QStringLiteral("Center")}}},
            {QStringLiteral("enumMP"), ctl::mousePointerConstants()},
        };
        return ci;
    }();
    return info;
}

com::HRESULT Spin::invoke(com::DispId did, com::InvokeKind kind, QVariantList& args, QVariant* result,
                          com::ExcepInfo* exc)
{
    if (did == com::dispid::Value)
        did = id::Value;
    return table().invoke(*this, did, kind, args, result, exc, userMode(), qkspin::classInfo().progId);
}

// A damaged form or defaults file must not leave a control that divides by
// zero or cannot be drawn: such values go back to their defaults.
void Spin::repairValues()
{
    if (spinRate_ <= 0)
        spinRate_ = 10;
    if (increment_ < 0)
        increment_ = 1;
    if (style_ < 0 || style_ > 3)
        style_ = 2;
    if (valueDisplay_ < 0 || valueDisplay_ > 2)
        valueDisplay_ = 0;
    if (alignment_ < 0 || alignment_ > 2)
        alignment_ = 2;
    if (buttonWidth_ <= 0)
        buttonWidth_ = 300;
    direction_ = 0;
    busy_ = false;
}

void Spin::initNew()
{
    if (ctl::IniDefaults* ini = ctl::libraryDefaults()) {
        auto i16 = [&](const char* key, int def) { return qint16(ini->readInt(QString::fromLatin1(key), def)); };
        getArrows_ = i16("GetArrows", 0);
        const qint16 mp = i16("MousePointer", 0);
        setMousePointerValue(ctl::isMousePointer(mp) ? mp : 0);
        value_ = i16("Value", 0);
        max_ = i16("Maximum", 100);
        min_ = i16("Minimum", 0);
        increment_ = i16("Increment", 1);
        spinRate_ = i16("SpinRate", 10);
        style_ = i16("Style", 2);
        valueDisplay_ = i16("ValueDisplay", 0);
        alignment_ = i16("Alignment", 2);
        buttonWidth_ = i16("ButtonWidth", 300);
        fillColor_ = quint32(ini->readLong(QStringLiteral("FillColor"), qint32(0x8000000F)));
        lightColor_ = quint32(ini->readLong(QStringLiteral("LightColor"), qint32(0x80000014)));
        shadeColor_ = quint32(ini->readLong(QStringLiteral("ShadeColor"), qint32(0x80000010)));
        arrowColor_ = quint32(ini->readLong(QStringLiteral("ArrowColor"), qint32(0x80000012)));
        borderColor_ = quint32(ini->readLong(QStringLiteral("BorderColor"), qint32(0x80000006)));
        loadStockDefaults(*ini, QStringLiteral("FontStrikethru"));
        const int h = ini->readInt(QStringLiteral("Height"), 0), w = ini->readInt(QStringLiteral("Width"), 0);
        if (h > 0 && w > 0)
            resize(w, h);
    }
    repairValues();
    repeatFirstDelay_ = false;
    computeLayout();
    setToolTipText(QStringLiteral("QKSpin"));
    update();
}

com::HRESULT Spin::save(com::PropertyBag& bag)
{
    saveStock(bag);
    bag.write(QStringLiteral("ToolTip"), toolTipText());
    bag.write(QStringLiteral("Value"), value_);
    bag.write(QStringLiteral("Max"), max_);
    bag.write(QStringLiteral("Min"), min_);
    bag.write(QStringLiteral("Increment"), increment_);
    bag.write(QStringLiteral("SpinRate"), spinRate_);
    bag.write(QStringLiteral("Style"), style_);
    bag.write(QStringLiteral("ValueDisplay"), valueDisplay_);
    bag.write(QStringLiteral("Alignment"), alignment_);
    bag.write(QStringLiteral("ButtonWidth"), buttonWidth_);
    bag.write(QStringLiteral("FillColor"), qint32(fillColor_));
    bag.write(QStringLiteral("LightColor"), qint32(lightColor_));
    bag.write(QStringLiteral("ShadeColor"), qint32(shadeColor_));
    bag.write(QStringLiteral("ArrowColor"), qint32(arrowColor_));
    bag.write(QStringLiteral("BorderColor"), qint32(borderColor_));
    bag.write(QStringLiteral("MousePointer"), mousePointerValue());
    bag.write(QStringLiteral("GetArrows"), getArrows_);
    bag.write(QStringLiteral("MouseIcon"), mouseIcon().toBytes());
    return com::S_OK;
}

com::HRESULT Spin::load(const com::PropertyBag& bag)
{
    loadStock(bag);
    setToolTipText(bag.readString(QStringLiteral("ToolTip")).value_or(QStringLiteral("QKSpin")));
    auto i16 = [&](const char* name, qint16& target) {
        if (auto v = bag.readI2(QString::fromLatin1(name)))
            target = *v;
    };
    i16("Value", value_);
    i16("Max", max_);
    i16("Min", min_);
    i16("Increment", increment_);
    i16("SpinRate", spinRate_);
    i16("Style", style_);
    i16("ValueDisplay", valueDisplay_);
    i16("Alignment", alignment_);
    i16("ButtonWidth", buttonWidth_);
    auto color = [&](const char* name, quint32& target) {
        if (auto v = bag.readColor(QString::fromLatin1(name)))
            target = *v;
    };
    color("FillColor", fillColor_);
    color("LightColor", lightColor_);
    color("ShadeColor", shadeColor_);
    color("ArrowColor", arrowColor_);
    color("BorderColor", borderColor_);
    loadMouse(bag);
    const qint16 ga = bag.readI2(QStringLiteral("GetArrows")).value_or(0);
    getArrows_ = (ga == 0 || ga == 1 || ga == -1) ? ga : 0;
    repairValues();
    repeat_.stop();
    computeLayout();
    update();
    return com::S_OK;
}

namespace {
ctl::PageLayout pageLayout(Spin* spin)
{
    using F = ctl::PageField;
    using ctl::pageField;
    ctl::PageLayout s;
    s.title = QStringLiteral("General");
    s.helpText = QStringLiteral("Customize QK Spin's properties");
    s.fields = {pageField("Value", F::Number, "", -32768), pageField("Min", F::Number, "", -32768), pageField("Max", F::Number, "", -32768),
                pageField("Increment", F::Number), pageField("SpinRate", F::Number, "", 1), pageField("ButtonWidth", F::Number, "", 1),
                pageField("Style", F::Combo, "enumStyle"), pageField("ValueDisplay", F::Combo, "enumDisplayValue"),
                pageField("Alignment", F::Combo, "enumAlign"), pageField("MousePointer", F::Combo, "enumMP"),
                pageField("Enabled", F::Check), pageField("GetArrows", F::Check)};
    ctl::addHiddenFields(s, {"ArrowColor", "BorderColor", "FillColor", "LightColor", "ShadeColor", "BackColor",
                             "ForeColor", "FontName", "FontSize", "FontBold", "FontItalic", "FontStrikethru",
                             "FontUnderline", "HdnHeight", "HdnWidth"});
    s.saveAsDefault = ctl::defaultsSaver([](ctl::DefaultsWriter& w) {
        w.number(QStringLiteral("Value"));
        w.number(QStringLiteral("Maximum"), QStringLiteral("Max"));
        w.number(QStringLiteral("Minimum"), QStringLiteral("Min"));
        w.numbers({"Increment", "SpinRate", "Style", "ValueDisplay", "Alignment", "ButtonWidth"});
        w.longValues({"FillColor", "LightColor", "ShadeColor", "ArrowColor", "BorderColor", "BackColor", "ForeColor"});
        w.number(QStringLiteral("MousePointer"));
        w.font(QStringLiteral("FontStrikethru"));
        w.number(QStringLiteral("Height"), QStringLiteral("HdnHeight"));
        w.number(QStringLiteral("Width"), QStringLiteral("HdnWidth"));
        w.number(QStringLiteral("GetArrows"));
    });
    s.resetDefault = [] {
        return ctl::resetDefaults({{QStringLiteral("Value"), 0}, {QStringLiteral("Max"), 100}, {QStringLiteral("Min"), 0},
                                   {QStringLiteral("Increment"), 1}, {QStringLiteral("SpinRate"), 10}, {QStringLiteral("Style"), 2},
                                   {QStringLiteral("ValueDisplay"), 0}, {QStringLiteral("Alignment"), 2},
                                   {QStringLiteral("ButtonWidth"), 300}, {QStringLiteral("FillColor"), 0x8000000Fu},
                                   {QStringLiteral("LightColor"), 0x80000014u}, {QStringLiteral("ShadeColor"), 0x80000010u},
                                   {QStringLiteral("ArrowColor"), 0x80000012u}, {QStringLiteral("BorderColor"), 0x80000006u},
                                   {QStringLiteral("GetArrows"), 0}});
    };
    s.about = [spin](QWidget* parent) { spin->aboutBox(parent); };
    return s;
}

using PropertyPageClass = ctl::PropertyPageObject<Spin, pageLayout>;
} // namespace

void Spin::showPropertyPage()
{
    ctl::PropertyPageDialog dlg(this, pageLayout(this), this);
    runModal(&dlg);
}

} // namespace qkspin

namespace {
const ctl::ControlLibrary kLibrary = {
    &qkspin::kIdentity,
    qkspin::classInfo,
    []() -> com::IControl* { return new qkspin::Spin(); },
    []() -> com::IPropertyPage* { return new qkspin::PropertyPageClass(); },
};
} // namespace

CTL_LIBRARY_ENTRY_POINTS(kLibrary)
