#pragma once
// Lines that group controls visually and do nothing else: a group box with its caption, and a bevel line.
#include "ui/Window.h"

class TGroupBox : public TWindow {
public:
    TGroupBox(TWindow& parent, int id, const std::string& caption)
    {
        CreateControl("BUTTON", WS_VISIBLE | BS_GROUPBOX, 0, parent.Handle(), id);
        SetText(caption);
    }
};

class TBevel : public TWindow {
public:
    TBevel(TWindow& parent, int id) { CreateControl("STATIC", WS_VISIBLE | SS_ETCHEDHORZ, 0, parent.Handle(), id); }
};
