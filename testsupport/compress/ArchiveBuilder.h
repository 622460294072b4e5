#pragma once
// Writes archives byte by byte for tests, including ones no writer of ours would make.
#include <deque>
#include <string>

#include "compress/archive/ArchiveFormat.h"
#include "testsupport/ScratchDir.h"

class ArchiveBuilder {
public:
    explicit ArchiveBuilder(std::string methodId = "NON", std::int32_t totalSize = -1)
        : methodId_(std::move(methodId)), totalSize_(totalSize)
    {
    }

    // Adds a stored entry whose data are the plain bytes (checksum right unless overridden).
    TEntryHeader& Add(const std::string& name, const std::string& data)
    {
        TEntryHeader h;
        h.NameLength = static_cast<std::int16_t>(name.size());
        h.FileDate = static_cast<std::int32_t>((0x24EFu << 16) | 0x6DAFu);
        h.ExpandedSize = static_cast<std::int32_t>(data.size());
        h.CompressedSize = static_cast<std::int32_t>(data.size());
        h.Method = coNone;
        h.Checksum = static_cast<std::int32_t>(ByteSum(reinterpret_cast<const unsigned char*>(data.data()), data.size()));
        entries_.push_back({h, name, data});
        return entries_.back().header;
    }

    std::string Bytes() const
    {
        TArchiveHeader header;
        header.MethodId = methodId_;
        std::uint32_t total = 0;  // wraps as the format's 32 bits do
        for (const auto& e : entries_) total += static_cast<std::uint32_t>(e.header.ExpandedSize);
        header.TotalSize = totalSize_ >= 0 ? totalSize_ : static_cast<std::int32_t>(total);
        const auto h = header.Encode();
        std::string out(h.begin(), h.end());
        for (const auto& e : entries_) {
            const auto eh = e.header.Encode();
            out.append(eh.begin(), eh.end());
            out += e.name;
            out += e.data;
        }
        return out;
    }

    void WriteTo(const std::string& path) const { ScratchDir::Write(path, Bytes()); }

private:
    struct Entry {
        TEntryHeader header;
        std::string name;
        std::string data;
    };
    std::string methodId_;
    std::int32_t totalSize_;
    std::deque<Entry> entries_;  // references handed out by Add stay valid
};
