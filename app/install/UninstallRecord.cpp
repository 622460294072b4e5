#include "app/install/UninstallRecord.h"

#include <windows.h>

#include "app/record/RecordFormat.h"
#include "port/Exception.h"
#include "port/FileStream.h"
#include "port/win32/WideText.h"

namespace {

// Names with "*" or "?" cannot be created, and as a record key they would match other files.
bool NamesOneFile(const std::string& path)
{
    return path.find_first_of("*?") == std::string::npos;
}

}  // namespace

void TUninstallRecord::Open()
{
    // A record that cannot be deleted (read-only, or held by another process) cannot start afresh.
    const std::wstring path = port::SystemPath(path_);
    if (!DeleteFileW(path.c_str()) && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        throw Exception("Unable to write to " + path_);
    sections_ = {};
    Save();
}

void TUninstallRecord::AddFile(const std::string& path)
{
    if (NamesOneFile(path)) Write(RecordFiles, EncodeRecordKey({path}), "");
}

void TUninstallRecord::AddDirectoryFiles(const std::string& dir)
{
    if (NamesOneFile(dir)) Write(RecordFiles, EncodeRecordKey({dir + "*.*"}), "");
}

void TUninstallRecord::AddPlacedFile(const std::string& path)
{
    if (NamesOneFile(path)) sections_.Set(RecordPlacedFiles, EncodeRecordKey({path}), "");
}

void TUninstallRecord::AddFolder(const std::string& dir)
{
    Write(RecordFolder, EncodeRecordKey({dir}), "");
}

void TUninstallRecord::AddRegistryKey(const std::string& keyPath)
{
    Write(RecordRegistry, EncodeRecordKey({keyPath}), "");
}

void TUninstallRecord::AddRegistryValue(const std::string& keyPath, const std::string& valueName)
{
    Write(RecordRegistryValues, EncodeRecordKey({keyPath, valueName}), "");
}

void TUninstallRecord::AddIniKey(const std::string& iniFile, const std::string& section, const std::string& key)
{
    Write(RecordIniKeys, EncodeRecordKey({iniFile, section, key}), "");
}

void TUninstallRecord::AddCreatedKey(const std::string& keyPath)
{
    Write(RecordCreatedKeys, EncodeRecordKey({keyPath}), "");
}

void TUninstallRecord::AddIniSection(const std::string& iniFile, const std::string& section)
{
    Write(RecordIniSections, EncodeRecordKey({iniFile, section}), "");
}

void TUninstallRecord::SetTitle(const std::string& title, const std::string& entryKey)
{
    if (entryKey != title) Write(RecordName, RecordEntry, entryKey);
    Write(RecordName, RecordTitle, title);
}

void TUninstallRecord::SetPlaces(const std::string& scope, bool view64)
{
    if (!scope.empty()) Write(RecordName, RecordScope, scope);
    if (view64) Write(RecordName, RecordView, "64-bit");
}

void TUninstallRecord::Write(const std::string& section, const std::string& key, const std::string& value)
{
    // A value is read back up to the line's end.
    if (value.find_first_of("\r\n") != std::string::npos) throw Exception("Unable to write to " + path_);
    sections_.Set(section, key, value);
    Save();
}

// The profile API would take a UTF-8 byte-order mark for part of the first line on Windows, and would write in
// the machine's code page: the record is written whole here instead.
void TUninstallRecord::Save() const
{
    const std::string text = sections_.Text();
    try {
        FileStream(path_, FileMode::Create).WriteBuffer(text.data(), text.size());
    } catch (const Exception&) {
        throw Exception("Unable to write to " + path_);
    }
}
