#include "compress/Compress.h"

#include "compress/CodingRun.h"
#include "compress/CompressExceptions.h"

void TCompress::SetTargetPath(const std::string& path)
{
    targetPath_ = path;
    if (!targetPath_.empty() && targetPath_.back() != '\\') targetPath_ += '\\';
}

std::int32_t TCompress::CodeWith(TCodec codec, Stream& Dest, Stream& Source, bool Unscramble, TCodeDirection Direction,
                                 std::int32_t& Checksum, std::int32_t ExpandedSize, std::int32_t InputSize,
                                 TCodingChain* chain)
{
    inputCount_ = 0;
    cancelled_ = ShowProgress(0);
    if (cancelled_) return 0;
    const bool expanding = Direction == TCodeDirection::Expand;
    TCompThreadSafety::Run run;
    run.input = &Source;
    run.output = &Dest;
    run.inputSize = InputSize;
    run.outputBudget = expanding ? 2147483647 : InputSize;
    run.unscrambleInput = expanding && Key != 0 && Unscramble;
    run.scrambleOutput = !expanding && Key != 0;
    run.key = Key;
    run.progress = OnShowProgress;
    run.chain = chain;
    const TCodingResult result = RunCoding(coder_, run, Direction, codec, ExpandedSize);
    cancelled_ = result.Cancelled;
    inputCount_ = result.InputCount;
    Checksum = result.Checksum;
    ShowProgress(100);
    return result.OutputCount;
}

bool TCompress::ShowProgress(std::int32_t percentageDone)
{
    if (OnShowProgress) OnShowProgress(percentageDone);
    return percentageDone == -1;
}

TArchiveHeader TCompress::BuildArchiveHeader(const std::string& MethodId, std::int32_t TotalSize,
                                             std::uint8_t ArchiveType) const
{
    TArchiveHeader header;
    header.MethodId = MethodId.substr(0, 3);
    header.TotalSize = TotalSize;
    header.ArchiveType = ArchiveType;
    header.LockType = Key > 0 ? 2 : 0;
    return header;
}

TArchiveHeader TCompress::ReadArchiveHeader(Stream& stream)
{
    if (stream.Remaining() <= 20) return BuildArchiveHeader("   ", 0, caMulti);
    std::array<unsigned char, TArchiveHeader::kSize> bytes{};
    stream.ReadBuffer(bytes.data(), bytes.size());
    TArchiveHeader header = TArchiveHeader::Decode(bytes);
    if (header.Signature != TArchiveHeader::kSignature) throw EInvalidHeader();
    if (header.ArchiveType != caMulti) throw EInvalidHeaderArchiveType();
    RecognizeMethod(header.MethodId);
    return header;
}

std::uint8_t TCompress::RecognizeMethod(const std::string& MethodId)
{
    static constexpr auto ids = MethodColumn(&TMethodRow::Id);
    static constexpr auto methods = MethodColumn(&TMethodRow::Method);
    for (std::size_t i = 0; i < kMethodCount; ++i)
        if (MethodId == ids[i]) return methods[i];
    if (OnRecognize) {
        bool recognized = false;
        OnRecognize(MethodId, recognized);
        if (recognized) return coCustom;
    }
    throw EUnrecognizedCompressionMethod(MethodId);
}
