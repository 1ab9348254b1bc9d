#include "controls/common/inidefaults.h"

#include "platform/com/profile.h"
#include "platform/com/registry.h"

#include <memory>

namespace ctl {

namespace {
std::unique_ptr<IniDefaults> g_defaults;
}

IniDefaults* libraryDefaults() { return g_defaults.get(); }
void setLibraryDefaults(IniDefaults* defaults) { g_defaults.reset(defaults); }

IniDefaults::IniDefaults(QString fileName, QString section)
    : fileName_(std::move(fileName)), section_(std::move(section))
{
}

QString IniDefaults::filePath() const
{
    return com::systemFolder() + QLatin1Char('/') + fileName_;
}

int IniDefaults::readInt(const QString& key, int def) const
{
    return com::PrivateProfile(filePath()).readInt(section_, key, def);
}

double IniDefaults::readFloat(const QString& key, double def) const
{
    const QString text = com::PrivateProfile(filePath()).readString(section_, key, QString()).left(16);
    if (text.isEmpty())
        return def;
    bool ok = false;
    const double d = text.toDouble(&ok);
    return ok ? d : 0.0;
}

qint32 IniDefaults::readLong(const QString& key, qint32 def) const
{
    const auto v = com::PrivateProfile(filePath()).value(section_, key);
    if (!v)
        return def;
    bool ok = false;
    const qint64 n = v->left(19).toLongLong(&ok);
    if (!ok)
        return 0;
    return static_cast<qint32>(static_cast<quint32>(n & 0xFFFFFFFFLL));
}

bool IniDefaults::readString(const QString& key, QString& target) const
{
    const auto v = com::PrivateProfile(filePath()).value(section_, key);
    if (!v || v->isEmpty())
        return false;
    target = v->left(255);
    return true;
}

bool IniDefaults::writeInt(const QString& key, int value) { return writeString(key, QString::number(value)); }
bool IniDefaults::writeLong(const QString& key, qint32 value) { return writeString(key, QString::number(value)); }
bool IniDefaults::writeFloat(const QString& key, double value)
{
    return writeString(key, QString::number(value, 'g', 7));
}
bool IniDefaults::writeString(const QString& key, const QString& value)
{
    return com::PrivateProfile(filePath()).writeString(section_, key, value);
}
bool IniDefaults::deleteSection() { return com::PrivateProfile(filePath()).removeSection(section_); }

QVariant DefaultsWriter::value(const QString& key, const QString& property) const
{
    return values_.value(property.isEmpty() ? key : property);
}

void DefaultsWriter::number(const QString& key, const QString& property)
{
    ok_ = ini_.writeInt(key, value(key, property).toInt()) && ok_;
}

void DefaultsWriter::longValue(const QString& key, const QString& property)
{
    ok_ = ini_.writeLong(key, qint32(value(key, property).toLongLong())) && ok_;
}

void DefaultsWriter::numbers(std::initializer_list<const char*> keys)
{
    for (const char* key : keys)
        number(QString::fromLatin1(key));
}

void DefaultsWriter::longValues(std::initializer_list<const char*> keys)
{
    for (const char* key : keys)
        longValue(QString::fromLatin1(key));
}

void DefaultsWriter::text(const QString& key)
{
    ok_ = ini_.writeString(key, value(key, QString()).toString()) && ok_;
}

void DefaultsWriter::font(const QString& strikeoutKey)
{
    text(QStringLiteral("FontName"));
    ok_ = ini_.writeFloat(QStringLiteral("FontSize"), value(QStringLiteral("FontSize"), QString()).toDouble()) && ok_;
    number(QStringLiteral("FontBold"));
    number(QStringLiteral("FontItalic"));
    number(QStringLiteral("FontUnderline"));
    number(strikeoutKey, QStringLiteral("FontStrikethru"));
}

std::function<bool(const QMap<QString, QVariant>&)> defaultsSaver(std::function<void(DefaultsWriter&)> write)
{
    return [write = std::move(write)](const QMap<QString, QVariant>& values) {
        IniDefaults* ini = libraryDefaults();
        if (!ini)
            return true;
        DefaultsWriter writer(*ini, values);
        write(writer);
        return writer.ok();
    };
}

std::optional<QMap<QString, QVariant>> resetDefaults(QMap<QString, QVariant> own)
{
    IniDefaults* ini = libraryDefaults();
    if (!ini || !ini->deleteSection())
        return std::nullopt;
    own[QStringLiteral("BackColor")] = 0x80000005u;
    own[QStringLiteral("ForeColor")] = 0x80000008u;
    own[QStringLiteral("MousePointer")] = 0;
    own[QStringLiteral("Enabled")] = -1;
    return own;
}

} // namespace ctl
