#include "config/ProfileFile.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifdef _WIN32
#include <windows.h>

#include <cstring>
#endif

#include "testsupport/ScratchDir.h"

namespace {

const char* const kSample =
    "; made by hand\r\n"
    "[Setup Screen]\r\n"
    "Text Line 1 = My Product  \r\n"
    "text line 2=\r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Half=\"open\r\n"
    "Colour=0x0000FF\n"
    "Flag=true\n"
    "Two=2\n"
    "no equals here\n"
    "Text Line 1=second one is never read\n"
    "\n"
    "[Desktop]\r"
    "Editor,<InstallDir>\\ed.exe,X,,X,,Tools,ed.ico=1\r"
    ";comment=1\r"
    "bare line\r"
    "Viewer=\r"
    "[setup screen]\n"
    "Later=not seen: only the first section of a name counts\n";

TEST(ProfileFile, ValuesAreTrimmedUnquotedAndCaseBlind)
{
    const ProfileFile p = ProfileFile::Parse(kSample);
    EXPECT_EQ(p.ReadString("setup screen", "TEXT LINE 1"), "My Product");
    EXPECT_EQ(p.ReadString("Setup Screen", "Text Line 2"), "") << "present and empty is not missing";
    EXPECT_EQ(p.ReadString("Setup Screen", "Text Line 3"), std::nullopt);
    EXPECT_EQ(p.ReadString("Setup Screen", "Quoted"), "  spaced  ");
    EXPECT_EQ(p.ReadString("Setup Screen", "Half"), "\"open");
    EXPECT_EQ(p.ReadString("Setup Screen", "Later"), std::nullopt);
    EXPECT_EQ(p.ReadString("Nowhere", "Text Line 1", "dflt"), "dflt");
    EXPECT_EQ(p.FindKey("Setup Screen", "Colour")->line, 7);
}

TEST(ProfileFile, IntegersAndBooleansFallBackToTheirDefaults)
{
    const ProfileFile p = ProfileFile::Parse(kSample);
    EXPECT_EQ(p.ReadInteger("Setup Screen", "Colour", 0), 255);
    EXPECT_EQ(p.ReadInteger("Setup Screen", "Text Line 2", -1), -1) << "empty";
    EXPECT_TRUE(p.ReadBool("Setup Screen", "Flag", true)) << "a word gives the default";
    EXPECT_FALSE(p.ReadBool("Setup Screen", "Flag", false));
    EXPECT_TRUE(p.ReadBool("Setup Screen", "Two", false));
}

TEST(ProfileFile, KeyListsSkipCommentsAndLinesWithoutValues)
{
    const ProfileFile p = ProfileFile::Parse(kSample);
    EXPECT_EQ(p.KeyNames("DESKTOP"),
              (std::vector<std::string>{"Editor,<InstallDir>\\ed.exe,X,,X,,Tools,ed.ico", "Viewer"}));
    EXPECT_TRUE(p.KeyNames("Missing").empty());
}

TEST(ProfileFile, LongValuesAndLongKeyListsAreCutAtTheBuffers)
{
    std::string text = "[S]\nLong=" + std::string(5000, 'v') + "\n[L]\n";
    for (int i = 0; i < 2000; ++i) text += "entry" + std::to_string(i) + "=1\n";
    const ProfileFile p = ProfileFile::Parse(text);
    EXPECT_EQ(p.ReadString("S", "Long")->size(), 2047u);
    const auto names = p.KeyNames("L");
    std::size_t bytes = 0;
    for (const auto& n : names) bytes += n.size() + 1;
    EXPECT_LT(names.size(), 2000u);
    EXPECT_LE(bytes, ProfileFile::kKeyListBuffer);
    EXPECT_EQ(names.front(), "entry0");
    const auto all = p.AllKeyNames("L");
    ASSERT_EQ(all.size(), 2000u);
    EXPECT_TRUE(std::equal(names.begin(), names.end(), all.begin())) << "the list is cut, never changed";
    EXPECT_EQ(all.back(), "entry1999");
}

// A file saved in UTF-8 may begin with a byte-order mark; only a whole mark at the very start is one.
TEST(ProfileFile, AByteOrderMarkIsNoPartOfTheFirstLine)
{
    const struct {
        std::string text;
        std::optional<std::string> title;
    } rows[] = {
        {"\xEF\xBB\xBF[Setup Screen]\r\nText Line 1=Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87\r\n",
         "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"},
        {"[Setup Screen]\r\nText Line 1=\xEF\xBB\xBFmarked\r\n", "\xEF\xBB\xBFmarked"},
        {"\xEF\xBB\xBF\xEF\xBB\xBF[Setup Screen]\r\nText Line 1=x\r\n", std::nullopt},
        {"\xEF\xBB[Setup Screen]\r\nText Line 1=x\r\n", std::nullopt},
        {"\xEF\xBB\xBF", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ProfileFile::Parse(row.text).ReadString("Setup Screen", "Text Line 1"), row.title) << row.text;
}

TEST(ProfileFile, AMissingFileIsAnEmptyProfile)
{
    ScratchDir dir;
    const ProfileFile p = ProfileFile::Load(dir / "absent.cfg");
    EXPECT_EQ(p.ReadString("Setup Screen", "Text Line 1"), std::nullopt);
    ScratchDir::Write(dir / "install.cfg", kSample);
    EXPECT_EQ(ProfileFile::Load(ScratchDir::Native(dir / "install.cfg")).ReadString("Setup Screen", "Two"), "2");
}

#ifdef _WIN32
// The reader must agree with the system's own profile functions on the same file.
TEST(ProfileFile, AgreesWithTheSystemProfileFunctions)
{
    ScratchDir dir;
    const std::string path = dir / "install.cfg";
    ScratchDir::Write(path, kSample);
    const ProfileFile p = ProfileFile::Load(path);
    const auto system = [&](const char* section, const char* key) {
        char buffer[2048];
        const DWORD n = GetPrivateProfileStringA(section, key, "\x01", buffer, sizeof buffer, path.c_str());
        const std::string value(buffer, n);
        return value == "\x01" ? std::optional<std::string>() : std::optional<std::string>(value);
    };
    for (const char* key : {"Text Line 1", "text line 2", "Text Line 3", "Quoted", "Half", "Colour", "Later"})
        EXPECT_EQ(p.ReadString("Setup Screen", key), system("Setup Screen", key)) << key;

    char list[16384];
    const DWORD n = GetPrivateProfileStringA("Desktop", nullptr, "", list, sizeof list, path.c_str());
    std::vector<std::string> names;
    for (const char* at = list; at < list + n && *at != '\0'; at += std::strlen(at) + 1) names.emplace_back(at);
    EXPECT_EQ(p.KeyNames("Desktop"), names);
}
#endif

}  // namespace
