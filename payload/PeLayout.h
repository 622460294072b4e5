#pragma once
// Where a Windows program's image ends in its file, and where its Authenticode signature (the security
// directory) lies, read from the image's own headers; and what identifies the image, so that the file on disk
// can be held against the image the loader mapped from it.
#include <cstdint>
#include <string>
#include <vector>

#include "port/Stream.h"

// Header fields the loader maps as they are in the file: the same whether read from the file or from the
// image in memory. The image base is left out: the loader may move the image and note it there.
struct TImageIdentity {
    std::uint32_t TimeDateStamp = 0;
    std::uint32_t EntryPoint = 0;
    std::uint32_t SizeOfImage = 0;
    std::uint32_t CheckSum = 0;
    std::uint32_t SignatureOffset = 0;  // the security directory; 0 and 0 when not signed
    std::uint32_t SignatureSize = 0;
    std::vector<unsigned char> SectionTable;

    bool Signed() const { return SignatureSize != 0; }
    bool operator==(const TImageIdentity&) const = default;
};

struct TPeLayout {
    std::int64_t ImageEnd = 0;         // past the headers, every section's raw data and the symbol table
    std::int64_t SignatureOffset = 0;  // 0: not signed
    std::int64_t SignatureSize = 0;
    // The header fields signing writes: the checksum (4 bytes) and the security directory (8 bytes).
    std::int64_t CheckSumAt = 0;
    std::int64_t SecurityDirectoryAt = 0;
    TImageIdentity Identity;
};

// Raises EPayloadError naming fileName when the file is no Windows program or its headers lead outside it.
TPeLayout ReadPeLayout(Stream& file, const std::string& fileName);

// From the headers alone (the start of a program file, or the headers of an image in memory); raises
// EPayloadError naming fileName when they are no Windows program's headers.
TImageIdentity ReadImageIdentity(Stream& headers, const std::string& fileName);
