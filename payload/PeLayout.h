#pragma once
// Where a Windows program's image ends in its file, and where its Authenticode signature (the security
// directory) lies, read from the image's own headers.
#include <cstdint>
#include <string>

#include "port/Stream.h"

struct TPeLayout {
    std::int64_t ImageEnd = 0;         // past the headers, every section's raw data and the symbol table
    std::int64_t SignatureOffset = 0;  // 0: not signed
    std::int64_t SignatureSize = 0;
};

// Raises EPayloadError naming fileName when the file is no Windows program or its headers lead outside it.
TPeLayout ReadPeLayout(Stream& file, const std::string& fileName);
