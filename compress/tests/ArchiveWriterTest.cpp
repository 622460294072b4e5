#include <gtest/gtest.h>

#include <filesystem>

#include "compress/archive/ArchiveBudget.h"
#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "compress/pool/EntryCoding.h"
#include "compress/tests/ArchiveSources.h"
#include "testsupport/compress/ReversingCoder.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "port/MemoryStream.h"
#include "testsupport/FileDates.h"
#include "testsupport/GeneratedBytes.h"
#include "testsupport/ScratchDir.h"

namespace {

class ArchiveWriting : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string archive = dir / "out.cmp";

    std::vector<TArchiveSource> Sources(const std::vector<std::pair<std::string, std::string>>& files)
    {
        return WrittenSources(dir, files);
    }

    std::int32_t Write(TCompress& c, const std::vector<TArchiveSource>& sources, TCompressionMethod method)
    {
        FileStream out(archive, FileMode::Create);
        return c.CompressFiles(out, sources, method);
    }

    // The message of the Exception that writing the sources ends with; empty when it ends well.
    std::string WriteFailure(TCompress& c, const std::vector<TArchiveSource>& sources, TCompressionMethod method)
    {
        try {
            Write(c, sources, method);
        } catch (const Exception& e) {
            return e.what();
        }
        return "";
    }

    TArchiveList Scan()
    {
        TCompress c;
        TArchiveList list;
        c.ScanArchive(archive, list);
        return list;
    }
};

TEST_F(ArchiveWriting, RunLengthArchiveRoundTripsAndStoresWhatWouldGrow)
{
    const std::string runs = std::string(5000, 'a') + std::string(3000, '\x94') + std::string(100, 'b');
    const std::string noise = RandomBytes<std::string>(10000, 7);
    TCompress c;
    const auto total = Write(c, Sources({{"runs.bin", runs}, {"sub\\noise.bin", noise}, {"empty", ""}}), coRLE);
    EXPECT_EQ(total, static_cast<std::int32_t>(runs.size() + noise.size()));

    const TArchiveList list = Scan();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Name, "empty") << "empty files go first, before the total is reached";
    EXPECT_EQ(list[1].Info.Method, coRLE);
    EXPECT_LT(list[1].Info.CompressedSize, 8100);
    EXPECT_EQ(list[2].Info.Method, coNone) << "random data are stored";
    EXPECT_EQ(list[2].Info.CompressedSize, 10000);

    TCompress x;
    x.SetTargetPath(dir / "x");
    x.MakeDirectories = true;
    x.ExpandArchive(archive, nullptr);
    EXPECT_EQ(ScratchDir::Read(dir / "x\\runs.bin"), runs);
    EXPECT_EQ(ScratchDir::Read(dir / "x\\sub\\noise.bin"), noise);
    EXPECT_TRUE(port::FileExists(dir / "x\\empty"));
}

TEST_F(ArchiveWriting, LockedArchivesNeedTheirKey)
{
    const std::string text = "The quick brown fox jumps over the lazy dog. " + std::string(400, 'z');
    TCompress c;
    c.Key = 0x5A5A1234;
    Write(c, Sources({{"a.txt", text}, {"b.bin", RandomBytes<std::string>(3000, 9)}}), coRLE);
    const TArchiveList list = Scan();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[0].Info.Locked);
    EXPECT_EQ(static_cast<std::uint32_t>(list[0].Info.Checksum),
              ByteSum(reinterpret_cast<const unsigned char*>(text.data()), text.size()) + 0x5A5A1234u);
    const std::string raw = ScratchDir::Read(archive);
    EXPECT_EQ(raw.find("quick brown"), std::string::npos) << "the coded data are scrambled";

    TCompress x;
    x.SetTargetPath(dir.Path());
    EXPECT_THROW(x.ExpandArchive(archive, nullptr), EInvalidKey);
    x.Key = 0x5A5A1235;
    EXPECT_THROW(x.ExpandArchive(archive, nullptr), EInvalidKey);
    x.Key = 0x5A5A1234;
    x.ExpandArchive(archive, nullptr);
    EXPECT_EQ(ScratchDir::Read(dir / "a.txt"), text);
}

TEST_F(ArchiveWriting, NegativeKeysStillMarkTheEntriesScrambled)
{
    TCompress c;
    c.Key = -2;
    Write(c, Sources({{"a.txt", "hello hello hello"}}), coNone);
    TCompress x;
    x.Key = -2;
    x.SetTargetPath(dir.Path());
    x.ExpandArchive(archive, nullptr);
    EXPECT_EQ(ScratchDir::Read(dir / "a.txt"), "hello hello hello");
}

