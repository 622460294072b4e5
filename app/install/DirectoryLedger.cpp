#include "app/install/DirectoryLedger.h"

#include <vector>

#include "app/record/FileKeyRules.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "shell/FileRoutines.h"
#include "shell/PathIdentity.h"

namespace {

// dir and its parents that do not exist yet, walking up as CreateDirectoryPath does.
std::vector<std::string> MissingDirectories(std::string dir)
{
    std::vector<std::string> missing;
    for (;;) {
        while (!dir.empty() && dir.back() == '\\') dir.pop_back();
        if (dir.size() <= 2 || port::IsDirectory(dir)) break;
        std::string parent = DirectoryPart(dir);
        missing.push_back(dir);
        if (parent.empty() || PathIdentity(parent) == PathIdentity(dir)) break;
        dir = std::move(parent);
    }
    return missing;
}

}  // namespace

std::vector<std::string> TDirectoryLedger::Create(const std::string& dir, TInstallJournal& journal)
{
    const std::vector<std::string> missing = dir.empty() ? std::vector<std::string>() : MissingDirectories(dir);
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) journal.DirectoryToCreate(*it);
    CreateDirectoryPath(dir, faProgram);
    std::vector<std::string> created;
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!port::IsDirectory(*it)) continue;
        owned_.insert(PathIdentity(*it));
        created.push_back(*it);
    }
    return created;
}

bool TDirectoryLedger::Owns(const std::string& dir) const
{
    return owned_.contains(PathIdentity(dir));
}
