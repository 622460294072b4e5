#pragma once
// A multi-line text, read-only for the user, without word wrap: long lines scroll sideways.
#include "ui/Window.h"

#include <string>
#include <vector>

class TMemo : public TWindow {
public:
    TMemo(TWindow& parent, int id);

    void Clear();
    void Add(const std::string& line);
    std::vector<std::string> Lines() const;
    // Loads a text file line by line (lines may end in CR LF, LF or CR); false, and nothing changed, when
    // the file cannot be read.
    bool LoadFromFile(const std::string& path);
};
