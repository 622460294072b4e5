#pragma once
// Cuts a logical stream into segment files 1, 2, ...: each is an 8-byte ID header with its number
// and as much payload as keeps the whole file within the segment size. A segment is created only
// when a byte for it arrives, so no set ends in an empty segment.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "port/FileStream.h"

class TSegWriter {
public:
    // Called before segment n is created; answers its path.
    using TBeforeSegment = std::function<std::string(std::uint32_t n)>;
    // Called when segment n is full and the stream goes on.
    using TSegmentFull = std::function<void(std::uint32_t n)>;

    TSegWriter(std::int32_t segSize, TBeforeSegment before, TSegmentFull full);
    // Without Finish, the segment files written so far are removed: a broken set is no use.
    ~TSegWriter();
    TSegWriter(const TSegWriter&) = delete;
    TSegWriter& operator=(const TSegWriter&) = delete;

    void Write(const unsigned char* data, std::size_t size);
    // Copies size bytes from source, a buffer at a time.
    void Copy(Stream& source, std::int64_t size);
    void Finish();

private:
    void StartSegment();

    std::int64_t payloadSize_;
    TBeforeSegment before_;
    TSegmentFull full_;
    std::uint32_t number_ = 0;
    std::int64_t room_ = 0;
    std::unique_ptr<FileStream> segment_;
    std::vector<std::string> written_;
    bool finished_ = false;
};
