#pragma once
// What one archive can hold. The format counts sizes in signed 32 bits and a segment set carries an
// archive's length in the same width, so an archive is kept within 2,147,483,647 bytes, headers and
// names included, counting every entry as if stored: coded data are never longer than the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "compress/archive/ArchiveFormat.h"

class TArchiveBudget {
public:
    static constexpr std::int64_t kMaxArchiveBytes = 2147483647;

    // Whether a file of size bytes, stored under a name of nameLength bytes, still fits.
    bool Fits(std::int64_t size, std::size_t nameLength) const;
    // Counts the file in. One that would pass the limit is refused with EArchiveTooLarge naming path
    // and the limit: on its own when it could never fit, else as the file that tips the total over.
    void Add(const std::string& path, std::int64_t size, std::size_t nameLength);

    // Nothing counted in yet.
    bool Empty() const { return used_ == kEmptyArchive; }
    // The sum of the expanded sizes counted in: the archive header's TotalSize.
    std::int32_t ExpandedTotal() const { return static_cast<std::int32_t>(expandedTotal_); }

private:
    static constexpr std::int64_t kEmptyArchive = TArchiveHeader::kSize;

    std::int64_t used_ = kEmptyArchive;
    std::int64_t expandedTotal_ = 0;
};
