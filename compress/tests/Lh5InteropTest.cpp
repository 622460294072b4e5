// The -lh5- codec against the other archivers installed on the machine: jlha (jlha-utils) writes
// archives that we decode, and lhasa and jlha extract the archives we write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "compress/tests/Lh5Run.h"
#include "compress/tests/LhaArchive.h"
#include "testsupport/ScratchDir.h"

namespace {

bool ToolInstalled(const std::string& tool)
{
#ifdef _WIN32
    (void)tool;
    return false;
#else
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
#endif
}

int RunIn(const ScratchDir& dir, const std::string& command)
{
    return std::system(("cd '" + dir.Path() + "' && " + command + " >/dev/null 2>&1").c_str());
}

// Test inputs: the shared texts, and binary data with runs, repeats and noise.
std::vector<std::pair<std::string, TBytes>> Inputs()
{
    TBytes binary;
    std::mt19937 random(11);
    while (binary.size() < 300000) {
        const auto kind = random() % 3;
        const std::size_t n = 1 + random() % 3000;
        for (std::size_t i = 0; i < n; ++i) {
            if (kind == 0)
                binary.push_back(0);
            else if (kind == 1)
                binary.push_back(static_cast<unsigned char>(random()));
            else
                binary.push_back(binary.empty() ? 1 : binary[binary.size() / 2 + i % 64]);
        }
    }
    const TBytes text = PeerFile("lzh-peers", "long.txt");
    const TBytes pastTheFirstRefill(text.begin(), text.begin() + std::min<std::ptrdiff_t>(16129, std::ssize(text)));
    return {{"gpl2.txt", PeerFile("lzh-peers", "gpl2.txt")},
            {"long.txt", text},
            {"binary.bin", binary},
            {"one.bin", TBytes{0x42}},
            {"refill.txt", pastTheFirstRefill}};
}

TEST(Lh5Interop, DecodesMembersThatJlhaWrites)
{
    if (!ToolInstalled("jlha")) GTEST_SKIP() << "jlha (jlha-utils) is not installed";
    ScratchDir dir;
    for (const auto& [name, bytes] : Inputs()) {
        if (bytes.size() < 2) continue;  // jlha stores tiny files uncoded
        ScratchDir::Write(dir / name, std::string(bytes.begin(), bytes.end()));
        ASSERT_EQ(RunIn(dir, "jlha aq '" + name + ".lzh' '" + name + "'"), 0) << name;
        const auto members = ReadLhaMembers(ReadTestFile(dir / (name + ".lzh")));
        ASSERT_EQ(members.size(), 1u) << name;
        const TLhaMember& m = members.front();
        ASSERT_EQ(m.method, "-lh5-") << name;
        ASSERT_EQ(m.originalSize, bytes.size()) << name;
        const TBytes decoded = RunDecodeLZH5(m.body, static_cast<std::int32_t>(m.originalSize));
        EXPECT_EQ(decoded, bytes) << name;
        EXPECT_EQ(LhaCrc16(decoded), m.crc) << name;
    }
}

// Our stream as a member of a level-0 archive, extracted by the tool given and compared.
void ExpectExtractedBy(const std::string& extractCommand)
{
    ScratchDir dir;
    for (const auto& [name, bytes] : Inputs()) {
        const TBytes coded = RunEncodeLZH5(bytes);
        const std::string archive = "ours-" + name + ".lzh";
        const TBytes lzh = LhaLevel0Archive(name, "-lh5-", coded, bytes);
        ScratchDir::Write(dir / archive, std::string(lzh.begin(), lzh.end()));
        ASSERT_EQ(RunIn(dir, extractCommand + " '" + archive + "'"), 0) << name;
        EXPECT_EQ(ReadTestFile(dir / name), bytes) << name;
        std::remove(ScratchDir::Native(dir / name).c_str());
    }
}

TEST(Lh5Interop, LhasaExtractsWhatWeWrite)
{
    if (!ToolInstalled("lhasa")) GTEST_SKIP() << "lhasa is not installed";
    ExpectExtractedBy("lhasa -xq");
}

TEST(Lh5Interop, JlhaExtractsWhatWeWrite)
{
    if (!ToolInstalled("jlha")) GTEST_SKIP() << "jlha (jlha-utils) is not installed";
    ExpectExtractedBy("jlha xqf");
}

}  // namespace
