#pragma once
// One line of an installation's journal: what the run is about to change and what it needs to put it back.
// The journal is a registry key below HKEY_LOCAL_MACHINE\Software (only administrators may write there), named
// by the product's uninstall entry key, so that the next run of the product finds it; each line is a value
// named by its number, its fields kept as the uninstall record keeps a key's (app/record/RecordFormat.h).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum TJournalKind {
    jkBackups,        // dir: the folder of the moved-aside files (created by the run)
    jkScratch,        // dir | volume and file index | the names of its files joined by "|": the run's scratch folder
    jkDirectory,      // dir: about to be created
    jkNewFile,        // path: about to be created where no file was
    jkMovedAside,     // path | backup: about to be moved into the backups
    jkCopiedAside,    // path | backup: about to be copied into the backups and then changed in place
    jkNewKey,         // key path: about to be created
    jkErasedKey,      // key path: about to be erased (its values follow as jkValue lines)
    jkValue,          // key path | name | "1" when it existed | type | data in hex
    jkIniKey,         // file | section | key | "1" when it existed | value
    jkIniSection,     // file | section: about to be added
    jkGoneDirectory,  // dir: an empty folder about to be removed
};

struct TJournalEntry {
    TJournalKind Kind = jkDirectory;
    std::vector<std::string> Fields;  // after the kind
};

std::string EncodeJournalEntry(const TJournalEntry& entry);

// Nothing for a line that names no kind or holds another number of fields than its kind has.
std::optional<TJournalEntry> DecodeJournalEntry(const std::string& line);

// The journal's key below HKEY_LOCAL_MACHINE for the product whose uninstall entry key is title. A title
// that names no single key ("", or one with "\") is spelled with "%" escapes, so every title has a key
// of its own; one longer than a key's name may be is cut, and ends in "%" and a hash of the whole title.
std::string JournalKeyPath(const std::string& title);

// The name of the journal's line number (from 1).
std::string JournalLineName(std::uint64_t number);

// A value of the journal's key beside its lines: KEY_WOW64_64KEY when the run kept its keys in the 64-bit registry
// view, whose lines then name keys of that view.
inline constexpr const char* kJournalViewValue = "View";

// The parent of every journal's key, removed once it holds none.
inline constexpr const char* kJournalsKey = "Software\\Setup Journals";

// Bytes as hex digits and back; nothing for text that is not an even count of hex digits.
std::string HexOfBytes(const std::vector<unsigned char>& bytes);
std::optional<std::vector<unsigned char>> BytesOfHex(const std::string& text);
