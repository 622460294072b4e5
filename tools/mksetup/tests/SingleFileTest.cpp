// build --single-file, and list, verify and extract of the one setup.exe it writes; signing with osslsigncode
// and a certificate that openssl makes for the test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <random>

#include "payload/Payload.h"
#include "port/FileStream.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/payload/ProgramImage.h"
#include "tools/mksetup/tests/RunMksetup.h"
#include "tools/mksetup/tests/SampleProduct.h"
#include "tools/mksetup/tests/SignedSingleFile.h"

namespace fs = std::filesystem;

namespace {

using Tree = std::map<std::string, std::string>;

Tree TreeOf(const std::string& root)
{
    Tree tree;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            tree[entry.path().lexically_relative(root).generic_string()] = ScratchDir::Read(entry.path().string());
    return tree;
}

std::string Noise(std::size_t n)
{
    std::mt19937 rng(9);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(rng());
    return s;
}

class MksetupSingleFile : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string product = dir.Path() + "product";
    std::string stub = dir.Path() + "setup.exe";

    void SetUp() override
    {
        StageSampleProduct(product);
        ScratchDir::Write(product + "/big.bin", Noise(300000));
        ScratchDir::Write(product + "/finstall.cfg",
                          ScratchDir::Read(product + "/finstall.cfg") + "Installation Directory,big.bin\r\n");
        ScratchDir::Write(stub, ProgramImage::Make());
    }

    Result Build(const std::string& name, const std::string& options)
    {
        return Mksetup("build " + Quoted(product) + " -o " + Quoted(dir.Path() + name) + " --setup " + Quoted(stub) +
                       " --seg-size 100000 " + options);
    }

    // The members of a single file's payload, read back through its table; setup.exe rebuilt from its difference.
    static Tree Members(const std::string& file)
    {
        FileStream in(file, FileMode::OpenRead);
        const std::optional<TPayload> payload = LocatePayload(in, file);
        EXPECT_TRUE(payload.has_value()) << file;
        Tree members;
        const std::string bytes = ScratchDir::Read(file);
        if (payload)
            for (const TPayloadEntry& e : payload->Entries)
                members[e.Name] = bytes.substr(static_cast<std::size_t>(e.Offset), static_cast<std::size_t>(e.Size));
        if (const std::optional<std::string> carried = CarriedProgramOf(file)) members["setup.exe"] = *carried;
        return members;
    }
};

