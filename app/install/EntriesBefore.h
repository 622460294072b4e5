#pragma once
// What the targets of the configured INI and registry entries were before the run touched anything. The
// pre-clean erases some of them, and what it erased must not then look new: existence is judged here,
// once, before it.
#include <set>
#include <string>

#include "state/Global.h"
#include "app/record/KeyPath.h"

class TEntriesBefore {
public:
    explicit TEntriesBefore(const TStringList& entries);

    bool KeyExisted(const TKeyPath& key) const;
    bool IniFileExisted(const std::string& path) const;
    bool IniSectionExisted(const std::string& path, const std::string& section) const;

private:
    std::set<std::string> keys_;
    std::set<std::string> iniFiles_;
    std::set<std::string> iniSections_;
};
