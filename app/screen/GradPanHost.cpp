#include "app/screen/GradPanHost.h"

#include "widgets/Gradpan.h"
#include "widgets/WidgetError.h"

TGradPanHost::TGradPanHost(TWindow& parent, int id) : TPanel(parent, id), look_(std::make_unique<TGradPan>())
{
    look_->SetBevelOuter(bvNone);
}

TGradPanHost::~TGradPanHost()
{
    if (picture_ != nullptr) DeleteObject(picture_);
}

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
    SetPicture(bitmap, TPictureOrigin{});
}

void TGradPanHost::LoadBitmapFile(const std::string& path)
{
    const TPictureFile file = PictureFileFor(path, Dpi());
    const TGdiObject<HBITMAP> picture(static_cast<HBITMAP>(
        LoadImageA(nullptr, file.Path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!picture.Get()) return;
    try {
        SetPicture(picture.Get(), TPictureOrigin{path, file});
    } catch (const EWidgetError&) {
        // The copy could not be made: the panel keeps its picture.
    }
}

// The look is handed the picture at the panel's scale; the panel keeps the picture as loaded for the next one.
void TGradPanHost::SetPicture(HBITMAP bitmap, const TPictureOrigin& origin)
{
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (copy == nullptr) throw EWidgetError("Cannot copy the picture");
    if (picture_ != nullptr) DeleteObject(picture_);
    picture_ = copy;
    origin_ = origin;
    ShowPicture();
}

void TGradPanHost::ShowPicture()
{
    const SIZE size = BitmapSize(picture_);
    const SIZE designed = origin_.DesignedSize(size);
    const SIZE scaled{Scaled(designed.cx), Scaled(designed.cy)};
    const TGdiObject<HBITMAP> drawn(scaled.cx == size.cx && scaled.cy == size.cy ? nullptr
                                                                                 : ScaledBitmap(picture_, scaled));
    look_->SetBitmap(drawn.Get() != nullptr ? drawn.Get() : picture_);
    Changed();
}

void TGradPanHost::ScaleChanged()
{
    TPanel::ScaleChanged();
    if (origin_.CallsForOtherFile(Dpi())) {
        const std::string configured = origin_.Configured;  // the load replaces the origin
        LoadBitmapFile(configured);
    } else if (picture_ != nullptr) {
        ShowPicture();
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
