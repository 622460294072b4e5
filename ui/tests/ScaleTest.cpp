// Designed units at a monitor's scale: places through nested panels, the default font, and pictures with their
// larger twins, on a form told by WM_DPICHANGED that it moved to another scale.
#include "Printed.h"
#include "testsupport/ScratchDir.h"
#include "ui/Font.h"
#include "ui/Form.h"
#include "ui/Scale.h"
#include "ui/controls/Button.h"
#include "ui/controls/Panel.h"
#include "ui/pictures/Image.h"
#include "ui/pictures/PictureScale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A bitmap file of one colour per column, bottom-up rows of 24-bit pixels.
std::string BitmapFile(const std::vector<COLORREF>& columns, int height)
{
    const int width = static_cast<int>(columns.size());
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels;
    for (int row = 0; row < height; ++row) {
        std::string line;
        for (const COLORREF colour : columns)
            line += {char(GetBValue(colour)), char(GetGValue(colour)), char(GetRValue(colour))};
        line.resize(static_cast<std::size_t>(stride), '\0');
        pixels += line;
    }
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, static_cast<DWORD>(pixels.size()), 0, 0, 0, 0};
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof file + sizeof info};
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    return std::string(reinterpret_cast<const char*>(&file), sizeof file) +
           std::string(reinterpret_cast<const char*>(&info), sizeof info) + pixels;
}

void MoveToScale(TForm& form, int dpi)
{
    RECT place;
    GetWindowRect(form.Handle(), &place);
    SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
}

RECT PlaceOn(const TWindow& control, const TWindow& form)
{
    RECT bounds;
    GetWindowRect(control.Handle(), &bounds);
    MapWindowPoints(HWND_DESKTOP, form.Handle(), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

TEST(Scale, EachEdgeIsRoundedFromItsDistanceToTheFormNotThroughEachPanel)
{
    TForm form(fsDialog, "scale test");
    form.SetClientSize(300, 200);
    TPanel outer(form, 1);
    outer.SetBounds(1, 1, 200, 100);
    TPanel inner(outer, 2);
    inner.SetBounds(1, 1, 150, 80);
    TButton button(inner, 3, "OK");
    button.SetBounds(1, 1, 75, 25);
    form.Show();
    // At 144 DPI a unit is 1.5 pixels: rounded panel by panel the button would start at 2 + 2 + 2 = 6.
    struct {
        int Dpi;
        RECT Button;
        SIZE Client;
    } const rows[] = {{144, {ToDevice(3, 144), ToDevice(3, 144), ToDevice(78, 144), ToDevice(28, 144)}, {450, 300}},
                      {120, {4, 4, 98, 35}, {375, 250}},
                      {192, {6, 6, 156, 56}, {600, 400}},
                      {96, {3, 3, 78, 28}, {300, 200}}};
    for (const auto& row : rows) {
        MoveToScale(form, row.Dpi);
        const RECT seen = PlaceOn(button, form);
        EXPECT_TRUE(EqualRect(&seen, &row.Button) != FALSE)
            << row.Dpi << ": " << seen.left << "," << seen.top << " - " << seen.right << "," << seen.bottom;
        RECT client;
        GetClientRect(form.Handle(), &client);
        EXPECT_EQ(client.right, row.Client.cx) << row.Dpi;
        EXPECT_EQ(client.bottom, row.Client.cy) << row.Dpi;
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(button.Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, ToDevice(-11, row.Dpi)) << row.Dpi;
        EXPECT_STREQ(font.lfFaceName, row.Dpi == 96 ? "MS Sans Serif" : "Microsoft Sans Serif") << row.Dpi;
    }
}

// At 96 DPI the configured red picture; at 192 its black and white twin pixel for pixel; at 144 the twin
// smoothed, with greys where black meets white. Each at the configured picture's designed size.
TEST(Scale, APictureTakesItsLargerTwinAboveTheDesignScaleSmoothedToItsDesignedSize)
{
    ScratchDir scratch;
    CreateDirectoryA((scratch / "pictures.v2").c_str(), nullptr);
    const std::string red = scratch / "pictures.v2\\logo.bmp";
    const std::string twin = scratch / "pictures.v2\\logo@2x.bmp";
    ScratchDir::Write(red, BitmapFile({RGB(255, 0, 0), RGB(255, 0, 0)}, 2));
    EXPECT_EQ(PictureFileFor(red, 120).Path, red) << "no twin yet";
    ScratchDir::Write(twin, BitmapFile({RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255)}, 4));
    EXPECT_EQ(PictureFileFor(red, 96).Path, red) << "the design's scale draws the configured picture";
    EXPECT_EQ(PictureFileFor(red, 120).Path, twin);
    EXPECT_EQ(PictureFileFor(red, 120).Density, 2);

    TForm form(fsDialog, "scale test");
    form.SetClientSize(100, 100);
    TImage image(form, 1);
    image.SetAutoSize(true);
    form.Show();
    ASSERT_TRUE(image.LoadFromFile(red));
    struct {
        int Dpi;
        int Pixels;
        COLORREF Counted;
        int Count;
        bool Greys;
    } const rows[] = {
        {96, 2, RGB(255, 0, 0), 4, false}, {192, 4, RGB(0, 0, 0), 8, false}, {144, 3, RGB(255, 0, 0), 0, true}};
    for (const auto& row : rows) {
        MoveToScale(form, row.Dpi);
        EXPECT_EQ(image.PictureWidth(), 2) << row.Dpi;
        const TPrinted printed(image.Handle());
        EXPECT_EQ(printed.CountOf(row.Counted), row.Count) << row.Dpi;
        int greys = 0;
        for (int y = 0; y < row.Pixels; ++y) {
            for (int x = 0; x < row.Pixels; ++x) {
                const COLORREF pixel = printed.Pixel(x, y);
                greys += GetRValue(pixel) == GetBValue(pixel) && pixel != RGB(0, 0, 0) && pixel != RGB(255, 255, 255);
            }
        }
        EXPECT_EQ(greys > 0, row.Greys) << row.Dpi;
    }
}

}  // namespace
