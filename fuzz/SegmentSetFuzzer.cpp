// Reads arbitrary bytes as a set of one segment, disk.001. Whatever the bytes, the reader must not
// crash, overrun or hang, must ask nobody (SegPopUp off, every dialog cancelled), and must leave no
// scratch file. Every expanded file is redirected into the scratch tree, as the setup program does.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "segment/SegCompEZ.h"

namespace {

class Cancelling : public TSegInteraction {
public:
    bool InputQuery(const std::string&, const std::string&, std::string&) override { return false; }
    bool ErrorOkCancel(const std::string&) override { return false; }
    void RepaintOwner() override {}
    void ProcessMessages() override {}
};

const std::filesystem::path& Root()
{
    static const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("segment-set-fuzz-" + std::to_string(::getpid()));
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    namespace fs = std::filesystem;
    const fs::path& root = Root();
    fs::remove_all(root);
    fs::create_directories(root / "out");
    std::ofstream(root / "disk.001", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    Cancelling ui;
    TSegCompEZ c;
    c.SegPopUp = false;
    c.Interaction = &ui;
    c.SetSegBaseName("disk");
    c.SetSegDir(root.string());
    c.SetSegTmpDir((root / "tmp").string());
    const std::string out = (root / "out").string() + "/";
    int written = 0;
    c.OnCheckFile = [&](std::string& path, TCProcessMode) { path = out + std::to_string(written++); };
    try {
        c.SegExpand();
    } catch (const std::exception&) {
    }
    if (fs::exists(root / "tmp") && !fs::is_empty(root / "tmp")) std::abort();  // a scratch file was left
    return 0;
}
