#include "segment/SegWriter.h"

#include <algorithm>

#include "port/FileSystem.h"
#include "segment/SegError.h"
#include "segment/SegFormat.h"

TSegWriter::TSegWriter(std::int32_t segSize, TBeforeSegment before, TSegmentFull full)
    : payloadSize_(segSize - static_cast<std::int64_t>(TSegIdHeader::kSize)),
      before_(std::move(before)),
      full_(std::move(full))
{
}

TSegWriter::~TSegWriter()
{
    segment_.reset();
    if (finished_) return;
    for (const std::string& path : written_) {
        try {
            port::EraseFile(path);
        } catch (const Exception&) {
        }
    }
}

void TSegWriter::StartSegment()
{
    if (segment_ != nullptr) {
        segment_.reset();
        full_(number_);
    }
    const std::string path = before_(number_ + 1);
    // With a fixed extension every segment has one name: each needs a place of its own.
    if (std::find(written_.begin(), written_.end(), path) != written_.end())
        throw ESegError(segmsg::kSegmentOverwrite + path);
    ++number_;
    segment_ = std::make_unique<FileStream>(path, FileMode::Create);
    written_.push_back(path);
    TSegIdHeader id;
    id.SegNumber = static_cast<std::uint16_t>(number_);
    segment_->WriteBuffer(id.Encode().data(), TSegIdHeader::kSize);
    room_ = payloadSize_;
}

void TSegWriter::Write(const unsigned char* data, std::size_t size)
{
    while (size > 0) {
        if (room_ == 0) StartSegment();
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(room_, static_cast<std::int64_t>(size)));
        segment_->WriteBuffer(data, n);
        data += n;
        size -= n;
        room_ -= static_cast<std::int64_t>(n);
    }
}

void TSegWriter::Copy(Stream& source, std::int64_t size)
{
    std::vector<unsigned char> buffer(segfmt::kCopyBufferSize);
    for (std::int64_t remaining = size; remaining > 0;) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(remaining, segfmt::kCopyBufferSize));
        source.ReadBuffer(buffer.data(), n);
        Write(buffer.data(), n);
        remaining -= static_cast<std::int64_t>(n);
    }
}

void TSegWriter::Finish()
{
    segment_.reset();
    finished_ = true;
}
