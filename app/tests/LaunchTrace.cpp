// launch_trace: appends a line with its own path, its current directory and its arguments to
// SetupTests-launch.log in the Windows directory, so a test sees that it ran, from where, with what and in
// which order with its copies.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int)
{
    char log[MAX_PATH + 32] = {};
    char self[MAX_PATH] = {};
    char current[MAX_PATH] = {};
    GetWindowsDirectoryA(log, MAX_PATH);
    lstrcatA(log, "\\SetupTests-launch.log");
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    GetCurrentDirectoryA(MAX_PATH, current);
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    char line[3 * MAX_PATH + 8];
    const int length = wsprintfA(line, "%s|%s|%.259s\r\n", self, current, arguments);
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
}
