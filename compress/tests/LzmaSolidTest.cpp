#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "compress/lzma/LzmaSolid.h"
#include "compress/lzma/X86Filter.h"
#include "compress/pool/SolidParts.h"
#include "compress/tests/ArchiveSources.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "testsupport/TestBytes.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::string Text(const Bytes& bytes)
{
    return {bytes.begin(), bytes.end()};
}

// The filter over data cut into pieces of the given sizes (the rest as the last piece), each piece after the
// bytes the call before held back.
Bytes Filtered(TX86Filter::Direction direction, const Bytes& data, const std::vector<std::size_t>& pieces)
{
    TX86Filter filter(direction);
    Bytes out;
    Bytes held;
    std::size_t at = 0;
    for (std::size_t i = 0; i <= pieces.size(); ++i) {
        const std::size_t size = i < pieces.size() ? std::min(pieces[i], data.size() - at) : data.size() - at;
        held.insert(held.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                    data.begin() + static_cast<std::ptrdiff_t>(at + size));
        at += size;
        const std::size_t done = filter.Convert(held.data(), held.size(), i == pieces.size());
        EXPECT_LE(held.size() - done, 4u) << "at most the start of one instruction waits";
        out.insert(out.end(), held.begin(), held.begin() + static_cast<std::ptrdiff_t>(done));
        held.erase(held.begin(), held.begin() + static_cast<std::ptrdiff_t>(done));
    }
    return out;
}

// Machine code as a compiler leaves it: calls (E8) to a few functions, near, with other bytes between.
Bytes CallsTo(std::size_t count, std::uint32_t seed)
{
    const Bytes filler = RandomBytes(count * 7, seed);
    Bytes code;
    for (std::size_t i = 0; i < count; ++i) {
        code.insert(code.end(), filler.begin() + static_cast<std::ptrdiff_t>(i * 7),
                    filler.begin() + static_cast<std::ptrdiff_t>(i * 7 + 1 + i % 6));
        const auto target = static_cast<std::uint32_t>(0x1000 * (1 + i % 5));
        const std::uint32_t relative = target - static_cast<std::uint32_t>(code.size() + 5);
        code.push_back(0xE8);
        for (int b = 0; b < 4; ++b) code.push_back(static_cast<unsigned char>(relative >> (8 * b)));
    }
    return code;
}

// Any bytes come back, however the pieces cut them, in either direction; and the filter does its work: a
// call's operand becomes its target, the same wherever the call stands.
TEST(X86Filter, GivesBackAnyBytesHoweverTheyAreCut)
{
    Bytes branchy = RandomBytes(20000, 3);
    const unsigned char alphabet[] = {0xE8, 0xE9, 0x00, 0xFF, 0x7F};
    for (unsigned char& b : branchy) b = alphabet[b % 5];
    const std::vector<std::pair<std::string, Bytes>> inputs = {
        {"a branch passed over, then one within its operand",
         {0x74, 0xE9, 0xBB, 0x6B, 0xE9, 0xC3, 0xFD, 0xFF, 0xFF, 0x8D}},
        {"branch opcodes and near top bytes only", branchy},
        {"calls", CallsTo(3000, 5)},
        {"text", TextBytes(5000, 1)},
        {"four bytes", {0xE8, 0x00, 0x00, 0x00}},
        {"nothing", {}}};
    const std::vector<std::vector<std::size_t>> cuts = {
        {}, {1, 1, 1, 1, 1, 1, 1}, {3, 4, 5, 6, 7}, {8192, 8192}, {4, 9, 4, 9}};
    for (const auto& [what, data] : inputs) {
        const Bytes forward = Filtered(TX86Filter::Direction::Forward, data, {});
        ASSERT_EQ(forward.size(), data.size()) << what;
        for (const auto& pieces : cuts) {
            EXPECT_EQ(Filtered(TX86Filter::Direction::Forward, data, pieces), forward) << what << ": cut differently";
            EXPECT_EQ(Filtered(TX86Filter::Direction::Back, forward, pieces), data) << what << ": back";
            EXPECT_EQ(
                Filtered(TX86Filter::Direction::Forward, Filtered(TX86Filter::Direction::Back, data, pieces), pieces),
                data)
                << what << ": back, then forward";
        }
    }
    const Bytes calls = CallsTo(50, 9);
    const Bytes forward = Filtered(TX86Filter::Direction::Forward, calls, {});
    std::size_t calls5 = 0;
    for (std::size_t i = 0; i + 5 <= forward.size(); ++i)
        if (forward[i] == 0xE8 && forward[i + 1] == 0x00 && forward[i + 2] == 0x50 && forward[i + 3] == 0 &&
            forward[i + 4] == 0)
            ++calls5;
    EXPECT_GE(calls5, 10u) << "every tenth call goes to 0x5000, and reads so";
}

