#include "shell/FileVersion.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "port/win32/WideText.h"

namespace {

// The root block of a version resource: its length, the length of its value and its type, then its key and, on
// the next four-byte boundary, the fixed part.
constexpr std::size_t kHeaderSize = 3 * sizeof(WORD);
constexpr std::wstring_view kRootKey = L"VS_VERSION_INFO";
constexpr std::size_t kKeySize = (kRootKey.size() + 1) * sizeof(wchar_t);
constexpr std::size_t kValueOffset = (kHeaderSize + kKeySize + 3) / 4 * 4;
using TRootBlock = BYTE[kValueOffset + sizeof(VS_FIXEDFILEINFO)];

constexpr WORD kVersionType = 16;  // RT_VERSION

// Each read of an address walks the section table: a file that claimed tens of thousands of sections and entries
// would keep the run reading for hours. Windows loads no module with more sections; a directory on the way to the
// version holds a handful of entries.
constexpr WORD kMostSections = 96;
constexpr DWORD kMostEntries = 1024;

// The start of the headers after the MS-DOS stub, up to the optional header's first field.
struct TImageStart {
    DWORD Signature;
    IMAGE_FILE_HEADER File;
    WORD Magic;
};

// The optional header's data directories, up to the resources'.
struct TDataDirectories {
    DWORD Count;
    IMAGE_DATA_DIRECTORY Entries[IMAGE_DIRECTORY_ENTRY_RESOURCE + 1];
};

// A resource directory's entry: an id (a name when its high bit is set) and where its data or subdirectory lies.
struct TResourceEntry {
    DWORD Name;
    DWORD Offset;
};

// A module file read as bytes, a header or an entry at a time: each read must be there whole, and an address of the
// loaded image is taken from the section whose bytes in the file hold all that is read. A place 0 is none: neither
// the resources' root nor the file's first byte is where anything looked for lies.
class TModuleFile {
public:
    explicit TModuleFile(const std::string& path)
        : handle_(CreateFileW(port::SystemPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                              nullptr))
    {
    }
    ~TModuleFile()
    {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    TModuleFile(const TModuleFile&) = delete;
    TModuleFile& operator=(const TModuleFile&) = delete;

    // The section table and where the resources lie; false for anything but a module with resources. e_lfanew is
    // below 2 GB, so no sum of it and the headers' sizes overflows.
    bool ReadHeaders()
    {
        IMAGE_DOS_HEADER dos;
        TImageStart start;
        if (!Read(0, &dos, sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0 ||
            !Read(static_cast<DWORD>(dos.e_lfanew), &start, sizeof start) || start.Signature != IMAGE_NT_SIGNATURE)
            return false;
        // A 64-bit image's optional header is longer before its data directories.
        const bool wide = start.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
        if (!wide && start.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC) return false;
        const DWORD directoriesAt = wide ? offsetof(IMAGE_OPTIONAL_HEADER64, NumberOfRvaAndSizes)
                                         : offsetof(IMAGE_OPTIONAL_HEADER32, NumberOfRvaAndSizes);
        const DWORD optional = static_cast<DWORD>(dos.e_lfanew) + offsetof(TImageStart, Magic);
        TDataDirectories directories;
        if (start.File.SizeOfOptionalHeader < directoriesAt + sizeof directories ||
            !Read(optional + directoriesAt, &directories, sizeof directories) ||
            directories.Count <= IMAGE_DIRECTORY_ENTRY_RESOURCE)
            return false;
        resources_ = directories.Entries[IMAGE_DIRECTORY_ENTRY_RESOURCE].VirtualAddress;
        sections_ = optional + start.File.SizeOfOptionalHeader;
        sectionCount_ = start.File.NumberOfSections;
        return sectionCount_ <= kMostSections;
    }

    // Where the size bytes at the image address rva lie in the file; 0 when no section's bytes hold them all.
    std::uint64_t FileOffsetOf(std::uint64_t rva, DWORD size) const
    {
        if (rva > MAXDWORD) return 0;
        IMAGE_SECTION_HEADER section;
        for (WORD index = 0;
             index < sectionCount_ && Read(sections_ + index * sizeof section, &section, sizeof section); ++index) {
            const DWORD into = static_cast<DWORD>(rva) - section.VirtualAddress;
            if (rva >= section.VirtualAddress && into <= section.SizeOfRawData && size <= section.SizeOfRawData - into)
                return std::uint64_t{section.PointerToRawData} + into;
        }
        return 0;
    }

    bool ReadImage(std::uint64_t rva, void* into, DWORD size) const
    {
        const std::uint64_t at = FileOffsetOf(rva, size);
        return at != 0 && Read(at, into, size);
    }

    // The Offset of the entry with id (the first entry for id 0) of the resource directory at offset from the
    // resources' start; 0 when there is none.
    DWORD EntryOf(DWORD offset, WORD id) const
    {
        const std::uint64_t at = std::uint64_t{resources_} + offset;
        IMAGE_RESOURCE_DIRECTORY directory;
        if (!ReadImage(at, &directory, sizeof directory)) return 0;
        const DWORD count =
            std::min<DWORD>(DWORD{directory.NumberOfNamedEntries} + directory.NumberOfIdEntries, kMostEntries);
        TResourceEntry entry;
        for (DWORD index = 0;
             index < count && ReadImage(at + sizeof directory + index * sizeof entry, &entry, sizeof entry); ++index)
            if (id == 0 || entry.Name == id) return entry.Offset;
        return 0;
    }

    // The offset of the subdirectory with id of the one at offset; 0 when there is none, or the entry holds data.
    DWORD SubdirectoryOf(DWORD offset, WORD id) const
    {
        const DWORD found = EntryOf(offset, id);
        return (found & IMAGE_RESOURCE_DATA_IS_DIRECTORY) != 0 ? found & ~IMAGE_RESOURCE_DATA_IS_DIRECTORY : 0;
    }

    DWORD Resources() const { return resources_; }

private:
    bool Read(std::uint64_t offset, void* into, DWORD size) const
    {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD read = 0;
        return ReadFile(handle_, into, size, &read, &at) && read == size;
    }

    HANDLE handle_;
    DWORD sections_ = 0;  // where the section table lies in the file
    WORD sectionCount_ = 0;
    DWORD resources_ = 0;
};

WORD WordAt(const TRootBlock& block, std::size_t offset)
{
    WORD value = 0;
    std::memcpy(&value, block + offset, sizeof value);
    return value;
}

// The version of a root block that its resource of size bytes holds whole.
std::optional<std::uint64_t> FixedFileVersion(const TRootBlock& block, DWORD size)
{
    const std::size_t length = WordAt(block, 0);
    if (length > size || length < sizeof block || WordAt(block, sizeof(WORD)) < sizeof(VS_FIXEDFILEINFO) ||
        std::memcmp(block + kHeaderSize, kRootKey.data(), kKeySize) != 0)
        return std::nullopt;
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, block + kValueOffset, sizeof fixed);
    if (fixed.dwSignature != VS_FFI_SIGNATURE) return std::nullopt;
    return std::uint64_t{fixed.dwFileVersionMS} << 32 | fixed.dwFileVersionLS;
}

}  // namespace

std::optional<std::uint64_t> FileVersionOf(const std::string& path)
{
    TModuleFile file(path);
    if (!file.ReadHeaders()) return std::nullopt;
    // The type, then the name VS_VERSION_INFO, then whichever language comes first, which holds the data.
    const DWORD names = file.SubdirectoryOf(0, kVersionType);
    const DWORD languages = names == 0 ? 0 : file.SubdirectoryOf(names, VS_VERSION_INFO);
    const DWORD data = languages == 0 ? 0 : file.EntryOf(languages, 0);
    IMAGE_RESOURCE_DATA_ENTRY resource;
    TRootBlock block;
    if (data == 0 || (data & IMAGE_RESOURCE_DATA_IS_DIRECTORY) != 0 ||
        !file.ReadImage(std::uint64_t{file.Resources()} + data, &resource, sizeof resource) ||
        resource.Size < sizeof block || file.FileOffsetOf(resource.OffsetToData, resource.Size) == 0 ||
        !file.ReadImage(resource.OffsetToData, block, sizeof block))
        return std::nullopt;
    return FixedFileVersion(block, resource.Size);
}
