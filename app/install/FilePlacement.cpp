#include "app/install/FilePlacement.h"

#include <windows.h>

#include "config/TextFields.h"
#include "port/Exception.h"
#include "shell/FileRoutines.h"

namespace {

// An empty file with a name of its own beside target, for the copy; "" when none can be made.
std::string StagedFileBeside(const std::string& target)
{
    char staged[MAX_PATH] = {};
    if (GetTempFileNameA(DirectoryPart(target).c_str(), "~st", 0, staged) == 0) return "";
    return staged;
}

// Another process holds the file open without letting others write, or it is a running program.
bool IsInUse(const std::string& path)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

TPlacement MoveOver(const std::string& staged, const std::string& target, bool exists)
{
    if (exists && IsInUse(target)) {
        if (MoveFileExA(staged.c_str(), target.c_str(), MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING))
            return plAtRestart;
    } else if (MoveFileExA(staged.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return plInstalled;
    }
    DeleteFileA(staged.c_str());
    return plRefused;
}

}  // namespace

TPlacement PlaceFile(const std::string& source, const std::string& target)
{
    const DWORD attributes = GetFileAttributesA(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return plRefused;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return plReadOnly;
    if (GetFileAttributesA(source.c_str()) == INVALID_FILE_ATTRIBUTES) return plNoSource;
    const std::string staged = StagedFileBeside(target);
    if (staged.empty()) return plRefused;
    try {
        CopyFileTo(source, staged);
    } catch (const EFOpenError&) {
        DeleteFileA(staged.c_str());
        return plNoSource;
    } catch (const EFCreateError&) {
        DeleteFileA(staged.c_str());
        return plRefused;
    } catch (const EInOutError& error) {
        // A full disk: the message names the file the user knows, not the copy beside it.
        DeleteFileA(staged.c_str());
        std::string message = error.what();
        const std::size_t at = message.find(staged);
        if (at != std::string::npos) message.replace(at, staged.size(), target);
        throw EInOutError(message);
    } catch (...) {
        DeleteFileA(staged.c_str());
        throw;
    }
    return MoveOver(staged, target, exists);
}
