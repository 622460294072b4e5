#include "compress/pool/ProgressWait.h"

#include <chrono>

namespace {

// How often a waiting writer passes the entry's progress on.
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

}  // namespace

bool WaitPassingProgress(std::unique_lock<std::mutex>& lock, std::condition_variable& changed,
                         const std::function<bool()>& done, const std::atomic<std::int32_t>& percent,
                         const TShowProgressEvent& progress)
{
    std::int32_t reported = 0;
    while (!changed.wait_for(lock, kProgressInterval, done)) {
        std::int32_t percentageDone = percent;
        if (!progress || percentageDone <= reported) continue;
        reported = percentageDone;
        lock.unlock();
        progress(percentageDone);
        if (percentageDone == -1) return false;
        lock.lock();
    }
    return true;
}
