#include "shell/FileRoutines.h"

#include <gtest/gtest.h>

#include "port/Exception.h"
#include "port/FileSystem.h"
#include "shell/FmxUtils.h"
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
    const std::string source = dir / "source.bin";
    ScratchDir::Write(source, Bytes(3 * BufferSize + 5));
    port::MakeDir(dir / "with");
    port::MakeDir(dir / "without");

    CopyFileTo(source, dir / "with\\");
    CopyFileTo(source, dir / "without");
    EXPECT_EQ(ScratchDir::Read(dir / "with\\source.bin"), Bytes(3 * BufferSize + 5));
    EXPECT_EQ(ScratchDir::Read(dir / "without\\source.bin"), Bytes(3 * BufferSize + 5));
}

TEST(CopyFileTo, BufferMultiplesAndEmptyFilesCopyExactly)
{
    ScratchDir dir;
    port::MakeDir(dir / "out");
    for (const std::size_t size : {std::size_t{0}, BufferSize - 1, BufferSize, 2 * BufferSize}) {
        const std::string source = dir / ("f" + std::to_string(size));
        ScratchDir::Write(source, Bytes(size));
        CopyFileTo(source, dir / "out");
        const std::string copy = dir / ("out\\f" + std::to_string(size));
        EXPECT_TRUE(port::FileExists(copy)) << size;
        EXPECT_EQ(ScratchDir::Read(copy), Bytes(size)) << size;
    }
}

TEST(CopyFileTo, ReplacesAnExistingFileAndNamesWhatFailed)
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
    EXPECT_FALSE(port::FileExists(dir / "nowhere\\copy.txt"));
}

TEST(HasAttributes, AllBitsMustBeSet)
{
    ScratchDir dir;
    ScratchDir::Write(dir / "ro.txt", "x");
    port::ApplyAttributes(dir / "ro.txt", port::faReadOnly);
    EXPECT_TRUE(HasAttributes(dir / "ro.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(HasAttributes(dir / "ro.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_TRUE(HasAttributes(dir.Path(), FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_TRUE(HasAttributes(dir / "missing", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
}

TEST(DeleteMatchingFiles, DeletesMatchesAndLeavesSubdirectories)
{
    ScratchDir dir;
    port::MakeDir(dir / "sub");
    for (const char* name : {"a.tmp", "b.tmp", "keep.txt", "sub\\inner.tmp"}) ScratchDir::Write(dir / name, "x");
    DeleteMatchingFiles(dir.Path(), "*.tmp");
    EXPECT_FALSE(port::FileExists(dir / "a.tmp"));
    EXPECT_FALSE(port::FileExists(dir / "b.tmp"));
    EXPECT_TRUE(port::FileExists(dir / "keep.txt"));

    DeleteMatchingFiles(dir.Path(), "*.*");
    EXPECT_FALSE(port::FileExists(dir / "keep.txt"));
    EXPECT_TRUE(port::IsDirectory(dir / "sub"));
    EXPECT_TRUE(port::FileExists(dir / "sub\\inner.tmp")) << "subdirectories are not entered";

    DeleteMatchingFiles(dir / "missing\\", "*.*");  // nothing to find, nothing reported
}

TEST(CreateDirectoryPath, CreatesEveryMissingParent)
{
    ScratchDir dir;
    const std::string deep = dir / "one\\two\\three";
    CreateDirectoryPath(deep + "\\");
    EXPECT_TRUE(port::IsDirectory(deep));
    CreateDirectoryPath(deep);  // an existing directory is fine
    CreateDirectoryPath("C:\\");
    EXPECT_TRUE(port::IsDirectory(deep));

    try {
        CreateDirectoryPath("");
        FAIL() << "no error for an empty path";
    } catch (const Exception& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to create directory");
    }
}

TEST(CreateDirectoryPath, AFileInTheWayIsNotReported)
{
    ScratchDir dir;
    ScratchDir::Write(dir / "file", "x");
    CreateDirectoryPath(dir / "file\\below");
    EXPECT_FALSE(port::IsDirectory(dir / "file\\below"));
}

}  // namespace
