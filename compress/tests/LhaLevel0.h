#pragma once
// A one-member LHA archive with a level-0 header, enough to hand a coded stream to another archiver.
#include <cstdint>
#include <string>
#include <vector>

// The CRC-16 of LHA archives (polynomial 0x8005, bits reflected, starting at 0).
inline std::uint16_t LhaCrc16(const std::vector<unsigned char>& bytes)
{
    std::uint16_t crc = 0;
    for (const unsigned char b : bytes) {
        crc = static_cast<std::uint16_t>(crc ^ b);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>((crc & 1) != 0 ? (crc >> 1) ^ 0xA001 : crc >> 1);
    }
    return crc;
}

// method is the five characters such as "-lh1-"; name should be short and lower case.
inline std::vector<unsigned char> LhaLevel0Archive(const std::string& method, const std::string& name,
                                                   const std::vector<unsigned char>& packed,
                                                   const std::vector<unsigned char>& original)
{
    std::vector<unsigned char> header;
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) header.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    header.insert(header.end(), method.begin(), method.end());
    put32(static_cast<std::uint32_t>(packed.size()));
    put32(static_cast<std::uint32_t>(original.size()));
    put32(0x3C210000);       // 1 January 2010, 00:00 (DOS time in the low word, date in the high word)
    header.push_back(0x20);  // attribute: archive
    header.push_back(0x00);  // header level 0
    header.push_back(static_cast<unsigned char>(name.size()));
    header.insert(header.end(), name.begin(), name.end());
    const std::uint16_t crc = LhaCrc16(original);
    header.push_back(static_cast<unsigned char>(crc));
    header.push_back(static_cast<unsigned char>(crc >> 8));

    unsigned sum = 0;
    for (const unsigned char b : header) sum += b;
    std::vector<unsigned char> archive{static_cast<unsigned char>(header.size()), static_cast<unsigned char>(sum)};
    archive.insert(archive.end(), header.begin(), header.end());
    archive.insert(archive.end(), packed.begin(), packed.end());
    archive.push_back(0);  // end of archive
    return archive;
}
