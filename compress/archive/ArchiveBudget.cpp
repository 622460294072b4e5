#include "compress/archive/ArchiveBudget.h"

#include "compress/CompressExceptions.h"

namespace {

std::int64_t EntryBytesAtMost(std::int64_t size, std::size_t nameLength)
{
    return static_cast<std::int64_t>(TEntryHeader::kSize + nameLength) + size;
}

}  // namespace

bool TArchiveBudget::Fits(std::int64_t size, std::size_t nameLength) const
{
    return used_ + EntryBytesAtMost(size, nameLength) <= kMaxArchiveBytes;
}

void TArchiveBudget::Add(const std::string& path, std::int64_t size, std::size_t nameLength)
{
    const std::string limit = std::to_string(kMaxArchiveBytes) + " bytes, headers and names included";
    if (kEmptyArchive + EntryBytesAtMost(size, nameLength) > kMaxArchiveBytes)
        throw EArchiveTooLarge(path + " is " + std::to_string(size) + " bytes, more than an archive can hold (" +
                               limit + ")");
    if (!Fits(size, nameLength))
        throw EArchiveTooLarge("The files add up to more than an archive can hold (" + limit + ") with " + path +
                               "; put them into several archives");
    used_ += EntryBytesAtMost(size, nameLength);
    expandedTotal_ += size;
}
