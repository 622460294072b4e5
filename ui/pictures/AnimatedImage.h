#pragma once
// An animated GIF player: decodes the frames with GDI+, shows one at a time, centred, and moves on after each
// frame's own delay while animating, in a loop.
#include "ui/Timer.h"
#include "ui/Window.h"
#include "ui/pictures/PictureScale.h"

#include <string>
#include <vector>

class TAnimatedImage : public TWindow {
public:
    TAnimatedImage(TWindow& parent, int id);
    ~TAnimatedImage() override;

    // false, with no picture, when the file is missing or cannot be decoded.
    bool LoadFromFile(const std::string& path);
    bool Empty() const { return image_ == nullptr; }
    int PictureWidth() const { return width_; }
    int PictureHeight() const { return height_; }
    int FrameCount() const { return static_cast<int>(delays_.size()); }
    int FrameIndex() const { return frame_; }

    bool Animate() const { return timer_.Enabled(); }
    void SetAnimate(bool animate);
    // Above 96 DPI the file's "@2x" twin is drawn when there is one (ui/pictures/PictureScale.h).
    void ScaleChanged() override;

protected:
    void Paint(HDC dc) override;

private:
    void Unload();
    void ReadFrameDelays();
    void NextFrame();

    void* image_ = nullptr;  // the GDI+ image
    TPictureOrigin origin_;
    int width_ = 0;  // units
    int height_ = 0;
    std::vector<unsigned> delays_;  // milliseconds, one per frame
    int frame_ = 0;
    TTimer timer_;
};
