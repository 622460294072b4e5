#include "port/CodePageText.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

// The text in UTF-8, written as its bytes so that the source's own encoding cannot hide a fault.
TEST(CodePageText, TheSystemTablesGiveUtf8)
{
    struct Case {
        unsigned codePage;
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {1252, "caf\xE9 \x80 \x9F", "caf\xC3\xA9 \xE2\x82\xAC \xC5\xB8"},                        // é € Ÿ
        {1250, "Za\xBF\xF3\xB3\xE6", "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"},                      // Zażółć
        {1251, "\xCF\xF0\xE8\xE2\xE5\xF2", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},  // Привет
        {437, "\x82\xB0\xE1", "\xC3\xA9\xE2\x96\x91\xC3\x9F"},                                   // é ░ ß
        {850, "\x82\xD0\x9B", "\xC3\xA9\xC3\xB0\xC3\xB8"},                                       // é ð ø
        {932, "\x93\xFA\x96\x7B", "\xE6\x97\xA5\xE6\x9C\xAC"},  // 日本: the second trail byte is below 0x80
        {1252, "a\0b\r\n"s, "a\0b\r\n"s},                       // ASCII and NUL pass as they are
        {1252, "", ""},
        {1252, std::string(10000, '\xE9'),
         [] {  // more than one round of the converter's buffer
             std::string e;
             for (int i = 0; i < 10000; ++i) e += "\xC3\xA9";
             return e;
         }()},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> utf8 = port::CodePageToUtf8(c.bytes, c.codePage);
        ASSERT_TRUE(utf8.has_value()) << c.codePage << " " << c.bytes.substr(0, 16);
        EXPECT_EQ(*utf8, c.utf8) << c.codePage << " " << c.bytes.substr(0, 16);
    }
}

TEST(CodePageText, ASequenceWithoutACharacterGivesNothingAndAnUnknownCodePageRaises)
{
    for (const std::string& bytes : {"ab\x82"s, "\x82 "s, "\x93\xFA\x96"s})  // a lead byte cut off or misused
        EXPECT_FALSE(port::CodePageToUtf8(bytes, 932).has_value()) << bytes;
    for (unsigned codePage : {0u, 12345u, 4294967295u}) {
        try {
            port::CodePageToUtf8("caf\xE9", codePage);
            ADD_FAILURE() << codePage << " converted";
        } catch (const EUnknownCodePage& e) {
            EXPECT_NE(std::string(e.what()).find(std::to_string(codePage)), std::string::npos) << e.what();
        }
    }
}

}  // namespace
