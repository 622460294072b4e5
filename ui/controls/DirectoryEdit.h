#pragma once
// A directory field: an editable text with a browse button at its right that opens the folder browser.
#include "ui/controls/Button.h"
#include "ui/controls/Edit.h"

#include <functional>
#include <string>

class TDirectoryEdit : public TEdit {
public:
    // The field carries id; its browse button carries buttonId.
    TDirectoryEdit(TWindow& parent, int id, int buttonId);

    // After the browser closed with a choice: the name can be changed, and action false rejects it.
    std::function<void(std::string& name, bool& action)> OnAfterDialog;

    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    // Opens the browser on the current text and takes the choice.
    void Browse();

    TButton& BrowseButton() { return button_; }

private:
    TButton button_;
};
