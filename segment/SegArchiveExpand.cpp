// Archive entries: finding the wanted archive by its sequence number and expanding it.
#include <array>

#include "segment/SegCompress.h"
#include "segment/SegError.h"
#include "segment/TempFile.h"

// Archives before the wanted one were dropped from the list: their data are read and thrown away.
TSegArcHeader TSegCompress::SeekArchiveHeader(std::uint16_t sequence)
{
    for (;;) {
        std::array<unsigned char, TSegArcHeader::kSize> bytes{};
        ReadSpanning(bytes.data(), bytes.size());
        const TSegArcHeader header = TSegArcHeader::Decode(bytes.data());
        if (header.Id != TSegArcHeader::kId) throw ESegError(segmsg::kInvalidArchiveId);
        if (sequence < header.Sequence) throw ESegError(segmsg::kInvalidSequence);
        if (header.DataSize < 0) throw ESegError(segmsg::kNegativeSize);
        if (sequence == header.Sequence) return header;
        CopySpanning(nullptr, header.DataSize, false);
    }
}

void TSegCompress::ExpandSegArchive(TSegArc& arc)
{
    const TSegArcHeader header = SeekArchiveHeader(arc.Sequence);
    const TTempFile archive(TempArchivePath());
    {
        const auto out = CreateScratchFile(archive.Path());
        CopySpanning(out.get(), header.DataSize, true);
    }
    MakeDirectories = true;
    SetTargetPath(arc.Path);
    ExpandArchive(archive.Path(), &arc.Files);
    if (OnSegAfterArchive) OnSegAfterArchive(header, arc.Template);
    CheckAborted();
}
