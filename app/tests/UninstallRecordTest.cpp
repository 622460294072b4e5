#include "app/UninstallRecord.h"

#include <gtest/gtest.h>

#include "InstallTestSupport.h"
#include "port/Exception.h"

namespace {

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
