#pragma once
// A configuration file as a distribution stores it: UTF-8 without a byte-order mark, which is what the setup
// program reads. Older products were saved in a Windows code page; their text is read in the one the maker is
// told (--codepage) and stored in UTF-8, with a warning on each line that changed.
#include <string>
#include <string_view>

#include "tools/mksetup/Diagnostics.h"

constexpr unsigned kDefaultCodePage = 1252;

// Text that is UTF-8 comes back byte for byte (a leading byte-order mark dropped). Otherwise every line that
// holds a byte above 0x7F is read in codePage; a line the code page cannot read, or a code page the system
// cannot convert from, is an error naming file, line and code page, and the line stays as it was.
std::string ConfigTextInUtf8(std::string_view bytes, const std::string& file, unsigned codePage,
                             Diagnostics& diagnostics);
