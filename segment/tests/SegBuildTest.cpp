#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "port/FileSystem.h"
#include "segment/SegCompEZ.h"
#include "segment/SegError.h"
#include "segment/SegNaming.h"
#include "testsupport/GeneratedBytes.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/compress/ReversingCoder.h"
#include "testsupport/segment/ScriptedInteraction.h"

namespace {

using Tree = std::map<std::string, std::string>;

Tree TreeOf(const std::string& root)
{
    Tree tree;
    const std::filesystem::path base = ScratchDir::Native(root);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base))
        if (entry.is_regular_file())
            tree[entry.path().lexically_relative(base).generic_string()] = ScratchDir::Read(entry.path().string());
    return tree;
}

// Builds sets from a source tree and reads them back into out\<sequence>\.
class SegBuild : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string src = dir / "src\\";
    std::string segs = dir / "segs\\";
    std::string tmpDir = dir / "tmp";
    std::string outDir = dir / "out\\";
    TSegCompEZ c;

    void SetUp() override
    {
        c.SegPopUp = false;
        c.SetSegBaseName("disk");
        c.SetSegDir(segs);
        c.SetSegTmpDir(tmpDir);
        c.SegCompType = coRLE;
        c.SegSource = {src + "*.*"};
    }

    void TearDown() override
    {
        if (port::IsDirectory(tmpDir)) {
            EXPECT_TRUE(port::ListDirectory(tmpDir).empty()) << "a temporary file was left";
        }
    }

    void Plant(const Tree& tree, const std::string& root)
    {
        for (const auto& [name, data] : tree) {
            std::filesystem::create_directories(std::filesystem::path(ScratchDir::Native(root + name)).parent_path());
            ScratchDir::Write(root + name, data);
        }
    }

    Tree Sample()
    {
        std::string text;
        for (int i = 0; i < 400; ++i) text += "line " + std::to_string(i) + " of the sample text\n";
        return {{"readme.txt", text},
                {"data.bin", RandomBytes<std::string>(40000, 3)},
                {"empty.dat", ""},
                {"sub/deep/x.txt", "deep"},
                {"sub/runs.bin", std::string(30000, 'r') + std::string(500, '\x94')}};
    }

    void ReadBack(TSegCompEZ& reader)
    {
        reader.OnSegBeforeExpand = [&](TSegArcList& list) {
            for (TSegArc& arc : list) arc.Path = outDir + std::to_string(arc.Sequence) + "\\";
        };
        reader.SegExpand();
    }

    // The segment files in order; each carries its number and none is larger than SegSize.
    std::vector<std::string> Segments()
    {
        std::vector<std::string> files;
        for (std::uint32_t n = 1; port::FileExists(segs + SegFileNameFor("disk", "", n)); ++n)
            files.push_back(ScratchDir::Read(segs + SegFileNameFor("disk", "", n)));
        EXPECT_EQ(port::ListDirectory(segs).size(), files.size()) << "numbered from 1 without gaps";
        for (std::size_t i = 0; i < files.size(); ++i) {
            EXPECT_LE(files[i].size(), static_cast<std::size_t>(c.SegSize()));
            EXPECT_EQ(files[i].substr(0, 4), "SSeg");
            EXPECT_EQ(TSegIdHeader::Decode(reinterpret_cast<const unsigned char*>(files[i].data())).SegNumber, i + 1);
            if (i + 1 < files.size()) {
                EXPECT_EQ(files[i].size(), static_cast<std::size_t>(c.SegSize())) << "filled";
            }
        }
        return files;
    }
};

