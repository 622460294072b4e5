#pragma once
// TSegCompEZ: one-call expansion of a segmented set, and building one from templates.
#include <string>
#include <vector>

#include "compress/archive/ArchiveFormat.h"
#include "segment/SegCompress.h"
#include "segment/SegTemplate.h"
#include "segment/SegWriter.h"

class TSegCompEZ : public TSegCompress {
public:
    TSegArcList SegArcList;
    TBuildMode SegBuildMode = bmRecursive;
    TCompressionMethod SegCompType = coLZH;
    // Kept with the component's settings; building always writes one archive per template.
    bool SegMultiArc = false;
    // The templates to build from; after SegExpand, the template of every archive read.
    std::vector<std::string> SegSource;

    // Expands the set into the directories its templates name; TargetPath is empty afterwards.
    void SegExpand();

    // Builds a set from SegSource into SegDir: per template, one archive of its files coded with
    // SegCompType (several when they would pass what the format's 32-bit sizes can describe) and one
    // file list naming them, coded with SegCompType or, for coCustom, with coLZH5. OnSegBefore (smBuild) comes before each segment file
    // is created and may move SegDir; OnSegAfter when one is full and the next is needed.
    void SegBuild();

private:
    std::string BeginSegment(std::uint32_t n);
    void EndSegment(std::uint32_t n);
    void WriteScanEntry(TSegWriter& writer, const std::string& Template, const std::vector<TArchiveSource>& files);
    std::vector<unsigned char> BuildFileList(const std::vector<TArchiveSource>& files, std::int32_t recordLength);
    void WriteArchive(TSegWriter& writer, std::uint16_t sequence, const std::vector<TArchiveSource>& files);
};
