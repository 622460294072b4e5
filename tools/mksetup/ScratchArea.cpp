#include "tools/mksetup/ScratchArea.h"

#include <chrono>
#include <system_error>

#include "port/Exception.h"
#include "tools/mksetup/Utf8Path.h"

namespace fs = std::filesystem;

ScratchArea::ScratchArea(const std::string& place)
{
    fs::path parent = fs::absolute(PathOf(place)).parent_path();
    std::error_code ec;
    fs::create_directories(parent, ec);
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        root_ = parent / (".mksetup-" + std::to_string(stamp) + "-" + std::to_string(attempt));
        if (fs::create_directory(root_, ec)) return;
        if (ec) break;
    }
    throw Exception("Cannot create a working directory in " + NameOf(parent) + ": " + ec.message());
}

ScratchArea::~ScratchArea()
{
    std::error_code ec;  // best effort: a destructor must not throw
    // Staged files keep their read-only attribute, and Windows removes no read-only file.
    for (fs::recursive_directory_iterator it(root_, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::remove_all(root_, ec);
}

std::string ScratchArea::Dir(const std::string& name) const
{
    const fs::path dir = root_ / PathOf(name);
    fs::create_directories(dir);
    return NameOf(dir / "");
}
