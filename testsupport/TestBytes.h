#pragma once
// Inputs for codec tests: Debian's own texts, the shared test data (streams that other archivers wrote),
// and generated data of a chosen kind and size (testsupport/GeneratedBytes.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "testsupport/GeneratedBytes.h"
#include "testsupport/ScratchDir.h"

// One of the licence texts every Debian system carries (/usr/share/common-licenses), e.g. "GPL-2".
inline std::vector<unsigned char> DebianText(const std::string& name)
{
    const std::string path = std::string(SETUP_DEBIAN_TEXTS) + "\\" + name;
    const std::string text = ScratchDir::Read(path);
    EXPECT_FALSE(text.empty()) << path << " is missing: the tests read Debian's own texts";
    return {text.begin(), text.end()};
}

// All of them, one after the other: some 270 KB of real text.
inline const std::vector<unsigned char>& DebianTexts()
{
    static const std::vector<unsigned char> all = [] {
        std::vector<unsigned char> texts;
        for (const char* name : {"GPL-2", "GPL-3", "LGPL-2.1", "LGPL-3", "GFDL-1.3", "Apache-2.0", "MPL-2.0", "Artistic",
                                 "BSD", "CC0-1.0"}) {
            const std::vector<unsigned char> text = DebianText(name);
            texts.insert(texts.end(), text.begin(), text.end());
        }
        return texts;
    }();
    return all;
}

// Debian's texts cut or stretched to n bytes: text with repeats near and far and short runs, every kind of
// item at every distance class.
inline std::vector<unsigned char> TextLike(std::size_t n)
{
    const std::vector<unsigned char>& text = DebianTexts();
    std::vector<unsigned char> bytes(text.begin(),
                                     text.begin() + static_cast<std::ptrdiff_t>(std::min(n, text.size())));
    while (bytes.size() < n) bytes.push_back(bytes[bytes.size() * 7 / 13]);
    return bytes;
}

// Text with stretches of noise: matches far apart and literals that do not compress.
inline std::vector<unsigned char> TextAndNoise(std::size_t n)
{
    std::vector<unsigned char> bytes;
    for (std::uint32_t part = 0; bytes.size() < n; ++part) {
        const std::vector<unsigned char> text = TextBytes(30000, part);
        const std::vector<unsigned char> noise = RandomBytes(5000, part);
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.insert(bytes.end(), noise.begin(), noise.end());
    }
    bytes.resize(n);
    return bytes;
}

// A file of the shared test data (SETUP_TESTDATA_DIR), e.g. PeerFile("lzh-peers", "gpl2.lh1"). Tests that
// read it are fixtures of PeerStreams.
inline std::vector<unsigned char> PeerFile(const std::string& folder, const std::string& name)
{
    const std::string text = ScratchDir::Read(std::string(SETUP_TESTDATA_DIR) + "\\" + folder + "\\" + name);
    return {text.begin(), text.end()};
}

// The tests of the streams in the shared test data: without the data they are skipped, saying where it
// was looked for. Their suites end in "PeerStreams", so that CTest can run them apart.
class PeerStreams : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string folder = ScratchDir::Native(std::string(SETUP_TESTDATA_DIR) + "\\lzh-peers");
        if (!std::filesystem::is_directory(folder))
            GTEST_SKIP() << "the shared test data is not at " << folder
                         << " (configure with -DSETUP_TESTDATA_DIR=... to name it)";
    }
};
