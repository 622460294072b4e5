#pragma once
// One codec run over a coder state: what CodeStream does between its first and last progress report,
// usable on any thread with a coder state of its own.
#include <cstdint>

#include "compress/CompThreadSafety.h"
#include "compress/Compress.h"

struct TCodingResult {
    std::int32_t OutputCount = 0;
    // The byte sum of the expanded side: the output when expanding, the input when compressing.
    std::int32_t Checksum = 0;
    bool Cancelled = false;
    // The bytes taken from the input stream: fewer than announced when it ended early.
    std::int64_t InputCount = 0;
};

// Codes run.input into run.output with the method's codec; exceptions of the codec pass, with the
// coder's buffers released.
TCodingResult RunCoding(TCompThreadSafety& coder, const TCompThreadSafety::Run& run, TCodeDirection direction,
                        std::uint8_t method, std::int32_t expandedSize);
