#pragma once
// The execution level that setup.exe's manifest asks Windows for, fitted to the product's scope before the
// program is signed: a per-user product runs as the user who starts it, and so does one that asks its user (an
// answer "for everyone" starts it again with an administrator's rights, as does removing an installation for
// everyone); a per-machine product keeps the program's own "requireAdministrator".
#include <optional>
#include <string>
#include <string_view>

#include "config/InstallScope.h"

// The level a scope needs, as the manifest spells it; nothing where the program's own level is the one.
std::optional<std::string_view> ExecutionLevelFor(std::optional<InstallScope> scope);

// Writes program to out with its manifest asking for level (one of ExecutionLevelFor's). Raises Exception,
// naming the program, when it does not hold level="requireAdministrator" exactly once: it is not the setup
// program expected, and patching a guess could break it.
void WriteWithExecutionLevel(const std::string& program, const std::string& out, std::string_view level);
