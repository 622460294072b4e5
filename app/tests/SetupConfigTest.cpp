#include "app/product/SetupConfig.h"

#include <gtest/gtest.h>

#include "config/TextFields.h"
#include "shell/ShellFolders.h"
#include "testsupport/ScratchDir.h"
#include "testsupport/settings/TestKey.h"

namespace {

class SetupConfig : public ::testing::Test {
protected:
    // install.cfg holding section "Setup Screen" with these lines, then the other sections.
    TSetupConfig Read(const std::string& screen, const std::string& sections = "")
    {
        ScratchDir::Write(dir_ / "install.cfg", "[Setup Screen]\r\n" + screen + sections);
        return ReadSetupConfig(dir_.Path());
    }

    ScratchDir dir_;
};

TEST_F(SetupConfig, MissingFilesGiveTheDefaults)
{
    const TSetupConfig config = ReadSetupConfig(dir_.Path());
    EXPECT_FALSE(config.Lines[1].Text) << "the label keeps its text";
    EXPECT_FALSE(config.Lines[0].FontName || config.Lines[0].FontSize || config.Lines[0].ShadowColor);
    EXPECT_EQ(config.ImageBorderColor, 0x8000000Fu);
    EXPECT_EQ(config.Settings.DisplayStyle, "Horiz In");
    EXPECT_TRUE(config.Settings.App32Bit && config.Settings.UnderProgramFiles);
    EXPECT_EQ(config.MainDir, ProgramFilesDir() + "ZUV");
    EXPECT_FALSE(config.Finished.LaunchVisible);
    EXPECT_FALSE(config.InstallFiles.has_value());
}

TEST_F(SetupConfig, TextLinesTakeTheirFontKeys)
{
    const TSetupConfig config = Read(
        "Text Line 1=Acme Writer\r\nText Line 1 Font Name=Arial\r\nText Line 1 Font Size=0x10\r\n"
        "Text Line 1 Font Color=$0000FF\r\nText Line 1 Font Style=fsBold,fsItalic,\r\n"
        "Text Line 1 Shadow Color=255\r\nText Line 2=\r\nText Line 2 Font Name=\r\n"
        "Text Line 2 Font Color=red\r\nText Line 2 Font Size=\r\nText Line 2 Font Style=fsBold,fsItalic\r\n"
        "Text Line 3 Font Style=fsbold,\r\n");
    const TScreenLineConfig& one = config.Lines[0];
    EXPECT_EQ(one.Text, "Acme Writer");
    EXPECT_EQ(one.FontName, "Arial");
    EXPECT_EQ(one.FontSize, 16);
    EXPECT_EQ(one.FontColor, 0x0000FFu);
    EXPECT_EQ(one.ShadowColor, 0x0000FFu);
    EXPECT_TRUE(one.FontStyle.Contains(fsBold) && one.FontStyle.Contains(fsItalic));

    const TScreenLineConfig& two = config.Lines[1];
    EXPECT_EQ(two.Text, "") << "an empty text blanks the line";
    EXPECT_EQ(two.FontName, "") << "present, though empty";
    EXPECT_EQ(two.FontColor, std::nullopt) << "a word is no colour";
    EXPECT_EQ(two.FontSize, std::nullopt);
    EXPECT_TRUE(two.FontStyle.Contains(fsBold));
    EXPECT_FALSE(two.FontStyle.Contains(fsItalic));
    EXPECT_TRUE(config.Lines[2].FontStyle.Empty());
}

TEST(ApplyFontKeys, SizeUsesThePitchOfTheEarlierLoadAndHeightWins)
{
    TScreenLineConfig line;
    line.FontSize = 12;
    line.FontPitch = 120;
    TLabelFont font{"Times New Roman", -32, 96, 0xFFFFFF, ParseFontStyle("fsBold,")};
    ApplyFontKeys(line, font);
    EXPECT_EQ(font.Height, -16) << "12 points at the former 96 pixels per inch";
    EXPECT_EQ(font.PixelsPerInch, 120);
    EXPECT_EQ(font.Name, "Times New Roman");
    EXPECT_TRUE(font.Style.Empty()) << "a missing style list clears the styles";
    ApplyFontKeys(line, font);
    EXPECT_EQ(font.Height, -20) << "the second load converts with the new factor";
    for (const int meaningless : {0, -96}) {
        line.FontPitch = meaningless;
        ApplyFontKeys(line, font);
        ApplyFontKeys(line, font);
        EXPECT_EQ(font.PixelsPerInch, 120) << meaningless << " keeps the factor";
        EXPECT_EQ(font.Height, -20) << meaningless;
    }

    line.FontHeight = -48;
    ApplyFontKeys(line, font);
    EXPECT_EQ(font.Height, -48);

    TScreenLineConfig huge;
    huge.FontSize = 2147483647;
    ApplyFontKeys(huge, font);
    EXPECT_EQ(font.Height, std::numeric_limits<int>::min()) << "kept within an int";
}

TEST_F(SetupConfig, SettingsColoursAndFinishedChoices)
{
    const TSetupConfig config = Read(
        "From Color=0x0000FF\r\nTo Color=\r\nImage Border Color=red\r\nLogo File=C:\\art\\logo.gif\r\n"
        "BitMap=A:back.bmp\r\nReBoot Option=2\r\nReStart Option=true\r\n16Bit App=0\r\n32Bit App=0\r\n"
        "Launch Application=<InstallDir>\\acme.exe\r\nDesktop Folder=Acme Tools\r\nDisplay Style=Vert Out\r\n");
    EXPECT_EQ(config.FromColor, 0x0000FFu);
    EXPECT_EQ(config.ToColor, 0u);
    EXPECT_EQ(config.ImageBorderColor, 0x8000000Fu);
    EXPECT_EQ(config.Settings.LogoFile, "logo.gif");
    EXPECT_EQ(config.Settings.BitMapFile, "back.bmp");
    EXPECT_TRUE(config.Settings.RebootOption);
    EXPECT_FALSE(config.Settings.RestartOption) << "a word keeps the default";
    EXPECT_FALSE(config.Settings.App32Bit);
    EXPECT_EQ(config.Settings.DisplayStyle, "Vert Out");
    EXPECT_TRUE(config.Finished.RebootVisible);
    EXPECT_TRUE(config.Finished.LaunchVisible && config.Finished.LaunchSelected);
    EXPECT_EQ(config.Finished.LaunchCaption, "<InstallDir>\\acme.exe");
    EXPECT_EQ(config.Finished.CreateFolderCaption, "Acme Tools");
}

TEST_F(SetupConfig, MainDirectoryFromTheRegistry)
{
    TestKey user(HKEY_CURRENT_USER);
    TestKey machine(HKEY_LOCAL_MACHINE);
    user.WriteString("Dir", "D:\\Apps\\Acme");
    user.WriteString("Empty", "");
    user.WriteString("Expand", "%SystemRoot%\\Acme", REG_EXPAND_SZ);
    const DWORD number = 7;
    user.WriteRaw("Number", REG_DWORD, &number, sizeof number);
    machine.WriteString("Path", "E:\\Machine\\Acme");
    const std::string fallback = ProgramFilesDir() + "Fallback";
    const auto mainDir = [&](const std::string& setting) { return Read("Main Directory=" + setting + "\r\n"); };

    const TSetupConfig fromUser = mainDir("HKEY_CURRENT_USER," + user.Path() + ",Dir,Fallback");
    EXPECT_EQ(fromUser.MainDir, "D:\\Apps\\Acme");
    EXPECT_EQ(fromUser.Settings.MainDirectory, "D:\\Apps\\Acme");
    EXPECT_EQ(mainDir("HKEY_LOCAL_MACHINE,\\" + machine.Path() + ",Path,Fallback").MainDir, "E:\\Machine\\Acme");
    EXPECT_EQ(mainDir("HKEY_LOCAL_MACHINE," + user.Path() + ",Dir,Fallback").MainDir, fallback) << "wrong root";
    EXPECT_EQ(mainDir("HKEY_CURRENT_USER," + user.Path() + "\\Missing,Dir,Fallback").MainDir, fallback);
    EXPECT_EQ(mainDir("HKEY_CURRENT_USER," + user.Path() + ",Empty,Fallback").MainDir, fallback);
    EXPECT_EQ(mainDir("HKEY_CURRENT_USER," + user.Path() + ",Absent,Fallback").MainDir, fallback);
    EXPECT_EQ(mainDir("HKEY_CURRENT_USER," + user.Path() + ",Number,Fallback").MainDir, fallback);
    EXPECT_EQ(mainDir("HKEY_CURRENT_USER," + user.Path() + ",Expand,Fallback").MainDir, WindowsDir() + "\\Acme");
    EXPECT_EQ(Read("Main Directory=HKEY_CURRENT_USER," + user.Path() + "\\Missing,Dir,Sub\\Fallback\r\n"
                   "Under Program Files=0\r\n")
                  .MainDir,
              SystemDrive() + "Sub\\Fallback");
    EXPECT_FALSE(TRegistry().KeyExists(user.Path() + "\\Missing")) << "never created";

    EXPECT_EQ(mainDir("").MainDir, ProgramFilesDir()) << "empty is not missing";
    EXPECT_EQ(Read("Main Directory=\r\nUnder Program Files=0\r\n").MainDir, SystemDrive());
    EXPECT_EQ(mainDir("hkey_current_user," + user.Path() + ",Dir,Y").MainDir,
              ProgramFilesDir() + "hkey_current_user," + user.Path() + ",Dir,Y");
}

// Whose the installation is decides where its plain name goes; a product that asks takes the command line's answer,
// else "for everyone" in a run with an administrator's rights, as every run under test has.
TEST_F(SetupConfig, TheScopeAndTheProductsKindPlaceTheDestination)
{
    struct Case {
        std::string Keys;
        TInstallScope Answer, Scope;
        std::string MainDir;
    };
    const std::string user = UserProgramsDir() + "Acme";
    const std::string machine = ProgramFilesDir() + "Acme";
    const std::vector<Case> cases{
        {"", isUser, isUnset, machine},
        {"Install Scope=user\r\n", isMachine, isUser, user},
        {"Install Scope=USER\r\nUnder Program Files=0\r\n", isUnset, isUser, user},
        {"Install Scope=Machine\r\n", isUser, isMachine, machine},
        {"Install Scope=ask\r\n", isUser, isUser, user},
        {"Install Scope=ask\r\n", isMachine, isMachine, machine},
        {"Install Scope=ask\r\n", isUnset, isMachine, machine},
        {"Install Scope=users\r\n", isUser, isUnset, machine},
        {"64-bit Product=1\r\n", isUnset, isUnset, ProgramFiles64Dir() + "Acme"},
        {"64-bit Product=1\r\nInstall Scope=user\r\n", isUnset, isUser, user},
    };
    for (const Case& c : cases) {
        ScratchDir::Write(dir_ / "install.cfg", "[Setup Screen]\r\nMain Directory=Acme\r\n" + c.Keys);
        const TSetupConfig config = ReadSetupConfig(dir_.Path(), c.Answer);
        EXPECT_EQ(config.Scope, c.Scope) << c.Keys;
        EXPECT_EQ(config.MainDir, c.MainDir) << c.Keys;
    }
    EXPECT_TRUE(UserProgramsDir().ends_with("\\Programs\\")) << UserProgramsDir();
}

TEST_F(SetupConfig, RegistryEntriesFollowTheCount)
{
    const auto entries = [&](const std::string& section) {
        return Read("", "[INI\\Registry]\r\n" + section).RegistryEntries;
    };
    EXPECT_EQ(entries("Count=2\r\nINIREG 0=HKEY_CURRENT_USER\\Software\\Acme,App,Path,C:\\App\r\n"),
              (TStringList{"HKEY_CURRENT_USER\\Software\\Acme,App,Path,C:\\App", ""}));
    EXPECT_TRUE(entries("Count=0\r\nINIREG 0=x\r\n").empty());
    EXPECT_TRUE(entries("Count=-3\r\nINIREG 0=x\r\n").empty());
    EXPECT_TRUE(entries("INIREG 0=x\r\n").empty());
    EXPECT_EQ(entries("count=1\r\nINIREG 0=MYAPP.INI,Options,Key,Value\r\nINIREG0=no\r\n"),
              TStringList{"MYAPP.INI,Options,Key,Value"});
    EXPECT_EQ(entries("Count=2147483647\r\nINIREG 0=x\r\n").size(), 10000u) << "a hostile count is bounded";
}

TEST_F(SetupConfig, ListSectionsGiveKeyNames)
{
    const TSetupConfig config = Read("",
        "[Autoexec.bat]\r\nSET PATH=C:\\ACME\r\n[Launch Applications]\r\nC:\\Work\\readme.exe=1\r\nfix.exe=\r\n"
        "programs\\post.exe /log C:\\x.txt=1\r\n"
        "[Desktop]\r\nAcme,<InstallDir>\\acme.exe,X,X,,,Acme\\Tools,acme.ico=\r\n");
    EXPECT_EQ(config.AutoexecEntries, TStringList{"SET PATH"});
    EXPECT_EQ(config.LaunchFiles, (TStringList{"readme.exe", "fix.exe", "post.exe /log C:\\x.txt"}))
        << "a program's arguments stay with it";
    EXPECT_EQ(config.ShortcutEntries, TStringList{"Acme,<InstallDir>\\acme.exe,X,X,,,Acme\\Tools,acme.ico"});
}

TEST_F(SetupConfig, FinstallLinesEndAtCrLfLfOrCr)
{
    ScratchDir::Write(dir_ / "finstall.cfg",
                      "Installation Directory,Data,Images,C:\\src\\pic.bmp\r\n\r\n[Section]\nWindows,C:\\src\\x.ini\r"
                      "Root,C:\\src\\boot.ini");
    const TSetupConfig config = Read("Main Directory=Acme\r\n");
    ASSERT_TRUE(config.InstallFiles.has_value());
    EXPECT_EQ(*config.InstallFiles, (TStringList{"Installation Directory,Data,Images,C:\\src\\pic.bmp", "",
                                                 "[Section]", "Windows,C:\\src\\x.ini", "Root,C:\\src\\boot.ini"}));

    TGlobal global;
    EXPECT_EQ(ApplyToGlobals(config, global), ProgramFilesDir() + "Acme\\");
    EXPECT_EQ(global.DestinationFiles, (TStringList{ProgramFilesDir() + "Acme\\Data\\Images\\pic.bmp", "[Section]",
                                                    WindowsDir() + "\\x.ini", SystemDrive() + "boot.ini"}));
}

// Both files are UTF-8 and may begin with a byte-order mark, which must not hide the first section or line.
TEST_F(SetupConfig, UnicodeTextsWithAByteOrderMarkReadAsWritten)
{
    const std::string title =
        "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";  // Polish, Japanese
    const std::string font = "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";
    ScratchDir::Write(dir_ / "install.cfg", std::string(kUtf8Mark) + "[Setup Screen]\r\nText Line 1=" + title +
                                                "\r\nText Line 1 Font Name=" + font + "\r\n[Desktop]\r\n" + title +
                                                ",<InstallDir>\\" + title + ".exe,X,,,,,=\r\n");
    ScratchDir::Write(dir_ / "finstall.cfg",
                      std::string(kUtf8Mark) + "Installation Directory,C:\\src\\" + title + "\r\n");
    const TSetupConfig config = ReadSetupConfig(dir_.Path());
    EXPECT_EQ(ProductTitleOf(config), title);
    EXPECT_EQ(config.Lines[0].FontName, font);
    EXPECT_EQ(config.ShortcutEntries, TStringList{title + ",<InstallDir>\\" + title + ".exe,X,,,,,"});
    EXPECT_EQ(config.InstallFiles, TStringList{"Installation Directory,C:\\src\\" + title});
}

TEST_F(SetupConfig, ASecondLoadAppendsTheRegistryEntriesAndReplacesTheRest)
{
    ScratchDir::Write(dir_ / "finstall.cfg", "Installation Directory,C:\\src\\a.txt\r\n");
    const TSetupConfig first =
        Read("Main Directory=First\r\n", "[INI\\Registry]\r\nCount=1\r\nINIREG 0=A.INI,S,K,V\r\n[Desktop]\r\nOne=\r\n");
    TGlobal global;
    ApplyToGlobals(first, global);

    ScratchDir other;
    ScratchDir::Write(other / "install.cfg", "[Setup Screen]\r\nMain Directory=Second\r\n[INI\\Registry]\r\n"
                                             "Count=1\r\nINIREG 0=A.INI,S,K,V\r\n[Desktop]\r\nTwo=\r\n");
    const TSetupConfig second = ReadSetupConfig(other.Path());
    EXPECT_FALSE(second.InstallFiles.has_value()) << "no finstall.cfg there";
    ApplyToGlobals(second, global);

    EXPECT_EQ(global.RegistryEntries, (TStringList{"A.INI,S,K,V", "A.INI,S,K,V"}));
    EXPECT_EQ(global.ShortcutEntries, TStringList{"Two"});
    EXPECT_EQ(global.InstallFiles, TStringList{"Installation Directory,C:\\src\\a.txt"}) << "kept";
    EXPECT_EQ(global.DestinationFiles, TStringList{ProgramFilesDir() + "Second\\a.txt"});
    EXPECT_EQ(global.InstallSettings.MainDirectory, "Second");
}

}  // namespace
