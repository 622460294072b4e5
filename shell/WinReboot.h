#pragma once
// Ends Windows on the setup's behalf: restart, shut down or log off. Where processes carry
// privileges, the shutdown privilege is enabled for the length of the request only.
#include <windows.h>

#include <string>

class TWinReboot {
public:
    // Enables or disables the named privilege in this process's token. False when the name is
    // unknown, the token cannot be adjusted, or the token does not hold the privilege.
    bool SetPrivilege(const std::string& privilegeName, bool enable);

    // ExitWindowsEx(flags, 0) with "SeShutdownPrivilege" enabled around it (EWX_LOGOFF 0,
    // EWX_SHUTDOWN 1, EWX_REBOOT 2, EWX_FORCE 4, combinable); true when the request was accepted.
    // The shutdown only starts: the caller goes on and normally closes its window.
    bool ShutdownWindows(UINT flags);
};
