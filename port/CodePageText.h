#pragma once
// Text in a Windows code page (1252, 1250, 437, 932 ...) turned into UTF-8, by the system's own tables:
// iconv on posix, MultiByteToWideChar on Windows.
#include <optional>
#include <string>
#include <string_view>

#include "port/Exception.h"

// The system cannot convert from the code page at all; the message names it.
class EUnknownCodePage : public Exception {
public:
    explicit EUnknownCodePage(unsigned codePage)
        : Exception("this system cannot convert from code page " + std::to_string(codePage))
    {
    }
};

namespace port {

// The bytes as UTF-8; nothing when a byte or sequence has no character in the code page (an unassigned
// byte, a lead byte without its trail). Raises EUnknownCodePage when the system has no such code page.
std::optional<std::string> CodePageToUtf8(std::string_view bytes, unsigned codePage);

}  // namespace port
