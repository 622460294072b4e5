#pragma once
// The font of the panel's caption: face, pixel height, colour and style.
#include "widgets/PanelTypes.h"

#include <windows.h>

#include <string>

struct TPanelFont {
    std::string Name = "MS Sans Serif";
    // Pixels; negative for the character height, positive for the cell height.
    int Height = -11;
    // The window-text system colour.
    TColor Color = 0x80000008;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;

    bool operator==(const TPanelFont&) const = default;
};

// A new GDI font for `font`; the caller deletes it. Throws EWidgetError when the system refuses it.
HFONT CreatePanelFont(const TPanelFont& font);
