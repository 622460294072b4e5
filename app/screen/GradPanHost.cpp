#include "app/screen/GradPanHost.h"

#include "widgets/Gradpan.h"
#include "widgets/WidgetError.h"

TGradPanHost::TGradPanHost(TWindow& parent, int id) : TPanel(parent, id), look_(std::make_unique<TGradPan>())
{
    look_->SetBevelOuter(bvNone);
}

TGradPanHost::~TGradPanHost() = default;

TDirection TGradPanHost::BackGroundEffect() const
{
    return look_->BackGroundEffect();
}

void TGradPanHost::SetBackGroundEffect(TDirection effect)
{
    look_->SetBackGroundEffect(effect);
    Changed();
}

void TGradPanHost::SetColorStart(TColor color)
{
    look_->SetColorStart(color);
    Changed();
}

void TGradPanHost::SetColorEnd(TColor color)
{
    look_->SetColorEnd(color);
    Changed();
}

void TGradPanHost::SetBitmap(HBITMAP bitmap)
{
    look_->SetBitmap(bitmap);
    Changed();
}

void TGradPanHost::LoadBitmapFile(const std::string& path)
{
    const TGdiObject<HBITMAP> picture(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!picture.Get()) return;
    try {
        SetBitmap(picture.Get());
    } catch (const EWidgetError&) {
        // The copy could not be made: the panel keeps its picture.
    }
}

// The panel clips its children, so the transparent ones are repainted with it to show the new surface.
void TGradPanHost::Changed()
{
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TGradPanHost::Paint(HDC dc)
{
    RECT client;
    GetClientRect(Handle(), &client);
    look_->Paint(dc, SIZE{client.right, client.bottom});
}

// The whole surface is drawn with everything outside `area` clipped away, so a child sees exactly the part
// of the gradient that lies under it.
void TGradPanHost::PaintBackground(HDC dc, const RECT& area)
{
    const TSavedDC saved(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    Paint(dc);
}
