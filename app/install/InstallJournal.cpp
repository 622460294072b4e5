#include "app/install/InstallJournal.h"

#include <windows.h>

#include <sddl.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>

#include "app/install/JournalUndo.h"
#include "app/install/RawRegistry.h"
#include "config/TextFields.h"
#include "port/Exception.h"
#include "port/FileSystem.h"
#include "port/win32/WideText.h"
#include "settings/IniFile.h"
#include "settings/RegistryView.h"
#include "shell/ScratchFolder.h"

namespace {

std::function<void(int)>& StepSeam()
{
    static std::function<void(int)> seam;
    return seam;
}

// Administrators and the system alone, whatever the key above would hand down.
constexpr const wchar_t* kJournalSecurity = L"D:P(A;CI;KA;;;SY)(A;CI;KA;;;BA)";

std::string JournalKeyText(const std::string& path)
{
    return KeyPathText({JournalRoot(), path});
}

// Below HKEY_CURRENT_USER the key keeps the user's own security: the run has no more rights than the user.
HKEY CreateJournalKey(const std::string& path)
{
    // The journal's own key is found before a product's view is known: it is always in the program's own.
    const HKEY root = JournalRoot();
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (root == HKEY_LOCAL_MACHINE &&
        !ConvertStringSecurityDescriptorToSecurityDescriptorW(kJournalSecurity, SDDL_REVISION_1, &descriptor, nullptr))
        throw Exception("Cannot make the security of the installation's journal");
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    HKEY key = nullptr;
    const LSTATUS status = RegCreateKeyExW(root, port::Widened(path).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                           descriptor ? &attributes : nullptr, &key, nullptr);
    if (descriptor) LocalFree(descriptor);
    if (status != ERROR_SUCCESS) throw Exception("Cannot write the installation's journal " + JournalKeyText(path));
    return key;
}

// The program data of the machine, or the user's own beside the journal below HKEY_CURRENT_USER.
std::string BackupsParentDir()
{
    const int folder = JournalRoot() == HKEY_LOCAL_MACHINE ? CSIDL_COMMON_APPDATA : CSIDL_LOCAL_APPDATA;
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path)))
        throw Exception("Cannot find the folder of the program data");
    return port::Narrowed(path) + "\\";
}

bool MoveFile(const std::string& from, const std::string& to)
{
    return MoveFileExW(port::SystemPath(from).c_str(), port::SystemPath(to).c_str(), 0) != 0;
}

// A copy that is complete under its name or not there at all: made under another name first.
bool CopyWhole(const std::string& from, const std::string& to)
{
    const std::string part = to + ".part";
    if (!CopyFileW(port::SystemPath(from).c_str(), port::SystemPath(part).c_str(), FALSE)) return false;
    if (MoveFile(part, to)) return true;
    DeleteFileW(port::SystemPath(part).c_str());
    return false;
}

}  // namespace

TInstallJournal::TInstallJournal(const std::string& title)
    : title_(title), keyPath_(JournalKeyPath(title)), key_(CreateJournalKey(keyPath_))
{
    const DWORD view = RegistryView();
    if (view != 0 && RegSetValueExW(key_, port::Widened(kJournalViewValue).c_str(), 0, REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&view), sizeof view) != ERROR_SUCCESS)
        throw Exception("Cannot write the installation's journal " + JournalKeyText(keyPath_));
}

TInstallJournal::~TInstallJournal()
{
    if (key_ != nullptr) RegCloseKey(key_);
}

void TInstallJournal::ScratchFolder(const std::string& dir, const std::vector<std::string>& names)
{
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : "|") + name;
    Add(jkScratch, {dir, FolderIdentity(dir), joined});
}

void TInstallJournal::DirectoryToCreate(const std::string& dir)
{
    Add(jkDirectory, {dir});
}

void TInstallJournal::DirectoryToRemove(const std::string& dir)
{
    Add(jkGoneDirectory, {dir});
}

void TInstallJournal::FileToCreate(const std::string& path)
{
    Add(jkNewFile, {path});
}

