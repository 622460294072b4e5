#include "app/UninstallRecordReader.h"

#include "app/FileKeyRules.h"
#include "ui/IniFile.h"

TUninstallRecord ReadUninstallRecord(const std::string& uninstallDir)
{
    if (!IsAbsoluteDirectory(uninstallDir)) return {};
    const TIniFile record(uninstallDir + "uninstaller.cfg");
    TUninstallRecord lists;
    lists.Files = record.ReadSection("Files");
    lists.Folders = record.ReadSection("Folder");
    lists.RegistryKeys = record.ReadSection("Registry");
    lists.RegistryValues = record.ReadSection("Registry Values");
    lists.IniKeys = record.ReadSection("INI Keys");
    return lists;
}
