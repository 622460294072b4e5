#pragma once
// TSegCompress: reads a segmented set as one logical stream across its numbered segment files,
// asking the user for missing or wrong segments through the owner's interaction, and expands the
// archives it carries through TCompress.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "compress/Compress.h"
#include "port/FileStream.h"
#include "segment/SegArc.h"
#include "segment/SegFormat.h"
#include "segment/SegInteraction.h"
#include "segment/SegmentFiles.h"

enum TSegMode : std::uint8_t { smBuild = 0, smExpand = 1 };

using TSegBeforeEvent = std::function<void(TSegMode SegMode, const std::string& SegName, std::uint16_t SegNumber)>;
using TSegAfterEvent = std::function<void(TSegMode SegMode, const std::string& SegName, std::uint16_t SegNumber)>;
using TSegBeforeExpandEvent = std::function<void(TSegArcList& SegArcList)>;
using TSegAfterArchiveEvent = std::function<void(const TSegArcHeader& SegArcHdr, const std::string& Template)>;
using TSegShowProgressEvent = std::function<void(std::int32_t PercentageDone)>;

class TSegCompress : public TCompress {
public:
    static constexpr std::int32_t kMinSegSize = 16384;

    TSegCompress();
    ~TSegCompress() override;

    const std::string& SegBaseName() const { return segBaseName_; }
    void SetSegBaseName(const std::string& value);
    const std::string& SegDir() const { return segDir_; }
    void SetSegDir(const std::string& value);
    const std::string& SegExt() const { return segExt_; }
    void SetSegExt(const std::string& value);
    const std::string& SegTmpDir() const { return segTmpDir_; }
    void SetSegTmpDir(const std::string& value);
    std::int32_t SegSize() const { return segSize_; }
    void SetSegSize(std::int32_t value);
    bool SegPopUp = true;

    // Called before each segment is opened (each attempt) and when one is used up and the next needed.
    TSegBeforeEvent OnSegBefore;
    TSegAfterEvent OnSegAfter;
    // Once, after every scan entry is read: may remove entries, keeping ascending Sequence order.
    TSegBeforeExpandEvent OnSegBeforeExpand;
    TSegAfterArchiveEvent OnSegAfterArchive;
    TSegShowProgressEvent OnSegShowProgress;

    // Set by an event handler to stop the operation at the next check; a cancelled dialog sets it too.
    bool Aborted = false;
    // Supplied by the owner; without one, every prompt and complaint counts as Cancel.
    TSegInteraction* Interaction = nullptr;
    // Where segments are read from when reading; none: the segment files on disk.
    TSegmentFiles* SegmentFiles = nullptr;

    // Clears the list, fills it with one entry per scan entry and expands each listed archive.
    void ExpandSegments(TSegArcList& SegArcList);

    std::uint16_t CurrentSegment() const { return currentSegment_; }
    const std::string& SegFileName() const { return segFileName_; }
    const std::string& SegFilePath() const { return segFilePath_; }
    TSegMode SegMode() const { return segMode_; }
    std::int64_t SegBytesLeft() const { return segBytesLeft_; }

protected:
    void BeginRun(TSegMode mode);
    void NameSegment(std::uint32_t n);
    void CheckAborted() const;
    // The scratch file for one archive at a time, and the list file expanded from a file list.
    std::string TempArchivePath() const;
    std::string ListFilePath() const;

private:
    void EndRun();
    void ReadSegments(TSegArcList& SegArcList);
    std::uint16_t ReadSegHeader();
    void ScanArchives(std::uint16_t count, TSegArcList& SegArcList);

    // Mounting and the spanning read.
    void OpenSegment(std::uint32_t n);
    void MountSegment(std::uint32_t n);
    void BeforeSegment(std::uint32_t n);
    void AskForSegmentDir(std::uint32_t n);
    std::string TryOpenSegment(std::uint32_t n);
    void ReadSpanning(unsigned char* dest, std::size_t count);
    void NextSegment();
    // Moves size bytes of the logical stream into out (or nowhere), one buffer at a time.
    void CopySpanning(Stream* out, std::int64_t size, bool reportProgress);

    // Scan entries and their file lists.
    TSegArc ReadScanEntry(std::uint16_t sequence);
    std::vector<std::string> ReadFileList(const TScanHeader& scan);
    void ExpandListFile(const std::string& archive, const std::string& listFile);
    std::vector<std::string> ReadListRecords(const std::string& listFile, std::int32_t recordLength);

    // Archive entries.
    TSegArcHeader SeekArchiveHeader(std::uint16_t sequence);
    void ExpandSegArchive(TSegArc& arc);

    std::string segBaseName_ = "SegData";
    std::string segDir_ = "a:\\";
    std::string segExt_;
    std::string segTmpDir_;
    std::int32_t segSize_ = 1440000;

    std::uint16_t currentSegment_ = 0;
    std::string segFileName_;
    std::string segFilePath_;
    TSegMode segMode_ = smBuild;
    std::int64_t segBytesLeft_ = 0;
    std::unique_ptr<Stream> segment_;
    std::vector<unsigned char> buffer_;
};

// Creates a scratch file, failing as the segment components do.
std::unique_ptr<FileStream> CreateScratchFile(const std::string& path);
