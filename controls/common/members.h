#pragma once
// Dispatch-table rows both controls carry: the stock properties, the font,
// colours kept by the control, the mouse pointer and icon, the tool tip, the
// read-only size and AboutBox. Each adder appends rows in the order given, so
// a library keeps its own member order.

#include "controls/common/controlbase.h"

#include <utility>
#include <vector>

namespace ctl {

com::MemberInfo property(com::DispId id, const char* name, com::VarType type, const char* pageName = "");
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

// A property the control takes as it is; the host learns of the change.
template <class T, class Get, class Set>
void addPlain(com::DispatchTable<T>& t, const com::MemberInfo& m, Get get, Set set)
{
    const com::DispId id = m.id;
    t.add({m, getter<T>(get), [id, set](T& c, const QVariantList&, const QVariant& v) { set(c, v); c.changed(id); }, {}});
}

template <class T>
void addReadOnly(com::DispatchTable<T>& t, com::MemberInfo m, std::function<QVariant(T&)> get)
{
    m.readOnly = true;
    t.add({m, getter<T>(get), {}, {}});
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

// BackColor, ForeColor, Font, Enabled and hWnd.
template <class T>
void addStockMembers(com::DispatchTable<T>& t)
{
    using com::VarType;
    namespace d = com::dispid;
    addPlain(t, property(d::BackColor, "BackColor", VarType::Color, "Color"), [](T& c) { return uint(c.backColorValue()); },
             [](T& c, const QVariant& v) { c.setBackColorValue(v.toUInt()); });
    addPlain(t, property(d::ForeColor, "ForeColor", VarType::Color, "Color"), [](T& c) { return uint(c.foreColorValue()); },
             [](T& c, const QVariant& v) { c.setForeColorValue(v.toUInt()); });
    // The stock font object: name, size and the four styles in one value.
    addPlain(t, property(d::Font, "Font", VarType::Font, "Font"), [](T& c) { return c.stockFont(); },
             [](T& c, const QVariant& v) { c.setStockFont(v.value<QFont>()); });
    addPlain(t, property(d::Enabled, "Enabled", VarType::Bool), [](T& c) { return c.isEnabled() ? -1 : 0; },
             [](T& c, const QVariant& v) { c.setEnabled(v.toInt() != 0); });
    addReadOnly<T>(t, property(d::HWnd, "hWnd", VarType::I4),
                   [](T& c) { return c.testAttribute(Qt::WA_WState_Created) ? qint32(c.winId()) : 0; });
}

// FontName, FontSize and the four style flags.
template <class T>
void addFontMembers(com::DispatchTable<T>& t, const FontIds& ids)
{
    using com::VarType;
    addPlain(t, property(ids.name, "FontName", VarType::String), [](T& c) { return c.fontName(); },
             [](T& c, const QVariant& v) { c.setFontName(v.toString()); });
    addPlain(t, property(ids.size, "FontSize", VarType::R4), [](T& c) { return c.fontSize(); },
             [](T& c, const QVariant& v) { c.setFontSize(v.toDouble()); });
    const NamedIds flags = {{ids.bold, "FontBold"}, {ids.italic, "FontItalic"}, {ids.underline, "FontUnderline"},
                            {ids.strikethru, "FontStrikethru"}};
    for (int i = 0; i < 4; ++i)
        addPlain(t, property(flags[size_t(i)].first, flags[size_t(i)].second, VarType::Bool),
                 [i](T& c) { return c.fontFlag(i) ? -1 : 0; }, [i](T& c, const QVariant& v) { c.setFontFlag(i, v.toInt() != 0); });
}

// Colours the control keeps itself (colorProperty / setColorProperty).
template <class T>
void addColorMembers(com::DispatchTable<T>& t, const NamedIds& colors)
{
    for (auto [id, name] : colors) {
        const com::DispId d = id;
        t.add({property(d, name, com::VarType::Color, "Color"), getter<T>([d](T& c) { return uint(c.colorProperty(d)); }),
               [d](T& c, const QVariantList&, const QVariant& v) { c.setColorProperty(d, v.toUInt()); }, {}});
    }
}

// MouseIcon takes an icon or nothing; `refusal` is the library's message.
template <class T>
void addMouseIcon(com::DispatchTable<T>& t, com::DispId id, const char* refusal)
{
    t.add({property(id, "MouseIcon", com::VarType::Picture, "Picture"), [](T& c, const QVariantList&) { return c.mouseIcon().toVariant(); },
           [id, refusal](T& c, const QVariantList&, const QVariant& v) {
               const auto pic = com::Picture::fromVariant(v);
               if (!pic || (pic->type != com::PicNone && pic->type != com::PicIcon))
                   com::throwInvalidPicture(QString::fromLatin1(refusal));
               c.setMouseIcon(*pic);
               c.changed(id);
           }, {}});
}

template <class T>
void addMousePointer(com::DispatchTable<T>& t, com::DispId id)
{
    com::MemberInfo m = property(id, "MousePointer", com::VarType::I2);
    m.enumName = QStringLiteral("enumMP");
    addPlain(t, m, [](T& c) { return int(c.mousePointerValue()); }, [](T& c, const QVariant& v) {
        checkMousePointer(qint16(v.toInt()));
        c.setMousePointerValue(qint16(v.toInt()));
    });
}

// HdnWidth / HdnHeight: the size in pixels, for the defaults.
template <class T>
void addHiddenWidth(com::DispatchTable<T>& t, com::DispId id)
{
    addReadOnly<T>(t, property(id, "HdnWidth", com::VarType::I4), [](T& c) { return c.width(); });
}

template <class T>
void addHiddenHeight(com::DispatchTable<T>& t, com::DispId id)
{
    addReadOnly<T>(t, property(id, "HdnHeight", com::VarType::I4), [](T& c) { return c.height(); });
}

template <class T>
void addToolTip(com::DispatchTable<T>& t, com::DispId id)
{
    addPlain(t, property(id, "ToolTip", com::VarType::String), [](T& c) { return c.toolTipText(); },
             [](T& c, const QVariant& v) { c.setToolTipText(v.toString()); });
}

template <class T>
void addAboutBox(com::DispatchTable<T>& t)
{
    com::MemberInfo m = property(com::dispid::AboutBox, "AboutBox", com::VarType::Empty);
    m.isMethod = true;
    t.add({m, {}, {}, [](T& c, QVariantList&) { c.aboutBox(); return QVariant(); }});
}

} // namespace ctl
