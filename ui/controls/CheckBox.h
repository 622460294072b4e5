#pragma once
// A check box that the user ticks and clears.
#include "ui/Window.h"

#include <functional>

class TCheckBox : public TWindow {
public:
    TCheckBox(TWindow& parent, int id, const std::string& caption);

    std::function<void()> OnClick;

    bool Checked() const;
    void SetChecked(bool checked);

protected:
    void Command(WORD code) override;
};
