#pragma once
// What the uninstall record holds so far, in the order it was written, and its text: the UTF-8 byte-order mark,
// then each section's header and its "key=value" lines, as the profile API lays a file out. A key set again
// (letter case aside, as the profile API matches it) keeps its place and takes the new value.
#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

class TRecordSections {
public:
    void Set(const std::string& section, const std::string& key, const std::string& value);
    std::string Text() const;

private:
    struct TSection {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Keys;
        std::map<std::string, std::size_t> KeyIndex;  // upper-case key to its place in Keys
    };

    TSection& SectionNamed(const std::string& name);

    std::vector<TSection> sections_;
    std::map<std::string, std::size_t> sectionIndex_;  // upper-case name to its place in sections_
};
