// The modal dialogs, answered the way another program (or an end-to-end test) would answer them: by finding
// the dialog window and posting a click or a close to it from a timer.
#include "port/Exception.h"
#include "testsupport/ui/Pump.h"
#include "testsupport/ui/WhenShown.h"
#include "ui/Application.h"
#include "ui/Timer.h"
#include "ui/dialogs/BrowseDialog.h"
#include "ui/dialogs/Dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr const char* kTitle = "ui dialog test";
constexpr const char* kConfirm = "Confirm";

void Click(HWND dialog, int buttonId)
{
    PostMessageA(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

BOOL CALLBACK AddText(HWND child, LPARAM list)
{
    char buffer[512] = {};
    SendMessageA(child, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    reinterpret_cast<std::vector<std::string>*>(list)->push_back(buffer);
    return TRUE;
}

std::vector<std::string> ChildTexts(HWND window)
{
    std::vector<std::string> texts;
    EnumChildWindows(window, AddText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

class Dialogs : public ::testing::Test {
protected:
    Dialogs() { Application::SetTitle(kTitle); }
};

TEST_F(Dialogs, ConfirmYesNoAllAnswersEachButton)
{
    TWhenShown all(kConfirm, [](HWND dialog) { Click(dialog, kAllButtonId); });
    EXPECT_EQ(ConfirmYesNoAll("Remove shared file x.dll?"), mrAll);

    TWhenShown yes(kConfirm, [](HWND dialog) { Click(dialog, mrYes); });
    EXPECT_EQ(ConfirmYesNoAll("Remove shared file x.dll?"), mrYes);

    TWhenShown no(kConfirm, [](HWND dialog) { Click(dialog, mrNo); });
    EXPECT_EQ(ConfirmYesNoAll("Remove shared file x.dll?"), mrNo);
}

TEST_F(Dialogs, ClosingAConfirmationAnswersNo)
{
    std::vector<std::string> seen;
    bool questionIcon = false;
    TWhenShown close(kConfirm, [&](HWND dialog) {
        seen = ChildTexts(dialog);
        HWND icon = FindWindowExA(dialog, nullptr, "Static", nullptr);
        while (icon != nullptr && (GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            icon = FindWindowExA(dialog, icon, "Static", nullptr);
        questionIcon = icon != nullptr && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(ConfirmYesNoAll("Remove shared file x.dll?"), mrNo);
    EXPECT_TRUE(questionIcon);
    EXPECT_NE(std::find(seen.begin(), seen.end(), "Remove shared file x.dll?"), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), "&All"), seen.end());
}

TEST_F(Dialogs, InputQueryReturnsTheTypedTextOnlyAfterOk)
{
    TWhenShown type(kTitle, [](HWND dialog) {
        HWND edit = FindWindowExA(dialog, nullptr, "Edit", nullptr);
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("A:\\"));
        Click(dialog, mrOk);
    });
    std::string value = "C:\\";
    EXPECT_TRUE(InputQuery(kTitle, "Mount Segment #2", value));
    EXPECT_EQ(value, "A:\\");

    TWhenShown cancel(kTitle, [](HWND dialog) {
        HWND edit = FindWindowExA(dialog, nullptr, "Edit", nullptr);
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("B:\\"));
        Click(dialog, mrCancel);
    });
    EXPECT_FALSE(InputQuery(kTitle, "Mount Segment #2", value));
    EXPECT_EQ(value, "A:\\");
}

TEST_F(Dialogs, ConfirmAndShowMessageUseTheSystemMessageBox)
{
    TWhenShown yes(kTitle, [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDYES, 0); });
    EXPECT_TRUE(Confirm("Create it?"));
    TWhenShown no(kTitle, [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDNO, 0); });
    EXPECT_FALSE(Confirm("Create it?"));

    bool answered = false;
    TWhenShown ok(kTitle, [&answered](HWND dialog) {
        answered = true;
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    ShowMessage("Done.");
    EXPECT_TRUE(answered);
}

TEST_F(Dialogs, AnErrorLeavingAHandlerIsShownAndTheProgramGoesOn)
{
    TTimer failing;
    failing.SetInterval(10);
    failing.OnTimer = [&failing] {
        failing.SetEnabled(false);
        throw Exception("Disk full");
    };
    std::vector<std::string> seen;
    TWhenShown close(kTitle, [&seen](HWND dialog) {
        seen = ChildTexts(dialog);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    failing.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&seen] { return !seen.empty(); }));
    EXPECT_NE(std::find(seen.begin(), seen.end(), "Disk full"), seen.end());
}

TEST(ResolveTypedDirectory, AbsoluteAndRelativeNames)
{
    EXPECT_EQ(ResolveTypedDirectory("D:\\Apps\\", "C:\\Work"), "D:\\Apps");
    EXPECT_EQ(ResolveTypedDirectory("\\\\server\\share", "C:\\Work"), "\\\\server\\share");
    EXPECT_EQ(ResolveTypedDirectory("New", "C:\\Work"), "C:\\Work\\New");
    EXPECT_EQ(ResolveTypedDirectory("New", "C:\\"), "C:\\New");
    EXPECT_EQ(ResolveTypedDirectory("C:\\", ""), "C:\\");
    EXPECT_EQ(ResolveTypedDirectory("New", ""), "") << "nothing to resolve against";
    EXPECT_EQ(ResolveTypedDirectory("", "C:\\Work"), "");
}

}  // namespace
