#include "segment/SegNaming.h"

#include <cctype>
#include <vector>

#include "port/FileSystem.h"
#include "segment/SegError.h"
#include "segment/SegFormat.h"

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsAbsolute(const std::string& path)
{
    if (!path.empty() && IsSeparator(path[0])) return true;
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

// A rooted path without a drive takes the drive of the current directory, where there are drives.
std::string RootOfCurrentDir()
{
    const std::string current = port::CurrentDir();
    return current.size() >= 2 && current[1] == ':' ? current.substr(0, 2) : std::string();
}

// Drops "." and resolves ".." against the names before it, never above the root.
std::string WithoutDotNames(const std::string& path)
{
    std::size_t rootEnd = 0;
    if (path.size() >= 2 && path[1] == ':') rootEnd = 2;
    if (rootEnd < path.size() && IsSeparator(path[rootEnd])) ++rootEnd;
    std::vector<std::string> names;
    std::string name;
    for (std::size_t i = rootEnd; i <= path.size(); ++i) {
        if (i < path.size() && !IsSeparator(path[i])) {
            name += path[i];
            continue;
        }
        if (name == "..") {
            if (!names.empty()) names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        name.clear();
    }
    std::string result = path.substr(0, rootEnd);
    for (std::size_t i = 0; i < names.size(); ++i) result += (i == 0 ? "" : "\\") + names[i];
    if (!names.empty() && IsSeparator(path.back())) result += '\\';
    return result;
}

std::string Absolute(const std::string& path)
{
    if (IsAbsolute(path)) return WithoutDotNames(path[0] == '\\' || path[0] == '/' ? RootOfCurrentDir() + path : path);
    std::string current = port::CurrentDir();
    if (!IsSeparator(current.back())) current += '\\';
    return WithoutDotNames(current + path);
}

std::string WithoutOneTrailingBackslash(std::string path)
{
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

}  // namespace

std::string SegFileNameFor(const std::string& BaseName, const std::string& Ext, std::uint32_t n)
{
    if (n == 0 || n > segfmt::kMaxSegmentNumber) throw ESegError(segmsg::kSegmentNumberRange);
    if (!Ext.empty()) return BaseName + "." + Ext;
    std::string number = std::to_string(n);
    if (number.size() < 3) number.insert(0, 3 - number.size(), '0');
    return BaseName + "." + number;
}

std::string SegFilePathFor(const std::string& Dir, const std::string& FileName)
{
    return WithoutOneTrailingBackslash(Dir) + "\\" + FileName;
}

std::string DirectoryPartOf(const std::string& path)
{
    const auto cut = path.find_last_of("\\:");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string FoldPathCase(std::string path)
{
    if (port::kPathsIgnoreCase)
        for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return path;
}

std::string NormalSegBaseName(const std::string& value)
{
    const std::string name = FoldPathCase(value.substr(DirectoryPartOf(value).size()));
    return name.empty() ? "SegData" : name;
}

std::string NormalSegDir(const std::string& value)
{
    return value.empty() ? "a:\\" : FoldPathCase(Absolute(value));
}

std::string NormalSegExt(const std::string& value)
{
    return value.substr(0, 3);
}

std::string NormalSegTmpDir(const std::string& value)
{
    return FoldPathCase(WithoutOneTrailingBackslash(value.empty() ? port::CurrentDir() : value));
}
