#include "app/UninstallRecord.h"

#include <gtest/gtest.h>

#include "InstallTestSupport.h"
#include "port/Exception.h"

namespace {

using Keys = std::vector<std::string>;

TEST(UninstallRecord, OpenStartsAfreshAndKeysKeepTheirFirstPlace)
{
    ScratchDir scratch;
    TUninstallRecord record(scratch.Path());
    ScratchDir::Write(record.Path(), "[Files]\r\nC:\\Old\\*.*=\r\n");
    record.Open();
    EXPECT_EQ(ScratchDir::Read(record.Path()), "");
    record.AddDirectoryFiles("C:\\App\\");
    record.AddFolder("C:\\App\\Logs\\");
    record.AddFile("C:\\Windows\\x.dll");
    record.AddDirectoryFiles("c:\\app\\");
    record.AddRegistryValue("HKEY_CURRENT_USER\\Software\\Vendor\\Run", "Tool");
    record.AddIniKey("C:\\Windows\\win.ini", "Section", "Key");
    record.SetTitle("My App");
    EXPECT_EQ(ReadRawSections(record.Path()),
              (RawSections{{"Files", {"C:\\App\\*.*", "C:\\Windows\\x.dll"}},
                           {"Folder", {"C:\\App\\Logs\\"}},
                           {"Registry Values", {"HKEY_CURRENT_USER\\Software\\Vendor\\Run|Tool"}},
                           {"INI Keys", {"C:\\Windows\\win.ini|Section|Key"}},
                           {"Name", {"Title"}}}));
}

TEST(UninstallRecord, KeysThatWouldReadBackAsOtherPathsAreRefused)
{
    ScratchDir scratch;
    TUninstallRecord record(scratch.Path());
    record.Open();
    const std::string message = "Unable to write to " + record.Path();
    for (const char* key :
         {"C:\\a=b\\x.txt", ";C:\\x.txt", "[C:\\x.txt", " C:\\x.txt", "C:\\x.txt ", "C:\\x\r\ny.txt"}) {
        try {
            record.AddFile(key);
            ADD_FAILURE() << key << " was written";
        } catch (const Exception& error) {
            EXPECT_EQ(std::string(error.what()), message);
        }
    }
    // A name with a wildcard cannot be a file, and as a key it would match the user's files.
    record.AddFile("C:\\Users\\Desktop\\*.lnk");
    record.AddDirectoryFiles("C:\\App?\\");
    EXPECT_EQ(ScratchDir::Read(record.Path()), "");
}

}  // namespace
