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
    HANDLE loaded = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (loaded == nullptr) return false;
    Take(static_cast<HBITMAP>(loaded));
    return true;
}

bool TImage::LoadFromResource(int resourceId)
{
    HANDLE loaded =
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (loaded == nullptr) return false;
    Take(static_cast<HBITMAP>(loaded));
    return true;
}

void TImage::SetPicture(const TImage& other)
{
    if (other.bitmap_ == nullptr) return;
    HANDLE copy = CopyImage(other.bitmap_, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (copy != nullptr) Take(static_cast<HBITMAP>(copy));
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
    BITMAP info{};
    if (bitmap_ == nullptr || GetObjectA(bitmap_, sizeof info, &info) == 0) return 0;
    return info.bmWidth;
}

int TImage::PictureHeight() const
{
    BITMAP info{};
    if (bitmap_ == nullptr || GetObjectA(bitmap_, sizeof info, &info) == 0) return 0;
    return info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
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
    const int width = PictureWidth();
    const int height = PictureHeight();
    // gdi32's own transparent copy: msimg32, where TransparentBlt lives, is a DLL that Windows would look for
    // beside setup.exe first.
    if (transparent_)
        GdiTransparentBlt(dc, 0, 0, width, height, source, 0, 0, width, height, GetPixel(source, 0, height - 1));
    else
        BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}
