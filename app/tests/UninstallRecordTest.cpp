#include "app/install/UninstallRecord.h"

#include <gtest/gtest.h>

#include "InstallTestSupport.h"
#include "app/record/RecordFormat.h"
#include "app/record/UninstallRecordReader.h"
#include "config/TextFields.h"

namespace {

using Keys = std::vector<std::string>;

// The profile API cuts keys at "=", trims blanks and takes ";" and "[" lines for other things: names like
// these are legitimate (a folder whose field had a blank before its comma, a value named with "="), and each
// must come back exactly, or the uninstaller would act on another path.
TEST(UninstallRecord, EveryNameReadsBackExactly)
{
    ScratchDir scratch;
    TUninstallRecord record(scratch.Path());
    record.Open();
    const Keys files{"C:\\a=b\\x.txt", ";C:\\x.txt", "[C:\\x.txt", " C:\\x.txt", "C:\\x.txt ", "C:\\x\r\ny.txt",
                     "C:\\100%\\x.txt", "%C:\\x.txt", "C:\\plain.txt"};
    for (const std::string& file : files) record.AddFile(file);
    record.AddFolder("C:\\Start Menu\\My Tools ");
    record.AddRegistryKey("HKEY_CURRENT_USER\\Software\\Acme\\App ");
    record.AddRegistryValue("HKEY_CURRENT_USER\\Software\\Ac|me", "Na=me|x ");
    record.AddIniKey("C:\\w\\a.ini", "Sec|tion", "Key");
    record.AddIniSection("C:\\w\\a.ini", " Padded ");
    record.AddCreatedKey("HKEY_CURRENT_USER\\Software\\Acme\\%Sub");
    // A name with a wildcard cannot be a file, and as a key it would match the user's files.
    record.AddFile("C:\\Users\\Desktop\\*.lnk");
    record.AddDirectoryFiles("C:\\App?\\");
    record.SetTitle("Title", "Title");

    const TUninstallRecordContents read = ReadUninstallRecord(scratch.Path());
    EXPECT_EQ(read.Files, files);
    EXPECT_EQ(read.Folders, Keys{"C:\\Start Menu\\My Tools "});
    EXPECT_EQ(read.RegistryKeys, Keys{"HKEY_CURRENT_USER\\Software\\Acme\\App "});
    ASSERT_EQ(read.RegistryValues.size(), 1u);
    EXPECT_EQ(read.RegistryValues[0].KeyPath, "HKEY_CURRENT_USER\\Software\\Ac|me");
    EXPECT_EQ(read.RegistryValues[0].Name, "Na=me|x ");
    ASSERT_EQ(read.IniKeys.size(), 1u);
    EXPECT_EQ(read.IniKeys[0].Section, "Sec|tion");
    ASSERT_EQ(read.IniSections.size(), 1u);
    EXPECT_EQ(read.IniSections[0].Section, " Padded ");
    EXPECT_EQ(read.CreatedKeys, Keys{"HKEY_CURRENT_USER\\Software\\Acme\\%Sub"});
    EXPECT_EQ(SectionKeys(ReadRawSections(record.Path()), "Files").back(), "C:\\plain.txt") << "plain keys stay plain";
}

// Names in any script come back byte for byte, and the file is UTF-8 after its byte-order mark, whatever the
// code page of the program that wrote it.
TEST(UninstallRecord, UnicodeNamesReadBackByteForByte)
{
    ScratchDir scratch;
    TUninstallRecord record(scratch.Path());
    record.Open();
    const std::string polish = "C:\\Program Files\\Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 g\xC4\x99\xC5\x9Bl\xC4\x85\\";
    const std::string japanese =
        "C:\\\xE3\x83\x97\xE3\x83\xAD\xE3\x82\xB0\xE3\x83\xA9\xE3\x83\xA0\\\xE6\x97\xA5\xE6\x9C\xAC.txt";
    const Keys files{polish + "*.*", japanese, polish + "=\xE5\x90\x8D\xE5\x89\x8D ", japanese + " "};
    record.AddDirectoryFiles(polish);
    for (std::size_t i = 1; i < files.size(); ++i) record.AddFile(files[i]);
    record.AddFile(japanese);
    record.AddFolder(polish);
    record.AddIniKey(polish + "a.ini", "\xE6\x97\xA5", "Za\xC5\xBC|x");
    record.AddPlacedFile(japanese);
    record.SetTitle("Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xE6\x97\xA5\xE6\x9C\xAC", "Za\xC5\xBC.Notes");

    const TUninstallRecordContents read = ReadUninstallRecord(scratch.Path());
    EXPECT_EQ(read.Files, files) << "a name recorded twice is one key";
    EXPECT_EQ(read.Folders, Keys{polish});
    ASSERT_EQ(read.IniKeys.size(), 1u);
    EXPECT_EQ(read.IniKeys[0].Section, "\xE6\x97\xA5");
    EXPECT_EQ(read.IniKeys[0].Key, "Za\xC5\xBC|x");
    EXPECT_EQ(read.Title, "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xE6\x97\xA5\xE6\x9C\xAC");
    EXPECT_EQ(read.EntryKey, "Za\xC5\xBC.Notes");
    EXPECT_EQ(read.PlacedFiles, Keys{japanese}) << "saved with the title, the write after it";
    const std::string text = ScratchDir::Read(record.Path());
    EXPECT_TRUE(text.starts_with(std::string(kUtf8Mark) + "[Files]\r\n" + polish + "*.*=\r\n")) << text;
    EXPECT_NE(text.find("\r\n" + japanese + "=\r\n"), std::string::npos) << "plain keys stay plain";
}

TEST(RecordKey, BrokenEscapesAndMissingFieldsReadAsNothing)
{
    for (const char* broken : {"%C:\\x%", "%C:\\x%4", "%C:\\x%G0", "%a|b"})
        EXPECT_EQ(DecodeRecordKey(broken, 1), std::nullopt) << broken;
    EXPECT_EQ(DecodeRecordKey("no bar", 2), std::nullopt);
    EXPECT_EQ(DecodeRecordKey("a|b|c", 2), (std::vector<std::string>{"a", "b|c"}));
    EXPECT_EQ(DecodeRecordKey(EncodeRecordKey({"a|b", "c"}), 2), (std::vector<std::string>{"a|b", "c"}));
}

}  // namespace
