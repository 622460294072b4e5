// Any bytes as an archive file: scanning and expanding end in a result or one of the component's
// exceptions, never outside a buffer. Every entry is written to one scratch file.
#include <cstdint>
#include <string>

#include "FuzzScratch.h"
#include "compress/Compress.h"
#include "port/Exception.h"

namespace {

std::string Scratch(const std::string& name)
{
    return (fuzz::ProcessScratch("archive-expand-fuzz") / name).string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string archive = Scratch("input.cmp");
    fuzz::WriteInput(archive, {reinterpret_cast<const char*>(data), size});
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
    c.OnCheckFile = [](std::string& path, TCProcessMode) { path = Scratch("output.bin"); };
    c.OnRecognize = [](const std::string&, bool& recognized) { recognized = true; };
    try {
        c.ExpandArchive(archive, nullptr);
    } catch (const Exception&) {
    }
    return 0;
}
