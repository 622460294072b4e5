#pragma once
// Lines that group controls visually and do nothing else: a group box with its caption, and a bevel line.
#include "ui/Window.h"

// A group box holds the controls it groups. It paints its whole area, so nothing a page showed before stays
// inside it, and lets what lies behind it show through its frame.
class TGroupBox : public TWindow {
public:
    TGroupBox(TWindow& parent, int id, const std::string& caption);

    void PaintBackground(HDC dc, const RECT& area) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;
};

class TBevel : public TWindow {
public:
    TBevel(TWindow& parent, int id) { CreateControl("STATIC", WS_VISIBLE | SS_ETCHEDHORZ, 0, parent.Handle(), id); }
};
