#include "bootstrap/WinSegInteraction.h"

#include "ui/Application.h"
#include "ui/dialogs/Dialogs.h"

#include <windows.h>

bool TWinSegInteraction::InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value)
{
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    const bool ok = ::InputQuery(Caption, Prompt, Value);
    // The box takes at most 255 characters; counted as characters, so that none is cut in the middle.
    std::size_t characters = 0;
    for (std::size_t at = 0; at < Value.size(); ++at) {
        const bool startsACharacter = (static_cast<unsigned char>(Value[at]) & 0xC0) != 0x80;
        if (startsACharacter && ++characters > 255) {
            Value.resize(at);
            break;
        }
    }
    SetCursor(previous);
    return ok;
}

bool TWinSegInteraction::ErrorOkCancel(const std::string& Message)
{
    return MessageBoxA(owner_.Handle(), Message.c_str(), Application::Title().c_str(), MB_OKCANCEL | MB_ICONERROR) ==
           IDOK;
}

void TWinSegInteraction::RepaintOwner()
{
    owner_.Repaint();
}

void TWinSegInteraction::ProcessMessages()
{
    Application::ProcessMessages();
}
