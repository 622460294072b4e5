#include "payload/FileRangeStream.h"

#include <algorithm>
#include <utility>

#include "port/Exception.h"

TFileRangeStream::TFileRangeStream(Stream& file, std::string name, std::int64_t offset, std::int64_t size)
    : file_(file), name_(std::move(name)), offset_(offset), size_(size)
{
}

// Other ranges share the file, so every read seeks to its own place first.
std::size_t TFileRangeStream::Read(void* buffer, std::size_t count)
{
    const auto n =
        static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(count), size_ - position_));
    if (n == 0) return 0;
    file_.Seek(offset_ + position_, SeekOrigin::Begin);
    const std::size_t got = file_.Read(buffer, n);
    position_ += static_cast<std::int64_t>(got);
    return got;
}

std::size_t TFileRangeStream::Write(const void* /*buffer*/, std::size_t /*count*/)
{
    return 0;
}

std::int64_t TFileRangeStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    const std::int64_t base = origin == SeekOrigin::Begin ? 0 : origin == SeekOrigin::Current ? position_ : size_;
    if (base + offset < 0) throw EInOutError("Seek before the start of " + name_);
    position_ = std::min(base + offset, size_);
    return position_;
}
