#pragma once
// The pictures of a journey through setup.exe: one PNG of the whole screen per page, numbered in the
// order they were taken, named after the page: DIR\journey-01-page1.png, DIR\journey-02-Page2.png ...
#include "SetupDriver.h"

#include <string>
#include <vector>

class JourneyPictures {
public:
    JourneyPictures(std::string directory, std::string prefix = "journey");

    // Saves the screen as it shows page now; throws Exception when the picture cannot be written.
    void Take(const SetupDriver& driver, int page);
    // Saves what the screen shows of any window of the journey (a dialog) under name.
    void TakeWindow(HWND window, const std::string& name);
    const std::vector<std::string>& Saved() const { return saved_; }

private:
    std::string NextPath(const std::string& name);

    std::string directory_;
    std::string prefix_;
    std::vector<std::string> saved_;
};
