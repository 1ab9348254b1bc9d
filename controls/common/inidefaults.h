#pragma once
// The design-time defaults of a control library in the private profile file
// "RU4DUD.INI" (in the system folder of platform/com/registry.h), one section
// per library. Values are decimal text; 32-bit values are signed, so a colour
// such as 0x80000005 is stored as -2147483643.

#include <QString>

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

} // namespace ctl
