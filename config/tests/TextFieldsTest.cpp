#include "config/TextFields.h"

#include <gtest/gtest.h>

#include <utility>

#include "config/FontStyle.h"
#include "config/PictureTwin.h"

namespace {

TEST(TextFields, SplitFirstAndSplitLastCutOneField)
{
    std::string text = ",b,c";
    EXPECT_EQ(SplitFirst(text, ','), "");
    EXPECT_EQ(SplitFirst(text, ','), "b");
    EXPECT_EQ(SplitFirst(text, ','), "c");
    EXPECT_EQ(text, "");
    text = "Programs\\Acme\\Tools";
    EXPECT_EQ(SplitLast(text, '\\'), "Tools");
    EXPECT_EQ(text, "Programs\\Acme");
    text = "Tools";
    EXPECT_EQ(SplitLast(text, '\\'), "Tools");
    EXPECT_EQ(text, "");
}

TEST(TextFields, PathPartsSplitAtBackslashOrColon)
{
    EXPECT_EQ(FileNamePart("C:\\Work\\manual.txt"), "manual.txt");
    EXPECT_EQ(FileNamePart("A:logo.gif"), "logo.gif");
    EXPECT_EQ(FileNamePart("Data\\"), "");
    EXPECT_EQ(FileNamePart("plain.exe"), "plain.exe");
    EXPECT_EQ(DirectoryPart("C:\\App\\setup.exe Title"), "C:\\App\\");
    EXPECT_EQ(DirectoryPart("A:setup.exe"), "A:");
    EXPECT_EQ(DirectoryPart("setup.exe"), "");
    EXPECT_EQ(WithTrailingBackslash("C:\\"), "C:\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\App"), "C:\\App\\");
}

TEST(TextFields, ProgramPartEndsAtTheFirstExeFollowedByABlank)
{
    EXPECT_EQ(ProgramPart("post.exe /quiet"), "post.exe");
    EXPECT_EQ(ProgramPart("second prog.EXE /log C:\\x.exe y"), "second prog.EXE");
    EXPECT_EQ(ProgramPart("C:\\Program Files\\App\\setup.exe"), "C:\\Program Files\\App\\setup.exe");
    EXPECT_EQ(ProgramPart("tool.exec -x"), "tool.exec -x");
}

TEST(TextFields, UpperCaseTouchesOnlyAsciiLetters)
{
    EXPECT_EQ(UpperCase("hkey_Local_MACHINE\\x.ini 9"), "HKEY_LOCAL_MACHINE\\X.INI 9");
    EXPECT_EQ(UpperCase("\xe9t\xe9"), "\xe9T\xe9");  // other code-page letters keep their bytes
}

TEST(TextFields, LinesEndAtCrLfLfOrCr)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n[x]\n"), (Lines{"a", "", "[x]"}));
    EXPECT_EQ(SplitLines("\n\r"), (Lines{"", ""})) << "LF then CR are two line ends";
    EXPECT_EQ(SplitLines(""), Lines{});
}

TEST(FontStyle, EachNameCountsOnlyBeforeAComma)
{
    const TFontStyles boldItalic = ParseFontStyle("fsBold,fsItalic,");
    EXPECT_TRUE(boldItalic.Contains(fsBold));
    EXPECT_TRUE(boldItalic.Contains(fsItalic));
    EXPECT_FALSE(boldItalic.Contains(fsUnderline));

    const TFontStyles boldOnly = ParseFontStyle("fsBold,fsItalic");
    EXPECT_TRUE(boldOnly.Contains(fsBold));
    EXPECT_FALSE(boldOnly.Contains(fsItalic));

    EXPECT_TRUE(ParseFontStyle("fsBold").Empty());
    EXPECT_TRUE(ParseFontStyle("fsbold,").Empty()) << "names are compared exactly";
    EXPECT_TRUE(ParseFontStyle("").Empty());

    const TFontStyles all = ParseFontStyle("fsUnderline,junk,,fsStrikeOut,");
    EXPECT_TRUE(all.Contains(fsUnderline));
    EXPECT_TRUE(all.Contains(fsStrikeOut));
    EXPECT_FALSE(all.Contains(fsBold));
}

// "@2x" goes before the extension of the file's own name, never into a folder's.
TEST(PictureTwin, TheTwinsNameHasTheMarkBeforeTheExtension)
{
    const std::pair<const char*, const char*> names[] = {{"logo.gif", "logo@2x.gif"},
                                                         {"pics.v2\\back", "pics.v2\\back@2x"},
                                                         {"a/b.c/d.e.bmp", "a/b.c/d.e@2x.bmp"},
                                                         {".bmp", "@2x.bmp"},
                                                         {"plain", "plain@2x"}};
    for (const auto& [name, twin] : names) EXPECT_EQ(LargerTwinName(name), twin) << name;
}

}  // namespace
