#include "shell/FileVersion.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

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

// A resource directory's entry: an id (a name when its high bit is set) and where its data or subdirectory lies.
struct TResourceEntry {
    DWORD Name;
    DWORD Offset;
};

// A module file read as bytes: each read must be there whole, and an address of the loaded image is taken from the
// section whose bytes in the file hold all that is read.
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

    // The section table and where the resources lie; false for anything but a module with resources.
    bool ReadHeaders()
    {
        IMAGE_DOS_HEADER dos;
        if (!Read(0, &dos, sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0) return false;
        const std::uint64_t nt = static_cast<DWORD>(dos.e_lfanew);
        const std::uint64_t optional = nt + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER);
        DWORD signature = 0;
        IMAGE_FILE_HEADER file;
        WORD magic = 0;
        if (!Read(nt, &signature, sizeof signature) || signature != IMAGE_NT_SIGNATURE ||
            !Read(nt + sizeof signature, &file, sizeof file) || !Read(optional, &magic, sizeof magic))
            return false;
        // A 64-bit image's optional header is longer before its data directories.
        const bool wide = magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
        if (!wide && magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC) return false;
        const std::size_t count = wide ? offsetof(IMAGE_OPTIONAL_HEADER64, NumberOfRvaAndSizes)
                                       : offsetof(IMAGE_OPTIONAL_HEADER32, NumberOfRvaAndSizes);
        const std::size_t entry = count + sizeof(DWORD) + IMAGE_DIRECTORY_ENTRY_RESOURCE * sizeof(IMAGE_DATA_DIRECTORY);
        DWORD directories = 0;
        IMAGE_DATA_DIRECTORY resources;
        if (file.SizeOfOptionalHeader < entry + sizeof resources ||
            !Read(optional + count, &directories, sizeof(DWORD)) || directories <= IMAGE_DIRECTORY_ENTRY_RESOURCE ||
            !Read(optional + entry, &resources, sizeof resources))
            return false;
        resources_ = resources.VirtualAddress;
        sections_.resize(file.NumberOfSections);
        return Read(optional + file.SizeOfOptionalHeader, sections_.data(), sections_.size() * sizeof sections_[0]);
    }

    // Where the size bytes at the image address rva lie in the file: in the bytes of one section; none when no
    // section holds them all.
    std::optional<std::uint64_t> FileOffsetOf(std::uint64_t rva, std::uint64_t size) const
    {
        for (const IMAGE_SECTION_HEADER& section : sections_)
            if (rva >= section.VirtualAddress &&
                rva + size <= std::uint64_t{section.VirtualAddress} + section.SizeOfRawData)
                return section.PointerToRawData + (rva - section.VirtualAddress);
        return std::nullopt;
    }

    bool ReadImage(std::uint64_t rva, void* into, std::size_t size) const
    {
        const std::optional<std::uint64_t> at = FileOffsetOf(rva, size);
        return at && Read(*at, into, size);
    }

    // The entry of the resource directory at offset (from the resources' start) that has id, or its first entry for
    // id 0; none when there is no such entry.
    std::optional<DWORD> EntryOf(DWORD offset, WORD id) const
    {
        IMAGE_RESOURCE_DIRECTORY directory;
        if (!ReadImage(std::uint64_t{resources_} + offset, &directory, sizeof directory)) return std::nullopt;
        std::vector<TResourceEntry> entries(std::size_t{directory.NumberOfNamedEntries} + directory.NumberOfIdEntries);
        if (!ReadImage(std::uint64_t{resources_} + offset + sizeof directory, entries.data(),
                       entries.size() * sizeof entries[0]))
            return std::nullopt;
        for (const TResourceEntry& found : entries)
            if (id == 0 || found.Name == id) return found.Offset;
        return std::nullopt;
    }

    // The subdirectory of the one at offset that has id; none when there is none, or the entry holds data.
    std::optional<DWORD> SubdirectoryOf(DWORD offset, WORD id) const
    {
        const std::optional<DWORD> found = EntryOf(offset, id);
        if (!found || (*found & IMAGE_RESOURCE_DATA_IS_DIRECTORY) == 0) return std::nullopt;
        return *found & ~IMAGE_RESOURCE_DATA_IS_DIRECTORY;
    }

    DWORD Resources() const { return resources_; }

private:
    bool Read(std::uint64_t offset, void* into, std::size_t size) const
    {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD read = 0;
        return handle_ != INVALID_HANDLE_VALUE && size <= MAXDWORD &&
               ReadFile(handle_, into, static_cast<DWORD>(size), &read, &at) && read == size;
    }

    HANDLE handle_;
    std::vector<IMAGE_SECTION_HEADER> sections_;
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
    const std::optional<DWORD> names = file.SubdirectoryOf(0, kVersionType);
    const std::optional<DWORD> languages = names ? file.SubdirectoryOf(*names, VS_VERSION_INFO) : std::nullopt;
    const std::optional<DWORD> data = languages ? file.EntryOf(*languages, 0) : std::nullopt;
    IMAGE_RESOURCE_DATA_ENTRY resource;
    TRootBlock block;
    if (!data || (*data & IMAGE_RESOURCE_DATA_IS_DIRECTORY) != 0 ||
        !file.ReadImage(std::uint64_t{file.Resources()} + *data, &resource, sizeof resource) ||
        resource.Size < sizeof block || !file.FileOffsetOf(resource.OffsetToData, resource.Size) ||
        !file.ReadImage(resource.OffsetToData, block, sizeof block))
        return std::nullopt;
    return FixedFileVersion(block, resource.Size);
}
