// build, list, verify and extract of distributions, run through the built mksetup.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "port/FileSystem.h"
#include "testsupport/FileDates.h"
#include "testsupport/GeneratedBytes.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/TestBytes.h"
#include "tools/mksetup/Utf8Path.h"
#include "tools/mksetup/tests/RunMksetup.h"
#include "tools/mksetup/tests/SampleProduct.h"

namespace fs = std::filesystem;

namespace {

class MksetupDistribution : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string product = dir.Path() + "product";
    std::string dist = dir.Path() + "dist";
    std::string setup = dir.Path() + "setup.exe";

    void SetUp() override
    {
        StageSampleProduct(product);
        ScratchDir::Write(setup, "MZ setup");
    }

    void AddFile(const std::string& relative, const std::string& content)
    {
        ScratchDir::Write(product + "/" + relative, content);
        ScratchDir::Write(product + "/finstall.cfg",
                          ScratchDir::Read(product + "/finstall.cfg") + "Installation Directory," + relative + "\r\n");
    }

    Result Build(const std::string& options) { return Mksetup("build " + Quoted(product) + " -o " + Quoted(dist) + " --setup " + Quoted(setup) + " " + options); }

    std::size_t Disks() const
    {
        std::size_t n = 0;
        while (fs::exists(dist + "/disk." + std::string(n + 1 < 10 ? "00" : "0") + std::to_string(n + 1))) ++n;
        return n;
    }

    // Nothing of a failed build may remain: no distribution and no working folder.
    void ExpectNothingWritten() const
    {
        EXPECT_FALSE(fs::exists(dist));
        ExpectNoWorkingFolder();
    }

    void ExpectNoWorkingFolder() const
    {
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            EXPECT_NE(entry.path().filename().string().rfind(".mksetup", 0), 0u) << entry.path();
    }
};

TEST_F(MksetupDistribution, BuildVerifyAndExtractRoundTripTheSampleAcrossDisks)
{
    const std::string big = RandomBytes<std::string>(600000, 5);
    AddFile("data\\big.bin", big);
    const Result built = Build("--seg-size 100000");
    ASSERT_EQ(built.exitCode, 0) << built.output;
    EXPECT_NE(built.output.find("13 files"), std::string::npos) << built.output;
    EXPECT_GT(Disks(), 5u);
    for (const char* name : {"setup.exe", "install.cfg", "finstall.cfg"}) EXPECT_TRUE(fs::exists(dist + "/" + name)) << name;
    EXPECT_EQ(ScratchDir::Read(dist + "/install.cfg"), ScratchDir::Read(product + "/install.cfg"));

    const Result listed = Mksetup("list " + Quoted(dist));
    ASSERT_EQ(listed.exitCode, 0) << listed.output;
    EXPECT_NE(listed.output.find("postinst.exe"), std::string::npos) << listed.output;
    const Result verified = Mksetup("verify " + Quoted(dist + "/disk.001"));
    ASSERT_EQ(verified.exitCode, 0) << verified.output;

    const std::string out = dir.Path() + "out";
    const Result extracted = Mksetup("extract " + Quoted(dist) + " -o " + Quoted(out));
    ASSERT_EQ(extracted.exitCode, 0) << extracted.output;
    EXPECT_EQ(ScratchDir::Read(out + "/big.bin"), big) << "every file under its bare name";
    EXPECT_EQ(ScratchDir::Read(out + "/readme.txt"), ScratchDir::Read(product + "/docs/readme.txt"));
    EXPECT_EQ(ScratchDir::Read(out + "/sample.nwn"), ScratchDir::Read(product + "/sample.nwn"));
    EXPECT_EQ(ScratchDir::Read(out + "/postinst.exe"), "MZ postinst");
}

// Names are UTF-8 on every platform: a product folder and a file named beyond ASCII, with a distribution's
// listing and the extracted file carrying the name byte for byte.
TEST_F(MksetupDistribution, NamesBeyondAsciiComeBackByteForByte)
{
    const std::string name =
        "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E.txt";  // Zażółć 日本語
    AddFile(name, "a file named beyond ASCII");
    const std::string renamed = dir.Path() + "Produkt \xC3\x9F";  // ß
    fs::rename(PathOf(product), PathOf(renamed));
    product = renamed;
    const Result built = Build("");
    ASSERT_EQ(built.exitCode, 0) << built.output;

    const Result listed = Mksetup("list " + Quoted(dist));
    ASSERT_EQ(listed.exitCode, 0) << listed.output;
    EXPECT_NE(listed.output.find("  " + name + "\n"), std::string::npos) << listed.output;
    const std::string out = dir.Path() + "out";
    const Result extracted = Mksetup("extract " + Quoted(dist) + " -o " + Quoted(out));
    ASSERT_EQ(extracted.exitCode, 0) << extracted.output;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(PathOf(out))) names.push_back(NameOf(entry.path().filename()));
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << ::testing::PrintToString(names);
    EXPECT_EQ(ScratchDir::Read(out + "/" + name), "a file named beyond ASCII");
}

