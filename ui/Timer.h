#pragma once
// A timer that raises OnTimer every Interval milliseconds while enabled; a handler that disables it makes it
// fire once.
#include <windows.h>

#include <functional>

class TTimer {
public:
    TTimer() = default;
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    std::function<void()> OnTimer;

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds);
    bool Enabled() const { return id_ != 0; }
    void SetEnabled(bool enabled);

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD);

    unsigned interval_ = 1000;
    UINT_PTR id_ = 0;
};
