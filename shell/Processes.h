#pragma once
// Starting programs: waiting for one to end, or leaving it to the shell.
#include <windows.h>

#include <string>

// Runs commandLine (program and arguments, as CreateProcessA takes them) in a new console with the
// show command `show` (SW_SHOW ...), and blocks until it ends. -1 when it cannot be started, else 0.
// The command line may be as long as the system allows.
int RunAndWait(const std::string& commandLine, int show);

// ShellExecuteA with the default verb; empty params or dir pass none. Texts of any length.
// Returns ShellExecuteA's result (above 32 on success).
HINSTANCE OpenWithShell(HWND owner, const std::string& file, const std::string& params, const std::string& dir,
                        int show);
