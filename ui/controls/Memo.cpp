#include "ui/controls/Memo.h"

#include "config/TextFields.h"

#include "port/WholeFile.h"

TMemo::TMemo(TWindow& parent, int id)
{
    CreateControl("EDIT",
                  WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                      ES_AUTOHSCROLL | ES_READONLY,
                  WS_EX_CLIENTEDGE, parent.Handle(), id);
    // A licence text may be longer than the control's default limit.
    SendMessageA(Handle(), EM_SETLIMITTEXT, 0, 0);
}

void TMemo::Clear()
{
    SetText("");
}

void TMemo::Add(const std::string& line)
{
    const int end = GetWindowTextLengthA(Handle());
    const std::string text = end > 0 ? "\r\n" + line : line;
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<std::string> TMemo::Lines() const
{
    return SplitLines(Text());
}

bool TMemo::LoadFromFile(const std::string& path)
{
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) return false;
    std::string joined;
    const std::vector<std::string> lines = SplitLines(*text);
    for (size_t index = 0; index < lines.size(); ++index) joined += (index == 0 ? "" : "\r\n") + lines[index];
    SetText(joined);
    return true;
}
