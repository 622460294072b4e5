#include "app/UninstallRecord.h"

#include <windows.h>

#include "app/ProfileWrite.h"
#include "port/Exception.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The profile API cuts a key at "=", trims blanks and takes ";" and "[" lines for other things: such a
// key would read back as a different path, which the uninstaller would then delete.
bool ReadsBackAsWritten(const std::string& key)
{
    return !key.empty() && key.find_first_of("=\r\n") == std::string::npos && key.front() != ';' &&
           key.front() != '[' && !IsBlank(key.front()) && !IsBlank(key.back());
}

// Names with "*" or "?" cannot be created, and as a record key they would match other files.
bool NamesOneFile(const std::string& path)
{
    return path.find_first_of("*?") == std::string::npos;
}

}  // namespace

void TUninstallRecord::Open()
{
    // A record that cannot be deleted (read-only, or held by another process) cannot start afresh.
    if (!DeleteFileA(path_.c_str()) && GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES)
        throw Exception("Unable to write to " + path_);
    const HANDLE file =
        CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw Exception("Unable to write to " + path_);
    CloseHandle(file);
}

void TUninstallRecord::AddFile(const std::string& path)
{
    if (NamesOneFile(path)) Write(RecordFiles, path, "");
}

void TUninstallRecord::AddDirectoryFiles(const std::string& dir)
{
    if (NamesOneFile(dir)) Write(RecordFiles, dir + "*.*", "");
}

void TUninstallRecord::AddFolder(const std::string& dir)
{
    Write(RecordFolder, dir, "");
}

void TUninstallRecord::AddRegistryKey(const std::string& keyPath)
{
    Write(RecordRegistry, keyPath, "");
}

void TUninstallRecord::AddRegistryValue(const std::string& keyPath, const std::string& valueName)
{
    Write(RecordRegistryValues, keyPath + "|" + valueName, "");
}

void TUninstallRecord::AddIniKey(const std::string& iniFile, const std::string& section, const std::string& key)
{
    Write(RecordIniKeys, iniFile + "|" + section + "|" + key, "");
}

void TUninstallRecord::SetTitle(const std::string& title)
{
    Write(RecordName, RecordTitle, title);
}

void TUninstallRecord::Write(const std::string& section, const std::string& key, const std::string& value)
{
    if (!ReadsBackAsWritten(key) || value.find_first_of("\r\n") != std::string::npos)
        throw Exception("Unable to write to " + path_);
    WriteProfileKey(path_, section, key, value);
}
