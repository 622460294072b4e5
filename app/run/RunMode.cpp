#include "app/run/RunMode.h"

#include "app/record/RecordFormat.h"
#include "app/record/UninstallRecordReader.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "port/win32/WideText.h"
#include "shell/Elevation.h"

#include <windows.h>

#include <cstdlib>

std::vector<std::string> CommandLineArguments()
{
    std::vector<std::string> arguments;
    for (int index = 1; index < __argc; ++index) arguments.emplace_back(__argv[index]);
    return arguments;
}

std::string CommandLineText()
{
    std::wstring_view rest = GetCommandLineW();
    const bool quoted = !rest.empty() && rest.front() == L'"';
    const std::size_t end = quoted ? rest.find(L'"', 1) : rest.find_first_of(L" \t");
    rest.remove_prefix(end == std::wstring_view::npos ? rest.size() : end + (quoted ? 1 : 0));
    while (!rest.empty() && (rest.front() == L' ' || rest.front() == L'\t')) rest.remove_prefix(1);
    return port::Narrowed(rest);
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

bool NeedsAdministrator(const TUninstallTarget& target)
{
    return target.Entry && target.Entry->Root == HKEY_LOCAL_MACHINE;
}

std::optional<unsigned long> RunAgainAsAdministrator(const std::string& parameters, TRunLog& log)
{
    log.Line(Concat({"Starting again with an administrator's rights: ", parameters}));
    log.Close();  // the new run, which does the work, writes it afresh
    const std::optional<unsigned long> code = RunElevated(parameters);
    log.Resume();
    log.Line(code ? Concat({"The run with an administrator's rights ended with exit code ", std::to_string(*code)})
                  : "The run with an administrator's rights did not start");
    return code;
}
