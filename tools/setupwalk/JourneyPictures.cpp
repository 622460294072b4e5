#include "JourneyPictures.h"

#include "WindowPicture.h"
#include "config/TextFields.h"
#include "port/Exception.h"

#include <cctype>
#include <utility>

namespace {

constexpr DWORD kSurfaceFlushMs = 300;

}  // namespace

JourneyPictures::JourneyPictures(std::string directory, std::string prefix)
    : directory_(WithTrailingBackslash(std::move(directory))), prefix_(std::move(prefix))
{
}

void JourneyPictures::Take(const SetupDriver& driver, int page)
{
    driver.Settle();
    // Wine hands what a window painted to the X server a moment later; the screen is read from there.
    Sleep(kSurfaceFlushMs);
    TakeWindow(driver.Screen(), driver.PageName(page));
}

void JourneyPictures::TakeWindow(HWND window, const std::string& name)
{
    const std::string path = NextPath(name);
    if (!SaveWindowPicture(window, path)) throw Exception("Cannot save the picture " + path);
    saved_.push_back(path);
}

std::string JourneyPictures::NextPath(const std::string& name)
{
    const std::size_t number = saved_.size() + 1;
    std::string file = prefix_ + (number < 10 ? "-0" : "-") + std::to_string(number) + "-";
    // Only letters and digits reach the file name; a page or dialog name is not a path.
    for (char c : name) file += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '-';
    return directory_ + file + ".png";
}
