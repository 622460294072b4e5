#pragma once
// Test helpers for LHA archives, the container the other archivers put -lh5- streams in: a level-0
// member writer and a reader for the members of levels 0 and 2.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<unsigned char>;

// The CRC-16 that LHA headers carry (polynomial 0xA001, reflected, initial value 0).
inline std::uint16_t LhaCrc16(const TBytes& bytes)
{
    std::uint16_t crc = 0;
    for (const unsigned char b : bytes) {
        crc = static_cast<std::uint16_t>(crc ^ b);
        for (int k = 0; k < 8; ++k) crc = static_cast<std::uint16_t>((crc & 1) != 0 ? (crc >> 1) ^ 0xA001 : crc >> 1);
    }
    return crc;
}

struct TLhaMember {
    std::string method;
    std::uint32_t originalSize = 0;
    std::uint16_t crc = 0;
    TBytes body;
};

inline void PutLe(TBytes& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

inline std::uint32_t GetLe(const TBytes& in, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | in.at(at + static_cast<std::size_t>(i));
    return value;
}

// One level-0 member (header, then the coded body) and the end mark.
inline TBytes LhaLevel0Archive(const std::string& name, const std::string& method, const TBytes& body,
                               const TBytes& original)
{
    TBytes header(method.begin(), method.end());
    PutLe(header, static_cast<std::uint32_t>(body.size()), 4);
    PutLe(header, static_cast<std::uint32_t>(original.size()), 4);
    PutLe(header, (0x5987u << 16) | 0x6000u, 4);  // 1 December 2024, 12:00:00
    header.push_back(0x20);                       // archive attribute
    header.push_back(0);                          // header level
    header.push_back(static_cast<unsigned char>(name.size()));
    header.insert(header.end(), name.begin(), name.end());
    PutLe(header, LhaCrc16(original), 2);
    unsigned sum = 0;
    for (const unsigned char b : header) sum += b;
    TBytes archive{static_cast<unsigned char>(header.size()), static_cast<unsigned char>(sum)};
    archive.insert(archive.end(), header.begin(), header.end());
    archive.insert(archive.end(), body.begin(), body.end());
    archive.push_back(0);
    return archive;
}

// The members of an archive whose headers are of level 0 or 2.
inline std::vector<TLhaMember> ReadLhaMembers(const TBytes& archive)
{
    std::vector<TLhaMember> members;
    std::size_t at = 0;
    while (at < archive.size() && archive[at] != 0) {
        TLhaMember m;
        m.method.assign(archive.begin() + static_cast<std::ptrdiff_t>(at + 2),
                        archive.begin() + static_cast<std::ptrdiff_t>(at + 7));
        const std::uint32_t packed = GetLe(archive, at + 7, 4);
        m.originalSize = GetLe(archive, at + 11, 4);
        const unsigned level = archive.at(at + 20);
        std::size_t headerSize = 0;
        if (level == 0) {
            headerSize = archive[at] + 2u;
            m.crc = static_cast<std::uint16_t>(GetLe(archive, at + headerSize - 2, 2));
        } else if (level == 2) {
            headerSize = GetLe(archive, at, 2);
            m.crc = static_cast<std::uint16_t>(GetLe(archive, at + 21, 2));
        } else {
            ADD_FAILURE() << "header level " << level;
            break;
        }
        const std::size_t bodyStart = at + headerSize;
        if (bodyStart + packed > archive.size()) {
            ADD_FAILURE() << "member body past the end of the archive";
            break;
        }
        m.body.assign(archive.begin() + static_cast<std::ptrdiff_t>(bodyStart),
                      archive.begin() + static_cast<std::ptrdiff_t>(bodyStart + packed));
        members.push_back(std::move(m));
        at = bodyStart + packed;
    }
    return members;
}
