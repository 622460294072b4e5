#include "ui/controls/Button.h"

TButton::TButton(TWindow& parent, int id, const std::string& caption)
{
    CreateControl("BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, parent.Handle(), id);
    SetText(caption);
}

void TButton::SetDefault()
{
    SendMessageA(Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    if (TForm* form = TForm::Of(*this)) form->SetDefaultButton(this);
}

void TButton::Click()
{
    if (ModalResult != mrNone)
        if (TForm* form = TForm::Of(*this)) form->SetModalResult(ModalResult);
    if (OnClick) OnClick();
}

void TButton::Command(WORD code)
{
    if (code == BN_CLICKED) Click();
}
