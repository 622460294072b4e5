#pragma once
// Starting programs: waiting for one to end, or leaving it to the shell.
#include <windows.h>

#include <string>

// Runs program (a full path: the system never searches for it) with arguments, in the program's own
// directory, in a new console with the show command `show` (SW_SHOW ...), and blocks until it ends. The
// program sees its path in double quotes, then a blank and the arguments. -1 when it cannot be started,
// else 0. The command line may be as long as the system allows.
int RunAndWait(const std::string& program, const std::string& arguments, int show);

// ShellExecuteA with the default verb; empty params or dir pass none. file is a full path, so that the shell
// finds it by no search. Texts of any length.
// Returns ShellExecuteA's result (above 32 on success).
HINSTANCE OpenWithShell(HWND owner, const std::string& file, const std::string& params, const std::string& dir,
                        int show);
