#pragma once
// A product folder as the maker reads it: install.cfg, finstall.cfg, and the support files that the
// setup program will look for in its temporary directory under their bare names.
#include <string>
#include <vector>

#include "config/ProfileFile.h"
#include "tools/mksetup/ConfigText.h"
#include "tools/mksetup/Diagnostics.h"

struct SupportFile {
    std::string source;  // where the maker reads it
    std::string name;    // the bare name it has in the setup's temporary directory
    std::string origin;  // the line or key that asked for it, for messages
};

struct Product {
    std::string dir;
    std::string installText;  // install.cfg and finstall.cfg as the distribution stores them (ConfigText.h)
    std::string finstallText;
    ProfileFile install;
    std::vector<std::string> finstallLines;
    std::vector<SupportFile> files;
    Diagnostics diagnostics;
};

// Reads the folder, collects the support files and checks the configuration, whose text is read in codePage
// where it is not UTF-8. Problems go into diagnostics; only a folder without install.cfg or finstall.cfg raises.
Product LoadProduct(const std::string& dir, unsigned codePage = kDefaultCodePage);

// A configuration path as the maker finds it: relative to the product folder (either slash), or an
// absolute Windows path, used when it exists here and otherwise looked up by its bare name.
std::string LocateSource(const std::string& productDir, const std::string& path);
