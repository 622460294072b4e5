#pragma once
// TGradPan: a panel whose surface is a gradient, a flat colour or a stretched or tiled picture, with a
// caption drawn with an effect (and rotated if wanted) and a bevelled frame on top. It can be made movable
// and resizable by dragging, and it reports every move.
#include "widgets/Background.h"
#include "widgets/CaptionText.h"
#include "widgets/PanelBitmap.h"
#include "widgets/PanelFont.h"
#include "widgets/PanelFrame.h"
#include "widgets/PanelTypes.h"

#include <windows.h>

#include <functional>
#include <string>

class TGradPan {
public:
    // A panel without a window: it paints only when asked to, through Paint.
    TGradPan();
    // A visible child window of `parent` covering `bounds` (in the parent's client coordinates).
    // Throws EWidgetError when the window cannot be made.
    TGradPan(HWND parent, const RECT& bounds, int id = 0);
    ~TGradPan();
    TGradPan(const TGradPan&) = delete;
    TGradPan& operator=(const TGradPan&) = delete;

    // The window, or null for a panel without one.
    HWND Handle() const { return window_; }

    // Paints the whole panel, sized `size`, into `dc`: background, caption, frame.
    void Paint(HDC dc, SIZE size) const;

    // Every setter below repaints the window at once.
    const std::string& Caption() const { return caption_.Text; }
    void SetCaption(const std::string& caption);
    const TPanelFont& Font() const { return font_; }
    void SetFont(const TPanelFont& font);
    TColor Color() const { return frame_.Color; }
    void SetColor(TColor color);
    TAlignment Alignment() const { return caption_.Alignment; }
    void SetAlignment(TAlignment alignment);
    TBevelCut BevelInner() const { return frame_.BevelInner; }
    void SetBevelInner(TBevelCut cut);
    TBevelCut BevelOuter() const { return frame_.BevelOuter; }
    void SetBevelOuter(TBevelCut cut);
    // At least 1; at most 32767, like the border width (at least 0).
    int BevelWidth() const { return frame_.BevelWidth; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return frame_.BorderWidth; }
    void SetBorderWidth(int width);

    // The panel keeps its own copy of the picture; the caller's bitmap stays the caller's to delete.
    // A null handle empties the picture, and the picture effects then paint flat.
    const TPanelBitmap& Bitmap() const { return bitmap_; }
    void SetBitmap(HBITMAP bitmap);
    TDirection BackGroundEffect() const { return background_.Effect; }
    void SetBackGroundEffect(TDirection effect);
    TColor ColorStart() const { return background_.ColorStart; }
    void SetColorStart(TColor color);
    TColor ColorEnd() const { return background_.ColorEnd; }
    void SetColorEnd(TColor color);
    TColor ColorShadow() const { return caption_.ColorShadow; }
    void SetColorShadow(TColor color);
    bool Ctl3D() const { return frame_.Ctl3D; }
    void SetCtl3D(bool ctl3D);
    TTextEffect TextEffect() const { return caption_.Effect; }
    void SetTextEffect(TTextEffect effect);
    TTextRotation TextRotation() const { return caption_.Rotation; }
    void SetTextRotation(TTextRotation rotation);
    TVertAlign VertAlign() const { return caption_.VertAlign; }
    void SetVertAlign(TVertAlign vertAlign);

    // Width of the band along the edges that resizes a movable panel.
    int Marge = 6;
    // When false the panel's own surface takes no mouse input; when true, dragging moves or resizes it.
    bool Moveable = false;
    // Called on every move of the window, by the user or by code, before the move is handled.
    std::function<void(TGradPan& sender)> OnPanelMove;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HitTest(LPARAM screenPoint) const;
    void PaintWindow();
    SIZE ClientSize() const;
    void Repaint() const;

    HWND window_ = nullptr;
    TPanelFont font_;
    TBackground background_;
    TCaption caption_;
    TFrame frame_;
    TPanelBitmap bitmap_;
};
