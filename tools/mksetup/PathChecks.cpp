#include "tools/mksetup/PathChecks.h"

#include <filesystem>
#include <system_error>

#include "tools/mksetup/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

fs::file_status StatusOf(const std::string& name)
{
    std::error_code error;  // a name the system refuses is a name that is not there
    return fs::status(PathOf(name), error);
}

}  // namespace

CLI::Validator ExistingFileCheck()
{
    return CLI::Validator(
        [](std::string& name) -> std::string {
            const fs::file_status status = StatusOf(name);
            if (!fs::exists(status)) return "File does not exist: " + name;
            if (fs::is_directory(status)) return "File is actually a directory: " + name;
            return {};
        },
        "FILE");
}

CLI::Validator ExistingFolderCheck()
{
    return CLI::Validator(
        [](std::string& name) -> std::string {
            const fs::file_status status = StatusOf(name);
            if (!fs::exists(status)) return "Directory does not exist: " + name;
            if (!fs::is_directory(status)) return "Directory is actually a file: " + name;
            return {};
        },
        "DIR");
}
