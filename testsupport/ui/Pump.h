#pragma once
// Lets the windows of a test process their messages until something has happened, at most until the hang ceiling.
#include "testsupport/HangCeiling.h"
#include "ui/Application.h"
#include "ui/Timer.h"

#include <windows.h>

#include <functional>

inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kHangCeilingMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Application::ProcessMessages();
        Sleep(5);
    }
    return true;
}

// Processes messages until a timer of this interval has fired: a timer due earlier, were it running, would have
// fired first, however busy the machine.
inline bool PumpPast(unsigned milliseconds)
{
    bool fired = false;
    TTimer marker;
    marker.SetInterval(milliseconds);
    marker.OnTimer = [&] {
        fired = true;
        marker.SetEnabled(false);
    };
    marker.SetEnabled(true);
    return PumpUntil([&fired] { return fired; });
}

// Processes every message posted so far: the system makes a timer's message only when the queue holds no other.
inline bool PumpPosted()
{
    return PumpPast(1);
}
