#include "ui/controls/RadioButton.h"

namespace {

bool IsRadioButton(HWND window)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    const auto type = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)) & BS_TYPEMASK;
    return lstrcmpiA(className, "Button") == 0 && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON);
}

}  // namespace

TRadioButton::TRadioButton(TWindow& parent, int id, const std::string& caption)
{
    CreateControl("BUTTON", WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, parent.Handle(), id);
    SetText(caption);
}

bool TRadioButton::Checked() const
{
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool checked)
{
    if (checked)
        for (HWND sibling = GetWindow(GetParent(Handle()), GW_CHILD); sibling != nullptr;
             sibling = GetWindow(sibling, GW_HWNDNEXT))
            if (sibling != Handle() && IsRadioButton(sibling)) SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::Command(WORD code)
{
    if (code == BN_CLICKED && OnClick) OnClick();
}
