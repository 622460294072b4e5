#pragma once
// A font as the screen's text lines describe it: face, pixel height, the pixels-per-inch factor for point
// sizes, colour and style. Heights are designed units (ui/Scale.h), made pixels for the monitor the font is
// used on. The Win32 font is made when first asked for and again after each change.
#include "config/FontStyle.h"
#include "ui/Color.h"

#include <windows.h>

#include <functional>
#include <string>

class TFont {
public:
    TFont(std::string name, int height);
    ~TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    // Called after every change, so that the control using the font can size and paint itself anew.
    std::function<void()> OnChange;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Units; a negative height is the character height, a positive one the cell height.
    int Height() const { return height_; }
    void SetHeight(int height);
    // The factor that converts a point size into a height for this font: 96 units per inch, unless set.
    int PixelsPerInch() const { return pixelsPerInch_; }
    // Only a positive factor is taken: a conversion by zero or a negative factor has no meaning.
    void SetPixelsPerInch(int pixelsPerInch);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    // The pixels per inch of the monitor the font is drawn on.
    int Dpi() const { return dpi_; }
    void SetDpi(int dpi);

    HFONT Handle() const;

private:
    void Changed();

    std::string name_;
    int height_;
    int pixelsPerInch_;
    int dpi_;
    TColor color_ = clBlack;
    TFontStyles style_;
    mutable HFONT handle_ = nullptr;
};

// The face a font is made with at `dpi`: a bitmap face that Windows cannot scale smoothly is replaced, at any
// other scale than the design's, by its TrueType twin of the same metrics.
std::string FaceAt(const std::string& face, int dpi);

// The font of the standard controls at `dpi`, kept to the end of the program.
HFONT DefaultFont(int dpi);
