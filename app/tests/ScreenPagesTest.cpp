// Every page of the install journey and the uninstall screen as the user sees them, with the sample product's
// configuration: no control hides another or leaves its parent, every caption fits, and each page reached from
// each of its neighbours, forward and back, shows pixel for pixel what the same page shows when a new window
// opens on it. The pictures are kept as build/<preset>/screenshots/page-*.png.
#include "app/screen/DisplayScreen.h"
#include "app/screen/WizardPages.h"
#include "state/Global.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/ui/DialogMoment.h"
#include "testsupport/ui/ScreenPicture.h"
#include "testsupport/ui/WindowLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "InstallTestSupport.h"
#include "SampleScreen.h"
#include "ScreenPictureOf.h"

namespace {

constexpr int kAgreementPage = PageIndex(WizardPage::Agreement);
constexpr int kReadyPage = PageIndex(WizardPage::Ready);
constexpr int kInstallPage = PageIndex(WizardPage::Install);
constexpr int kFinishedPage = PageIndex(WizardPage::Finished);

std::string PicturePath(const std::string& name)
{
    return std::string(SCREEN_SHOT_DIR) + "\\page-" + name + ".png";
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += "\n  " + line;
    return text;
}

void ExpectLaidOut(const std::vector<std::string>& faults, const std::string& where)
{
    EXPECT_TRUE(faults.empty()) << where << ":" << Joined(faults);
}

// Saves `seen` as page-NAME.png and expects it to equal `first`.
void ExpectSamePicture(const TScreenPicture& seen, const TScreenPicture& first, const std::string& name)
{
    EXPECT_TRUE(seen.SavePng(PicturePath(name))) << name;
    RECT box{};
    const int differ = seen.Differences(first, &box);
    EXPECT_EQ(differ, 0) << name << ": pixels differ from the page shown first, within (" << box.left << ", " << box.top
                         << ") - (" << box.right << ", " << box.bottom << ")";
}

// A picture of a page as the user reached it, and the page it was reached from.
struct TReached {
    int Page;
    int From;
    TScreenPicture Picture;
};

class ScreenPages : public SampleScreen {
protected:
    // A new screen shown first on `page`: the pages before it are walked while the window is still hidden, so
    // that the page holds what the walk gave it (the summary of Page4), and nothing else is ever painted.
    std::unique_ptr<TDisplayScreen> ShowFirst(int page, const std::string& destination)
    {
        std::unique_ptr<TDisplayScreen> screen = OpenScreen(destination);
        TDisplayScreen& shown = *screen;
        const std::function<void()> designed = shown.OnShow;
        shown.OnShow = [&shown, designed, page] {
            designed();
            while (shown.Notebook1.PageIndex() < std::min(page, kReadyPage)) Forward(shown);
            if (page <= kReadyPage) return;
            // The install page is entered once the window shows; Finished needs no run.
            const std::function<void()> changed = std::move(shown.Notebook1.OnPageChanged);
            shown.Notebook1.OnPageChanged = page == kFinishedPage ? changed : nullptr;
            shown.Notebook1.SetPageIndex(page);
            shown.Notebook1.OnPageChanged = changed;
        };
        shown.Show();
        return screen;
    }
};

TEST_F(ScreenPages, EveryPageReachedFromEachNeighbourLooksAsWhenShownFirstAndSoDoesTheUninstaller)
{
    std::vector<TReached> reached;
    {
        std::unique_ptr<TDisplayScreen> screen = OpenScreen(app_);
        screen->Show();
        ASSERT_EQ(screen->FirstPage, 0) << "the sample starts on the welcome page";
        const auto take = [&](int from) {
            const int page = screen->Notebook1.PageIndex();
            reached.push_back({page, from, PictureOf(*screen)});
            ExpectLaidOut(LayoutFaults(screen->Handle()),
                          std::string(kWizardPages[page].name) + " from " + kWizardPages[from].name);
        };
        ExpectLaidOut(LayoutFaults(screen->Handle()), "page1 shown first");
        for (int page = 0; page < kReadyPage; ++page) {
            Forward(*screen);
            take(page);
        }
        for (int page = kReadyPage; page > 0; --page) {
            screen->Back1.Click();
            take(page);
        }
        for (int page = 0; page < kReadyPage; ++page) Forward(*screen);
        // No shortcut reaches the shared prefix: the rows the engine reads are all cleared.
        for (int row = 0; row < screen->ListView1.Count(); ++row) screen->ListView1.SetChecked(row, false);
        screen->Next1.Click();
        ASSERT_EQ(screen->Notebook1.PageIndex(), kFinishedPage) << "the install ran";
        take(kInstallPage);
    }

    for (const int page : {0, 1, 2, 3, 4, kFinishedPage}) {
        std::unique_ptr<TDisplayScreen> screen = ShowFirst(page, app_);
        ASSERT_EQ(screen->Notebook1.PageIndex(), page);
        const TScreenPicture first = PictureOf(*screen);
        EXPECT_TRUE(first.SavePng(PicturePath(kWizardPages[page].name)));
        for (const TReached& seen : reached)
            if (seen.Page == page)
                ExpectSamePicture(seen.Picture, first,
                                  std::string(kWizardPages[page].name) + "-from-" + kWizardPages[seen.From].name);
    }

    // The uninstaller of that installation, shown once and again in a new window, and at its question about the
    // second file in the Windows directory, with the status of the first shown, where a full repaint must show
    // nothing else.
    Global.UninstallMode = true;
    const TCommandLine line = UninstallLine();
    TScreenPicture shown;
    {
        TDisplayScreen uninstaller(line);
        uninstaller.Show();
        ASSERT_EQ(uninstaller.UninstallDir, app_);
        ExpectLaidOut(LayoutFaults(uninstaller.Handle()), "Uninstaller");
        shown = PictureOf(uninstaller);
    }
    TDisplayScreen uninstaller(line);
    uninstaller.Show();
    ExpectSamePicture(shown, PictureOf(uninstaller), "Uninstaller");

    const TDialogMoment asked = AtDialog(
        uninstaller.Handle(), [&] { uninstaller.Remove.Click(); }, "Yes", MovingOf(uninstaller), 1);
    EXPECT_NE(asked.Dialog.find(kSystemFiles[1]), std::string::npos) << asked.Dialog;
    ASSERT_TRUE(asked.Picture && asked.Repainted);
    ExpectLaidOut(asked.LayoutFaults, "Uninstaller asking");
    ExpectSamePicture(*asked.Picture, *asked.Repainted, "Uninstaller-asking");
    for (const char* name : kSystemFiles) EXPECT_FALSE(FileExists(InWindows(name))) << "answered Yes";
}

// The install page holds still only where a run stops with its message: a destination below a file.
TEST_F(ScreenPages, TheInstallPageLooksAsWhenShownFirst)
{
    ScratchDir::Write(scratch / "file", "not a directory");
    const std::string blocked = scratch / "file\\App\\";
    TDialogMoment walked;
    {
        std::unique_ptr<TDisplayScreen> screen = OpenScreen(blocked);
        screen->Show();
        for (int page = 0; page < kReadyPage; ++page) Forward(*screen);
        walked = AtDialog(
            screen->Handle(), [&] { screen->Next1.Click(); }, "OK", MovingOf(*screen));
    }
    EXPECT_NE(walked.Dialog.find("Unable to write to " + blocked), std::string::npos) << walked.Dialog;
    ASSERT_TRUE(walked.Picture && walked.Repainted);
    ExpectLaidOut(walked.LayoutFaults, "install from ReadyToInstall");

    std::unique_ptr<TDisplayScreen> screen = ShowFirst(kInstallPage, blocked);
    const TDialogMoment first = AtDialog(
        screen->Handle(), [&] { screen->Notebook1.OnPageChanged(); }, "OK", MovingOf(*screen));
    ASSERT_TRUE(first.Picture && first.Repainted);
    EXPECT_TRUE(first.Picture->SavePng(PicturePath("install")));
    ASSERT_TRUE(screen->Image1.Visible()) << "the files' stage is marked";
    const RECT mark = BoundsOn(screen->Image1, *screen);
    EXPECT_EQ(first.Picture->Pixel(mark.left, mark.top), GetSysColor(COLOR_BTNFACE)) << "the mark's own background";
    ExpectSamePicture(*first.Repainted, *first.Picture, "install-repainted");
    ExpectSamePicture(*walked.Picture, *first.Picture, "install-from-ReadyToInstall");
}

}  // namespace
