#include <algorithm>
#include <thread>

#include "compress/ArchivePlan.h"
#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "compress/EntryCoding.h"
#include "compress/EntryCodingPool.h"
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

// The coders of the built-in methods need no event, so several files can be coded at once.
unsigned ParallelWorkersFor(TCompressionMethod method, std::size_t files)
{
    if (method == coCustom || files < 2) return 0;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores < 2 ? 0 : static_cast<unsigned>(std::min<std::size_t>(cores, files));
}

}  // namespace

std::int32_t TCompress::CompressFiles(Stream& Archive, const std::vector<TArchiveSource>& Files,
                                      TCompressionMethod Method)
{
    const std::int64_t headerAt = Archive.Position();
    TArchiveHeader header = BuildArchiveHeader(kMethodIds[Method], 0, caMulti);
    Archive.WriteBuffer(header.Encode().data(), TArchiveHeader::kSize);
    std::int32_t total = 0;
    const std::vector<TArchiveSource> ordered = EmptyFilesFirst(Files);
    if (const unsigned workers = ParallelWorkersFor(Method, ordered.size()); workers > 0) {
        WriteEntriesCodedAhead(Archive, ordered, Method, workers, total);
    } else {
        for (const TArchiveSource& file : ordered)
            if (const std::string source = CheckedSource(file.Path); !source.empty())
                WriteEntry(Archive, {source, file.StoredName}, Method, total);
    }
    header.TotalSize = total;
    WriteAt(Archive, headerAt, header.Encode().data(), TArchiveHeader::kSize);
    return total;
}

std::string TCompress::CheckedSource(const std::string& path)
{
    std::string source = path;
    if (OnCheckFile) OnCheckFile(source, cpCompress);
    return source;
}

// The check handler hears the files in order, each before it is coded; workers code the files ahead
// while the caller's thread writes them in order and passes their progress on.
void TCompress::WriteEntriesCodedAhead(Stream& archive, const std::vector<TArchiveSource>& files,
                                       TCompressionMethod method, unsigned workers, std::int32_t& total)
{
    TEntryCodingPool pool(method, Key, workers);
    TArchivePlan plan(files, pool, CodedAheadLimit, [this](const std::string& path) { return CheckedSource(path); });
    for (std::size_t i = 0; i < files.size(); ++i) {
        const TArchivePlan::Entry entry = plan.Through(i);
        if (entry.file.Path.empty()) continue;
        if (entry.direct) {
            WriteEntry(archive, entry.file, method, total);
            continue;
        }
        WriteCodedEntry(archive, entry.file, TakeCoded(pool, entry.ticket, entry.file.Path), total);
    }
}

// The progress handler hears 0, the entry's progress while it is being coded, and 100, as it would
// from CodeStream.
TCodedEntry TCompress::TakeCoded(TEntryCodingPool& pool, std::size_t ticket, const std::string& source)
{
    cancelled_ = ShowProgress(0);
    if (cancelled_) throw Exception("Compression cancelled while coding " + source);
    TCodedEntry coded = pool.Take(ticket, OnShowProgress);
    cancelled_ = coded.Cancelled;
    if (cancelled_) throw Exception("Compression cancelled while coding " + source);
    ShowProgress(100);
    return coded;
}

void TCompress::WriteCodedEntry(Stream& archive, const TArchiveSource& file, const TCodedEntry& coded,
                                std::int32_t& total)
{
    archive.WriteBuffer(coded.Header.Encode().data(), TEntryHeader::kSize);
    archive.WriteBuffer(file.StoredName.data(), file.StoredName.size());
    archive.WriteBuffer(coded.Data.data(), coded.Data.size());
    total += coded.Header.ExpandedSize;
}

void TCompress::WriteEntry(Stream& archive, const TArchiveSource& file, TCompressionMethod method,
                           std::int32_t& total)
{
    FileStream input(file.Path, FileMode::OpenRead);
    TEntryHeader entry = EntryHeaderFor(input, file.StoredName, method, Key);
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
    if (Cancelled()) throw Exception("Compression cancelled while coding " + file.Path);
    entry.Checksum = EntryChecksum(checksum, entry, Key);
    WriteAt(archive, headerAt, entry.Encode().data(), TEntryHeader::kSize);
    archive.Seek(dataAt + entry.CompressedSize, SeekOrigin::Begin);
    total += entry.ExpandedSize;
}
