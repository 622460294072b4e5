#include "compress/pool/EntryCoding.h"

#include <algorithm>
#include <string>

#include "compress/CodingRun.h"
#include "compress/CompressExceptions.h"
#include "compress/archive/ArchiveBudget.h"
#include "port/Exception.h"
#include "port/FileSystem.h"
#include "port/MemoryStream.h"

namespace {

std::int32_t SizeOf(FileStream& file)
{
    const std::int64_t size = file.Size();
    if (size > TArchiveBudget::kMaxArchiveBytes)
        throw EArchiveTooLarge(file.Path() + " is " + std::to_string(size) + " bytes, more than an archive entry can hold (" +
                               std::to_string(TArchiveBudget::kMaxArchiveBytes) + ")");
    return static_cast<std::int32_t>(size);
}

TCodingResult CodeInto(MemoryStream& dest, FileStream& input, TCodec encoder, std::int32_t size, std::int32_t key,
                       const TShowProgressEvent& progress, TCodingChain* chain)
{
    TCompThreadSafety coder;
    TCompThreadSafety::Run run;
    run.input = &input;
    run.output = &dest;
    run.inputSize = size;
    run.outputBudget = chain != nullptr ? 2147483647 : size;
    run.scrambleOutput = key != 0;
    run.key = key;
    run.progress = progress;
    run.oneThread = true;  // the pool has a coding thread per core already
    run.chain = chain;
    return RunCoding(coder, run, TCodeDirection::Compress, encoder, 0);
}

}  // namespace

TEntryHeader EntryHeaderFor(FileStream& input, const std::string& storedName, TCompressionMethod method,
                            std::int32_t key)
{
    if (storedName.size() > 32767) throw EInOutError("Stored name too long: " + storedName);
    TEntryHeader entry;
    entry.NameLength = static_cast<std::int16_t>(storedName.size());
    entry.FileDate = static_cast<std::int32_t>(input.DosDateTime());
    entry.Attributes = static_cast<std::int16_t>(port::Attributes(input.Path()) & 0x27);  // read-only, hidden, system, archive
    entry.ExpandedSize = SizeOf(input);
    entry.Method = method;
    // Any key scrambles the data, so the entry must say so whatever the key's sign.
    entry.LockType = key != 0 ? 2 : 0;
    return entry;
}

std::int32_t EntryChecksum(std::int32_t byteSum, const TEntryHeader& entry, std::int32_t key)
{
    if (entry.LockType == 0) return byteSum;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(byteSum) + static_cast<std::uint32_t>(key));
}

void CheckSourceUnchanged(FileStream& input, const TEntryHeader& entry, std::int64_t read)
{
    const std::int64_t announced = entry.ExpandedSize;
    const std::int64_t now = input.Size();
    const std::string counts = ": its entry announces " + std::to_string(announced) + " bytes, ";
    if (read < announced || now < announced)
        throw EReadError(input.Path() + " shrank while it was being archived" + counts + std::to_string(std::min(read, now)) +
                         " were there to read");
    if (now > announced)
        throw EReadError(input.Path() + " grew while it was being archived" + counts + "it now has " + std::to_string(now));
}

TCodedEntry CodeEntryInMemory(const TArchiveSource& file, const TEntryMethod& method, std::int32_t key,
                              const TShowProgressEvent& progress, TCodingChain* chain)
{
    FileStream input(file.Path, FileMode::OpenRead);
    TCodedEntry coded;
    coded.Header = EntryHeaderFor(input, file.StoredName, method.Method, key);
    const std::int32_t size = coded.Header.ExpandedSize;
    MemoryStream data;
    TCodingResult result;
    try {
        result = CodeInto(data, input, method.Encoder, size, key, progress, chain);
    } catch (const EUnableToCompress&) {
        input.Seek(0, SeekOrigin::Begin);
        data.TakeBytes();  // the partial coded data
        coded.Header.Method = coNone;
        result = CodeInto(data, input, EncoderOf(coNone, {}), size, key, progress, nullptr);
    }
    coded.Cancelled = result.Cancelled;
    if (coded.Cancelled) return coded;
    CheckSourceUnchanged(input, coded.Header, result.InputCount);
    coded.Header.CompressedSize = result.OutputCount;
    coded.Header.Checksum = EntryChecksum(result.Checksum, coded.Header, key);
    coded.Data = data.TakeBytes();
    return coded;
}