// Archives of the LZMA methods: coCustom entries under "LZS" (solid) or "LZM", coded and read by the component
// itself.
class SolidArchives : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string archive = dir / "solid.cmp";

    void Write(const std::vector<TArchiveSource>& sources, const std::string& id = "LZS")
    {
        TCompress c;
        c.CompressID = id;
        FileStream out(archive, FileMode::Create);
        c.CompressFiles(out, sources, coCustom);
    }

    TArchiveList List()
    {
        TArchiveList list;
        TCompress scanner;
        scanner.ScanArchive(archive, list);
        return list;
    }

    // Expands the named entries (all when empty) into the folder.
    void Expand(const std::string& into, std::vector<std::string> names = {})
    {
        TCompress c;
        c.SetTargetPath(dir / into);
        c.MakeDirectories = true;
        c.ExpandArchive(archive, names.empty() ? nullptr : &names);
    }
};

// Round trips with and without a key: ArchiveWriting.EveryMethodRoundTripsWithAndWithoutAKey.
TEST_F(SolidArchives, CodeWhatTheirFilesShareOnceAndReadBackWholeOrOneByOne)
{
    Bytes program = {'M', 'Z'};
    const Bytes calls = CallsTo(20000, 7);
    program.insert(program.end(), calls.begin(), calls.end());
    Bytes sibling = program;  // a second library built from the same code, with a few bytes of its own
    for (std::size_t i = 100; i < sibling.size(); i += 10000) sibling[i] ^= 0x55;
    const auto sources = WrittenSources(dir, {{"text.txt", Text(DebianTexts())},
                                              {"lib2.dll", Text(sibling)},
                                              {"noise.bin", Text(RandomBytes(30000, 4))},
                                              {"empty.txt", ""},
                                              {"runs.bin", std::string(200000, '\x94')},
                                              {"lib1.dll", Text(program)},
                                              {"sub\\words.txt", Text(TextBytes(8193, 8))}});
    Write(sources);
    const TArchiveList list = List();
    std::vector<std::string> order;
    for (const auto& entry : list) order.push_back(entry.Name);
    EXPECT_EQ(order, (std::vector<std::string>{"empty.txt", "noise.bin", "runs.bin", "lib1.dll", "lib2.dll",
                                               "sub\\words.txt", "text.txt"}))
        << "empty files first, then by extension and name";
    EXPECT_LT(list[4].Info.CompressedSize * 20, list[3].Info.CompressedSize)
        << "the second library is coded as what it shares with the first";

    Expand("all");
    for (const TArchiveSource& source : sources)
        EXPECT_EQ(ScratchDir::Read(dir / ("all\\" + source.StoredName)), ScratchDir::Read(source.Path))
            << source.StoredName;
    // One entry at the end of the chain, alone: the entries before it are expanded to nowhere.
    Expand("one", {"text.txt"});
    EXPECT_EQ(ScratchDir::Read(dir / "one\\text.txt"), Text(DebianTexts()));
    EXPECT_FALSE(port::FileExists(dir / "one\\lib1.dll"));
}

// A damaged entry of either LZMA method fails with the decoder's reason and the entry's name (a changed byte
// may instead decode to other bytes, which the checksum refuses), and its file never holds more than its size;
// in a solid chain an entry wanted after one that failed cannot go on with the chain and says so.
TEST_F(SolidArchives, DamagedEntriesOfEitherMethodFailByNameAndWriteNothingPastTheirSize)
{
    const std::string first = Text(DebianText("GPL-2"));
    const std::string second = Text(DebianText("GPL-3"));
    const auto sources = WrittenSources(dir, {{"a.txt", first}, {"b.txt", second}});
    const auto setInt = [](std::string& bytes, std::size_t at, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    };
    // Where the entries' headers and data start, and the LZMA header within the data (after the solid flags).
    struct Layout {
        std::size_t header[2];
        std::size_t data[2];
        std::size_t lzmaHeader;
        std::uint32_t maxDictionary;  // the method's
    };
    struct Damage {
        std::string what;
        bool solidOnly;
        std::function<void(std::string&, const Layout&)> apply;
        std::vector<std::string> wanted;
        std::string says;
        bool checksumMayRefuse = false;
    };
    std::vector<Damage> damages = {
        {"unknown flags",
         true,
         [](std::string& b, const Layout& at) { b[at.data[0]] = 0x09; },
         {},
         "a.txt: The solid LZMA data start with flags no coder writes (9)"},
        {"a dictionary past the method's",
         false,
         [&](std::string& b, const Layout& at) { setInt(b, at.data[0] + at.lzmaHeader + 1, at.maxDictionary + 1); },
         {},
         "a.txt: The LZMA header asks for a dictionary of "},
        {"the last entry cut",
         false,
         [&](std::string& b, const Layout& at) {
             b.resize(at.data[1] + 300);
             setInt(b, at.header[1] + 12, 300);
         },
         {},
         "b.txt: The LZMA data end after"},
        {"the first entry damaged, the second wanted alone",
         true,
         [](std::string& b, const Layout& at) {
             for (std::size_t i = 100; i < 120; ++i) b[at.data[0] + i] = '\0';
         },
         {"b.txt"},
         "b.txt: The entry goes on with a solid chain whose earlier entries were not expanded"}};
    for (const std::size_t at : {std::size_t{20}, std::size_t{200}, std::size_t{0}})  // 0: a.txt's middle
        damages.push_back({"a byte changed at " + std::to_string(at), false,
                           [at](std::string& b, const Layout& layout) {
                               b[layout.data[0] + (at ? at : (layout.header[1] - layout.data[0]) / 2)] ^= 0x5A;
                           },
                           {}, "a.txt: ", true});
    for (const std::string id : {"LZS", "LZM"}) {
        Write(sources, id);
        const std::string good = ScratchDir::Read(archive);
        const TArchiveList list = List();
        Layout layout{};
        for (std::size_t i = 0; i < 2; ++i) {
            layout.header[i] = static_cast<std::size_t>(list[i].Info.HeaderOffset);
            layout.data[i] = layout.header[i] + TEntryHeader::kSize + 5;
        }
        layout.lzmaHeader = id == "LZS" ? 1 : 0;
        layout.maxDictionary = id == "LZS" ? lzma::solid::kMaxDictionary : lzma::kMaxDictionary;
        ASSERT_GT(layout.header[1] - layout.data[0], 1000u) << id;
        for (const Damage& d : damages) {
            if (d.solidOnly && id != "LZS") continue;
            SCOPED_TRACE(id + ", " + d.what);
            std::string damaged = good;
            d.apply(damaged, layout);
            ScratchDir::Write(archive, damaged);
            try {
                Expand("out", d.wanted);
                ADD_FAILURE() << "expanded";
            } catch (const ELzmaData& e) {
                EXPECT_NE(std::string(e.what()).find(d.says), std::string::npos) << e.what();
            } catch (const EBadChecksum&) {
                EXPECT_TRUE(d.checksumMayRefuse) << "only changed bytes may decode to other bytes";
            }
            for (const auto& [name, size] : {std::pair{"a.txt", first.size()}, std::pair{"b.txt", second.size()}})
                if (port::FileExists(dir / "out\\" + name)) {
                    EXPECT_LE(ScratchDir::Read(dir / "out\\" + name).size(), size);
                }
        }
    }
}

