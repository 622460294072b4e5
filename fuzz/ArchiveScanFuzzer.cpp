// Any bytes as an archive file, listed only, as `mksetup list` and the segment reader list one: the
// scan ends in a list or one of the component's exceptions, and every entry it lists took at least
// its header's bytes of the file, so a hostile size cannot make it list the same bytes twice.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "compress/Compress.h"
#include "port/Exception.h"

namespace {

const std::string& ArchivePath()
{
    static const std::string path = "/tmp/archive-scan-fuzz-" + std::to_string(::getpid()) + ".cmp";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::ofstream(ArchivePath(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    TCompress c;
    TArchiveList list;
    try {
        c.ScanArchive(ArchivePath(), list);
    } catch (const Exception&) {
        return 0;
    }
    if (list.size() * TEntryHeader::kSize > size) std::abort();
    return 0;
}
