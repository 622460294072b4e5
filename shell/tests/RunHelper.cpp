// run_helper MARKER DELAY_MS [WORDS...]: sleeps, then writes the words, joined by spaces, to MARKER.
// The text appears under its final name at once, so a test that polls never reads half of it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) return 2;
    Sleep(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
    std::string text;
    for (int i = 3; i < argc; ++i) text += (i > 3 ? " " : "") + std::string(argv[i]);
    const std::string partial = std::string(argv[1]) + ".part";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    if (out == nullptr) return 3;
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
    return MoveFileA(partial.c_str(), argv[1]) ? 0 : 4;
}
