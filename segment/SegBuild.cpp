// Building a segmented set from templates.
#include <algorithm>

#include "compress/archive/ArchiveBudget.h"
#include "port/DosDateTime.h"
#include "port/MemoryStream.h"
#include "segment/CompressEventsOff.h"
#include "segment/SegCompEZ.h"
#include "segment/SegError.h"
#include "segment/TempFile.h"

namespace {

// The name the list file is stored under inside its file list.
const std::string kListFileName = "seglist.$l$";

template <std::size_t N>
void WriteBlock(TSegWriter& writer, const std::array<unsigned char, N>& block)
{
    writer.Write(block.data(), block.size());
}

void WriteText(TSegWriter& writer, const std::string& text)
{
    writer.Write(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

// A name the reader would read back differently cannot be listed: it ends at a zero byte and loses
// trailing spaces.
void CheckListable(const std::string& name)
{
    if (name.empty() || name.back() == ' ' || name.find('\0') != std::string::npos ||
        name.size() > static_cast<std::size_t>(segfmt::kMaxRecordLength))
        throw ESegError(segmsg::kUnlistableName + name);
}

// A template's files as archives: one, or as many as keep each within what the format's 32-bit sizes
// can describe. A file too large for any archive is refused, named.
std::vector<std::vector<TArchiveSource>> SplitIntoArchives(const std::vector<TArchiveSource>& files)
{
    std::vector<std::vector<TArchiveSource>> archives(1);
    TArchiveBudget budget;
    for (const TArchiveSource& file : files) {
        const std::int64_t size = FileStream(file.Path, FileMode::OpenRead).Size();
        if (!budget.Empty() && !budget.Fits(size, file.StoredName.size())) {
            archives.emplace_back();
            budget = TArchiveBudget();
        }
        budget.Add(file.Path, size, file.StoredName.size());
        archives.back().push_back(file);
    }
    return archives;
}

// The reader expands file lists with every event off, so a list is coded with a built-in method.
TCompressionMethod ListMethodFor(TCompressionMethod method) { return method == coCustom ? coLZH5 : method; }

std::int32_t RecordLengthFor(const std::vector<TArchiveSource>& files)
{
    std::size_t longest = 1;
    for (const TArchiveSource& file : files) {
        CheckListable(file.StoredName);
        longest = std::max(longest, file.StoredName.size());
    }
    return static_cast<std::int32_t>(longest);
}

}  // namespace

void TSegCompEZ::SegBuild()
{
    BeginRun(smBuild);
    for (const std::string& Template : SegSource)
        if (Template.size() > static_cast<std::size_t>(segfmt::kMaxNameLength)) throw ESegError(segmsg::kNameTooLong);
    // Every template is matched before anything is written, so the set never holds its own pieces.
    std::vector<std::pair<std::string, std::vector<TArchiveSource>>> archives;
    for (const std::string& Template : SegSource)
        for (std::vector<TArchiveSource>& files : SplitIntoArchives(FilesOfTemplate(Template, SegBuildMode)))
            archives.emplace_back(Template, std::move(files));
    if (archives.size() > 65535) throw ESegError(segmsg::kTooManyArchives);

    MakeDirectoryPath(SegTmpDir());
    TSegWriter writer(
        SegSize(), [this](std::uint32_t n) { return BeginSegment(n); }, [this](std::uint32_t n) { EndSegment(n); });
    TSegHeader header;
    header.ArchiveCount = static_cast<std::uint16_t>(archives.size());
    WriteBlock(writer, header.Encode());
    for (const auto& [Template, files] : archives) WriteScanEntry(writer, Template, files);
    for (std::size_t i = 0; i < archives.size(); ++i)
        WriteArchive(writer, static_cast<std::uint16_t>(i), archives[i].second);
    writer.Finish();
}

std::string TSegCompEZ::BeginSegment(std::uint32_t n)
{
    NameSegment(n);
    if (OnSegBefore) {
        OnSegBefore(smBuild, SegFileName(), static_cast<std::uint16_t>(n));
        NameSegment(n);
    }
    CheckAborted();
    MakeDirectoryPath(SegDir());
    return SegFilePath();
}

void TSegCompEZ::EndSegment(std::uint32_t n)
{
    if (OnSegAfter) OnSegAfter(smBuild, SegFileName(), static_cast<std::uint16_t>(n));
    CheckAborted();
}

void TSegCompEZ::WriteScanEntry(TSegWriter& writer, const std::string& Template,
                                const std::vector<TArchiveSource>& files)
{
    TScanHeader scan;
    scan.NameLength = static_cast<std::uint16_t>(Template.size());
    scan.ScanByte = SegCompType;
    scan.RecordLength = RecordLengthFor(files);
    // A list of no names would make an archive whose total is 0, which expands nothing: no list at all.
    const std::vector<unsigned char> list =
        files.empty() ? std::vector<unsigned char>() : BuildFileList(files, scan.RecordLength);
    scan.ListSize = static_cast<std::int32_t>(list.size());
    WriteBlock(writer, scan.Encode());
    WriteText(writer, Template);
    writer.Write(list.data(), list.size());
}

std::vector<unsigned char> TSegCompEZ::BuildFileList(const std::vector<TArchiveSource>& files,
                                                     std::int32_t recordLength)
{
    const TTempFile listFile(ListFilePath());
    {
        const auto out = CreateScratchFile(listFile.Path());
        for (const TArchiveSource& file : files) {
            std::string record = file.StoredName;
            record.resize(static_cast<std::size_t>(recordLength), '\0');
            out->WriteBuffer(record.data(), record.size());
        }
        // A scratch file of the build's own: a fixed date, and the attributes of a fresh Windows file,
        // keep the set the same from the same files, whenever it is built.
        out->SetDosDateTime(port::kEarliestDosDateTime);
    }
    port::ApplyAttributes(listFile.Path(), port::faArchive);
    const TCompressEventsOff off(*this, [](std::string&, TCProcessMode) {});
    MemoryStream archive;
    CompressFiles(archive, {{listFile.Path(), kListFileName}}, ListMethodFor(SegCompType));
    return archive.Bytes();
}

void TSegCompEZ::WriteArchive(TSegWriter& writer, std::uint16_t sequence, const std::vector<TArchiveSource>& files)
{
    const TTempFile archive(TempArchivePath());
    {
        const auto out = CreateScratchFile(archive.Path());
        CompressFiles(*out, files, SegCompType);
    }
    FileStream in(archive.Path(), FileMode::OpenRead);
    const std::int64_t size = in.Size();
    if (size > 2147483647) throw ESegError(segmsg::kArchiveTooLarge);
    TSegArcHeader header;
    header.Sequence = sequence;
    header.DataSize = static_cast<std::int32_t>(size);
    WriteBlock(writer, header.Encode());
    writer.Copy(in, size);
}