TEST_F(SegBuild, RoundTripsAcrossSegmentSizesAndMethods)
{
    const Tree tree = Sample();
    Plant(tree, src);
    for (const TCompressionMethod method : {coNone, coRLE}) {
        for (const std::int32_t size : {16384, 16385, 20000, 65536, 1440000}) {
            SCOPED_TRACE("method " + std::to_string(method) + ", segment size " + std::to_string(size));
            std::filesystem::remove_all(ScratchDir::Native(segs));
            std::filesystem::remove_all(ScratchDir::Native(outDir));
            c.SegCompType = method;
            c.SetSegSize(size);
            c.SegBuild();
            const auto segments = Segments();
            if (size <= 20000) {
                EXPECT_GT(segments.size(), 1u);
            }
            TSegCompEZ reader;
            reader.SegPopUp = false;
            reader.SetSegBaseName("disk");
            reader.SetSegDir(segs);
            reader.SetSegTmpDir(tmpDir);
            ReadBack(reader);
            EXPECT_EQ(TreeOf(outDir + "0"), tree);
            ASSERT_EQ(reader.SegArcList.Count(), 1u);
            EXPECT_EQ(reader.SegArcList[0].ScanByte, method) << "the build records its method there";
            if (HasFailure()) return;
        }
    }
}

TEST_F(SegBuild, FileListsLongerThanASegmentSpanSegments)
{
    Tree tree;
    for (int i = 0; i < 400; ++i) tree["a-file-with-a-rather-long-name-number-" + std::to_string(i) + ".txt"] = "x";
    Plant(tree, src);
    c.SegCompType = coNone;
    c.SetSegSize(16384);
    c.SegBuild();
    const auto segments = Segments();
    ASSERT_GE(segments.size(), 2u);
    EXPECT_EQ(segments[0].find("SArc"), std::string::npos) << "the file list fills segment 1";
    ReadBack(c);
    EXPECT_EQ(TreeOf(outDir + "0"), tree);
}

TEST_F(SegBuild, TemplatesSelectByPatternFlatOrRecursive)
{
    Plant({{"a.txt", "a"}, {"B.TXT", "b"}, {"c.dat", "c"}, {"sub/d.txt", "d"}, {"sub/e.dat", "e"}}, src);
    c.SegSource = {src + "*.txt", src + "*.none", src + "sub\\*.*"};
    std::vector<std::vector<std::string>> listed;
    c.OnSegBeforeExpand = [&](TSegArcList& list) {
        for (const TSegArc& arc : list) listed.push_back(arc.Files);
        list.ClearArcs();
    };
    c.SegBuildMode = bmFlat;
    c.SegBuild();
    c.SegExpand();
    EXPECT_EQ(listed, (std::vector<std::vector<std::string>>{{"B.TXT", "a.txt"}, {}, {"d.txt", "e.dat"}}));

    listed.clear();
    c.SegSource = {src + "*.txt", src + "*.none", src + "sub\\*.*"};
    c.SegBuildMode = bmRecursive;
    c.SegBuild();
    c.SegExpand();
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0], (std::vector<std::string>{"B.TXT", "a.txt", "sub\\d.txt"}));

    EXPECT_TRUE(MatchesPattern("noext", "*.*"));
    EXPECT_TRUE(MatchesPattern("a.TXT", "?.txt"));
    EXPECT_TRUE(MatchesPattern("aXbYc", "a*b*c"));
    EXPECT_FALSE(MatchesPattern("abcd", "a*b*c"));
    EXPECT_FALSE(MatchesPattern("ab.txt", "?.txt"));
}

TEST_F(SegBuild, EventsComeBeforeEachSegmentAndWhenOneIsFull)
{
    Plant(Sample(), src);
    c.SegCompType = coNone;
    c.SetSegSize(40000);
    std::vector<std::string> events;
    c.OnSegBefore = [&](TSegMode mode, const std::string& name, std::uint16_t n) {
        EXPECT_EQ(mode, smBuild);
        events.push_back("before " + name + " " + std::to_string(n));
    };
    c.OnSegAfter = [&](TSegMode, const std::string& name, std::uint16_t n) {
        events.push_back("after " + name + " " + std::to_string(n));
    };
    c.SegBuild();
    EXPECT_EQ(Segments().size(), 3u);
    EXPECT_EQ(events, (std::vector<std::string>{"before disk.001 1", "after disk.001 1", "before disk.002 2",
                                                "after disk.002 2", "before disk.003 3"}));

    std::filesystem::remove_all(ScratchDir::Native(segs));
    c.OnSegAfter = [&](TSegMode, const std::string&, std::uint16_t n) { c.Aborted = n == 2; };
    try {
        c.SegBuild();
        FAIL() << "not aborted";
    } catch (const ESegError& e) {
        EXPECT_STREQ(e.what(), segmsg::kAborted);
    }
    EXPECT_TRUE(port::ListDirectory(segs).empty()) << "a broken set is removed";
}

