#include "port/FileStream.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>

#include <ctime>
#endif

#include "port/Exception.h"
#include "testsupport/ScratchDir.h"

namespace {

// 1998-07-15 13:45:30, local time: date 0x24EF, time 0x6DAF.
constexpr std::uint32_t kDosDate = (0x24EFu << 16) | 0x6DAFu;

TEST(FileStream, CreateWritesReadsSeeksAndSizes)
{
    ScratchDir dir;
    const std::string path = dir / "data.bin";
    {
        FileStream out(path, FileMode::Create);
        out.WriteBuffer("hello, world", 12);
        EXPECT_EQ(out.Size(), 12);
        EXPECT_EQ(out.Seek(7, SeekOrigin::Begin), 7);
        out.WriteBuffer("W", 1);
    }
    FileStream in(path, FileMode::OpenRead);
    EXPECT_EQ(in.Size(), 12);
    char text[32] = {};
    EXPECT_EQ(in.Read(text, sizeof text), 12u);
    EXPECT_EQ(std::string(text), "hello, World");
    EXPECT_EQ(in.Read(text, sizeof text), 0u);
    EXPECT_EQ(in.Seek(-5, SeekOrigin::End), 7);
    EXPECT_EQ(in.Remaining(), 5);
    EXPECT_THROW(in.ReadBuffer(text, 6), EReadError);
}

TEST(FileStream, CreateReplacesAnExistingFile)
{
    ScratchDir dir;
    const std::string path = dir / "old.txt";
    ScratchDir::Write(path, "a much longer old content");
    { FileStream out(path, FileMode::Create); out.WriteBuffer("new", 3); }
    EXPECT_EQ(ScratchDir::Read(path), "new");
}

TEST(FileStream, ShareModesKeepWritersOut)
{
    ScratchDir dir;
    const std::string path = dir / "shared.txt";
    ScratchDir::Write(path, "x");

    FileStream reader(path, FileMode::OpenRead);
    EXPECT_NO_THROW(FileStream(path, FileMode::OpenRead)) << "readers that deny writers share the file";
    EXPECT_THROW(FileStream(path, FileMode::OpenReadWrite), EFOpenError);
    EXPECT_THROW(FileStream(path, FileMode::Create), EFCreateError);
    EXPECT_EQ(ScratchDir::Read(path), "x") << "a refused create must not truncate";
}

TEST(FileStream, ExclusiveOpenKeepsEveryoneOut)
{
    ScratchDir dir;
    const std::string path = dir / "mine.txt";
    ScratchDir::Write(path, "x");
    FileStream owner(path, FileMode::OpenReadExclusive);
    EXPECT_THROW(FileStream(path, FileMode::OpenRead), EFOpenError);
    EXPECT_THROW(FileStream(path, FileMode::OpenReadExclusive), EFOpenError);
}

TEST(FileStream, ErrorsNameTheFile)
{
    ScratchDir dir;
    const std::string missing = dir / "no-such-file.cfg";
    try {
        FileStream in(missing, FileMode::OpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + missing);
    }
    const std::string inMissingDir = dir / "no-dir\\file.txt";
    try {
        FileStream out(inMissingDir, FileMode::Create);
        FAIL() << "created a file in a missing directory";
    } catch (const EFCreateError& e) {
        EXPECT_NE(std::string(e.what()).find("no-dir"), std::string::npos) << e.what();
    }
    EXPECT_THROW(FileStream(dir.Path(), FileMode::OpenRead), EFOpenError) << "a directory is not a file";
}

TEST(FileStream, DosDateIsAppliedAsLocalTime)
{
    ScratchDir dir;
    const std::string path = dir / "dated.txt";
    {
        FileStream out(path, FileMode::Create);
        out.WriteBuffer("x", 1);
        out.SetDosDateTime(kDosDate);
        EXPECT_EQ(out.DosDateTime(), kDosDate);
    }
#ifdef _WIN32
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME utc;
    FILETIME local;
    SYSTEMTIME st;
    ASSERT_TRUE(GetFileTime(h, nullptr, nullptr, &utc));
    CloseHandle(h);
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &st);
    EXPECT_EQ(st.wYear, 1998);
    EXPECT_EQ(st.wMonth, 7);
    EXPECT_EQ(st.wDay, 15);
    EXPECT_EQ(st.wHour, 13);
    EXPECT_EQ(st.wMinute, 45);
    EXPECT_EQ(st.wSecond, 30);
#else
    struct stat st {};
    ASSERT_EQ(::stat(ScratchDir::Native(path).c_str(), &st), 0);
    std::tm local{};
    const std::time_t when = st.st_mtime;
    localtime_r(&when, &local);
    EXPECT_EQ(local.tm_year + 1900, 1998);
    EXPECT_EQ(local.tm_mon + 1, 7);
    EXPECT_EQ(local.tm_mday, 15);
    EXPECT_EQ(local.tm_hour, 13);
    EXPECT_EQ(local.tm_min, 45);
    EXPECT_EQ(local.tm_sec, 30);
#endif
}

}  // namespace
