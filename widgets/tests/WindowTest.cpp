#include "widgets/Gradpan.h"

#include <gtest/gtest.h>

#include "TopWindow.h"
#include "testsupport/widgets/Dib.h"

namespace {

LRESULT HitAt(const TGradPan& panel, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(panel.Handle(), &point);
    return SendMessageA(panel.Handle(), WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
}

TEST(Window, FixedPanelAnswersNowhereSoItsSurfaceTakesNoMouseInput)
{
    TTopWindow top(300, 200, false);
    TGradPan panel(top.Handle(), RECT{20, 10, 220, 110});
    EXPECT_EQ(HitAt(panel, 3, 3), HTNOWHERE);
    EXPECT_EQ(HitAt(panel, 100, 50), HTNOWHERE);
}

TEST(Window, MoveablePanelResizesFromItsEdgesAndMovesFromInside)
{
    TTopWindow top(300, 200, false);
    TGradPan panel(top.Handle(), RECT{20, 10, 220, 110});  // 200 x 100
    panel.Moveable = true;
    EXPECT_EQ(HitAt(panel, 3, 3), HTTOPLEFT);
    EXPECT_EQ(HitAt(panel, 3, 97), HTBOTTOMLEFT);
    EXPECT_EQ(HitAt(panel, 5, 50), HTLEFT);
    EXPECT_EQ(HitAt(panel, 6, 50), HTCAPTION) << "the band is Marge pixels wide";
    EXPECT_EQ(HitAt(panel, 196, 2), HTTOPRIGHT);
    EXPECT_EQ(HitAt(panel, 199, 99), HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(panel, 195, 50), HTRIGHT) << "Width - x = 5 < 6";
    EXPECT_EQ(HitAt(panel, 194, 50), HTCAPTION);
    EXPECT_EQ(HitAt(panel, 100, 0), HTTOP);
    EXPECT_EQ(HitAt(panel, 100, 95), HTBOTTOM);
    EXPECT_EQ(HitAt(panel, 100, 50), HTCAPTION);

    panel.Marge = 20;
    EXPECT_EQ(HitAt(panel, 15, 50), HTLEFT);
    EXPECT_EQ(HitAt(panel, 100, 85), HTBOTTOM);
}

TEST(Window, ReportsEveryMoveMadeByCodeWithItselfAsSender)
{
    TTopWindow top(300, 200, false);
    TGradPan panel(top.Handle(), RECT{0, 0, 50, 50});
    int moves = 0;
    TGradPan* sender = nullptr;
    RECT seen{};
    panel.OnPanelMove = [&](TGradPan& s) {
        ++moves;
        sender = &s;
        GetWindowRect(s.Handle(), &seen);
        MapWindowPoints(nullptr, top.Handle(), reinterpret_cast<POINT*>(&seen), 2);
    };
    MoveWindow(panel.Handle(), 30, 40, 50, 50, TRUE);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(sender, &panel);
    EXPECT_EQ(seen.left, 30);
    EXPECT_EQ(seen.top, 40);
    SetWindowPos(panel.Handle(), nullptr, 31, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(moves, 2);
}

// What the window shows now, read from its own device context without handling any message first.
COLORREF ShownAt(const TGradPan& panel, int x, int y)
{
    TDib dib(1, 1);
    HDC dc = GetDC(panel.Handle());
    BitBlt(dib.Dc(), 0, 0, 1, 1, dc, x, y, SRCCOPY);
    ReleaseDC(panel.Handle(), dc);
    return dib.Pixel(0, 0);
}

TEST(Window, VisualSettersRepaintAtOnce)
{
    TTopWindow top(200, 120, true);
    TGradPan panel(top.Handle(), RECT{0, 0, 200, 120});
    TTopWindow::Pump();
    panel.SetBackGroundEffect(bdFlat);
    panel.SetColorStart(0x0000FF);
    EXPECT_EQ(ShownAt(panel, 100, 60), RGB(255, 0, 0));
    panel.SetColorStart(0x00FF00);
    EXPECT_EQ(ShownAt(panel, 100, 60), RGB(0, 255, 0));
    panel.SetBevelOuter(bvLowered);
    EXPECT_EQ(ShownAt(panel, 100, 0), RGB(128, 128, 128));
    panel.SetBackGroundEffect(bdUp);
    panel.SetColorEnd(0x0000FF);
    EXPECT_EQ(ShownAt(panel, 100, 118), RGB(249, 5, 0)) << "band 98 of green to red";
}

}  // namespace
