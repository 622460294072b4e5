#include <algorithm>
#include <cctype>
#include <memory>

#include "compress/Codecs.h"
#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "port/Exception.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"

namespace {

constexpr std::int32_t kUnlimited = 2147483647;

bool SameTextIgnoringCase(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

bool Listed(const std::vector<std::string>& list, const std::string& name)
{
    return std::any_of(list.begin(), list.end(), [&](const std::string& s) { return SameTextIgnoringCase(s, name); });
}

void MovePast(Stream& archive, const TEntry& entry)
{
    archive.Seek(entry.DataOffset + entry.Header.CompressedSize, SeekOrigin::Begin);
}

// Where the entries a solid chain needs but nobody wants are expanded to.
class TDiscardStream : public Stream {
public:
    std::size_t Read(void*, std::size_t) override { return 0; }
    std::size_t Write(const void*, std::size_t count) override { return count; }
    std::int64_t Seek(std::int64_t, SeekOrigin) override { return 0; }
    std::int64_t Size() override { return 0; }
};

// Dates and attributes are cosmetic: a file that was written and passed its checksum stays written
// when they cannot be set (a date of 0 or of a day that does not exist), with what the system gave it.
void ApplyEntryDate(FileStream& file, const TEntryHeader& header)
{
    try {
        file.SetDosDateTime(static_cast<std::uint32_t>(header.FileDate));
    } catch (const EInOutError&) {
    }
}

void ApplyEntryAttributes(const std::string& path, const TEntryHeader& header)
{
    try {
        port::ApplyAttributes(path, static_cast<std::uint16_t>(header.Attributes));
    } catch (const EInOutError&) {
    }
}

}  // namespace

void TCompress::ScanArchive(const std::string& FileName, TArchiveList& List)
{
    FileStream archive(FileName, FileMode::OpenRead);
    // The smallest archive that lists anything: the header and one entry with no name and no data.
    if (archive.Remaining() < static_cast<std::int64_t>(TArchiveHeader::kSize + TEntryHeader::kSize)) return;
    ReadArchiveHeader(archive);
    while (const auto entry = ReadEntryHeader(archive)) {
        List.push_back({entry->Name, TCompressedFileInfo::From(*entry)});
        MovePast(archive, *entry);
    }
}

void TCompress::ExpandArchive(const std::string& FileName, std::vector<std::string>* List)
{
    FileStream archive(FileName, FileMode::OpenRead);
    ExpandArchiveStream(archive, List);
}

void TCompress::ExpandArchiveStream(Stream& archive, std::vector<std::string>* List)
{
    std::vector<std::string> written;
    const TArchiveHeader header = ReadArchiveHeader(archive);
    TCodingChain chain;  // a solid method's, from one entry to the next
    std::int64_t running = 0;  // hostile sizes must not overflow the sum
    while (running < header.TotalSize) {
        const auto entry = ReadEntryHeader(archive);
        if (!entry) break;
        const TEntryHeader& h = entry->Header;
        if (List != nullptr && !Listed(*List, entry->Name)) {
            SkipEntry(archive, *entry, header.MethodId, chain);
            running += h.ExpandedSize;
            continue;
        }
        std::string destination = !entry->Name.empty() && entry->Name[0] == '\\' ? entry->Name : targetPath_ + entry->Name;
        if (OnCheckFile) {
            OnCheckFile(destination, cpExpand);
            if (destination.empty()) {
                SkipEntry(archive, *entry, header.MethodId, chain);
                continue;
            }
            if (destination == "*") break;
        }
        const TCodec decoder = EntryDecoder(*entry, header.MethodId);
        if (AvailableSpaceFor(destination) < h.ExpandedSize) throw EInsufficientDiskSpace(destination);
        if (MakeDirectories) MakeDirectoryPath(destination.substr(0, destination.find_last_of('\\') + 1));

        std::unique_ptr<FileStream> file;
        try {
            file = std::make_unique<FileStream>(destination, FileMode::Create);
        } catch (const EFCreateError&) {
            if (ExceptionOnFileError) throw;
            SkipEntry(archive, *entry, header.MethodId, chain);
            continue;
        }
        try {
            ExpandEntry(*file, archive, *entry, header.MethodId, decoder, &chain);
        } catch (const EInvalidKey&) {
            file.reset();
            port::EraseFile(destination);
            throw;
        } catch (...) {
            file.reset();
            ApplyEntryAttributes(destination, h);
            throw;
        }
        ApplyEntryDate(*file, h);
        written.push_back(destination);
        file.reset();
        ApplyEntryAttributes(destination, h);
        running += h.ExpandedSize;
        // A decoder may stop short of its data, and a custom handler may read less or more:
        // the next entry starts where this one's data end.
        MovePast(archive, *entry);
    }
    if (List != nullptr) *List = std::move(written);
}

// An entry of a solid chain is expanded all the same, to nowhere, for the entries after it; should that fail,
// the chain ends, and an entry that goes on with it is refused by name when it is wanted.
void TCompress::SkipEntry(Stream& archive, const TEntry& entry, const std::string& MethodId, TCodingChain& chain)
{
    if (IsSolidMethod(entry.Header.Method, MethodId)) {
        TDiscardStream nowhere;
        try {
            ExpandEntry(nowhere, archive, entry, MethodId, EntryDecoder(entry, MethodId), &chain);
        } catch (const Exception&) {
            if (Cancelled()) throw;
            chain.state.reset();
        }
    }
    MovePast(archive, entry);
}

TCodec TCompress::EntryDecoder(const TEntry& entry, const std::string& MethodId) const
{
    const std::uint8_t method = entry.Header.Method;
    if (const TCodec decoder = DecoderOf(method, MethodId)) return decoder;
    if (method == coCustom && OnExpand) return nullptr;
    if (method == coCustom)
        throw EUnknownEntryMethod(entry.Name + ": its custom method \"" + MethodId +
                                  "\" has no built-in decoder and no OnExpand handler; nothing was written");
    throw EUnknownEntryMethod(entry.Name + ": its method " + std::to_string(method) + " is unknown; nothing was written");
}

void TCompress::ExpandEntry(Stream& Dest, Stream& Source, const TEntry& entry, const std::string& MethodId,
                            TCodec decoder, TCodingChain* chain)
{
    const TEntryHeader& h = entry.Header;
    const bool locked = h.LockType > 0;
    if (locked && Key == 0) throw EInvalidKey();
    std::int32_t computed = 0;
    if (decoder == nullptr) {
        OnExpand(Dest, Source, h.CompressedSize, h.ExpandedSize, MethodId, computed);
    } else {
        try {
            CodeWith(decoder, Dest, Source, h.LockType == 2, TCodeDirection::Expand, computed, h.ExpandedSize,
                     h.CompressedSize, chain);
        } catch (const ELZHBadDecodeTable&) {
            if (locked) throw EInvalidKey();
            throw;
        } catch (const ELzmaData& e) {
            if (locked) throw EInvalidKey();  // a wrong key leaves no header or stream the decoder accepts
            throw ELzmaData(entry.Name + ": " + e.what());
        }
    }
    if (computed == h.Checksum || (h.Checksum == 0 && h.Method == coNone)) return;
    if (!locked) throw EBadChecksum();
    const auto keyed = static_cast<std::uint32_t>(Key) + static_cast<std::uint32_t>(computed);
    if (keyed != static_cast<std::uint32_t>(h.Checksum)) throw EInvalidKey();
}

std::int32_t TCompress::AvailableSpaceFor(const std::string& Path) const
{
    if (!CheckSpaceBeforeExpand) return kUnlimited;
    // The free figure is held in single precision, as the space test has always computed it.
    const std::int64_t bytes = port::FreeBytesOnDriveOf(Path);
    const float free = bytes < 0 ? -1.0f : static_cast<float>(bytes);
    std::int32_t result = kUnlimited;
    if (free < static_cast<float>(kUnlimited)) result = static_cast<std::int32_t>(free);
    if (result < kUnlimited && port::FileExists(Path)) {
        FileStream existing(Path, FileMode::OpenRead);
        const std::int64_t size = existing.Size();
        result = size + static_cast<std::int64_t>(free) < kUnlimited ? static_cast<std::int32_t>(result + size) : kUnlimited;
    }
    return result;
}

void TCompress::MakeDirectoryPath(const std::string& Dir)
{
    std::vector<std::string> missing;
    std::string dir = Dir;
    while (!dir.empty()) {
        if (dir.back() == '\\') dir.pop_back();
        if (dir.size() < 3 || port::IsDirectory(dir)) break;
        missing.push_back(dir);
        const auto slash = dir.find_last_of('\\');
        dir = slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) port::MakeDir(*it);
}
