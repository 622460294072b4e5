#include "shell/FmxUtils.h"

#include <shellapi.h>

#include <vector>

#include "port/FileStream.h"
#include "shell/TextFields.h"

namespace {

std::string FullPath(const std::string& path)
{
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::string full(needed, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}

const char* TextOrNone(const std::string& text)
{
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

void CopyFileTo(const std::string& source, const std::string& dest)
{
    std::string target = FullPath(dest);
    if (HasAttributes(target, FILE_ATTRIBUTE_DIRECTORY)) target = WithTrailingBackslash(target) + FileNamePart(source);

    std::vector<char> buffer(BufferSize);
    FileStream in(source, FileMode::OpenRead);
    FileStream out(target, FileMode::Create);
    for (;;) {
        const std::size_t count = in.Read(buffer.data(), buffer.size());
        out.WriteBuffer(buffer.data(), count);
        if (count < buffer.size()) break;
    }
}

bool HasAttributes(const std::string& path, std::uint32_t bits)
{
    return (GetFileAttributesA(path.c_str()) & bits) == bits;
}

HINSTANCE OpenWithShell(HWND owner, const std::string& file, const std::string& params, const std::string& dir,
                        int show)
{
    return ShellExecuteA(owner, nullptr, file.c_str(), TextOrNone(params), TextOrNone(dir), show);
}
