#include "app/product/RunScope.h"

#include "config/TextFields.h"
#include "shell/Elevation.h"
#include "shell/ShellFolders.h"

TInstallScope ScopeSetting(const std::string& text)
{
    for (const auto& [name, scope] : {std::pair{"MACHINE", isMachine}, {"USER", isUser}, {"ASK", isAsk}})
        if (text.size() == std::string_view(name).size() && StartsWithNoCase(text, name)) return scope;
    return isUnset;
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
