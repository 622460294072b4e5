#include "ui/controls/Edit.h"

TEdit::TEdit(TWindow& parent, int id)
{
    CreateControl("EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, parent.Handle(), id);
}
