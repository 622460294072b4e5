#include "settings/Registry.h"

#include <gtest/gtest.h>

#include "testsupport/settings/TestKey.h"

namespace {

TEST(Registry, WritesAndReadsStringValues)
{
    TestKey key(HKEY_CURRENT_USER);
    TRegistry registry;
    EXPECT_FALSE(registry.OpenKey(key.Path(), false)) << "opening does not create";
    EXPECT_FALSE(registry.KeyExists(key.Path()));
    ASSERT_TRUE(registry.OpenKey("\\" + key.Path(), true));
    const std::string longValue(5000, 'v');
    registry.WriteString("Path", "C:\\App");
    registry.WriteString("Long", longValue);
    registry.WriteString("", "default value");

    TRegistry reader;
    ASSERT_TRUE(reader.OpenKeyReadOnly(key.Path()));
    EXPECT_EQ(reader.ReadString("path"), "C:\\App") << "names without regard to case";
    EXPECT_EQ(reader.ReadString("Long"), longValue);
    EXPECT_EQ(reader.ReadString(""), "default value");
    EXPECT_EQ(reader.ReadString("Missing"), "");
    EXPECT_TRUE(reader.ValueExists("Path"));
    EXPECT_THROW(reader.WriteString("Path", "x"), ERegistryException) << "opened for reading only";

    EXPECT_TRUE(registry.DeleteValue("Path"));
    EXPECT_FALSE(registry.DeleteValue("Path"));
    EXPECT_FALSE(reader.ValueExists("Path"));
}

TEST(Registry, OnlyStringValuesReadAsText)
{
    TestKey key(HKEY_CURRENT_USER);
    const DWORD number = 42;
    key.WriteRaw("Number", REG_DWORD, &number, sizeof number);
    key.WriteString("Expand", "%SystemRoot%\\Fonts", REG_EXPAND_SZ);
    key.WriteRaw("Unterminated", REG_SZ, "abc", 3);
    key.WriteRaw("Empty", REG_SZ, "", 0);

    char expanded[MAX_PATH];
    ASSERT_GT(ExpandEnvironmentStringsA("%SystemRoot%\\Fonts", expanded, MAX_PATH), 0u);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(key.Path()));
    EXPECT_EQ(registry.ReadString("Number"), "");
    EXPECT_EQ(registry.ReadString("Expand"), expanded);
    EXPECT_EQ(registry.ReadString("Expand").find('%'), std::string::npos);
    EXPECT_EQ(registry.ReadString("Unterminated"), "abc");
    EXPECT_EQ(registry.ReadString("Empty"), "");
}

TEST(Registry, KeysAreCreatedListedAndDeletedWithTheirSubkeys)
{
    TestKey key(HKEY_LOCAL_MACHINE);
    TRegistry registry(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.CreateKey(key.Path() + "\\A\\Deep\\Deeper"));
    ASSERT_TRUE(registry.CreateKey(key.Path() + "\\B"));
    EXPECT_FALSE(registry.HasOpenKey()) << "creating leaves the open key as it was";

    ASSERT_TRUE(registry.OpenKey(key.Path(), false));
    EXPECT_EQ(registry.GetKeyNames(), (std::vector<std::string>{"A", "B"}));
    registry.CloseKey();

    EXPECT_TRUE(registry.DeleteKey(key.Path() + "\\A"));
    EXPECT_FALSE(registry.KeyExists(key.Path() + "\\A\\Deep"));
    EXPECT_TRUE(registry.KeyExists(key.Path() + "\\B"));
    EXPECT_FALSE(registry.DeleteKey(key.Path() + "\\A"));
}

TEST(Registry, AnEmptyPathNeverDeletesTheRootKey)
{
    TRegistry registry;
    EXPECT_FALSE(registry.DeleteKey(""));
    EXPECT_FALSE(registry.DeleteKey("\\"));
    EXPECT_TRUE(registry.KeyExists("Software"));
}

}  // namespace
