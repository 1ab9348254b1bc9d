#pragma once
// Late-bound calls by dispatch id. Each class describes its members once in a
// table (DispatchTable): the same table answers Invoke, name look-ups, the
// property pages and the enumeration lists of the type library.

#include "platform/com/guid.h"
#include "platform/com/result.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <optional>
#include <vector>

namespace com {

using DispId = std::int32_t;

enum class InvokeKind { Get, Put, Method };

// Standard dispatch ids of the control framework.
namespace dispid {
constexpr DispId Value = 0;
constexpr DispId BackColor = -501;
constexpr DispId BorderStyle = -504;
constexpr DispId Font = -512;
constexpr DispId ForeColor = -513;
constexpr DispId Enabled = -514;
constexpr DispId HWnd = -515;
constexpr DispId AboutBox = -552;
constexpr DispId Click = -600;
constexpr DispId DblClick = -601;
constexpr DispId KeyDown = -602;
constexpr DispId KeyPress = -603;
constexpr DispId KeyUp = -604;
constexpr DispId MouseDown = -605;
constexpr DispId MouseMove = -606;
constexpr DispId MouseUp = -607;
} // namespace dispid

// Font crosses a call as a QVariant holding a QFont (the stock font object).
enum class VarType { Empty, Bool, I2, I4, R4, R8, Date, String, Color, Picture, Font };

// A picture as it crosses a dispatch call: a map with "type" (PictureType)
// and "image" (QImage) plus the hot spot of an icon. An invalid or empty
// variant is "no picture".
enum PictureType : int { PicNone = 0, PicBitmap = 1, PicMetafile = 2, PicIcon = 3, PicEnhMetafile = 4 };
struct Picture {
    int type = PicNone;
    QImage image;
    QPoint hotSpot;

    bool isNone() const { return type == PicNone; }
    QVariant toVariant() const;
    // nullopt when the variant is neither empty nor a picture map.
    static std::optional<Picture> fromVariant(const QVariant& v);
    // Stored form: 4-byte little-endian type, hot spot, then PNG data.
    QByteArray toBytes() const;
    static std::optional<Picture> fromBytes(const QByteArray& bytes);
};

struct ParamInfo {
    QString name;
    VarType type = VarType::I2;
    bool byRef = false;
};

struct MemberInfo {
    DispId id = 0;
    QString name;
    bool isMethod = false;
    VarType type = VarType::Empty;       // property type or method result
    std::vector<ParamInfo> params;       // indices of a property, arguments of a method
    bool readOnly = false;
    bool runtimeOnly = false;
    QString enumName;                    // enumeration of the type library, if any
    QString pageName;                    // standard page: "Color", "Picture", "Font"
};

struct EventInfo {
    DispId id = 0;
    QString name;
    std::vector<ParamInfo> params;
};

struct EnumConstant {
    QString name;
    int value = 0;
    QString doc;
    bool hidden = false;
};

struct EnumInfo {
    QString name;
    std::vector<EnumConstant> constants;
};

// Everything a host or a registration tool learns about one control class.
struct ClassInfo {
    Guid clsid, dispIid, eventIid, typeLib, propPage;
    QString className, progId, typeName;
    QString typeLibName, pageClassName, pageProgId, pageTypeName;
    std::vector<MemberInfo> members;
    std::vector<EventInfo> events;
    std::vector<EnumInfo> enums;

