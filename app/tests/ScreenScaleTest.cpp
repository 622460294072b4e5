// The setup screen at the display scales people run: the expander's window, each page of the install journey
// and the uninstaller's page, shown by a run of this program that Wine starts at 96, 120, 144 and 192 pixels per inch,
// is the page of 96 DPI times the scale: the wizard's size, every control's place, the controls' font, no layout
// faults, and the picture itself. A window told by WM_DPICHANGED that it moved to another scale looks as one opened
// there.
#include "app/tests/InstallModeScreen.h"
#include "bootstrap/Unzip1.h"
#include "testsupport/ui/DialogMoment.h"
#include "testsupport/ui/ScreenPicture.h"
#include "testsupport/ui/WindowLayout.h"
#include "tools/setupwalk/DrivenProcess.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "SampleScreen.h"

namespace {

constexpr int kScales[] = {96, 120, 144, 192};
constexpr const char* kReportDir = "SETUP_SCALE_REPORT_DIR";

// A page as laid out at one scale: the wizard's client size, the font of its standard controls, the place of
// every visible control below it (relative to the wizard, in the order Windows keeps them) and its faults.
struct TPageLayout {
    int Dpi = 0;
    SIZE Client{};
    int FontHeight = 0;
    std::vector<std::pair<int, POINT>> Controls;  // ID and place
    std::vector<std::string> Faults;
};

void AddControls(HWND parent, HWND wizard, TPageLayout& layout)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child) == FALSE) continue;
        RECT bounds;
        GetWindowRect(child, &bounds);
        MapWindowPoints(HWND_DESKTOP, wizard, reinterpret_cast<POINT*>(&bounds), 2);
        layout.Controls.push_back({GetDlgCtrlID(child), POINT{bounds.left, bounds.top}});
        AddControls(child, wizard, layout);
    }
}

int FontHeightOf(const TWindow& control)
{
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control.Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

// `window`'s page: its size and the controls below it; `text` shows the font the page's controls are given.
TPageLayout LayoutOf(const TWindow& window, const TWindow& text, std::vector<std::string> faults)
{
    TPageLayout layout;
    layout.Dpi = window.Dpi();
    RECT client;
    GetClientRect(window.Handle(), &client);
    layout.Client = SIZE{client.right, client.bottom};
    layout.FontHeight = FontHeightOf(text);
    AddControls(window.Handle(), window.Handle(), layout);
    layout.Faults = std::move(faults);
    return layout;
}

TPageLayout LayoutOf(const TDisplayScreen& screen, std::vector<std::string> faults)
{
    return LayoutOf(screen.Wizard, screen.Cancel1, std::move(faults));
}

using TJourney = std::map<std::string, TPageLayout>;

void Write(std::ostream& out, const TJourney& journey)
{
    for (const auto& [name, page] : journey) {
        out << "page " << name << ' ' << page.Dpi << ' ' << page.Client.cx << ' ' << page.Client.cy << ' '
            << page.FontHeight << '\n';
        for (const auto& [id, at] : page.Controls) out << "control " << id << ' ' << at.x << ' ' << at.y << '\n';
        for (const std::string& fault : page.Faults) out << "fault " << fault << '\n';
    }
}

TJourney Read(std::istream& in)
{
    TJourney journey;
    TPageLayout* page = nullptr;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "page") {
            std::string name;
            fields >> name;
            page = &journey[name];
            fields >> page->Dpi >> page->Client.cx >> page->Client.cy >> page->FontHeight;
        } else if (kind == "control" && page != nullptr) {
            int id = 0;
            POINT at{};
            fields >> id >> at.x >> at.y;
            page->Controls.push_back({id, at});
        } else if (kind == "fault" && page != nullptr) {
            page->Faults.push_back(line.substr(6));
        }
    }
    return journey;
}

// A picture's mean colour in the square of `size` pixels at (left, top), channel by channel.
std::array<int, 3> MeanColour(const TScreenPicture& picture, int left, int top, int size)
{
    std::array<int, 3> sum{};
    for (int y = top; y < top + size; ++y) {
        for (int x = left; x < left + size; ++x) {
            const COLORREF pixel = picture.Pixel(x, y);
            sum[0] += GetRValue(pixel), sum[1] += GetGValue(pixel), sum[2] += GetBValue(pixel);
        }
    }
    for (int& channel : sum) channel /= size * size;
    return sum;
}

// The share of the squares of `block` pixels of `small` whose mean colour differs, by more than a tenth in any
// channel, from the mean of the square `factor` times as large in `large`: letters drawn at another size
// take other pixels, but a square of a few letters keeps its shade, and a control out of place changes many.
double DifferentBlocks(const TScreenPicture& small, const TScreenPicture& large, int factor, int block)
{
    const int columns = std::min(small.Width(), large.Width() / factor) / block;
    const int rows = std::min(small.Height(), large.Height() / factor) / block;
    int differ = 0;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const std::array<int, 3> own = MeanColour(small, column * block, row * block, block);
            const std::array<int, 3> reduced =
                MeanColour(large, column * block * factor, row * block * factor, block * factor);
            for (std::size_t channel = 0; channel < own.size(); ++channel) {
                if (std::abs(own[channel] - reduced[channel]) <= 24) continue;
                ++differ;
                break;
            }
        }
    }
    return columns * rows > 0 ? static_cast<double>(differ) / (columns * rows) : 1.0;
}

