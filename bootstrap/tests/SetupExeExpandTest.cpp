// setup.exe started in a distribution folder that holds no disk: it asks for disk 1, gives up and
// ends by itself.
#include "SetupProcess.h"
#include "testsupport/ScratchDir.h"

#include <gtest/gtest.h>

namespace {

// Reads the message box the program shows and presses its OK; empty once the program has ended.
std::string AnswerNextBox(SetupProcess& setup)
{
    while (setup.WaitForExit(50) == STILL_ACTIVE) {
        HWND box = FindWindowA("#32770", "Tarvelo 2000");
        if (box == nullptr || IsWindowVisible(box) == FALSE) continue;
        char text[256] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        for (int wait = 0; wait < 250 && IsWindow(box) != FALSE; ++wait) Sleep(20);
        return text;
    }
    return "";
}

TEST(SetupExeExpand, WithoutDisksItSaysSoAndClosesItself)
{
    ScratchDir dist;
    ScratchDir::Write(dist / "install.cfg", "[Setup Screen]\r\nText Line 1=No Disks\r\n");
    SetupProcess setup("", dist.Path());
    ASSERT_TRUE(setup.Started());

    std::vector<std::string> texts;
    for (std::string text = AnswerNextBox(setup); !text.empty(); text = AnswerNextBox(setup)) texts.push_back(text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Please Insert Disk #1 into Floppy Drive.",
                                               "Please Insert Disk #1 into Floppy Drive.",
                                               "Error Expanding Files!!"}));
    EXPECT_EQ(setup.WaitForExit(), 0U);
}

}  // namespace
