// setupwalk: walks setup.exe of a distribution through its install journey as a user would, saves a
// picture of every page, and prints what the installation put where.
//
//   setupwalk DIST_DIR PICTURE_DIR [--destination DIR]
//   setupwalk --report TITLE        only the report, for an installation a user made
//
// The walk ticks "Add Folder to Desktop" and keeps the shortcut rows as configured. It prints how long setup.exe
// took to its first page (the support files' expansion) and from the Ready page's Next to the Finished page
// (the install), for the benches. Exit code 0 when the product is installed and its uninstall entry is there,
// 1 otherwise, 2 for a wrong command line.
#include "InstalledProduct.h"
#include "JourneyPictures.h"
#include "SetupWalks.h"
#include "app/screen/ControlIds.h"
#include "config/TextFields.h"
#include "port/Exception.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

struct WalkRequest {
    std::string DistDir;
    std::string PictureDir;
    std::string Destination;
    std::string ReportTitle;
};

bool ParseArguments(int argc, char** argv, WalkRequest& request)
{
    std::vector<std::string> plain;
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        if (argument == "--destination" && index + 1 < argc) {
            request.Destination = argv[++index];
        } else if (argument == "--report" && index + 1 < argc) {
            request.ReportTitle = argv[++index];
        } else if (argument.rfind("--", 0) == 0) {
            return false;
        } else {
            plain.push_back(argument);
        }
    }
    if (!request.ReportTitle.empty()) return plain.empty();
    if (plain.size() != 2) return false;
    request.DistDir = WithTrailingBackslash(plain[0]);
    request.PictureDir = plain[1];
    return true;
}

int Report(const std::string& title)
{
    const std::optional<InstalledProduct> product = FindInstalledProduct(title);
    if (!product) {
        std::fprintf(stderr, "setupwalk: no uninstall entry for \"%s\"\n", title.c_str());
        return 1;
    }
    std::printf("\n%s", DescribeInstalledProduct(*product).c_str());
    return 0;
}

long long MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

int Walk(const WalkRequest& request)
{
    JourneyPictures pictures(request.PictureDir);
    std::string title;
    auto phase = std::chrono::steady_clock::now();
    SetupDriver driver("\"" + request.DistDir + "setup.exe\"", request.DistDir);
    WalkChoices choices;
    choices.Destination = request.Destination;
    choices.FolderOnDesktop = true;
    WalkInstall(driver, choices, [&](int page, SetupDriver& walked) {
        if (page == ControlId::Finished) std::printf("time install %lld ms\n", MillisecondsSince(phase));
        std::printf("page %s\n", walked.PageName(page).c_str());
        std::fflush(stdout);
        if (page == ControlId::Finished) title = walked.Caption(ControlId::RxLabel3);
        if (page == ControlId::page1) std::printf("time to first page %lld ms\n", MillisecondsSince(phase));
        pictures.Take(walked, page);
        if (page == ControlId::ReadyToInstall) phase = std::chrono::steady_clock::now();
    });
    for (const std::string& path : pictures.Saved()) std::printf("picture %s\n", path.c_str());
    return Report(title);
}

}  // namespace

int main(int argc, char** argv)
{
    WalkRequest request;
    if (!ParseArguments(argc, argv, request)) {
        std::fprintf(stderr, "usage: setupwalk DIST_DIR PICTURE_DIR [--destination DIR] | --report TITLE\n");
        return 2;
    }
    try {
        return request.ReportTitle.empty() ? Walk(request) : Report(request.ReportTitle);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "setupwalk: %s\n", error.what());
        return 1;
    }
}
