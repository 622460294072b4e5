#include <gtest/gtest.h>

#include <filesystem>

#include "compress/CompressExceptions.h"
#include "port/FileSystem.h"
#include "segment/SegCompEZ.h"
#include "segment/SegError.h"
#include "testsupport/segment/ScriptedInteraction.h"
#include "testsupport/segment/SegSetCrafter.h"

namespace {

using craft::ArchiveEntry;
using craft::FileList;
using craft::ScanEntry;

// A set of two archives, read from hand-made segments; every test ends with SegTmpDir empty.
class SegExpand : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string setDir = dir / "set\\";
    std::string tmpDir = dir / "tmp";
    std::string outDir = dir / "out\\";
    ScriptedInteraction ui;
    TSegCompEZ c;
    std::string a = "alpha\n", b = std::string(3000, 'b'), cc = "gamma";

    void SetUp() override
    {
        port::MakeDir(dir / "set");
        c.SegPopUp = false;
        c.SetSegBaseName("disk");
        c.SetSegDir(setDir);
        c.SetSegTmpDir(tmpDir);
        c.Interaction = &ui;
    }

    void TearDown() override
    {
        if (port::IsDirectory(tmpDir)) {
            EXPECT_TRUE(port::ListDirectory(tmpDir).empty()) << "a temporary file was left";
        }
    }

    std::string Archive0() const
    {
        ArchiveBuilder arc;
        arc.Add("a.txt", a);
        arc.Add("sub\\b.txt", b);
        arc.Add("unlisted.txt", "never expanded");
        return arc.Bytes();
    }
    std::string Archive1() const
    {
        ArchiveBuilder arc;
        arc.Add("c.txt", cc);
        return arc.Bytes();
    }
    std::string Stream(const std::string& archive0Data) const
    {
        return craft::SegHeader(2) + ScanEntry(outDir + "one\\*.*", FileList({"a.txt", "SUB\\B.TXT  "}, 16), 16) +
               ScanEntry(outDir + "two\\*.*", FileList({"c.txt"}, 5), 5) + ArchiveEntry(0, archive0Data) +
               ArchiveEntry(1, Archive1());
    }
    std::string Stream() const { return Stream(Archive0()); }

    void WriteSet(const std::vector<std::string>& payloads) { craft::WriteSet(setDir, "disk", payloads); }

    std::string Raised()
    {
        try {
            c.SegExpand();
        } catch (const ESegError& e) {
            return e.what();
        }
        return "nothing raised";
    }

    void ExpectExpanded(bool first, bool second)
    {
        EXPECT_EQ(port::FileExists(outDir + "one\\a.txt"), first);
        if (first) {
            EXPECT_EQ(ScratchDir::Read(outDir + "one\\sub\\b.txt"), b);
        }
        EXPECT_FALSE(port::FileExists(outDir + "one\\unlisted.txt"));
        EXPECT_EQ(port::FileExists(outDir + "two\\c.txt"), second);
        if (second) {
            EXPECT_EQ(ScratchDir::Read(outDir + "two\\c.txt"), cc);
        }
    }
};

TEST_F(SegExpand, EveryBoundaryReadsTheSame)
{
    // Every boundary through the headers, names and lists and around the second archive header;
    // a sample of those inside the archive data.
    const std::string stream = Stream();
    const std::size_t firstArchive = stream.find("SArc"), secondArchive = stream.rfind("SArc");
    for (std::size_t at = 0; at <= stream.size(); ++at) {
        const bool inHeaders = at < firstArchive + 64 || (at + 24 > secondArchive && at < secondArchive + 24);
        if (!inHeaders && at % 257 != 0) continue;
        SCOPED_TRACE("boundary at " + std::to_string(at));
        std::filesystem::remove_all(ScratchDir::Native(outDir));
        WriteSet(craft::Cut(stream, {at}));
        c.SegExpand();
        ExpectExpanded(true, true);
        ASSERT_EQ(c.SegArcList.Count(), 2u);
        EXPECT_EQ(c.SegArcList[0].Files, (std::vector<std::string>{outDir + "one\\a.txt", outDir + "one\\sub\\b.txt"}));
        EXPECT_EQ(c.SegSource, (std::vector<std::string>{outDir + "one\\*.*", outDir + "two\\*.*"}));
        EXPECT_EQ(c.TargetPath(), "");
        if (HasFatalFailure() || HasFailure()) return;
    }
}

