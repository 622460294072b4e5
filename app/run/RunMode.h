#pragma once
// The start of a run: which mode, and in uninstall mode the installed copy's directory, found through the
// product's uninstall entry. A record is trusted only in the folder its product's entry names: one planted
// beside setup.exe in a download folder names no entry there, and is refused.
#include <optional>
#include <string>
#include <vector>

#include "app/product/SetupConfig.h"
#include "app/record/UninstallEntries.h"
#include "app/run/RunLog.h"

constexpr const char* kUninstallTitle = "ZUV2000 - Uninstaller";

// The program's arguments, without its own name.
std::vector<std::string> CommandLineArguments();
// The command line after the program's name, as it was given.
std::string CommandLineText();
// The arguments joined with single spaces: the name of the application's uninstall key.
std::string JoinArguments(const std::vector<std::string>& arguments);

// What an uninstall works on: the record's directory (ending in "\"), the product's entry key and title, and the
// entry that names the directory, the only one the uninstall removes. With arguments, the entry key they name and
// the first of its entries (FindUninstallEntries) that names a directory; without, the record in the current
// directory, when an entry of the key it holds names that directory. The title is the record's, or the key when
// the record names another. Dir is empty when there is nothing to uninstall, and Problem then says why.
struct TUninstallTarget {
    std::string Dir;
    std::string Key;
    std::string Title;
    std::optional<TUninstallEntry> Entry;
    std::string Problem;
};
TUninstallTarget UninstallTargetOf(const std::vector<std::string>& arguments, const std::string& currentDir);

// With arguments, makes the installed copy's directory the current directory; a failure is ignored.
void EnterUninstallDirectory(const std::vector<std::string>& arguments);
// Any argument at all, or an uninstaller.cfg in currentDir, means uninstall mode.
bool ChooseUninstallMode(const std::vector<std::string>& arguments, const std::string& currentDir);

// Whether removing the target needs an administrator's rights: its entry is the machine's.
bool NeedsAdministrator(const TUninstallTarget& target);

// The run handed to this program started again with an administrator's rights (RunElevated): its exit code, or
// nothing when it did not start. The log is let go meanwhile: the same /LOG=FILE is the new run's, and this run adds
// the new run's end to it.
std::optional<unsigned long> RunAgainAsAdministrator(const std::string& parameters, TRunLog& log);
