// mksetup: the maker tool. Builds, lists, verifies and extracts distributions and archives, and codes
// and decodes raw streams.
#include <CLI/CLI.hpp>

#ifdef _WIN32
#include <windows.h>
#endif

#include <iostream>
#include <vector>

#include "SetupVersion.h"
#include "port/Exception.h"
#include "tools/mksetup/Commands.h"
#include "tools/mksetup/ExitCodes.h"

int main(int argc, char** argv)
{
#ifdef _WIN32
    // Its messages are UTF-8, as its names are: a console shows them so only in that code page.
    SetConsoleOutputCP(CP_UTF8);
#endif
    CLI::App app{"mksetup: make, list, verify and extract setup distributions and archives"};
    app.set_version_flag("--version", std::string("mksetup ") + SETUP_VERSION_TEXT, "print the version and exit");
    app.require_subcommand(1);
    app.footer(
        "Exit codes: 0 success; 1 failure: a configuration error, a missing or wrong disk, a bad\n"
        "checksum, a file that cannot be read or written (the message names the file; build then\n"
        "writes nothing); 2 wrong command line; 3 compress: the data would not get smaller.");
    const std::vector<std::pair<CLI::App*, Command>> commands = [&] {
        std::vector<std::pair<CLI::App*, Command>> all;
        for (auto add : {AddBuildCommand, AddListCommand, AddVerifyCommand, AddExtractCommand, AddArchiveCommand,
                         AddExpandCommand, AddCompressCommand}) {
            const std::size_t before = app.get_subcommands({}).size();
            Command run = add(app);
            all.emplace_back(app.get_subcommands({}).at(before), std::move(run));
        }
        return all;
    }();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? kExitOk : kExitUsage;
    }
    try {
        for (const auto& [sub, run] : commands)
            if (sub->parsed()) return run();
    } catch (const std::exception& e) {
        std::cerr << "mksetup: " << e.what() << "\n";
        return kExitError;
    }
    return kExitUsage;
}
