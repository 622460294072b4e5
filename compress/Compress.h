#pragma once
// TCompress: the compression component. Lists and expands archives of files, codes single streams
// in either direction, and writes archives.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "compress/Codecs.h"
#include "compress/CompThreadSafety.h"
#include "compress/archive/ArchiveFormat.h"
#include "port/Stream.h"

// Which operation asks a file-check handler about a file.
enum TCProcessMode { cpCompress = 0, cpExpand = 1 };

enum class TCodeDirection { Expand, Compress };

using TFilenameCheckEvent = std::function<void(std::string& filepath, TCProcessMode mode)>;
using TCompressEvent = std::function<void(Stream& dest, Stream& source, std::string& CompressID,
                                          std::int32_t& Outputsize, std::int32_t& checksum)>;
using TExpandEvent = std::function<void(Stream& dest, Stream& source, std::int32_t Sourcesize, std::int32_t Destsize,
                                        const std::string& CompressID, std::int32_t& checksum)>;
using TRecognizeEvent = std::function<void(const std::string& CompressID, bool& recognized)>;

// One line of a scanned archive: the stored name with its directory record.
struct TArchiveListEntry {
    std::string Name;
    TCompressedFileInfo Info;
};
using TArchiveList = std::vector<TArchiveListEntry>;

struct TCodedEntry;
struct TEntryMethod;
struct TArchiveTally;
class TEntryCodingPool;
class FileStream;

// A file to put into an archive, and the name it is stored under.
struct TArchiveSource {
    std::string Path;
    std::string StoredName;
};

class TCompress {
public:
    TCompress() = default;
    TCompress(const TCompress&) = delete;
    TCompress& operator=(const TCompress&) = delete;
    virtual ~TCompress() = default;

    // Events: called only when assigned.
    TCompressEvent OnCompress;
    TExpandEvent OnExpand;
    TRecognizeEvent OnRecognize;
    TFilenameCheckEvent OnCheckFile;
    TShowProgressEvent OnShowProgress;

    // The identifier coCustom is written with. A built-in one ("LZM": LZMA, MethodTable.h) is coded by the
    // component itself, on the worker threads like the ordinals; any other is told to OnCompress, which may
    // answer another. Reading needs no setting: the archive header's identifier chooses the decoder, and the
    // built-in identifiers never reach OnRecognize or OnExpand.
    std::string CompressID = "CUS";
    bool MakeDirectories = false;
    std::int32_t Key = 0;
    bool ExceptionOnFileError = false;
    bool CheckSpaceBeforeExpand = false;
    // Writing an archive, files are coded on other threads ahead of the one being written while those
    // waiting stay below this many bytes; a larger file is coded straight into the archive.
    std::int64_t CodedAheadLimit = 64 << 20;

    const std::string& TargetPath() const { return targetPath_; }
    // Stores the directory with a trailing "\" unless it is empty.
    void SetTargetPath(const std::string& path);

    // Appends one line per entry of the archive file to the list.
    void ScanArchive(const std::string& FileName, TArchiveList& List);
    // Expands the entries named in List (all when null); on success List holds the paths written.
    void ExpandArchive(const std::string& FileName, std::vector<std::string>* List);

    // Writes a whole archive of the files, coded with Method; an entry whose coded form would not be
    // smaller is stored. Returns the sum of the expanded sizes. Refused with EArchiveTooLarge, before
    // anything is written, when the files would pass what the format's 32-bit sizes can describe; with
    // EReadError when a file shrinks or grows while it is coded. coCustom codes with the built-in method
    // CompressID names, or else through OnCompress and needs it; the archive header then carries the
    // CompressID the handler answers (three characters).
    std::int32_t CompressFiles(Stream& Archive, const std::vector<TArchiveSource>& Files, TCompressionMethod Method);

    // Runs one codec over InputSize bytes of Source into Dest; returns the bytes written. coCustom codes with
    // the built-in method CompressID names; one left to the handlers is refused.
    std::int32_t CodeStream(Stream& Dest, Stream& Source, bool Unscramble, TCodeDirection Direction,
                            std::int32_t& Checksum, std::uint8_t Method, std::int32_t ExpandedSize,
                            std::int32_t InputSize);

    TArchiveHeader BuildArchiveHeader(const std::string& MethodId, std::int32_t TotalSize,
                                      std::uint8_t ArchiveType) const;
    TArchiveHeader ReadArchiveHeader(Stream& stream);
    std::uint8_t RecognizeMethod(const std::string& MethodId);

    // The last CodeStream ended early because the progress handler answered -1.
    bool Cancelled() const { return cancelled_; }

    std::int32_t AvailableSpaceFor(const std::string& Path) const;
    static void MakeDirectoryPath(const std::string& Dir);

protected:
    // One entry with the key and checksum tests; the archive stream is at the entry's data. decoder is the
    // entry's (EntryDecoder); none hands it to OnExpand.
    // chain is the archive's, for a solid method.
    void ExpandEntry(Stream& Dest, Stream& Source, const TEntry& entry, const std::string& MethodId, TCodec decoder,
                     TCodingChain* chain = nullptr);
    // The built-in decoder of the entry, or none when OnExpand expands it; an entry neither can expand is
    // refused with EUnknownEntryMethod, naming it and its method.
    TCodec EntryDecoder(const TEntry& entry, const std::string& MethodId) const;
    // Expands the entries of an open archive stream; the segment components reuse it.
    void ExpandArchiveStream(Stream& archive, std::vector<std::string>* List);

private:
    // Tells the progress handler, if any; true when it answers -1 (cancel).
    bool ShowProgress(std::int32_t percentageDone);
    // CodeStream with the codec chosen: the expansion names the decoder itself, so that a program that
    // only expands links no encoder.
    std::int32_t CodeWith(TCodec codec, Stream& Dest, Stream& Source, bool Unscramble, TCodeDirection Direction,
                          std::int32_t& Checksum, std::int32_t ExpandedSize, std::int32_t InputSize,
                          TCodingChain* chain = nullptr);
    // Passes over an entry nobody wants; a solid method's is expanded to nowhere, for the entries after it.
    void SkipEntry(Stream& archive, const TEntry& entry, const std::string& MethodId, TCodingChain& chain);
    // The source after the check handler; empty when it skips the file.
    std::string CheckedSource(const std::string& path);
    void WriteEntriesCodedAhead(Stream& archive, const std::vector<TArchiveSource>& files, const TEntryMethod& method,
                                unsigned workers, TArchiveTally& tally);
    void WriteSolidParts(Stream& archive, const std::vector<TArchiveSource>& files, const TEntryMethod& method,
                         TArchiveTally& tally);
    TCodedEntry TakeCoded(const std::function<TCodedEntry(const TShowProgressEvent&)>& take, const std::string& source);
    void WriteCodedEntry(Stream& archive, const TArchiveSource& file, const TCodedEntry& coded, TArchiveTally& tally);
    // Codes the file straight into the archive, with the events.
    void WriteEntry(Stream& archive, const TArchiveSource& file, const TEntryMethod& method, TArchiveTally& tally);
    std::int32_t CodeCustom(Stream& archive, FileStream& input, std::int64_t dataAt, std::int32_t& checksum,
                            TArchiveTally& tally);

    TCompThreadSafety coder_;
    std::string targetPath_;
    bool cancelled_ = false;
    std::int64_t inputCount_ = 0;  // the bytes the last CodeStream took from its source
};