bool TInstallJournal::MoveAside(const std::string& path)
{
    const std::string backup = NextBackup();
    Add(jkMovedAside, {path, backup});
    if (MoveFile(path, backup)) {
        movedAside_.emplace_back(path, backup);
        return true;
    }
    // Another volume: a whole copy first, so that the file is always somewhere.
    if (GetLastError() != ERROR_NOT_SAME_DEVICE || !CopyWhole(path, backup)) return false;
    if (!DeleteFileW(port::SystemPath(path).c_str())) {
        DeleteFileW(port::SystemPath(backup).c_str());
        return false;
    }
    movedAside_.emplace_back(path, backup);
    return true;
}

void TInstallJournal::PutBack(const std::string& path)
{
    const auto taken =
        std::find_if(movedAside_.rbegin(), movedAside_.rend(), [&](const auto& moved) { return moved.first == path; });
    if (taken == movedAside_.rend()) return;
    if (!MoveFileExW(port::SystemPath(taken->second).c_str(), port::SystemPath(path).c_str(), MOVEFILE_COPY_ALLOWED))
        throw Exception("Unable to put back " + path);
}

void TInstallJournal::CopyAside(const std::string& path)
{
    const std::string backup = NextBackup();
    Add(jkCopiedAside, {path, backup});
    if (!CopyWhole(path, backup)) throw Exception("Unable to keep a copy of " + path + ": " + port::LastSystemError());
}

void TInstallJournal::KeysToCreate(const TKeyPath& key)
{
    const std::vector<TKeyPath> chain = KeyAndParents(key);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        if (!RawKeyExists(it->Root, it->Path)) Add(jkNewKey, {KeyPathText(*it)});
}

void TInstallJournal::ValueToWrite(const TKeyPath& key, const std::string& name)
{
    AddValue(KeyPathText(key), name, ReadRawValue(key.Root, key.Path, name));
}

void TInstallJournal::KeyTreeToErase(const TKeyPath& key)
{
    for (const TRawKey& raw : ReadKeyTree(key.Root, key.Path)) {
        const std::string path = KeyPathText({key.Root, raw.Path});
        Add(jkErasedKey, {path});
        for (const auto& [name, value] : raw.Values) AddValue(path, name, value);
    }
}

void TInstallJournal::IniKeyToWrite(const std::string& file, const std::string& section, const std::string& key)
{
    if (!port::FileExists(file)) FileToCreate(file);
    const TIniFile ini(file);
    if (!ini.SectionExists(section)) Add(jkIniSection, {file, section});
    const std::optional<std::string> value = ini.ReadOptionalString(section, key);
    Add(jkIniKey, {file, section, key, value ? "1" : "0", value.value_or("")});
}

void TInstallJournal::Commit()
{
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
    DropJournal(title_);
    if (!backups_.empty()) RemoveBackups(backups_, backupNames_);
}

void TInstallJournal::Add(TJournalKind kind, std::vector<std::string> fields)
{
    const std::wstring line = port::Widened(EncodeJournalEntry({kind, std::move(fields)}));
    const std::wstring name = port::Widened(JournalLineName(static_cast<std::uint64_t>(++lines_)));
    // A change the journal does not hold could not be undone: none is made.
    if (key_ == nullptr || RegSetValueExW(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(line.c_str()),
                                          static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        throw Exception("Cannot write the installation's journal " + JournalKeyText(keyPath_));
    if (StepSeam()) StepSeam()(lines_);
}

void TInstallJournal::AddValue(const std::string& keyPath, const std::string& name,
                               const std::optional<TRawValue>& value)
{
    Add(jkValue, {keyPath, name, value ? "1" : "0", std::to_string(value ? value->Type : 0),
                  value ? HexOfBytes(value->Data) : ""});
}

std::string TInstallJournal::NextBackup()
{
    if (backups_.empty()) {
        backups_ = CreateScratchFolder(BackupsParentDir() + "Setup Backups\\");
        Add(jkBackups, {backups_});
    }
    const std::string name = HexDigits(backupNames_.size() + 1, 8) + ".bak";
    backupNames_.push_back(name);
    return backups_ + name;
}

void SetJournalStepSeam(std::function<void(int)> seam)
{
    StepSeam() = std::move(seam);
}
