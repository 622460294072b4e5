#include "config/PictureTwin.h"

std::string LargerTwinName(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    const std::size_t dot = path.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    std::string twin = path;
    twin.insert(hasExtension ? dot : path.size(), "@2x");
    return twin;
}
