#include "ui/Font.h"

#include "port/win32/WideText.h"
#include "ui/FontFamily.h"

#include <utility>

TFont::TFont(std::string name, int height)
    : name_(std::move(name)), height_(height), pixelsPerInch_(ScreenPixelsPerInch())
{
}

TFont::~TFont()
{
    if (handle_ != nullptr) DeleteObject(handle_);
}

void TFont::SetName(const std::string& name)
{
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    height_ = height;
    Changed();
}

void TFont::SetPixelsPerInch(int pixelsPerInch)
{
    if (pixelsPerInch > 0) pixelsPerInch_ = pixelsPerInch;
}

void TFont::SetColor(TColor color)
{
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style)
{
    style_ = style;
    Changed();
}

HFONT TFont::Handle() const
{
    if (handle_ == nullptr)
        handle_ =
            CreateFontW(height_, 0, 0, 0, style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL, style_.Contains(fsItalic),
                        style_.Contains(fsUnderline), style_.Contains(fsStrikeOut), DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FontFamilyOf(name_), port::Widened(name_).c_str());
    return handle_;
}

void TFont::Changed()
{
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = nullptr;
    if (OnChange) OnChange();
}

int ScreenPixelsPerInch()
{
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return pixelsPerInch > 0 ? pixelsPerInch : 96;
}

namespace {

// Made once per process and kept to its end, through the system's one-time initialisation (not a guarded
// function static: see RegisterCustomClass).
INIT_ONCE defaultFontOnce = INIT_ONCE_STATIC_INIT;

BOOL CALLBACK MakeDefaultFont(PINIT_ONCE, PVOID, PVOID* font)
{
    *font = new TFont("MS Sans Serif", -11);
    return TRUE;
}

}  // namespace

HFONT DefaultFont()
{
    PVOID font = nullptr;
    InitOnceExecuteOnce(&defaultFontOnce, MakeDefaultFont, nullptr, &font);
    return static_cast<const TFont*>(font)->Handle();
}
