#include "ui/pictures/Image.h"

TImage::TImage(TWindow& parent, int id)
{
    CreateCustom(WS_CHILD | WS_VISIBLE, 0, parent.Handle(), id);
}

TImage::~TImage()
{
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

bool TImage::LoadFromFile(const std::string& path)
{
    const TPictureFile file = PictureFileFor(path, Dpi());
    HANDLE loaded = LoadImageA(nullptr, file.Path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (loaded == nullptr) return false;
    origin_ = TPictureOrigin{path, file};
    Take(static_cast<HBITMAP>(loaded));
    return true;
}

// A move to another scale may call for the other file of the picture.
void TImage::ScaleChanged()
{
    if (origin_.CallsForOtherFile(Dpi())) {
        const std::string configured = origin_.Configured;  // the load replaces the origin
        LoadFromFile(configured);
    }
    TWindow::ScaleChanged();
    Repaint();
}

bool TImage::LoadFromResource(int resourceId)
{
    HANDLE loaded =
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (loaded == nullptr) return false;
    origin_ = TPictureOrigin{};
    Take(static_cast<HBITMAP>(loaded));
    return true;
}

void TImage::SetPicture(const TImage& other)
{
    if (other.bitmap_ == nullptr) return;
    HANDLE copy = CopyImage(other.bitmap_, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (copy == nullptr) return;
    origin_ = TPictureOrigin{"", TPictureFile{"", other.origin_.Drawn.Density}};
    Take(static_cast<HBITMAP>(copy));
}

void TImage::Take(HBITMAP bitmap)
{
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    if (autoSize_) SetSize(PictureWidth(), PictureHeight());
    Repaint();
}

int TImage::PictureWidth() const
{
    return origin_.DesignedSize(BitmapSize(bitmap_)).cx;
}

int TImage::PictureHeight() const
{
    return origin_.DesignedSize(BitmapSize(bitmap_)).cy;
}

void TImage::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    if (autoSize_ && bitmap_ != nullptr) SetSize(PictureWidth(), PictureHeight());
}

void TImage::SetTransparent(bool transparent)
{
    transparent_ = transparent;
    Repaint();
}

void TImage::Paint(HDC dc)
{
    PaintParentBackground(dc);
    if (bitmap_ == nullptr) return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, bitmap_);
    const SIZE size = BitmapSize(bitmap_);
    // The picture at its designed size in this window's pixels.
    const int width = Scaled(PictureWidth());
    const int height = Scaled(PictureHeight());
    // gdi32's own transparent copy: msimg32, where TransparentBlt lives, is a DLL that Windows would look for
    // beside setup.exe first. A colour key cannot be smoothed (its blend with the picture would show as a
    // fringe), so a transparent picture is enlarged pixel by pixel.
    if (transparent_)
        GdiTransparentBlt(dc, 0, 0, width, height, source, 0, 0, size.cx, size.cy, GetPixel(source, 0, size.cy - 1));
    else
        DrawSmoothed(dc, RECT{0, 0, width, height}, source, size);
    SelectObject(source, previous);
    DeleteDC(source);
}
