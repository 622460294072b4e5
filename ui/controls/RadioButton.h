#pragma once
// A radio button. The radio buttons of one parent form one group: selecting one clears the others, also when
// the program selects it, and also while some of them are hidden.
#include "ui/Window.h"

class TRadioButton : public TWindow {
public:
    TRadioButton(TWindow& parent, int id, const std::string& caption);

    bool Checked() const;
    void SetChecked(bool checked);
};
