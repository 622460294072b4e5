#pragma once
// A font as the screen's text lines describe it: face, pixel height, the pixels-per-inch factor for point
// sizes, colour and style. The Win32 font is made when first asked for and again after each change.
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
    // Pixels; a negative height is the character height, a positive one the cell height.
    int Height() const { return height_; }
    void SetHeight(int height);
    // The factor that converts a point size into a pixel height for this font (the screen's, at first).
    int PixelsPerInch() const { return pixelsPerInch_; }
    // Only a positive factor is taken: a conversion by zero or a negative factor has no meaning.
    void SetPixelsPerInch(int pixelsPerInch);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);

    HFONT Handle() const;

private:
    void Changed();

    std::string name_;
    int height_;
    int pixelsPerInch_;
    TColor color_ = clBlack;
    TFontStyles style_;
    mutable HFONT handle_ = nullptr;
};

// The pixels per logical inch of the screen.
int ScreenPixelsPerInch();

// The font of the standard controls.
HFONT DefaultFont();
