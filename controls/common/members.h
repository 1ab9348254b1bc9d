#pragma once
// Dispatch-table rows both controls carry: the stock properties, the font,
// colours kept by the control, the mouse pointer and icon, the tool tip, the
// read-only size and AboutBox. Each adder appends rows in the order given, so
// a library keeps its own member order.

#include "controls/common/controlbase.h"

#include <utility>
#include <vector>

namespace ctl {

com::MemberInfo property(com::DispId id, const char* name, com::VarType type);

// Refuses a mouse pointer outside 0..15 and 99.
void checkMousePointer(qint16 v);

// The MousePointer enumeration of the type library.
std::vector<com::EnumConstant> mousePointerConstants();

struct FontIds {
    com::DispId name, size, bold, italic, underline, strikethru;
};

using NamedIds = std::vector<std::pair<com::DispId, const char*>>;

template <class T, class F>
auto getter(F f)
{
    return [f](T& c, const QVariantList&) { return QVariant(f(c)); };
}

// A property change from outside: mark the control modified and tell the host.
template <class T>
void touched(T& c, com::DispId id)
{
    c.setModified();
    c.notifyChanged(id);
}

// A 16-bit property (I2 or Bool) read and written through the control's own
// getter and setter; a setter refuses by throwing.
template <class T, class Get, class Set>
void addShortProperty(com::DispatchTable<T>& t, com::DispId id, const char* name, com::VarType type,
                      const char* enumName, Get get, Set set)
{
    com::MemberInfo m = property(id, name, type);
    if (*enumName)
        m.enumName = QString::fromLatin1(enumName);
    t.add({m, getter<T>(get), [set](T& c, const QVariantList&, const QVariant& v) { set(c, qint16(v.toInt())); }, {}});
}

// BackColor, ForeColor, Enabled and hWnd.
template <class T>
void addStockMembers(com::DispatchTable<T>& t)
{
    using com::VarType;
    namespace d = com::dispid;
    com::MemberInfo back = property(d::BackColor, "BackColor", VarType::Color);
    back.pageName = QStringLiteral("Color");
    t.add({back, getter<T>([](T& c) { return uint(c.backColorValue()); }),
           [](T& c, const QVariantList&, const QVariant& v) { c.setBackColorValue(v.toUInt()); touched(c, d::BackColor); }, {}});
    com::MemberInfo fore = property(d::ForeColor, "ForeColor", VarType::Color);
    fore.pageName = QStringLiteral("Color");
    t.add({fore, getter<T>([](T& c) { return uint(c.foreColorValue()); }),
           [](T& c, const QVariantList&, const QVariant& v) { c.setForeColorValue(v.toUInt()); touched(c, d::ForeColor); }, {}});
    t.add({property(d::Enabled, "Enabled", VarType::Bool), getter<T>([](T& c) { return c.isEnabled() ? -1 : 0; }),
           [](T& c, const QVariantList&, const QVariant& v) { c.setEnabled(v.toInt() != 0); touched(c, d::Enabled); }, {}});
    com::MemberInfo hwnd = property(d::HWnd, "hWnd", VarType::I4);
    hwnd.readOnly = true;
    t.add({hwnd, getter<T>([](T& c) { return c.testAttribute(Qt::WA_WState_Created) ? qint32(c.winId()) : 0; }), {}, {}});
}

// FontName, FontSize and the four style flags.
template <class T>
void addFontMembers(com::DispatchTable<T>& t, const FontIds& ids)
{
    using com::VarType;
    const com::DispId name = ids.name, size = ids.size;
    t.add({property(name, "FontName", VarType::String), getter<T>([](T& c) { return c.fontName(); }),
           [name](T& c, const QVariantList&, const QVariant& v) { c.setFontName(v.toString()); touched(c, name); }, {}});
    t.add({property(size, "FontSize", VarType::R4), getter<T>([](T& c) { return c.fontSize(); }),
           [size](T& c, const QVariantList&, const QVariant& v) { c.setFontSize(v.toDouble()); touched(c, size); }, {}});
    const std::pair<com::DispId, const char*> flags[] = {{ids.bold, "FontBold"}, {ids.italic, "FontItalic"},
                                                         {ids.underline, "FontUnderline"}, {ids.strikethru, "FontStrikethru"}};
    for (int i = 0; i < 4; ++i) {
        const com::DispId did = flags[i].first;
        t.add({property(did, flags[i].second, VarType::Bool), [i](T& c, const QVariantList&) { return QVariant(c.fontFlag(i) ? -1 : 0); },
               [i, did](T& c, const QVariantList&, const QVariant& v) { c.setFontFlag(i, v.toInt() != 0); touched(c, did); }, {}});
    }
}

// Colours the control keeps itself (colorProperty / setColorProperty).
template <class T>
void addColorMembers(com::DispatchTable<T>& t, const NamedIds& colors)
{
    for (auto [did, name] : colors) {
        com::MemberInfo m = property(did, name, com::VarType::Color);
        m.pageName = QStringLiteral("Color");
        const com::DispId d = did;
        t.add({m, [d](T& c, const QVariantList&) { return QVariant(uint(c.colorProperty(d))); },
               [d](T& c, const QVariantList&, const QVariant& v) { c.setColorProperty(d, v.toUInt()); }, {}});
    }
}

// MouseIcon takes an icon or nothing; `refusal` is the library's message.
template <class T>
void addMouseIcon(com::DispatchTable<T>& t, com::DispId id, const char* refusal)
{
    com::MemberInfo m = property(id, "MouseIcon", com::VarType::Picture);
    m.pageName = QStringLiteral("Picture");
    t.add({m, [](T& c, const QVariantList&) { return c.mouseIcon().toVariant(); },
           [id, refusal](T& c, const QVariantList&, const QVariant& v) {
               const auto pic = com::Picture::fromVariant(v);
               if (!pic || (pic->type != com::PicNone && pic->type != com::PicIcon))
                   com::throwInvalidPicture(QString::fromLatin1(refusal));
               c.setMouseIcon(*pic);
               touched(c, id);
           }, {}});
}

template <class T>
void addMousePointer(com::DispatchTable<T>& t, com::DispId id)
{
    com::MemberInfo m = property(id, "MousePointer", com::VarType::I2);
    m.enumName = QStringLiteral("enumMP");
    t.add({m, getter<T>([](T& c) { return int(c.mousePointerValue()); }),
           [id](T& c, const QVariantList&, const QVariant& v) {
               const qint16 p = qint16(v.toInt());
               checkMousePointer(p);
               c.setMousePointerValue(p);
               touched(c, id);
           }, {}});
}

// HdnWidth / HdnHeight: the size in pixels, for the defaults.
template <class T>
void addHiddenWidth(com::DispatchTable<T>& t, com::DispId id)
{
    com::MemberInfo m = property(id, "HdnWidth", com::VarType::I4);
    m.readOnly = true;
    t.add({m, getter<T>([](T& c) { return c.width(); }), {}, {}});
}

template <class T>
void addHiddenHeight(com::DispatchTable<T>& t, com::DispId id)
{
    com::MemberInfo m = property(id, "HdnHeight", com::VarType::I4);
    m.readOnly = true;
    t.add({m, getter<T>([](T& c) { return c.height(); }), {}, {}});
}

template <class T>
void addToolTip(com::DispatchTable<T>& t, com::DispId id)
{
    t.add({property(id, "ToolTip", com::VarType::String), getter<T>([](T& c) { return c.toolTipText(); }),
           [id](T& c, const QVariantList&, const QVariant& v) { c.setToolTipText(v.toString()); touched(c, id); }, {}});
}

template <class T>
void addAboutBox(com::DispatchTable<T>& t)
{
    com::MemberInfo m = property(com::dispid::AboutBox, "AboutBox", com::VarType::Empty);
    m.isMethod = true;
    t.add({m, {}, {}, [](T& c, QVariantList&) { c.aboutBox(); return QVariant(); }});
}

} // namespace ctl
