#include <algorithm>

#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "port/Exception.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"

namespace {

void WriteAt(Stream& archive, std::int64_t at, const unsigned char* bytes, std::size_t size)
{
    const std::int64_t back = archive.Position();
    archive.Seek(at, SeekOrigin::Begin);
    archive.WriteBuffer(bytes, size);
    archive.Seek(back, SeekOrigin::Begin);
}

std::int32_t SizeOf(FileStream& file)
{
    const std::int64_t size = file.Size();
    if (size > 2147483647) throw EInOutError("File too large for an archive entry: " + file.Path());
    return static_cast<std::int32_t>(size);
}

// A reader stops once the expanded sizes reach the archive's total, so an empty file after the last
// non-empty one would never be expanded: empty files go first.
std::vector<TArchiveSource> EmptyFilesFirst(const std::vector<TArchiveSource>& files)
{
    std::vector<TArchiveSource> ordered = files;
    std::stable_partition(ordered.begin(), ordered.end(), [](const TArchiveSource& file) {
        return port::FileExists(file.Path) && FileStream(file.Path, FileMode::OpenRead).Size() == 0;
    });
    return ordered;
}

}  // namespace

std::int32_t TCompress::CompressFiles(Stream& Archive, const std::vector<TArchiveSource>& Files,
                                      TCompressionMethod Method)
{
    const std::int64_t headerAt = Archive.Position();
    TArchiveHeader header = BuildArchiveHeader(kMethodIds[Method], 0, caMulti);
    Archive.WriteBuffer(header.Encode().data(), TArchiveHeader::kSize);
    std::int32_t total = 0;
    for (const TArchiveSource& file : EmptyFilesFirst(Files)) CompressEntry(Archive, file, Method, total);
    header.TotalSize = total;
    WriteAt(Archive, headerAt, header.Encode().data(), TArchiveHeader::kSize);
    return total;
}

void TCompress::CompressEntry(Stream& archive, const TArchiveSource& file, TCompressionMethod method,
                              std::int32_t& total)
{
    std::string source = file.Path;
    if (OnCheckFile) {
        OnCheckFile(source, cpCompress);
        if (source.empty()) return;
    }
    if (file.StoredName.size() > 32767) throw EInOutError("Stored name too long: " + file.StoredName);
    FileStream input(source, FileMode::OpenRead);

    TEntryHeader entry;
    entry.NameLength = static_cast<std::int16_t>(file.StoredName.size());
    entry.FileDate = static_cast<std::int32_t>(input.DosDateTime());
    entry.Attributes = static_cast<std::int16_t>(port::Attributes(source) & 0x27);  // read-only, hidden, system, archive
    entry.ExpandedSize = SizeOf(input);
    entry.Method = method;
    // Any key scrambles the data, so the entry must say so whatever the key's sign.
    entry.LockType = Key != 0 ? 2 : 0;

    const std::int64_t headerAt = archive.Position();
    archive.WriteBuffer(entry.Encode().data(), TEntryHeader::kSize);
    archive.WriteBuffer(file.StoredName.data(), file.StoredName.size());
    const std::int64_t dataAt = archive.Position();

    std::int32_t checksum = 0;
    if (method == coCustom) {
        std::string id = kMethodIds[coCustom];
        std::int32_t outputSize = 0;
        if (OnCompress) OnCompress(archive, input, id, outputSize, checksum);
        entry.CompressedSize = outputSize;
    } else {
        try {
            entry.CompressedSize =
                CodeStream(archive, input, false, TCodeDirection::Compress, checksum, method, 0, entry.ExpandedSize);
        } catch (const EUnableToCompress&) {
            // The stored form is exactly as long as the input, so it covers whatever was written.
            input.Seek(0, SeekOrigin::Begin);
            archive.Seek(dataAt, SeekOrigin::Begin);
            entry.Method = coNone;
            entry.CompressedSize =
                CodeStream(archive, input, false, TCodeDirection::Compress, checksum, coNone, 0, entry.ExpandedSize);
        }
    }
    if (Cancelled()) throw Exception("Compression cancelled while coding " + source);
    // A locked entry carries the byte sum plus the key, so a wrong key is refused even when unscrambled.
    entry.Checksum = entry.LockType > 0 ? static_cast<std::int32_t>(static_cast<std::uint32_t>(checksum) +
                                                                     static_cast<std::uint32_t>(Key))
                                        : checksum;
    WriteAt(archive, headerAt, entry.Encode().data(), TEntryHeader::kSize);
    archive.Seek(dataAt + entry.CompressedSize, SeekOrigin::Begin);
    total += entry.ExpandedSize;
}
