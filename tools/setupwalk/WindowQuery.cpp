#include "WindowQuery.h"

namespace {

// A program busy inside a long handler still answers sent messages only when it pumps; a bounded wait
// keeps the driver from hanging on one that never does.
constexpr UINT kAnswerTimeoutMs = 10000;

struct IdSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND window, LPARAM search)
{
    auto* wanted = reinterpret_cast<IdSearch*>(search);
    if (GetDlgCtrlID(window) != wanted->id) return TRUE;
    wanted->found = window;
    return FALSE;
}

}  // namespace

std::string WindowText(HWND window)
{
    DWORD_PTR length = 0;
    if (SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length) == 0)
        return "";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                            kAnswerTimeoutMs, &copied) == 0)
        return "";
    text.resize(copied < text.size() ? copied : text.size() - 1);
    return text;
}

std::string WindowClassName(HWND window)
{
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

HWND DescendantWithId(HWND window, int id)
{
    IdSearch search{id, nullptr};
    EnumChildWindows(window, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> DirectChildren(HWND window)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::string WithoutAccessMark(const std::string& caption)
{
    std::string plain;
    for (std::size_t index = 0; index < caption.size(); ++index) {
        // "&&" shows one "&".
        if (caption[index] == '&' && index + 1 < caption.size()) ++index;
        plain += caption[index];
    }
    return plain;
}

bool WaitUntil(const std::function<bool()>& predicate, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (predicate()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(50);
    }
}
