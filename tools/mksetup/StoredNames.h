#pragma once
// The names files are stored under, and the check that keeps an extraction inside its directory.
#include <string>

// A relative path keeps its folders ("\" between them); an absolute one is stored by its bare name.
std::string StoredNameFor(const std::string& path);

// True when path lies below directory (which ends in "\") and climbs out nowhere.
bool ConfinedTo(const std::string& directory, const std::string& path);