// A file repeats its start 9 MB further on, past the plain method's dictionary: the solid method's reaches it.
TEST_F(SolidArchives, TheDictionaryReachesFurtherBackThanThePlainMethods)
{
    const Bytes noise = RandomBytes(300000, 3);
    Bytes far = noise;
    far.resize(far.size() + 9000000, 0x44);
    far.insert(far.end(), noise.begin(), noise.end());
    const auto sources = WrittenSources(dir, {{"far.bin", Text(far)}});
    TSolidParts parts(sources, {coCustom, EncoderOf(coCustom, "LZS")}, 0, true);
    EXPECT_LT(parts.Take(0, {}).Data.size(), noise.size() * 3 / 2) << "the noise is coded once";
    Write(sources);
    Expand("out");
    EXPECT_EQ(ScratchDir::Read(dir / "out\\far.bin"), Text(far));
}

// Past one part's reach an archive is coded in two parts at once: the second's coder takes in the end of
// the files before it, so it still finds what they share; and the archive is the same coded on one
// thread.
TEST_F(SolidArchives, ASecondPartFindsWhatTheFirstHoldsAndNeedsNoThreadOfItsOwn)
{
    // Runs code fast; the noise at the end of b.bin comes again at the end of c.bin, where only what the
    // second part's coder took in can find it.
    const Bytes noise = RandomBytes(500000, 2);
    const Bytes a(4500000, 0x11);
    Bytes b(3500000, 0x22);
    b.insert(b.end(), noise.begin(), noise.end());
    Bytes c(600000, 0x33);
    c.insert(c.end(), noise.begin(), noise.end());
    const auto sources = WrittenSources(dir, {{"a.bin", Text(a)}, {"b.bin", Text(b)}, {"c.bin", Text(c)}});
    const TEntryMethod method{coCustom, EncoderOf(coCustom, "LZS")};
    std::vector<Bytes> coded[2];
    for (const bool threads : {true, false}) {
        TSolidParts parts(sources, method, 0, threads);
        for (std::size_t i = 0; i < sources.size(); ++i) coded[threads].push_back(parts.Take(i, {}).Data);
    }
    EXPECT_EQ(coded[0], coded[1]) << "the same on one thread as on two";
    EXPECT_EQ(coded[1][0][0], lzma::solid::kStartsChain);
    EXPECT_EQ(coded[1][1][0], 0);
    EXPECT_EQ(coded[1][2][0], lzma::solid::kStartsPart) << "c.bin starts the second part";
    EXPECT_LT(coded[1][2].size(), 20000u) << "and codes the noise it shares with b.bin as a repeat";

    Write(sources);
    Expand("out");
    for (const TArchiveSource& source : sources)
        EXPECT_EQ(ScratchDir::Read(dir / ("out\\" + source.StoredName)), ScratchDir::Read(source.Path))
            << source.StoredName;
}

}  // namespace
