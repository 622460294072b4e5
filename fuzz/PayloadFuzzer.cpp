// Any bytes as a single-file setup.exe, read as the program reads itself: the image's headers, the
// payload after them, its members and its CRC-32. The stream holds the whole file, so the only failure
// is the payload's own exception, naming the file; a read error would be a read outside the file.
// A layout lies within the file, the signature after the image. A payload is found exactly when its
// magic stands at the first 16-byte boundary past the image; it ends before the signature, and its
// members lie past its table and within it, bear bare names and read back whole from the stream. The
// CRC check passes exactly when the bytes after the header carry the header's CRC-32. The carried setup.exe
// is rebuilt from its difference within the bounds the difference gives, or refused naming the file.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "payload/CarriedProgram.h"
#include "payload/Crc32.h"
#include "payload/Payload.h"
#include "payload/PayloadError.h"
#include "payload/PeLayout.h"
#include "port/MemoryStream.h"

namespace {

const std::string kFileName = "fuzzed-setup.exe";

void Require(bool holds)
{
    if (!holds) std::abort();
}

struct Program {
    const std::uint8_t* data;
    std::int64_t size;
    TPeLayout layout;

    std::int64_t PayloadEnd() const { return layout.SignatureOffset != 0 ? layout.SignatureOffset : size; }
    bool HasMagicAt(std::int64_t at) const
    {
        return at + std::int64_t{sizeof payloadfmt::kMagic} <= PayloadEnd() &&
               std::memcmp(data + at, payloadfmt::kMagic, sizeof payloadfmt::kMagic) == 0;
    }
};

void CheckLayout(const Program& program)
{
    const TPeLayout& layout = program.layout;
    Require(layout.ImageEnd > 0 && layout.ImageEnd <= program.size);
    Require(layout.SignatureOffset == 0 || layout.SignatureOffset >= layout.ImageEnd);
    Require(layout.SignatureOffset + layout.SignatureSize <= program.size);
}

bool IsBareName(const std::string& name)
{
    return !name.empty() && name.size() <= payloadfmt::kNameSize && name != "." && name != ".." &&
           std::all_of(name.begin(), name.end(), [](char c) {
               return c > ' ' && c < 0x7F && std::strchr("\\/:*?\"<>|", c) == nullptr && !(c >= 'A' && c <= 'Z');
           });
}

void CheckMember(const Program& program, const TPayload& payload, const TPayloadEntry& entry, Stream& file)
{
    const std::int64_t tableEnd = payload.Start + std::int64_t{payloadfmt::kHeaderSize} +
                                  static_cast<std::int64_t>(payload.Entries.size() * payloadfmt::kEntrySize);
    Require(IsBareName(entry.Name));
    Require(entry.Offset >= tableEnd && entry.Size >= 0 && entry.Offset + entry.Size <= payload.Start + payload.Size);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(entry.Size));
    file.Seek(entry.Offset, SeekOrigin::Begin);
    Require(file.Read(bytes.data(), bytes.size()) == bytes.size());
    Require(std::equal(bytes.begin(), bytes.end(), program.data + entry.Offset));
}

void CheckCrc(const Program& program, const TPayload& payload, Stream& file)
{
    const std::uint8_t* after = program.data + payload.Start + payloadfmt::kHeaderSize;
    const bool intact =
        Crc32(0, after, static_cast<std::size_t>(payload.Size) - payloadfmt::kHeaderSize) == payload.Crc;
    try {
        CheckPayloadCrc(file, payload, kFileName);
    } catch (const EPayloadError&) {
        Require(!intact);
        return;
    }
    Require(intact);
}

// Every byte of a rebuilt program past the image comes from the difference, and it carries its CRC-32.
void CheckCarried(const Program& program, const TPayloadEntry& carried, Stream& file)
{
    const std::vector<unsigned char> rebuilt = RebuildCarriedProgram(file, carried, kFileName);
    Require(static_cast<std::int64_t>(rebuilt.size()) <= program.layout.ImageEnd + carried.Size);
    std::uint32_t crc = 0;
    std::memcpy(&crc, program.data + carried.Offset + 8, 4);
    Require(Crc32(0, rebuilt.data(), rebuilt.size()) == crc);
}

void CheckPayload(const Program& program, const std::optional<TPayload>& payload, Stream& file)
{
    const std::int64_t start =
        (program.layout.ImageEnd + payloadfmt::kAlignment - 1) / payloadfmt::kAlignment * payloadfmt::kAlignment;
    Require(payload.has_value() == program.HasMagicAt(start));
    if (!payload) return;
    Require(payload->Start == start && payload->Size >= std::int64_t{payloadfmt::kHeaderSize} &&
            payload->Start + payload->Size <= program.PayloadEnd());
    for (const TPayloadEntry& entry : payload->Entries) CheckMember(program, *payload, entry, file);
    CheckCrc(program, *payload, file);
    if (const TPayloadEntry* carried = payload->Find("setup.exe")) CheckCarried(program, *carried, file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemoryStream file(std::vector<unsigned char>(data, data + size));
    try {
        Program program{data, static_cast<std::int64_t>(size), ReadPeLayout(file, kFileName)};
        CheckLayout(program);
        CheckPayload(program, LocatePayload(file, kFileName), file);
    } catch (const EPayloadError& error) {
        Require(std::strstr(error.what(), kFileName.c_str()) != nullptr);
    }
    return 0;
}
