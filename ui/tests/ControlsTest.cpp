// The controls made on a real window: what is set can be read back through the window messages that another
// process would use, and the state the screens rely on behaves as they expect.
#include "Printed.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/ui/Pump.h"
#include "ui/Font.h"
#include "ui/Form.h"
#include "ui/Scale.h"
#include "ui/Timer.h"
#include "ui/controls/Button.h"
#include "ui/controls/CheckBox.h"
#include "ui/controls/Edit.h"
#include "ui/controls/Label.h"
#include "ui/controls/ListView.h"
#include "ui/controls/Memo.h"
#include "ui/controls/Notebook.h"
#include "ui/controls/Panel.h"
#include "ui/controls/ProgressBar.h"
#include "ui/controls/RadioButton.h"
#include "ui/pictures/Image.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <vector>

namespace {

class Controls : public ::testing::Test {
protected:
    Controls() : form(fsDialog, "ui test")
    {
        form.SetClientSize(600, 400);
        form.Show();
    }

    static std::string WindowText(HWND window)
    {
        char buffer[256] = {};
        const auto length = SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        return std::string(buffer, static_cast<size_t>(length));
    }

    TForm form;
};

TEST_F(Controls, LabelTextIsTheWindowTextAndSizesTheLabel)
{
    TLabel label(form, 10, "Short");
    EXPECT_EQ(WindowText(label.Handle()), "Short");
    const int shortWidth = label.Width();

    SendMessageA(label.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("A much longer text than before"));
    EXPECT_EQ(label.Text(), "A much longer text than before");
    EXPECT_GT(label.Width(), shortWidth);

    const int smallHeight = label.Height();
    label.Font().SetHeight(-32);
    EXPECT_GT(label.Height(), smallHeight);

    const int unshadowedWidth = label.Width();
    label.SetShadowSize(1);
    EXPECT_EQ(label.Width(), unshadowedWidth + 1);
}

TEST_F(Controls, LabelDrawsItsShadowUnderTheText)
{
    form.SetColor(clBlack);
    TLabel label(form, 10, "WWW");
    label.Font().SetName("Arial");
    label.Font().SetHeight(-40);
    label.Font().SetColor(clWhite);
    label.SetShadowColor(0x0000FF);
    label.SetShadowSize(3);

    TPrinted printed(label.Handle());
    EXPECT_GT(printed.CountOf(RGB(255, 255, 255)), 50);
    EXPECT_GT(printed.CountOf(RGB(255, 0, 0)), 20);
    // The parent's black shows through around the letters.
    EXPECT_GT(printed.CountOf(RGB(0, 0, 0)), 50);
}

// A bitmap file of 2 by 2 pixels, 24 bits, rows bottom up: white and red below, red and white above.
std::string TwoByTwoBitmap()
{
    const std::string pixels =
        std::string("\xFF\xFF\xFF\x00\x00\xFF\0\0", 8) + std::string("\x00\x00\xFF\xFF\xFF\xFF\0\0", 8);
    BITMAPINFOHEADER info{sizeof info, 2, 2, 1, 24, BI_RGB, 16, 0, 0, 0, 0};
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof file + sizeof info};
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    return std::string(reinterpret_cast<const char*>(&file), sizeof file) +
           std::string(reinterpret_cast<const char*>(&info), sizeof info) + pixels;
}

TEST_F(Controls, TransparentImageLetsTheParentShowThroughItsLowerLeftColour)
{
    form.SetColor(clBlack);
    ScratchDir scratch;
    ScratchDir::Write(scratch / "mark.bmp", TwoByTwoBitmap());
    TImage image(form, 10);
    image.SetAutoSize(true);
    ASSERT_TRUE(image.LoadFromFile(scratch / "mark.bmp"));
    image.SetTransparent(true);

    TPrinted printed(image.Handle());
    EXPECT_EQ(printed.CountOf(RGB(255, 0, 0)), 2);
    EXPECT_EQ(printed.CountOf(RGB(0, 0, 0)), 2) << "white, the lower-left colour, lets black through";
}

