#include "port/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "port/Exception.h"
#include "testsupport/ScratchDir.h"

namespace {

TEST(FileSystem, DirectoriesNestAndRemove)
{
    ScratchDir dir;
    const std::string a = dir / "a";
    const std::string b = a + "\\b";
    const std::string c = b + "\\c";
    EXPECT_THROW(port::MakeDir(c), EInOutError) << "parents are not made implicitly";
    port::MakeDir(a);
    port::MakeDir(b);
    port::MakeDir(c);
    EXPECT_TRUE(port::IsDirectory(c));
    EXPECT_FALSE(port::FileExists(c));
    EXPECT_TRUE(port::Attributes(c) & port::faDirectory);
    EXPECT_THROW(port::RemoveDir(b), EInOutError) << "not empty";
    port::RemoveDir(c);
    port::RemoveDir(b);
    EXPECT_FALSE(port::IsDirectory(b));
    EXPECT_TRUE(port::IsDirectory(a));
}

TEST(FileSystem, BackslashPathsReachTheFileSystem)
{
    ScratchDir dir;
    port::MakeDir(dir / "sub");
    const std::string file = dir / "sub\\file.txt";
    ScratchDir::Write(file, "content");
    EXPECT_TRUE(port::FileExists(file));
    EXPECT_FALSE(port::IsDirectory(file));
    EXPECT_EQ(ScratchDir::Read(dir.Path() + "sub/file.txt"), "content");
    port::EraseFile(file);
    EXPECT_FALSE(port::FileExists(file));
    try {
        port::EraseFile(file);
        FAIL() << "deleted a missing file";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("file.txt"), std::string::npos) << e.what();
    }
}

TEST(FileSystem, ReadOnlyAttributeApplies)
{
    ScratchDir dir;
    const std::string file = dir / "locked.txt";
    ScratchDir::Write(file, "x");
    EXPECT_FALSE(port::Attributes(file) & port::faReadOnly);
    port::ApplyAttributes(file, port::faReadOnly);
    EXPECT_TRUE(port::Attributes(file) & port::faReadOnly);
    port::ApplyAttributes(file, 0);
    EXPECT_FALSE(port::Attributes(file) & port::faReadOnly);
}

#ifdef _WIN32
TEST(FileSystem, HiddenAttributeAppliesOnWindows)
{
    ScratchDir dir;
    const std::string file = dir / "hidden.txt";
    ScratchDir::Write(file, "x");
    port::ApplyAttributes(file, port::faHidden | port::faReadOnly);
    EXPECT_EQ(port::Attributes(file) & (port::faHidden | port::faReadOnly), port::faHidden | port::faReadOnly);
    port::ApplyAttributes(file, 0);
}
#endif

TEST(FileSystem, ListDirectoryNamesFilesAndSubdirectories)
{
    ScratchDir dir;
    port::MakeDir(dir / "sub");
    ScratchDir::Write(dir / "a.txt", "a");
    ScratchDir::Write(dir / "sub\\inner.txt", "b");
    std::vector<port::DirEntry> entries = port::ListDirectory(dir.Path());
    std::sort(entries.begin(), entries.end(), [](const auto& x, const auto& y) { return x.Name < y.Name; });
    ASSERT_EQ(entries.size(), 2u) << "no dot entries, nothing from below";
    EXPECT_EQ(entries[0].Name, "a.txt");
    EXPECT_FALSE(entries[0].IsDirectory);
    EXPECT_EQ(entries[1].Name, "sub");
    EXPECT_TRUE(entries[1].IsDirectory);
    EXPECT_TRUE(port::ListDirectory(dir / "sub\\").size() == 1u) << "a trailing backslash is accepted";
    EXPECT_THROW(port::ListDirectory(dir / "missing"), EInOutError);
}

TEST(FileSystem, FreeSpaceAnswersForExistingAndFuturePaths)
{
    ScratchDir dir;
    const std::int64_t free = port::FreeBytesOnDriveOf(dir.Path());
    const auto system = static_cast<std::int64_t>(std::filesystem::space(ScratchDir::Native(dir.Path())).available);
    // Other programs write beside the test: the figures agree to a margin.
    constexpr std::int64_t kMargin = 64 << 20;
#ifdef _WIN32
    // The system's answer to this call stops at 2 GB on large drives.
    EXPECT_GT(free, 0);
    EXPECT_LE(free, system + kMargin);
#else
    EXPECT_NEAR(static_cast<double>(free), static_cast<double>(system), kMargin);
#endif
    EXPECT_NEAR(static_cast<double>(port::FreeBytesOnDriveOf(dir / "not\\made\\yet.txt")), static_cast<double>(free),
                kMargin)
        << "the drive of the nearest folder that exists";
    EXPECT_GT(port::FreeBytesOnDriveOf("relative.txt"), 0);
}

TEST(FileSystem, CurrentDirectoryChangesAndComesBack)
{
    ScratchDir dir;
    const std::string before = port::CurrentDir();
    port::SetCurrentDir(dir.Path());
    ScratchDir::Write("here.txt", "x");
    port::SetCurrentDir(before);
    EXPECT_EQ(port::CurrentDir(), before);
    EXPECT_TRUE(port::FileExists(dir / "here.txt"));
    EXPECT_THROW(port::SetCurrentDir(dir / "missing"), EInOutError);
}

}  // namespace
