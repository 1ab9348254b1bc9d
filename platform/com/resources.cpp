#include "platform/com/resources.h"

#include <QLibrary>
#include <cstring>

namespace com {

std::optional<VersionRecord> libraryVersion(const QString& libraryPath)
{
    QLibrary lib(libraryPath);
    const auto data = lib.load() ? reinterpret_cast<const void*>(lib.resolve(kVersionRecordName)) : nullptr;
    if (!data)
        return std::nullopt;
    VersionRecord v;
    std::memcpy(&v, data, sizeof v);
    return v;
}

} // namespace com
