#include "tools/mksetup/StoredNames.h"

#include <gtest/gtest.h>

namespace {

TEST(StoredNames, RelativePathsKeepTheirFoldersAbsoluteOnesTheirNames)
{
    EXPECT_EQ(StoredNameFor("docs/readme.txt"), "docs\\readme.txt");
    EXPECT_EQ(StoredNameFor("./a\\b.txt"), "a\\b.txt");
    EXPECT_EQ(StoredNameFor("/home/user/data.bin"), "data.bin");
    EXPECT_EQ(StoredNameFor("C:\\Work\\x.dll"), "x.dll");
    EXPECT_EQ(StoredNameFor("../../etc/passwd"), "etc\\passwd");
}

TEST(StoredNames, ConfinementRefusesAbsoluteAndClimbingNames)
{
    const std::string dir = "C:\\out\\";
    EXPECT_TRUE(ConfinedTo(dir, "C:\\out\\a.txt"));
    EXPECT_TRUE(ConfinedTo(dir, "C:\\out\\sub\\..a.txt"));
    EXPECT_FALSE(ConfinedTo(dir, "C:\\out\\..\\a.txt"));
    EXPECT_FALSE(ConfinedTo(dir, "C:\\out\\sub\\..\\..\\a.txt"));
    EXPECT_FALSE(ConfinedTo(dir, "\\Windows\\a.txt"));
    EXPECT_FALSE(ConfinedTo(dir, "C:\\out\\D:\\a.txt"));
    EXPECT_FALSE(ConfinedTo(dir, "C:\\out\\"));
    EXPECT_FALSE(ConfinedTo(dir, "C:\\outside\\a.txt"));
}

}  // namespace
