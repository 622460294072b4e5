#pragma once
// What the install tests share: a progress recorder, the record read back from its raw text, the user's
// shell folders moved into a scratch directory, a shell link read back through COM, and registry keys and
// Windows-directory files removed after the test.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/install/InstallJournal.h"
#include "app/install/InstallProgress.h"
#include "config/TextFields.h"
#include "settings/Registry.h"
#include "testsupport/ScratchDir.h"

// The journal of steps run on their own, outside an install run: committed when the test ends, so that neither it
// nor what it moved aside stays behind.
class CommittedJournal : public TInstallJournal {
public:
    CommittedJournal() : TInstallJournal("Setup Tests Steps") {}
    ~CommittedJournal() { Commit(); }
    CommittedJournal(const CommittedJournal&) = delete;
    CommittedJournal& operator=(const CommittedJournal&) = delete;
};

class ProgressRecorder : public TInstallProgress {
public:
    void SetCaption(TInstallLabel label, const std::string& caption) override
    {
        static constexpr std::array<const char*, 3> names{"Dest1", "Label1", "Label2"};
        Events.push_back(std::string(names.at(static_cast<std::size_t>(label))) + ": " + caption);
    }
    void SetProgressRange(int maximum) override { Events.push_back("range " + std::to_string(maximum)); }
    void SetProgressPosition(int position) override { Position = position; }
    void ShowStageMark(TInstallStage stage) override
    {
        static constexpr std::array<const char*, 3> names{"Image1", "StepMarks 1", "StepMarks 2"};
        Events.push_back(std::string("mark ") + names.at(static_cast<std::size_t>(stage)));
    }
    void ProcessMessages() override { ++Messages; }
    void Log(const std::string& event) override { Logged.push_back(event); }

    // The events in order, without the captions of one label.
    std::vector<std::string> Without(const std::string& prefix) const
    {
        std::vector<std::string> kept;
        for (const std::string& event : Events)
            if (!event.starts_with(prefix)) kept.push_back(event);
        return kept;
    }

    std::vector<std::string> Events;
    std::vector<std::string> Logged;
    int Position = 0;
    int Messages = 0;
};

// An INI file's sections in file order, each with its key names in file order, from the raw text.
using RawSections = std::vector<std::pair<std::string, std::vector<std::string>>>;

inline RawSections ReadRawSections(const std::string& path)
{
    RawSections sections;
    for (const std::string& line : SplitLines(WithoutUtf8Mark(ScratchDir::Read(path)))) {
        if (line.starts_with('[') && line.ends_with(']'))
            sections.emplace_back(line.substr(1, line.size() - 2), std::vector<std::string>());
        else if (!sections.empty() && line.find('=') != std::string::npos)
            sections.back().second.push_back(line.substr(0, line.find('=')));
    }
    return sections;
}

inline std::vector<std::string> SectionNames(const RawSections& sections)
{
    std::vector<std::string> names;
    for (const auto& section : sections) names.push_back(section.first);
    return names;
}

inline std::vector<std::string> SectionKeys(const RawSections& sections, const std::string& name)
{
    for (const auto& section : sections)
        if (section.first == name) return section.second;
    return {};
}

// One registry value as it was, type and bytes, put back when the test ends (or removed when it was missing).
class SavedValue {
public:
    SavedValue(HKEY root, std::string key, std::string name) : root_(root), key_(std::move(key)), name_(std::move(name))
    {
        HKEY opened = nullptr;
        if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
        DWORD size = 0;
        if (RegQueryValueExA(opened, name_.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
            data_.resize(size);
            present_ = RegQueryValueExA(opened, name_.c_str(), nullptr, &type_, reinterpret_cast<BYTE*>(data_.data()),
                                        &size) == ERROR_SUCCESS;
            data_.resize(size);
        }
        RegCloseKey(opened);
    }
    ~SavedValue()
    {
        HKEY opened = nullptr;
        if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr) != 0) return;
        if (present_)
            RegSetValueExA(opened, name_.c_str(), 0, type_, reinterpret_cast<const BYTE*>(data_.data()),
                           static_cast<DWORD>(data_.size()));
        else
            RegDeleteValueA(opened, name_.c_str());
        RegCloseKey(opened);
    }
    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;

private:
    HKEY root_;
    std::string key_;
    std::string name_;
    bool present_ = false;
    DWORD type_ = REG_NONE;
    std::string data_;
};

