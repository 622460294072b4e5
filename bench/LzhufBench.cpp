// LZHUF coding and decoding speed on the peer texts, with the size of what the coder writes beside the
// size the other archiver wrote.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "compress/lzhuf/Lzhuf.h"
#include "testsupport/compress/CodecRun.h"

namespace {

Bytes PeerText(const std::string& name)
{
    std::ifstream in(std::string(SETUP_TESTDATA_DIR) + "/lzh-peers/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// name is the peer text without ".txt"; the archiver's own coding of it is name + ".lh1".
void LzhufEncode(benchmark::State& state, const std::string& name)
{
    const Bytes text = PeerText(name + ".txt");
    std::size_t codedSize = 0;
    for (auto _ : state) {
        const Bytes coded = Compress(EncodeLZH, text);
        codedSize = coded.size();
        benchmark::DoNotOptimize(coded.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.counters["coded_bytes"] = static_cast<double>(codedSize);
    state.counters["ratio_percent"] = 100.0 * static_cast<double>(codedSize) / static_cast<double>(text.size());
    state.counters["peer_bytes"] = static_cast<double>(PeerText(name + ".lh1").size());
}

void LzhufDecode(benchmark::State& state, const std::string& name)
{
    const Bytes text = PeerText(name + ".txt");
    const Bytes coded = Compress(EncodeLZH, text);
    for (auto _ : state) {
        const Bytes back = Expand(DecodeLZH, coded, static_cast<std::int32_t>(text.size()));
        benchmark::DoNotOptimize(back.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

}  // namespace

BENCHMARK_CAPTURE(LzhufEncode, long, std::string("long"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LzhufDecode, long, std::string("long"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LzhufEncode, gpl2, std::string("gpl2"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LzhufDecode, gpl2, std::string("gpl2"))->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
