#include "tools/mksetup/Product.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "testsupport/ScratchDir.h"
#include "tools/mksetup/tests/SampleProduct.h"

namespace fs = std::filesystem;

namespace {

// The sample product, staged with its two programs as the build stages it.
class SampleProduct : public ::testing::Test {
protected:
    ScratchDir scratch;
    fs::path dir = fs::path(ScratchDir::Native(scratch.Path())) / "product";

    void SetUp() override
    {
        StageSampleProduct(dir.string());
    }

    void Write(const std::string& name, const std::string& text) { ScratchDir::Write((dir / name).string(), text); }

    static std::vector<std::string> Messages(const Product& p, Diagnostic::Level level)
    {
        std::vector<std::string> texts;
        for (const Diagnostic& d : p.diagnostics)
            if (d.level == level) texts.push_back(d.Text());
        return texts;
    }

    static bool Mentions(const std::vector<std::string>& texts, const std::string& part)
    {
        return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(part) != std::string::npos; });
    }

    // install.cfg as the title's line and lines, then: no diagnostic for an empty one, else exactly one naming it.
    void ExpectOnlyDiagnostic(const std::string& lines, const char* diagnostic)
    {
        Write("install.cfg", std::string("[Setup Screen]\nText Line 1=Acme\n") + lines);
        const Product p = LoadProduct(dir.string());
        std::vector<std::string> texts;
        for (const Diagnostic& d : p.diagnostics) texts.push_back(d.Text());
        if (*diagnostic == '\0')
            EXPECT_TRUE(texts.empty()) << lines << ::testing::PrintToString(texts);
        else
            EXPECT_TRUE(texts.size() == 1 && Mentions(texts, diagnostic)) << lines << ::testing::PrintToString(texts);
    }
};

TEST_F(SampleProduct, CollectsEverySupportFileUnderItsBareName)
{
    const Product p = LoadProduct(dir.string());
    EXPECT_TRUE(p.diagnostics.empty()) << (p.diagnostics.empty() ? "" : p.diagnostics.front().Text());
    std::vector<std::string> names;
    for (const SupportFile& f : p.files) names.push_back(f.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"back.bmp", "letter.nwn", "license.txt", "logo.gif", "manual.txt",
                                               "notes.exe", "notes.ico", "nwhelper.txt", "nwnotes.ini", "postinst.exe",
                                               "readme.txt", "sample.nwn"}));
    const auto sample = std::find_if(p.files.begin(), p.files.end(), [](const SupportFile& f) { return f.name == "sample.nwn"; });
    EXPECT_EQ(fs::path(sample->source), dir / "sample.nwn") << "an absolute path is looked up by its bare name";

    // A picture's larger twin beside it travels with it; a twin of another file does not.
    for (const char* twin : {"logo@2x.gif", "notes@2x.exe"}) Write(twin, "twice the pixels");
    const Product twins = LoadProduct(dir.string());
    names.clear();
    for (const SupportFile& f : twins.files) names.push_back(f.name);
    EXPECT_EQ(std::count(names.begin(), names.end(), "logo@2x.gif"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "notes@2x.exe"), 0);
}

TEST_F(SampleProduct, MissingFilesAndBareNameClashesNameTheLine)
{
    fs::remove(dir / "docs" / "manual.txt");
    Write("finstall.cfg", "Installation Directory,docs\\readme.txt\r\nInstallation Directory,docs\\manual.txt\r\n"
                          "Installation Directory,readme.txt\r\nWindows,docs/readme.txt\r\n");
    Write("readme.txt", "a different readme");
    const Product p = LoadProduct(dir.string());
    const auto errors = Messages(p, Diagnostic::Error);
    ASSERT_EQ(errors.size(), 2u) << errors.front();
    EXPECT_TRUE(Mentions(errors, "finstall.cfg:2")) << errors[0];
    EXPECT_TRUE(Mentions(errors, "manual.txt does not exist"));
    EXPECT_TRUE(Mentions(errors, "finstall.cfg:3")) << "the clash is reported where the second file is named";
    EXPECT_TRUE(Mentions(errors, "would overwrite"));
}

TEST_F(SampleProduct, NamesTheFileSystemRefusesAreMissingFiles)
{
    const std::string longName(300, 'n');
    Write("install.cfg", "[Setup Screen]\nLogo File=" + longName + ".gif\n");
    Write("finstall.cfg", "Installation Directory,C:\\" + longName + "\\a.txt\r\n");
    const auto errors = Messages(LoadProduct(dir.string()), Diagnostic::Error);
    EXPECT_TRUE(Mentions(errors, "install.cfg:2: error: 'Logo File'")) << errors.front();
    EXPECT_TRUE(Mentions(errors, "finstall.cfg:1"));
}

