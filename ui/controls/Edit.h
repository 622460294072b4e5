#pragma once
// A one-line text field.
#include "ui/Window.h"

class TEdit : public TWindow {
public:
    TEdit(TWindow& parent, int id);
};
