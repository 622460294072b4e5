#include "ui/Timer.h"

#include "ui/Application.h"

#include <map>

namespace {

// Thread timers carry only their id; this finds the object again. Made before main (no timer runs earlier),
// so no guard is needed.
std::map<UINT_PTR, TTimer*> timers;

std::map<UINT_PTR, TTimer*>& Timers()
{
    return timers;
}

}  // namespace

TTimer::~TTimer()
{
    SetEnabled(false);
}

void TTimer::SetInterval(unsigned milliseconds)
{
    interval_ = milliseconds;
    if (Enabled()) {
        SetEnabled(false);
        SetEnabled(true);
    }
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == Enabled()) return;
    if (!enabled) {
        KillTimer(nullptr, id_);
        Timers().erase(id_);
        id_ = 0;
        return;
    }
    id_ = SetTimer(nullptr, 0, interval_, Fire);
    if (id_ != 0) Timers()[id_] = this;
}

void CALLBACK TTimer::Fire(HWND, UINT, UINT_PTR id, DWORD)
{
    const auto found = Timers().find(id);
    if (found == Timers().end() || !found->second->OnTimer) return;
    try {
        found->second->OnTimer();
    } catch (...) {
        Application::HandleException();
    }
}
