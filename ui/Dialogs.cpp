#include "ui/Dialogs.h"

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Label.h"

#include <memory>
#include <vector>

namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kTextWidth = 320;

HWND ActiveOwner()
{
    HWND active = GetActiveWindow();
    return IsWindowVisible(active) != FALSE ? active : nullptr;
}

// A word-wrapped text above a row of buttons, right-aligned.
class TQuestion : public TForm {
public:
    TQuestion(const std::string& caption, const std::string& text, int textHeight)
        : TForm(fsDialog, caption), text_(*this, 0, text)
    {
        text_.SetWordWrap(true);
        text_.SetBounds(kMargin, kMargin, kTextWidth, textHeight);
    }

    TButton& AddButton(const std::string& caption, TModalResult result)
    {
        buttons_.push_back(std::make_unique<TButton>(*this, result, caption));
        buttons_.back()->ModalResult = result;
        return *buttons_.back();
    }

    // Lays the buttons out under everything above buttonTop and sizes the form around them.
    void Arrange(int buttonTop)
    {
        const int width = kTextWidth + 2 * kMargin;
        int left = width - kMargin - static_cast<int>(buttons_.size()) * (kButtonWidth + 6) + 6;
        for (auto& button : buttons_) {
            button->SetBounds(left, buttonTop, kButtonWidth, kButtonHeight);
            left += kButtonWidth + 6;
        }
        SetClientSize(width, buttonTop + kButtonHeight + kMargin);
    }

private:
    TLabel text_;
    std::vector<std::unique_ptr<TButton>> buttons_;
};

// The height a wrapped text needs.
int TextHeight(const std::string& text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, DefaultFont());
    RECT needed{0, 0, kTextWidth, 0};
    DrawTextA(dc, text.c_str(), -1, &needed, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return needed.bottom;
}

}  // namespace

void ShowMessage(const std::string& text)
{
    MessageBoxA(ActiveOwner(), text.c_str(), Application::Title().c_str(), MB_OK | MB_ICONINFORMATION);
}

bool Confirm(const std::string& text)
{
    return MessageBoxA(ActiveOwner(), text.c_str(), Application::Title().c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

TModalResult ConfirmYesNoAll(const std::string& text)
{
    const int height = TextHeight(text);
    TQuestion dialog(Application::Title(), text, height);
    dialog.AddButton("&Yes", mrYes).SetDefault();
    dialog.AddButton("&No", mrNo);
    dialog.AddButton("&All", mrAll);
    dialog.Arrange(kMargin + height + kMargin);
    const TModalResult result = dialog.ShowModal();
    return result == mrYes || result == mrAll ? result : mrNo;
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value)
{
    const int height = TextHeight(prompt);
    TQuestion dialog(caption, prompt, height);
    TEdit edit(dialog, 0);
    edit.SetBounds(kMargin, kMargin + height + 6, kTextWidth, 21);
    edit.SetText(value);
    dialog.AddButton("OK", mrOk).SetDefault();
    dialog.AddButton("Cancel", mrCancel);
    dialog.Arrange(kMargin + height + 6 + 21 + kMargin);
    SendMessageA(edit.Handle(), EM_SETSEL, 0, -1);
    dialog.SetActiveControl(&edit);
    if (dialog.ShowModal() != mrOk) return false;
    value = edit.Text();
    return true;
}
