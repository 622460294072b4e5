// A face the machine lacks gives way to one of its own family, not to the mapper's default.
#include "ui/Font.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// The face the font mapper chose for name, and that face's family (FF_ROMAN, FF_SWISS, FF_MODERN ...).
struct TChosen {
    std::string Face;
    BYTE Family = 0;
};

TChosen Chosen(const std::string& name)
{
    TFont font(name, -32);
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, font.Handle());
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return {face, static_cast<BYTE>(metrics.tmPitchAndFamily & 0xF0)};
}

std::string FaceChosenFor(const std::string& name)
{
    return Chosen(name).Face;
}

TEST(FontFamily, SerifAndSansFacesStayApart)
{
    const std::string serif = FaceChosenFor("Times New Roman");
    const std::string sans = FaceChosenFor("Arial");
    EXPECT_NE(serif, sans);
    EXPECT_NE(FaceChosenFor("Courier New"), sans);
    EXPECT_EQ(FaceChosenFor("tImes new roman"), serif) << "face names are matched without regard to case";
}

// Faces that a Windows machine of the time may lack: each gives way to a face of its own family.
TEST(FontFamily, AMissingFaceGivesWayToOneOfItsFamily)
{
    const std::pair<const char*, BYTE> faces[] = {
        {"Times New Roman", FF_ROMAN}, {"Garamond", FF_ROMAN},     {"Book Antiqua", FF_ROMAN},
        {"Georgia", FF_ROMAN},         {"Arial", FF_SWISS},        {"Verdana", FF_SWISS},
        {"Calibri", FF_SWISS},         {"Courier New", FF_MODERN}, {"Consolas", FF_MODERN},
    };
    for (const auto& [face, family] : faces) {
        const TChosen chosen = Chosen(face);
        EXPECT_EQ(chosen.Family, family) << face << " became " << chosen.Face;
    }
}

}  // namespace
