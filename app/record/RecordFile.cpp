#include "app/record/RecordFile.h"

#include <windows.h>

#include <limits>

#include "config/TextFields.h"
#include "port/WholeFile.h"
#include "port/win32/WideText.h"

namespace {

// The code page of the machine's ANSI text: GetACP() gives UTF-8 once the program declares it, and the
// locale name form of the call is refused by Wine, so the system locale is asked by its identifier.
UINT MachineAnsiCodePage()
{
    DWORD codePage = 0;
    const int read = GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                                    reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(WCHAR));
    return read == 0 || codePage == 0 ? CP_ACP : codePage;
}

std::string Utf8FromCodePage(const std::string& bytes, UINT codePage)
{
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return "";
    const int size = static_cast<int>(bytes.size());
    const int wideSize = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (wideSize <= 0) return "";
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), wideSize);
    return port::Narrowed(wide);
}

}  // namespace

ProfileFile LoadUninstallRecord(const std::string& path)
{
    const std::string bytes = ReadWholeFile(path).value_or("");
    if (bytes.starts_with(kUtf8Mark)) return ProfileFile::Parse(bytes);
    return ProfileFile::Parse(Utf8FromCodePage(bytes, MachineAnsiCodePage()));
}
