#include "app/RunMode.h"

#include "port/FileSystem.h"
#include "config/TextFields.h"
#include "app/record/RecordFormat.h"
#include "ui/IniFile.h"
#include "ui/Registry.h"

#include <windows.h>

#include <cstdlib>

std::vector<std::string> CommandLineArguments()
{
    std::vector<std::string> arguments;
    for (int index = 1; index < __argc; ++index) arguments.emplace_back(__argv[index]);
    return arguments;
}

std::string JoinArguments(const std::vector<std::string>& arguments)
{
    std::string joined;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        if (index > 0) joined += ' ';
        joined += arguments[index];
    }
    return joined;
}

std::string ProgramDirectoryOf(const std::string& uninstallString)
{
    if (uninstallString.empty() || uninstallString[0] != '"') return DirectoryPart(ProgramPart(uninstallString));
    const std::size_t closing = uninstallString.find('"', 1);
    return DirectoryPart(uninstallString.substr(1, closing == std::string::npos ? std::string::npos : closing - 1));
}

std::string UninstallDirectoryOf(const std::string& keyName)
{
    TRegistry registry(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(kUninstallKeyPrefix + keyName)) return "";
    return ProgramDirectoryOf(registry.ReadString("UninstallString"));
}

TUninstallTarget UninstallTargetOf(const std::vector<std::string>& arguments, const std::string& currentDir)
{
    if (arguments.empty()) {
        const std::string dir = WithTrailingBackslash(currentDir);
        return {dir, TIniFile(dir + RecordFileName).ReadString(RecordName, RecordTitle, "")};
    }
    const std::string title = JoinArguments(arguments);
    return {UninstallDirectoryOf(title), title};
}

void EnterUninstallDirectory(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) return;
    const std::string directory = UninstallDirectoryOf(JoinArguments(arguments));
    if (!directory.empty()) SetCurrentDirectoryA(directory.c_str());
}

bool ChooseUninstallMode(const std::vector<std::string>& arguments, const std::string& currentDir)
{
    return !arguments.empty() || port::FileExists(WithTrailingBackslash(currentDir) + "uninstaller.cfg");
}
