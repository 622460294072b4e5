#pragma once
// The entries of a solid method, coded part by part: the files are cut into parts of about equal work, each
// part coded on a thread of its own, its entries in order into memory, while the caller's thread takes the
// entries in the archive's order and passes their progress on. Without threads (one core, or the system
// refuses one), the caller's thread codes each entry as it takes it; the parts and their bytes are the same,
// so an archive is the same whatever machine writes it.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "compress/CodingChain.h"
#include "compress/pool/EntryCoding.h"

class TSolidParts {
public:
    // Two parts: coded on two cores, about as fast as file by file, and no more than one dictionary's reach of
    // extra work, for an archive a few kilobytes larger than one part would make it.
    static constexpr std::size_t kParts = 2;

    TSolidParts(std::vector<TArchiveSource> files, const TEntryMethod& method, std::int32_t key, bool threads);
    TSolidParts(const TSolidParts&) = delete;
    TSolidParts& operator=(const TSolidParts&) = delete;
    // Stops the threads: the entries being coded are cancelled.
    ~TSolidParts();

    // Waits for entry i and hands it over; the coding's exception is raised here. Taken in order. While
    // waiting, progress hears the entry's percentage now and then when it has risen; its answer -1 stops
    // every part and the entry comes back with Cancelled set.
    TCodedEntry Take(std::size_t i, const TShowProgressEvent& progress);

private:
    struct Entry {
        std::atomic<std::int32_t> percent{0};
        bool done = false;
        TCodedEntry coded;
        std::exception_ptr error;
    };

    void CodePart(std::size_t part);
    void Code(std::size_t i, const TShowProgressEvent& progress);
    void Stop();

    const std::vector<TArchiveSource> files_;
    const TEntryMethod method_;
    const std::int32_t key_;
    std::vector<std::size_t> partOf_;  // the part of each entry
    std::vector<TCodingChain> parts_;
    std::vector<std::unique_ptr<Entry>> entries_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::atomic<bool> stopping_{false};
    std::vector<std::thread> threads_;
};
