#pragma once
// What a solid method carries from one entry of an archive to the next: its coder, dictionary and all. The
// reader or writer of an archive keeps one for the archive's entries in order and hands it to each run; only
// the solid method's codec reads it, and a run without one codes its entry as a chain of its own.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct TCodingChain {
    std::shared_ptr<void> state;  // none before the chain's first entry, and after an entry that failed

    // Writing: the bytes of the archive's solid entries together, which bound the dictionary of its coders.
    std::int64_t plannedBytes = 0;
    // Writing: the archive's entries are mostly programs, and its coders are set for machine code.
    bool programs = false;
    // Writing a chain that goes on from entries coded apart, on another thread: those entries' files and
    // sizes, in order. The reader's dictionary holds their last bytes when it comes to this chain, and this
    // chain's coder takes them in before its first entry.
    std::vector<std::pair<std::string, std::int64_t>> filesBefore;
};
