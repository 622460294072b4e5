#pragma once
// A progress bar over a range of whole numbers.
#include "ui/Window.h"

class TProgressBar : public TWindow {
public:
    TProgressBar(TWindow& parent, int id);

    void SetRange(int min, int max);
    int Min() const;
    int Max() const;
    int Position() const;
    void SetPosition(int position);
};
