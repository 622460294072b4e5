#include "compress/archive/ArchiveFormat.h"

#include <algorithm>

namespace {

template <typename T, std::size_t N>
void Put(std::array<unsigned char, N>& out, std::size_t at, T value)
{
    auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i, bits >>= 8) out[at + i] = static_cast<unsigned char>(bits & 0xFF);
}

template <typename T, std::size_t N>
T Get(const std::array<unsigned char, N>& in, std::size_t at)
{
    std::uint32_t bits = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) bits = (bits << 8) | in[at + i];
    return static_cast<T>(bits);
}

}  // namespace

std::array<unsigned char, TArchiveHeader::kSize> TArchiveHeader::Encode() const
{
    std::array<unsigned char, kSize> out{};
    std::copy(Signature.begin(), Signature.end(), out.begin());
    for (std::size_t i = 0; i < 3; ++i) out[5 + i] = i < MethodId.size() ? static_cast<unsigned char>(MethodId[i]) : ' ';
    Put(out, 8, TotalSize);
    out[12] = ArchiveType;
    Put(out, 13, std::int32_t{0});
    Put(out, 17, LockType);
    return out;
}

TArchiveHeader TArchiveHeader::Decode(const std::array<unsigned char, kSize>& bytes)
{
    TArchiveHeader h;
    std::copy_n(bytes.begin(), 5, h.Signature.begin());
    h.MethodId.assign(reinterpret_cast<const char*>(bytes.data() + 5), 3);
    h.TotalSize = Get<std::int32_t>(bytes, 8);
    h.ArchiveType = bytes[12];
    h.LockType = Get<std::int32_t>(bytes, 17);
    return h;
}

std::array<unsigned char, TEntryHeader::kSize> TEntryHeader::Encode() const
{
    std::array<unsigned char, kSize> out{};
    Put(out, 0, NameLength);
    Put(out, 2, FileDate);
    Put(out, 6, Attributes);
    Put(out, 8, ExpandedSize);
    Put(out, 12, CompressedSize);
    out[16] = Method;
    Put(out, 17, Checksum);
    Put(out, 21, LockType);
    return out;
}

TEntryHeader TEntryHeader::Decode(const std::array<unsigned char, kSize>& bytes)
{
    TEntryHeader h;
    h.NameLength = Get<std::int16_t>(bytes, 0);
    h.FileDate = Get<std::int32_t>(bytes, 2);
    h.Attributes = Get<std::int16_t>(bytes, 6);
    h.ExpandedSize = Get<std::int32_t>(bytes, 8);
    h.CompressedSize = Get<std::int32_t>(bytes, 12);
    h.Method = bytes[16];
    h.Checksum = Get<std::int32_t>(bytes, 17);
    h.LockType = Get<std::int32_t>(bytes, 21);
    return h;
}

std::optional<TEntry> ReadEntryHeader(Stream& stream)
{
    TEntry entry;
    entry.HeaderOffset = stream.Position();
    std::array<unsigned char, TEntryHeader::kSize> bytes{};
    if (stream.Read(bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
    entry.Header = TEntryHeader::Decode(bytes);
    if (entry.Header.NameLength < 0 || entry.Header.CompressedSize < 0) return std::nullopt;
    entry.Name.resize(static_cast<std::size_t>(entry.Header.NameLength));
    if (stream.Read(entry.Name.data(), entry.Name.size()) != entry.Name.size()) return std::nullopt;
    entry.DataOffset = stream.Position();
    return entry;
}

std::uint32_t ByteSum(const unsigned char* data, std::size_t size)
{
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < size; ++i) sum += data[i];
    return sum;
}

TCompressedFileInfo TCompressedFileInfo::From(const TEntry& entry)
{
    const TEntryHeader& h = entry.Header;
    TCompressedFileInfo info;
    info.FileDate = h.FileDate;
    info.Attributes = static_cast<std::uint16_t>(h.Attributes);
    info.ExpandedSize = h.ExpandedSize;
    info.CompressedSize = h.CompressedSize;
    info.Method = h.Method;
    info.Checksum = h.Checksum;
    info.HeaderOffset = static_cast<std::int32_t>(entry.HeaderOffset);
    info.Locked = h.LockType > 0;
    return info;
}
