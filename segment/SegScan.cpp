// Scan entries: the template name and the file list of each archive of a set.
#include <algorithm>
#include <array>

#include "segment/CompressEventsOff.h"
#include "segment/SegCompress.h"
#include "segment/SegError.h"
#include "segment/SegNaming.h"
#include "segment/TempFile.h"

namespace {

// The text up to the first zero byte (the buffer always holds one past the longest read).
std::string TextOf(const std::vector<unsigned char>& buffer)
{
    const auto end = std::find(buffer.begin(), buffer.end(), 0);
    return {buffer.begin(), end};
}

std::string WithoutTrailingSpaces(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

}  // namespace

TSegArc TSegCompress::ReadScanEntry(std::uint16_t sequence)
{
    std::array<unsigned char, TScanHeader::kSize> bytes{};
    ReadSpanning(bytes.data(), bytes.size());
    const TScanHeader scan = TScanHeader::Decode(bytes.data());
    if (scan.Id != TScanHeader::kId) throw ESegError(segmsg::kInvalidScanId);
    if (scan.NameLength > segfmt::kMaxNameLength) throw ESegError(segmsg::kNameTooLong);
    if (scan.ListSize < 0) throw ESegError(segmsg::kNegativeSize);
    if (scan.ListSize > 0 && (scan.RecordLength < 1 || scan.RecordLength > segfmt::kMaxRecordLength))
        throw ESegError(segmsg::kRecordLength);

    std::fill(buffer_.begin(), buffer_.end(), 0);
    ReadSpanning(buffer_.data(), scan.NameLength);
    TSegArc arc;
    arc.Template = TextOf(buffer_);
    arc.Path = DirectoryPartOf(arc.Template);
    arc.Sequence = sequence;
    arc.ScanByte = scan.ScanByte;
    if (scan.ListSize > 0) arc.Files = ReadFileList(scan);
    return arc;
}

std::vector<std::string> TSegCompress::ReadFileList(const TScanHeader& scan)
{
    const TTempFile archive(TempArchivePath());
    {
        const auto out = CreateScratchFile(archive.Path());
        CopySpanning(out.get(), scan.ListSize, false);
    }
    const TTempFile listFile(ListFilePath());
    ExpandListFile(archive.Path(), listFile.Path());
    return ReadListRecords(listFile.Path(), scan.RecordLength);
}

// Only the first entry is the list file, and it goes to a name of our own in SegTmpDir: the stored
// name comes from the set and could otherwise point anywhere, and further entries would stay behind.
void TSegCompress::ExpandListFile(const std::string& archive, const std::string& listFile)
{
    bool written = false;
    const TCompressEventsOff off(*this, [&](std::string& filepath, TCProcessMode) {
        filepath = written ? "*" : listFile;
        written = true;
    });
    const std::string savedTargetPath = TargetPath();
    std::vector<std::string> names;
    try {
        SetTargetPath(segTmpDir_ + "\\");
        TArchiveList entries;
        ScanArchive(archive, entries);
        for (const TArchiveListEntry& entry : entries) names.push_back(entry.Name);
        ExpandArchive(archive, &names);
    } catch (...) {
        SetTargetPath(savedTargetPath);
        throw;
    }
    SetTargetPath(savedTargetPath);
    if (names.empty()) throw ESegError(segmsg::kNoListFile);
}

std::vector<std::string> TSegCompress::ReadListRecords(const std::string& listFile, std::int32_t recordLength)
{
    std::unique_ptr<FileStream> in;
    try {
        in = std::make_unique<FileStream>(listFile, FileMode::OpenReadExclusive);
    } catch (const Exception&) {
        throw ESegError(segmsg::kOpenFailed);
    }
    std::vector<std::string> names;
    for (std::int64_t remaining = in->Size(); remaining > 0;) {
        std::fill(buffer_.begin(), buffer_.end(), 0);
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(remaining, recordLength));
        try {
            in->ReadBuffer(buffer_.data(), n);
        } catch (const Exception&) {
            throw ESegError(segmsg::kReadFailed);
        }
        names.push_back(WithoutTrailingSpaces(TextOf(buffer_)));
        remaining -= static_cast<std::int64_t>(n);
    }
    return names;
}
