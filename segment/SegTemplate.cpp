#include "segment/SegTemplate.h"

#include <algorithm>
#include <cctype>

#include "port/FileSystem.h"
#include "segment/SegNaming.h"

namespace {

bool SameLetter(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// Greedy matching with one backtrack point: the last "*" seen takes one more character on a mismatch.
bool Matches(const std::string& name, const std::string& pattern)
{
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starAt = std::string::npos;
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || (pattern[p] != '*' && SameLetter(pattern[p], name[n])))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

void Walk(const std::string& root, const std::string& sub, const std::string& pattern, TBuildMode mode,
          std::vector<TArchiveSource>& files)
{
    std::vector<port::DirEntry> entries = port::ListDirectory(root + sub == "" ? port::CurrentDir() : root + sub);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    for (const port::DirEntry& entry : entries)
        if (!entry.IsDirectory && MatchesPattern(entry.Name, pattern))
            files.push_back({root + sub + entry.Name, sub + entry.Name});
    if (mode != bmRecursive) return;
    for (const port::DirEntry& entry : entries)
        if (entry.IsDirectory) Walk(root, sub + entry.Name + "\\", pattern, mode, files);
}

}  // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern)
{
    if (pattern.empty() || pattern == "*.*") return true;
    return Matches(name, pattern);
}

std::vector<TArchiveSource> FilesOfTemplate(const std::string& Template, TBuildMode mode)
{
    const std::string root = DirectoryPartOf(Template);
    std::vector<TArchiveSource> files;
    Walk(root, "", Template.substr(root.size()), mode, files);
    return files;
}
