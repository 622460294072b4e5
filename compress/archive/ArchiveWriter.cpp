#include <algorithm>
#include <cctype>
#include <thread>

#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "compress/archive/ArchiveBudget.h"
#include "compress/archive/ArchivePlan.h"
#include "compress/pool/EntryCoding.h"
#include "compress/pool/EntryCodingPool.h"
#include "compress/pool/SolidParts.h"
#include "port/Exception.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"

// What the entries written so far add up to, and the method identifier the archive header carries:
// the built-in method's, or what the custom coder answered.
struct TArchiveTally {
    TArchiveBudget budget;
    std::string methodId;
    std::string answeredFor;  // the file whose custom coding first answered methodId

    // An archive carries one identifier for all its entries, and the reader hands it to every one.
    void NoteAnswer(const std::string& compressId, const std::string& path)
    {
        std::string id = compressId.substr(0, 3);
        id.resize(3, ' ');
        if (EncoderOf(coCustom, id) != nullptr)
            throw Exception("OnCompress answered \"" + id + "\" for " + path +
                            ", the identifier of a built-in method: its decoder, not OnExpand, would read the archive");
        if (answeredFor.empty()) {
            methodId = id;
            answeredFor = path;
        } else if (id != methodId) {
            throw Exception("OnCompress answered \"" + id + "\" for " + path + " but \"" + methodId + "\" for " +
                            answeredFor + ": an archive carries one method identifier");
        }
    }
};

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

// Files too large for one archive are refused before a byte is written. A file that is missing is
// named by the error of opening it, in its place.
void CheckArchiveFits(const std::vector<TArchiveSource>& files)
{
    TArchiveBudget budget;
    for (const TArchiveSource& file : files)
        if (port::FileExists(file.Path))
            budget.Add(file.Path, FileStream(file.Path, FileMode::OpenRead).Size(), file.StoredName.size());
}

std::string Lowered(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ExtensionOf(const std::string& name)
{
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of('\\');
    return dot == std::string::npos || (slash != std::string::npos && dot < slash) ? std::string() : name.substr(dot);
}

// A solid chain codes what its files share once, as far as its dictionary reaches back: files of a kind,
// and files of one family, are put side by side, by extension and then by name. Empty files still go first.
std::vector<TArchiveSource> SolidOrder(std::vector<TArchiveSource> files)
{
    std::stable_sort(files.begin(), files.end(), [](const TArchiveSource& a, const TArchiveSource& b) {
        const std::string x = Lowered(a.StoredName);
        const std::string y = Lowered(b.StoredName);
        return std::make_pair(ExtensionOf(x), x) < std::make_pair(ExtensionOf(y), y);
    });
    return EmptyFilesFirst(files);
}

// The built-in coders need no event, so several files can be coded at once.
unsigned ParallelWorkersFor(const TEntryMethod& method, std::size_t files)
{
    if (method.Encoder == nullptr || files < 2) return 0;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores < 2 ? 0 : static_cast<unsigned>(std::min<std::size_t>(cores, files));
}

}  // namespace

std::int32_t TCompress::CompressFiles(Stream& Archive, const std::vector<TArchiveSource>& Files,
                                      TCompressionMethod Method)
{
    const TEntryMethod method{Method, EncoderOf(Method, CompressID)};
    if (Method != coCustom && method.Encoder == nullptr)
        throw Exception("The method " + std::to_string(Method) + " is unknown; nothing was written");
    if (method.Encoder == nullptr && !OnCompress)
        throw Exception("coCustom \"" + CompressID +
                        "\" is coded by the OnCompress handler, and none is assigned; nothing was written");
    CheckArchiveFits(Files);
    const std::int64_t headerAt = Archive.Position();
    TArchiveHeader header = BuildArchiveHeader(Method == coCustom ? CompressID : kMethodIds[Method], 0, caMulti);
    Archive.WriteBuffer(header.Encode().data(), TArchiveHeader::kSize);
    TArchiveTally tally{{}, header.MethodId, {}};
    const std::vector<TArchiveSource> ordered = EmptyFilesFirst(Files);
    if (IsSolidMethod(Method, CompressID)) {
        WriteSolidParts(Archive, ordered, method, tally);
    } else if (const unsigned workers = ParallelWorkersFor(method, ordered.size()); workers > 0) {
        WriteEntriesCodedAhead(Archive, ordered, method, workers, tally);
    } else {
        for (const TArchiveSource& file : ordered)
            if (const std::string source = CheckedSource(file.Path); !source.empty())
                WriteEntry(Archive, {source, file.StoredName}, method, tally);
    }
    header.MethodId = tally.methodId;
    header.TotalSize = tally.budget.ExpandedTotal();
    WriteAt(Archive, headerAt, header.Encode().data(), TArchiveHeader::kSize);
    return header.TotalSize;
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
                                       const TEntryMethod& method, unsigned workers, TArchiveTally& tally)
{
    TEntryCodingPool pool(method, Key, workers);
    TArchivePlan plan(files, pool, CodedAheadLimit, [this](const std::string& path) { return CheckedSource(path); });
    for (std::size_t i = 0; i < files.size(); ++i) {
        const TArchivePlan::Entry entry = plan.Through(i);
        if (entry.file.Path.empty()) continue;
        if (entry.direct) {
            WriteEntry(archive, entry.file, method, tally);
            continue;
        }
        WriteCodedEntry(archive, entry.file,
                        TakeCoded([&](const TShowProgressEvent& progress) { return pool.Take(entry.ticket, progress); },
                                  entry.file.Path),
                        tally);
    }
}

