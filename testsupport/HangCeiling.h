#pragma once
// How long a test waits for an event that is sure to come: a wait ends as soon as the event is there, and
// only a real hang runs into this ceiling, on however busy a machine, well before CTest's limit for a
// whole program.
#include <chrono>
#include <functional>
#include <thread>

inline constexpr unsigned kHangCeilingMs = 60000;

// Whether done holds, asked every 20 ms until it does or the ceiling is reached.
inline bool Eventually(const std::function<bool()>& done, unsigned ceilingMs = kHangCeilingMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ceilingMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}