TEST_F(ArchiveWriting, CheckHandlerCanSkipAFileAndCustomCodersWriteTheirOwnData)
{
    TCompress c;
    c.OnCheckFile = [](std::string& path, TCProcessMode mode) {
        EXPECT_EQ(mode, cpCompress);
        if (path.find("in-1") != std::string::npos) path.clear();
    };
    c.OnCompress = [](Stream& dest, Stream& source, std::string& id, std::int32_t& size, std::int32_t& checksum) {
        EXPECT_EQ(id, "CUS");
        char b[3];
        source.ReadBuffer(b, 3);
        dest.WriteBuffer("ZZ", 2);
        size = 2;
        checksum = b[0] + b[1] + b[2];
    };
    Write(c, Sources({{"a", "abc"}, {"skipped", "def"}}), coCustom);
    const TArchiveList list = Scan();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Info.Method, coCustom);
    EXPECT_EQ(list[0].Info.CompressedSize, 2);
    EXPECT_EQ(list[0].Info.Checksum, 'a' + 'b' + 'c');
    EXPECT_EQ(ScratchDir::Read(archive).substr(5, 3), "CUS") << "the identifier the handler left";
}

// The archive header carries what the handler answers, as three characters, and the reader hands it
// back to the recognition and expansion handlers.
TEST_F(ArchiveWriting, TheCustomCodersAnswerIsStoredAndReadBack)
{
    TCompress c;
    c.OnCompress = ReversingCoder("REVERSED");
    Write(c, Sources({{"a.txt", "alpha"}, {"b.txt", "bravo"}}), coCustom);
    EXPECT_EQ(ScratchDir::Read(archive).substr(5, 3), "REV");

    TCompress x;
    std::vector<std::string> heard;
    x.OnRecognize = [&](const std::string& id, bool& recognized) {
        heard.push_back(id);
        recognized = id == "REV";
    };
    x.OnExpand = [&](Stream& dest, Stream& source, std::int32_t sourceSize, std::int32_t destSize,
                     const std::string& id, std::int32_t& checksum) {
        heard.push_back(id);
        ReversingExpander()(dest, source, sourceSize, destSize, id, checksum);
    };
    x.SetTargetPath(dir / "x");
    x.MakeDirectories = true;
    x.ExpandArchive(archive, nullptr);
    EXPECT_EQ(ScratchDir::Read(dir / "x\\b.txt"), "bravo");
    EXPECT_EQ(heard, (std::vector<std::string>{"REV", "REV", "REV"}));
}

TEST_F(ArchiveWriting, ACustomArchiveNeedsItsHandlerAndOneTruthfulAnswer)
{
    TCompress c;
    MemoryStream memory;
    try {
        c.CompressFiles(memory, Sources({{"a.txt", "alpha"}}), coCustom);
        FAIL() << "an archive of empty entries was written";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("OnCompress"), std::string::npos) << e.what();
    }
    EXPECT_EQ(memory.Size(), 0) << "nothing was written";

    int calls = 0;
    c.OnCompress = [&](Stream& dest, Stream& source, std::string& id, std::int32_t& size, std::int32_t& checksum) {
        ReversingCoder(++calls == 1 ? "ONE" : "TWO")(dest, source, id, size, checksum);
    };
    const auto twoIds = Sources({{"a.txt", "alpha"}, {"b.txt", "bravo"}});
    // The files may be coded in either order: the message names both, and what each was answered.
    const std::string mixed = WriteFailure(c, twoIds, coCustom);
    for (const std::string& part : {twoIds[0].Path, twoIds[1].Path, std::string("\"ONE\""), std::string("\"TWO\""),
                                    std::string(": an archive carries one method identifier")})
        EXPECT_NE(mixed.find(part), std::string::npos) << part << " in: " << mixed;
    c.OnCompress = ReversingCoder("LZMA");
    EXPECT_THROW(Write(c, Sources({{"a.txt", "alpha"}}), coCustom), Exception)
        << "a built-in identifier: the built-in decoder would read the handler's data";

    c.OnCompress = [](Stream& dest, Stream& source, std::string& id, std::int32_t& size, std::int32_t& checksum) {
        ReversingCoder("CUS")(dest, source, id, size, checksum);
        size -= 1;
    };
    const auto one = Sources({{"a.txt", "alpha"}});
    EXPECT_EQ(WriteFailure(c, one, coCustom), "OnCompress wrote 5 bytes for " + one[0].Path + " but answered 4")
        << "a size that is not what it wrote";
}

