#pragma once
// A dialog of this thread answered from a timer while the code under test waits in its modal loop, as a user
// would answer it. Only this thread's own top-level windows are looked at, so a window of another program or
// of another test, captioned the same, is never touched. A watch still waiting at the hang ceiling fails the
// test, says what it waited for, and closes this thread's windows so that the modal loop, and the test, end.
#include "testsupport/HangCeiling.h"
#include "ui/Timer.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class TWhenShown {
public:
    using TMatch = std::function<bool(HWND)>;
    using TAct = std::function<void(HWND)>;

    // Acts once on this thread's visible window captioned caption.
    TWhenShown(const std::string& caption, TAct act)
        : TWhenShown("the window \"" + caption + "\"", CaptionIs(caption), std::move(act), true)
    {
    }
    // Acts on every visible window of this thread that match accepts, or on the first one only.
    TWhenShown(std::string waitingFor, TMatch match, TAct act, bool once)
        : waitingFor_(std::move(waitingFor)),
          match_(std::move(match)),
          act_(std::move(act)),
          once_(once),
          start_(GetTickCount())
    {
        timer_.SetInterval(50);
        timer_.OnTimer = [this] { Look(); };
        timer_.SetEnabled(true);
    }
    TWhenShown(const TWhenShown&) = delete;
    TWhenShown& operator=(const TWhenShown&) = delete;

    static TMatch CaptionIs(const std::string& caption)
    {
        return [caption](HWND window) { return TextOf(window) == caption; };
    }

    static std::string TextOf(HWND window)
    {
        char text[512] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }

private:
    void Look()
    {
        for (HWND window : ThreadWindows()) {
            if (!match_(window)) continue;
            if (once_) timer_.SetEnabled(false);
            act_(window);
            return;
        }
        if (GetTickCount() - start_ < kHangCeilingMs) return;
        timer_.SetEnabled(false);
        ADD_FAILURE() << "still waiting for " << waitingFor_ << " after " << kHangCeilingMs / 1000
                      << " s; this thread's windows are closed";
        for (HWND window : ThreadWindows()) PostMessageA(window, WM_CLOSE, 0, 0);
    }

    static std::vector<HWND> ThreadWindows()
    {
        std::vector<HWND> windows;
        EnumThreadWindows(GetCurrentThreadId(), CollectVisible, reinterpret_cast<LPARAM>(&windows));
        return windows;
    }

    static BOOL CALLBACK CollectVisible(HWND window, LPARAM windows)
    {
        if (IsWindowVisible(window) != FALSE) reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
        return TRUE;
    }

    std::string waitingFor_;
    TMatch match_;
    TAct act_;
    bool once_;
    DWORD start_;
    TTimer timer_;
};

// Every message box of this thread answered with OK while it lives, its text kept.
class TBoxAnswers {
public:
    TBoxAnswers()
        : watch_(
              "the end of a run whose message boxes are answered", IsMessageBox, [this](HWND box) { Answer(box); },
              false)
    {
    }

    std::vector<std::string> Texts;

private:
    static bool IsMessageBox(HWND window)
    {
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        return std::string(className) == "#32770";
    }

    void Answer(HWND box)
    {
        char text[512] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        Texts.emplace_back(text);
        SendMessageA(box, WM_COMMAND, IDOK, 0);
    }

    TWhenShown watch_;
};
