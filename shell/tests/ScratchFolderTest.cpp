// The run's scratch folders are made, never found: names that are taken, by a folder another user prepared or
// by a link to someone else's folder, are passed over, and at the end only the run's own files go.
#include "shell/ScratchFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <set>

#include "port/FileSystem.h"
#include "shell/ReparsePoints.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/UnixLink.h"

namespace {

TEST(ScratchFolder, ANameThatIsTakenIsPassedOverAndOnlyTheRunsFilesGo)
{
    ScratchDir temp;
    ScratchDir victim;
    ScratchDir::Write(victim / "thesis.doc", "theirs");
    port::MakeDir(temp / "z2000_101010");
    ScratchDir::Write(temp / "z2000_101010\\prepared.exe", "another user's program");
    ASSERT_TRUE(MakeUnixLink(victim.Path(), temp / "z2000_111111"));
    ScratchDir::Write(temp / "z2000_121212", "a file");

    std::set<std::string> made;
    for (const char* wanted :
         {"z2000_101010\\", "z2000_111111\\", "z2000_121212\\", "z2000_131313\\", "z2000_131313\\"}) {
        const std::string folder = CreateScratchFolder(temp / wanted);
        EXPECT_TRUE(made.insert(folder).second) << folder << ": two runs never share a folder";
        EXPECT_EQ(port::ListDirectory(folder).size(), 0U) << folder << " is new and empty";
        EXPECT_FALSE(IsReparsePoint(folder)) << folder;
        EXPECT_EQ(folder.rfind(temp / std::string(wanted).substr(0, 12), 0), 0U)
            << folder << ": the name it asked for leads";
    }
    EXPECT_TRUE(made.contains(temp / "z2000_131313\\")) << "a free name is taken as it is";

    const std::string folder = CreateScratchFolder(temp / "z2000_101010\\");
    ScratchDir::Write(folder + "install.cfg", "ours");
    ScratchDir::Write(folder + "launch.exe", "ours");
    ScratchDir::Write(folder + "slipped in.txt", "not ours");
    EXPECT_FALSE(RemoveScratchFolder(folder, {"install.cfg", "launch.exe", "never written.dat"}));
    EXPECT_EQ(port::ListDirectory(folder).size(), 1U) << "what the run did not write stays, and the folder with it";
    EXPECT_EQ(ScratchDir::Read(folder + "slipped in.txt"), "not ours");
    DeleteFileA((folder + "slipped in.txt").c_str());
    EXPECT_TRUE(RemoveScratchFolder(folder, {}));
    EXPECT_FALSE(port::IsDirectory(folder));

    EXPECT_FALSE(RemoveScratchFolder(temp / "z2000_111111\\", {"thesis.doc"})) << "a link is left alone";
    EXPECT_EQ(ScratchDir::Read(victim / "thesis.doc"), "theirs");
    EXPECT_EQ(ScratchDir::Read(temp / "z2000_101010\\prepared.exe"), "another user's program");
    RemoveUnixLinks({temp / "z2000_111111"});
}

// A junction looks to the program as a symbolic link does (Wine cannot make junctions): a folder whose
// attributes say reparse point, at any depth below the root.
TEST(ReparsePoints, AnyLinkOnTheWayCountsButTheRootItself)
{
    const std::uint32_t folder = FILE_ATTRIBUTE_DIRECTORY;
    const std::uint32_t junction = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    const std::map<std::string, std::uint32_t> machine = {{"C:\\App", folder},
                                                          {"C:\\App\\Data", junction},
                                                          {"C:\\App\\Logs", folder},
                                                          {"C:\\App\\Logs\\old.txt", FILE_ATTRIBUTE_REPARSE_POINT},
                                                          {"\\\\server\\share", junction},
                                                          {"\\\\server\\share\\App", folder},
                                                          {"C:", junction}};
    const TAttributesOf attributesOf = [&](const std::string& path) {
        const auto found = machine.find(path);
        return found == machine.end() ? INVALID_FILE_ATTRIBUTES : found->second;
    };
    const std::map<std::string, bool> cases = {{"C:\\App\\Data", true},
                                               {"C:\\App\\Data\\", true},
                                               {"C:\\App\\Data\\Sub\\*.*", true},
                                               {"C:\\App\\Data\\missing.txt", true},
                                               {"C:\\App\\Logs\\old.txt", true},
                                               {"C:\\App\\Logs\\*.*", false},
                                               {"C:\\App\\", false},
                                               {"C:\\", false},
                                               {"\\\\server\\share\\App\\*.*", false},
                                               {"C:\\Other\\x.txt", false}};
    for (const auto& [path, expected] : cases) EXPECT_EQ(ReachesThroughLink(path, attributesOf), expected) << path;

    ScratchDir scratch;
    port::MakeDir(scratch / "Target");
    ScratchDir::Write(scratch / "Target\\a.txt", "a");
    ASSERT_TRUE(MakeUnixLink(scratch / "Target", scratch / "Link"));
    EXPECT_TRUE(ReachesThroughLink(scratch / "Link\\a.txt")) << "a real link under Wine";
    EXPECT_FALSE(ReachesThroughLink(scratch / "Target\\a.txt"));
    RemoveUnixLinks({scratch / "Link"});
}

}  // namespace
