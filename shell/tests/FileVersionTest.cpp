// The version of real DLLs built with and without a version resource, and of copies garbled where a hostile file
// would garble them: whatever the bytes, a file either gives its version or none.
#include "shell/FileVersion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "shell/FileRoutines.h"
#include "testsupport/ScratchDir.h"

namespace {

std::string VersionedDll(const std::string& name)
{
    return ScratchDir::Read(std::string(VERSIONED_DLLS) + "\\" + name + ".dll");
}

std::string Patched(std::string bytes, std::size_t offset, const std::string& replacement)
{
    return offset + replacement.size() <= bytes.size() ? bytes.replace(offset, replacement.size(), replacement) : "";
}

std::uint32_t DwordAt(const std::string& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    if (offset + sizeof value <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// Where the DLL's version resource's root block begins: its length, then at 2 the length of its fixed part, at 6
// its key and at 40 the fixed part's signature.
std::size_t VersionBlockOf(const std::string& dll)
{
    const std::u16string key = u"VS_VERSION_INFO";
    const std::size_t at = dll.find(std::string(reinterpret_cast<const char*>(key.data()), key.size() * 2));
    return at == std::string::npos ? 0 : at - 6;
}

TEST(FileVersionOf, RealModulesGiveTheirVersionAndAnythingElseNone)
{
    struct Case {
        std::string Name;
        std::string Bytes;
        std::optional<std::uint64_t> Version;
    };
    const std::string dll = VersionedDll("2.0.0.0");
    const std::size_t block = VersionBlockOf(dll);
    const std::size_t headers = DwordAt(dll, 0x3C);
    const std::size_t table = dll.find(".rsrc");  // its section's header
    const std::size_t resources = DwordAt(dll, table + 20);
    ASSERT_TRUE(block != 0 && headers != 0 && resources != 0) << "the DLL's headers and version resource are found";
    const std::vector<Case> cases{
        {"1.0.0.9", VersionedDll("1.0.0.9"), 0x0001'0000'0000'0009},
        {"1.0.1.0", VersionedDll("1.0.1.0"), 0x0001'0000'0001'0000},
        {"2.0.0.0", dll, 0x0002'0000'0000'0000},
        {"bytes after the image", dll + "trailing bytes", 0x0002'0000'0000'0000},
        {"no version resource", VersionedDll("none"), std::nullopt},
        {"text", "MZ, but no program", std::nullopt},
        {"empty", "", std::nullopt},
        {"only its headers", dll.substr(0, 0x200), std::nullopt},
        {"cut inside its version resource", dll.substr(0, block + 60), std::nullopt},
        {"headers past its end", Patched(dll, 0x3C, "\xF0\xFF\xFF\x7F"), std::nullopt},
        {"more sections than it holds, none with the resources",
         Patched(Patched(dll, headers + 6, "\xFF\xFF"), table + 12, std::string("\x00\xFF\xFF\xFF", 4)), std::nullopt},
        {"more resources than it holds, none a version",
         Patched(Patched(dll, resources + 14, "\xFF\xFF"), resources + 16, "\x11"), std::nullopt},
        {"a block longer than its resource", Patched(dll, block, "\xFF\xFF"), std::nullopt},
        {"a block too short for its fixed part", Patched(dll, block, std::string("\x28\x00", 2)), std::nullopt},
        {"a fixed part too short", Patched(dll, block + 2, std::string("\x10\x00", 2)), std::nullopt},
        {"another key", Patched(dll, block + 6, "W"), std::nullopt},
        {"a garbled signature", Patched(dll, block + 40, "\xBE"), std::nullopt},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        const std::string path = dir / (c.Name + ".dll");
        ScratchDir::Write(path, c.Bytes);
        EXPECT_EQ(FileVersionOf(path), c.Version) << c.Name;
    }
    EXPECT_EQ(FileVersionOf(dir / "missing.dll"), std::nullopt);

    // Where the plain calls no longer reach.
    std::string deep = dir.Path();
    while (deep.size() <= 260) deep += "a folder with a long name\\";
    CreateDirectoryPath(deep);
    CopyFileTo(dir / "2.0.0.0.dll", deep);
    EXPECT_EQ(FileVersionOf(deep + "2.0.0.0.dll"), 0x0002'0000'0000'0000U);
}

}  // namespace
