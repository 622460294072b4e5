#include "port/CodePageText.h"

#include <windows.h>

#include <limits>

namespace port {

namespace {

// The calls count in int.
int Length(std::size_t size)
{
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw Exception("a text of " + std::to_string(size) + " bytes is too long to convert");
    return static_cast<int>(size);
}

}  // namespace

std::optional<std::string> CodePageToUtf8(std::string_view bytes, unsigned codePage)
{
    if (!IsValidCodePage(codePage)) throw EUnknownCodePage(codePage);
    if (bytes.empty()) return std::string();
    const int length = Length(bytes.size());
    const int wideLength = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (wideLength == 0) {
        if (GetLastError() == ERROR_NO_UNICODE_TRANSLATION) return std::nullopt;
        throw EUnknownCodePage(codePage);  // one that takes no strict conversion (ISO-2022, UTF-7)
    }
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, wide.data(), wideLength);
    const int utf8Length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), utf8Length, nullptr, nullptr);
    return utf8;
}

}  // namespace port
