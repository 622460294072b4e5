#pragma once
// A read-only stream over a range of a file that someone else holds open: one member of a single-file setup
// program's payload, read through the one handle the program holds on its own file.
#include <cstdint>
#include <string>

#include "port/Stream.h"

class TFileRangeStream : public Stream {
public:
    // file must outlive the range; name is the file's, for messages.
    TFileRangeStream(Stream& file, std::string name, std::int64_t offset, std::int64_t size);

    std::size_t Read(void* buffer, std::size_t count) override;
    // Refuses every byte: a member of a payload is never written.
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t Size() override { return size_; }

private:
    Stream& file_;
    std::string name_;
    std::int64_t offset_;
    std::int64_t size_;
    std::int64_t position_ = 0;
};