TEST_F(SegExpand, EmptySegmentsArePassedOverAndTheScanAsksForTheNextSegmentFirst)
{
    std::vector<std::string> events;
    c.OnSegBefore = [&](TSegMode mode, const std::string& name, std::uint16_t n) {
        EXPECT_EQ(mode, smExpand);
        events.push_back("before " + name + " " + std::to_string(n));
    };
    c.OnSegAfter = [&](TSegMode, const std::string& name, std::uint16_t n) {
        events.push_back("after " + name + " " + std::to_string(n));
    };
    c.OnSegBeforeExpand = [&](TSegArcList&) { events.push_back("scanned"); };
    // Segment 1 ends 5 bytes into the first scan header; 2 and 3 are empty.
    WriteSet(craft::Cut(Stream(), {TSegHeader::kSize + 5, 0, 0}));
    c.SegExpand();
    ExpectExpanded(true, true);
    EXPECT_EQ(events, (std::vector<std::string>{"before disk.001 1", "after disk.001 1", "before disk.002 2",
                                                "after disk.002 2", "before disk.003 3", "after disk.003 3",
                                                "before disk.004 4", "scanned"}));
    EXPECT_EQ(c.CurrentSegment(), 4);
    EXPECT_EQ(c.SegBytesLeft(), 0);
    EXPECT_GT(ui.MessagePumps, 4) << "messages are processed after every chunk";
    EXPECT_TRUE(ui.Complaints.empty());
}

TEST_F(SegExpand, ListEditsSkipOrBreakTheSequence)
{
    WriteSet({Stream()});
    c.OnSegBeforeExpand = [](TSegArcList& list) { list.Remove(list.begin()); };
    std::vector<std::uint16_t> expanded;
    c.OnSegAfterArchive = [&](const TSegArcHeader& header, const std::string&) { expanded.push_back(header.Sequence); };
    c.SegExpand();
    ExpectExpanded(false, true);
    EXPECT_EQ(expanded, std::vector<std::uint16_t>{1}) << "archive 0 was read past";
    EXPECT_EQ(c.SegSource, std::vector<std::string>{outDir + "two\\*.*"});

    // Reversed, archive 1 is expanded and then the stream has ended: the reader asks for segment 2.
    std::filesystem::remove_all(ScratchDir::Native(outDir));
    c.OnSegBeforeExpand = [](TSegArcList& list) { std::reverse(list.Items().begin(), list.Items().end()); };
    EXPECT_EQ(Raised(), segmsg::kAborted);
    ExpectExpanded(false, true);
    ASSERT_EQ(ui.Complaints.size(), 1u);
    EXPECT_EQ(ui.Complaints[0].rfind("Unable to locate \"disk.002\"", 0), 0u);

    // With a third archive behind them, the entry for archive 0 meets archive 2's header.
    WriteSet({craft::SegHeader(3) + ScanEntry("", "", 0) + ScanEntry("", "", 0) + ScanEntry("", "", 0) +
              ArchiveEntry(0, "") + ArchiveEntry(1, "") + ArchiveEntry(2, "")});
    c.OnSegBeforeExpand = [](TSegArcList& list) { std::swap(list.Items()[0], list.Items()[1]); };
    expanded.clear();
    EXPECT_EQ(Raised(), segmsg::kInvalidSequence);
    EXPECT_EQ(expanded, std::vector<std::uint16_t>{1});
}

TEST_F(SegExpand, AbortedFromAHandlerStopsAtTheNextCheck)
{
    WriteSet({Stream()});
    c.OnSegAfterArchive = [&](const TSegArcHeader&, const std::string&) { c.Aborted = true; };
    EXPECT_EQ(Raised(), segmsg::kAborted);
    ExpectExpanded(true, false);

    c.OnSegAfterArchive = nullptr;
    c.OnSegBeforeExpand = [&](TSegArcList&) { c.Aborted = true; };
    EXPECT_EQ(Raised(), segmsg::kAborted);

    c.OnSegBeforeExpand = nullptr;
    c.OnSegBefore = [&](TSegMode, const std::string&, std::uint16_t) { c.Aborted = true; };
    EXPECT_EQ(Raised(), segmsg::kAborted);
}

