#pragma once
// What no installation may own, whatever its record says. The uninstaller checks every key of a record
// against these before it removes anything, and the install run never records them as its own: a record
// edited, or one an earlier version wrote wrongly, must not empty a user's Documents or the Windows folder.
// Places are compared in their one spelling (CanonicalPath).
#include <string>
#include <vector>

class TProtectedPlaces {
public:
    // folders: never emptied by a pattern nor removed, themselves; trees: the same for everything below them
    // as well. A file named by itself is never refused: an installation may place files anywhere by name.
    TProtectedPlaces(const std::vector<std::string>& folders, const std::vector<std::string>& trees);

    // This machine's: drive roots (always), the Windows folder as a tree (System32, SysWOW64 and Sysnative
    // inside it), the Program Files folders, the profiles folder, every user profile with its standard folders,
    // the running user's shell folders wherever they were moved, and the all-users folders.
    static TProtectedPlaces OfThisMachine();

    // Why the uninstaller must not delete a "Files" key (a pattern or a single file), or "".
    std::string RefusalOfFileKey(const std::string& key) const;
    // Why the uninstaller must not remove a directory (it names a protected place), or "".
    std::string RefusalOfFolder(const std::string& dir) const;

private:
    bool IsProtectedFolder(const std::string& canonical) const;

    std::vector<std::string> folders_;
    std::vector<std::string> trees_;
};
