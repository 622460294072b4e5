#pragma once
// A bevelled panel that holds other controls: a raised outer edge, a border, and an optional lowered inner edge.
#include "ui/Window.h"

class TPanel : public TWindow {
public:
    TPanel(TWindow& parent, int id, const std::string& caption = "");

    // A panel without edges (a notebook page) or with the designed frame: outer edge, border, inner edge.
    void SetBevel(bool framed, int borderWidth, bool innerLowered);
    // Units taken by the frame on each side; children that fill the panel start there.
    int Inset() const;

protected:
    void Paint(HDC dc) override;

private:
    bool framed_ = false;
    int borderWidth_ = 0;
    bool innerLowered_ = false;
};
