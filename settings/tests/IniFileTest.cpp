#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include "settings/Utf8IniFile.h"
#include "testsupport/ScratchDir.h"

namespace {

// The reading rules hold alike through the system's profile API and through the UTF-8 reader.
template <class Reader>
class IniReading : public ::testing::Test {
protected:
    Reader Ini(const std::string& text)
    {
        ScratchDir::Write(dir_ / "test.ini", text);
        return Reader(dir_ / "test.ini");
    }

    ScratchDir dir_;
};
using Readers = ::testing::Types<TIniFile, TUtf8IniFile>;
TYPED_TEST_SUITE(IniReading, Readers);

TYPED_TEST(IniReading, StringsPresentEmptyMissingAndLong)
{
    const TypeParam ini = this->Ini("[Main]\r\nName=Value\r\nEmpty=\r\n[Other]\r\nName=Else\r\n");
    EXPECT_EQ(ini.ReadString("main", "NAME", "default"), "Value") << "names without regard to case";
    EXPECT_EQ(ini.ReadString("Main", "Empty", "default"), "");
    EXPECT_EQ(ini.ReadString("Main", "Missing", "default"), "default");
    EXPECT_EQ(ini.ReadOptionalString("Main", "Empty"), "");
    EXPECT_EQ(ini.ReadOptionalString("Main", "Missing"), std::nullopt);
    EXPECT_EQ(ini.ReadOptionalString("Nowhere", "Name"), std::nullopt);
    EXPECT_EQ(TypeParam(this->dir_ / "missing.ini").ReadString("Main", "Name", "d"), "d");

    const TypeParam longValue = this->Ini("[Main]\nLong=" + std::string(3000, 'x') + "\n");
    EXPECT_EQ(longValue.ReadString("Main", "Long", ""), std::string(TIniReading::ValueBufferSize - 1, 'x'));
}

// Numbers, flags and colours go through the profile parsers; their forms: ProfileNumbers (config/tests).
TYPED_TEST(IniReading, NumbersFlagsAndColoursOrTheDefault)
{
    const TypeParam ini = this->Ini(
        "[N]\nHex=0x0000ff\nDollar=$FFFFFFFF\nWord=red\nTwo=2\nZero=0\nButtonFace=2147483663\nWindow=0x80000005\n");
    EXPECT_EQ(ini.ReadInteger("N", "Hex", 7), 255);
    EXPECT_EQ(ini.ReadInteger("N", "Dollar", 7), -1) << "hexadecimal fills all 32 bits";
    EXPECT_EQ(ini.ReadOptionalColor("N", "Window"), 0x80000005u);
    for (const char* key : {"Word", "Missing"}) {
        EXPECT_EQ(ini.ReadInteger("N", key, 7), 7) << key;
        EXPECT_EQ(ini.ReadOptionalInteger("N", key), std::nullopt) << key;
    }
    EXPECT_EQ(ini.ReadInteger("N", "ButtonFace", 3), 3) << "beyond a signed integer";
    EXPECT_EQ(ini.ReadColor("N", "ButtonFace", 0), 0x8000000Fu) << "a colour takes all 32 bits";
    EXPECT_TRUE(ini.ReadBool("N", "Two", false));
    EXPECT_FALSE(ini.ReadBool("N", "Zero", true));
    EXPECT_TRUE(ini.ReadBool("N", "Word", true));
    EXPECT_FALSE(ini.ReadBool("N", "Word", false));
}

TYPED_TEST(IniReading, ASectionListsItsKeyNamesInFileOrder)
{
    const TypeParam ini = this->Ini("[List]\nzeta.exe=1\nalpha.exe=\nC:\\dir\\mid.exe=x=y\n[Next]\nother=1\n");
    EXPECT_EQ(ini.ReadSection("list"), (std::vector<std::string>{"zeta.exe", "alpha.exe", "C:\\dir\\mid.exe"}));
    EXPECT_TRUE(ini.ReadSection("Missing").empty());
}

TYPED_TEST(IniReading, KeyNamesBeyond16384BytesAreLeftOutWhole)
{
    std::string text = "[Big]\n";
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i) {
        names.push_back("Program number " + std::to_string(i) + ".exe");
        text += names.back() + "=\n";
    }
    const std::vector<std::string> read = this->Ini(text).ReadSection("Big");
    ASSERT_LT(read.size(), names.size());
    EXPECT_GT(read.size(), 500u);
    EXPECT_TRUE(std::equal(read.begin(), read.end(), names.begin())) << "a cut name would differ: " << read.back();
}

TEST(IniFile, WritesAndDeletes)
{
    ScratchDir dir;
    TIniFile ini(dir / "written.ini");
    ini.WriteString("Files", "C:\\App\\*.*", "");
    ini.WriteString("Name", "Title", "My App");
    ini.WriteString("Name", "Other", "x");
    ini.UpdateFile();
    EXPECT_EQ(ini.ReadSection("Files"), std::vector<std::string>{"C:\\App\\*.*"});
    EXPECT_EQ(ini.ReadString("Name", "Title", ""), "My App");
    EXPECT_NE(ScratchDir::Read(dir / "written.ini").find("Title=My App"), std::string::npos);

    ini.DeleteKey("Name", "Other");
    EXPECT_EQ(ini.ReadOptionalString("Name", "Other"), std::nullopt);
    ini.EraseSection("Files");
    EXPECT_TRUE(ini.ReadSection("Files").empty());
    EXPECT_THROW(TIniFile(dir / "no\\such\\dir.ini").WriteString("S", "K", "V"), EIniFileException);
}

}  // namespace
