// setup.exe started in a distribution folder: with its disks it expands them and opens the wizard on
// what it expanded; with none it asks for disk 1 twice, offers to look again, and when that is
// cancelled says so once and ends by itself, its expander's window shown to the end.
#include "app/screen/ControlIds.h"
#include "segment/SegCompEZ.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/segment/SegSetCrafter.h"
#include "tools/setupwalk/SetupDriver.h"
#include "tools/setupwalk/WindowQuery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

namespace {

SetupDriver StartSetup(const std::string& directory)
{
    return SetupDriver(CommandLineOf(SETUP_EXE, ""), directory);
}

// The files beside the disks: setup.exe and the two configuration files, the product named title.
void WriteDistributionFiles(const ScratchDir& dist, const std::string& title)
{
    ScratchDir::Write(dist / "setup.exe", "MZ");
    ScratchDir::Write(dist / "install.cfg", "[Setup Screen]\r\nText Line 1=" + title + "\r\n");
    ScratchDir::Write(dist / "finstall.cfg", "");
}

void CloseAndExpectItEnds(SetupDriver& setup)
{
    PostMessageA(setup.Screen(), WM_CLOSE, 0, 0);
    EXPECT_EQ(setup.WaitForExit(SetupDriver::kPatienceMs), 0U);
}

// Reads the next message box the program shows and answers it: Cancel where Cancel is offered, else OK.
// Empty once the program has ended. Without waiting, it returns as soon as the answer is posted.
std::string AnswerNextBox(SetupDriver& setup, bool waitUntilGone = true)
{
    const std::optional<ProcessDialog> box = setup.WaitForDialog(SetupDriver::kPatienceMs);
    if (!box) return "";
    const auto& buttons = box->Buttons;
    PressButton(*box, std::find(buttons.begin(), buttons.end(), "Cancel") != buttons.end() ? "Cancel" : "OK");
    if (waitUntilGone) {
        EXPECT_TRUE(WaitUntil([&box] { return IsWindow(box->Window) == FALSE; }, SetupDriver::kPatienceMs))
            << "the box \"" << box->Message << "\" stays open";
    }
    return box->Message;
}

TEST(SetupExeExpand, WithItsDisksItOpensTheWizardOnTheExpandedAgreement)
{
    ScratchDir dist;
    ScratchDir payload;
    ScratchDir::Write(payload / "license.txt", "Read me first.");
    TSegCompEZ builder;
    builder.SegPopUp = false;
    builder.SetSegBaseName("disk");
    builder.SetSegDir(dist.Path());
    builder.SetSegTmpDir(payload / "tmp");
    builder.SegSource = {payload / "*.*"};
    builder.SegBuild();
    WriteDistributionFiles(dist, "Disks Product");

    SetupDriver setup = StartSetup(dist.Path());
    setup.WaitForScreen("Tarvelo 2000");
    EXPECT_EQ(setup.Caption(ControlId::TextInfo1), "Disks Product");
    EXPECT_EQ(setup.Caption(ControlId::AgreementMemo), "Read me first.");
    EXPECT_TRUE(setup.Visible(ControlId::Page2)) << "the agreement comes first";

    CloseAndExpectItEnds(setup);
}

// A date that names no day (0) once ended the expansion with "Error Expanding Files!!" after the file
// was written and had passed its checksum; the file keeps the system's date and the wizard opens.
TEST(SetupExeExpand, AnEntryWhoseDateNamesNoDayIsExpandedAllTheSame)
{
    ScratchDir dist;
    ArchiveBuilder archive;
    archive.Add("license.txt", "Dated on no day.").FileDate = 0;
    craft::WriteSet(dist.Path(), "disk",
                    {craft::SegHeader(1) + craft::ScanEntry("files\\*.*", craft::FileList({"license.txt"}, 11), 11) +
                     craft::ArchiveEntry(0, archive.Bytes())});
    WriteDistributionFiles(dist, "Undated Product");

    SetupDriver setup = StartSetup(dist.Path());
    setup.WaitForScreen("Tarvelo 2000");
    EXPECT_EQ(setup.Caption(ControlId::AgreementMemo), "Dated on no day.");
    CloseAndExpectItEnds(setup);
}

// The program's visible top-level window with this title, once it is there.
HWND WaitForWindow(const DrivenProcess& process, const std::string& title)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : process.VisibleWindows())
                if (WindowText(window) == title) found = window;
            return found != nullptr;
        },
        SetupDriver::kPatienceMs);
    return found;
}

BOOL CALLBACK MatchScreen(HWND window, LPARAM search)
{
    auto* wanted = reinterpret_cast<std::pair<DWORD, HWND>*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != wanted->first || DescendantWithId(window, ControlId::SetupScreen) == nullptr) return TRUE;
    wanted->second = window;
    return FALSE;
}

// The program's top-level window that holds the setup screen's controls, shown or not.
HWND ScreenOf(const DrivenProcess& process)
{
    std::pair<DWORD, HWND> search{GetProcessId(process.Handle()), nullptr};
    EnumWindows(MatchScreen, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

TEST(SetupExeExpand, WithoutDisksItSaysSoAndClosesItselfWithTheExpanderStillShown)
{
    ScratchDir dist;
    WriteDistributionFiles(dist, "No Disks");
    SetupDriver setup = StartSetup(dist.Path());

    std::vector<std::string> texts;
    for (int box = 0; box < 3; ++box) texts.push_back(AnswerNextBox(setup));
    EXPECT_EQ(texts[0], "Please Insert Disk #1 into Floppy Drive.");
    EXPECT_EQ(texts[1], texts[0]);
    EXPECT_EQ(texts[2].rfind("Unable to locate \"disk.001\" on this segment!", 0), 0U) << texts[2];

    const HWND expander = WaitForWindow(setup.Process(), "ZUV2000 - Setup");
    const HWND screen = ScreenOf(setup.Process());
    ASSERT_NE(expander, nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(AnswerNextBox(setup, false), "Error Expanding Files!!");
    // The expander stays while the program ends: never gone while the screen still holds its controls.
    bool vanishedEarly = false;
    while (setup.WaitForExit(1) == STILL_ACTIVE && !vanishedEarly)
        vanishedEarly =
            IsWindowVisible(expander) == FALSE && DescendantWithId(screen, ControlId::SetupScreen) != nullptr;
    EXPECT_FALSE(vanishedEarly) << "the expander's window vanished before the program ended";
    EXPECT_EQ(setup.WaitForExit(SetupDriver::kPatienceMs), 0U);
    EXPECT_EQ(AnswerNextBox(setup), "") << "nothing more to answer";
}

}  // namespace
