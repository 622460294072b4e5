#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "compress/tests/ArchiveSources.h"
#include "testsupport/TestBytes.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "port/MemoryStream.h"
#include "testsupport/ScratchDir.h"

namespace {

std::string Text(const std::vector<unsigned char>& bytes)
{
    return {bytes.begin(), bytes.end()};
}

// Archives of the LZMA method: coCustom entries under the identifier "LZM", coded and read by the component
// itself, with no handler assigned.
class LzmaArchives : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string archive = dir / "lzma.cmp";

    std::vector<TArchiveSource> Sources(const std::vector<std::pair<std::string, std::string>>& files)
    {
        return WrittenSources(dir, files);
    }

    std::string Write(const std::vector<TArchiveSource>& sources, std::int32_t key, std::int64_t codedAheadLimit)
    {
        TCompress c;
        c.Key = key;
        c.CompressID = "LZM";
        c.CodedAheadLimit = codedAheadLimit;
        {
            // Closed before it is read: Windows lets no one else read a file open for writing.
            FileStream out(archive, FileMode::Create);
            c.CompressFiles(out, sources, coCustom);
        }
        return ScratchDir::Read(archive);
    }

    void Expand(std::int32_t key, const std::string& into)
    {
        TCompress c;
        c.Key = key;
        c.SetTargetPath(dir / into);
        c.MakeDirectories = true;
        c.ExpandArchive(archive, nullptr);
    }
};

TEST_F(LzmaArchives, AreCodedOnTheWorkersAndReadBackWithoutHandlersWithAndWithoutAKey)
{
    const auto sources = Sources({{"text.txt", Text(DebianTexts())},
                                  {"noise.bin", Text(RandomBytes(30000, 4))},
                                  {"empty.txt", ""},
                                  {"runs.bin", std::string(200000, '\x94')},
                                  {"sub\\words.txt", Text(TextBytes(8193, 8))}});
    for (const std::int32_t key : {0, 0x1234567}) {
        const std::string coded = Write(sources, key, 64 << 20);
        EXPECT_EQ(coded.substr(5, 3), "LZM");
        EXPECT_EQ(Write(sources, key, 0), coded)
            << "coded one at a time on the caller's thread, byte for byte the same";
        TArchiveList list;
        TCompress scanner;
        scanner.ScanArchive(archive, list);
        ASSERT_EQ(list.size(), sources.size());
        for (const auto& [name, info] : list) {
            const bool shrinks = name != "noise.bin" && name != "empty.txt";
            EXPECT_EQ(info.Method, shrinks ? coCustom : coNone) << name << ": what would not shrink is stored";
            EXPECT_EQ(info.Locked, key != 0) << name;
        }
        const std::string into = "out-" + std::to_string(key);
        Expand(key, into);
        for (const TArchiveSource& source : sources)
            EXPECT_EQ(ScratchDir::Read(dir / (into + "\\" + source.StoredName)), ScratchDir::Read(source.Path))
                << source.StoredName << ", key " << key;
        if (key == 0) continue;
        EXPECT_THROW(Expand(0, "nokey"), EInvalidKey);
        EXPECT_THROW(Expand(key + 1, "wrongkey"), EInvalidKey);
    }
}

// A damaged entry fails with the LZMA decoder's reason and the entry's name, or the checksum's, and its file
// never holds more than the entry's expanded size.
TEST_F(LzmaArchives, DamagedEntriesFailByNameAndWriteNothingPastTheirSize)
{
    const std::string text = Text(DebianText("GPL-2"));
    const std::string good = Write(Sources({{"gpl2.txt", text}}), 0, 64 << 20);
    const std::size_t data = TArchiveHeader::kSize + TEntryHeader::kSize + 8;
    ASSERT_GT(good.size(), data + 1000);
    const auto setInt = [](std::string& bytes, std::size_t at, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    };
    struct Damage {
        std::string what;
        std::string damaged;
        std::string says;
    };
    std::vector<Damage> damages;
    std::string cut = good.substr(0, data + (good.size() - data) / 2);
    setInt(cut, TArchiveHeader::kSize + 12, static_cast<std::uint32_t>(cut.size() - data));
    damages.push_back({"cut in half", cut, "end after"});
    std::string large = good;
    setInt(large, data + 1, 16u << 20);
    damages.push_back({"a 16 MB dictionary", large, "dictionary of 16777216 bytes"});
    for (const std::size_t at : {std::size_t{20}, std::size_t{200}, (good.size() - data) / 2}) {
        std::string flipped = good;
        flipped[data + at] = static_cast<char>(flipped[data + at] ^ 0x5A);
        damages.push_back({"a byte changed at " + std::to_string(at), flipped, ""});
    }
    for (const Damage& d : damages) {
        ScratchDir::Write(archive, d.damaged);
        try {
            Expand(0, "out");
            ADD_FAILURE() << d.what << ": expanded";
        } catch (const ELzmaData& e) {
            EXPECT_NE(std::string(e.what()).find("gpl2.txt: "), std::string::npos) << d.what << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find(d.says), std::string::npos) << d.what << ": " << e.what();
        } catch (const EBadChecksum&) {
            EXPECT_TRUE(d.says.empty()) << d.what << ": only changed bytes may decode to other bytes";
        }
        const std::string out = dir / "out\\gpl2.txt";
        if (port::FileExists(out)) {
            EXPECT_LE(ScratchDir::Read(out).size(), text.size()) << d.what;
        }
    }
}

// Progress follows the input consumed, in both directions, and a cancel is answered within one buffer.
TEST(LzmaStreams, ReportProgressByInputAndAnswerACancelWithinOneBuffer)
{
    std::vector<unsigned char> plain = RandomBytes(300000, 12);  // coded about as large: many buffers both ways
    plain.resize(400000, 0);
    const auto size = static_cast<std::int32_t>(plain.size());
    for (const TCodeDirection direction : {TCodeDirection::Compress, TCodeDirection::Expand}) {
        const bool expanding = direction == TCodeDirection::Expand;
        TCompress c;
        c.CompressID = "LZM";
        MemoryStream coded;
        std::int32_t checksum = 0;
        {
            MemoryStream in(plain);
            c.CodeStream(coded, in, false, TCodeDirection::Compress, checksum, coCustom, 0, size);
        }
        const std::vector<unsigned char> input = expanding ? coded.Bytes() : plain;
        const auto inputSize = static_cast<std::int32_t>(input.size());
        std::vector<std::int32_t> seen;
        c.OnShowProgress = [&](std::int32_t& p) { seen.push_back(p); };
        MemoryStream in(input);
        MemoryStream out;
        c.CodeStream(out, in, false, direction, checksum, coCustom, size, inputSize);
        ASSERT_GT(seen.size(), 30u) << "one figure per buffer read";
        EXPECT_EQ(seen.front(), 0);
        EXPECT_EQ(seen.back(), 100);
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
        if (expanding) {
            EXPECT_EQ(out.Bytes(), plain);
        }

        c.OnShowProgress = [](std::int32_t& p) {
            if (p >= 50 && p < 100) p = -1;
        };
        MemoryStream again(input);
        MemoryStream cancelled;
        c.CodeStream(cancelled, again, false, direction, checksum, coCustom, size, inputSize);
        EXPECT_TRUE(c.Cancelled());
        EXPECT_LE(again.Position(), inputSize / 2 + 2 * 8192) << (expanding ? "expanding" : "compressing");
    }
}

}  // namespace
