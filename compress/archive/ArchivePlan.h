#pragma once
// Which files of an archive are checked and queued for the coding workers, in the archive's order: as
// many as the limit on the sizes waiting in memory allows, and at least the next one to be written.
// A file above the limit is left to the writer, which codes it straight into the archive.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "compress/Compress.h"
#include "compress/pool/EntryCodingPool.h"

class TArchivePlan {
public:
    struct Entry {
        TArchiveSource file;  // an empty path when the check handler skips the file
        bool direct = false;
        std::size_t ticket = 0;
    };
    // The check handler: the path to code a file from, or empty to skip it.
    using CheckFn = std::function<std::string(const std::string&)>;

    TArchivePlan(const std::vector<TArchiveSource>& files, TEntryCodingPool& pool, std::int64_t limit, CheckFn check);

    // Plans as far ahead as the limit allows; entry i is always planned then.
    Entry Through(std::size_t i);

private:
    bool PlanNext();

    const std::vector<TArchiveSource>& files_;
    TEntryCodingPool& pool_;
    const std::int64_t limit_;
    const CheckFn check_;
    std::vector<Entry> planned_;
    std::string checkedPath_;  // the check handler's answer for the next file, kept while it waits
    bool checked_ = false;
};