TEST_F(SegExpand, ProgressOfA20000ByteArchive)
{
    ArchiveBuilder arc;
    arc.Add("big.bin", std::string(20000 - 21 - 25 - 7, 'x'));
    ASSERT_EQ(arc.Bytes().size(), 20000u);
    WriteSet({craft::SegHeader(2) + ScanEntry(outDir + "*.*", FileList({"big.bin"}, 7), 7) + ScanEntry("", "", 0) +
              ArchiveEntry(0, arc.Bytes()) + ArchiveEntry(1, "")});
    std::vector<std::int32_t> progress;
    c.OnSegShowProgress = [&](std::int32_t percent) { progress.push_back(percent); };
    c.SegExpand();
    EXPECT_EQ(progress, (std::vector<std::int32_t>{40, 81, 100})) << "nothing for the empty archive";
    EXPECT_EQ(ScratchDir::Read(outDir + "big.bin").size(), 20000u - 53u);
    EXPECT_TRUE(c.SegArcList[1].Files.empty()) << "no file list: nothing to expand";
}

TEST_F(SegExpand, TheApplicationSeesOnlyThePayloadThroughItsEvents)
{
    WriteSet({Stream()});
    std::vector<std::string> checked;
    c.OnCheckFile = [&](std::string& path, TCProcessMode) { checked.push_back(path); };
    c.SegExpand();
    EXPECT_EQ(checked,
              (std::vector<std::string>{outDir + "one\\a.txt", outDir + "one\\sub\\b.txt", outDir + "two\\c.txt"}));
    ASSERT_TRUE(c.OnCheckFile) << "restored after the scan";
}

TEST_F(SegExpand, MissingSegmentIsAskedForUntilItComesOrTheUserCancels)
{
    const auto payloads = craft::Cut(Stream(), {100});
    WriteSet({payloads[0]});
    EXPECT_EQ(Raised(), segmsg::kAborted) << "no complaint answers: Cancel";
    EXPECT_TRUE(c.Aborted);
    ASSERT_EQ(ui.Complaints.size(), 1u);
    EXPECT_EQ(ui.Complaints[0],
              "Unable to locate \"disk.002\" on this segment!\n\rCorrect and then press OK, or Cancel to abort");

    ui.Complaints.clear();
    ui.ComplaintAnswers = {true, true};
    int asked = 0;
    ui.BeforeComplaintAnswer = [&](const std::string&) {
        if (++asked == 2) WriteSet(payloads);  // the disk goes in on the second complaint
    };
    c.SegExpand();
    EXPECT_EQ(ui.Complaints.size(), 2u);
    ExpectExpanded(true, true);

    c.Interaction = nullptr;
    std::filesystem::remove(ScratchDir::Native(setDir + "disk.002"));
    EXPECT_EQ(Raised(), segmsg::kAborted) << "no interaction: nobody to ask";
}

// A set whose last segment ends inside any of its headers, or whose second segment carries another
// number: the reader asks for the right segment, and Cancel ends the run cleanly.
TEST_F(SegExpand, CutHeadersAndWrongNumbersAskForTheRightSegment)
{
    const std::string stream = Stream();
    const std::size_t headersEnd = stream.find("SArc") + TSegArcHeader::kSize;
    for (std::size_t n = 0; n < headersEnd; ++n) {
        WriteSet({stream.substr(0, n)});
        ui.Complaints.clear();
        EXPECT_EQ(Raised(), segmsg::kAborted) << "cut after " << n;
        ASSERT_EQ(ui.Complaints.size(), 1u) << "cut after " << n;
        EXPECT_EQ(ui.Complaints[0].rfind("Unable to locate \"disk.002\"", 0), 0u) << ui.Complaints[0];
    }
    const auto payloads = craft::Cut(stream, {100});
    WriteSet(payloads);
    ScratchDir::Write(setDir + "disk.002", craft::IdHeader(3) + payloads[1]);
    ui.Complaints.clear();
    EXPECT_EQ(Raised(), segmsg::kAborted);
    ASSERT_EQ(ui.Complaints.size(), 1u);
    EXPECT_EQ(ui.Complaints[0], "Incorrect segmented mounted!\n\rCorrect and then press OK, or Cancel to abort");

    ui.ComplaintAnswers = {true};
    ui.BeforeComplaintAnswer = [&](const std::string&) { WriteSet(payloads); };  // the right disk goes in
    c.SegExpand();
    ExpectExpanded(true, true);
}