    const MemberInfo* member(DispId id) const;
    const MemberInfo* member(const QString& name) const;   // letter case ignored
    const EventInfo* event(DispId id) const;
    const EnumInfo* enumeration(const QString& name) const;
};

struct ExcepInfo {
    HRESULT scode = S_OK;
    QString source;
    QString description;
    QString helpFile;
    quint32 helpContext = 0;
};

// Thrown inside a control to refuse a call; Invoke turns it into
// DISP_E_EXCEPTION with the ExcepInfo filled in.
struct DispatchException {
    HRESULT scode;
    QString description;
    quint32 helpContext = 0;
};

[[noreturn]] void throwInvalidValue(const QString& text, quint32 helpContext = 0);
[[noreturn]] void throwInvalidPicture(const QString& text, quint32 helpContext = 0);

// Value conversions of a late-bound call (the automation rules): numbers
// round half to even, out of range is DISP_E_OVERFLOW, text that is no
// number DISP_E_TYPEMISMATCH. Throw DispatchException.
qint16 toI2(const QVariant& v);
qint32 toI4(const QVariant& v);
double toR8(const QVariant& v);
quint32 toColor(const QVariant& v);
QVariant coerce(const QVariant& v, VarType t);

// One row of a class's table: the description plus the code behind it.
template <class T>
struct Member {
    MemberInfo info;
    std::function<QVariant(T&, const QVariantList& index)> get;
    std::function<void(T&, const QVariantList& index, const QVariant& value)> put;
    std::function<QVariant(T&, QVariantList& args)> call;
};

template <class T>
class DispatchTable {
public:
    void add(Member<T> m) { rows_.push_back(std::move(m)); }
    const std::vector<Member<T>>& rows() const { return rows_; }

    std::vector<MemberInfo> infos() const
    {
        std::vector<MemberInfo> out;
        for (const auto& r : rows_)
            out.push_back(r.info);
        return out;
    }

    // Runs one call. `userMode` false = design time, where run-time-only
    // members refuse.
    HRESULT invoke(T& obj, DispId id, InvokeKind kind, QVariantList& args, QVariant* result,
                   ExcepInfo* exc, bool userMode, const QString& source) const
    {
        const Member<T>* row = nullptr;
        for (const auto& r : rows_)
            if (r.info.id == id)
                row = &r;
        if (!row)
            return DISP_E_MEMBERNOTFOUND;
        try {
            const MemberInfo& mi = row->info;
            if (mi.isMethod) {
                if (kind == InvokeKind::Put)
                    return DISP_E_MEMBERNOTFOUND;
                if (args.size() != qsizetype(mi.params.size()))
                    return DISP_E_BADPARAMCOUNT;
                for (size_t i = 0; i < mi.params.size(); ++i)
                    args[qsizetype(i)] = coerce(args[qsizetype(i)], mi.params[i].type);
                QVariant r = row->call(obj, args);
                if (result)
                    *result = r;
                return S_OK;
            }
            const size_t nIndex = mi.params.size();
            if (kind == InvokeKind::Put) {
                if (args.size() != qsizetype(nIndex + 1))
                    return DISP_E_BADPARAMCOUNT;
                if (mi.readOnly || !row->put)
                    throw DispatchException{CTL_E_SETNOTSUPPORTED, QStringLiteral("Set not supported")};
                if (mi.runtimeOnly && !userMode)
                    throw DispatchException{CTL_E_SETNOTSUPPORTED, QStringLiteral("Set not supported at design time")};
                QVariantList index;
                for (size_t i = 0; i < nIndex; ++i)
                    index << coerce(args[qsizetype(i)], mi.params[i].type);
                row->put(obj, index, coerce(args.last(), mi.type));
                return S_OK;
            }
            if (args.size() != qsizetype(nIndex))
                return DISP_E_BADPARAMCOUNT;
            if (!row->get)
                throw DispatchException{CTL_E_GETNOTSUPPORTED, QStringLiteral("Get not supported")};
            if (mi.runtimeOnly && !userMode)
                throw DispatchException{CTL_E_GETNOTSUPPORTED, QStringLiteral("Get not supported at design time")};
            QVariantList index;
            for (size_t i = 0; i < nIndex; ++i)
                index << coerce(args[qsizetype(i)], mi.params[i].type);
            QVariant r = row->get(obj, index);
            if (result)
                *result = r;
            return S_OK;
        } catch (const DispatchException& e) {
            if (exc) {
                exc->scode = e.scode;
                exc->description = e.description;
                exc->source = source;
                exc->helpContext = e.helpContext;
            }
            return DISP_E_EXCEPTION;
        }
    }

private:
    std::vector<Member<T>> rows_;
};

} // namespace com
