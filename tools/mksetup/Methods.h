#pragma once
// The method names of the command line.
#include <map>
#include <string>

#include "compress/ArchiveFormat.h"

inline const std::map<std::string, TCompressionMethod>& MethodNames()
{
    static const std::map<std::string, TCompressionMethod> names = {
        {"none", coNone}, {"rle", coRLE}, {"lzh", coLZH}, {"lh5", coLZH5}};
    return names;
}

inline std::string MethodName(std::uint8_t method)
{
    for (const auto& [name, value] : MethodNames())
        if (value == method) return name;
    return method == coCustom ? "custom" : "#" + std::to_string(method);
}
