#include "app/UninstallRecordReader.h"

#include <windows.h>

#include <string_view>

#include "app/FileKeyRules.h"

namespace {

// The configuration reads key lists through 16,384 bytes, but a record of a large installation can
// be longer: every name must come back, or what lies beyond would stay installed for good.
constexpr std::size_t kFirstBufferSize = 16384;
constexpr std::size_t kLargestBufferSize = 64u << 20;

std::vector<std::string> AllKeyNames(const std::string& file, const char* section)
{
    std::vector<char> buffer(kFirstBufferSize);
    for (;;) {
        const DWORD length = GetPrivateProfileStringA(section, nullptr, "", buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), file.c_str());
        const bool cut = length + 2 >= buffer.size();
        if (cut && buffer.size() < kLargestBufferSize) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        // Names follow one another, each ended by a NUL; a name cut by the largest buffer is left out.
        std::string_view names(buffer.data(), length);
        if (cut) names = names.substr(0, names.rfind('\0') == std::string_view::npos ? 0 : names.rfind('\0'));
        std::vector<std::string> keys;
        while (!names.empty()) {
            const std::size_t end = std::min(names.find('\0'), names.size());
            keys.emplace_back(names.substr(0, end));
            names.remove_prefix(std::min(end + 1, names.size()));
        }
        return keys;
    }
}

}  // namespace

TUninstallRecord ReadUninstallRecord(const std::string& uninstallDir)
{
    if (!IsAbsoluteDirectory(uninstallDir)) return {};
    const std::string file = uninstallDir + "uninstaller.cfg";
    TUninstallRecord lists;
    lists.Files = AllKeyNames(file, "Files");
    lists.Folders = AllKeyNames(file, "Folder");
    lists.RegistryKeys = AllKeyNames(file, "Registry");
    lists.RegistryValues = AllKeyNames(file, "Registry Values");
    lists.IniKeys = AllKeyNames(file, "INI Keys");
    return lists;
}