TEST_F(SegExpand, FixedExtensionSegmentsAreFoundThroughThePrompt)
{
    c.SetSegExt("dat");
    c.SegPopUp = true;
    const auto payloads = craft::Cut(Stream(), {60, 200});
    for (std::size_t i = 0; i < payloads.size(); ++i) {
        port::MakeDir(dir / ("disk" + std::to_string(i + 1)));
        ScratchDir::Write(dir / ("disk" + std::to_string(i + 1) + "\\disk.dat"),
                          craft::IdHeader(static_cast<std::uint16_t>(i + 1)) + payloads[i]);
    }
    const std::string disk1 = dir / "disk1", disk2 = dir / "disk2", disk3 = dir / "disk3";
    ui.Answers = {disk1, disk3, "", disk2, disk3};
    ui.ComplaintAnswers = {true};
    const std::string prefilled = c.SegDir();
    c.SegExpand();
    ExpectExpanded(true, true);
    ASSERT_EQ(ui.Complaints.size(), 1u);
    EXPECT_EQ(ui.Complaints[0], "Incorrect segmented mounted!\n\rCorrect and then press OK, or Cancel to abort");
    ASSERT_EQ(ui.Prompts.size(), 5u);
    EXPECT_EQ(ui.Prompts[0].Caption, "Mount Segment #1");
    EXPECT_EQ(ui.Prompts[0].Text, "Directory Path:");
    EXPECT_EQ(ui.Prompts[0].Prefilled, prefilled);
    EXPECT_EQ(ui.Prompts[1].Caption, "Mount Segment #2");
    EXPECT_EQ(ui.Prompts[2].Prefilled, disk3) << "asked again after the wrong disk";
    EXPECT_EQ(ui.Prompts[3].Prefilled, disk3) << "an empty answer asks again";
    EXPECT_EQ(c.SegDir(), disk3) << "kept as typed";
    EXPECT_GE(ui.Repaints, 3);

    ui.Answers = {disk1, disk3};
    ui.ComplaintAnswers = {false};
    EXPECT_EQ(Raised(), segmsg::kAborted);

    // Numbered names: the wrong disk does not hold the file asked for.
    c.SetSegExt("");
    ScratchDir::Write(disk1 + "\\disk.001", craft::IdHeader(1) + payloads[0]);
    ScratchDir::Write(disk3 + "\\disk.003", craft::IdHeader(3) + payloads[2]);
    ui.Complaints.clear();
    ui.Answers = {disk1, disk3};
    EXPECT_EQ(Raised(), segmsg::kAborted);
    ASSERT_EQ(ui.Complaints.size(), 1u);
    EXPECT_EQ(ui.Complaints[0].rfind("Unable to locate \"disk.002\"", 0), 0u);

    ui.Answers = {std::nullopt};
    ui.Repaints = 0;
    EXPECT_EQ(Raised(), segmsg::kAborted) << "Cancel in the prompt";
    EXPECT_EQ(ui.Repaints, 1);
}

