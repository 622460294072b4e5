#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "compress/archive/ArchiveBudget.h"
#include "compress/pool/EntryCoding.h"
#include "compress/tests/ArchiveSources.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "port/MemoryStream.h"
#include "testsupport/FileDates.h"
#include "testsupport/GeneratedBytes.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/TestBytes.h"
#include "testsupport/compress/ReversingCoder.h"

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

// Every method with no key, a key and a negative one: the files come back whole and the entries are what each
// file coded alone gives, whether coded ahead on workers or on the caller's thread; what would not shrink is
// stored (but in a solid chain); any key locks every entry, scrambles the data and sums it with the key, and no
// other key opens it.
TEST_F(ArchiveWriting, EveryMethodRoundTripsWithAndWithoutAKey)
{
    struct Method {
        const char* name;
        TCompressionMethod method;
        std::string id;
        bool solid;
    };
    const Method methods[] = {{"stored", coNone, "NON", false}, {"run-length", coRLE, "RLE", false},
                              {"lzhuf", coLZH, "LZH", false},   {"lh5", coLZH5, "LH5", false},
                              {"lzma", coCustom, "LZM", false}, {"solid lzma", coCustom, "LZS", true}};
    const std::string text(DebianTexts().begin(), DebianTexts().end());
    const auto sources = Sources({{"empty.txt", ""},  // where the writer puts it: first
                                  {"text.txt", text},
                                  {"noise.bin", RandomBytes<std::string>(30000, 4)},
                                  {"x.txt", "x"},
                                  {"runs.bin", std::string(100000, '\0') + std::string(100000, 'q')},
                                  {"sub\\words.txt", TextBytes<std::string>(8193, 8)}});
    std::int32_t total = 0;
    for (const TArchiveSource& source : sources)
        total += static_cast<std::int32_t>(ScratchDir::Read(source.Path).size());
    for (const Method& m : methods) {
        for (const std::int32_t key : {0, 0x1234567, -2}) {
            SCOPED_TRACE(std::string(m.name) + ", key " + std::to_string(key));
            TCompress c;
            c.Key = key;
            c.CompressID = m.id;
            EXPECT_EQ(Write(c, sources, m.method), total);
            const std::string whole = ScratchDir::Read(archive);
            EXPECT_EQ(whole.substr(5, 3), m.id);
            if (key != 0) {
                EXPECT_EQ(whole.find("GNU GENERAL PUBLIC LICENSE"), std::string::npos) << "a key scrambles the data";
            }
            c.CodedAheadLimit = 0;
            EXPECT_TRUE(Write(c, sources, m.method) == total && ScratchDir::Read(archive) == whole)
                << "coded one at a time on the caller's thread, byte for byte the same";
            if (!m.solid) {
                std::string entries;
                for (const TArchiveSource& source : sources) {
                    Write(c, {source}, m.method);
                    entries += ScratchDir::Read(archive).substr(TArchiveHeader::kSize);
                }
                EXPECT_TRUE(whole.substr(TArchiveHeader::kSize) == entries) << "each entry as its file alone gives";
            }
            ScratchDir::Write(archive, whole);
            const TArchiveList list = Scan();
            ASSERT_EQ(list.size(), sources.size());
            EXPECT_EQ(list[0].Name, "empty.txt") << "empty files go first, before the total is reached";
            for (const auto& [name, info] : list) {
                const bool grows = name == "noise.bin";
                if (m.solid || name == "runs.bin" || grows) {
                    EXPECT_EQ(info.Method, grows && !m.solid ? coNone : m.method) << name;
                }
                if (info.Method == coNone) {
                    EXPECT_EQ(info.CompressedSize, info.ExpandedSize) << name;
                }
                EXPECT_EQ(info.Locked, key != 0) << name;
            }
            const std::string into = std::string("out-") + m.name + "-" + std::to_string(key);
            TCompress x;
            x.Key = key;
            x.SetTargetPath(dir / into);
            x.MakeDirectories = true;
            x.ExpandArchive(archive, nullptr);
            for (const TArchiveSource& source : sources) {
                const std::string plain = ScratchDir::Read(source.Path);
                EXPECT_TRUE(ScratchDir::Read(dir / (into + "\\" + source.StoredName)) == plain) << source.StoredName;
                const auto entry =
                    std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.Name == source.StoredName; });
                EXPECT_EQ(static_cast<std::uint32_t>(entry->Info.Checksum),
                          ByteSum(reinterpret_cast<const unsigned char*>(plain.data()), plain.size()) +
                              static_cast<std::uint32_t>(key))
                    << source.StoredName;
            }
            if (key == 0) continue;
            for (const std::int32_t wrong : {0, key + 1}) {
                x.Key = wrong;
                EXPECT_THROW(x.ExpandArchive(archive, nullptr), EInvalidKey) << "key " << wrong;
            }
        }
    }
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
