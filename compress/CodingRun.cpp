#include "compress/CodingRun.h"

TCodingResult RunCoding(TCompThreadSafety& coder, const TCompThreadSafety::Run& run, TCodeDirection direction,
                        TCodec codec, std::int32_t expandedSize)
{
    coder.Begin(run);
    try {
        codec(coder, expandedSize);
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
