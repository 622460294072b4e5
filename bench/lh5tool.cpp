// A stand-in for `mksetup compress|expand --method lh5` in the whole-command benchmarks:
//   lh5tool c IN OUT         codes IN as a raw -lh5- stream
//   lh5tool d SIZE IN OUT    decodes SIZE bytes from the raw stream IN
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "compress/CompThreadSafety.h"
#include "compress/lh5/Lh5.h"
#include "port/FileStream.h"

namespace {

int Usage()
{
    std::fputs("usage: lh5tool c IN OUT | lh5tool d SIZE IN OUT\n", stderr);
    return 2;
}

void Code(const std::string& inPath, const std::string& outPath, std::int32_t expandedSize, bool encode)
{
    FileStream in(inPath, FileMode::OpenRead);
    FileStream out(outPath, FileMode::Create);
    TCompThreadSafety state;
    state.Begin({&in, &out, static_cast<std::int32_t>(in.Size()), 0x7FFFFFFF, false, false, 0, {}});
    try {
        if (encode) {
            EncodeLZH5(state);
        } else {
            DecodeLZH5(state, expandedSize);
        }
    } catch (...) {
        state.Release();
        throw;
    }
    state.Flush();
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        const std::string command = argc > 1 ? argv[1] : "";
        if (command == "c" && argc == 4) {
            Code(argv[2], argv[3], 0, true);
        } else if (command == "d" && argc == 5) {
            Code(argv[3], argv[4], static_cast<std::int32_t>(std::strtol(argv[2], nullptr, 10)), false);
        } else {
            return Usage();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lh5tool: %s\n", e.what());
        return 1;
    }
    return 0;
}
