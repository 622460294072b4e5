#include <gtest/gtest.h>

#include <random>

#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "testsupport/ScratchDir.h"

namespace {

std::string RandomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& ch : s) ch = static_cast<char>(rng() & 0xFF);
    return s;
}

class ArchiveWriting : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string archive = dir / "out.cmp";

    std::vector<TArchiveSource> Sources(const std::vector<std::pair<std::string, std::string>>& files)
    {
        std::vector<TArchiveSource> sources;
        for (const auto& [name, data] : files) {
            const std::string path = dir / ("in-" + std::to_string(sources.size()));
            ScratchDir::Write(path, data);
            sources.push_back({path, name});
        }
        return sources;
    }

    std::int32_t Write(TCompress& c, const std::vector<TArchiveSource>& sources, TCompressionMethod method)
    {
        FileStream out(archive, FileMode::Create);
        return c.CompressFiles(out, sources, method);
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
    const std::string noise = RandomBytes(10000, 7);
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
    Write(c, Sources({{"a.txt", text}, {"b.bin", RandomBytes(3000, 9)}}), coRLE);
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
}

TEST_F(ArchiveWriting, ACancelledCodingAbortsTheArchive)
{
    TCompress c;
    c.OnShowProgress = [](std::int32_t& p) {
        if (p > 0 && p < 100) p = -1;
    };
    EXPECT_THROW(Write(c, Sources({{"big", std::string(50000, 'q')}}), coRLE), Exception);
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
