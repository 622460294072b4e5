#include "config/InstallScope.h"

#include <string>

#include "config/TextFields.h"

std::optional<InstallScope> ParseInstallScope(std::string_view value)
{
    const std::string upper = UpperCase(std::string(value));
    if (upper == "MACHINE") return InstallScope::Machine;
    if (upper == "USER") return InstallScope::User;
    if (upper == "ASK") return InstallScope::Ask;
    return std::nullopt;
}
