#pragma once
// The files of an archive to be written: each one's bytes put in dir as in-0, in-1, ..., stored under its name.
#include <string>
#include <utility>
#include <vector>

#include "compress/Compress.h"
#include "testsupport/ScratchDir.h"

inline std::vector<TArchiveSource> WrittenSources(const ScratchDir& dir,
                                                  const std::vector<std::pair<std::string, std::string>>& files)
{
    std::vector<TArchiveSource> sources;
    for (const auto& [name, data] : files) {
        const std::string path = dir / ("in-" + std::to_string(sources.size()));
        ScratchDir::Write(path, data);
        sources.push_back({path, name});
    }
    return sources;
}
