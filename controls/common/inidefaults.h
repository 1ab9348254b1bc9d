#pragma once
// The design-time defaults of a control library in the private profile file
// "RU4DUD.INI" (in the system folder of platform/com/registry.h), one section
// per library. Values are decimal text; 32-bit values are signed, so a colour
// such as 0x80000005 is stored as -2147483643.

#include <QMap>
#include <QString>
#include <QVariant>
#include <functional>
#include <initializer_list>
#include <optional>

namespace ctl {

class IniDefaults {
public:
    IniDefaults(QString fileName, QString section);
    QString filePath() const;
    const QString& section() const { return section_; }

    int readInt(const QString& key, int def) const;
    double readFloat(const QString& key, double def) const;
    qint32 readLong(const QString& key, qint32 def) const;
    // Missing or empty leaves `target` as it was; returns whether a value was read.
    bool readString(const QString& key, QString& target) const;

    bool writeInt(const QString& key, int value);
    bool writeLong(const QString& key, qint32 value);
    bool writeFloat(const QString& key, double value);
    bool writeString(const QString& key, const QString& value);
    bool deleteSection();

private:
    QString fileName_;
    QString section_;
};

// One per library; null until the library has started.
IniDefaults* libraryDefaults();
void setLibraryDefaults(IniDefaults* defaults);

// Writes a property page's values (by property name) under the keys of the
// defaults file; every write is tried, ok() tells whether all went through.
class DefaultsWriter {
public:
    DefaultsWriter(IniDefaults& ini, const QMap<QString, QVariant>& values) : ini_(ini), values_(values) {}
    // An empty `property` means the same name as `key`.
    void number(const QString& key, const QString& property = QString());
    void longValue(const QString& key, const QString& property = QString());
    void text(const QString& key);
    // Several keys of the same name as their property, in the order given.
    void numbers(std::initializer_list<const char*> keys);
    void longValues(std::initializer_list<const char*> keys);
    // FontName, FontSize, FontBold, FontItalic, FontUnderline, then the strikeout flag under `strikeoutKey`.
    void font(const QString& strikeoutKey);
    bool ok() const { return ok_; }

private:
    QVariant value(const QString& key, const QString& property) const;

    IniDefaults& ini_;
    const QMap<QString, QVariant>& values_;
    bool ok_ = true;
};

// A page's "save as default": `write` puts the values into the library's
// defaults; a library without defaults counts as saved.
std::function<bool(const QMap<QString, QVariant>&)> defaultsSaver(std::function<void(DefaultsWriter&)> write);
// Removes the library's defaults and gives the built-in values: `own` plus
// the stock ones. nullopt when there is nothing to remove them from or it fails.
std::optional<QMap<QString, QVariant>> resetDefaults(QMap<QString, QVariant> own);

} // namespace ctl
