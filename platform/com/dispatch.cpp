#include "platform/com/dispatch.h"

#include <QFont>

#include <QBuffer>
#include <QtEndian>
#include <cmath>

namespace com {

const MemberInfo* ClassInfo::member(DispId id) const
{
    for (const auto& m : members)
        if (m.id == id)
            return &m;
    return nullptr;
}

const MemberInfo* ClassInfo::member(const QString& name) const
{
    for (const auto& m : members)
        if (m.name.compare(name, Qt::CaseInsensitive) == 0)
            return &m;
    return nullptr;
}

const EventInfo* ClassInfo::event(DispId id) const
{
    for (const auto& e : events)
        if (e.id == id)
            return &e;
    return nullptr;
}

const EnumInfo* ClassInfo::enumeration(const QString& name) const
{
    for (const auto& e : enums)
        if (e.name == name)
            return &e;
    return nullptr;
}

void throwInvalidValue(const QString& text, quint32 helpContext)
{
    throw DispatchException{CTL_E_INVALIDPROPERTYVALUE, text, helpContext};
}

void throwInvalidPicture(const QString& text, quint32 helpContext)
{
    throw DispatchException{CTL_E_INVALIDPICTURE, text, helpContext};
}

QVariant Picture::toVariant() const
{
    if (type == PicNone)
        return QVariant();
    QVariantMap m;
    m.insert(QStringLiteral("type"), type);
    m.insert(QStringLiteral("image"), image);
    m.insert(QStringLiteral("hotX"), hotSpot.x());
    m.insert(QStringLiteral("hotY"), hotSpot.y());
    return m;
}

std::optional<Picture> Picture::fromVariant(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return Picture{};
    if (v.typeId() == QMetaType::QImage) {
        Picture p;
        p.type = PicBitmap;
        p.image = v.value<QImage>();
        return p;
    }
    if (v.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap m = v.toMap();
    if (!m.contains(QStringLiteral("type")))
        return std::nullopt;
    Picture p;
    p.type = m.value(QStringLiteral("type")).toInt();
    p.image = m.value(QStringLiteral("image")).value<QImage>();
    p.hotSpot = QPoint(m.value(QStringLiteral("hotX")).toInt(), m.value(QStringLiteral("hotY")).toInt());
    return p;
}

QByteArray Picture::toBytes() const
{
    QByteArray out(12, '\0');
    qToLittleEndian<qint32>(type, out.data());
    qToLittleEndian<qint32>(hotSpot.x(), out.data() + 4);
    qToLittleEndian<qint32>(hotSpot.y(), out.data() + 8);
    if (type != PicNone && !image.isNull()) {
        QBuffer buf;
        buf.open(QIODevice::WriteOnly);
        image.save(&buf, "PNG");
        out += buf.data();
    }
    return out;
}

std::optional<Picture> Picture::fromBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return Picture{};
    if (bytes.size() < 12)
        return std::nullopt;
    Picture p;
    p.type = qFromLittleEndian<qint32>(bytes.constData());
    p.hotSpot = QPoint(qFromLittleEndian<qint32>(bytes.constData() + 4),
                       qFromLittleEndian<qint32>(bytes.constData() + 8));
    if (p.type < PicNone || p.type > PicEnhMetafile)
        return std::nullopt;
    if (p.type != PicNone && bytes.size() > 12) {
        if (!p.image.loadFromData(bytes.mid(12), "PNG"))
            return std::nullopt;
    }
    return p;
}

namespace {

[[noreturn]] void mismatch() { throw DispatchException{DISP_E_TYPEMISMATCH, QStringLiteral("Type mismatch")}; }
[[noreturn]] void overflow() { throw DispatchException{DISP_E_OVERFLOW, QStringLiteral("Overflow")}; }

double numberOf(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? -1.0 : 0.0;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Double:
    case QMetaType::Float:
        return v.toDouble();
    case QMetaType::QString: {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        if (!ok)
            mismatch();
        return d;
    }
    default:
        if (!v.isValid())
            return 0.0;
        mismatch();
    }
}

// Integer conversion of the runtime: round half to even.
double roundEven(double d)
{
    return std::nearbyint(d);   // default rounding mode is to nearest, ties to even
}

} // namespace

qint16 toI2(const QVariant& v)
{
    const double d = roundEven(numberOf(v));
    if (!(d >= -32768.0 && d <= 32767.0))
        overflow();
    return static_cast<qint16>(d);
}

qint32 toI4(const QVariant& v)
{
    const double d = roundEven(numberOf(v));
    if (!(d >= -2147483648.0 && d <= 2147483647.0))
        overflow();
    return static_cast<qint32>(d);
}

double toR8(const QVariant& v)
{
    const double d = numberOf(v);
    if (!std::isfinite(d))
        overflow();
    return d;
}

quint32 toColor(const QVariant& v)
{
    const double d = roundEven(numberOf(v));
    if (!(d >= -2147483648.0 && d <= 4294967295.0))
        overflow();
    return static_cast<quint32>(static_cast<qint64>(d));
}

QVariant coerce(const QVariant& v, VarType t)
{
    switch (t) {
    case VarType::Empty:
        return v;
    case VarType::Bool:
    case VarType::I2:
        return QVariant(int(toI2(v)));
    case VarType::I4:
        return QVariant(int(toI4(v)));
    case VarType::R4:
    case VarType::R8:
    case VarType::Date:
        return QVariant(toR8(v));
    case VarType::String:
        if (v.typeId() == QMetaType::QVariantMap || v.typeId() == QMetaType::QImage)
            mismatch();
        return QVariant(v.toString());
    case VarType::Color:
        return QVariant(uint(toColor(v)));
    case VarType::Picture:
        if (!Picture::fromVariant(v))
            mismatch();
        return v;
    case VarType::Font:
        if (v.typeId() != QMetaType::QFont)
            mismatch();
        return v;
    }
    return v;
}

} // namespace com
