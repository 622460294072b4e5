#include "app/Global.h"

#include <windows.h>

#include <cstdio>

#include "port/FileSystem.h"
#include "shell/ShellFolders.h"
#include "shell/TextFields.h"

TGlobal Global;

namespace {

// The time of day as "hhnnss".
std::string TimeOfDayDigits(const std::tm& now)
{
    char digits[40];
    std::snprintf(digits, sizeof digits, "%02d%02d%02d", now.tm_hour, now.tm_min, now.tm_sec);
    return digits;
}

std::tm LocalTimeNow()
{
    SYSTEMTIME local{};
    GetLocalTime(&local);
    std::tm now{};
    now.tm_hour = local.wHour;
    now.tm_min = local.wMinute;
    now.tm_sec = local.wSecond;
    return now;
}

void ReleaseList(TStringList& list)
{
    TStringList().swap(list);
}

}  // namespace

void InitGlobals(const std::string& currentDir, const std::tm& now, bool uninstallMode)
{
    const std::string windows = WindowsDir();
    Global = TGlobal{};
    Global.UninstallMode = uninstallMode;
    Global.SourceDir = WithTrailingBackslash(currentDir);
    Global.TempDir = windows + "\\Temp\\z2000_" + TimeOfDayDigits(now) + "\\";
    Global.SegmentTempDir = uninstallMode ? Global.SourceDir : windows + "\\Temp\\";
}

void InitGlobals()
{
    InitGlobals(port::CurrentDir(), LocalTimeNow(), Global.UninstallMode);
}

void FreeGlobals()
{
    for (TStringList* list : {&Global.InstallFiles, &Global.AutoexecEntries, &Global.RegistryEntries,
                              &Global.ShortcutEntries, &Global.DestinationFiles, &Global.LaunchFiles})
        ReleaseList(*list);
}
