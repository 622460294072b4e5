// A full-screen window of panels in their styles, captured from the screen and saved as PNG files for people
// to look at; the checks make sure the capture shows what the panels painted.
#include "widgets/Gradpan.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "TopWindow.h"
#include "testsupport/widgets/Dib.h"
#include "testsupport/win32/PngFile.h"

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;

TPanelFont Font(const char* name, int height, TColor color, bool bold = false)
{
    TPanelFont font;
    font.Name = name;
    font.Height = height;
    font.Color = color;
    font.Bold = bold;
    return font;
}

// The full-screen background that holds the other panels, as the setup screen has it.
void StyleBackground(TGradPan& screen, const std::string& caption)
{
    screen.SetBevelOuter(bvNone);
    screen.SetBackGroundEffect(bdHorzIn);
    screen.SetColorStart(kBlue);
    screen.SetColorEnd(kBlack);
    screen.SetColorShadow(kBlack);
    screen.SetFont(Font("Times New Roman", -32, kWhite, true));
    screen.SetAlignment(taLeftJustify);
    screen.SetVertAlign(vlTop);
    screen.SetCaption(caption);
}

struct TSample {
    const char* Caption;
    TDirection Effect;
    TColor Start;
    TColor End;
    TTextEffect Text;
    TTextRotation Rotation;
};

// A 40 x 40 tile: two blues in a checker with a gold ring.
TGdiObject<HBITMAP> TilePicture()
{
    TGdiObject<HBITMAP> bitmap(CreateDib({40, 40}));
    TMemoryDC dc;
    TSelection selection(dc.Get(), bitmap.Get());
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            const RECT cell{x * 20, y * 20, x * 20 + 20, y * 20 + 20};
            TGdiObject<HBRUSH> brush(CreateSolidBrush((x + y) % 2 ? RGB(30, 60, 140) : RGB(50, 100, 190)));
            FillRect(dc.Get(), &cell, brush.Get());
        }
    }
    TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 3, RGB(230, 190, 60)));
    TSelection penSelection(dc.Get(), pen.Get());
    TSelection brushSelection(dc.Get(), GetStockObject(NULL_BRUSH));
    Ellipse(dc.Get(), 8, 8, 32, 32);
    return bitmap;
}

// A small landscape: sky, sun and hills, to be stretched.
TGdiObject<HBITMAP> LandscapePicture()
{
    TGdiObject<HBITMAP> bitmap(CreateDib({64, 40}));
    TMemoryDC dc;
    TSelection selection(dc.Get(), bitmap.Get());
    for (int y = 0; y < 40; ++y) {
        const RECT row{0, y, 64, y + 1};
        TGdiObject<HBRUSH> brush(CreateSolidBrush(RGB(90 + y * 3, 150 + y * 2, 235)));
        FillRect(dc.Get(), &row, brush.Get());
    }
    TGdiObject<HBRUSH> sun(CreateSolidBrush(RGB(255, 220, 90)));
    TSelection sunBrush(dc.Get(), sun.Get());
    TSelection noPen(dc.Get(), GetStockObject(NULL_PEN));
    Ellipse(dc.Get(), 42, 6, 54, 18);
    TGdiObject<HBRUSH> hill(CreateSolidBrush(RGB(60, 140, 70)));
    TSelection hillBrush(dc.Get(), hill.Get());
    const POINT hills[] = {{0, 40}, {0, 28}, {14, 20}, {30, 29}, {46, 22}, {64, 30}, {64, 40}};
    Polygon(dc.Get(), hills, 7);
    return bitmap;
}

