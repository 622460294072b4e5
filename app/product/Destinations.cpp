#include "app/product/Destinations.h"

#include <utility>

#include "config/DestinationRules.h"
#include "config/TextFields.h"
#include "shell/ShellFolders.h"

namespace {

// The folders tokens and macros name, read once per call.
DestinationBases BasesFor(std::string mainDir)
{
    std::string windows = WindowsDir();
    std::string drive = windows.substr(0, 3);
    if (Global.InstallSettings.Product64)
        return {std::move(mainDir), std::move(windows), std::move(drive), ProgramFiles64Dir(), NativeSystemDir()};
    return {std::move(mainDir), std::move(windows), std::move(drive), ProgramFilesDir(), SystemFolderDir()};
}

}  // namespace

TStringList ResolveDestinations(const TStringList& installFiles, const std::string& mainDir)
{
    return ApplyDestinationTokens(installFiles, BasesFor(WithTrailingBackslash(mainDir)));
}

std::string ExpandPathMacros(const std::string& path, const std::string& mainDir)
{
    return ApplyPathMacros(path, BasesFor(mainDir));
}
