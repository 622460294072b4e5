#pragma once
// Worker threads that code archive entries into memory ahead of the writer, which takes them in the
// archive's order. Only the workers code; events stay on the writer's thread. When the system refuses
// a thread, those already started are joined and each entry is coded on the writer's thread as it is
// taken.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "compress/pool/EntryCoding.h"

// Starts a thread running work; raises std::system_error when the system has none to give.
using TThreadStarter = std::function<std::thread(std::function<void()> work)>;

class TEntryCodingPool {
public:
    TEntryCodingPool(const TEntryMethod& method, std::int32_t key, unsigned workers,
                     const TThreadStarter& start = [](std::function<void()> work) { return std::thread(std::move(work)); });
    TEntryCodingPool(const TEntryCodingPool&) = delete;
    TEntryCodingPool& operator=(const TEntryCodingPool&) = delete;
    // Stops the workers: entries not yet taken are dropped, those being coded are cancelled.
    ~TEntryCodingPool();

    // Queues the file, size bytes long, as the next entry; tickets count from 0 in the order of adding.
    std::size_t Add(const TArchiveSource& file, std::int64_t size);
    // The sizes of the files queued or coded but not yet taken.
    std::int64_t BytesAhead() const;
    // Waits for the entry and hands it over; the coding's exception is raised here. While waiting,
    // progress hears the entry's percentage now and then when it has risen; its answer -1 stops every
    // worker and the entry comes back with Cancelled set.
    TCodedEntry Take(std::size_t ticket, const TShowProgressEvent& progress);
    // How many threads code; 0 when the entries are coded by Take itself.
    std::size_t Workers() const { return workers_.size(); }

private:
    struct Job {
        TArchiveSource file;
        std::int64_t size = 0;
        std::atomic<std::int32_t> percent{0};
        bool done = false;
        TCodedEntry coded;
        std::exception_ptr error;
    };

    void Work();
    void Code(Job& job, const TShowProgressEvent& progress);
    TCodedEntry CodeHere(std::size_t ticket, const TShowProgressEvent& progress);
    TCodedEntry HandOver(std::size_t ticket);
    void Stop();

    const TEntryMethod method_;
    const std::int32_t key_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::unique_ptr<Job>> jobs_;
    std::size_t nextToCode_ = 0;
    std::int64_t bytesAhead_ = 0;
    std::atomic<bool> stopping_{false};
    std::vector<std::thread> workers_;
};
