#pragma once
// Debian's lhasa as a live peer: it extracts one-member archives that a test writes. Linux only.
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "compress/tests/LhaArchive.h"
#include "testsupport/ScratchDir.h"

inline bool LhasaAvailable()
{
#ifdef _WIN32
    return false;
#else
    return std::system("command -v lhasa > /dev/null 2>&1") == 0;
#endif
}

// Wraps a coded stream as the member "data.bin" of a level-0 archive of the given method and has lhasa
// extract it; the extracted bytes, or nothing when lhasa fails or writes no file.
inline std::optional<std::vector<unsigned char>> ExtractWithLhasa(const std::string& method,
                                                                  const std::vector<unsigned char>& packed,
                                                                  const std::vector<unsigned char>& original)
{
    ScratchDir dir;
    const std::vector<unsigned char> archive = LhaLevel0Archive("data.bin", method, packed, original);
    ScratchDir::Write(dir / "peer.lzh", std::string(archive.begin(), archive.end()));
    const std::string command = "cd '" + dir.Path() + "' && lhasa xqf peer.lzh > lhasa.log 2>&1";
    if (std::system(command.c_str()) != 0) return std::nullopt;
    const std::string extracted = ScratchDir::Read(dir / "data.bin");
    if (extracted.empty() && !original.empty()) return std::nullopt;
    return std::vector<unsigned char>(extracted.begin(), extracted.end());
}