// Staging once gave every file the day of the build. A date before 1980 is stored as the nearest the
// format holds, and the build says so, naming the line that asked for the file.
TEST_F(MksetupDistribution, FilesKeepTheirDatesAndAttributesThroughBuildAndExtract)
{
    const struct {
        std::string source, extracted;
        LocalDate date, stored;
    } files[] = {
        {"docs/readme.txt", "readme.txt", {2001, 5, 6, 12, 34, 56}, {2001, 5, 6, 12, 34, 56}},
        {"programs/notes.exe", "notes.exe", {1999, 12, 31, 23, 59, 58}, {1999, 12, 31, 23, 59, 58}},
        {"system/nwhelper.txt", "nwhelper.txt", {1975, 3, 4, 5, 6, 8}, {1980, 1, 1, 0, 0, 0}},
    };
    for (const auto& f : files) ASSERT_TRUE(SetLastWrite(product + "/" + f.source, f.date)) << f.source;
    port::ApplyAttributes(product + "/docs/manual.txt", port::faReadOnly);
#ifdef _WIN32
    port::ApplyAttributes(product + "/art/notes.ico", port::faHidden);
#endif
    const Result built = Build("--seg-size 20000");
    ASSERT_EQ(built.exitCode, 0) << built.output;
    EXPECT_NE(built.output.find("finstall.cfg:9: warning: 'System,system\\nwhelper.txt': the file"), std::string::npos)
        << built.output;
    EXPECT_NE(built.output.find("is dated 1975-03-04 05:06:08, outside what an archive can hold (1980 to 2107); it is "
                                "stored as 1980-01-01 00:00:00"),
              std::string::npos)
        << built.output;

    const std::string out = dir.Path() + "out";
    const Result extracted = Mksetup("extract " + Quoted(dist) + " -o " + Quoted(out));
    ASSERT_EQ(extracted.exitCode, 0) << extracted.output;
    for (const auto& f : files) EXPECT_EQ(LastWrite(out + "/" + f.extracted), f.stored) << f.extracted;
    EXPECT_TRUE(port::Attributes(out + "/manual.txt") & port::faReadOnly);
    EXPECT_FALSE(port::Attributes(out + "/readme.txt") & port::faReadOnly);
#ifdef _WIN32
    EXPECT_TRUE(port::Attributes(out + "/notes.ico") & port::faHidden) << "where the system has hidden files";
#endif
    port::ApplyAttributes(product + "/docs/manual.txt", 0);
    ExpectNoWorkingFolder();
}

// A file larger than an archive can describe is refused before anything is staged; the message names
// it and the limit. A sparse file costs no disk.
TEST_F(MksetupDistribution, AFileTooLargeForAnyArchiveIsRefused)
{
    AddFile("huge.bin", "");
    fs::resize_file(product + "/huge.bin", 2200000000u);
    const Result r = Build("--method rle");
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("huge.bin is 2200000000 bytes, more than an archive can hold (2147483647 bytes"),
              std::string::npos)
        << r.output;
    EXPECT_NE(r.output.find("finstall.cfg:10: error:"), std::string::npos) << r.output;
    ExpectNothingWritten();
}

// The key scrambles the coded bytes whatever the method; lzma makes the smaller distribution.
TEST_F(MksetupDistribution, AKeyLocksTheDistributionAndOpensItAgain)
{
    // Debian's own texts, which every clone's machine has, unlike the shared test data.
    const std::string words(DebianTexts().begin(), DebianTexts().end());
    AddFile("docs\\words.txt", words);
    std::map<std::string, std::uintmax_t> sizes;
    for (const std::string method : {"lh5", "lzma"}) {
        fs::remove_all(dist);
        ASSERT_EQ(Build("--seg-size 20000 --key 31337 --method " + method).exitCode, 0) << method;
        for (const auto& entry : fs::directory_iterator(dist)) sizes[method] += entry.file_size();
        const std::string out = dir.Path() + "out-" + method;
        for (const std::string& command :
             {"list " + Quoted(dist), "verify " + Quoted(dist), "extract " + Quoted(dist) + " -o " + Quoted(out)}) {
            const Result locked = Mksetup(command);
            EXPECT_EQ(locked.exitCode, 1) << command << ": " << locked.output;
            EXPECT_NE(locked.output.find("File locked -- valid key required"), std::string::npos) << locked.output;
            const Result opened = Mksetup(command + " --key 31337");
            EXPECT_EQ(opened.exitCode, 0) << command << ": " << opened.output;
        }
        EXPECT_EQ(ScratchDir::Read(out + "/readme.txt"), ScratchDir::Read(product + "/docs/readme.txt")) << method;
        EXPECT_EQ(ScratchDir::Read(out + "/words.txt"), words) << method;
    }
    EXPECT_LT(sizes["lzma"], sizes["lh5"] * 85 / 100);
}

