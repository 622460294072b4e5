#pragma once
// Checks of the command line's paths that read each name as UTF-8 (Utf8Path.h): CLI11's own hand the name to
// std::filesystem as it stands, which on Windows misreads every name beyond ASCII.
#include <CLI/CLI.hpp>

CLI::Validator ExistingFileCheck();
CLI::Validator ExistingFolderCheck();
