// Reads arbitrary bytes as a set of several segments: the input is cut before every "SSeg" after its
// start, and the pieces become disk.001, disk.002 and so on. As for one segment, the reader must not
// crash, overrun or hang, must ask nobody, and must leave no scratch file, whatever the pieces say
// about their numbers, their archives and where those continue.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "segment/SegCompEZ.h"
#include "segment/SegNaming.h"

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
        std::filesystem::temp_directory_path() / ("segment-span-fuzz-" + std::to_string(::getpid()));
    return root;
}

void WriteSegments(std::string_view input, const std::filesystem::path& dir)
{
    std::uint32_t n = 1;
    for (;;) {
        const std::size_t next = input.find("SSeg", 1);
        const std::string_view piece = input.substr(0, next);
        std::ofstream(dir / SegFileNameFor("disk", "", n++), std::ios::binary)
            .write(piece.data(), static_cast<std::streamsize>(piece.size()));
        if (next == std::string_view::npos) return;
        input.remove_prefix(next);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    namespace fs = std::filesystem;
    const fs::path& root = Root();
    fs::remove_all(root);
    fs::create_directories(root / "out");
    WriteSegments(std::string_view(reinterpret_cast<const char*>(data), size), root);

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
    if (fs::exists(root / "tmp") && !fs::is_empty(root / "tmp")) std::abort();  // a scratch file was left
    return 0;
}