// The number of values a key holds; 0 when it is missing.
inline std::size_t ValueCount(HKEY root, const std::string& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return 0;
    DWORD values = 0;
    RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(opened);
    return values;
}

// Every value of a key as it was, written back when the test ends: a test that could wipe a key the system
// needs (the environment) leaves the shared prefix as it found it even when it fails.
class SavedKeyValues {
public:
    SavedKeyValues(HKEY root, const std::string& key)
    {
        HKEY opened = nullptr;
        if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
        std::vector<std::string> names;
        for (DWORD index = 0;; ++index) {
            char name[16384];
            DWORD length = sizeof name;
            if (RegEnumValueA(opened, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            names.emplace_back(name, length);
        }
        RegCloseKey(opened);
        for (const std::string& name : names) saved_.push_back(std::make_unique<SavedValue>(root, key, name));
    }

private:
    std::vector<std::unique_ptr<SavedValue>> saved_;
};

// Desktop, Programs and Start Menu of the user moved into dir for one test, and put back afterwards.
// Both keys are set: the shell writes "Shell Folders" again from "User Shell Folders" whenever it looks
// a folder up, as saving a shell link does.
class ScratchShellFolders {
public:
    explicit ScratchShellFolders(const std::string& dir)
        : Desktop(dir + "Desktop\\"), Programs(dir + "Start Menu\\Programs\\"), StartMenu(dir + "Start Menu\\")
    {
        const std::array<std::pair<const char*, std::string>, 3> folders{
            {{"Desktop", Desktop}, {"Start Menu", StartMenu}, {"Programs", Programs}}};
        for (const char* key : {kShellFolders, kUserShellFolders}) {
            TRegistry registry(HKEY_CURRENT_USER);
            EXPECT_TRUE(registry.OpenKey(key, true));
            for (const auto& [name, path] : folders) {
                saved_.push_back(std::make_unique<SavedValue>(HKEY_CURRENT_USER, key, name));
                registry.WriteString(name, path.substr(0, path.size() - 1));
            }
        }
        for (const auto& folder : folders) CreateDirectoryA(folder.second.c_str(), nullptr);
    }

    const std::string Desktop;
    const std::string Programs;
    const std::string StartMenu;

private:
    static constexpr const char* kShellFolders =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    static constexpr const char* kUserShellFolders =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    std::vector<std::unique_ptr<SavedValue>> saved_;
};

// A saved shell link as IShellLinkA reads it back.
struct LinkContents {
    bool Loaded = false;
    std::string Target;
    std::string WorkingDirectory;
    std::string IconFile;
};

inline LinkContents ReadShellLink(const std::string& path)
{
    LinkContents contents;
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring wide(path.begin(), path.end());
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
            char buffer[MAX_PATH] = {};
            int icon = 0;
            contents.Loaded = true;
            if (SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH))) contents.Target = buffer;
            buffer[0] = '\0';
            if (SUCCEEDED(link->GetWorkingDirectory(buffer, MAX_PATH))) contents.WorkingDirectory = buffer;
            buffer[0] = '\0';
            if (SUCCEEDED(link->GetIconLocation(buffer, MAX_PATH, &icon))) contents.IconFile = buffer;
        }
    }
    if (file != nullptr) file->Release();
    if (link != nullptr) link->Release();
    CoUninitialize();
    return contents;
}

// Registry keys under the two roots and files of the Windows directory that a test makes, removed at
// its start and end.
class Leftovers {
public:
    Leftovers(std::vector<std::pair<HKEY, std::string>> keys, std::vector<std::string> files)
        : keys_(std::move(keys)), files_(std::move(files))
    {
        Remove();
    }
    ~Leftovers() { Remove(); }
    Leftovers(const Leftovers&) = delete;
    Leftovers& operator=(const Leftovers&) = delete;

private:
    void Remove() const
    {
        for (const auto& [root, path] : keys_) TRegistry(root).DeleteKey(path);
        for (const std::string& file : files_) DeleteFileA(file.c_str());
    }

    std::vector<std::pair<HKEY, std::string>> keys_;
    std::vector<std::string> files_;
};

inline bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

inline std::string RegistryString(HKEY root, const std::string& key, const std::string& name)
{
    TRegistry registry(root);
    return registry.OpenKeyReadOnly(key) ? registry.ReadString(name) : "<no key>";
}