TEST(Font, TakesOnlyAPositivePixelsPerInchAndReportsChanges)
{
    TFont font("Arial", -13);
    EXPECT_EQ(font.PixelsPerInch(), kDesignDpi);
    font.SetPixelsPerInch(120);
    // A factor of zero or below would make every later size conversion meaningless: it is not taken.
    font.SetPixelsPerInch(0);
    font.SetPixelsPerInch(-72);
    EXPECT_EQ(font.PixelsPerInch(), 120);

    int changes = 0;
    font.OnChange = [&changes] { ++changes; };
    TFontStyles boldItalic;
    boldItalic.Include(fsBold);
    boldItalic.Include(fsItalic);
    font.SetStyle(boldItalic);
    font.SetColor(clWhite);
    EXPECT_EQ(changes, 2);
    EXPECT_NE(font.Handle(), nullptr);
}

TEST_F(Controls, CheckBoxAndRadioButtons)
{
    TCheckBox check(form, 10, "Add Folder to Desktop");
    check.SetBounds(8, 8, 200, 20);  // a click lands inside the control
    EXPECT_FALSE(check.Checked());
    int clicks = 0;
    check.OnClick = [&clicks] { ++clicks; };
    SendMessageA(check.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(check.Checked());
    EXPECT_EQ(clicks, 1);

    TRadioButton first(form, 11, "ReStart Windows");
    TRadioButton second(form, 12, "Launch Program");
    TRadioButton third(form, 13, "Return to Windows ");
    first.SetChecked(true);
    second.Hide();
    second.SetChecked(true);  // hidden buttons belong to the group as well
    EXPECT_FALSE(first.Checked());
    EXPECT_TRUE(second.Checked());
    third.SetChecked(true);
    EXPECT_FALSE(second.Checked());
    EXPECT_TRUE(third.Checked());
    EXPECT_TRUE(check.Checked()) << "a check box is no member of the radio group";
}

TEST_F(Controls, NotebookRaisesItsPageEventsOnlyWhenTheIndexChangesTheFirstBeforeThePageShows)
{
    TNotebook notebook(form, 10);
    notebook.SetBounds(0, 0, 400, 300);
    TPanel& first = notebook.AddPage("page1", 20);
    TPanel& second = notebook.AddPage("Page2", 21);
    EXPECT_EQ(WindowText(second.Handle()), "Page2");
    EXPECT_EQ(second.Width(), 400);

    int changes = 0;
    std::vector<int> showing;
    notebook.OnPageShowing = [&](int page) {
        showing.push_back(page);
        EXPECT_FALSE(IsWindowVisible(second.Handle())) << "still hidden while it is prepared";
        EXPECT_EQ(changes, 0);
    };
    notebook.OnPageChanged = [&changes] { ++changes; };
    EXPECT_EQ(notebook.PageIndex(), 0);
    notebook.SetPageIndex(0);
    notebook.SetPageIndex(7);
    notebook.SetPageIndex(-1);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(showing.empty());
    notebook.SetPageIndex(1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(showing, std::vector<int>{1});
    EXPECT_FALSE(IsWindowVisible(first.Handle()));
    EXPECT_TRUE(IsWindowVisible(second.Handle()));
}

TEST_F(Controls, ListViewKeepsRowsInOrderWithTheirChecks)
{
    TListView list(form, 10);
    list.SetBounds(0, 0, 320, 200);
    list.AddColumn("Program to Add", 205);
    list.AddColumn("Where to Add", 110);

    list.SetCheckboxes(false);
    list.AddItem("Zeta", "StartMenu", 0, true);
    list.AddItem("Alpha", "Desktop", 0, false);
    list.AddItem("Mid", "Quick Launch", 0, true);
    list.SetCheckboxes(true);

    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.ItemText(0, 0), "Zeta");
    EXPECT_EQ(list.ItemText(1, 0), "Alpha");
    EXPECT_EQ(list.ItemText(2, 1), "Quick Launch");
    EXPECT_TRUE(list.Checked(0));
    EXPECT_FALSE(list.Checked(1));
    EXPECT_TRUE(list.Checked(2));

    // The user's space bar toggles the selected row; another process reads it with LVM_GETITEMSTATE.
    ListView_SetItemState(list.Handle(), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetFocus(list.Handle());
    SendMessageA(list.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(list.Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(PumpUntil([&list] { return list.Checked(1); }));

    list.SetCheckboxes(false);
    list.SetCheckboxes(true);
    EXPECT_TRUE(list.Checked(1)) << "switching check boxes off and on keeps the checks";

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(Controls, ListViewBorrowsTheSystemSmallIconList)
{
    SHFILEINFOA info{};
    auto images = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    ASSERT_NE(images, nullptr);
    const int icons = ImageList_GetImageCount(images);
    {
        TListView list(form, 10);
        list.SetSmallImages(images);
        list.AddItem("Drive", "StartMenu", info.iIcon, false);
    }
    EXPECT_EQ(ImageList_GetImageCount(images), icons) << "the shared list outlives the list view";
}

TEST_F(Controls, ProgressBar)
{
    TProgressBar bar(form, 10);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 100);
    bar.SetRange(0, 7);
    bar.SetPosition(5);
    EXPECT_EQ(bar.Position(), 5);
    bar.SetPosition(50);
    EXPECT_EQ(bar.Position(), 7) << "the position stays within the range";

    // A list of files to install may be longer than 16 bits count: the range and the position keep it whole.
    bar.SetRange(0, 100002);
    bar.SetPosition(70000);
    EXPECT_EQ(bar.Max(), 100002);
    EXPECT_EQ(bar.Position(), 70000);
}

TEST_F(Controls, MemoAddsAndLoadsLines)
{
    TMemo memo(form, 10);
    memo.Add("Install To: C:\\Program Files\\ZUV");
    memo.Add("");
    memo.Add("Folders:");
    EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"Install To: C:\\Program Files\\ZUV", "", "Folders:"}));

    ScratchDir scratch;
    const std::string licence = scratch / "license.txt";
    ScratchDir::Write(licence, "one\r\ntwo\nthree\rfour\r\n\r\nsix");
    ASSERT_TRUE(memo.LoadFromFile(licence));
    EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"one", "two", "three", "four", "", "six"}));

    EXPECT_FALSE(memo.LoadFromFile(scratch / "missing.txt"));
    EXPECT_EQ(memo.Lines().size(), 6U) << "a failed load leaves the text";

    // Longer than an edit control takes without a raised limit.
    ScratchDir::Write(licence, std::string(100000, 'x'));
    ASSERT_TRUE(memo.LoadFromFile(licence));
    EXPECT_EQ(memo.Text().size(), 100000U);
}