// 1970 used to be stored as 2098 on posix and to abort the archive on Windows.
TEST_F(ArchiveWriting, DatesTheFormatCannotHoldAreStoredAsTheNearestItCan)
{
    const auto sources = Sources({{"old.txt", "old"}, {"future.txt", "future"}});
    ASSERT_TRUE(SetLastWrite(sources[0].Path, {1970, 1, 2, 12, 0, 0}));
    ASSERT_TRUE(SetLastWrite(sources[1].Path, {2120, 6, 1, 12, 0, 0}));
    TCompress c;
    Write(c, sources, coNone);
    const TArchiveList list = Scan();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(static_cast<std::uint32_t>(list[0].Info.FileDate), port::kEarliestDosDateTime);
    EXPECT_EQ(static_cast<std::uint32_t>(list[1].Info.FileDate), port::kLatestDosDateTime);
}

// Sizes past the format's signed 32 bits once wrapped the total, and readers stopped early. Sparse
// files make them cheap; the archive is refused before a byte is written.
TEST_F(ArchiveWriting, ArchivesPastTheFormatsSizesAreRefusedBeforeAnythingIsWritten)
{
    const auto sparse = [&](const std::string& name, std::uintmax_t size) {
        ScratchDir::Write(dir / name, "");
        std::filesystem::resize_file(ScratchDir::Native(dir / name), size);
        return TArchiveSource{dir / name, name};
    };
    struct Case {
        std::vector<TArchiveSource> files;
        std::string named;
    };
    const Case cases[] = {
        {{sparse("half-1.bin", 1200000000), sparse("half-2.bin", 1200000000)}, "half-2.bin"},
        {{sparse("small.bin", 10), sparse("huge.bin", 2200000000u)}, "huge.bin"},
    };
    for (const Case& test : cases) {
        TCompress c;
        MemoryStream memory;
        try {
            c.CompressFiles(memory, test.files, coRLE);
            FAIL() << test.named;
        } catch (const EArchiveTooLarge& e) {
            EXPECT_NE(std::string(e.what()).find(test.named), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("2147483647 bytes"), std::string::npos) << e.what();
        }
        EXPECT_EQ(memory.Size(), 0) << test.named;
    }
    // The limit counts the archive header, and each entry's header and name.
    EXPECT_TRUE(TArchiveBudget().Fits(2147483647 - 21 - 25 - 4, 4));
    EXPECT_FALSE(TArchiveBudget().Fits(2147483647 - 21 - 25 - 4 + 1, 4));
}

TEST_F(ArchiveWriting, ACancelledCodingAbortsTheArchive)
{
    TCompress c;
    c.OnShowProgress = [](std::int32_t& p) {
        if (p > 0 && p < 100) p = -1;
    };
    const auto big = Sources({{"big", std::string(50000, 'q')}});
    EXPECT_EQ(WriteFailure(c, big, coRLE), "Compression cancelled while coding " + big[0].Path);
}

// A file that shrinks or grows while it is read would leave an entry that expands short or cut off.
// Windows denies writers while the archive reads the file; elsewhere the writer notices the change,
// whether it codes the file itself or a worker codes it into memory.
TEST_F(ArchiveWriting, ASourceThatShrinksOrGrowsWhileItIsCodedIsNamed)
{
    for (const bool inMemory : {false, true}) {
        for (const std::uintmax_t newSize : {10000u, 200000u}) {
            const TArchiveSource source = Sources({{"moving.bin", std::string(100000, 'm')}})[0];
            bool changed = false;
            bool refused = false;
            const TShowProgressEvent change = [&](std::int32_t& percentageDone) {
                if (percentageDone <= 0 || percentageDone >= 100 || changed) return;
                changed = true;
                std::error_code error;
                std::filesystem::resize_file(ScratchDir::Native(source.Path), newSize, error);
                refused = static_cast<bool>(error);
            };
            const std::string what = (newSize < 100000 ? "shrank" : "grew") + std::string(inMemory ? " in memory" : "");
            try {
                if (inMemory) {
                    CodeEntryInMemory(source, {coRLE, EncoderOf(coRLE, {})}, 0, change);
                } else {
                    TCompress c;
                    c.OnShowProgress = change;
                    Write(c, {source}, coRLE);
                }
                EXPECT_TRUE(changed && refused) << what << ": the change went unnoticed";
            } catch (const EReadError& e) {
                EXPECT_NE(std::string(e.what()).find(source.Path), std::string::npos) << e.what();
                EXPECT_NE(std::string(e.what()).find(newSize < 100000 ? "shrank" : "grew"), std::string::npos)
                    << e.what();
            }
            EXPECT_TRUE(changed) << what;
        }
    }
}

TEST_F(ArchiveWriting, MissingSourceNamesTheFile)
{
    TCompress c;
    try {
        Write(c, {{dir / "nowhere.txt", "nowhere.txt"}}, coNone);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find("nowhere.txt"), std::string::npos);
    }
}

}  // namespace
