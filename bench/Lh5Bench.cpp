// -lh5- decoding and encoding speed, in bytes of uncompressed data per second, on text (long.txt) and
// on a binary corpus of Windows DLLs from the wine package (a realistic installer payload).
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "compress/CompThreadSafety.h"
#include "compress/lh5/Lh5.h"
#include "port/MemoryStream.h"

namespace {

using TBytes = std::vector<unsigned char>;

TBytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const TBytes& Text()
{
    static const TBytes text = ReadFile(std::string(SETUP_TESTDATA_DIR) + "/lzh-peers/long.txt");
    return text;
}

const TBytes& Dlls()
{
    static const TBytes dlls = [] {
        TBytes all;
        for (const char* name : {"shell32.dll", "user32.dll", "comctl32.dll"}) {
            const TBytes dll = ReadFile(std::string("/usr/lib/i386-linux-gnu/wine/i386-windows/") + name);
            all.insert(all.end(), dll.begin(), dll.end());
        }
        return all;
    }();
    return dlls;
}

TBytes Run(const TBytes& input, std::int32_t expandedSize)
{
    MemoryStream in(input);
    MemoryStream out;
    TCompThreadSafety state;
    state.Begin({&in, &out, static_cast<std::int32_t>(input.size()), 0x7FFFFFFF, false, false, 0, {}});
    if (expandedSize < 0) {
        EncodeLZH5(state);
    } else {
        DecodeLZH5(state, expandedSize);
    }
    state.Flush();
    return out.Bytes();
}

void Encode(benchmark::State& state, const TBytes& (*corpus)())
{
    const TBytes& plain = corpus();
    if (plain.empty()) return state.SkipWithError("corpus not found");
    std::size_t coded = 0;
    for (auto _ : state) coded = Run(plain, -1).size();
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(plain.size()));
    state.counters["ratio"] = static_cast<double>(coded) / static_cast<double>(plain.size());
}

void Decode(benchmark::State& state, const TBytes& (*corpus)())
{
    const TBytes& plain = corpus();
    if (plain.empty()) return state.SkipWithError("corpus not found");
    const TBytes coded = Run(plain, -1);
    for (auto _ : state) {
        if (Run(coded, static_cast<std::int32_t>(plain.size())).size() != plain.size()) state.SkipWithError("short");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(plain.size()));
}

}  // namespace

BENCHMARK_CAPTURE(Decode, text, Text)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, dlls, Dlls)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, text, Text)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, dlls, Dlls)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
