#include "shell/WinReboot.h"

namespace {

constexpr const char* kShutdownPrivilege = "SeShutdownPrivilege";

}  // namespace

bool TWinReboot::SetPrivilege(const std::string& privilegeName, bool enable)
{
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    if (!LookupPrivilegeValueA(nullptr, privilegeName.c_str(), &privileges.Privileges[0].Luid)) return false;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;

    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
    TOKEN_PRIVILEGES previous{};
    DWORD returnLength = 0;
    const BOOL adjusted = AdjustTokenPrivileges(token, FALSE, &privileges, sizeof previous, &previous, &returnLength);
    // AdjustTokenPrivileges succeeds even when the token lacks the privilege; that is no success here.
    const bool assigned = adjusted && GetLastError() != ERROR_NOT_ALL_ASSIGNED;
    CloseHandle(token);
    return assigned;
}

bool TWinReboot::ShutdownWindows(UINT flags)
{
    SetPrivilege(kShutdownPrivilege, true);
    const bool accepted = ExitWindowsEx(flags, 0) != FALSE;
    SetPrivilege(kShutdownPrivilege, false);
    return accepted;
}
