#include "InstalledProduct.h"

#include "ShellLinkReader.h"
#include "app/record/KeyPath.h"
#include "app/run/RunMode.h"
#include "config/TextFields.h"
#include "settings/Registry.h"

#include <windows.h>

#include <strings.h>

namespace {

std::string FileLine(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) == FALSE) return "  " + path + "  (missing)\n";
    const std::string lower = path.size() >= 4 ? path.substr(path.size() - 4) : "";
    if (strcasecmp(lower.c_str(), ".lnk") == 0) {
        const std::optional<ShellLinkContents> link = ReadShellLink(path);
        return "  " + path + "  -> " + (link ? link->Target : "(not a shell link)") + "\n";
    }
    const auto size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return "  " + path + "  (" + std::to_string(size) + " bytes)\n";
}

// A record key may be a pattern (a directory the run created, as dir + "*.*"): each file it matches.
std::string FilesLines(const std::string& key)
{
    if (key.find_first_of("*?") == std::string::npos) return FileLine(key);
    std::string lines;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(key.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return "  " + key + "  (nothing there)\n";
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            lines += FileLine(DirectoryPart(key) + found.cFileName);
    } while (FindNextFileA(search, &found) != FALSE);
    FindClose(search);
    return lines;
}

std::string ValueLine(const std::string& keyPath, const std::string& name)
{
    const TKeyPath key = ParseKeyPath(keyPath);
    TRegistry registry(key.Root);
    if (!registry.OpenKeyReadOnly(key.Path) || !registry.ValueExists(name)) return "    " + name + "  (missing)\n";
    return "    " + name + " = " + registry.ReadString(name) + "\n";
}

std::string KeyLines(const std::string& keyPath)
{
    const TKeyPath key = ParseKeyPath(keyPath);
    HKEY opened = nullptr;
    if (RegOpenKeyExA(key.Root, key.Path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return "  " + keyPath + "  (missing)\n";
    std::string lines = "  " + keyPath + "\n";
    char name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumValueA(opened, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        lines += ValueLine(keyPath, std::string(name, length));
    }
    RegCloseKey(opened);
    return lines;
}

std::string RecordedValueLines(const TRecordedValue& value)
{
    return "  " + value.KeyPath + "\n" + ValueLine(value.KeyPath, value.Name);
}

std::string IniKeyLine(const TRecordedIniKey& key)
{
    char value[2048] = {};
    GetPrivateProfileStringA(key.Section.c_str(), key.Key.c_str(), "", value, sizeof value, key.File.c_str());
    return "  " + key.File + "  [" + key.Section + "] " + key.Key + " = " + value + "\n";
}

}  // namespace

std::optional<InstalledProduct> FindInstalledProduct(const std::string& title)
{
    TRegistry registry(HKEY_LOCAL_MACHINE);
    if (title.empty() || !registry.OpenKeyReadOnly(kUninstallKeyPrefix + title)) return std::nullopt;
    InstalledProduct product;
    product.Title = title;
    product.UninstallString = registry.ReadString("UninstallString");
    product.Directory = ProgramDirectoryOf(product.UninstallString);
    product.Record = ReadUninstallRecord(product.Directory);
    return product;
}

std::string DescribeInstalledProduct(const InstalledProduct& product)
{
    std::string text = product.Title + " is installed in " + product.Directory + "\n";
    text += "uninstall entry: HKEY_LOCAL_MACHINE\\" + std::string(kUninstallKeyPrefix) + product.Title + "\n";
    text += "  UninstallString = " + product.UninstallString + "\n";
    text += "files and shortcuts:\n";
    for (const std::string& key : product.Record.Files) text += FilesLines(key);
    text += "folders:\n";
    for (const std::string& folder : product.Record.Folders)
        text +=
            "  " + folder + (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES ? "  (not made)\n" : "\n");
    text += "registry keys:\n";
    for (const std::string& key : product.Record.RegistryKeys) text += KeyLines(key);
    text += "registry values:\n";
    for (const TRecordedValue& value : product.Record.RegistryValues) text += RecordedValueLines(value);
    text += "INI keys:\n";
    for (const TRecordedIniKey& key : product.Record.IniKeys) text += IniKeyLine(key);
    return text;
}
