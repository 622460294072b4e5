#include "ui/pictures/AnimatedImage.h"

#include <algorithm>
#include <string>

#include "port/WholeFile.h"
#include "ui/pictures/GdiPlus.h"

namespace {

// {6AEDBD6D-3FB5-418A-83A6-7F45229DC872}: the frames of an animation follow each other in time.
constexpr GUID kFrameDimensionTime = {0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};
constexpr PROPID kFrameDelay = 0x5100;
// Browsers show frames without a usable delay for a tenth of a second; so do we.
constexpr unsigned kShortestDelay = 20;
constexpr unsigned kDefaultDelay = 100;
constexpr DWORD kLongestDelay = 6000;  // hundredths: a minute

Gdiplus::GpImage* AsImage(void* image)
{
    return static_cast<Gdiplus::GpImage*>(image);
}

// GDI+ reads from the stream while it draws; the bytes live in memory, so the file itself stays free.
IStream* StreamOfFile(const std::string& path)
{
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes || bytes->empty()) return nullptr;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes->size());
    if (memory == nullptr) return nullptr;
    void* target = GlobalLock(memory);
    CopyMemory(target, bytes->data(), bytes->size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(memory, TRUE, &stream) != S_OK) {
        GlobalFree(memory);
        return nullptr;
    }
    return stream;
}

}  // namespace

TAnimatedImage::TAnimatedImage(TWindow& parent, int id)
{
    CreateCustom(WS_CHILD | WS_VISIBLE, 0, parent.Handle(), id);
    timer_.OnTimer = [this] { NextFrame(); };
}

TAnimatedImage::~TAnimatedImage()
{
    Unload();
}

void TAnimatedImage::Unload()
{
    timer_.SetEnabled(false);
    if (image_ != nullptr) GdiPlus()->GdipDisposeImage(AsImage(image_));
    image_ = nullptr;
    width_ = height_ = frame_ = 0;
    delays_.clear();
    origin_ = TPictureOrigin{};
}

bool TAnimatedImage::LoadFromFile(const std::string& path)
{
    Unload();
    Repaint();
    const TGdiPlus* gdiPlus = GdiPlus();
    if (gdiPlus == nullptr) return false;
    const TPictureFile file = PictureFileFor(path, Dpi());
    IStream* stream = StreamOfFile(file.Path);
    if (stream == nullptr) return false;
    Gdiplus::GpImage* image = nullptr;
    const bool loaded = gdiPlus->GdipLoadImageFromStream(stream, &image) == Gdiplus::Ok;
    stream->Release();  // the image holds its own reference
    if (!loaded) return false;
    image_ = image;
    UINT width = 0, height = 0;
    gdiPlus->GdipGetImageWidth(image, &width);
    gdiPlus->GdipGetImageHeight(image, &height);
    origin_ = TPictureOrigin{path, file};
    const SIZE designed = origin_.DesignedSize(SIZE{static_cast<LONG>(width), static_cast<LONG>(height)});
    width_ = designed.cx;
    height_ = designed.cy;
    ReadFrameDelays();
    Repaint();
    return true;
}

// A move to another scale may call for the other file of the picture.
void TAnimatedImage::ScaleChanged()
{
    if (origin_.CallsForOtherFile(Dpi())) {
        const bool animate = Animate();
        const std::string configured = origin_.Configured;  // the load replaces the origin
        LoadFromFile(configured);
        SetAnimate(animate);
    }
    TWindow::ScaleChanged();
    Repaint();
}

void TAnimatedImage::ReadFrameDelays()
{
    const TGdiPlus& gdiPlus = *GdiPlus();  // loaded, since there is a picture
    UINT frames = 0;
    if (gdiPlus.GdipImageGetFrameCount(AsImage(image_), &kFrameDimensionTime, &frames) != Gdiplus::Ok || frames == 0)
        frames = 1;
    delays_.assign(frames, kDefaultDelay);
    UINT size = 0;
    if (gdiPlus.GdipGetPropertyItemSize(AsImage(image_), kFrameDelay, &size) != Gdiplus::Ok ||
        size < sizeof(Gdiplus::PropertyItem))
        return;
    std::vector<unsigned char> buffer(size);
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
    if (gdiPlus.GdipGetPropertyItem(AsImage(image_), kFrameDelay, size, item) != Gdiplus::Ok) return;
    // Delays are in hundredths of a second, one 32-bit value per frame; a short list leaves the rest at default.
    const unsigned char* bytesEnd = buffer.data() + size;
    const auto* values = static_cast<const unsigned char*>(item->value);
    const size_t available = values >= buffer.data() && values <= bytesEnd
                                 ? std::min<size_t>(item->length, static_cast<size_t>(bytesEnd - values)) / 4
                                 : 0;
    for (size_t index = 0; index < delays_.size() && index < available; ++index) {
        DWORD hundredths = 0;
        CopyMemory(&hundredths, values + 4 * index, sizeof hundredths);
        const unsigned milliseconds = static_cast<unsigned>(std::min<DWORD>(hundredths, kLongestDelay)) * 10U;
        delays_[index] = milliseconds < kShortestDelay ? kDefaultDelay : milliseconds;
    }
}

void TAnimatedImage::SetAnimate(bool animate)
{
    if (!animate || image_ == nullptr || delays_.size() < 2) {
        timer_.SetEnabled(false);
        return;
    }
    timer_.SetInterval(delays_[static_cast<size_t>(frame_)]);
    timer_.SetEnabled(true);
}

void TAnimatedImage::NextFrame()
{
    if (image_ == nullptr || delays_.empty()) return;
    frame_ = (frame_ + 1) % FrameCount();
    GdiPlus()->GdipImageSelectActiveFrame(AsImage(image_), &kFrameDimensionTime, static_cast<UINT>(frame_));
    timer_.SetInterval(delays_[static_cast<size_t>(frame_)]);
    Repaint();
}

void TAnimatedImage::Paint(HDC dc)
{
    PaintParentBackground(dc);
    if (image_ == nullptr) return;
    RECT client;
    GetClientRect(Handle(), &client);
    const TGdiPlus& gdiPlus = *GdiPlus();  // loaded, since there is a picture
    Gdiplus::GpGraphics* graphics = nullptr;
    if (gdiPlus.GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return;
    // The picture at its designed size in this window's pixels, smoothed.
    const int width = Scaled(width_);
    const int height = Scaled(height_);
    const int left = (client.right - width) / 2;
    const int top = (client.bottom - height) / 2;
    gdiPlus.GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
    gdiPlus.GdipDrawImageRectI(graphics, AsImage(image_), left, top, width, height);
    gdiPlus.GdipDeleteGraphics(graphics);
}