TEST(Timer, FiresUntilDisabled)
{
    TTimer timer;
    timer.SetInterval(20);
    int fired = 0;
    timer.OnTimer = [&] {
        ++fired;
        timer.SetEnabled(false);
    };
    EXPECT_FALSE(timer.Enabled());
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return fired > 0; }));
    ASSERT_TRUE(PumpPast(100));
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(timer.Enabled());
}

TEST_F(Controls, EnterPressesTheDefaultButtonOnlyWhileItIsVisible)
{
    TPanel bar(form, 10);
    bar.SetBounds(0, 0, 300, 50);
    TButton next(bar, 11, "&Next >>");
    next.SetBounds(8, 8, 75, 25);
    next.SetDefault();
    TEdit edit(form, 12);
    edit.SetBounds(8, 60, 200, 21);
    int clicks = 0;
    next.OnClick = [&clicks] { ++clicks; };

    const auto pressEnter = [&edit] {
        SetFocus(edit.Handle());
        MSG enter{edit.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
        Application::DispatchOne(enter);
        ASSERT_TRUE(PumpPosted());
    };
    pressEnter();
    EXPECT_EQ(clicks, 1) << "the button sits in a panel, not on the form itself";
    next.Hide();
    pressEnter();
    EXPECT_EQ(clicks, 1);
}

TEST_F(Controls, FormCloseAsksOnCloseQuery)
{
    bool allow = false;
    int asked = 0;
    form.OnCloseQuery = [&](bool& canClose) {
        ++asked;
        canClose = allow;
    };
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    allow = true;
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(asked, 2);
}

}  // namespace
