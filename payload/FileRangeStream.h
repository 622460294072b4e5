#pragma once
// A read-only stream over a range of a file: one member of a single-file setup program's payload.
#include <cstdint>
#include <string>

#include "port/FileStream.h"

class TFileRangeStream : public Stream {
public:
    // Opens path for reading (other writers denied); raises EFOpenError naming it.
    TFileRangeStream(const std::string& path, std::int64_t offset, std::int64_t size);

    std::size_t Read(void* buffer, std::size_t count) override;
    // Refuses every byte: a member of a payload is never written.
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t Size() override { return size_; }

private:
    FileStream file_;
    std::int64_t offset_;
    std::int64_t size_;
    std::int64_t position_ = 0;
};
