#include "ui/controls/Panel.h"

TPanel::TPanel(TWindow& parent, int id, const std::string& caption)
{
    CreateCustom(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, parent.Handle(), id,
                 caption.c_str());
}

void TPanel::SetBevel(bool framed, int borderWidth, bool innerLowered)
{
    framed_ = framed;
    borderWidth_ = borderWidth;
    innerLowered_ = innerLowered;
    Repaint();
}

int TPanel::Inset() const
{
    if (!framed_) return 0;
    return 1 + borderWidth_ + (innerLowered_ ? 1 : 0);
}

void TPanel::Paint(HDC dc)
{
    TWindow::Paint(dc);
    if (!framed_) return;
    RECT client;
    GetClientRect(Handle(), &client);
    DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    if (!innerLowered_) return;
    InflateRect(&client, -Scaled(1 + borderWidth_), -Scaled(1 + borderWidth_));
    DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
}