// Kept as build/<preset>/screenshots/scale-<page>-<dpi>.png.
std::string PictureOfPage(const std::string& page, int dpi)
{
    return std::string(SCREEN_SHOT_DIR) + "\\scale-" + page + "-" + std::to_string(dpi) + ".png";
}

class ScreenScale : public SampleScreen {
protected:
    // The wizard's picture once settled, without the text caret.
    static TScreenPicture WizardPicture(const TDisplayScreen& screen)
    {
        return SettledPicture(screen.Wizard.Handle(), [&screen](TScreenPicture& picture) {
            if (const std::optional<RECT> caret = CaretIn(screen.Wizard.Handle())) picture.Mask(*caret);
        });
    }

    // The screen's own text lines and logo keep their places on the screen, not on the page: on Xvfb's small
    // screen at 192 DPI they reach into the wizard, so they are left out of its pictures.
    static void ShowTheWizardAlone(TDisplayScreen& screen)
    {
        for (TWindow* own :
             std::initializer_list<TWindow*>{&screen.TextInfo1, &screen.TextInfo2, &screen.TextInfo3, &screen.TextInfo4,
                                             &screen.ImageHolder1, &screen.LogoImage2})
            own->Hide();
    }

    static void Take(TJourney& journey, const TDisplayScreen& screen, const std::string& name)
    {
        journey[name] = LayoutOf(screen, LayoutFaults(screen.Wizard.Handle()));
        WizardPicture(screen).SavePng(PictureOfPage(name, screen.Dpi()));
    }

    // Every page of the journey at this run's scale, with its picture saved: the expander's window, the pages up
    // to Ready, the install page where a destination below a file stops its run, Finished after a run, and the
    // uninstaller.
    TJourney WalkJourney()
    {
        TJourney journey;
        {
            TUNZIP expander([](const std::string&) {});
            expander.Show();
            journey["Expander"] = LayoutOf(expander, expander.Label1, LayoutFaults(expander.Handle()));
            SettledPicture(expander.Handle()).SavePng(PictureOfPage("Expander", expander.Dpi()));
        }
        ScratchDir::Write(scratch / "file", "not a directory");
        {
            std::unique_ptr<TDisplayScreen> screen = OpenScreen(scratch / "file\\App\\");
            screen->Show();
            ShowTheWizardAlone(*screen);
            for (int page = 0; page < PageIndex(WizardPage::Ready); ++page) Forward(*screen);
            const TDialogMoment stopped = AtDialog(
                screen->Wizard.Handle(), [&] { screen->Next1.Click(); }, "OK");
            journey["Install"] = LayoutOf(*screen, stopped.LayoutFaults);
            if (stopped.Picture) stopped.Picture->SavePng(PictureOfPage("Install", screen->Dpi()));
        }
        std::unique_ptr<TDisplayScreen> screen = OpenScreen(app_);
        screen->Show();
        ShowTheWizardAlone(*screen);
        while (true) {
            Take(journey, *screen, kWizardPages[screen->Notebook1.PageIndex()].name);
            if (screen->Notebook1.PageIndex() == PageIndex(WizardPage::Ready)) break;
            Forward(*screen);
        }
        for (int row = 0; row < screen->ListView1.Count(); ++row) screen->ListView1.SetChecked(row, false);
        screen->Next1.Click();
        Take(journey, *screen, "Finished");
        screen.reset();

        Global.UninstallMode = true;
        TDisplayScreen uninstaller(UninstallLine());
        uninstaller.Show();
        ShowTheWizardAlone(uninstaller);
        Take(journey, uninstaller, "Uninstaller");
        return journey;
    }
};

// Run by the test below, once per scale, in a process Wine started at that scale.
TEST_F(ScreenScale, DISABLED_ReportTheJourney)
{
    const char* dir = std::getenv(kReportDir);
    ASSERT_NE(dir, nullptr);
    const TJourney journey = WalkJourney();
    std::ofstream out(std::string(dir) + "\\journey-" + std::to_string(journey.begin()->second.Dpi) + ".txt");
    Write(out, journey);
}

// The scale a Wine process runs at is the user's LogPixels when it starts.
constexpr const char* kDesktop = "Control Panel\\Desktop";

// Whatever happens, the prefix goes back to its own scale for the tests that use it next.
struct TPrefixScale {
    TPrefixScale() = default;
    TPrefixScale(const TPrefixScale&) = delete;
    TPrefixScale& operator=(const TPrefixScale&) = delete;
    ~TPrefixScale() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels"); }
};

