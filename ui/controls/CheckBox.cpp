#include "ui/controls/CheckBox.h"

TCheckBox::TCheckBox(TWindow& parent, int id, const std::string& caption)
{
    CreateControl("BUTTON", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, parent.Handle(), id);
    SetText(caption);
}

bool TCheckBox::Checked() const
{
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked)
{
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::Command(WORD code)
{
    if (code == BN_CLICKED && OnClick) OnClick();
}
