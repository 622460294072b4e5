#include "payload/PayloadWriter.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "payload/Crc32.h"
#include "payload/LittleEndian.h"
#include "payload/Payload.h"
#include "payload/PayloadError.h"
#include "payload/PeLayout.h"
#include "port/FileStream.h"

using namespace payloadfmt;

namespace {

// Copies size bytes from in to out, adding them to crc when one is given.
void CopyBytes(Stream& in, Stream& out, std::int64_t size, std::uint32_t* crc)
{
    std::vector<unsigned char> buffer(1 << 16);
    while (size > 0) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(size, static_cast<std::int64_t>(buffer.size())));
        in.ReadBuffer(buffer.data(), n);
        out.WriteBuffer(buffer.data(), n);
        if (crc != nullptr) *crc = Crc32(*crc, buffer.data(), n);
        size -= static_cast<std::int64_t>(n);
    }
}

// The stub's image, padded with zeros to where the payload's header goes.
std::int64_t CopyStub(const std::string& stub, Stream& out)
{
    FileStream in(stub, FileMode::OpenRead);
    const TPeLayout layout = ReadPeLayout(in, stub);
    if (layout.SignatureOffset != 0)
        throw EPayloadError(stub + " is signed: a payload must be attached to the unsigned program");
    if (LocatePayload(in, stub)) throw EPayloadError(stub + " already carries a payload");
    in.Seek(0, SeekOrigin::Begin);
    CopyBytes(in, out, layout.ImageEnd, nullptr);
    const std::array<unsigned char, kAlignment> zeros{};
    const std::int64_t start = (layout.ImageEnd + kAlignment - 1) / kAlignment * kAlignment;
    out.WriteBuffer(zeros.data(), static_cast<std::size_t>(start - layout.ImageEnd));
    return start;
}

std::vector<unsigned char> Table(const std::vector<TPayloadMember>& members, const std::vector<std::int64_t>& sizes)
{
    std::vector<unsigned char> table(members.size() * kEntrySize);
    auto offset = static_cast<std::uint64_t>(kHeaderSize + table.size());
    for (std::size_t m = 0; m < members.size(); ++m) {
        const std::string& name = members[m].Name;
        if (name.empty() || name.size() >= kNameSize) throw EPayloadError("the payload name " + name + " does not fit");
        unsigned char* at = &table[m * kEntrySize];
        std::copy(name.begin(), name.end(), at);
        PutLe(at + kNameSize, offset, 8);
        PutLe(at + kNameSize + 8, static_cast<std::uint64_t>(sizes[m]), 8);
        offset += static_cast<std::uint64_t>(sizes[m]);
    }
    return table;
}

}  // namespace

void WriteSingleFile(const std::string& stub, const std::vector<TPayloadMember>& members, const std::string& out)
{
    if (members.size() > kMaxEntries) throw EPayloadError("too many files for one payload");
    std::vector<std::int64_t> sizes;
    for (const TPayloadMember& member : members) sizes.push_back(FileStream(member.Path, FileMode::OpenRead).Size());
    FileStream file(out, FileMode::Create);
    const std::int64_t start = CopyStub(stub, file);
    const std::vector<unsigned char> table = Table(members, sizes);
    std::array<unsigned char, kHeaderSize> header{};
    file.WriteBuffer(header.data(), header.size());  // written again once the CRC is known
    file.WriteBuffer(table.data(), table.size());
    std::uint32_t crc = Crc32(0, table.data(), table.size());
    for (std::size_t m = 0; m < members.size(); ++m) {
        FileStream in(members[m].Path, FileMode::OpenRead);
        CopyBytes(in, file, sizes[m], &crc);
    }
    std::copy(std::begin(kMagic), std::end(kMagic), header.begin());
    PutLe(&header[8], kVersion, 4);
    PutLe(&header[12], kHeaderSize, 4);
    PutLe(&header[16], members.size(), 4);
    PutLe(&header[20], crc, 4);
    PutLe(&header[24], static_cast<std::uint64_t>(file.Size() - start), 8);
    file.Seek(start, SeekOrigin::Begin);
    file.WriteBuffer(header.data(), header.size());
}
