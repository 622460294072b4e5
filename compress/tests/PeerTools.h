#pragma once
// Debian's archivers as live peers, run on files in a scratch directory: lhasa (package lhasa) extracts
// -lh1- and -lh5- archives, and jlha (jlha-utils, on a Java runtime) writes and extracts -lh5- ones. The
// tests that use them are built on Linux only.
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "compress/tests/LhaArchive.h"
#include "testsupport/ScratchDir.h"

// Why the tool cannot be run here, or nothing when it can.
inline std::string PeerMissing(const std::string& tool, const std::string& package)
{
    if (std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0) return "";
    return tool + " is not installed (Debian package " + package + ")";
}

// Runs command in dir with its output in dir/peer.log; its exit status.
inline int RunPeerIn(const ScratchDir& dir, const std::string& command)
{
    return std::system(("cd '" + dir.Path() + "' && " + command + " >peer.log 2>&1").c_str());
}

// Wraps a coded stream as the member "data.bin" of a level-0 archive of the given method and has the peer
// extract it (extractCommand is followed by the archive's name); the extracted bytes, or nothing when the
// peer fails or writes no file.
inline std::optional<std::vector<unsigned char>> ExtractedByPeer(const std::string& extractCommand,
                                                                 const std::string& method,
                                                                 const std::vector<unsigned char>& packed,
                                                                 const std::vector<unsigned char>& original)
{
    ScratchDir dir;
    const std::vector<unsigned char> archive = LhaLevel0Archive("data.bin", method, packed, original);
    ScratchDir::Write(dir / "peer.lzh", std::string(archive.begin(), archive.end()));
    if (RunPeerIn(dir, extractCommand + " peer.lzh") != 0) return std::nullopt;
    const std::string extracted = ScratchDir::Read(dir / "data.bin");
    if (extracted.empty() && !original.empty()) return std::nullopt;
    return std::vector<unsigned char>(extracted.begin(), extracted.end());
}
