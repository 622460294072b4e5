#include "ui/controls/ProgressBar.h"

#include <commctrl.h>

TProgressBar::TProgressBar(TWindow& parent, int id)
{
    CreateControl(PROGRESS_CLASSA, WS_VISIBLE, 0, parent.Handle(), id);
    SetRange(0, 100);
}

void TProgressBar::SetRange(int min, int max)
{
    SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min), max);
}

int TProgressBar::Min() const
{
    return static_cast<int>(SendMessageA(Handle(), PBM_GETRANGE, TRUE, 0));
}

int TProgressBar::Max() const
{
    return static_cast<int>(SendMessageA(Handle(), PBM_GETRANGE, FALSE, 0));
}

int TProgressBar::Position() const
{
    return static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0));
}

void TProgressBar::SetPosition(int position)
{
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}
