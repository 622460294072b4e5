#include "app/install/ProfileWrite.h"

#include <windows.h>

#include "port/Exception.h"

void WriteProfileKey(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value)
{
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()))
        throw Exception("Unable to write to " + file);
}
