#pragma once
// A radio button. The radio buttons of one parent form one group: selecting one clears the others, also when
// the program selects it, and also while some of them are hidden.
#include "ui/Window.h"

#include <functional>

class TRadioButton : public TWindow {
public:
    TRadioButton(TWindow& parent, int id, const std::string& caption);

    std::function<void()> OnClick;  // the user selected it

    bool Checked() const;
    void SetChecked(bool checked);

protected:
    void Command(WORD code) override;
};
