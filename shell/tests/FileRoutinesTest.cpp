#include "shell/FileRoutines.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "port/Exception.h"
#include "port/FileSystem.h"
#include "testsupport/FileDates.h"
#include "testsupport/ScratchDir.h"

namespace {

std::string Bytes(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

TEST(CopyFileTo, CopiesIntoADirectoryWithOrWithoutBackslash)
{
    ScratchDir dir;
    port::MakeDir(dir / "with");
    port::MakeDir(dir / "without");
    for (const std::size_t size : {std::size_t{0}, BufferSize, 3 * BufferSize + 5}) {
        const std::string name = "f" + std::to_string(size);
        ScratchDir::Write(dir / name, Bytes(size));
        CopyFileTo(dir / name, dir / "with\\");
        CopyFileTo(dir / name, dir / "without");
        EXPECT_TRUE(port::FileExists(dir / ("with\\" + name))) << size;
        EXPECT_EQ(ScratchDir::Read(dir / ("with\\" + name)), Bytes(size));
        EXPECT_EQ(ScratchDir::Read(dir / ("without\\" + name)), Bytes(size));
    }
}

// An installed file used to carry the day of its installation.
TEST(CopyFileTo, TheCopyKeepsTheDateOfItsSource)
{
    ScratchDir dir;
    ScratchDir::Write(dir / "dated.txt", "dated");
    ASSERT_TRUE(SetLastWrite(dir / "dated.txt", {2001, 5, 6, 12, 34, 57}));
    port::MakeDir(dir / "copies");
    CopyFileTo(dir / "dated.txt", dir / "copies");
    EXPECT_EQ(LastWrite(dir / "copies\\dated.txt"), (LocalDate{2001, 5, 6, 12, 34, 57}));
}

TEST(CopyFileTo, ReplacesAFileAndNamesWhatFailed)
{
    ScratchDir dir;
    ScratchDir::Write(dir / "new.txt", "new");
    ScratchDir::Write(dir / "old.txt", "old and longer");
    CopyFileTo(dir / "new.txt", dir / "old.txt");
    EXPECT_EQ(ScratchDir::Read(dir / "old.txt"), "new");

    try {
        CopyFileTo(dir / "missing.txt", dir.Path());
        FAIL() << "no error for a missing source";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + dir / "missing.txt");
    }
    // A destination that does not exist counts as a directory, so the copy cannot be created there.
    EXPECT_THROW(CopyFileTo(dir / "new.txt", dir / "nowhere\\copy.txt"), EFCreateError);
    // Onto itself: refused, and the file keeps its contents.
    EXPECT_THROW(CopyFileTo(dir / "new.txt", dir.Path()), EFCreateError);
    EXPECT_EQ(ScratchDir::Read(dir / "new.txt"), "new");
}

TEST(HasAttributes, AllBitsMustBeSet)
{
    ScratchDir dir;
    ScratchDir::Write(dir / "ro.txt", "x");
    port::ApplyAttributes(dir / "ro.txt", port::faReadOnly);
    EXPECT_TRUE(HasAttributes(dir / "ro.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(HasAttributes(dir / "ro.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_TRUE(HasAttributes(dir / "missing", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
}

TEST(DeleteMatchingFiles, DeletesMatchesAndLeavesSubdirectories)
{
    ScratchDir dir;
    port::MakeDir(dir / "sub");
    for (const char* name : {"a.tmp", "b.tmp", "keep.txt", "sub\\inner.tmp"}) ScratchDir::Write(dir / name, "x");
    DeleteMatchingFiles(dir.Path(), "*.tmp");
    EXPECT_FALSE(port::FileExists(dir / "a.tmp") || port::FileExists(dir / "b.tmp"));
    EXPECT_TRUE(port::FileExists(dir / "keep.txt"));

    DeleteMatchingFiles(dir.Path(), "*.*");
    EXPECT_FALSE(port::FileExists(dir / "keep.txt"));
    EXPECT_TRUE(port::FileExists(dir / "sub\\inner.tmp")) << "subdirectories are not entered";
    DeleteMatchingFiles(dir / "missing\\", "*.*");
}

TEST(CreateDirectoryPath, CreatesEveryMissingParent)
{
    ScratchDir dir;
    const std::string deep = dir / "one\\two\\three";
    CreateDirectoryPath(deep + "\\");
    EXPECT_TRUE(port::IsDirectory(deep));
    CreateDirectoryPath(deep);
    CreateDirectoryPath("C:\\");

    ScratchDir::Write(dir / "file", "x");
    CreateDirectoryPath(dir / "file\\below");  // not reported; the next operation there fails
    EXPECT_FALSE(port::IsDirectory(dir / "file\\below"));
    try {
        CreateDirectoryPath("");
        FAIL() << "no error for an empty path";
    } catch (const Exception& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to create directory");
    }
}

}  // namespace
