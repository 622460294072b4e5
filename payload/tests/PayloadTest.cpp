#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <random>

#include "payload/FileRangeStream.h"
#include "payload/Payload.h"
#include "payload/PayloadError.h"
#include "payload/PayloadSegments.h"
#include "payload/PayloadWriter.h"
#include "port/FileStream.h"
#include "segment/SegCompEZ.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/payload/ProgramImage.h"

namespace {

std::string RandomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& ch : s) ch = static_cast<char>(rng() & 0xFF);
    return s;
}

class PayloadFile : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string stub = dir / "stub.exe";
    std::string single = dir / "setup.exe";
    std::map<std::string, std::string> members{{"install.cfg", "[Setup Screen]\r\nTitle=T\r\n"},
                                               {"setup.exe", ProgramImage::Make()},
                                               {"disk.001", RandomBytes(70000, 1)},
                                               {"empty.dat", ""}};

    // Writes the stub and the single file made from it and the members.
    void MakeSingleFile(const std::string& image)
    {
        ScratchDir::Write(stub, image);
        std::vector<TPayloadMember> list;
        for (const auto& [name, bytes] : members) {
            ScratchDir::Write(dir / ("m-" + name), bytes);
            list.push_back({name, dir / ("m-" + name)});
        }
        WriteSingleFile(stub, list, single);
    }

    std::optional<TPayload> Locate(const std::string& path)
    {
        FileStream file(path, FileMode::OpenRead);
        return LocatePayload(file, path);
    }

    // Rewrites the single file after edit has changed its bytes.
    template <typename Edit>
    void EditSingleFile(Edit edit)
    {
        std::string bytes = ScratchDir::Read(single);
        edit(bytes);
        ScratchDir::Write(single, bytes);
    }

    void ExpectRefused(const std::string& what)
    {
        SCOPED_TRACE(what);
        try {
            FileStream file(single, FileMode::OpenRead);
            if (const std::optional<TPayload> payload = LocatePayload(file, single))
                CheckPayloadCrc(file, *payload, single);
            ADD_FAILURE() << "a damaged payload was taken";
        } catch (const EPayloadError& error) {
            EXPECT_NE(std::string(error.what()).find(single), std::string::npos) << error.what();
        }
    }
};

TEST_F(PayloadFile, MembersAreFoundFromTheImageHeadersWithOrWithoutSymbolsOrASignature)
{
    struct Case {
        const char* name;
        bool symbols;
        bool signature;
    };
    for (const Case& c : {Case{"sections only", false, false}, Case{"symbol table", true, false},
                          Case{"signed afterwards", false, true}, Case{"symbols and signature", true, true}}) {
        SCOPED_TRACE(c.name);
        const std::string image = ProgramImage::Make(c.symbols);
        MakeSingleFile(image);
        std::string signedBytes = ScratchDir::Read(single);
        EXPECT_EQ(signedBytes.substr(0, image.size()), image) << "the image itself is unchanged";
        // Bytes that look like a payload header inside the signature must not be taken for one.
        if (c.signature) ProgramImage::Sign(signedBytes, "SETUPPL1" + RandomBytes(300, 2));
        ScratchDir::Write(single, signedBytes);

        const std::optional<TPayload> payload = Locate(single);
        ASSERT_TRUE(payload.has_value());
        EXPECT_EQ(payload->Start % 16, 0);
        EXPECT_GE(payload->Start, static_cast<std::int64_t>(image.size()));
        ASSERT_EQ(payload->Entries.size(), members.size());
        FileStream file(single, FileMode::OpenRead);
        for (const auto& [name, bytes] : members) {
            const TPayloadEntry* entry = payload->Find(name);
            ASSERT_NE(entry, nullptr) << name;
            TFileRangeStream range(file, single, entry->Offset, entry->Size);
            std::string read(bytes.size() + 10, '\0');
            EXPECT_EQ(range.Read(read.data(), read.size()), bytes.size()) << "a range ends where its member does";
            EXPECT_EQ(read.substr(0, bytes.size()), bytes) << name;
        }
        EXPECT_NO_THROW(CheckPayloadCrc(file, *payload, single));
    }
}

TEST_F(PayloadFile, APlainProgramHasNoPayloadAndAnythingElseIsNoProgram)
{
    ScratchDir::Write(stub, ProgramImage::Make(true));
    EXPECT_FALSE(Locate(stub).has_value());
    std::string signedBytes = ProgramImage::Make();
    ProgramImage::Sign(signedBytes, RandomBytes(64, 3));
    ScratchDir::Write(stub, signedBytes);
    EXPECT_FALSE(Locate(stub).has_value());
    for (const std::string& notProgram : {std::string(), std::string("MZ"), std::string(4096, 'x')}) {
        ScratchDir::Write(stub, notProgram);
        EXPECT_THROW(Locate(stub), EPayloadError);
    }
}

