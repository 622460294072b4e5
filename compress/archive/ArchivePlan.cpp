#include "compress/archive/ArchivePlan.h"

#include <utility>

#include "port/FileStream.h"
#include "port/FileSystem.h"

namespace {

// A file that is not there is queued all the same: its worker raises the error, in its place.
std::int64_t SizeOrZero(const std::string& path)
{
    return port::FileExists(path) ? FileStream(path, FileMode::OpenRead).Size() : 0;
}

}  // namespace

TArchivePlan::TArchivePlan(const std::vector<TArchiveSource>& files, TEntryCodingPool& pool, std::int64_t limit,
                           CheckFn check)
    : files_(files), pool_(pool), limit_(limit), check_(std::move(check))
{
}

TArchivePlan::Entry TArchivePlan::Through(std::size_t i)
{
    while (planned_.size() < files_.size() && PlanNext()) continue;
    return planned_.at(i);
}

// Plans the next file, unless the files waiting would pass the limit with it.
bool TArchivePlan::PlanNext()
{
    const TArchiveSource& file = files_[planned_.size()];
    if (!checked_) checkedPath_ = check_(file.Path);
    checked_ = true;
    Entry entry{{checkedPath_, file.StoredName}};
    if (!checkedPath_.empty()) {
        const std::int64_t size = SizeOrZero(checkedPath_);
        entry.direct = size > limit_;
        const std::int64_t ahead = pool_.BytesAhead();
        if (!entry.direct && ahead > 0 && ahead + size > limit_) return false;
        if (!entry.direct) entry.ticket = pool_.Add(entry.file, size);
    }
    planned_.push_back(entry);
    checked_ = false;
    return true;
}
