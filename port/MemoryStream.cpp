#include "port/MemoryStream.h"

#include <algorithm>
#include <cstring>

#include "port/Exception.h"

std::size_t MemoryStream::Read(void* buffer, std::size_t count)
{
    // A zero-length read may come with no buffer at all (an empty vector's data()).
    if (count == 0 || position_ >= bytes_.size()) return 0;
    const std::size_t n = std::min(count, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t MemoryStream::Write(const void* buffer, std::size_t count)
{
    if (count == 0) return 0;
    if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

std::int64_t MemoryStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    std::int64_t base = 0;
    if (origin == SeekOrigin::Current) base = static_cast<std::int64_t>(position_);
    if (origin == SeekOrigin::End) base = Size();
    const std::int64_t target = base + offset;
    if (target < 0) throw EInOutError("Seek before the start of a memory stream");
    position_ = static_cast<std::size_t>(target);
    return target;
}
