// A face the machine lacks gives way to one of its own family, not to the mapper's default.
#include "ui/Font.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string FaceChosenFor(const std::string& name)
{
    TFont font(name, -32);
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, font.Handle());
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return face;
}

TEST(FontFamily, SerifAndSansFacesStayApart)
{
    const std::string serif = FaceChosenFor("Times New Roman");
    const std::string sans = FaceChosenFor("Arial");
    EXPECT_NE(serif, sans);
    EXPECT_NE(FaceChosenFor("Courier New"), sans);
    EXPECT_EQ(FaceChosenFor("tImes new roman"), serif) << "face names are matched without regard to case";
}

}  // namespace
