#pragma once
// Starting a program and waiting for it to end.
#include <string>

// Runs commandLine (program and arguments, as CreateProcessA takes them) in a new console with the
// show command `show` (SW_SHOW ...), and blocks until it ends. -1 when it cannot be started, else 0.
// The command line may be as long as the system allows.
int RunAndWait(const std::string& commandLine, int show);
