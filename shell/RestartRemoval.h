#pragma once
// Removing files that may be in use. A file that is in use (a sharing violation, or the running program
// itself) and the directory that holds it are handed to the system to remove at the next restart:
// MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT. That needs administrator rights; where it is refused,
// things stay. Nothing else waits for the restart: a read-only file loses the attribute and goes now.
#include <set>
#include <string>
#include <vector>

// What became of one file.
enum TRemoval { rmDeleted, rmAtRestart, rmKept };

struct TFileRemoval {
    std::string Path;
    TRemoval Result;
};

class TRestartRemoval {
public:
    // Deletes every file dir + pattern matches (dir ends in "\"), read-only ones included, and schedules
    // those in use; subdirectories are not entered, and links (reparse points) are left. What became of
    // each file.
    std::vector<TFileRemoval> DeleteMatchingFiles(const std::string& dir, const std::string& pattern);
    // The same for one file by its name.
    TFileRemoval RemoveFile(const std::string& path);

    // Schedules the directory when everything left in it was scheduled here, so that it is removed
    // after them (true). The system removes a directory at restart only when it is empty by then.
    bool ScheduleDirectoryIfOnlyScheduledLeft(const std::string& dir);

private:
    TFileRemoval Remove(const std::string& path, unsigned long attributes);
    // Whether the system accepted path, in any letter case and with or without a final "\".
    bool IsScheduled(const std::string& path) const;
    // True when the system accepted it.
    bool Schedule(const std::string& path);

    std::set<std::string> scheduled_;  // PathIdentity
};
