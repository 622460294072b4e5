#pragma once
// A Windows path for comparisons: a final "\" aside and letter case aside as the file system ignores it,
// beyond ASCII too ("Ł" is "ł"), so that two spellings of one file are one key.
#include <string>

std::string PathIdentity(std::string path);
