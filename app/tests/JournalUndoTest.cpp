// A journal as a damaged registry or a run of another version may leave it, on a machine where a folder was swapped
// for a link since: what can be read is undone, what cannot is named, a file that never went aside stays, nothing is
// reached through the link, and the journal is gone afterwards.
#include "app/install/JournalUndo.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "InstallTestSupport.h"
#include "app/install/InstallJournal.h"
#include "app/install/JournalEntry.h"
#include "port/FileSystem.h"
#include "settings/Registry.h"
#include "testsupport/UnixLink.h"

namespace {

constexpr const char* kTitle = "Setup Tests Journal\\100%";
constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\SetupTestsJournal";

std::string RegistrySz(const std::wstring& text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.c_str());
    return HexOfBytes(std::vector<unsigned char>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t)));
}

void WriteJournal(const std::vector<std::string>& lines)
{
    TRegistry journal(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(journal.OpenKey(JournalKeyPath(kTitle), true));
    for (std::size_t line = 0; line < lines.size(); ++line) journal.WriteString(JournalLineName(line + 1), lines[line]);
}

TEST(JournalUndo, WhatCanBeReadIsUndoneLastLineFirstAndTheRestNamed)
{
    ScratchDir scratch;
    Leftovers leftovers({{HKEY_CURRENT_USER, "Software\\SetupTestsJournal"}}, {});
    const std::string created = scratch / "created.txt";
    const std::string replaced = scratch / "replaced.txt";
    const std::string neverMoved = scratch / "never moved.txt";
    ScratchDir::Write(created, "the run's");
    ScratchDir::Write(replaced, "the run's copy");
    ScratchDir::Write(scratch / "1.bak", "the user's replaced.txt");
    ScratchDir::Write(neverMoved, "the user's");
    port::MakeDir(scratch / "elsewhere");
    ScratchDir::Write(scratch / "elsewhere\\victim.txt", "another user's");
    ASSERT_TRUE(MakeUnixLink(scratch / "elsewhere", scratch / "linked"));
    const std::string throughLink = scratch / "linked\\victim.txt";
    TRegistry key(HKEY_CURRENT_USER);
    ASSERT_TRUE(key.OpenKey("Software\\SetupTestsJournal", true));
    key.WriteString("Name", "the run's");
    key.WriteString("Added", "the run's");
    WriteJournal({EncodeJournalEntry({jkNewFile, {throughLink}}), EncodeJournalEntry({jkNewFile, {created}}),
                  EncodeJournalEntry({jkMovedAside, {replaced, scratch / "1.bak"}}),
                  EncodeJournalEntry({jkMovedAside, {neverMoved, scratch / "2.bak"}}), "garbage|" + neverMoved,
                  EncodeJournalEntry({jkValue, {kKey, "Name", "1", "1", RegistrySz(L"the user's")}}),
                  EncodeJournalEntry({jkValue, {kKey, "Broken", "1", "1", "not hex"}}),
                  EncodeJournalEntry({jkValue, {kKey, "Added", "0", "0", ""}})});

    const TUndoReport report = UndoJournal(kTitle);
    RemoveUnixLinks({scratch / "linked"});

    EXPECT_TRUE(report.Found);
    EXPECT_EQ(UndoneMessage("Stopped.", report),
              "Stopped.\r\n\r\nThe installation was not completed, and what it had changed has been undone. These "
              "could not be put back as they were:\r\n" +
                  std::string(kKey) +
                  " [Broken] (its earlier data cannot be read from the journal)\r\n"
                  "a line of the journal that cannot be read: garbage|" +
                  neverMoved + "\r\n" + throughLink + " (it is reached through a link now, and is left as it is)");
    EXPECT_EQ(ScratchDir::Read(scratch / "elsewhere\\victim.txt"), "another user's");
    EXPECT_FALSE(port::FileExists(created));
    EXPECT_EQ(ScratchDir::Read(replaced), "the user's replaced.txt");
    EXPECT_EQ(ScratchDir::Read(neverMoved), "the user's") << "its backup was never made: it never went aside";
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, "Software\\SetupTestsJournal", "Name"), "the user's");
    EXPECT_FALSE(key.ValueExists("Added"));
    EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).KeyExists(JournalKeyPath(kTitle)));
    EXPECT_FALSE(UndoJournal(kTitle).Found) << "undone once";
    EXPECT_EQ(InterruptedRunMessage(kTitle, {}), "");
}

// Every title has a key of its own, one that names no other key.
TEST(JournalUndo, TitlesThatWouldNameOtherKeysAreEscaped)
{
    EXPECT_EQ(JournalKeyPath("A\\B"), std::string(kJournalsKey) + "\\A%5CB");
    EXPECT_NE(JournalKeyPath("A\\B"), JournalKeyPath("A%5CB"));
    EXPECT_EQ(JournalKeyPath(""), std::string(kJournalsKey) + "\\%");
    const std::string longTitle(300, 'T');
    EXPECT_EQ(JournalKeyPath(longTitle).size(), std::string(kJournalsKey).size() + 1 + 255);
    EXPECT_NE(JournalKeyPath(longTitle), JournalKeyPath(longTitle + "2"));
    TInstallJournal journal(longTitle);  // raises when its key cannot be made
    journal.Commit();
}

}  // namespace
