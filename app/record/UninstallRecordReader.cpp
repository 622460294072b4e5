#include "app/record/UninstallRecordReader.h"

#include <windows.h>

#include <string_view>

#include "app/record/FileKeyRules.h"
#include "app/record/RecordFormat.h"
#include "port/FileSystem.h"

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

// The keys of a section, each split into fieldCount fields.
std::vector<std::vector<std::string>> AllKeyFields(const std::string& file, const char* section, std::size_t fieldCount)
{
    std::vector<std::vector<std::string>> entries;
    for (const std::string& key : AllKeyNames(file, section))
        if (std::optional<std::vector<std::string>> fields = DecodeRecordKey(key, fieldCount))
            entries.push_back(std::move(*fields));
    return entries;
}

std::vector<std::string> AllPaths(const std::string& file, const char* section)
{
    std::vector<std::string> paths;
    for (std::vector<std::string>& fields : AllKeyFields(file, section, 1)) paths.push_back(std::move(fields[0]));
    return paths;
}

std::string Title(const std::string& file)
{
    char title[1024] = {};
    GetPrivateProfileStringA(RecordName, RecordTitle, "", title, sizeof title, file.c_str());
    return title;
}

}  // namespace

TUninstallRecordContents ReadUninstallRecord(const std::string& uninstallDir)
{
    if (!IsAbsoluteDirectory(uninstallDir)) return {};
    const std::string file = uninstallDir + RecordFileName;
    TUninstallRecordContents contents;
    contents.Found = port::FileExists(file);
    if (!contents.Found) return contents;
    contents.Title = Title(file);
    contents.Files = AllPaths(file, RecordFiles);
    contents.Folders = AllPaths(file, RecordFolder);
    contents.RegistryKeys = AllPaths(file, RecordRegistry);
    contents.CreatedKeys = AllPaths(file, RecordCreatedKeys);
    for (const auto& fields : AllKeyFields(file, RecordRegistryValues, 2))
        contents.RegistryValues.push_back({fields[0], fields[1]});
    for (const auto& fields : AllKeyFields(file, RecordIniKeys, 3))
        contents.IniKeys.push_back({fields[0], fields[1], fields[2]});
    for (const auto& fields : AllKeyFields(file, RecordIniSections, 2))
        contents.IniSections.push_back({fields[0], fields[1]});
    return contents;
}
