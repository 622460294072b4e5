#pragma once
// Runs one codec over bytes in memory through a fresh coder state, as CodeStream runs it over streams:
// the whole input is announced, the output buffer is flushed on success and released on an exception.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "compress/CompThreadSafety.h"
#include "port/MemoryStream.h"

using Bytes = std::vector<unsigned char>;

struct CodecSettings {
    std::int32_t budget = std::numeric_limits<std::int32_t>::max();
    std::int32_t key = 0;  // when not 0: the encoder's output is scrambled, the decoder's input unscrambled
};

// What a run wrote, and how far it read its input.
struct CodecResult {
    Bytes output;
    std::int64_t inputRead = 0;
};

inline CodecResult RunCodec(const std::function<void(TCompThreadSafety&)>& codec, const Bytes& input, bool compress,
                            const CodecSettings& settings = {})
{
    MemoryStream in(input);
    MemoryStream out;
    TCompThreadSafety state;
    const bool keyed = settings.key != 0;
    state.Begin({&in,
                 &out,
                 static_cast<std::int32_t>(input.size()),
                 settings.budget,
                 keyed && !compress,
                 keyed && compress,
                 settings.key,
                 {}});
    try {
        codec(state);
    } catch (...) {
        state.Release();
        throw;
    }
    state.Flush();
    return {out.Bytes(), in.Position()};
}

inline Bytes Compress(void (*encoder)(TCompThreadSafety&), const Bytes& input, const CodecSettings& settings = {})
{
    return RunCodec(encoder, input, true, settings).output;
}

inline Bytes Expand(void (*decoder)(TCompThreadSafety&, std::int32_t), const Bytes& coded, std::int32_t expandedSize,
                    const CodecSettings& settings = {})
{
    return RunCodec([&](TCompThreadSafety& s) { decoder(s, expandedSize); }, coded, false, settings).output;
}

// Codes input with encoder and the result back with decoder, both with the key; expects input again.
inline void ExpectRoundTrip(void (*encoder)(TCompThreadSafety&), void (*decoder)(TCompThreadSafety&, std::int32_t),
                            const Bytes& input, const std::string& what, std::int32_t key = 0)
{
    const Bytes coded = Compress(encoder, input, {.key = key});
    const Bytes back = Expand(decoder, coded, static_cast<std::int32_t>(input.size()), {.key = key});
    EXPECT_TRUE(back == input) << what << ", " << input.size() << " bytes, key " << key;
}
