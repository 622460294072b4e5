#pragma once
// What could not be removed now (a file in use, such as the running uninstaller, and the directory
// that holds it) is handed to the system to remove at the next restart: MoveFileExA with
// MOVEFILE_DELAY_UNTIL_REBOOT. That needs administrator rights; where it is refused, things stay.
#include <set>
#include <string>

class TRestartRemoval {
public:
    // Schedules every file that dir + pattern still matches (dir ends in "\"); subdirectories are
    // not entered.
    void ScheduleFilesLeft(const std::string& dir, const std::string& pattern);

    // Schedules the directory when everything left in it was scheduled here, so that it is removed
    // after them. The system removes a directory at restart only when it is empty by then.
    void ScheduleDirectoryIfOnlyScheduledLeft(const std::string& dir);

private:
    // Whether the system accepted path, in any letter case and with or without a final "\".
    bool IsScheduled(const std::string& path) const;
    void Schedule(const std::string& path);

    std::set<std::string> scheduled_;  // upper-cased, without a final "\"
};
