#include "shell/FileRoutines.h"

#include <windows.h>

#include <vector>

#include "config/TextFields.h"
#include "port/Exception.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "port/win32/WideText.h"

namespace {

std::string FullPath(const std::string& path)
{
    const std::wstring wide = port::Widened(path);
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return port::Narrowed(full);
}

void CopyContents(FileStream& in, const std::string& target)
{
    std::vector<char> buffer(BufferSize);
    FileStream out(target, FileMode::Create);
    for (;;) {
        const std::size_t count = in.Read(buffer.data(), buffer.size());
        out.WriteBuffer(buffer.data(), count);
        if (count < buffer.size()) break;
    }
}

// An installed file keeps the date its maker gave it. A date that cannot be set leaves the copy the
// system's own, as for a file expanded from an archive: the contents are what matters.
void KeepDate(const std::string& source, const std::string& target)
{
    try {
        port::CopyLastWriteTime(source, target);
    } catch (const EInOutError&) {
    }
}

void CreateDirectoryPathWith(const std::string& dir, SECURITY_ATTRIBUTES* security)
{
    // Walk up to the first directory that exists, then create the missing ones downward. A loop, not
    // recursion: a hostile path of thousands of names must not exhaust the stack.
    std::vector<std::string> missing;
    std::string current = dir;
    for (;;) {
        if (current.empty()) throw Exception("Unable to create directory");
        if (current.back() == '\\') current.pop_back();
        if (current.size() <= 2 || port::IsDirectory(current)) break;
        std::string parent = DirectoryPart(current);
        if (parent == current) break;
        missing.push_back(current);
        current = std::move(parent);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        CreateDirectoryW(port::SystemPath(*it).c_str(), security);
}

}  // namespace

void CopyFileTo(const std::string& source, const std::string& dest)
{
    std::string target = FullPath(dest);
    if (HasAttributes(target, FILE_ATTRIBUTE_DIRECTORY)) target = WithTrailingBackslash(target) + FileNamePart(source);

    {
        FileStream in(source, FileMode::OpenRead);
        try {
            CopyContents(in, target);
        } catch (const EFCreateError&) {
            throw;  // a refused create leaves the file that is there untouched
        } catch (const Exception&) {
            DeleteFileW(port::SystemPath(target).c_str());  // no truncated copy may stand in for the file
            throw;
        }
    }
    KeepDate(source, target);
}

bool HasAttributes(const std::string& path, std::uint32_t bits)
{
    return (GetFileAttributesW(port::SystemPath(path).c_str()) & bits) == bits;
}

void DeleteMatchingFiles(const std::string& dir, const std::string& pattern)
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(port::SystemPath(dir + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        DeleteFileW(port::SystemPath(dir + port::Narrowed(found.cFileName)).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void CreateDirectoryPath(const std::string& dir)
{
    CreateDirectoryPathWith(dir, nullptr);
}

void CreateDirectoryPath(const std::string& dir, TFolderAccess access)
{
    TFolderSecurity security(access);
    CreateDirectoryPathWith(dir, security.Attributes());
}