TEST_F(MksetupSingleFile, OneSetupExeCarriesTheFolderAndListsVerifiesAndExtractsAsIt)
{
    ASSERT_EQ(Build("folder", "").exitCode, 0);
    const Result built = Build("single/", "--single-file");  // a folder named with its separator too
    ASSERT_EQ(built.exitCode, 0) << built.output;
    EXPECT_NE(built.output.find("in one setup.exe of"), std::string::npos) << built.output;
    const std::string single = dir.Path() + "single/setup.exe";
    const Tree folder = TreeOf(dir.Path() + "folder");
    ASSERT_EQ(TreeOf(dir.Path() + "single").size(), 1u) << "setup.exe and nothing else";
    ASSERT_GT(folder.size(), 5u) << "several disks";

    EXPECT_EQ(Members(single), folder) << "the folder's files, setup.exe the bare one, byte for byte";
    const std::string whole = ScratchDir::Read(single);
    EXPECT_EQ(whole.substr(0, ScratchDir::Read(stub).size()), ScratchDir::Read(stub)) << "the image is unchanged";
    std::size_t folderBytes = 0;
    for (const auto& [name, bytes] : folder) folderBytes += bytes.size();
    const double expected = static_cast<double>(folderBytes + ScratchDir::Read(stub).size());
    EXPECT_NEAR(static_cast<double>(whole.size()), expected, expected / 100);

    const Result listFolder = Mksetup("list " + Quoted(dir.Path() + "folder"));
    const Result listSingle = Mksetup("list " + Quoted(single));
    ASSERT_EQ(listSingle.exitCode, 0) << listSingle.output;
    const auto files = [](const std::string& listing) {
        return listing.substr(0, listing.rfind('\n', listing.size() - 2));
    };
    EXPECT_EQ(files(listSingle.output), files(listFolder.output));
    const Result verified = Mksetup("verify " + Quoted(single));
    EXPECT_EQ(verified.exitCode, 0) << verified.output;
    EXPECT_NE(verified.output.find(single + ": not signed"), std::string::npos) << verified.output;
    EXPECT_NE(verified.output.find("every checksum good"), std::string::npos) << verified.output;
    ASSERT_EQ(Mksetup("extract " + Quoted(single) + " -o " + Quoted(dir.Path() + "x-single")).exitCode, 0);
    ASSERT_EQ(Mksetup("extract " + Quoted(dir.Path() + "folder") + " -o " + Quoted(dir.Path() + "x-folder")).exitCode,
              0);
    EXPECT_EQ(TreeOf(dir.Path() + "x-single"), TreeOf(dir.Path() + "x-folder"));

    struct Damage {
        std::string bytes, command, message;
    };
    std::string flipped = whole;
    flipped[whole.size() - 1000] ^= 0x04;
    for (const Damage& d : {Damage{flipped, "verify", "fails its CRC-32 check"},
                            Damage{whole.substr(0, whole.size() - 1000), "list", "cut short"},
                            Damage{whole.substr(0, whole.size() - 1000), "extract", "cut short"},
                            Damage{ScratchDir::Read(stub), "list", "without a distribution"}}) {
        const std::string damaged = dir.Path() + "damaged.exe";
        ScratchDir::Write(damaged, d.bytes);
        const Result r = Mksetup(d.command + " " + Quoted(damaged) +
                                 (d.command == "extract" ? " -o " + Quoted(dir.Path() + "x-damaged") : ""));
        EXPECT_EQ(r.exitCode, 1) << d.command << ": " << r.output;
        EXPECT_NE(r.output.find(damaged), std::string::npos) << r.output;
        EXPECT_NE(r.output.find(d.message), std::string::npos) << r.output;
    }
    EXPECT_EQ(Build("floppy", "--single-file --floppy").exitCode, 2);
}

// A configuration saved in a code page is stored in UTF-8 by every kind of build, read in the code page named;
// one saved in UTF-8 is stored byte for byte, without its byte-order mark.
TEST_F(MksetupSingleFile, TheStoredConfigurationIsUtf8)
{
    std::string install = ScratchDir::Read(product + "/install.cfg");
    const std::string finstall = ScratchDir::Read(product + "/finstall.cfg");
    install.replace(install.find("2.0\n"), 3, "2.0 \xA3");                 // line 2
    install.replace(install.find("Copyright (c)"), 13, "Copyright \xA9");  // line 17
    ScratchDir::Write(product + "/install.cfg", install);
    ScratchDir::Write(product + "/finstall.cfg", "\xEF\xBB\xBF" + finstall);
    const auto utf8 = [&](const std::string& pound) {
        std::string text = install;
        text.replace(text.find("\xA3"), 1, pound);
        text.replace(text.find("\xA9"), 1, "\xC2\xA9");
        return text;
    };
    const struct {
        std::string name, options, install;
    } builds[] = {
        {"folder", "", utf8("\xC2\xA3")},  // £
        {"single", "--single-file", utf8("\xC2\xA3")},
        {"central", "--codepage 1250", utf8("\xC5\x81")},  // Ł
    };
    for (const auto& b : builds) {
        const Result built = Build(b.name, b.options);
        ASSERT_EQ(built.exitCode, 0) << b.name << ": " << built.output;
        for (const char* line : {"install.cfg:2: warning:", "install.cfg:17: warning:"})
            EXPECT_NE(built.output.find(line), std::string::npos) << b.name << ": " << built.output;
        EXPECT_EQ(built.output.find("finstall.cfg:"), std::string::npos) << b.name << ": " << built.output;
        const std::string folder = dir.Path() + b.name + "/";
        const Tree stored = b.options == "--single-file" ? Members(folder + "setup.exe") : TreeOf(folder);
        EXPECT_EQ(stored.at("install.cfg"), b.install) << b.name;
        EXPECT_EQ(stored.at("finstall.cfg"), finstall) << b.name;
    }
    const Result unknown = Build("unknown", "--codepage 12345");
    EXPECT_EQ(unknown.exitCode, 1) << unknown.output;
    EXPECT_NE(unknown.output.find("install.cfg:2: error: this system cannot convert from code page 12345"),
              std::string::npos)
        << unknown.output;
    EXPECT_FALSE(fs::exists(dir.Path() + "unknown"));
}

