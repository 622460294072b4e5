#include "app/install/UninstallRecord.h"

#include <gtest/gtest.h>

#include "InstallTestSupport.h"
#include "app/record/RecordFormat.h"
#include "app/record/UninstallRecordReader.h"

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
    record.SetTitle("Title");

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

TEST(RecordKey, BrokenEscapesAndMissingFieldsReadAsNothing)
{
    for (const char* broken : {"%C:\\x%", "%C:\\x%4", "%C:\\x%G0", "%a|b"})
        EXPECT_EQ(DecodeRecordKey(broken, 1), std::nullopt) << broken;
    EXPECT_EQ(DecodeRecordKey("no bar", 2), std::nullopt);
    EXPECT_EQ(DecodeRecordKey("a|b|c", 2), (std::vector<std::string>{"a", "b|c"}));
    EXPECT_EQ(DecodeRecordKey(EncodeRecordKey({"a|b", "c"}), 2), (std::vector<std::string>{"a|b", "c"}));
}

}  // namespace
