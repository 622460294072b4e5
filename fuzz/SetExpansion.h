#pragma once
// What the set fuzzers share: a scratch folder of the process's own, and the expansion of the set of
// segment files "disk.NNN" in it that asks nobody (SegPopUp off, every dialog cancelled), redirects every
// expanded file into the scratch tree as the setup program does, and aborts when a scratch file is left.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "FuzzScratch.h"
#include "segment/SegCompEZ.h"

namespace fuzz {

class Cancelling : public TSegInteraction {
public:
    bool InputQuery(const std::string&, const std::string&, std::string&) override { return false; }
    bool ErrorOkCancel(const std::string&) override { return false; }
    void RepaintOwner() override {}
    void ProcessMessages() override {}
};

// An empty folder for this unit, with an empty "out" below it for the expanded files.
inline std::filesystem::path FreshScratch(const std::string& name)
{
    const std::filesystem::path& root = ProcessScratch(name);
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "out");
    return root;
}

inline void ExpandSetLeavingNoScratch(const std::filesystem::path& root)
{
    Cancelling ui;
    TSegCompEZ c;
    c.SegPopUp = false;
    c.Interaction = &ui;
    c.SetSegBaseName("disk");
    c.SetSegDir(root.string() + "/");
    c.SetSegTmpDir((root / "tmp").string());
    const std::string out = (root / "out").string() + "/";
    int written = 0;
    c.OnCheckFile = [&](std::string& path, TCProcessMode) { path = out + std::to_string(written++); };
    try {
        c.SegExpand();
    } catch (const std::exception&) {
    }
    if (std::filesystem::exists(root / "tmp") && !std::filesystem::is_empty(root / "tmp")) std::abort();
}

}  // namespace fuzz