#ifndef _WIN32
// osslsigncode and openssl are Debian programs: the Windows mksetup signs only where they run.
class MksetupSigning : public MksetupSingleFile {
protected:
    TestSigner signer{dir.Path()};
    const std::string& cert = signer.cert;

    void SetUp() override
    {
        MksetupSingleFile::SetUp();
        const Result made = signer.Make();
        ASSERT_EQ(made.exitCode, 0) << made.output;
    }

    std::string SignOptions() const { return signer.Options(); }
    Result Osslverify(const std::string& file) const { return signer.Verify(file); }
};

TEST_F(MksetupSigning, TheCarriedUninstallerIsSignedAndThenTheWholeFileAndTheSignatureHolds)
{
    const Result built = Build("single", "--single-file " + SignOptions());
    ASSERT_EQ(built.exitCode, 0) << built.output;
    const std::string single = dir.Path() + "single/setup.exe";
    EXPECT_EQ(Osslverify(single).exitCode, 0) << Osslverify(single).output;

    const Tree members = Members(single);
    ASSERT_EQ(members.count("setup.exe"), 1u) << "the payload is found after signing";
    ScratchDir::Write(dir.Path() + "carried.exe", members.at("setup.exe"));
    EXPECT_EQ(Osslverify(dir.Path() + "carried.exe").exitCode, 0) << "the uninstaller is signed on its own";
    EXPECT_NE(members.at("setup.exe"), ScratchDir::Read(stub));

    Result verified = Mksetup("verify " + Quoted(single) + " --ca-file " + Quoted(cert));
    EXPECT_EQ(verified.exitCode, 0) << verified.output;
    EXPECT_NE(verified.output.find("signed by /CN=Setup Test Signer, signature valid\n"), std::string::npos)
        << verified.output;
    verified = Mksetup("verify " + Quoted(single));
    EXPECT_EQ(verified.exitCode, 0) << verified.output;
    EXPECT_NE(verified.output.find("signature valid, but its certificate is not trusted here"), std::string::npos)
        << verified.output;

    std::string bytes = ScratchDir::Read(single);
    bytes[bytes.size() / 2] ^= 0x01;
    ScratchDir::Write(single, bytes);
    EXPECT_NE(Osslverify(single).exitCode, 0);
    verified = Mksetup("verify " + Quoted(single) + " --ca-file " + Quoted(cert));
    EXPECT_EQ(verified.exitCode, 1) << verified.output;

    ASSERT_EQ(Build("folder", SignOptions()).exitCode, 0);
    EXPECT_EQ(Osslverify(dir.Path() + "folder/setup.exe").exitCode, 0) << "a folder's setup.exe is signed too";
}

TEST_F(MksetupSigning, WithoutOsslsigncodeTheBuildSaysSoAndWritesNothing)
{
    const std::string path = std::getenv("PATH");
    setenv("PATH", (dir.Path() + "nothing-here").c_str(), 1);
    const Result built = Build("single", "--single-file " + SignOptions());
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(built.exitCode, 1);
    EXPECT_NE(built.output.find("osslsigncode, which signs setup.exe and checks its signature, is not on PATH"),
              std::string::npos)
        << built.output;
    EXPECT_FALSE(fs::exists(dir.Path() + "single"));
}
#endif

}  // namespace