// The check handler hears every file first, in order; the parts are cut from the files it lets through.
void TCompress::WriteSolidParts(Stream& archive, const std::vector<TArchiveSource>& files, const TEntryMethod& method,
                                TArchiveTally& tally)
{
    std::vector<TArchiveSource> checked;
    for (const TArchiveSource& file : files)
        if (const std::string source = CheckedSource(file.Path); !source.empty())
            checked.push_back({source, file.StoredName});
    const std::vector<TArchiveSource> ordered = SolidOrder(checked);
    TSolidParts parts(ordered, method, Key, std::thread::hardware_concurrency() >= 2);
    for (std::size_t i = 0; i < ordered.size(); ++i)
        WriteCodedEntry(archive, ordered[i],
                        TakeCoded([&](const TShowProgressEvent& progress) { return parts.Take(i, progress); },
                                  ordered[i].Path),
                        tally);
}

// The progress handler hears 0, the entry's progress while it is being coded, and 100, as it would
// from CodeStream.
TCodedEntry TCompress::TakeCoded(const std::function<TCodedEntry(const TShowProgressEvent&)>& take,
                                 const std::string& source)
{
    cancelled_ = ShowProgress(0);
    if (cancelled_) throw Exception("Compression cancelled while coding " + source);
    TCodedEntry coded = take(OnShowProgress);
    cancelled_ = coded.Cancelled;
    if (cancelled_) throw Exception("Compression cancelled while coding " + source);
    ShowProgress(100);
    return coded;
}

void TCompress::WriteCodedEntry(Stream& archive, const TArchiveSource& file, const TCodedEntry& coded,
                                TArchiveTally& tally)
{
    tally.budget.Add(file.Path, coded.Header.ExpandedSize, file.StoredName.size());
    archive.WriteBuffer(coded.Header.Encode().data(), TEntryHeader::kSize);
    archive.WriteBuffer(file.StoredName.data(), file.StoredName.size());
    archive.WriteBuffer(coded.Data.data(), coded.Data.size());
}

void TCompress::WriteEntry(Stream& archive, const TArchiveSource& file, const TEntryMethod& method,
                           TArchiveTally& tally)
{
    FileStream input(file.Path, FileMode::OpenRead);
    TEntryHeader entry = EntryHeaderFor(input, file.StoredName, method.Method, Key);
    tally.budget.Add(file.Path, entry.ExpandedSize, file.StoredName.size());
    const std::int64_t headerAt = archive.Position();
    archive.WriteBuffer(entry.Encode().data(), TEntryHeader::kSize);
    archive.WriteBuffer(file.StoredName.data(), file.StoredName.size());
    const std::int64_t dataAt = archive.Position();

    std::int32_t checksum = 0;
    if (method.Encoder == nullptr) {
        entry.CompressedSize = CodeCustom(archive, input, dataAt, checksum, tally);
        CheckSourceUnchanged(input, entry, entry.ExpandedSize);
    } else {
        try {
            entry.CompressedSize = CodeWith(method.Encoder, archive, input, false, TCodeDirection::Compress, checksum,
                                            0, entry.ExpandedSize);
        } catch (const EUnableToCompress&) {
            // The stored form is exactly as long as the input, so it covers whatever was written.
            input.Seek(0, SeekOrigin::Begin);
            archive.Seek(dataAt, SeekOrigin::Begin);
            entry.Method = coNone;
            entry.CompressedSize = CodeWith(EncoderOf(coNone, {}), archive, input, false, TCodeDirection::Compress,
                                            checksum, 0, entry.ExpandedSize);
        }
        if (Cancelled()) throw Exception("Compression cancelled while coding " + file.Path);
        CheckSourceUnchanged(input, entry, inputCount_);
    }
    entry.Checksum = EntryChecksum(checksum, entry, Key);
    WriteAt(archive, headerAt, entry.Encode().data(), TEntryHeader::kSize);
    archive.Seek(dataAt + entry.CompressedSize, SeekOrigin::Begin);
}

// The handler writes the coded data and says how many it wrote; a size that disagrees with what it
// wrote would cut or shift every entry after this one.
std::int32_t TCompress::CodeCustom(Stream& archive, FileStream& input, std::int64_t dataAt, std::int32_t& checksum,
                                   TArchiveTally& tally)
{
    std::string compressId = CompressID;
    std::int32_t outputSize = 0;
    OnCompress(archive, input, compressId, outputSize, checksum);
    const std::int64_t written = archive.Position() - dataAt;
    if (written != outputSize)
        throw Exception("OnCompress wrote " + std::to_string(written) + " bytes for " + input.Path() + " but answered " +
                        std::to_string(outputSize));
    tally.NoteAnswer(compressId, input.Path());
    return outputSize;
}
