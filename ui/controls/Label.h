#pragma once
// A text on its parent's background, optionally with a drop shadow: the shadow is the text drawn in the shadow
// colour, moved right and down by the shadow size, under the text itself.
#include "ui/Font.h"
#include "ui/Window.h"

enum TAlignment { taLeftJustify, taCenter };

class TLabel : public TWindow {
public:
    TLabel(TWindow& parent, int id, const std::string& caption = "");

    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }

    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor color);
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int size);

    // A label that sizes itself keeps exactly the room its text needs; a word-wrapped one keeps its width.
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    // One line in the label's own width: a path too long for it loses its middle to "...".
    bool PathEllipsis() const { return pathEllipsis_; }
    void SetPathEllipsis(bool pathEllipsis);
    void SetAlignment(TAlignment alignment);
    // The room the text and its shadow need, in units, for a label that is laid out by its owner.
    SIZE TextExtent() const;
    // A self-sizing label takes the place given and keeps its own size.
    void SetBounds(int left, int top, int width, int height) override;
    void ScaleChanged() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;
    RECT DeviceBounds() const override;

private:
    // The room the text and its shadow need, in pixels.
    SIZE MeasuredText() const;
    void Changed();
    UINT DrawFlags() const;

    TFont font_;
    TColor shadowColor_ = clBlack;
    int shadowSize_ = 0;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool pathEllipsis_ = false;
    TAlignment alignment_ = taLeftJustify;
};