TEST_F(SampleProduct, ChecksReportWhatTheSetupWouldTripOver)
{
    Write("install.cfg",
          "[Setup Screen]\nText Line 1=Acme\\Tools\nDisplay Style=vertical in\nLogo Pos=Middle\nLogo File=logo.png\n"
          "Text Line 2 Font Pitch=0\nText Line 3 Font Pitch=-96\nText Line 4 Font Pitch=120\n"
          "[Desktop]\nShort,<InstallDir>\\a.exe,X=1\n"
          "[INI\\Registry]\nCount=2\nINIREG 0=a.ini,S,K,V\nINIREG 5=a.ini,S,K,V\n");
    Write("logo.png", "png");
    Write("finstall.cfg", "installation directory,docs\\readme.txt\r\n");
    const Product p = LoadProduct(dir.string());
    const auto errors = Messages(p, Diagnostic::Error);
    const auto warnings = Messages(p, Diagnostic::Warning);
    EXPECT_TRUE(Mentions(errors, "install.cfg:2: error: '[Setup Screen] Text Line 1'")) << errors.front();
    EXPECT_TRUE(Mentions(errors, "has 3")) << "a shortcut with too few fields";
    EXPECT_TRUE(Mentions(errors, "\"INIREG 1\" is missing"));
    EXPECT_TRUE(Mentions(errors, "finstall.cfg:1")) << "a misspelt destination token";
    EXPECT_TRUE(Mentions(warnings, "write \"Vertical In\""));
    EXPECT_TRUE(Mentions(warnings, "'[Setup Screen] Logo Pos'"));
    EXPECT_TRUE(Mentions(warnings, "would not show"));
    EXPECT_TRUE(Mentions(warnings, "INIREG 5"));
    EXPECT_TRUE(Mentions(warnings, "install.cfg:6: warning: '[Setup Screen] Text Line 2 Font Pitch'"));
    EXPECT_TRUE(Mentions(warnings, "install.cfg:7: warning: '[Setup Screen] Text Line 3 Font Pitch'"));
    EXPECT_FALSE(Mentions(warnings, "Text Line 4 Font Pitch")) << "a positive factor is taken";
}

TEST_F(SampleProduct, TheEntrysKeysAreCheckedWithTheirLines)
{
    struct Case {
        const char* lines;
        const char* diagnostic;  // "" when the keys are sound
    };
    const Case cases[] = {
        {"Product Id=Northwind.Notes\nProduct Version=2.0.1\nDisplay Icon=<InstallDir>\\docs\\readme.txt\n"
         "Help Link=https://example.com/help\nAbout Link=HTTP://example.com\n",
         ""},
        {"Display Icon=<InstallDir>\\setup.exe\n", ""},
        {"Product Id=Northwind\\Notes\n", "install.cfg:3: error: '[Setup Screen] Product Id'"},
        {"Product Id=\n", "install.cfg:3: error: '[Setup Screen] Product Id'"},
        {"Product Version=2.0 beta\n", "install.cfg:3: warning: '[Setup Screen] Product Version'"},
        {"Product Version=1.2.3.4.5\n", "warning: '[Setup Screen] Product Version'"},
        {"Display Icon=<InstallDir>\\missing.exe\n", "install.cfg:3: error: '[Setup Screen] Display Icon'"},
        {"Display Icon=C:\\Windows\\notepad.exe\n", "error: '[Setup Screen] Display Icon'"},
        {"About Link=www.example.com\n", "install.cfg:3: warning: '[Setup Screen] About Link'"},
    };
    Write("finstall.cfg", "Installation Directory,docs,docs\\readme.txt\r\n");
    for (const Case& c : cases) ExpectOnlyDiagnostic(c.lines, c.diagnostic);
}

