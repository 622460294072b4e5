#pragma once
// A toolkit panel whose surface a gradient panel paints: its transparent children (the text lines, a still
// logo) show the gradient or picture under them. The gradient panel's own window cannot hold toolkit
// controls, and its header clashes with the toolkit's label alignment, so it is kept out of sight here.
#include "ui/controls/Panel.h"
#include "ui/pictures/PictureScale.h"

#include <cstdint>
#include <memory>
#include <string>

class TGradPan;
enum TDirection : std::uint8_t;

class TGradPanHost : public TPanel {
public:
    TGradPanHost(TWindow& parent, int id);
    ~TGradPanHost() override;

    // Each setter repaints the panel with its children.
    TDirection BackGroundEffect() const;
    void SetBackGroundEffect(TDirection effect);
    void SetColorStart(TColor color);
    void SetColorEnd(TColor color);
    // The panel keeps a copy; the caller's bitmap stays the caller's to delete. A picture is drawn at its
    // designed size in the panel's pixels (tiles too), smoothed.
    void SetBitmap(HBITMAP bitmap);
    // A file that is missing, no bitmap or too large to copy leaves the picture as it is. Above 96 DPI the
    // file's "@2x" twin is taken when there is one.
    void LoadBitmapFile(const std::string& path);

    void PaintBackground(HDC dc, const RECT& area) override;
    void ScaleChanged() override;

protected:
    void Paint(HDC dc) override;

private:
    void Changed();
    void SetPicture(HBITMAP bitmap, const TPictureOrigin& origin);
    void ShowPicture();

    std::unique_ptr<TGradPan> look_;
    HBITMAP picture_ = nullptr;  // the panel's copy, as loaded
    TPictureOrigin origin_;
};
