#include "shell/ScratchFolder.h"

#include <windows.h>

#include <ntsecapi.h>

#include "config/TextFields.h"
#include "port/Exception.h"
#include "port/FileSystem.h"
#include "port/win32/WideText.h"
#include "shell/FolderSecurity.h"
#include "shell/ReparsePoints.h"
#include "shell/RestartRemoval.h"

namespace {

constexpr int kAttempts = 64;

// Eight hex digits from the system's random source.
std::string RandomPart()
{
    unsigned long value = GetTickCount() ^ GetCurrentProcessId();  // only if the source failed
    RtlGenRandom(&value, sizeof value);
    return HexDigits(value, 8);
}

std::string WithoutSlash(const std::string& dir)
{
    return !dir.empty() && dir.back() == '\\' ? dir.substr(0, dir.size() - 1) : dir;
}

}  // namespace

std::string CreateScratchFolder(const std::string& wanted)
{
    const std::string stem = WithoutSlash(wanted);
    TFolderSecurity security(faPrivate);
    std::string path = stem;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (CreateDirectoryW(port::SystemPath(path).c_str(), security.Attributes())) {
            if (IsReparsePoint(path)) break;
            return path + "\\";
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw Exception("Cannot create directory " + path + "\\: " + port::LastSystemError());
        path = stem + "_" + RandomPart();
    }
    throw Exception("Cannot create directory " + path + "\\: every name tried was taken");
}

bool RemoveScratchFolder(const std::string& dir, const std::vector<std::string>& names)
{
    if (IsReparsePoint(WithoutSlash(dir))) return false;
    TRestartRemoval removal;
    bool allGone = true;
    for (const std::string& name : names) {
        if (name.empty() || name.find_first_of("\\/:") != std::string::npos) continue;
        allGone = removal.RemoveFile(dir + name).Result != rmKept && allGone;
    }
    return (RemoveDirectoryW(port::SystemPath(dir).c_str()) || removal.ScheduleDirectoryIfOnlyScheduledLeft(dir)) &&
           allGone;
}
