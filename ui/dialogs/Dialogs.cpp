#include "ui/dialogs/Dialogs.h"

#include "port/win32/WideText.h"
#include "ui/Application.h"
#include "ui/Scale.h"
#include "ui/controls/Button.h"
#include "ui/controls/Edit.h"
#include "ui/controls/Label.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kTextWidth = 320;
constexpr int kIconSize = 32;

HWND ActiveOwner()
{
    HWND active = GetActiveWindow();
    return IsWindowVisible(active) != FALSE ? active : nullptr;
}

// A word-wrapped text above a row of buttons, right-aligned.
class TQuestion : public TForm {
public:
    TQuestion(const std::string& caption, const std::string& text, int textHeight, LPCSTR icon = nullptr)
        : TForm(fsDialog, caption), text_(*this, 0, text)
    {
        const int textLeft = icon != nullptr ? kMargin + kIconSize + kMargin : kMargin;
        text_.SetWordWrap(true);
        text_.SetBounds(textLeft, kMargin, kTextWidth, textHeight);
        width_ = textLeft + kTextWidth + kMargin;
        if (icon != nullptr) ShowIcon(icon);
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
        int left = width_ - kMargin - static_cast<int>(buttons_.size()) * (kButtonWidth + 6) + 6;
        for (auto& button : buttons_) {
            button->SetBounds(left, buttonTop, kButtonWidth, kButtonHeight);
            left += kButtonWidth + 6;
        }
        SetClientSize(width_, buttonTop + kButtonHeight + kMargin);
    }

private:
    // One of the system's standard icons at the left of the text; the dialog destroys the static with itself.
    void ShowIcon(LPCSTR icon)
    {
        HWND picture = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, Scaled(kMargin),
                                       Scaled(kMargin), Scaled(kIconSize), Scaled(kIconSize), Handle(), nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
        SendMessageA(picture, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, icon)), 0);
    }

    TLabel text_;
    std::vector<std::unique_ptr<TButton>> buttons_;
    int width_ = 0;
};

// The height a wrapped text needs, in units: measured at the scale of the screen the dialog opens on.
int TextHeight(const std::string& text)
{
    const int dpi = static_cast<int>(GetDpiForSystem());
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, DefaultFont(dpi));
    RECT needed{0, 0, ToDevice(kTextWidth, dpi), 0};
    DrawTextW(dc, port::Widened(text).c_str(), -1, &needed, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return ToUnits(needed.bottom, dpi);
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
    TQuestion dialog("Confirm", text, std::max(height, kIconSize), IDI_QUESTION);
    dialog.AddButton("&Yes", mrYes).SetDefault();
    dialog.AddButton("&No", mrNo);
    dialog.AddButton("&All", mrAll);
    dialog.Arrange(kMargin + std::max(height, kIconSize) + kMargin);
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
