#pragma once
// A push button. A button with a modal result closes its modal form with that result when clicked.
#include "ui/Form.h"

#include <functional>

class TButton : public TWindow {
public:
    TButton(TWindow& parent, int id, const std::string& caption);

    std::function<void()> OnClick;
    TModalResult ModalResult = mrNone;

    // The default button of its form: Enter presses it while it is visible.
    void SetDefault();
    // What a click does: the modal result, then OnClick.
    void Click();

protected:
    void Command(WORD code) override;
};
