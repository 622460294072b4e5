#include "app/install/JournalUndo.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <optional>

#include "app/install/JournalEntry.h"
#include "app/install/RawRegistry.h"
#include "app/record/FileKeyRules.h"
#include "app/record/KeyPath.h"
#include "config/TextFields.h"
#include "port/FileSystem.h"
#include "port/win32/WideText.h"
#include "settings/IniFile.h"
#include "settings/RegistryView.h"
#include "shell/Elevation.h"
#include "shell/ReparsePoints.h"
#include "shell/ScratchFolder.h"

namespace {

// The journal's lines in the order they were written: its values are numbered from 1 without a gap. A value
// that is no line of text reads as "".
std::vector<std::string> JournalLines(const std::string& keyPath, bool& found)
{
    found = RawKeyExists(JournalRoot(), keyPath);
    std::vector<std::string> lines;
    for (std::uint64_t number = 1; found; ++number) {
        const std::optional<TRawValue> value = ReadRawValue(JournalRoot(), keyPath, JournalLineName(number));
        if (!value) break;
        std::wstring text(value->Data.size() / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), value->Data.data(), text.size() * sizeof(wchar_t));
        lines.push_back(value->Type == REG_SZ ? port::Narrowed(text.c_str()) : "");
    }
    return lines;
}

