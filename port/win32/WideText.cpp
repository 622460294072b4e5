#include "port/win32/WideText.h"

#include <windows.h>

#include <climits>

namespace port {

namespace {

// CreateDirectory leaves room for an 8.3 name below the folder; the other calls take MAX_PATH.
constexpr std::size_t kPlainPathLimit = MAX_PATH - 12;

int ClampedSize(std::size_t size)
{
    return size > INT_MAX ? INT_MAX : static_cast<int>(size);
}

std::wstring FullPath(const std::wstring& path)
{
    std::wstring full(path.size() + 16, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) return path;
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);  // the size needed, terminator included
    }
}

// The path that a call given SystemPath's form answers, without the "\\?\" again.
std::string WithoutLongPrefix(const std::wstring& path)
{
    if (path.starts_with(L"\\\\?\\UNC\\")) return Narrowed(L"\\\\" + path.substr(8));
    if (path.starts_with(L"\\\\?\\")) return Narrowed(path.substr(4));
    return Narrowed(path);
}

using TPathCall = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);

std::string ConvertedPath(const std::string& path, TPathCall convert)
{
    const std::wstring given = SystemPath(path);
    const DWORD needed = convert(given.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::wstring converted(needed, L'\0');
    const DWORD length = convert(given.c_str(), converted.data(), needed);
    if (length == 0 || length >= needed) return path;
    converted.resize(length);
    return WithoutLongPrefix(converted);
}

}  // namespace

std::string ShortPathOf(const std::string& path)
{
    return ConvertedPath(path, GetShortPathNameW);
}

std::string LongPathOf(const std::string& path)
{
    return ConvertedPath(path, GetLongPathNameW);
}

std::wstring Widened(std::string_view utf8)
{
    if (utf8.empty()) return {};
    const int size = ClampedSize(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string Narrowed(std::wstring_view wide)
{
    if (wide.empty()) return {};
    const int size = ClampedSize(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::wstring SystemPath(const std::string& path)
{
    std::wstring wide = Widened(path);
    if (wide.size() < kPlainPathLimit || wide.starts_with(L"\\\\?\\")) return wide;
    // "\\?\" turns off the system's own tidying ("/", "..", "."): the full form does it first.
    const std::wstring full = FullPath(wide);
    if (full.starts_with(L"\\\\?\\")) return full;
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

}  // namespace port
