#pragma once
// The uninstall record uninstaller.cfg as both runs read and write it: its file and section names, and how a
// key holds its fields. The record goes through the profile API, which cuts a key at
// "=", trims blanks at its ends and takes lines that begin with ";" or "[" for other things. A key that
// reads back as written is stored plain, its fields joined by "|"; any other is stored escaped: "%", then
// the fields joined by "|", each "%", "|", "=" and control character as "%" and two hex digits, and a blank
// at the very end as "%20". A plain key never begins with "%": such a key is escaped too.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* RecordFileName = "uninstaller.cfg";
inline constexpr const char* RecordFiles = "Files";
inline constexpr const char* RecordFolder = "Folder";
inline constexpr const char* RecordRegistry = "Registry";
inline constexpr const char* RecordRegistryValues = "Registry Values";
inline constexpr const char* RecordIniKeys = "INI Keys";
inline constexpr const char* RecordCreatedKeys = "Created Keys";
inline constexpr const char* RecordIniSections = "INI Sections";
inline constexpr const char* RecordPlacedFiles = "Placed Files";
inline constexpr const char* RecordName = "Name";
inline constexpr const char* RecordTitle = "Title";
inline constexpr const char* RecordEntry = "Entry";
inline constexpr const char* RecordScope = "Scope";  // "user" or "machine"; missing before installations had one
inline constexpr const char* RecordView = "View";    // "64-bit" for a 64-bit product's registry view

std::string EncodeRecordKey(const std::vector<std::string>& fields);

// The fields of a key of a section whose keys have fieldCount fields. A plain key is split at its first
// fieldCount - 1 "|" (the last field may hold "|"), as records have always been read. Nothing when the key
// does not hold that many fields or its escapes are broken.
std::optional<std::vector<std::string>> DecodeRecordKey(const std::string& key, std::size_t fieldCount);
