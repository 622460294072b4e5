// restart_probe TRACE: leaves C:\restart-leftover\setup.exe for removal at the next restart, asks the
// system to restart through TWinReboot, writes the answer and the state of the shutdown privilege to
// TRACE, then waits with a window for the end of the session.
// It writes "session ended" when Windows ends the session, "still running" when nothing happens
// within 60 seconds. Run only in a Wine prefix that may be lost.
#include <windows.h>

#include <cstdio>
#include <string>

#include "shell/RestartRemoval.h"
#include "shell/WinReboot.h"

namespace {

std::string tracePath;

void Trace(const std::string& line)
{
    if (std::FILE* out = std::fopen(tracePath.c_str(), "ab")) {
        std::fprintf(out, "%s\n", line.c_str());
        std::fclose(out);
    }
}

bool ShutdownPrivilegeEnabled()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    LUID luid{};
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid);
    PRIVILEGE_SET set{};
    set.PrivilegeCount = 1;
    set.Control = PRIVILEGE_SET_ALL_NECESSARY;
    set.Privilege[0].Luid = luid;
    BOOL held = FALSE;
    PrivilegeCheck(token, &set, &held);
    CloseHandle(token);
    return held != FALSE;
}

LRESULT CALLBACK ProbeWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_QUERYENDSESSION:
            Trace("query end session");
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) {
                Trace("session ended");
                ExitProcess(0);
            }
            return 0;
        case WM_TIMER:
            Trace("still running");
            ExitProcess(1);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    tracePath = argv[1];

    WNDCLASSA wc{};
    wc.lpfnWndProc = ProbeWindow;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "RestartProbe";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("RestartProbe", "Restart probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                wc.hInstance, nullptr);
    SetTimer(window, 1, 60000, nullptr);

    CreateDirectoryA("C:\\restart-leftover", nullptr);
    // Held open, as the running uninstaller holds its own program: it cannot go before the restart.
    const HANDLE held =
        CreateFileA("C:\\restart-leftover\\setup.exe", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    TRestartRemoval leftovers;
    leftovers.DeleteMatchingFiles("C:\\restart-leftover\\", "*.*");
    leftovers.ScheduleDirectoryIfOnlyScheduledLeft("C:\\restart-leftover\\");
    CloseHandle(held);
    if (GetFileAttributesA("C:\\restart-leftover\\setup.exe") != INVALID_FILE_ATTRIBUTES) Trace("leftover in place");

    const bool accepted = TWinReboot().ShutdownWindows(EWX_REBOOT);
    Trace(std::string("accepted ") + (accepted ? "yes" : "no"));
    Trace(std::string("privilege ") + (ShutdownPrivilegeEnabled() ? "enabled" : "disabled"));

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 3;
}
