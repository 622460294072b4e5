// The elevated run's log goes only to a plain file: a link planted at its name would lead the writes into
// someone else's file, and a folder or device is no log.
#include "app/run/RunLog.h"

#include <gtest/gtest.h>

#include "testsupport/ScratchDir.h"
#include "testsupport/UnixLink.h"

namespace {

TEST(RunLog, OnlyAPlainFileOrANewNameIsTaken)
{
    ScratchDir scratch;
    ASSERT_TRUE(MakeUnixLink(scratch.Path(), scratch / "linked.log"));
    CreateDirectoryA((scratch / "Folder").c_str(), nullptr);
    for (const std::string& refused : {scratch / "linked.log", scratch / "Folder", std::string("\\\\.\\NUL")}) {
        TRunLog log;
        EXPECT_NE(log.Open(refused).find(refused), std::string::npos) << refused;
    }
    // Wine shows a link to a file as a plain file; Windows marks it as a link, as this one is.
    const auto linkToAFile = [](const std::string&) -> std::uint32_t {
        return FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT;
    };
    EXPECT_NE(RefusalOfLogFile(scratch / "victim.txt", linkToAFile), "");

    ScratchDir::Write(scratch / "old.log", "an earlier run's");
    for (const std::string& taken : {scratch / "new.log", scratch / "old.log"}) {
        {
            TRunLog log;
            EXPECT_EQ(log.Open(taken), "") << taken;
            log.Line("written");
        }
        EXPECT_EQ(ScratchDir::Read(taken), "written\r\n");
    }
    RemoveUnixLinks({scratch / "linked.log"});
}

}  // namespace
