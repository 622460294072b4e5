#include "app/run/StandardOutput.h"

#include <windows.h>

#include "port/win32/WideText.h"

namespace {

// A console takes characters, whatever its code page; a file or a pipe takes the program's own bytes.
bool WriteTo(HANDLE output, const std::string& text)
{
    if (output == nullptr || output == INVALID_HANDLE_VALUE) return false;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(output, &mode)) {
        const std::wstring wide = port::Widened(text);
        return WriteConsoleW(output, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
               written == wide.size();
    }
    return WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

}  // namespace

bool WriteToStandardOutput(const std::string& text)
{
    // A redirection names where the text goes; only without one does the parent's console take it.
    if (WriteTo(GetStdHandle(STD_OUTPUT_HANDLE), text)) return true;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    const bool written = WriteTo(console, text);
    if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
    FreeConsole();
    return written;
}