TEST_F(SegExpand, BrokenBlocksAreRefused)
{
    auto expectRefused = [&](const std::string& stream, const char* message) {
        WriteSet({stream});
        EXPECT_EQ(Raised(), std::string(message));
    };
    ScratchDir::Write(setDir + "disk.001", "SSe");
    EXPECT_EQ(Raised(), segmsg::kOpenFailed) << "short ID header";
    ScratchDir::Write(setDir + "disk.001", "PK\x03\x04 not a segment");
    EXPECT_EQ(Raised(), segmsg::kOpenFailed);
    EXPECT_TRUE(ui.Complaints.empty()) << "no retry for an unreadable segment";

    const std::string stream = Stream();
    std::string broken = stream;
    broken[0] = 'X';
    expectRefused(broken, segmsg::kInvalidSegmentHeader);
    broken = stream;
    broken[TSegHeader::kSize] = 's';
    expectRefused(broken, segmsg::kInvalidScanId);
    broken = stream;
    broken[stream.find("SArc")] = 'X';
    expectRefused(broken, segmsg::kInvalidArchiveId);
    expectRefused(craft::SegHeader(1), segmsg::kAborted);  // the stream ends: segment 2 is asked for

    // Lengths that would not fit the 8 KB buffer, and sizes that cannot be.
    TScanHeader scan;
    scan.NameLength = 8192;
    expectRefused(craft::SegHeader(1) + craft::Bytes(scan.Encode()) + std::string(8192, 'n'), segmsg::kNameTooLong);
    scan.NameLength = 0;
    scan.ListSize = 10;
    for (const std::int32_t R : {0, -1, 8192}) {
        scan.RecordLength = R;
        expectRefused(craft::SegHeader(1) + craft::Bytes(scan.Encode()), segmsg::kRecordLength);
    }
    scan.ListSize = -1;
    scan.RecordLength = 10;
    expectRefused(craft::SegHeader(1) + craft::Bytes(scan.Encode()), segmsg::kNegativeSize);
    TSegArcHeader arc;
    arc.DataSize = -5;
    expectRefused(craft::SegHeader(1) + ScanEntry("", "", 0) + craft::Bytes(arc.Encode()), segmsg::kNegativeSize);
    // The scratch file cannot be created where a directory holds its name.
    port::MakeDir(tmpDir + "\\disk.$A$");  // earlier expansions made tmpDir
    expectRefused(Stream(), segmsg::kOpenFailed);
    port::RemoveDir(tmpDir + "\\disk.$A$");
    // A file list whose archive writes nothing has no list file.
    expectRefused(craft::SegHeader(1) + ScanEntry("", ArchiveBuilder().Bytes(), 4), segmsg::kNoListFile);
}

TEST_F(SegExpand, AnEightKilobyteNameAndRecordFitTheBuffer)
{
    const std::string name(8191 - 6, 'n');
    const std::string longTemplate = outDir + std::string(8191 - outDir.size(), 'x');
    ArchiveBuilder arc;
    arc.Add(name + ".t", "long");
    WriteSet(craft::Cut(craft::SegHeader(1) + ScanEntry(longTemplate, FileList({name + ".t"}, 8191), 8191) +
                            ArchiveEntry(0, arc.Bytes()),
                        {8000, 8000}));
    c.OnSegBeforeExpand = [&](TSegArcList& list) {
        EXPECT_EQ(list[0].Template, longTemplate);
        list[0].Path = outDir;  // the long name is not a directory anyone can make
    };
    c.OnCheckFile = [&](std::string& path, TCProcessMode) { path = outDir + "long.t"; };
    c.SegExpand();
    EXPECT_EQ(ScratchDir::Read(outDir + "long.t"), "long");
}

TEST_F(SegExpand, TheListFileStaysInTheScratchDirectory)
{
    // A hostile file list: its list file is stored under a name outside SegTmpDir, read-only, and
    // followed by more entries that nobody would delete.
    ArchiveBuilder list;
    list.Add("..\\escaped.txt", "a.txt").Attributes = static_cast<std::int16_t>(port::faReadOnly);
    list.Add(ScratchDir::Windows(dir / "absolute.txt"), "x");
    list.Add("extra.txt", "y");
    ArchiveBuilder arc;
    arc.Add("a.txt", a);
    WriteSet({craft::SegHeader(1) + ScanEntry(outDir + "*.*", list.Bytes(), 5) + ArchiveEntry(0, arc.Bytes())});
    c.SegExpand();
    EXPECT_EQ(ScratchDir::Read(outDir + "a.txt"), a);
    EXPECT_FALSE(port::FileExists(dir / "escaped.txt"));
    EXPECT_FALSE(port::FileExists(dir / "absolute.txt"));
}

TEST_F(SegExpand, PayloadErrorsPassThroughAndLeaveNoScratchFiles)
{
    ArchiveBuilder bad;
    bad.Add("a.txt", a).Checksum = 1;
    WriteSet({Stream(bad.Bytes())});
    EXPECT_THROW(c.SegExpand(), EBadChecksum);
    EXPECT_TRUE(c.SegSource.empty()) << "SegSource is not rewritten after a failure";
    EXPECT_EQ(c.SegArcList.Count(), 2u);
    EXPECT_EQ(c.SegArcList[1].Files, std::vector<std::string>{"c.txt"}) << "never expanded: still the list's names";

    c.SetSegTmpDir(dir / "missing\\tmp");
    WriteSet({Stream()});
    c.SegExpand();
    EXPECT_TRUE(port::IsDirectory(dir / "missing\\tmp")) << "made with its parents";
    tmpDir = dir / "missing\\tmp";
}

}  // namespace
