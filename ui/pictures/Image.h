#pragma once
// A still picture (a bitmap). Transparent, the colour of its lower-left pixel lets the parent show through.
#include "ui/Window.h"
#include "ui/pictures/PictureScale.h"

#include <string>

class TImage : public TWindow {
public:
    TImage(TWindow& parent, int id);
    ~TImage() override;

    // false, with the picture unchanged, when the file is missing or not a bitmap. Above 96 DPI the file's
    // "@2x" twin is taken when there is one (ui/pictures/PictureScale.h).
    bool LoadFromFile(const std::string& path);
    bool LoadFromResource(int resourceId);
    // Takes a copy of another image's picture.
    void SetPicture(const TImage& other);
    bool Empty() const { return bitmap_ == nullptr; }
    // The picture's designed size, in units.
    int PictureWidth() const;
    int PictureHeight() const;

    // A self-sizing image takes the size of its picture whenever it gets one.
    void SetAutoSize(bool autoSize);
    void SetTransparent(bool transparent);
    void ScaleChanged() override;

protected:
    void Paint(HDC dc) override;

private:
    void Take(HBITMAP bitmap);

    HBITMAP bitmap_ = nullptr;
    TPictureOrigin origin_;
    bool autoSize_ = false;
    bool transparent_ = false;
};
