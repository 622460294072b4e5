#pragma once
// The start of a run: which mode, and in uninstall mode the installed copy's directory, found through the
// uninstall entry that the command line names.
#include <string>
#include <vector>

#include "app/config/SetupConfig.h"

constexpr const char* kUninstallTitle = "ZUV2000 - Uninstaller";
constexpr const char* kUninstallKeyPrefix = "Software\\Microsoft\\Windows\\currentversion\\uninstall\\";

// The program's arguments, without its own name.
std::vector<std::string> CommandLineArguments();
// The arguments joined with single spaces: the name of the application's uninstall key.
std::string JoinArguments(const std::vector<std::string>& arguments);

// The directory of the program an "UninstallString" starts, with its trailing "\": the program path may be in
// double quotes, or bare and ending at ".exe" before its arguments; empty when the text names no directory.
std::string ProgramDirectoryOf(const std::string& uninstallString);
// The directory from "UninstallString" of the named key under HKEY_LOCAL_MACHINE; empty when missing.
std::string UninstallDirectoryOf(const std::string& keyName);

// What an uninstall works on: the record's directory (ending in "\") and the product's title. With
// arguments, the title they name and the directory of its "UninstallString"; without, the current directory
// and the title its record holds. Either may be empty: no uninstall information.
struct TUninstallTarget {
    std::string Dir;
    std::string Title;
};
TUninstallTarget UninstallTargetOf(const std::vector<std::string>& arguments, const std::string& currentDir);

// With arguments, makes the installed copy's directory the current directory; a failure is ignored.
void EnterUninstallDirectory(const std::vector<std::string>& arguments);
// Any argument at all, or an uninstaller.cfg in currentDir, means uninstall mode.
bool ChooseUninstallMode(const std::vector<std::string>& arguments, const std::string& currentDir);
