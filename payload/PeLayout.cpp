#include "payload/PeLayout.h"

#include <algorithm>
#include <vector>

#include "payload/LittleEndian.h"
#include "payload/PayloadError.h"

namespace {

constexpr std::int64_t kNewHeaderPointer = 0x3C;
constexpr std::size_t kFileHeaderSize = 24;  // "PE\0\0" and the COFF file header
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kSymbolSize = 18;
constexpr unsigned kPe32 = 0x10B;
constexpr unsigned kPe32Plus = 0x20B;
constexpr std::size_t kSecurityDirectory = 4;
constexpr std::size_t kHeadersLimit = 1 << 20;  // no real program has more header than this

class HeaderReader {
public:
    HeaderReader(Stream& file, const std::string& fileName) : file_(file), fileName_(fileName), size_(file.Size()) {}

    std::int64_t FileSize() const { return size_; }

    std::vector<unsigned char> Bytes(std::int64_t at, std::size_t count)
    {
        if (at < 0 || count > kHeadersLimit || at + static_cast<std::int64_t>(count) > size_) Fail();
        std::vector<unsigned char> bytes(count);
        file_.Seek(at, SeekOrigin::Begin);
        file_.ReadBuffer(bytes.data(), count);
        return bytes;
    }

    [[noreturn]] void Fail() const
    {
        throw EPayloadError(fileName_ + " is not a Windows program, or its headers are damaged");
    }

private:
    Stream& file_;
    const std::string& fileName_;
    std::int64_t size_;
};

// The headers as read, with where the section table ends in the file.
struct PeHeaders {
    TImageIdentity Identity;
    std::int64_t SectionTableEnd = 0;
    std::uint64_t SymbolTable = 0;  // file offset, 0 when stripped
    std::uint64_t Symbols = 0;
    std::int64_t CheckSumAt = 0;
    std::int64_t SecurityDirectoryAt = 0;
};

PeHeaders ReadHeaders(HeaderReader& reader)
{
    const std::vector<unsigned char> dos = reader.Bytes(0, kNewHeaderPointer + 4);
    if (dos[0] != 'M' || dos[1] != 'Z') reader.Fail();
    const auto peAt = static_cast<std::int64_t>(GetLe(&dos[kNewHeaderPointer], 4));
    const std::vector<unsigned char> pe = reader.Bytes(peAt, kFileHeaderSize);
    if (pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0) reader.Fail();
    const auto sections = static_cast<std::size_t>(GetLe(&pe[6], 2));
    const auto optionalSize = static_cast<std::size_t>(GetLe(&pe[20], 2));
    const std::int64_t optionalAt = peAt + static_cast<std::int64_t>(kFileHeaderSize);
    const std::vector<unsigned char> optional = reader.Bytes(optionalAt, optionalSize);

    const std::uint64_t magic = optionalSize >= 2 ? GetLe(optional.data(), 2) : 0;
    if (magic != kPe32 && magic != kPe32Plus) reader.Fail();
    const std::size_t directories = magic == kPe32 ? 96 : 112;
    const std::size_t securityAt = directories + kSecurityDirectory * 8;
    if (optionalSize < directories || GetLe(&optional[directories - 4], 4) <= kSecurityDirectory ||
        optionalSize < securityAt + 8)
        reader.Fail();

    PeHeaders headers;
    TImageIdentity& identity = headers.Identity;
    identity.TimeDateStamp = static_cast<std::uint32_t>(GetLe(&pe[8], 4));
    identity.EntryPoint = static_cast<std::uint32_t>(GetLe(&optional[16], 4));
    identity.SizeOfImage = static_cast<std::uint32_t>(GetLe(&optional[56], 4));
    identity.CheckSum = static_cast<std::uint32_t>(GetLe(&optional[64], 4));
    identity.SignatureOffset = static_cast<std::uint32_t>(GetLe(&optional[securityAt], 4));
    identity.SignatureSize = static_cast<std::uint32_t>(GetLe(&optional[securityAt + 4], 4));
    const std::int64_t sectionsAt = optionalAt + static_cast<std::int64_t>(optionalSize);
    identity.SectionTable = reader.Bytes(sectionsAt, sections * kSectionHeaderSize);
    headers.SectionTableEnd = sectionsAt + static_cast<std::int64_t>(identity.SectionTable.size());
    headers.SymbolTable = GetLe(&pe[12], 4);
    headers.Symbols = GetLe(&pe[16], 4);
    headers.CheckSumAt = optionalAt + 64;
    headers.SecurityDirectoryAt = optionalAt + static_cast<std::int64_t>(securityAt);
    return headers;
}

// The COFF symbol table and its string table follow the sections in an unstripped program.
std::int64_t SymbolTableEnd(HeaderReader& reader, std::uint64_t pointer, std::uint64_t symbols)
{
    if (pointer == 0) return 0;
    const auto strings = static_cast<std::int64_t>(pointer + symbols * kSymbolSize);
    return strings + static_cast<std::int64_t>(GetLe(reader.Bytes(strings, 4).data(), 4));
}

}  // namespace

TPeLayout ReadPeLayout(Stream& file, const std::string& fileName)
{
    HeaderReader reader(file, fileName);
    const PeHeaders headers = ReadHeaders(reader);
    TPeLayout layout;
    layout.Identity = headers.Identity;
    layout.SignatureOffset = headers.Identity.SignatureOffset;
    layout.SignatureSize = headers.Identity.SignatureSize;
    layout.CheckSumAt = headers.CheckSumAt;
    layout.SecurityDirectoryAt = headers.SecurityDirectoryAt;
    layout.ImageEnd = headers.SectionTableEnd;
    const std::vector<unsigned char>& table = headers.Identity.SectionTable;
    for (std::size_t at = 0; at < table.size(); at += kSectionHeaderSize) {
        const auto rawSize = static_cast<std::int64_t>(GetLe(&table[at + 16], 4));
        const auto rawAt = static_cast<std::int64_t>(GetLe(&table[at + 20], 4));
        if (rawSize > 0) layout.ImageEnd = std::max(layout.ImageEnd, rawAt + rawSize);
    }
    layout.ImageEnd = std::max(layout.ImageEnd, SymbolTableEnd(reader, headers.SymbolTable, headers.Symbols));
    if (layout.ImageEnd > reader.FileSize()) reader.Fail();
    if (layout.SignatureOffset != 0 && layout.SignatureOffset < layout.ImageEnd) reader.Fail();
    if (layout.SignatureOffset + layout.SignatureSize > reader.FileSize())
        throw EPayloadError(fileName + " is damaged: it is cut short before the end of its signature");
    return layout;
}

TImageIdentity ReadImageIdentity(Stream& headers, const std::string& fileName)
{
    HeaderReader reader(headers, fileName);
    return ReadHeaders(reader).Identity;
}
