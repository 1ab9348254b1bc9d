#pragma once
// What the original libraries carried as resources, exported as plain data
// under the resources' names, so a host reads them with dlsym (or sees them
// with nm -D and objdump) without running any of the library's code.
//
//   extern "C" __attribute__((visibility("default")))
//   const com::IdRecord _IID_CLSDOWNLOAD = com::idRecord(kIid);
//   ...
//   if (auto v = com::libraryVersion(path)) v->fileVersion ...

#include "platform/com/guid.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace com {

// An interface id as a resource of its own.
struct IdRecord {                       // offset
    std::uint8_t length[4];             //  0  16, little-endian
    std::uint8_t id[16];                //  4  Guid::bytes()
};
static_assert(sizeof(IdRecord) == 20);

constexpr IdRecord idRecord(const Guid& g)
{
    IdRecord r{{16, 0, 0, 0}, {}};
    const auto b = g.bytes();
    for (int i = 0; i < 16; ++i)
        r.id[i] = b[i];
    return r;
}

// The version resource: versions and the entry "OLESelfRegister" of its
// one string table, with that table's language and code page. Texts are
// NUL-padded.
struct VersionRecord {                  // offset
    char fileVersion[16];               //  0  "1.00"
    char productVersion[16];            // 16  "1.00"
    std::uint16_t language;             // 32  0x0407 German
    std::uint16_t codePage;             // 34  1200 Unicode
    char selfRegister[16];              // 36  "OLESelfRegister" when the library registers itself
};
static_assert(sizeof(VersionRecord) == 52);

// The name a library exports its version record under.
inline constexpr const char* kVersionRecordName = "VS_VERSION_INFO";

// The version record of a library file (loaded to read it); nullopt when
// it cannot be loaded or carries none.
std::optional<VersionRecord> libraryVersion(const QString& libraryPath);

} // namespace com
