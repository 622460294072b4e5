// Arbitrary bytes into DecodeLZMASolid as two entries of one chain, the second going on from the first as an
// archive's reader runs them: three bytes give each entry's expanded size (below 128 KB), two the first
// entry's coded bytes, and the rest is the two entries' data. ELzmaData is the decoder's refusal; an entry
// that writes past its size, or a chain that breaks the decoder, is a finding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "compress/CompressExceptions.h"
#include "compress/lzma/LzmaSolid.h"
#include "port/MemoryStream.h"

namespace {

std::int32_t SizeAt(const std::uint8_t* data)
{
    return static_cast<std::int32_t>(data[0] | (data[1] << 8) | ((data[2] & 0x01) << 16));
}

void DecodeEntry(TCodingChain& chain, const std::uint8_t* data, std::size_t size, std::int32_t expandedSize)
{
    MemoryStream in(std::vector<unsigned char>(data, data + size));
    MemoryStream out;
    TCompThreadSafety state;
    TCompThreadSafety::Run run;
    run.input = &in;
    run.output = &out;
    run.inputSize = static_cast<std::int32_t>(size);
    run.outputBudget = 0x7FFFFFFF;
    run.chain = &chain;
    state.Begin(run);
    try {
        DecodeLZMASolid(state, expandedSize);
    } catch (const ELzmaData&) {
        state.Release();
        return;
    }
    state.Flush();
    if (out.Bytes().size() > static_cast<std::size_t>(expandedSize)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 8) return 0;
    const std::size_t rest = size - 8;
    const std::size_t first = std::min<std::size_t>(rest, static_cast<std::size_t>(data[6] | (data[7] << 8)));
    TCodingChain chain;
    DecodeEntry(chain, data + 8, first, SizeAt(data));
    DecodeEntry(chain, data + 8 + first, rest - first, SizeAt(data + 3));
    return 0;
}
