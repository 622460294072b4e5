#include "widgets/HitTest.h"

LRESULT MoveableHitTest(POINT client, SIZE size, int marge)
{
    const bool left = client.x < marge;
    const bool right = size.cx - client.x < marge;
    const bool top = client.y < marge;
    const bool bottom = size.cy - client.y < marge;
    if (left) return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
    if (right) return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
    return HTCAPTION;
}
