// Any bytes as an archive file: scanning and expanding end in a result or one of the component's
// exceptions, never outside a buffer. Every entry is written to one scratch file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "compress/Compress.h"
#include "port/Exception.h"

namespace {

const std::string& ScratchDir()
{
    static const std::string dir = [] {
        char pattern[] = "/tmp/archive-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made != nullptr ? made : "/tmp") + "/";
    }();
    return dir;
}

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string archive = ScratchDir() + "input.cmp";
    WriteFile(archive, data, size);
    TCompress c;
    TArchiveList list;
    try {
        c.ScanArchive(archive, list);
    } catch (const Exception&) {
        return 0;
    }
    // Decoders produce the announced size whatever the input: keep each run small.
    for (const auto& entry : list)
        if (entry.Info.ExpandedSize > (1 << 20)) return 0;
    c.Key = size > 0 ? data[0] : 0;
    c.OnCheckFile = [](std::string& path, TCProcessMode) { path = ScratchDir() + "output.bin"; };
    c.OnRecognize = [](const std::string&, bool& recognized) { recognized = true; };
    try {
        c.ExpandArchive(archive, nullptr);
    } catch (const Exception&) {
    }
    return 0;
}
