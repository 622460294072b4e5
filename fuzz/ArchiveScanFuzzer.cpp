// Any bytes as an archive file, listed only, as `mksetup list` and the segment reader list one: the
// scan ends in a list or one of the component's exceptions, and every entry it lists took at least
// its header's bytes of the file, so a hostile size cannot make it list the same bytes twice.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzScratch.h"
#include "compress/Compress.h"
#include "port/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string archive = (fuzz::ProcessScratch("archive-scan-fuzz") / "input.cmp").string();
    fuzz::WriteInput(archive, {reinterpret_cast<const char*>(data), size});
    TCompress c;
    TArchiveList list;
    try {
        c.ScanArchive(archive, list);
    } catch (const Exception&) {
        return 0;
    }
    if (list.size() * TEntryHeader::kSize > size) std::abort();
    return 0;
}
