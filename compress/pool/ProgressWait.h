#pragma once
// The writer's wait for an entry that another thread codes, shared by the coding pool and the solid parts:
// the entry's percentage is passed on now and then when it has risen.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include "compress/CompThreadSafety.h"

// Waits on changed, with lock held, until done(); progress hears percent when it has risen (the caller has
// heard 0 already). True when done, the lock held; false when progress answers -1, the lock released.
bool WaitPassingProgress(std::unique_lock<std::mutex>& lock, std::condition_variable& changed,
                         const std::function<bool()>& done, const std::atomic<std::int32_t>& percent,
                         const TShowProgressEvent& progress);
