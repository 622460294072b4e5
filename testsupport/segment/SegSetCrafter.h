#pragma once
// Writes segmented sets byte by byte for tests: the logical stream from its blocks, cut into segment
// files wherever a test wants the boundaries, including ones no builder of ours would make.
#include <string>
#include <vector>

#include "segment/SegFormat.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/compress/ArchiveBuilder.h"

namespace craft {

template <std::size_t N>
std::string Bytes(const std::array<unsigned char, N>& block)
{
    return {block.begin(), block.end()};
}

inline std::string SegHeader(std::uint16_t count)
{
    TSegHeader h;
    h.ArchiveCount = count;
    return Bytes(h.Encode());
}

// A file list archive: one list file of R-byte records, zero-padded.
inline std::string FileList(const std::vector<std::string>& names, std::int32_t R)
{
    std::string records;
    for (std::string name : names) {
        name.resize(static_cast<std::size_t>(R), '\0');
        records += name;
    }
    ArchiveBuilder list;
    list.Add("list.txt", records);
    return list.Bytes();
}

inline std::string ScanEntry(const std::string& Template, const std::string& listData, std::int32_t R)
{
    TScanHeader h;
    h.NameLength = static_cast<std::uint16_t>(Template.size());
    h.RecordLength = R;
    h.ListSize = static_cast<std::int32_t>(listData.size());
    return Bytes(h.Encode()) + Template + listData;
}

inline std::string ArchiveEntry(std::uint16_t sequence, const std::string& data)
{
    TSegArcHeader h;
    h.Sequence = sequence;
    h.DataSize = static_cast<std::int32_t>(data.size());
    return Bytes(h.Encode()) + data;
}

inline std::string IdHeader(std::uint16_t n)
{
    TSegIdHeader h;
    h.SegNumber = n;
    return Bytes(h.Encode());
}

// The stream cut into payloads of the given sizes; the rest goes into one more.
inline std::vector<std::string> Cut(const std::string& stream, const std::vector<std::size_t>& sizes)
{
    std::vector<std::string> payloads;
    std::size_t at = 0;
    for (std::size_t size : sizes) {
        payloads.push_back(stream.substr(at, size));
        at += payloads.back().size();
    }
    payloads.push_back(stream.substr(at));
    return payloads;
}

// Writes base.001, base.002, ... into dir (ending in its separator).
inline void WriteSet(const std::string& dir, const std::string& base, const std::vector<std::string>& payloads)
{
    for (std::size_t i = 0; i < payloads.size(); ++i) {
        std::string number = std::to_string(i + 1);
        number.insert(0, 3 - std::min<std::size_t>(3, number.size()), '0');
        ScratchDir::Write(dir + base + "." + number, IdHeader(static_cast<std::uint16_t>(i + 1)) + payloads[i]);
    }
}

}  // namespace craft
