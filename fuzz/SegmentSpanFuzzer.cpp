// Reads arbitrary bytes as a set of several segments: the input is cut before every "SSeg" after its
// start, and the pieces become disk.001, disk.002 and so on. As for one segment, the reader must not
// crash, overrun or hang, must ask nobody, and must leave no scratch file, whatever the pieces say
// about their numbers, their archives and where those continue.
#include <cstdint>
#include <string_view>

#include "SetExpansion.h"
#include "segment/SegNaming.h"

namespace {

void WriteSegments(std::string_view input, const std::filesystem::path& dir)
{
    std::uint32_t n = 1;
    for (;;) {
        const std::size_t next = input.find("SSeg", 1);
        const std::string_view piece = input.substr(0, next);
        fuzz::WriteInput(dir / SegFileNameFor("disk", "", n++), piece);
        if (next == std::string_view::npos) return;
        input.remove_prefix(next);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path root = fuzz::FreshScratch("segment-span-fuzz");
    WriteSegments(std::string_view(reinterpret_cast<const char*>(data), size), root);
    fuzz::ExpandSetLeavingNoScratch(root);
    return 0;
}
