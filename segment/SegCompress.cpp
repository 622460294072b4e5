#include "segment/SegCompress.h"

#include <algorithm>
#include <array>

#include "segment/SegError.h"
#include "segment/SegNaming.h"

TSegCompress::TSegCompress() : segTmpDir_(NormalSegTmpDir("")) {}

TSegCompress::~TSegCompress() = default;

void TSegCompress::SetSegBaseName(const std::string& value)
{
    segBaseName_ = NormalSegBaseName(value);
}
void TSegCompress::SetSegDir(const std::string& value)
{
    segDir_ = NormalSegDir(value);
}
void TSegCompress::SetSegExt(const std::string& value)
{
    segExt_ = NormalSegExt(value);
}
void TSegCompress::SetSegTmpDir(const std::string& value)
{
    segTmpDir_ = NormalSegTmpDir(value);
}
void TSegCompress::SetSegSize(std::int32_t value)
{
    segSize_ = std::max(value, kMinSegSize);
}

void TSegCompress::BeginRun(TSegMode mode)
{
    Aborted = false;
    segMode_ = mode;
}

void TSegCompress::NameSegment(std::uint32_t n)
{
    segFileName_ = SegFileNameFor(segBaseName_, segExt_, n);
    segFilePath_ = SegFilePathFor(segDir_, segFileName_);
    currentSegment_ = static_cast<std::uint16_t>(n);
}

void TSegCompress::CheckAborted() const
{
    if (Aborted) throw ESegError(segmsg::kAborted);
}

std::string TSegCompress::TempArchivePath() const
{
    return segTmpDir_ + "\\" + segBaseName_ + ".$A$";
}
std::string TSegCompress::ListFilePath() const
{
    return segTmpDir_ + "\\" + segBaseName_ + ".$L$";
}

void TSegCompress::ExpandSegments(TSegArcList& SegArcList)
{
    BeginRun(smExpand);
    buffer_.assign(segfmt::kCopyBufferSize, 0);
    try {
        ReadSegments(SegArcList);
    } catch (...) {
        EndRun();
        throw;
    }
    EndRun();
}

// However a run ends: no segment file open, no buffer held.
void TSegCompress::EndRun()
{
    segment_.reset();
    segBytesLeft_ = 0;
    buffer_ = {};
}

void TSegCompress::ReadSegments(TSegArcList& SegArcList)
{
    MakeDirectoryPath(segTmpDir_);
    SegArcList.ClearArcs();
    OpenSegment(1);
    ScanArchives(ReadSegHeader(), SegArcList);
    if (OnSegBeforeExpand) OnSegBeforeExpand(SegArcList);
    CheckAborted();
    for (TSegArc& arc : SegArcList) ExpandSegArchive(arc);
}

std::uint16_t TSegCompress::ReadSegHeader()
{
    std::array<unsigned char, TSegHeader::kSize> bytes{};
    ReadSpanning(bytes.data(), bytes.size());
    const TSegHeader header = TSegHeader::Decode(bytes.data());
    if (header.Id != TSegHeader::kId) throw ESegError(segmsg::kInvalidSegmentHeader);
    return header.ArchiveCount;
}

void TSegCompress::ScanArchives(std::uint16_t count, TSegArcList& SegArcList)
{
    for (std::uint32_t i = 0; i < count; ++i) SegArcList.Add(ReadScanEntry(static_cast<std::uint16_t>(i)));
}

std::unique_ptr<FileStream> CreateScratchFile(const std::string& path)
{
    try {
        return std::make_unique<FileStream>(path, FileMode::Create);
    } catch (const Exception&) {
        throw ESegError(segmsg::kOpenFailed);
    }
}
