#include "state/Global.h"

#include <windows.h>

#include <ctime>

#include "port/FileSystem.h"
#include "shell/ShellFolders.h"
#include "config/TextFields.h"

TGlobal Global;

namespace {

// Two digits, "07"; the printf family would bring its whole formatter into setup.exe for this.
std::string TwoDigits(int value)
{
    const int bounded = value < 0 ? 0 : value % 100;
    return {static_cast<char>('0' + bounded / 10), static_cast<char>('0' + bounded % 10)};
}

// The time of day as "hhnnss".
std::string TimeOfDayDigits(const std::tm& now)
{
    return TwoDigits(now.tm_hour) + TwoDigits(now.tm_min) + TwoDigits(now.tm_sec);
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
    Global.SegmentTempDir = uninstallMode ? Global.SourceDir : Global.TempDir;
}

void InitGlobals()
{
    InitGlobals(port::CurrentDir(), LocalTimeNow(), Global.UninstallMode);
}

void FreeGlobals()
{
    for (TStringList* list :
         {&Global.InstallFiles, &Global.AutoexecEntries, &Global.RegistryEntries, &Global.ShortcutEntries,
          &Global.DestinationFiles, &Global.LaunchFiles, &Global.TempFiles})
        ReleaseList(*list);
}
