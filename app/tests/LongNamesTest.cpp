// The long form of a path, looked up one name at a time and remembered: short names become long as far as the
// path exists, and what does not exist or is a pattern stays as written.
#include "app/record/LongNames.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "port/FileSystem.h"
#include "shell/PathIdentity.h"
#include "testsupport/ScratchDir.h"

namespace {

TEST(LongNames, ShortNamesBecomeLongAsFarAsThePathExists)
{
    ScratchDir scratch;
    const std::string folder = scratch / "A Long Folder Name";
    port::MakeDir(folder);
    ScratchDir::Write(folder + "\\A Long File Name.txt", "text");
    char shortFolder[MAX_PATH] = {};
    GetShortPathNameA(folder.c_str(), shortFolder, MAX_PATH);
    const std::string shortName(shortFolder);
    ASSERT_NE(PathIdentity(shortName), PathIdentity(folder)) << "the short name of a folder with a long name";

    // One object for all: what the first lookups remember must not change the later answers.
    TLongNames names;
    for (const auto& [path, expected] : std::initializer_list<std::pair<std::string, std::string>>{
             {shortName, folder},
             {shortName + "\\", folder + "\\"},
             {shortName + "\\A Long File Name.txt", folder + "\\A Long File Name.txt"},
             {shortName + "\\Not Made\\Below", folder + "\\Not Made\\Below"},
             {shortName + "\\*.txt", folder + "\\*.txt"},
             {shortName + "\\A Long File*\\x", folder + "\\A Long File*\\x"},
             {"relative\\" + shortName.substr(3), "relative\\" + shortName.substr(3)}})
        EXPECT_EQ(PathIdentity(names.LongForm(path)), PathIdentity(expected)) << path;
}

}  // namespace
