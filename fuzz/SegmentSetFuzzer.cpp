// Reads arbitrary bytes as a set of one segment, disk.001. Whatever the bytes, the reader must not
// crash, overrun or hang, must ask nobody (SegPopUp off, every dialog cancelled), and must leave no
// scratch file. Every expanded file is redirected into the scratch tree, as the setup program does.
#include <cstdint>

#include "SetExpansion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path root = fuzz::FreshScratch("segment-set-fuzz");
    fuzz::WriteInput(root / "disk.001", {reinterpret_cast<const char*>(data), size});
    fuzz::ExpandSetLeavingNoScratch(root);
    return 0;
}
