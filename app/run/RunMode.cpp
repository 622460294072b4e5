#include "app/run/RunMode.h"

#include "app/record/RecordFile.h"
#include "app/record/RecordFormat.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"

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

namespace {

TUninstallTarget TargetOfTitle(const std::string& title)
{
    const std::vector<TUninstallEntry> entries = FindUninstallEntries(title);
    for (const TUninstallEntry& entry : entries)
        if (!entry.Dir.empty()) return {entry.Dir, title, entry, ""};
    return {"", title, std::nullopt,
            Concat({entries.empty() ? "No uninstall entry was found for " : "The uninstall entry names no folder: ",
                    title})};
}

TUninstallTarget TargetOfRecordIn(const std::string& currentDir)
{
    const std::string dir = WithTrailingBackslash(currentDir);
    const std::string title = LoadUninstallRecord(dir + RecordFileName).ReadString(RecordName, RecordTitle, "");
    if (title.empty()) return {"", "", std::nullopt, Concat({"The record ", dir, RecordFileName, " names no product"})};
    if (const std::optional<TUninstallEntry> entry = EntryNamingFolder(title, dir)) return {dir, title, entry, ""};
    return {"", title, std::nullopt,
            Concat({"No uninstall entry of ", title, " names ", dir, ": the record there is not used"})};
}

}  // namespace

TUninstallTarget UninstallTargetOf(const std::vector<std::string>& arguments, const std::string& currentDir)
{
    return arguments.empty() ? TargetOfRecordIn(currentDir) : TargetOfTitle(JoinArguments(arguments));
}

void EnterUninstallDirectory(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) return;
    const TUninstallTarget target = TargetOfTitle(JoinArguments(arguments));
    if (!target.Dir.empty()) SetCurrentDirectoryA(target.Dir.c_str());
}

bool ChooseUninstallMode(const std::vector<std::string>& arguments, const std::string& currentDir)
{
    return !arguments.empty() || port::FileExists(WithTrailingBackslash(currentDir) + RecordFileName);
}
