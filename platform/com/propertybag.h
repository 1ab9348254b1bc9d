#pragma once
// Named stored properties of a control, in the order they were written.
// Values are numbers, text or pictures; a bag read back from a profile file
// holds text, which the reading helpers convert.

#include "platform/com/dispatch.h"

#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

namespace com {

class PrivateProfile;

class PropertyBag {
public:
    void write(const QString& name, const QVariant& value);
    std::optional<QVariant> read(const QString& name) const;   // letter case ignored
    bool contains(const QString& name) const { return read(name).has_value(); }
    void clear() { items_.clear(); }
    const std::vector<std::pair<QString, QVariant>>& items() const { return items_; }

    // Typed reads: nullopt when missing or not convertible.
    std::optional<qint16> readI2(const QString& name) const;
    std::optional<qint32> readI4(const QString& name) const;
    std::optional<double> readR8(const QString& name) const;
    std::optional<quint32> readColor(const QString& name) const;
    std::optional<QString> readString(const QString& name) const;
    // A missing or unreadable picture gives an empty one.
    Picture readPicture(const QString& name) const;

    // Stores the bag as one section of a private-profile file (pictures as
    // hexadecimal bytes) and reads it back.
    bool saveTo(PrivateProfile& file, const QString& section) const;
    static PropertyBag loadFrom(const PrivateProfile& file, const QString& section);

private:
    std::vector<std::pair<QString, QVariant>> items_;
};

} // namespace com
