#pragma once
// The setup screen's picture once it has settled, with only what moves by itself left out of comparisons: the
// playing logo and a text caret.
#include "app/screen/DisplayScreen.h"
#include "testsupport/ui/ScreenPicture.h"

#include <windows.h>

#include <functional>
#include <optional>

inline RECT BoundsOn(const TWindow& control, const TWindow& window)
{
    RECT bounds;
    GetWindowRect(control.Handle(), &bounds);
    MapWindowPoints(HWND_DESKTOP, window.Handle(), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

inline void MaskMoving(const TDisplayScreen& screen, TScreenPicture& picture)
{
    if (screen.ImageHolder1.Visible() && screen.LogoImage.Animate())
        picture.Mask(BoundsOn(screen.ImageHolder1, screen));
    if (const std::optional<RECT> caret = CaretIn(screen.Handle())) picture.Mask(*caret);
}

inline std::function<void(TScreenPicture&)> MovingOf(const TDisplayScreen& screen)
{
    return [&screen](TScreenPicture& picture) { MaskMoving(screen, picture); };
}

inline TScreenPicture PictureOf(const TDisplayScreen& screen)
{
    return SettledPicture(screen.Handle(), MovingOf(screen));
}