TJourney JourneyAt(int dpi, const std::string& dir)
{
    const auto value = static_cast<DWORD>(dpi);
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels", REG_DWORD, &value, sizeof value);
    SetEnvironmentVariableA(kReportDir, dir.c_str());
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const DrivenProcess run(
        std::string("\"") + self +
            "\" --gtest_also_run_disabled_tests --gtest_filter=ScreenScale.DISABLED_ReportTheJourney",
        dir);
    EXPECT_EQ(run.WaitForExit(kHangCeilingMs * 2), 0U) << "the journey at " << dpi << " DPI";
    std::ifstream in(dir + "\\journey-" + std::to_string(dpi) + ".txt");
    return Read(in);
}

void ExpectScaled(const TPageLayout& designed, const TPageLayout& seen, const std::string& where)
{
    const double scale = static_cast<double>(seen.Dpi) / designed.Dpi;
    EXPECT_LE(std::abs(seen.Client.cx - designed.Client.cx * scale), 1.0) << where << ": the wizard's width";
    EXPECT_LE(std::abs(seen.Client.cy - designed.Client.cy * scale), 1.0) << where << ": the wizard's height";
    EXPECT_LT(std::abs(seen.FontHeight + 11 * scale), 1.0) << where << ": the font's height " << seen.FontHeight;
    EXPECT_TRUE(seen.Faults.empty()) << where << ": " << (seen.Faults.empty() ? "" : seen.Faults.front());
    ASSERT_EQ(seen.Controls.size(), designed.Controls.size()) << where << ": the controls shown";
    for (std::size_t index = 0; index < seen.Controls.size(); ++index) {
        const auto& [id, at] = seen.Controls[index];
        ASSERT_EQ(id, designed.Controls[index].first) << where;
        const POINT place = designed.Controls[index].second;
        EXPECT_LE(std::abs(at.x - place.x * scale), 1.0) << where << ": control " << id << "'s left";
        EXPECT_LE(std::abs(at.y - place.y * scale), 1.0) << where << ": control " << id << "'s top";
    }
}

TEST_F(ScreenScale, EveryPageAtEachScaleIsTheDesignedPageTimesTheScale)
{
    const std::string dir = scratch / "report";
    CreateDirectoryA(dir.c_str(), nullptr);
    std::map<int, TJourney> journeys;
    {
        const TPrefixScale restored;
        for (const int dpi : kScales) journeys[dpi] = JourneyAt(dpi, dir);
    }
    const TJourney& designed = journeys[96];
    ASSERT_EQ(designed.size(), 9U) << "the expander's, the pages up to Ready, Install, Finished, the uninstaller's";
    for (const auto& [name, page] : designed) {
        EXPECT_EQ(page.FontHeight, -11) << name;
        EXPECT_TRUE(page.Faults.empty()) << name << ": " << (page.Faults.empty() ? "" : page.Faults.front());
    }
    for (const int dpi : {120, 144, 192}) {
        ASSERT_EQ(journeys[dpi].size(), designed.size()) << dpi;
        for (const auto& [name, page] : journeys[dpi]) {
            ASSERT_EQ(page.Dpi, dpi) << name;
            ExpectScaled(designed.at(name), page, name + " at " + std::to_string(dpi));
        }
    }
    // At 192 each picture is the one at 96 twice as large: reduced by half, it differs from it by no more than
    // the letters drawn at another size (under Wine the faces differ too): in 7 % of the squares at most.
    for (const auto& [name, page] : designed) {
        const std::optional<TScreenPicture> small = TScreenPicture::FromPng(PictureOfPage(name, 96));
        const std::optional<TScreenPicture> large = TScreenPicture::FromPng(PictureOfPage(name, 192));
        ASSERT_TRUE(small && large) << name;
        EXPECT_EQ(large->Width(), 2 * small->Width()) << name;
        EXPECT_LT(DifferentBlocks(*small, *large, 2, 8), 0.1) << name;
    }
}

// Wine under Xvfb never sends WM_DPICHANGED: the window is told, and lays itself out as the scale it carries
// says, and back again.
TEST_F(ScreenScale, AScreenMovedToAnotherScaleLaysItselfOutAgain)
{
    std::unique_ptr<TDisplayScreen> screen = OpenScreen(app_);
    screen->Show();
    ShowTheWizardAlone(*screen);
    for (int page = 0; page < PageIndex(WizardPage::Destination); ++page) Forward(*screen);
    const TPageLayout before = LayoutOf(*screen, LayoutFaults(screen->Wizard.Handle()));
    const int titleBefore = FontHeightOf(screen->TextInfo1);
    RECT whole;
    GetWindowRect(screen->Handle(), &whole);
    for (const int dpi : {192, 120, before.Dpi}) {
        SendMessageA(screen->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&whole));
        const TPageLayout after = LayoutOf(*screen, LayoutFaults(screen->Wizard.Handle()));
        ASSERT_EQ(after.Dpi, dpi);
        ExpectScaled(before, after, "the destination page moved to " + std::to_string(dpi));
        // The title's font is given in points: it follows the scale as well.
        EXPECT_LE(std::abs(FontHeightOf(screen->TextInfo1) - titleBefore * dpi / static_cast<double>(before.Dpi)), 1.0)
            << dpi;
    }
}

}  // namespace