TEST_F(SegBuild, FixedExtensionSetsTakeOneDirectoryPerSegment)
{
    const Tree tree = Sample();
    Plant(tree, src);
    c.SegCompType = coNone;
    c.SetSegSize(40000);
    c.SetSegExt("dat");
    c.OnSegBefore = [&](TSegMode, const std::string&, std::uint16_t n) {
        c.SetSegDir(dir / ("disk" + std::to_string(n)));
    };
    c.SegBuild();
    for (int n = 1; n <= 3; ++n) EXPECT_TRUE(port::FileExists(dir / ("disk" + std::to_string(n) + "\\disk.dat")));

    c.OnSegBefore = nullptr;
    c.SetSegDir(segs);
    ScriptedInteraction ui;
    ui.Answers = {dir / "disk1", dir / "disk2", dir / "disk3"};
    c.Interaction = &ui;
    c.SegPopUp = true;
    ReadBack(c);
    EXPECT_EQ(TreeOf(outDir + "0"), tree);
    EXPECT_TRUE(ui.Complaints.empty());

    try {
        c.SegBuild();
        FAIL() << "segment 2 overwrote segment 1";
    } catch (const ESegError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(segmsg::kSegmentOverwrite, 0), 0u) << e.what();
    }
    EXPECT_FALSE(port::FileExists(segs + "disk.dat"));
}

// The reader expands file lists with every event off: a list coded by the application's own coder came
// out empty, and the set expanded nothing without a word. The list takes a built-in method; the files
// take the application's, which must be there.
TEST_F(SegBuild, ACustomMethodSetListsItsFilesWithABuiltInMethod)
{
    const Tree tree = Sample();
    Plant(tree, src);
    c.SegCompType = coCustom;
    try {
        c.SegBuild();
        FAIL() << "a set of empty entries was written";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("OnCompress"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(port::IsDirectory(segs) && !port::ListDirectory(segs).empty()) << "nothing is left";

    c.OnCompress = ReversingCoder("REV");
    c.SegBuild();
    TSegCompEZ reader;
    reader.SegPopUp = false;
    reader.SetSegBaseName("disk");
    reader.SetSegDir(segs);
    reader.SetSegTmpDir(tmpDir);
    reader.OnRecognize = [](const std::string& id, bool& recognized) { recognized = id == "REV"; };
    reader.OnExpand = ReversingExpander();
    ReadBack(reader);
    EXPECT_EQ(TreeOf(outDir + "0"), tree);
    EXPECT_EQ(reader.SegArcList[0].ScanByte, coCustom);
}

TEST_F(SegBuild, NamesTheReaderCouldNotTakeAreRefused)
{
    c.SegSource = {src + std::string(8192 - src.size(), 'x')};
    EXPECT_THROW(c.SegBuild(), ESegError);
#ifndef _WIN32
    Plant({{"trailing ", "x"}}, src);
    c.SegSource = {src + "*.*"};
    try {
        c.SegBuild();
        FAIL() << "a name ending in a space would be read back without it";
    } catch (const ESegError& e) {
        EXPECT_EQ(std::string(e.what()), std::string(segmsg::kUnlistableName) + "trailing ");
    }
#endif
    EXPECT_FALSE(port::IsDirectory(segs) && !port::ListDirectory(segs).empty());
}

// A set built with the method a new builder starts with reads back whole.
TEST_F(SegBuild, DefaultMethodRoundTrips)
{
    const Tree tree = Sample();
    Plant(tree, src);
    TSegCompEZ fresh;
    EXPECT_EQ(fresh.SegCompType, coLZH);
    c.SegCompType = fresh.SegCompType;
    c.SetSegSize(16384);
    c.SegBuild();
    ReadBack(c);
    EXPECT_EQ(TreeOf(outDir + "0"), tree);
}

}  // namespace
