#include "port/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "port/Exception.h"
#include "port/posix/NativePath.h"

namespace port {

namespace {

bool Stat(const std::string& path, struct stat& st) { return ::stat(NativePath(path).c_str(), &st) == 0; }

[[noreturn]] void Fail(const std::string& what, const std::string& path)
{
    throw EInOutError(what + " " + path + ": " + std::strerror(errno));
}

std::string ParentOf(const std::string& native)
{
    const auto slash = native.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return native.substr(0, slash);
}

}  // namespace

bool FileExists(const std::string& path)
{
    struct stat st {};
    return Stat(path, st) && !S_ISDIR(st.st_mode);
}

bool IsDirectory(const std::string& path)
{
    struct stat st {};
    return Stat(path, st) && S_ISDIR(st.st_mode);
}

void MakeDir(const std::string& path)
{
    if (::mkdir(NativePath(path).c_str(), 0777) != 0) Fail("Cannot create directory", path);
}

void RemoveDir(const std::string& path)
{
    if (::rmdir(NativePath(path).c_str()) != 0) Fail("Cannot remove directory", path);
}

void EraseFile(const std::string& path)
{
    if (::unlink(NativePath(path).c_str()) != 0) Fail("Cannot delete file", path);
}

void ApplyAttributes(const std::string& path, std::uint32_t attributes)
{
    struct stat st {};
    if (!Stat(path, st)) Fail("Cannot read the attributes of", path);
    mode_t mode = st.st_mode & 07777;
    if (attributes & faReadOnly)
        mode &= static_cast<mode_t>(~0222);
    else
        mode |= S_IWUSR;
    if (::chmod(NativePath(path).c_str(), mode) != 0) Fail("Cannot set the attributes of", path);
}

std::uint32_t Attributes(const std::string& path)
{
    struct stat st {};
    if (!Stat(path, st)) Fail("Cannot read the attributes of", path);
    std::uint32_t attributes = 0;
    if (S_ISDIR(st.st_mode)) attributes |= faDirectory;
    if ((st.st_mode & S_IWUSR) == 0) attributes |= faReadOnly;
    return attributes;
}

void CopyLastWriteTime(const std::string& from, const std::string& to)
{
    struct stat st {};
    if (!Stat(from, st)) Fail("Cannot read the date of", from);
    const timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
    if (::utimensat(AT_FDCWD, NativePath(to).c_str(), times, 0) != 0) Fail("Cannot set the date of", to);
}

std::int64_t FreeBytesOnDriveOf(const std::string& path)
{
    std::string native = path.empty() ? std::string(".") : NativePath(path);
    struct statvfs fs {};
    // The file may not exist yet: ask for the nearest directory above it that does.
    while (::statvfs(native.c_str(), &fs) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) return -1;
        const std::string parent = ParentOf(native);
        if (parent == native) return -1;
        native = parent;
    }
    return static_cast<std::int64_t>(fs.f_bavail) * static_cast<std::int64_t>(fs.f_frsize);
}

std::vector<DirEntry> ListDirectory(const std::string& dir)
{
    const std::string native = NativePath(dir);
    DIR* handle = ::opendir(native.c_str());
    if (handle == nullptr) Fail("Cannot list directory", dir);
    std::vector<DirEntry> entries;
    while (const dirent* entry = ::readdir(handle)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::string path = native + "/" + name;
        struct stat own {};
        struct stat target {};
        if (::lstat(path.c_str(), &own) != 0) continue;
        if (S_ISDIR(own.st_mode))
            entries.push_back({name, true});
        else if (::stat(path.c_str(), &target) == 0 && S_ISREG(target.st_mode))
            entries.push_back({name, false});
    }
    ::closedir(handle);
    return entries;
}

std::string LastSystemError()
{
    return std::strerror(errno);
}

std::string CurrentDir()
{
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) Fail("Cannot read the current directory", "");
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

void SetCurrentDir(const std::string& path)
{
    if (::chdir(NativePath(path).c_str()) != 0) Fail("Cannot change to directory", path);
}

std::string ProgramFile()
{
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) Fail("Cannot read the running program's name from", "/proc/self/exe");
        if (static_cast<std::size_t>(length) < buffer.size()) return {buffer.data(), static_cast<std::size_t>(length)};
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace port
