#include "testsupport/ui/DialogMoment.h"

#include "testsupport/ui/WindowLayout.h"

namespace {

constexpr UINT kWatchMs = 50;

struct TWatch {
    HWND Window;
    std::string Answer;
    std::function<void(TScreenPicture&)> Mask;
    int Passed;
    TDialogMoment Moment;
    std::optional<TScreenPicture> Last;
    HWND Answered = nullptr;  // the dialog last answered, until it goes
};

TWatch* watch = nullptr;

std::string TextOf(HWND window)
{
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string WithoutAccessMark(std::string caption)
{
    std::erase(caption, '&');
    return caption;
}

bool IsButton(HWND window)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, "Button") == 0;
}

// A dialog is a visible top-level window of this thread, other than the watched one, with buttons of its own.
BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    if (window == watch->Window || IsWindowVisible(window) == FALSE) return TRUE;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsButton(child)) continue;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

TScreenPicture Take()
{
    TScreenPicture picture = TScreenPicture::Of(watch->Window);
    if (watch->Mask) watch->Mask(picture);
    return picture;
}

std::string TextsOf(HWND dialog)
{
    std::string texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string text = TextOf(child);
        if (!text.empty()) texts += (texts.empty() ? "" : "\n") + text;
    }
    return texts;
}

void Answer(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (IsButton(child) && WithoutAccessMark(TextOf(child)) == watch->Answer) PostMessageA(child, BM_CLICK, 0, 0);
    watch->Answered = dialog;
}

// Runs in the dialogs' modal loops: the dialogs passed are answered at once; at the next, pictures are taken
// on successive ticks until two agree, then the rest of the moment.
void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr || dialog == watch->Answered) return;
    if (watch->Passed > 0 || watch->Moment.Picture) {
        --watch->Passed;
        Answer(dialog);
        return;
    }
    TScreenPicture now = Take();
    if (!watch->Last || now.Differences(*watch->Last) != 0) {
        watch->Last = std::move(now);
        return;
    }
    watch->Moment.Picture = std::move(now);
    watch->Moment.LayoutFaults = LayoutFaults(watch->Window);
    RedrawWindow(watch->Window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    watch->Moment.Repainted = Take();
    watch->Moment.Dialog = TextsOf(dialog);
    Answer(dialog);
}

}  // namespace

TDialogMoment AtDialog(HWND window, const std::function<void()>& action, const std::string& answer,
                       const std::function<void(TScreenPicture&)>& mask, int passed)
{
    TWatch current{window, answer, mask, passed, {}, std::nullopt};
    watch = &current;
    const UINT_PTR timer = SetTimer(nullptr, 0, kWatchMs, Watch);
    action();
    KillTimer(nullptr, timer);
    watch = nullptr;
    return std::move(current.Moment);
}
