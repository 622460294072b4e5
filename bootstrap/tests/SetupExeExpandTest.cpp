// setup.exe started in a distribution folder that holds no disk: it asks for disk 1 twice, offers to
// look again, and when that is cancelled says so once and ends by itself.
#include "SetupProcess.h"
#include "testsupport/ScratchDir.h"

#include <gtest/gtest.h>

namespace {

// Reads the next message box the program shows and answers it: Cancel where Cancel is offered, else
// OK. Empty once the program has ended.
std::string AnswerNextBox(SetupProcess& setup)
{
    while (setup.WaitForExit(50) == STILL_ACTIVE) {
        HWND box = FindWindowA("#32770", "Tarvelo 2000");
        if (box == nullptr || IsWindowVisible(box) == FALSE) continue;
        char text[256] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        const bool offersCancel = GetDlgItem(box, IDCANCEL) != nullptr;
        PostMessageA(box, WM_COMMAND, offersCancel ? IDCANCEL : IDOK, 0);
        for (int wait = 0; wait < 250 && IsWindow(box) != FALSE; ++wait) Sleep(20);
        return text;
    }
    return "";
}

TEST(SetupExeExpand, WithoutDisksItSaysSoAndClosesItself)
{
    ScratchDir dist;
    ScratchDir::Write(dist / "setup.exe", "MZ");
    ScratchDir::Write(dist / "install.cfg", "[Setup Screen]\r\nText Line 1=No Disks\r\n");
    ScratchDir::Write(dist / "finstall.cfg", "");
    SetupProcess setup("", dist.Path());
    ASSERT_TRUE(setup.Started());

    std::vector<std::string> texts;
    for (std::string text = AnswerNextBox(setup); !text.empty(); text = AnswerNextBox(setup)) texts.push_back(text);
    ASSERT_EQ(texts.size(), 4U);
    EXPECT_EQ(texts[0], "Please Insert Disk #1 into Floppy Drive.");
    EXPECT_EQ(texts[1], texts[0]);
    EXPECT_EQ(texts[2].rfind("Unable to locate \"disk.001\" on this segment!", 0), 0U) << texts[2];
    EXPECT_EQ(texts[3], "Error Expanding Files!!");
    EXPECT_EQ(setup.WaitForExit(), 0U);
}

}  // namespace
