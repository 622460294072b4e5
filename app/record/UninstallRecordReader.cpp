#include "app/record/UninstallRecordReader.h"

#include "app/record/FileKeyRules.h"
#include "app/record/RecordFile.h"
#include "app/record/RecordFormat.h"
#include "port/FileSystem.h"

namespace {

// The keys of a section, each split into fieldCount fields. Every name comes back, however long the list: what
// a cut list left out would stay installed for good.
std::vector<std::vector<std::string>> AllKeyFields(const ProfileFile& record, const char* section,
                                                   std::size_t fieldCount)
{
    std::vector<std::vector<std::string>> entries;
    for (const std::string& key : record.AllKeyNames(section))
        if (std::optional<std::vector<std::string>> fields = DecodeRecordKey(key, fieldCount))
            entries.push_back(std::move(*fields));
    return entries;
}

std::vector<std::string> AllPaths(const ProfileFile& record, const char* section)
{
    std::vector<std::string> paths;
    for (std::vector<std::string>& fields : AllKeyFields(record, section, 1)) paths.push_back(std::move(fields[0]));
    return paths;
}

}  // namespace

TUninstallRecordContents ReadUninstallRecord(const std::string& uninstallDir)
{
    if (!IsAbsoluteDirectory(uninstallDir)) return {};
    const std::string file = uninstallDir + RecordFileName;
    TUninstallRecordContents contents;
    contents.Found = port::FileExists(file);
    if (!contents.Found) return contents;
    const ProfileFile record = LoadUninstallRecord(file);
    contents.Title = record.ReadString(RecordName, RecordTitle, "");
    contents.EntryKey = record.ReadString(RecordName, RecordEntry, contents.Title);
    contents.Scope = record.ReadString(RecordName, RecordScope, "");
    contents.View64 = record.ReadString(RecordName, RecordView, "") == "64-bit";
    contents.Files = AllPaths(record, RecordFiles);
    contents.Folders = AllPaths(record, RecordFolder);
    contents.PlacedFiles = AllPaths(record, RecordPlacedFiles);
    contents.RegistryKeys = AllPaths(record, RecordRegistry);
    contents.CreatedKeys = AllPaths(record, RecordCreatedKeys);
    for (const auto& fields : AllKeyFields(record, RecordRegistryValues, 2))
        contents.RegistryValues.push_back({fields[0], fields[1]});
    for (const auto& fields : AllKeyFields(record, RecordIniKeys, 3))
        contents.IniKeys.push_back({fields[0], fields[1], fields[2]});
    for (const auto& fields : AllKeyFields(record, RecordIniSections, 2))
        contents.IniSections.push_back({fields[0], fields[1]});
    return contents;
}
