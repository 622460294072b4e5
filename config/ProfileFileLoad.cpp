// Apart from the parsing: the file streams would bring the runtime's stream exceptions into setup.exe, which
// reads its files through port/ and parses them only.
#include <fstream>
#include <iterator>

#include "config/ProfileFile.h"

ProfileFile ProfileFile::Load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return Parse({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
}
