#include "segment/SegFormat.h"

#include <algorithm>

namespace {

std::uint32_t Get(const unsigned char* p, int width)
{
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = (value << 8) | p[i];
    return value;
}

void Put(unsigned char* p, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

TBlockId GetId(const unsigned char* p)
{
    TBlockId id{};
    std::copy(p, p + 4, id.begin());
    return id;
}

void PutId(unsigned char* p, const TBlockId& id)
{
    std::copy(id.begin(), id.end(), p);
}

std::uint16_t Get16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(Get(p, 2));
}
std::int32_t GetSigned32(const unsigned char* p)
{
    return static_cast<std::int32_t>(Get(p, 4));
}

}  // namespace

std::array<unsigned char, TSegIdHeader::kSize> TSegIdHeader::Encode() const
{
    std::array<unsigned char, kSize> b{};
    PutId(b.data(), Id);
    Put(b.data() + 4, Reserved4, 2);
    Put(b.data() + 6, SegNumber, 2);
    return b;
}

TSegIdHeader TSegIdHeader::Decode(const unsigned char* bytes)
{
    return {GetId(bytes), Get16(bytes + 4), Get16(bytes + 6)};
}

std::array<unsigned char, TSegHeader::kSize> TSegHeader::Encode() const
{
    std::array<unsigned char, kSize> b{};
    PutId(b.data(), Id);
    Put(b.data() + 4, Reserved4, 2);
    Put(b.data() + 6, ArchiveCount, 2);
    b[8] = Flags;
    std::copy(Reserved9.begin(), Reserved9.end(), b.begin() + 9);
    return b;
}

TSegHeader TSegHeader::Decode(const unsigned char* bytes)
{
    TSegHeader h{GetId(bytes), Get16(bytes + 4), Get16(bytes + 6), bytes[8], {}};
    std::copy(bytes + 9, bytes + kSize, h.Reserved9.begin());
    return h;
}

std::array<unsigned char, TScanHeader::kSize> TScanHeader::Encode() const
{
    std::array<unsigned char, kSize> b{};
    PutId(b.data(), Id);
    Put(b.data() + 4, Reserved4, 2);
    Put(b.data() + 6, NameLength, 2);
    b[8] = ScanByte;
    Put(b.data() + 9, static_cast<std::uint32_t>(RecordLength), 4);
    Put(b.data() + 13, static_cast<std::uint32_t>(ListSize), 4);
    return b;
}

TScanHeader TScanHeader::Decode(const unsigned char* bytes)
{
    return {GetId(bytes), Get16(bytes + 4),       Get16(bytes + 6),
            bytes[8],     GetSigned32(bytes + 9), GetSigned32(bytes + 13)};
}

std::array<unsigned char, TSegArcHeader::kSize> TSegArcHeader::Encode() const
{
    std::array<unsigned char, kSize> b{};
    PutId(b.data(), Id);
    Put(b.data() + 4, Reserved4, 2);
    Put(b.data() + 6, Sequence, 2);
    Put(b.data() + 8, Reserved8, 4);
    Put(b.data() + 12, static_cast<std::uint32_t>(DataSize), 4);
    return b;
}

TSegArcHeader TSegArcHeader::Decode(const unsigned char* bytes)
{
    return {GetId(bytes), Get16(bytes + 4), Get16(bytes + 6), Get(bytes + 8, 4), GetSigned32(bytes + 12)};
}
