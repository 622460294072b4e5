// DLLs planted beside setup.exe in the sample's distribution, under the names of DLLs that setup.exe or the system
// DLLs it uses look for, with Wine told to prefer them to its own (WINEDLLOVERRIDES, which CTest has cmake/wine-run.sh
// set): an install through the wizard and a silent one load none of them. Each writes a marker beside itself when it
// is loaded, and each does when loaded by its path first, so no marker means not loaded, not refused.
#include "SampleJourney.h"
#include "config/TextFields.h"
#include "testsupport/ProgramBeside.h"

namespace {

using namespace sample_journey;

std::vector<std::string> PlantedNames()
{
    std::vector<std::string> names;
    for (std::string rest = PLANTED_DLLS; !rest.empty();) names.push_back(SplitFirst(rest, ','));
    return names;
}

void Plant(const std::string& dir)
{
    for (const std::string& name : PlantedNames())
        std::filesystem::copy_file(std::string(PLANTED_DLL_DIR) + "\\" + name + ".dll", dir + name + ".dll");
}

// The markers in dir: the names of the planted DLLs loaded from there, in upper case, sorted.
std::vector<std::string> MarkersIn(const std::string& dir)
{
    std::vector<std::string> markers;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = UpperCase(entry.path().filename().string());
        if (name.ends_with(".DLL.LOADED")) markers.push_back(name.substr(0, name.size() - 11));
    }
    std::sort(markers.begin(), markers.end());
    return markers;
}

TEST_F(EndToEnd, DllsPlantedBesideSetupAreNotLoadedByTheWizardOrASilentInstall)
{
    std::vector<std::string> everyName;
    for (const std::string& name : PlantedNames()) everyName.push_back(UpperCase(name));
    std::sort(everyName.begin(), everyName.end());

    const std::string loadable = scratch_ / "loadable\\";
    std::filesystem::create_directory(loadable);
    Plant(loadable);
    std::string paths;
    for (const std::string& name : PlantedNames()) paths += " \"" + loadable + name + ".dll\"";
    DrivenProcess loader(CommandLineOf(ProgramBesideThisOne("load_dlls.exe"), paths), loadable);
    EXPECT_EQ(loader.WaitForExit(SetupDriver::kPatienceMs), 0U) << "planted DLLs that would not load";
    ASSERT_EQ(MarkersIn(loadable), everyName)
        << "every planted DLL loads and says so, where Wine prefers it to its own";

    Plant(dist_);
    const std::string proposed = ShellFolder(CSIDL_PROGRAM_FILES) + "Northwind Notes\\";
    const std::string silentDestination = "C:\\Planted Dest";
    SampleLeftovers wizardLeftovers(proposed);
    SampleLeftovers silentLeftovers(silentDestination + "\\");
    // A walk that a planted DLL ends (exit code 86 when its code ran) still has its markers read.
    try {
        SetupDriver setup(CommandLineOf(dist_ + "setup.exe", ""), dist_);
        WalkInstall(setup, {}, [](int, SetupDriver&) {});
        EXPECT_EQ(setup.WaitForExit(SetupDriver::kPatienceMs), 0U);
    } catch (const Exception& stopped) {
        ADD_FAILURE() << stopped.what();
    }
    EXPECT_TRUE(Exists(proposed + "notes.exe"));
    EXPECT_EQ(MarkersIn(dist_), std::vector<std::string>()) << "loaded from beside setup.exe by the wizard";

    const std::string log = scratch_ / "silent.log";
    DrivenProcess silent(CommandLineOf(dist_ + "setup.exe", "/S \"/LOG=" + log + "\" /D=" + silentDestination), dist_);
    EXPECT_EQ(silent.WaitForExit(SetupDriver::kPatienceMs), 0U) << ScratchDir::Read(log);
    EXPECT_TRUE(Exists(silentDestination + "\\notes.exe"));
    EXPECT_EQ(MarkersIn(dist_), std::vector<std::string>()) << "loaded from beside setup.exe by a silent install";
}

}  // namespace
