#include "ui/Font.h"

#include "port/win32/WideText.h"
#include "ui/FontFamily.h"
#include "ui/Scale.h"

#include <iterator>
#include <utility>

TFont::TFont(std::string name, int height)
    : name_(std::move(name)), height_(height), pixelsPerInch_(kDesignDpi), dpi_(kDesignDpi)
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

void TFont::SetDpi(int dpi)
{
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    Changed();
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
        handle_ = CreateFontW(ToDevice(height_, dpi_), 0, 0, 0, style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL,
                              style_.Contains(fsItalic), style_.Contains(fsUnderline), style_.Contains(fsStrikeOut),
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              FontFamilyOf(name_), port::Widened(FaceAt(name_, dpi_)).c_str());
    return handle_;
}

void TFont::Changed()
{
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = nullptr;
    if (OnChange) OnChange();
}

std::string FaceAt(const std::string& face, int dpi)
{
    if (dpi != kDesignDpi && lstrcmpiA(face.c_str(), "MS Sans Serif") == 0) return "Microsoft Sans Serif";
    return face;
}

namespace {

// One font per scale the program has met, made on first use and kept to its end (a control may hold it).
// Plain data under a lock: no guarded function static is left in setup.exe (see RegisterCustomClass).
struct TDefaultFont {
    int Dpi;
    TFont* Font;
};
SRWLOCK defaultFontsLock = SRWLOCK_INIT;
TDefaultFont defaultFonts[16];

}  // namespace

HFONT DefaultFont(int dpi)
{
    AcquireSRWLockExclusive(&defaultFontsLock);
    TDefaultFont* slot = defaultFonts;
    while (slot < std::end(defaultFonts) - 1 && slot->Font != nullptr && slot->Dpi != dpi) ++slot;
    // With every slot taken the last one is made again; its earlier font stays alive for its controls.
    if (slot->Font == nullptr || slot->Dpi != dpi) {
        slot->Font = new TFont("MS Sans Serif", -11);
        slot->Font->SetDpi(dpi);
        slot->Dpi = dpi;
    }
    HFONT font = slot->Font->Handle();
    ReleaseSRWLockExclusive(&defaultFontsLock);
    return font;
}