// A per-user product must install without an administrator, so what only one may change is an error; a
// per-machine product serves every user, so an entry that reaches only the installing account is a warning.
TEST_F(SampleProduct, TheScopeDecidesWhatTheConfigurationMayChange)
{
    struct Case {
        const char* lines;     // from line 3 of install.cfg
        const char* finstall;  // one line
        const char* diagnostic;
    };
    const char* const docs = "Installation Directory,docs,docs\\readme.txt";
    const Case cases[] = {
        {"Install Scope=user\n[INI\\Registry]\nCount=1\nINIREG 0=HKEY_LOCAL_MACHINE\\Software\\Acme,Tools,Path,x\n",
         docs, "install.cfg:6: error: '[INI\\Registry] INIREG 0': HKEY_LOCAL_MACHINE"},
        {"Install Scope=user\n[INI\\Registry]\nCount=1\nINIREG 0=hkey_local_machine_x\\Software,Acme,Path,x\n", docs,
         "install.cfg:6: error: '[INI\\Registry] INIREG 0'"},
        {"Install Scope=user\n[INI\\Registry]\nCount=1\nINIREG 0=acme.ini,Settings,Theme,Dark\n", docs,
         "install.cfg:6: error: '[INI\\Registry] INIREG 0': the INI file acme.ini lies in the Windows folder"},
        {"Install Scope=user\n[Autoexec.bat]\nSET PATH=C:\\Acme\n", docs, "install.cfg:5: error: 'SET PATH'"},
        {"Install Scope=user\n", "Windows,docs\\readme.txt",
         "finstall.cfg:1: error: 'Windows,docs\\readme.txt': \"Windows\""},
        {"Install Scope=user\n", "System,docs\\readme.txt", "\"System\" is a folder of the machine"},
        {"Install Scope=user\n", "System32,docs\\readme.txt", "\"System32\" is a folder of the machine"},
        {"Install Scope=user\n", "Installation Directory,Fonts,docs\\readme.txt", "\"Fonts\" is a folder"},
        {"Install Scope=user\n", "Program Files,Acme,docs\\readme.txt", "\"Program Files\" is a folder"},
        {"Install Scope=user\n", "Root\tAcme,docs\\readme.txt", "\"Root\" is a folder"},
        {"Install Scope=USER\n[INI\\Registry]\nCount=3\nINIREG 0=HKEY_CURRENT_USER\\Software\\Acme,Tools,Path,x\n"
         "INIREG 1=Software\\Acme,Tools,Path,x\nINIREG 2=D:\\Acme\\acme.ini,Settings,Theme,Dark\n"
         "INIREG 5=HKEY_LOCAL_MACHINE\\Software\\Acme,Tools,Path,x\n",
         "Windows,Installation Directory,docs\\readme.txt", "warning: '[INI\\Registry] INIREG 5': ignored"},
        {"Install Scope=machine\n[INI\\Registry]\nCount=1\nINIREG 0=HKEY_CURRENT_USER\\Software\\Acme,Tools,Path,x\n",
         docs, "install.cfg:6: warning: '[INI\\Registry] INIREG 0': a per-machine product"},
        {"Install Scope=machine\n[INI\\Registry]\nCount=1\nINIREG 0=Software\\Acme,Tools,Path,x\n", docs,
         "reaches only the account that runs the install"},
        {"Install Scope=Machine\n[Autoexec.bat]\nSET PATH=C:\\Acme\n[INI\\Registry]\nCount=2\n"
         "INIREG 0=HKEY_LOCAL_MACHINE\\Software\\Acme,Tools,Path,x\nINIREG 1=acme.ini,Settings,Theme,Dark\n",
         "System32,docs\\readme.txt", ""},
        {"Install Scope=ask\n[INI\\Registry]\nCount=2\nINIREG 0=HKEY_LOCAL_MACHINE\\Software\\Acme,Tools,Path,x\n"
         "INIREG 1=HKEY_CURRENT_USER\\Software\\Acme,Tools,Path,x\n",
         "Windows,docs\\readme.txt", ""},
        {"[INI\\Registry]\nCount=1\nINIREG 0=HKEY_CURRENT_USER\\Software\\Acme,Tools,Path,x\n", docs, ""},
        {"Install Scope=everyone\n", docs, "install.cfg:3: error: '[Setup Screen] Install Scope'"},
        {"64-bit Product=1\n", docs, ""},
        {"64-bit Product=yes\n", docs, "install.cfg:3: warning: '[Setup Screen] 64-bit Product': \"yes\" is read as 0"},
        {"64-bit Product=2\n", docs, "\"2\" is read as 1"},
    };
    for (const Case& c : cases) {
        Write("finstall.cfg", std::string(c.finstall) + "\r\n");
        ExpectOnlyDiagnostic(c.lines, c.diagnostic);
    }
}

// Found by ProductConfigFuzzer: a Count of two billion made the checks report every missing entry, for minutes and
// gigabytes; the setup itself reads the first 10,000.
TEST_F(SampleProduct, AHugeCountIsCheckedAsFarAsTheSetupReads)
{
    Write("install.cfg", "[Setup Screen]\nText Line 1=Acme\n[INI\\Registry]\nCount=2000000000\n");
    Write("finstall.cfg", "");
    const Product p = LoadProduct(dir.string());
    EXPECT_TRUE(Mentions(Messages(p, Diagnostic::Warning), "reads only the first 10000 entries"));
    EXPECT_EQ(Messages(p, Diagnostic::Error).size(), 10000U) << "one for each missing entry the setup would read";
}

TEST_F(SampleProduct, AnEmptyTitleIsAnError)
{
    Write("install.cfg", "[Setup Screen]\nText Line 1=\n");
    EXPECT_TRUE(Mentions(Messages(LoadProduct(dir.string()), Diagnostic::Error), "the title is empty"));
}

}  // namespace