// A registry type as the journal writes it: decimal digits.
std::optional<DWORD> TypeOf(const std::string& text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    DWORD type = 0;
    for (const char digit : text) type = type * 10 + static_cast<DWORD>(digit - '0');
    return type;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesW(port::SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DeleteWhatever(const std::string& path)
{
    const std::wstring system = port::SystemPath(path);
    SetFileAttributesW(system.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(system.c_str()) != 0 || !Exists(path);
}

bool NamesAFile(TJournalKind kind)
{
    return kind == jkDirectory || kind == jkGoneDirectory || kind == jkNewFile || kind == jkMovedAside ||
           kind == jkCopiedAside || kind == jkIniKey || kind == jkIniSection;
}

// File names cannot hold "|".
std::vector<std::string> SplitAtBars(std::string text)
{
    std::vector<std::string> names;
    while (!text.empty()) names.push_back(SplitFirst(text, '|'));
    return names;
}

class TUndo {
public:
    explicit TUndo(TUndoReport& report) : report_(report) {}

    void Line(const std::string& line)
    {
        const std::optional<TJournalEntry> entry = DecodeJournalEntry(line);
        if (!entry) return Fail("a line of the journal that cannot be read: " + line);
        const std::vector<std::string>& f = entry->Fields;
        // A folder on the way swapped for a link since the run would lead the change somewhere else.
        if (NamesAFile(entry->Kind) && ReachesThroughLink(f[0]))
            return Fail(f[0] + " (it is reached through a link now, and is left as it is)");
        switch (entry->Kind) {
            case jkBackups:
                backups_ = f[0];
                break;
            case jkScratch:
                scratch_ = f;
                break;
            case jkDirectory:
                Directory(f[0]);
                break;
            case jkNewFile:
                NewFile(f[0]);
                break;
            case jkMovedAside:
                MovedAside(f[0], f[1]);
                break;
            case jkCopiedAside:
                CopiedAside(f[0], f[1]);
                break;
            case jkNewKey:
                NewKey(f[0]);
                break;
            case jkErasedKey:
                ErasedKey(f[0]);
                break;
            case jkValue:
                Value(f);
                break;
            case jkIniKey:
                IniKey(f);
                break;
            case jkIniSection:
                IniSection(f[0], f[1]);
                break;
            case jkGoneDirectory:
                if (!port::IsDirectory(f[0]) && !CreateDirectoryW(port::SystemPath(f[0]).c_str(), nullptr))
                    Fail(f[0] + " (the folder could not be made again)");
                break;
        }
    }

    // The backups and the scratch folder, once everything is back.
    void Finish() const
    {
        if (IsAbsoluteDirectory(backups_)) RemoveBackups(backups_, backupNames_);
        if (scratch_.size() == 3 && IsAbsoluteDirectory(scratch_[0]) && !scratch_[1].empty() &&
            FolderIdentity(scratch_[0]) == scratch_[1])
            RemoveScratchFolder(scratch_[0], SplitAtBars(scratch_[2]));
    }

private:
    void Fail(const std::string& what) { report_.NotRestored.push_back(what); }

    void Directory(const std::string& dir)
    {
        if (port::IsDirectory(dir) && !RemoveDirectoryW(port::SystemPath(dir).c_str()))
            Fail(dir + " (a folder the installation created holds what it did not put there)");
    }

    void NewFile(const std::string& path)
    {
        if (!DeleteWhatever(path)) Fail(path + " (cannot be deleted: " + port::LastSystemError() + ")");
    }

    // Only when the file is still among the backups: otherwise it was never moved, and path is the machine's.
    void MovedAside(const std::string& path, const std::string& backup)
    {
        backupNames_.push_back(FileNamePart(backup));
        if (!Exists(backup)) return;
        if (Exists(path) && !DeleteWhatever(path))
            return Fail(path + " (cannot be replaced: " + port::LastSystemError() + ")");
        if (!MoveFileExW(port::SystemPath(backup).c_str(), port::SystemPath(path).c_str(), MOVEFILE_COPY_ALLOWED))
            Fail(path + " (cannot be put back: " + port::LastSystemError() + ")");
    }

    void CopiedAside(const std::string& path, const std::string& backup)
    {
        backupNames_.push_back(FileNamePart(backup));
        if (!Exists(backup)) return;
        SetFileAttributesW(port::SystemPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!CopyFileW(port::SystemPath(backup).c_str(), port::SystemPath(path).c_str(), FALSE))
            Fail(path + " (cannot be put back: " + port::LastSystemError() + ")");
    }

    void NewKey(const std::string& text)
    {
        const TKeyPath key = ParseKeyPath(text);
        if (NamesAKey(key) && !DeleteKeyIfEmpty(key.Root, key.Path))
            Fail(text + " (a key the installation created holds what it did not put there)");
    }

    void ErasedKey(const std::string& text)
    {
        const TKeyPath key = ParseKeyPath(text);
        if (NamesAKey(key) && !CreateRawKey(key.Root, key.Path)) Fail(text + " (cannot be created again)");
    }

    // key | name | existed | type | data
    void Value(const std::vector<std::string>& f)
    {
        const TKeyPath key = ParseKeyPath(f[0]);
        if (!NamesAKey(key)) return Fail("a value of no key: " + f[0]);
        const std::string what = f[0] + " [" + f[1] + "]";
        if (f[2] != "1") {
            if (!DeleteRawValue(key.Root, key.Path, f[1])) Fail(what + " (cannot be deleted)");
            return;
        }
        const std::optional<DWORD> type = TypeOf(f[3]);
        const std::optional<std::vector<unsigned char>> data = BytesOfHex(f[4]);
        if (!type || !data) return Fail(what + " (its earlier data cannot be read from the journal)");
        if (!WriteRawValue(key.Root, key.Path, f[1], {*type, *data})) Fail(what + " (cannot be written)");
    }

    // file | section | key | existed | value
    void IniKey(const std::vector<std::string>& f)
    {
        if (!IsAbsolutePath(f[0])) return Fail("an INI file of no folder: " + f[0]);
        try {
            TIniFile ini(f[0]);
            if (f[3] == "1")
                ini.WriteString(f[1], f[2], f[4]);
            else if (port::FileExists(f[0]))
                ini.DeleteKey(f[1], f[2]);
            ini.UpdateFile();
        } catch (const std::exception&) {
            Fail(f[0] + " [" + f[1] + "] " + f[2] + " (cannot be written)");
        }
    }

    void IniSection(const std::string& file, const std::string& section)
    {
        if (!IsAbsolutePath(file) || !port::FileExists(file)) return;
        try {
            TIniFile ini(file);
            if (!ini.SectionExists(section) || !ini.ReadSection(section).empty()) return;
            ini.EraseSection(section);
            ini.UpdateFile();
        } catch (const std::exception&) {
            Fail(file + " [" + section + "] (cannot be removed)");
        }
    }

    TUndoReport& report_;
    std::string backups_;
    std::vector<std::string> backupNames_;
    std::vector<std::string> scratch_;
};

std::string NamedList(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names) list += "\r\n" + name;
    return list;
}

std::string HowItWasLeft(const TUndoReport& report)
{
    if (report.NotRestored.empty()) return "The computer is as it was before.";
    return "These could not be put back as they were:" + NamedList(report.NotRestored);
}

// The registry view the journal's run wrote in (kJournalViewValue).
REGSAM JournalView(const std::string& keyPath)
{
    const std::optional<TRawValue> value = ReadRawValue(JournalRoot(), keyPath, kJournalViewValue);
    if (!value || value->Type != REG_DWORD || value->Data.size() != sizeof(DWORD)) return 0;
    DWORD view = 0;
    std::memcpy(&view, value->Data.data(), sizeof view);
    return view == KEY_WOW64_64KEY ? KEY_WOW64_64KEY : 0;
}

}  // namespace

HKEY JournalRoot()
{
    return RunsElevated() ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

TUndoReport UndoJournal(const std::string& title)
{
    TUndoReport report;
    std::vector<std::string> lines;
    REGSAM view = 0;
    {
        const TRegistryViewScope journalsOwn(0);
        lines = JournalLines(JournalKeyPath(title), report.Found);
        view = JournalView(JournalKeyPath(title));
    }
    if (!report.Found) return report;
    // Its lines name the keys of the run's view, also when the product's configuration is not read yet.
    const TRegistryViewScope runs(view);
    TUndo undo(report);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) undo.Line(*line);
    undo.Finish();
    DropJournal(title);
    return report;
}

void DropJournal(const std::string& title)
{
    const TRegistryViewScope journalsOwn(0);
    RegDeleteTreeW(JournalRoot(), port::Widened(JournalKeyPath(title)).c_str());
    DeleteKeyIfEmpty(JournalRoot(), kJournalsKey);
}

void RemoveBackups(const std::string& dir, const std::vector<std::string>& names)
{
    std::vector<std::string> files;
    for (const std::string& name : names) {
        files.push_back(name);
        files.push_back(name + ".part");
    }
    RemoveScratchFolder(dir, files);
}

std::string FolderIdentity(const std::string& dir)
{
    const HANDLE folder =
        CreateFileW(port::SystemPath(dir).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return "";
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(folder, &information) != 0;
    CloseHandle(folder);
    if (!known) return "";
    return HexDigits(information.dwVolumeSerialNumber, 8) + HexDigits(information.nFileIndexHigh, 8) +
           HexDigits(information.nFileIndexLow, 8);
}

std::string UndoneMessage(const std::string& why, const TUndoReport& report)
{
    return why + "\r\n\r\nThe installation was not completed, and what it had changed has been undone. " +
           HowItWasLeft(report);
}

std::string InterruptedRunMessage(const std::string& title, const TUndoReport& report)
{
    if (!report.Found) return "";
    return "An installation of " + title + " that did not finish has been undone. " + HowItWasLeft(report);
}
