#include "tools/mksetup/ConfigText.h"

#include <gtest/gtest.h>

#include "tools/mksetup/Utf8Text.h"

namespace {

using namespace std::string_literals;

TEST(Utf8Text, OnlyWellFormedSequencesPass)
{
    struct Case {
        std::string bytes;
        bool utf8;
    };
    const Case cases[] = {
        {"", true},
        {"plain\r\n\0ascii"s, true},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", true},  // é € 😀
        {"\xED\x9F\xBF\xEE\x80\x80", true},                   // U+D7FF, U+E000: either side of the surrogates
        {"\xF4\x8F\xBF\xBF", true},                           // U+10FFFF
        {"caf\xE9", false},                                   // 1252
        {"\xC0\xAF", false},                                  // overlong "/"
        {"\xC1\xBF", false},
        {"\xE0\x80\xAF", false},
        {"\xF0\x80\x80\xAF", false},
        {"\xED\xA0\x80", false},      // U+D800
        {"\xED\xBF\xBF", false},      // U+DFFF
        {"\xF4\x90\x80\x80", false},  // U+110000
        {"\xF5\x80\x80\x80", false},
        {"\xFF", false},
        {"\x80", false},          // a continuation without a lead
        {"\xC3\xA9\xA9", false},  // one continuation too many
        {"\xC3"
         "A",
         false},  // a lead followed by ASCII
        {"\xE2\x82"
         "A",
         false},
        {"\xF0\x9F\x98"
         "A",
         false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsUtf8(c.bytes), c.utf8) << ::testing::PrintToString(c.bytes);
    // A sequence cut off by the end of the view, though the bytes that would finish it follow in memory.
    const std::string whole = "ab\xF0\x9F\x98\x80";
    for (std::size_t cut = 3; cut < whole.size(); ++cut)
        EXPECT_FALSE(IsUtf8(std::string_view(whole).substr(0, cut))) << cut;
}

TEST(ConfigText, Utf8StaysAsItIsAndOtherTextIsReadInTheCodePageLineByLine)
{
    std::string manyLines;
    for (int i = 0; i < 14; ++i) manyLines += "K=\xE9\n";
    std::string manyLinesUtf8;
    for (int i = 0; i < 14; ++i) manyLinesUtf8 += "K=\xC3\xA9\n";
    struct Case {
        const char* what;
        std::string bytes;
        unsigned codePage;
        std::string stored;
        std::vector<std::string> diagnostics;
    };
    const Case cases[] = {
        {"UTF-8",
         "[S]\r\nT=Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87\r\n\0"s,
         1252,
         "[S]\r\nT=Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87\r\n\0"s,
         {}},
        {"UTF-8 in an unknown code page", "T=\xC3\xA9", 12345, "T=\xC3\xA9", {}},
        {"byte-order mark", "\xEF\xBB\xBF[S]\nT=\xC3\xA9\n", 1252, "[S]\nT=\xC3\xA9\n", {}},
        {"mark only", "\xEF\xBB\xBF", 1252, "", {}},
        {"1252",
         "[S]\r\nT=Caf\xE9\r\n\r\nU=plain\r\nV=\x80 \xA3\r\n",
         1252,
         "[S]\r\nT=Caf\xC3\xA9\r\n\r\nU=plain\r\nV=\xE2\x82\xAC \xC2\xA3\r\n",
         {"install.cfg:2: warning: 'T=Caf\xC3\xA9': not UTF-8: read in code page 1252 and stored in UTF-8",
          "install.cfg:5: warning: 'V=\xE2\x82\xAC \xC2\xA3': not UTF-8: read in code page 1252 and stored in UTF-8"}},
        {"1250, lines that end in CR alone or not at all",
         "[S]\rT=\xA3\xF3"
         "d\x9F",
         1250,
         "[S]\rT=\xC5\x81\xC3\xB3\x64\xC5\xBA",
         {"install.cfg:2: warning: 'T=\xC5\x81\xC3\xB3\x64\xC5\xBA': not UTF-8: read in code page 1250 and stored in "
          "UTF-8"}},
        {"mark before text that is not UTF-8",
         "\xEF\xBB\xBFT=\xE9",
         1252,
         "T=\xC3\xA9",
         {"install.cfg:1: warning: 'T=\xC3\xA9': not UTF-8: read in code page 1252 and stored in UTF-8"}},
        {"UTF-8 that a stray byte spoils is read whole in the code page",
         "A=\xC3\xA9\nB=\xE9\n",
         1252,
         "A=\xC3\x83\xC2\xA9\nB=\xC3\xA9\n",
         {"install.cfg:1: warning: 'A=\xC3\x83\xC2\xA9': not UTF-8: read in code page 1252 and stored in UTF-8",
          "install.cfg:2: warning: 'B=\xC3\xA9': not UTF-8: read in code page 1252 and stored in UTF-8"}},
        {"unknown code page: said once, on the first line that needs it",
         "[S]\nT=\xE9\nU=\xE9\n",
         12345,
         "[S]\nT=\xE9\nU=\xE9\n",
         {"install.cfg:2: error: this system cannot convert from code page 12345; the file is not UTF-8: save it in "
          "UTF-8 or name its code page with --codepage"}},
        {"a lead byte without its trail",
         "A=\x93\xFA\r\nB=\x82\r\nC=\x96\x7B\r\n",
         932,
         "A=\xE6\x97\xA5\r\nB=\x82\r\nC=\xE6\x9C\xAC\r\n",
         {"install.cfg:1: warning: 'A=\xE6\x97\xA5': not UTF-8: read in code page 932 and stored in UTF-8",
          "install.cfg:2: error: the line holds bytes that code page 932 has no character for: save the file in UTF-8 "
          "or name its code page with --codepage",
          "install.cfg:3: warning: 'C=\xE6\x9C\xAC': not UTF-8: read in code page 932 and stored in UTF-8"}},
        {"a warning for the first ten lines, then one for the rest", manyLines, 1252, manyLinesUtf8,
         [] {
             std::vector<std::string> d;
             for (int i = 1; i <= 10; ++i)
                 d.push_back("install.cfg:" + std::to_string(i) +
                             ": warning: 'K=\xC3\xA9': not UTF-8: read in code page 1252 and stored in UTF-8");
             d.push_back(
                 "install.cfg:11: warning: 4 more lines from here on were read in code page 1252 and are "
                 "stored in UTF-8");
             return d;
         }()},
    };
    for (const Case& c : cases) {
        Diagnostics diagnostics;
        EXPECT_EQ(ConfigTextInUtf8(c.bytes, "install.cfg", c.codePage, diagnostics), c.stored) << c.what;
        std::vector<std::string> texts;
        for (const Diagnostic& d : diagnostics) texts.push_back(d.Text());
        EXPECT_EQ(texts, c.diagnostics) << c.what;
    }
}

}  // namespace
