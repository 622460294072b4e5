// The sample product's post-install program, run by the setup before it finishes: it leaves a trace
// (a line in nwnotes-postinstall.log in the Windows directory) that shows it ran, and from where.
// Plain Win32 calls only, so that it stays a few kilobytes on the disk.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    char log[MAX_PATH + 32] = {};
    char current[MAX_PATH] = {};
    GetWindowsDirectoryA(log, MAX_PATH);
    lstrcatA(log, "\\nwnotes-postinstall.log");
    GetCurrentDirectoryA(sizeof current, current);
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    char line[2 * MAX_PATH + 64];
    const int length = wsprintfA(line, "post-install ran; directory %.260s; arguments [%.260s]\r\n", current, commandLine);
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
}
