// QKSPIN32: class description, dispatch table, persistence, defaults and the
// library's entry points.

#include "controls/common/inidefaults.h"
#include "controls/common/module.h"
#include "controls/common/propertypage.h"
#include "controls/spin/spin.h"
#include "platform/com/registry.h"

namespace qkspin {

using com::MemberInfo;
using com::VarType;

namespace {

MemberInfo prop(com::DispId id, const char* name, VarType t)
{
    MemberInfo m;
    m.id = id;
    m.name = QString::fromLatin1(name);
    m.type = t;
    return m;
}

std::vector<com::EnumConstant> mousePointerConstants()
{
    const char* names[] = {"QK_DEFAULT", "QK_ARROW", "QK_CROSS", "QK_IBEAM", "QK_ICON", "QK_SIZE",
                           "QK_SIZENESW", "QK_SIZENS", "QK_SIZENWSE", "QK_SIZEEW", "QK_UPARROW",
                           "QK_HOURGLASS", "QK_NODROP", "QK_APPSTARTING", "QK_SIZEALL"};
    const char* docs[] = {"Default", "Arrow", "Cross", "I-Beam", "Icon", "Size", "Size NE SW", "Size N S",
                          "Size NW SE", "Size W E", "Up Arrow", "Hourglass", "No Drop", "Arrow and Hourglass",
                          "Size All"};
    std::vector<com::EnumConstant> out;
    for (int i = 0; i < 15; ++i)
        out.push_back({QString::fromLatin1(names[i]), i, QString::fromLatin1(docs[i]), false});
    out.push_back({QStringLiteral("QK_CUSTOM"), 99, QStringLiteral("Custom"), false});
    for (int i = 0; i < 15; ++i)
        out.push_back({QStringLiteral("_MP_") + QString::fromLatin1(names[i]).mid(3), i, QString::fromLatin1(docs[i]), true});
    out.push_back({QStringLiteral("_MP_CUSTOM"), 15, QStringLiteral("Custom"), true});
    return out;
}

const com::DispatchTable<Spin>& table()
{
    static const com::DispatchTable<Spin> t = [] {
        com::DispatchTable<Spin> t;
        auto i2 = [](const QVariant& v) { return qint16(v.toInt()); };
        auto get = [](auto f) { return [f](Spin& c, const QVariantList&) { return QVariant(f(c)); }; };
        auto simple = [&](com::DispId did, const char* name, VarType type, const char* enumName, auto getter, auto setter) {
            MemberInfo m = prop(did, name, type);
            m.enumName = QString::fromLatin1(enumName);
            t.add({m, get(getter), [setter, i2](Spin& c, const QVariantList&, const QVariant& v) { setter(c, i2(v)); }, {}});
        };

        { MemberInfo m = prop(com::dispid::BackColor, "BackColor", VarType::Color); m.pageName = QStringLiteral("Color");
          t.add({m, get([](Spin& c) { return uint(c.backColorValue()); }),
                 [](Spin& c, const QVariantList&, const QVariant& v) { c.setBackColorValue(v.toUInt()); c.setModified(); c.notifyChanged(com::dispid::BackColor); }, {}}); }
        { MemberInfo m = prop(com::dispid::ForeColor, "ForeColor", VarType::Color); m.pageName = QStringLiteral("Color");
          t.add({m, get([](Spin& c) { return uint(c.foreColorValue()); }),
                 [](Spin& c, const QVariantList&, const QVariant& v) { c.setForeColorValue(v.toUInt()); c.setModified(); c.notifyChanged(com::dispid::ForeColor); }, {}}); }
        t.add({prop(com::dispid::Enabled, "Enabled", VarType::Bool), get([](Spin& c) { return c.isEnabled() ? -1 : 0; }),
               [](Spin& c, const QVariantList&, const QVariant& v) { c.setEnabled(v.toInt() != 0); c.setModified(); c.notifyChanged(com::dispid::Enabled); }, {}});
        { MemberInfo m = prop(com::dispid::HWnd, "hWnd", VarType::I4); m.readOnly = true;
          t.add({m, get([](Spin& c) { return c.testAttribute(Qt::WA_WState_Created) ? qint32(c.winId()) : 0; }), {}, {}}); }

        t.add({prop(id::FontName, "FontName", VarType::String), get([](Spin& c) { return c.fontName(); }),
               [](Spin& c, const QVariantList&, const QVariant& v) { c.setFontName(v.toString()); c.setModified(); c.notifyChanged(id::FontName); }, {}});
        t.add({prop(id::FontSize, "FontSize", VarType::R4), get([](Spin& c) { return c.fontSize(); }),
               [](Spin& c, const QVariantList&, const QVariant& v) { c.setFontSize(v.toDouble()); c.setModified(); c.notifyChanged(id::FontSize); }, {}});
        const std::pair<com::DispId, const char*> flags[] = {{id::FontBold, "FontBold"}, {id::FontItalic, "FontItalic"},
                                                             {id::FontUnderline, "FontUnderline"}, {id::FontStrikethru, "FontStrikethru"}};
        for (int i = 0; i < 4; ++i) {
            const com::DispId did = flags[i].first;
            t.add({prop(did, flags[i].second, VarType::Bool), [i](Spin& c, const QVariantList&) { return QVariant(c.fontFlag(i) ? -1 : 0); },
                   [i, did](Spin& c, const QVariantList&, const QVariant& v) { c.setFontFlag(i, v.toInt() != 0); c.setModified(); c.notifyChanged(did); }, {}});
        }

        simple(id::Value, "Value", VarType::I2, "", [](Spin& c) { return int(c.value()); }, [](Spin& c, qint16 v) { c.setValue(v); });
        simple(id::Max, "Max", VarType::I2, "", [](Spin& c) { return int(c.max()); }, [](Spin& c, qint16 v) { c.setMax(v); });
        simple(id::Min, "Min", VarType::I2, "", [](Spin& c) { return int(c.min()); }, [](Spin& c, qint16 v) { c.setMin(v); });
        simple(id::Increment, "Increment", VarType::I2, "", [](Spin& c) { return int(c.increment()); }, [](Spin& c, qint16 v) { c.setIncrement(v); });
        simple(id::SpinRate, "SpinRate", VarType::I2, "", [](Spin& c) { return int(c.spinRate()); }, [](Spin& c, qint16 v) { c.setSpinRate(v); });
        simple(id::Style, "Style", VarType::I2, "enumStyle", [](Spin& c) { return int(c.style()); }, [](Spin& c, qint16 v) { c.setStyle(v); });
        simple(id::ValueDisplay, "ValueDisplay", VarType::I2, "enumDisplayValue", [](Spin& c) { return int(c.valueDisplay()); }, [](Spin& c, qint16 v) { c.setValueDisplay(v); });
        simple(id::Alignment, "Alignment", VarType::I2, "enumAlign", [](Spin& c) { return int(c.alignment()); }, [](Spin& c, qint16 v) { c.setAlignment(v); });
        simple(id::ButtonWidth, "ButtonWidth", VarType::I2, "", [](Spin& c) { return int(c.buttonWidth()); }, [](Spin& c, qint16 v) { c.setButtonWidth(v); });
        simple(id::GetArrows, "GetArrows", VarType::Bool, "", [](Spin& c) { return int(c.getArrows()); }, [](Spin& c, qint16 v) { c.setGetArrows(v); });
        const std::pair<com::DispId, const char*> colors[] = {{id::FillColor, "FillColor"}, {id::LightColor, "LightColor"},
                                                              {id::ShadeColor, "ShadeColor"}, {id::ArrowColor, "ArrowColor"},
                                                              {id::BorderColor, "BorderColor"}};
        for (auto [did, name] : colors) {
            MemberInfo m = prop(did, name, VarType::Color);
            m.pageName = QStringLiteral("Color");
            const com::DispId d = did;
            t.add({m, [d](Spin& c, const QVariantList&) { return QVariant(uint(c.colorProperty(d))); },
                   [d](Spin& c, const QVariantList&, const QVariant& v) { c.setColorProperty(d, v.toUInt()); }, {}});
        }
        { MemberInfo m = prop(id::MousePointer, "MousePointer", VarType::I2); m.enumName = QStringLiteral("enumMP");
          t.add({m, get([](Spin& c) { return int(c.mousePointerValue()); }),
                 [i2](Spin& c, const QVariantList&, const QVariant& v) {
                     const qint16 p = i2(v);
                     if (!((p >= 0 && p <= 15) || p == 99))
                         com::throwInvalidValue(QStringLiteral("MousePointer must be from 0 to 14, or 99."));
                     c.setMousePointerValue(p);
                     c.setModified();
                     c.notifyChanged(id::MousePointer);
                 }, {}}); }
        { MemberInfo m = prop(id::MouseIcon, "MouseIcon", VarType::Picture); m.pageName = QStringLiteral("Picture");
          t.add({m, [](Spin& c, const QVariantList&) { return c.mouseIcon().toVariant(); },
                 [](Spin& c, const QVariantList&, const QVariant& v) {
                     const auto pic = com::Picture::fromVariant(v);
                     if (!pic || (pic->type != com::PicNone && pic->type != com::PicIcon))
                         com::throwInvalidPicture(QStringLiteral("The MouseIcon property must be an icon"));
                     c.setMouseIcon(*pic);
                     c.setModified();
                     c.notifyChanged(id::MouseIcon);
                 }, {}}); }
        { MemberInfo m = prop(id::HdnHeight, "HdnHeight", VarType::I4); m.readOnly = true;
          t.add({m, get([](Spin& c) { return c.height(); }), {}, {}}); }
        { MemberInfo m = prop(id::HdnWidth, "HdnWidth", VarType::I4); m.readOnly = true;
          t.add({m, get([](Spin& c) { return c.width(); }), {}, {}}); }
        t.add({prop(id::ToolTip, "ToolTip", VarType::String), get([](Spin& c) { return c.toolTipText(); }),
               [](Spin& c, const QVariantList&, const QVariant& v) { c.setToolTipText(v.toString()); c.setModified(); c.notifyChanged(id::ToolTip); }, {}});
        { MemberInfo m = prop(com::dispid::AboutBox, "AboutBox", VarType::Empty); m.isMethod = true;
          t.add({m, {}, {}, [](Spin& c, QVariantList&) { c.aboutBox(); return QVariant(); }}); }
        return t;
    }();
    return t;
}

} // namespace

const com::ClassInfo& classInfo()
{
    static const com::ClassInfo info = [] {
        com::ClassInfo ci;
        ci.clsid = *com::Guid::parse(QStringLiteral("{EAF26C8F-9586-101B-9306-0020AF234C9D}"));
        ci.dispIid = *com::Guid::parse(QStringLiteral("{EAF26C90-9586-101B-9306-0020AF234C9D}"));
        ci.eventIid = *com::Guid::parse(QStringLiteral("{EAF26C91-9586-101B-9306-0020AF234C9D}"));
        ci.typeLib = *com::Guid::parse(QStringLiteral("{EAF26C92-9586-101B-9306-0020AF234C9D}"));
        ci.propPage = *com::Guid::parse(QStringLiteral("{EAF26C93-9586-101B-9306-0020AF234C9D}"));
        ci.className = QStringLiteral("QKSpin");
        ci.progId = QStringLiteral("QKSPIN.QKSpinCtrl.1");
        ci.typeName = QStringLiteral("Marwelin Spin Control");
        ci.typeLibName = QStringLiteral("QKSpinLib");
        ci.pageClassName = QStringLiteral("CQKSpinPropPage");
        ci.pageProgId = QStringLiteral("QKSPIN.QKSpinPropPage.1");
        ci.pageTypeName = QStringLiteral("Marwelin Spin Property Page");
        ci.members = table().infos();
        MemberInfo def = *ci.member(id::Value);
        def.id = com::dispid::Value;
        def.name = QStringLiteral("_Default");
        ci.members.push_back(def);
        auto key = std::vector<com::ParamInfo>{{QStringLiteral("KeyCode"), VarType::I2, true}, {QStringLiteral("Shift"), VarType::I2}};
        ci.events = {{id::Change, QStringLiteral("Change"), {}},
                     {id::ChangeSpin, QStringLiteral("ChangeSpin"), {}},
                     {id::SpinUp, QStringLiteral("SpinUp"), {}},
                     {id::SpinDown, QStringLiteral("SpinDown"), {}},
                     {com::dispid::KeyDown, QStringLiteral("KeyDown"), key},
                     {com::dispid::KeyPress, QStringLiteral("KeyPress"), {{QStringLiteral("KeyAscii"), VarType::I2, true}}},
                     {com::dispid::KeyUp, QStringLiteral("KeyUp"), key}};
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
            {QStringLiteral("enumMP"), mousePointerConstants()},
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
    return table().invoke(*this, did, kind, args, result, exc, userMode(), QStringLiteral("QKSPIN.QKSpinCtrl.1"));
}

void Spin::initNew()
{
    if (ctl::IniDefaults* ini = ctl::libraryDefaults()) {
        auto i16 = [&](const char* key, int def) { return qint16(ini->readInt(QString::fromLatin1(key), def)); };
        getArrows_ = i16("GetArrows", 0);
        setMousePointerValue(i16("MousePointer", 0));
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
        setBackColorValue(quint32(ini->readLong(QStringLiteral("BackColor"), qint32(0x80000005))));
        setForeColorValue(quint32(ini->readLong(QStringLiteral("ForeColor"), qint32(0x80000008))));
        QString font;
        setFontName(ini->readString(QStringLiteral("FontName"), font) ? font : QStringLiteral("MS Sans Serif"));
        const double size = ini->readFloat(QStringLiteral("FontSize"), 8.0);
        setFontSize(size > 0 ? size : 8.0);
        const char* flags[4] = {"FontBold", "FontItalic", "FontUnderline", "FontStrikethru"};
        for (int i = 0; i < 4; ++i)
            setFontFlag(i, ini->readInt(QString::fromLatin1(flags[i]), 0) != 0);
        const int h = ini->readInt(QStringLiteral("Height"), 0), w = ini->readInt(QStringLiteral("Width"), 0);
        if (h > 0 && w > 0)
            resize(w, h);
    }
    // Values that would break the control are put back to their defaults.
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
    repeatFirstDelay_ = false;
    computeLayout();
    setToolTipText(QStringLiteral("QKSpin"));
    update();
}

com::HRESULT Spin::save(com::PropertyBag& bag)
{
    bag.write(QStringLiteral("_Version"), 0x00040001);
    bag.write(QStringLiteral("_ExtentX"), width());
    bag.write(QStringLiteral("_ExtentY"), height());
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
    auto w = bag.readI4(QStringLiteral("_ExtentX"));
    auto h = bag.readI4(QStringLiteral("_ExtentY"));
    if (w && h && *w > 0 && *h > 0)
        resize(*w, *h);
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
    const qint16 mp = bag.readI2(QStringLiteral("MousePointer")).value_or(0);
    setMousePointerValue(((mp >= 0 && mp <= 15) || mp == 99) ? mp : 0);
    const qint16 ga = bag.readI2(QStringLiteral("GetArrows")).value_or(0);
    getArrows_ = (ga == 0 || ga == 1 || ga == -1) ? ga : 0;
    setMouseIcon(bag.readPicture(QStringLiteral("MouseIcon")));
    // A damaged form must not leave a control that divides by zero or cannot be drawn.
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
    repeat_.stop();
    computeLayout();
    update();
    return com::S_OK;
}

void Spin::aboutBox()
{
    ctl::AboutDialog dlg(QStringLiteral("QKSpin"), this);
    runModal(&dlg);
}

namespace {
ctl::PageLayout pageLayout(Spin* spin)
{
    using F = ctl::PageField;
    auto field = [](const char* p, F::Kind k, const char* e = "", int mn = 0, int mx = 32767) {
        F f;
        f.property = QString::fromLatin1(p);
        f.kind = k;
        f.enumName = QString::fromLatin1(e);
        f.min = mn;
        f.max = mx;
        return f;
    };
    ctl::PageLayout s;
    s.title = QStringLiteral("General");
    s.helpText = QStringLiteral("Customize QK Spin's properties");
    s.fields = {field("Value", F::Number, "", -32768), field("Min", F::Number, "", -32768), field("Max", F::Number, "", -32768),
                field("Increment", F::Number), field("SpinRate", F::Number, "", 1), field("ButtonWidth", F::Number, "", 1),
                field("Style", F::Combo, "enumStyle"), field("ValueDisplay", F::Combo, "enumDisplayValue"),
                field("Alignment", F::Combo, "enumAlign"), field("MousePointer", F::Combo, "enumMP"),
                field("Enabled", F::Check), field("GetArrows", F::Check)};
    for (const char* hidden : {"ArrowColor", "BorderColor", "FillColor", "LightColor", "ShadeColor", "BackColor",
                               "ForeColor", "FontName", "FontSize", "FontBold", "FontItalic", "FontStrikethru",
                               "FontUnderline", "HdnHeight", "HdnWidth"})
        s.fields.push_back(field(hidden, F::Hidden));
    s.saveAsDefault = [](const QMap<QString, QVariant>& v) {
        ctl::IniDefaults* ini = ctl::libraryDefaults();
        if (!ini)
            return true;
        bool ok = true;
        auto num = [&](const char* key, const char* p) { ok = ini->writeInt(QString::fromLatin1(key), v.value(QString::fromLatin1(p)).toInt()) && ok; };
        auto lng = [&](const char* key, const char* p) { ok = ini->writeLong(QString::fromLatin1(key), qint32(v.value(QString::fromLatin1(p)).toLongLong())) && ok; };
        num("Value", "Value");
        num("Maximum", "Max");
        num("Minimum", "Min");
        num("Increment", "Increment");
        num("SpinRate", "SpinRate");
        num("Style", "Style");
        num("ValueDisplay", "ValueDisplay");
        num("Alignment", "Alignment");
        num("ButtonWidth", "ButtonWidth");
        lng("FillColor", "FillColor");
        lng("LightColor", "LightColor");
        lng("ShadeColor", "ShadeColor");
        lng("ArrowColor", "ArrowColor");
        lng("BorderColor", "BorderColor");
        lng("BackColor", "BackColor");
        lng("ForeColor", "ForeColor");
        num("MousePointer", "MousePointer");
        ok = ini->writeString(QStringLiteral("FontName"), v.value(QStringLiteral("FontName")).toString()) && ok;
        ok = ini->writeFloat(QStringLiteral("FontSize"), v.value(QStringLiteral("FontSize")).toDouble()) && ok;
        num("FontBold", "FontBold");
        num("FontItalic", "FontItalic");
        num("FontUnderline", "FontUnderline");
        num("FontStrikethru", "FontStrikethru");
        num("Height", "HdnHeight");
        num("Width", "HdnWidth");
        num("GetArrows", "GetArrows");
        return ok;
    };
    s.resetDefault = []() -> std::optional<QMap<QString, QVariant>> {
        ctl::IniDefaults* ini = ctl::libraryDefaults();
        if (!ini || !ini->deleteSection())
            return std::nullopt;
        QMap<QString, QVariant> d;
        d[QStringLiteral("Value")] = 0;
        d[QStringLiteral("Max")] = 100;
        d[QStringLiteral("Min")] = 0;
        d[QStringLiteral("Increment")] = 1;
        d[QStringLiteral("SpinRate")] = 10;
        d[QStringLiteral("Style")] = 2;
        d[QStringLiteral("ValueDisplay")] = 0;
        d[QStringLiteral("Alignment")] = 2;
        d[QStringLiteral("ButtonWidth")] = 300;
        d[QStringLiteral("FillColor")] = 0x8000000Fu;
        d[QStringLiteral("LightColor")] = 0x80000014u;
        d[QStringLiteral("ShadeColor")] = 0x80000010u;
        d[QStringLiteral("ArrowColor")] = 0x80000012u;
        d[QStringLiteral("BorderColor")] = 0x80000006u;
        d[QStringLiteral("BackColor")] = 0x80000005u;
        d[QStringLiteral("ForeColor")] = 0x80000008u;
        d[QStringLiteral("MousePointer")] = 0;
        d[QStringLiteral("GetArrows")] = 0;
        d[QStringLiteral("Enabled")] = -1;
        return d;
    };
    s.about = [spin](QWidget* parent) {
        ctl::AboutDialog dlg(QStringLiteral("QKSpin"), parent);
        spin->runModal(&dlg);
    };
    return s;
}

class PropertyPageClass : public com::IPropertyPage {
public:
    PropertyPageClass() { ctl::Module::objectCreated(); }
    int run(com::IControl* object) override
    {
        auto* spin = dynamic_cast<Spin*>(object);
        if (!spin)
            return 0;
        ctl::PropertyPageDialog dlg(object, pageLayout(spin), spin);
        return spin->runModal(&dlg);
    }
    void release() override { delete this; }

protected:
    ~PropertyPageClass() override { ctl::Module::objectDestroyed(); }
};
} // namespace

void Spin::showPropertyPage()
{
    ctl::PropertyPageDialog dlg(this, pageLayout(this), this);
    runModal(&dlg);
}

} // namespace qkspin

namespace {
void startLibrary()
{
    if (!ctl::libraryDefaults())
        ctl::setLibraryDefaults(new ctl::IniDefaults(QStringLiteral("RU4DUD.INI"), QStringLiteral("QKSpin Settings")));
}
} // namespace

extern "C" __attribute__((visibility("default"))) com::HRESULT DllRegisterServer()
{
    const QString path = com::modulePath(reinterpret_cast<const void*>(&startLibrary));
    return com::registerControlLibrary(qkspin::classInfo(), path, ctl::helpDirectory(path));
}

extern "C" __attribute__((visibility("default"))) com::HRESULT DllUnregisterServer()
{
    return com::unregisterControlLibrary(qkspin::classInfo());
}

extern "C" __attribute__((visibility("default"))) com::HRESULT DllGetClassObject(const com::Guid* clsid, const com::Guid* iid, void** object)
{
    if (!clsid || !iid || !object)
        return com::E_POINTER;
    *object = nullptr;
    if (*iid != com::IID_IClassFactory)
        return com::E_NOINTERFACE;
    startLibrary();
    const com::ClassInfo& info = qkspin::classInfo();
    if (*clsid == info.clsid) {
        *object = static_cast<com::IClassFactory*>(new ctl::ClassFactory([](const com::Guid& want, void** out) {
            if (want != com::IID_IControl)
                return com::E_NOINTERFACE;
            *out = static_cast<com::IControl*>(new qkspin::Spin());
            return com::S_OK;
        }));
        return com::S_OK;
    }
    if (*clsid == info.propPage) {
        *object = static_cast<com::IClassFactory*>(new ctl::ClassFactory([](const com::Guid& want, void** out) {
            if (want != com::IID_IPropertyPage)
                return com::E_NOINTERFACE;
            *out = static_cast<com::IPropertyPage*>(new qkspin::PropertyPageClass());
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
