#pragma once
// A small Windows program image made byte by byte: the DOS header, the PE headers, two sections and,
// when asked, a COFF symbol table after them. Enough for the payload's locator, which reads only headers.
#include <cstdint>
#include <string>

#include "payload/LittleEndian.h"

struct ProgramImage {
    static constexpr std::size_t kPeAt = 0x40;
    static constexpr std::size_t kOptionalAt = kPeAt + 24;
    static constexpr std::size_t kSecurityEntry = kOptionalAt + 96 + 4 * 8;

    static void Put(std::string& bytes, std::size_t at, std::uint64_t value, std::size_t size)
    {
        PutLe(reinterpret_cast<unsigned char*>(&bytes[at]), value, size);
    }

    // The image ends at 0x5F3, or past a symbol table of 3 symbols and a 9-byte string table.
    static std::string Make(bool withSymbols = false)
    {
        std::string bytes(0x5F3, '\x90');
        bytes[0] = 'M';
        bytes[1] = 'Z';
        Put(bytes, 0x3C, kPeAt, 4);
        bytes.replace(kPeAt, 4, std::string("PE\0\0", 4));
        Put(bytes, kPeAt + 4, 0x14C, 2);  // i386
        Put(bytes, kPeAt + 6, 2, 2);      // sections
        Put(bytes, kPeAt + 12, 0, 8);     // no symbol table
        Put(bytes, kPeAt + 20, 224, 2);   // optional header: 96 bytes and 16 directories
        Put(bytes, kOptionalAt, 0x10B, 2);
        Put(bytes, kOptionalAt + 92, 16, 4);
        for (std::size_t d = 0; d < 16; ++d) Put(bytes, kOptionalAt + 96 + d * 8, 0, 8);
        const std::size_t sections = kOptionalAt + 224;
        Put(bytes, sections + 16, 0x200, 4);  // .text: 0x200 bytes at 0x200
        Put(bytes, sections + 20, 0x200, 4);
        Put(bytes, sections + 40 + 16, 0x1F3, 4);  // .data: 0x1F3 bytes at 0x400
        Put(bytes, sections + 40 + 20, 0x400, 4);
        if (withSymbols) {
            Put(bytes, kPeAt + 12, bytes.size(), 4);
            Put(bytes, kPeAt + 16, 3, 4);
            bytes += std::string(3 * 18, 'S');
            bytes += std::string("\x09\0\0\0name\0", 9);
        }
        return bytes;
    }

    // What a signing tool does: pads the file to 8 bytes, appends the certificate table and points the
    // security directory at it.
    static void Sign(std::string& bytes, const std::string& certificates)
    {
        bytes.resize((bytes.size() + 7) / 8 * 8, '\0');
        Put(bytes, kSecurityEntry, bytes.size(), 4);
        Put(bytes, kSecurityEntry + 4, certificates.size(), 4);
        bytes += certificates;
    }
};
