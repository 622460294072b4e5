#include "config/RegistryEntryTarget.h"

#include "config/TextFields.h"

bool TargetIsIniFile(const std::string& target)
{
    return UpperCase(target).find(".INI") != std::string::npos;
}

bool IsBareFileName(const std::string& target)
{
    return target.find_first_of("\\/:") == std::string::npos;
}

bool IsLocalMachineKeyPath(const std::string& keyPath)
{
    std::string rest = keyPath;
    const std::string first = UpperCase(SplitFirst(rest, '\\'));
    return first.starts_with("HKEY_") && first.find("HKEY_LOCAL_MACHINE") != std::string::npos;
}
