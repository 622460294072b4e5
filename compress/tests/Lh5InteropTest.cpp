// The -lh5- and -lh1- codecs against Debian's archivers, on Debian's own texts and on binary data: jlha
// (jlha-utils) writes archives whose members we cut out and decode, and lhasa and jlha extract the streams we
// write.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "compress/lzhuf/Lzhuf.h"
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
    TBytes mixed = TextBytes(30000, 4);  // text, noise and a run
    const TBytes noise = RandomBytes(20000, 4);
    mixed.insert(mixed.end(), noise.begin(), noise.end());
    mixed.insert(mixed.end(), 5000, 'q');
    return {{"GPL-2", DebianText("GPL-2")},
            {"texts.txt", texts},
            {"binary.bin", BinaryLike()},
            {"one.bin", TBytes{0x42}},
            {"empty.bin", TBytes{}},
            {"refill.txt", pastTheFirstRefill},
            {"words.txt", TextBytes(4097, 5)},
            {"mixed.bin", mixed}};
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

// Our streams as members of level-0 archives, extracted by every peer that reads the method.
TEST(Interop, PeersExtractWhatWeWrite)
{
    struct Peer {
        std::string tool, package, extract, method;
        void (*encoder)(TCompThreadSafety&);
    };
    const Peer peers[] = {{"lhasa", "lhasa", "lhasa -xq", "-lh5-", EncodeLZH5},
                          {"jlha", "jlha-utils", "jlha xqf", "-lh5-", EncodeLZH5},
                          {"lhasa", "lhasa", "lhasa xqf", "-lh1-", EncodeLZH}};
    std::string missing;
    for (const Peer& peer : peers) {
        if (const std::string why = PeerMissing(peer.tool, peer.package); !why.empty()) {
            missing += why + "; ";
            continue;
        }
        for (const auto& [name, bytes] : Inputs()) {
            SCOPED_TRACE(peer.extract + " " + peer.method + ", " + name);
            EXPECT_EQ(ExtractedByPeer(peer.extract, peer.method, Compress(peer.encoder, bytes), bytes), bytes);
        }
    }
    if (!missing.empty()) GTEST_SKIP() << missing;
}

}  // namespace
