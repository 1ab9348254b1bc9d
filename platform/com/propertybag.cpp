#include "platform/com/propertybag.h"

#include "platform/com/profile.h"

namespace com {

void PropertyBag::write(const QString& name, const QVariant& value)
{
    for (auto& [n, v] : items_)
        if (n.compare(name, Qt::CaseInsensitive) == 0) {
            v = value;
            return;
        }
    items_.emplace_back(name, value);
}

std::optional<QVariant> PropertyBag::read(const QString& name) const
{
    for (const auto& [n, v] : items_)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return v;
    return std::nullopt;
}

template <class F>
static auto tryConvert(const std::optional<QVariant>& v, F f) -> std::optional<decltype(f(QVariant()))>
{
    if (!v)
        return std::nullopt;
    try {
        return f(*v);
    } catch (const DispatchException&) {
        return std::nullopt;
    }
}

std::optional<qint16> PropertyBag::readI2(const QString& name) const { return tryConvert(read(name), toI2); }
std::optional<qint32> PropertyBag::readI4(const QString& name) const { return tryConvert(read(name), toI4); }
std::optional<double> PropertyBag::readR8(const QString& name) const { return tryConvert(read(name), toR8); }
std::optional<quint32> PropertyBag::readColor(const QString& name) const { return tryConvert(read(name), toColor); }

std::optional<QString> PropertyBag::readString(const QString& name) const
{
    const auto v = read(name);
    if (!v || v->typeId() == QMetaType::QVariantMap)
        return std::nullopt;
    return v->toString();
}

Picture PropertyBag::readPicture(const QString& name) const
{
    const auto v = read(name);
    if (!v)
        return {};
    if (v->typeId() == QMetaType::QString || v->typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = v->typeId() == QMetaType::QString
            ? QByteArray::fromHex(v->toString().toLatin1())
            : v->toByteArray();
        return Picture::fromBytes(bytes).value_or(Picture{});
    }
    const auto p = Picture::fromVariant(*v);
    if (p && (p->type == PicNone || p->type == PicIcon || p->type == PicBitmap))
        return *p;
    return {};
}

bool PropertyBag::saveTo(PrivateProfile& file, const QString& section) const
{
    if (!file.removeSection(section))
        return false;
    for (const auto& [n, v] : items_) {
        QString text;
        if (v.typeId() == QMetaType::QVariantMap || v.typeId() == QMetaType::QImage)
            text = QString::fromLatin1(Picture::fromVariant(v).value_or(Picture{}).toBytes().toHex());
        else if (v.typeId() == QMetaType::QByteArray)
            text = QString::fromLatin1(v.toByteArray().toHex());
        else if (v.typeId() == QMetaType::Bool)
            text = v.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
        else if (v.typeId() == QMetaType::UInt)
            text = QString::number(static_cast<qint32>(v.toUInt()));
        else
            text = v.toString();
        if (!file.writeString(section, n, text))
            return false;
    }
    return true;
}

PropertyBag PropertyBag::loadFrom(const PrivateProfile& file, const QString& section)
{
    PropertyBag bag;
    for (const QString& key : file.keys(section))
        bag.write(key, file.readString(section, key, QString()));
    return bag;
}

} // namespace com