// What the screen shows now, copied from the window's device context.
void Capture(HWND window, const TDib& into)
{
    HDC dc = GetDC(window);
    BitBlt(into.Dc(), 0, 0, into.Size().cx, into.Size().cy, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
}

std::string ScreenshotPath(const std::string& name)
{
    CreateDirectoryA(SETUP_SCREENSHOT_DIR, nullptr);
    return std::string(SETUP_SCREENSHOT_DIR) + "\\gradpan-" + name + ".png";
}

void ExpectPngSaved(const TDib& shot, const std::string& name)
{
    const std::string path = ScreenshotPath(name);
    ASSERT_TRUE(SavePng(shot.Handle(), path)) << path;
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
}

TEST(Screenshot, EveryBackgroundStyleWithTextEffectsAndRotations)
{
    TTopWindow window(kScreenWidth, kScreenHeight, true);
    TGradPan screen(window.Handle(), RECT{0, 0, kScreenWidth, kScreenHeight});
    StyleBackground(screen, "Gradient panels: backgrounds, text effects, rotations");

    const TSample samples[] = {
        {"Vertical In", bdVertIn, 0x808000, 0xFFFFFF, teShadow, trNone},
        {"Vertical Out", bdVertOut, 0x400080, 0x80C0FF, teRaised, trNone},
        {"Horizontal In", bdHorzIn, 0x004000, 0x80FFC0, teLowered, trNone},
        {"Horizontal Out", bdHorzOut, 0xE8E8E8, 0x707070, teEmbossed, trNone},
        {"Up", bdUp, 0x800000, 0xFFC080, teShadow, TrUp},
        {"Down", bdDown, 0x000080, 0x80E0FF, teShadow, TrDown},
        {"Left", bdLeft, 0x602000, 0xF0D0A0, teRaised, trNone},
        {"Right", bdRight, 0x006060, 0xC0FFFF, tenone, trNone},
        {"Solid colour", bdFlat, 0x8000000F, 0, teShadow, trNone},
        {"Tiled picture", bdTileImage, 0, 0, teShadow, TrUp},
        {"Stretched picture", bdStretchImage, 0, 0, teShadow, trNone},
        {"No effect", bdVertIn, 0xFFFFFF, 0x808080, tenone, TrDown},
    };
    const TGdiObject<HBITMAP> tile = TilePicture();
    const TGdiObject<HBITMAP> landscape = LandscapePicture();
    std::vector<std::unique_ptr<TGradPan>> panels;
    for (int i = 0; i < 12; ++i) {
        const TSample& sample = samples[i];
        const int left = 28 + (i % 4) * 246;
        const int top = 96 + (i / 4) * 186;
        auto panel = std::make_unique<TGradPan>(screen.Handle(), RECT{left, top, left + 230, top + 170});
        panel->SetBackGroundEffect(sample.Effect);
        panel->SetColorStart(sample.Start);
        panel->SetColorEnd(sample.End);
        panel->SetTextEffect(sample.Text);
        panel->SetTextRotation(sample.Rotation);
        panel->SetColorShadow(sample.Effect == bdFlat ? 0xFFFFFF : 0x404040);
        panel->SetFont(Font("Tahoma", -20, sample.Effect == bdFlat ? 0x000000 : 0xFFFFFF, true));
        panel->SetBevelWidth(2);
        if (sample.Effect == bdFlat) {
            panel->SetBevelInner(bvLowered);
            panel->SetBorderWidth(4);
            panel->SetCtl3D(true);
        }
        if (sample.Effect == bdTileImage) panel->SetBitmap(tile.Get());
        if (sample.Effect == bdStretchImage) {
            panel->SetBitmap(landscape.Get());
            panel->SetVertAlign(VlBottom);
        }
        panel->SetCaption(sample.Caption);
        panels.push_back(std::move(panel));
    }
    TTopWindow::Pump();

    TDib shot(kScreenWidth, kScreenHeight);
    Capture(window.Handle(), shot);
    EXPECT_EQ(shot.Pixel(30, 160), RGB(7, 131, 131)) << "first panel, inside its 2-pixel bevel: band 1, entry 3";
    EXPECT_EQ(shot.Pixel(10, 700), shot.Pixel(1000, 700)) << "the background's rows span the screen";
    ExpectPngSaved(shot, "styles");
}

}  // namespace
