#include "app/run/RunMode.h"

#include "app/record/RecordFormat.h"
#include "app/record/UninstallRecordReader.h"
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

TUninstallTarget TargetOfKey(const std::string& key)
{
    const std::vector<TUninstallEntry> entries = FindUninstallEntries(key);
    for (const TUninstallEntry& entry : entries) {
        if (entry.Dir.empty()) continue;
        const TUninstallRecordContents record = ReadUninstallRecord(entry.Dir);
        return {entry.Dir, key, record.EntryKey == key && !record.Title.empty() ? record.Title : key, entry, ""};
    }
    return {
        "", key, key, std::nullopt,
        Concat({entries.empty() ? "No uninstall entry was found for " : "The uninstall entry names no folder: ", key})};
}

TUninstallTarget TargetOfRecordIn(const std::string& currentDir)
{
    const std::string dir = WithTrailingBackslash(currentDir);
    const TUninstallRecordContents record = ReadUninstallRecord(dir);
    if (record.EntryKey.empty())
        return {"", "", "", std::nullopt, Concat({"The record ", dir, RecordFileName, " names no product"})};
    if (const std::optional<TUninstallEntry> entry = EntryNamingFolder(record.EntryKey, dir))
        return {dir, record.EntryKey, record.Title, entry, ""};
    return {"", record.EntryKey, record.Title, std::nullopt,
            Concat({"No uninstall entry of ", record.EntryKey, " names ", dir, ": the record there is not used"})};
}

}  // namespace

TUninstallTarget UninstallTargetOf(const std::vector<std::string>& arguments, const std::string& currentDir)
{
    return arguments.empty() ? TargetOfRecordIn(currentDir) : TargetOfKey(JoinArguments(arguments));
}

void EnterUninstallDirectory(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) return;
    const TUninstallTarget target = TargetOfKey(JoinArguments(arguments));
    if (!target.Dir.empty()) SetCurrentDirectoryA(target.Dir.c_str());
}

bool ChooseUninstallMode(const std::vector<std::string>& arguments, const std::string& currentDir)
{
    return !arguments.empty() || port::FileExists(WithTrailingBackslash(currentDir) + RecordFileName);
}