TEST_F(PayloadFile, DamagedPayloadsAreRefusedNamingTheFile)
{
    MakeSingleFile(ProgramImage::Make());
    const std::string good = ScratchDir::Read(single);
    const std::size_t start = 0x600;
    ASSERT_EQ(good.substr(start, 8), "SETUPPL1");
    const std::size_t table = start + 32;
    const auto restore = [&] { ScratchDir::Write(single, good); };

    for (const std::size_t cut : {start + 3, start + 31, table + 10, good.size() - 1}) {
        restore();
        EditSingleFile([&](std::string& b) { b.resize(cut); });
        ExpectRefused("cut at " + std::to_string(cut));
    }
    const std::vector<std::pair<std::string, std::function<void(std::string&)>>> edits{
        {"payload larger than the file", [&](std::string& b) { ProgramImage::Put(b, start + 24, b.size(), 8); }},
        {"more entries than the table holds", [&](std::string& b) { ProgramImage::Put(b, start + 16, 5000, 4); }},
        {"a member past the payload", [&](std::string& b) { ProgramImage::Put(b, table + 16, b.size(), 8); }},
        {"a member size past the payload", [&](std::string& b) { ProgramImage::Put(b, table + 24, ~0ULL, 8); }},
        {"a member in the table", [&](std::string& b) { ProgramImage::Put(b, table + 16, 8, 8); }},
        {"a member named with a path", [&](std::string& b) { b.replace(table, 6, "..\\a.x"); }},
        {"the layout that carried setup.exe whole", [&](std::string& b) { ProgramImage::Put(b, start + 8, 1, 4); }},
        {"a flipped byte in a member", [&](std::string& b) { b[b.size() - 100] ^= 0x20; }},
        {"a flipped byte in the table", [&](std::string& b) { b[table + 20] ^= 0x01; }},
        {"a signature that overlaps the payload",
         [&](std::string& b) {
             ProgramImage::Put(b, ProgramImage::kSecurityEntry, b.size() - 100, 4);
             ProgramImage::Put(b, ProgramImage::kSecurityEntry + 4, 100, 4);
         }},
        {"a signature past the file",
         [&](std::string& b) {
             ProgramImage::Put(b, ProgramImage::kSecurityEntry, b.size(), 4);
             ProgramImage::Put(b, ProgramImage::kSecurityEntry + 4, 8, 4);
         }},
    };
    for (const auto& [what, edit] : edits) {
        restore();
        EditSingleFile(edit);
        ExpectRefused(what);
    }
}

TEST_F(PayloadFile, OnlyABareUnsignedProgramTakesAPayload)
{
    MakeSingleFile(ProgramImage::Make());
    EXPECT_THROW(WriteSingleFile(single, {}, dir / "twice.exe"), EPayloadError);
    std::string signedBytes = ProgramImage::Make();
    ProgramImage::Sign(signedBytes, RandomBytes(64, 4));
    ScratchDir::Write(stub, signedBytes);
    EXPECT_THROW(WriteSingleFile(stub, {}, dir / "signed.exe"), EPayloadError);
    ScratchDir::Write(stub, ProgramImage::Make());
    ScratchDir::Write(dir / "x", "x");
    EXPECT_THROW(WriteSingleFile(stub, {{"a-name-too-long.x", dir / "x"}}, dir / "long.exe"), EPayloadError);
}

// The segment reader reads a set carried in a single file as it reads the set's files.
TEST_F(PayloadFile, TheSegmentReaderReadsSegmentsAsRangesOfTheFile)
{
    const std::string src = dir / "src\\";
    const std::string segs = dir / "segs\\";
    std::filesystem::create_directories(ScratchDir::Native(src));
    const std::map<std::string, std::string> tree{{"a.txt", std::string(30000, 'a') + "end"},
                                                  {"b.bin", RandomBytes(50000, 5)}};
    for (const auto& [name, bytes] : tree) ScratchDir::Write(src + name, bytes);
    TSegCompEZ writer;
    writer.SegPopUp = false;
    writer.SetSegBaseName("disk");
    writer.SetSegDir(segs);
    writer.SetSegTmpDir(dir / "tmp");
    writer.SetSegSize(20000);
    writer.SegCompType = coRLE;
    writer.SegSource = {src + "*.*"};
    writer.SegBuild();

    ScratchDir::Write(stub, ProgramImage::Make());
    std::vector<TPayloadMember> list;
    for (const auto& entry : std::filesystem::directory_iterator(ScratchDir::Native(segs)))
        list.push_back({entry.path().filename().string(), entry.path().string()});
    ASSERT_GT(list.size(), 2u);
    WriteSingleFile(stub, list, single);
    std::filesystem::remove_all(ScratchDir::Native(segs));

    const std::optional<TPayload> payload = Locate(single);
    ASSERT_TRUE(payload.has_value());
    FileStream file(single, FileMode::OpenRead);
    TPayloadSegments segments(file, single, *payload);
    TSegCompEZ reader;
    reader.SegPopUp = false;
    reader.SetSegBaseName("disk");
    reader.SetSegDir(segs);
    reader.SetSegTmpDir(dir / "tmp");
    reader.SegmentFiles = &segments;
    const std::string out = dir / "out\\";
    reader.OnSegBeforeExpand = [&](TSegArcList& arcs) {
        for (TSegArc& arc : arcs) arc.Path = out;
    };
    reader.SegExpand();
    for (const auto& [name, bytes] : tree) EXPECT_EQ(ScratchDir::Read(out + name), bytes) << name;
}

}  // namespace