TEST_F(MksetupDistribution, FloppyDisksKeepRoomOnTheFirstForSetupAndTheConfiguration)
{
    ScratchDir::Write(setup, RandomBytes<std::string>(300000, 5));
    AddFile("big.bin", RandomBytes<std::string>(1500000, 5));
    const Result built = Build("--floppy --method none");
    ASSERT_EQ(built.exitCode, 0) << built.output;
    ASSERT_EQ(Disks(), 2u);
    const auto sectors = [](std::uintmax_t size) { return (size + 511) / 512 * 512; };
    std::uintmax_t first = sectors(fs::file_size(dist + "/disk.001"));
    for (const char* name : {"setup.exe", "install.cfg", "finstall.cfg"}) first += sectors(fs::file_size(dist + "/" + name));
    EXPECT_LE(first, 1457664u);
    EXPECT_GT(first, 1457664u - 4 * 512) << "the disk is filled, not wasted";
}

TEST_F(MksetupDistribution, ACorruptDiskFailsVerify)
{
    AddFile("big.bin", RandomBytes<std::string>(100000, 5));
    ASSERT_EQ(Build("--seg-size 40000 --method none").exitCode, 0);
    std::string disk = ScratchDir::Read(dist + "/disk.002");
    disk[disk.size() / 2] = static_cast<char>(disk[disk.size() / 2] ^ 0x55);
    ScratchDir::Write(dist + "/disk.002", disk);
    const Result verified = Mksetup("verify " + Quoted(dist));
    EXPECT_EQ(verified.exitCode, 1) << verified.output;
}

TEST_F(MksetupDistribution, AMissingOrWrongDiskIsNamed)
{
    AddFile("big.bin", RandomBytes<std::string>(100000, 5));
    ASSERT_EQ(Build("--seg-size 30000").exitCode, 0);
    ASSERT_GT(Disks(), 3u);
    fs::remove(dist + "/disk.002");
    for (const std::string& command : {"verify " + Quoted(dist), "extract " + Quoted(dist) + " -o " + Quoted(dir.Path() + "out")}) {
        const Result r = Mksetup(command + " < " + Quoted(setup));  // not a terminal: no prompt
        EXPECT_EQ(r.exitCode, 1) << r.output;
        EXPECT_NE(r.output.find("disk.002"), std::string::npos) << r.output;
    }
    fs::copy_file(dist + "/disk.003", dist + "/disk.002");
    const Result wrong = Mksetup("verify " + Quoted(dist) + " < " + Quoted(setup));
    EXPECT_EQ(wrong.exitCode, 1) << wrong.output;
    EXPECT_NE(wrong.output.find("disk.002: Incorrect"), std::string::npos) << wrong.output;
}

TEST_F(MksetupDistribution, BuildRefusesAFolderThatHoldsSomething)
{
    fs::create_directories(dist);
    ScratchDir::Write(dist + "/disk.009", "an older set");
    const Result r = Build("");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("not an empty folder"), std::string::npos) << r.output;
    EXPECT_EQ(ScratchDir::Read(dist + "/disk.009"), "an older set");
}

struct BrokenProduct {
    const char* name;
    const char* expected;  // part of the one message
    void (*breakIt)(const std::string& product, std::string& dist);
};

class MksetupBuildError : public MksetupDistribution, public ::testing::WithParamInterface<BrokenProduct> {};

TEST_P(MksetupBuildError, GivesOneMessageAndWritesNothing)
{
    GetParam().breakIt(product, dist);
    const Result r = Build("--seg-size 20000");
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find(GetParam().expected), std::string::npos) << r.output;
    ExpectNothingWritten();
}

INSTANTIATE_TEST_SUITE_P(
    MksetupDistribution, MksetupBuildError,
    ::testing::Values(
        BrokenProduct{"MissingSource", "finstall.cfg:4: error: 'Installation Directory,docs,docs\\manual.txt'",
                      [](const std::string& p, std::string&) { fs::remove(p + "/docs/manual.txt"); }},
        BrokenProduct{"BareNameClash", "another file named readme.txt",
                      [](const std::string& p, std::string&) {
                          ScratchDir::Write(p + "/art/readme.txt", "another");
                          ScratchDir::Write(p + "/finstall.cfg", ScratchDir::Read(p + "/finstall.cfg") + "Installation Directory,art\\readme.txt\r\n");
                      }},
        BrokenProduct{"UnreadableConfiguration", "install.cfg",
                      [](const std::string& p, std::string&) { fs::remove(p + "/install.cfg"); }},
        BrokenProduct{"UnwritableOutput", "Cannot create a working directory",
                      [](const std::string& p, std::string& d) { d = p + "/license.txt/dist"; }}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
