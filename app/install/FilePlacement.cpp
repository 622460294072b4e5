#include "app/install/FilePlacement.h"

#include <windows.h>

#include "config/TextFields.h"
#include "port/Exception.h"
#include "port/win32/WideText.h"
#include "shell/FileRoutines.h"
#include "shell/FileVersion.h"
#include "shell/PendingRenames.h"

namespace {

constexpr int kStagingAttempts = 100;

std::wstring Wide(const std::string& path)
{
    return port::SystemPath(path);
}

// An empty file with a name of its own beside target, for the copy; "" when none can be made. Made by
// hand rather than by GetTempFileName, which takes no folder longer than MAX_PATH.
std::string StagedFileBeside(const std::string& target, TInstallJournal& journal)
{
    const std::string stem = DirectoryPart(target) + "~st" + HexDigits(GetCurrentProcessId(), 4);
    for (int attempt = 0; attempt < kStagingAttempts; ++attempt) {
        const std::string staged = stem + HexDigits(GetTickCount() + static_cast<DWORD>(attempt), 4) + ".tmp";
        const HANDLE file =
            CreateFileW(Wide(staged).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            journal.FileToCreate(staged);
            return staged;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return "";
    }
    return "";
}

// Another process holds the file open without letting others write, or it is a running program.
bool IsInUse(const std::string& path)
{
    const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

// An older version of a shared file would break the programs that need the newer one. Without a version on either
// side, the copy replaces the file as any other does.
bool NewerVersionThere(const std::string& source, const std::string& target)
{
    const std::optional<std::uint64_t> there = FileVersionOf(target);
    if (!there) return false;
    const std::optional<std::uint64_t> copy = FileVersionOf(source);
    return copy && *copy < *there;
}

// The file there goes aside first; should the copy then not take its place, it comes back.
TPlacement MoveOver(const std::string& staged, const std::string& target, bool exists, TInstallJournal& journal)
{
    if (exists && IsInUse(target)) {
        journal.ValueToWrite({HKEY_LOCAL_MACHINE, kPendingRenamesKey}, kPendingRenamesValue);
        if (MoveFileExW(Wide(staged).c_str(), Wide(target).c_str(),
                        MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING))
            return plAtRestart;
    } else if (exists) {
        if (journal.MoveAside(target)) {
            if (MoveFileExW(Wide(staged).c_str(), Wide(target).c_str(), 0)) return plInstalled;
            journal.PutBack(target);
        }
    } else if (MoveFileExW(Wide(staged).c_str(), Wide(target).c_str(), 0)) {
        // Journaled once placed: a file another process put there meanwhile stops the move, and stays its own.
        journal.FileToCreate(target);
        return plInstalled;
    }
    DeleteFileW(Wide(staged).c_str());
    return plRefused;
}

}  // namespace

TPlacement PlaceFile(const std::string& source, const std::string& target, TInstallJournal& journal, bool atRestart)
{
    const DWORD attributes = GetFileAttributesW(Wide(target).c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return plRefused;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return plReadOnly;
    if (GetFileAttributesW(Wide(source).c_str()) == INVALID_FILE_ATTRIBUTES) return plNoSource;
    if (exists && NewerVersionThere(source, target)) return plKeptNewer;
    if (exists && !atRestart && IsInUse(target)) return plInUse;
    const std::string staged = StagedFileBeside(target, journal);
    if (staged.empty()) return plRefused;
    try {
        CopyFileTo(source, staged);
    } catch (const EFOpenError&) {
        DeleteFileW(Wide(staged).c_str());
        return plNoSource;
    } catch (const EFCreateError&) {
        DeleteFileW(Wide(staged).c_str());
        return plRefused;
    } catch (const EInOutError& error) {
        // A full disk: the message names the file the user knows, not the copy beside it.
        DeleteFileW(Wide(staged).c_str());
        std::string message = error.what();
        const std::size_t at = message.find(staged);
        if (at != std::string::npos) message.replace(at, staged.size(), target);
        throw EInOutError(message);
    } catch (...) {
        DeleteFileW(Wide(staged).c_str());
        throw;
    }
    return MoveOver(staged, target, exists, journal);
}
