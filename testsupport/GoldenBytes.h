#pragma once
// The golden files: archives and sets assembled byte by byte from the format's tables (docs/formats.md),
// never by our writer, so that a field written wrongly on both sides cannot pass.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "port/FileSystem.h"
#include "testsupport/ScratchDir.h"

inline std::string GoldenFile(const std::string& dir, const std::string& name)
{
    return ScratchDir::Read(dir + std::string("\\") + name);
}

inline std::uint32_t Get32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The attribute bits a file of this platform carries into an archive: posix files have no hidden,
// system or archive bit.
inline std::uint16_t CarriedAttributes(std::uint16_t attributes)
{
#ifdef _WIN32
    return attributes;
#else
    return attributes & port::faReadOnly;
#endif
}

// The golden bytes with the 16-bit attribute fields at the given offsets as this platform's writer
// gives them.
inline std::string WithCarriedAttributes(std::string bytes, std::initializer_list<std::size_t> offsets)
{
    for (const std::size_t at : offsets) {
        const auto carried = CarriedAttributes(static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                                                          static_cast<unsigned char>(bytes[at + 1]) << 8));
        bytes[at] = static_cast<char>(carried & 0xFF);
        bytes[at + 1] = static_cast<char>(carried >> 8);
    }
    return bytes;
}
