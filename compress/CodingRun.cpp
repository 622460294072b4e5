#include "compress/CodingRun.h"

#include "compress/Lh5.h"
#include "compress/Lzhuf.h"
#include "compress/SimpleCodecs.h"

namespace {

void RunCodec(TCompThreadSafety& coder, TCodeDirection direction, std::uint8_t method, std::int32_t expandedSize)
{
    const bool expanding = direction == TCodeDirection::Expand;
    switch (method) {
    case coNone: CopyBytes(coder); break;
    case coRLE: expanding ? DecodeRLE(coder, expandedSize) : EncodeRLE(coder); break;
    case coLZH: expanding ? DecodeLZH(coder, expandedSize) : EncodeLZH(coder); break;
    case coLZH5: expanding ? DecodeLZH5(coder, expandedSize) : EncodeLZH5(coder); break;
    default: break;  // custom and unknown methods are not coded here
    }
}

}  // namespace

TCodingResult RunCoding(TCompThreadSafety& coder, const TCompThreadSafety::Run& run, TCodeDirection direction,
                        std::uint8_t method, std::int32_t expandedSize)
{
    coder.Begin(run);
    try {
        RunCodec(coder, direction, method, expandedSize);
    } catch (...) {
        coder.Release();
        throw;
    }
    TCodingResult result;
    result.Cancelled = coder.Cancelled();
    result.InputCount = coder.InputCount();
    result.Checksum = static_cast<std::int32_t>(direction == TCodeDirection::Expand ? coder.OutputSum() : coder.InputSum());
    coder.Flush();
    result.OutputCount = coder.OutputCount();
    return result;
}
