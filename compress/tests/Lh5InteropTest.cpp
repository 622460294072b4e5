// The -lh5- codec against Debian's archivers, on Debian's own texts and on binary data: jlha (jlha-utils)
// writes archives whose members we cut out and decode, and lhasa and jlha extract the streams we write.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "compress/tests/Lh5Run.h"
#include "compress/tests/LhaArchive.h"
#include "compress/tests/PeerTools.h"
#include "testsupport/ScratchDir.h"

namespace {

// Binary data with runs of zeros, noise and copies from the middle of what came before.
TBytes BinaryLike()
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
    return binary;
}

std::vector<std::pair<std::string, TBytes>> Inputs()
{
    const TBytes& texts = DebianTexts();
    const TBytes pastTheFirstRefill(texts.begin(), texts.begin() + std::min<std::ptrdiff_t>(16129, std::ssize(texts)));
    return {{"GPL-2", DebianText("GPL-2")},
            {"texts.txt", texts},
            {"binary.bin", BinaryLike()},
            {"one.bin", TBytes{0x42}},
            {"refill.txt", pastTheFirstRefill}};
}

TEST(Lh5Interop, DecodesMembersThatJlhaWrites)
{
    if (const std::string missing = PeerMissing("jlha", "jlha-utils"); !missing.empty()) GTEST_SKIP() << missing;
    ScratchDir dir;
    for (const auto& [name, bytes] : Inputs()) {
        if (bytes.size() < 2) continue;  // jlha stores tiny files uncoded
        ScratchDir::Write(dir / name, std::string(bytes.begin(), bytes.end()));
        ASSERT_EQ(RunPeerIn(dir, "jlha aq '" + name + ".lzh' '" + name + "'"), 0) << name;
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

// Our stream as a member of a level-0 archive, extracted by the peer and compared.
void ExpectExtractedBy(const std::string& extractCommand)
{
    for (const auto& [name, bytes] : Inputs())
        EXPECT_EQ(ExtractedByPeer(extractCommand, "-lh5-", RunEncodeLZH5(bytes), bytes), bytes) << name;
}

TEST(Lh5Interop, LhasaExtractsWhatWeWrite)
{
    if (const std::string missing = PeerMissing("lhasa", "lhasa"); !missing.empty()) GTEST_SKIP() << missing;
    ExpectExtractedBy("lhasa -xq");
}

TEST(Lh5Interop, JlhaExtractsWhatWeWrite)
{
    if (const std::string missing = PeerMissing("jlha", "jlha-utils"); !missing.empty()) GTEST_SKIP() << missing;
    ExpectExtractedBy("jlha xqf");
}

}  // namespace
