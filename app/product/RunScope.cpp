#include "app/product/RunScope.h"

#include "config/InstallScope.h"
#include "shell/Elevation.h"
#include "shell/ShellFolders.h"

TInstallScope ScopeSetting(const std::string& text)
{
    const std::optional<InstallScope> scope = ParseInstallScope(text);
    if (!scope) return isUnset;
    return *scope == InstallScope::Machine ? isMachine : *scope == InstallScope::User ? isUser : isAsk;
}

TInstallScope RunScope(TInstallScope setting, TInstallScope answer)
{
    if (setting != isAsk) return setting;
    if (answer == isMachine || answer == isUser) return answer;
    return RunsElevated() ? isMachine : isUser;
}

std::string ProgramsBase(TInstallScope scope, bool product64, bool underProgramFiles)
{
    if (scope == isUser) return UserProgramsDir();
    if (!underProgramFiles) return SystemDrive();
    return product64 ? ProgramFiles64Dir() : ProgramFilesDir();
}
