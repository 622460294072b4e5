#pragma once
// The long (not 8.3) names of a path's folders and file, looked up one name at a time and remembered: the
// protected places are some hundred paths in a few dozen folders, and a lookup of every path from its root
// asked the file system for the same folders hundreds of times (a fifth of a second of every run under Wine).
#include <string>
#include <utility>
#include <vector>

class TLongNames {
public:
    // The long form of as much of an absolute path ("X:\..." or "\\server\share\...") as exists, the rest appended
    // as it is; any other path as it is. What it looked up stays remembered for the object's life: keep one only
    // for a batch of paths, not across changes to the folders.
    std::string LongForm(const std::string& path);

private:
    // The long name of the file or folder name in folder (a long form), or "" when there is none.
    std::string NameIn(const std::string& folder, const std::string& name);

    // Each name looked up (its identity) with its long name or "": a few hundred at most, where a list costs
    // setup.exe less than a map.
    std::vector<std::pair<std::string, std::string>> known_;
};
