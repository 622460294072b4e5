#include "app/product/Destinations.h"

#include <gtest/gtest.h>

#include "shell/ShellFolders.h"

namespace {

TEST(ResolveDestinations, TokensNameTheDirectory)
{
    const std::string windows = WindowsDir();
    const std::string drive = SystemDrive();
    const TStringList lines{
        "Installation Directory,Data,Images,C:\\src\\pic.bmp",
        "Windows,C:\\src\\x.ini",
        "Root,C:\\src\\boot.ini",
        "System32\tFonts\tC:\\src\\a.ttf",
        "Program Files,Acme\\",
        "",
        "Data\\",
        "Installation Directory\tHelp,Sub\tmanual.txt",
        "Installation Directory\tTools,C:\\src\\t.exe",
        "installation directory,C:\\src\\lower.txt",
    };
    const TStringList expected{
        "C:\\Dest\\Data\\Images\\pic.bmp", windows + "\\x.ini",      drive + "boot.ini",
        windows + "\\Fonts\\a.ttf",        ProgramFilesDir(),        "",
        "C:\\Dest\\Help,Sub\\manual.txt",  "C:\\Dest\\Tools\\t.exe", "installation directory\\lower.txt",
    };
    EXPECT_EQ(ResolveDestinations(lines, "C:\\Dest"), expected);
    EXPECT_EQ(ResolveDestinations(lines, "C:\\Dest\\"), expected) << "one backslash whether given or not";
}

TEST(ExpandPathMacros, LeadingMacrosAreReplaced)
{
    const std::string windows = WindowsDir();
    const std::string main = "C:\\Program Files\\Acme\\";
    EXPECT_EQ(ExpandPathMacros("<InstallDir>\\bin\\app.exe", main), main + "bin\\app.exe");
    EXPECT_EQ(ExpandPathMacros("<Root>\\autoexec.bat", main), SystemDrive() + "autoexec.bat");
    EXPECT_EQ(ExpandPathMacros("<ProgramFiles>\\Tool\\t.exe", main), ProgramFilesDir() + "Tool\\t.exe");
    EXPECT_EQ(ExpandPathMacros("<Windows>\\System\\x.dll", main), windows + "\\System\\x.dll");
    EXPECT_EQ(ExpandPathMacros("C:\\Tools\\run.exe", main), main) << "no macro: the destination itself";
    EXPECT_EQ(ExpandPathMacros("<installdir>\\a.exe", main), main) << "macros are compared exactly";
    EXPECT_EQ(ExpandPathMacros("<InstallDir>\\<Root>\\x", main), SystemDrive() + "x") << "later rows see the rest";
}

}  // namespace
