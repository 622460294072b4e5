#pragma once
// A stream over a growable byte vector.
#include <vector>

#include "port/Stream.h"

class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }

    const std::vector<unsigned char>& Bytes() const { return bytes_; }
    // Hands the bytes over and leaves the stream empty.
    std::vector<unsigned char> TakeBytes()
    {
        std::vector<unsigned char> bytes;
        bytes.swap(bytes_);
        position_ = 0;
        return bytes;
    }

private:
    std::vector<unsigned char> bytes_;
    std::size_t position_ = 0;
};
