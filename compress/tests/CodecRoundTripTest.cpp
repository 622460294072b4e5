// Every codec codes and expands back every kind of data, with and without a key, at the sizes around its own
// window, buffer and block boundaries and over several megabytes; a key scrambles the coded bytes and nothing
// else.
#include <gtest/gtest.h>

#include <string>

#include "compress/lh5/Lh5.h"
#include "compress/lzhuf/Lzhuf.h"
#include "compress/lzma/Lzma.h"
#include "compress/simple/SimpleCodecs.h"
#include "testsupport/TestBytes.h"
#include "testsupport/compress/CodecRun.h"

namespace {

void EncodeLzmaForAnySize(TCompThreadSafety& state)
{
    EncodeLZMA(state, 0);
}

struct Codec {
    std::string name;
    void (*encoder)(TCompThreadSafety&);
    void (*decoder)(TCompThreadSafety&, std::int32_t);
    std::vector<std::size_t> sizes;  // around its window, the input buffer (8,192), its blocks and refills
    std::size_t longestRun;          // a few times its longest match
};

const Codec kCodecs[] = {
    {"lzhuf", EncodeLZH, DecodeLZH,
     {1, 2, 3, 59, 60, 61, 4035, 4036, 4095, 4096, 4097, 7936, 8192, 16128, 16384, 16640}, 250},
    {"lh5", EncodeLZH5, DecodeLZH5,
     {1, 2, 3, 4, 255, 256, 257, 4095, 4096, 4097, 7935, 7936, 7937, 8192, 8448, 16127, 16128, 16129, 16384,
      16640, 24321, 70000},
     700},
    {"lzma", EncodeLzmaForAnySize, DecodeLZMA, {4095, 4096, 8191, 8192, 8193, 16384, 65537}, 700},
    {"run-length", EncodeRLE, DecodeRLE, {254, 255, 256, 8192, 8193}, 700},
};

// Every byte value in runs of many lengths, then long runs of the run-length marker and of zeros.
Bytes EveryByteValueInRuns()
{
    Bytes plain;
    for (std::size_t run = 1; run < 600; run += 37)
        for (int b = 0; b < 256; b += 51) plain.insert(plain.end(), run, static_cast<unsigned char>(b));
    plain.insert(plain.end(), 40000, kRunMarker);
    plain.insert(plain.end(), 70000, 0x00);
    return plain;
}

// Text, noise, a long stretch of full-length matches, runs and text again: many window slides.
Bytes SeveralMegabytes()
{
    Bytes mixed = TextLike(1500000);
    for (const Bytes& part : {RandomBytes(700000, 7), Bytes(1200000, 0), RunsOfBytes(200000, 250), TextLike(900000)})
        mixed.insert(mixed.end(), part.begin(), part.end());
    return mixed;
}

std::vector<std::pair<std::string, Bytes>> Inputs(const Codec& codec)
{
    std::vector<std::pair<std::string, Bytes>> inputs = {{"nothing", {}},
                                                         {"one byte", {'Q'}},
                                                         {"a run of spaces", Bytes(100000, ' ')},
                                                         {"a run of letters", Bytes(100000, 'a')},
                                                         {"a run of zeros", Bytes(100000, 0)},
                                                         {"every byte value in runs", EveryByteValueInRuns()},
                                                         {"Debian's licence texts", DebianTexts()},
                                                         {"text and noise", TextAndNoise(300000)}};
    for (const std::size_t size : codec.sizes) {
        const auto seed = static_cast<std::uint32_t>(size);
        inputs.push_back({"random " + std::to_string(size), RandomBytes(size, seed)});
        inputs.push_back({"words " + std::to_string(size), TextBytes(size, seed)});
        inputs.push_back({"licence text " + std::to_string(size), TextLike(size)});
        inputs.push_back({"runs " + std::to_string(size), RunsOfBytes(size, codec.longestRun)});
    }
    return inputs;
}

TEST(CodecRoundTrip, EveryKindOfDataComesBackWithAndWithoutAKey)
{
    static const Bytes megabytes = SeveralMegabytes();
    for (const Codec& codec : kCodecs) {
        SCOPED_TRACE(codec.name);
        std::vector<std::pair<std::string, Bytes>> inputs = Inputs(codec);
        inputs.push_back({"several megabytes", megabytes});
        for (const auto& [what, input] : inputs) {
            SCOPED_TRACE(what);
            for (const std::int32_t key : {0, 0x5A3C1F07})
                ExpectRoundTrip(codec.encoder, codec.decoder, input, what, key);
        }
    }
}

TEST(CodecRoundTrip, AKeyScramblesEveryCodedByteAndNothingElse)
{
    const Bytes text = DebianText("GPL-2");
    const std::int32_t key = 0x5EC2E7A1;
    for (const Codec& codec : kCodecs) {
        const Bytes plain = Compress(codec.encoder, text);
        const Bytes scrambled = Compress(codec.encoder, text, {.key = key});
        ASSERT_EQ(plain.size(), scrambled.size()) << codec.name;
        for (std::size_t i = 0; i < plain.size(); ++i)
            ASSERT_EQ(plain[i] ^ scrambled[i], (static_cast<std::uint32_t>(key) >> (8 * (i % 4))) & 0xFF)
                << codec.name << ", byte " << i;
    }
}

}  // namespace
