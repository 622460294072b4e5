#pragma once
// The subcommands of mksetup: each registers its options and returns an exit code when run.
#include <CLI/CLI.hpp>

#include <functional>

using Command = std::function<int()>;

Command AddExpandCommand(CLI::App& app);
Command AddCompressCommand(CLI::App& app);
Command AddArchiveCommand(CLI::App& app);
Command AddListCommand(CLI::App& app);
Command AddExtractCommand(CLI::App& app);
Command AddVerifyCommand(CLI::App& app);
Command AddBuildCommand(CLI::App& app);
