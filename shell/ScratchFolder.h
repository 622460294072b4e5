#pragma once
// A folder of the run's own below a parent where other users may create folders too: the Windows temporary
// folder, a user's temporary folder. It is created, never found: a name that exists already, whatever it is
// (a folder someone prepared, a link to someone else's folder), is passed over for one with a random part.
// It is private (faPrivate) and no reparse point. At the end the run deletes the files it wrote into it, by
// name, and then the folder: never a pattern, which would take whatever else the folder held.
#include <string>
#include <vector>

// Creates wanted (ending in "\"), or wanted with "_" and random digits before the "\" when that name is
// taken; the folder's path, ending in "\". The parent must exist. Raises Exception naming the folder and
// the system's reason when none can be created.
std::string CreateScratchFolder(const std::string& wanted);

// Deletes dir + each of names (a file still in use at the next restart), then dir once empty (or at the
// restart, after them). True when nothing is left but what the restart takes. A dir that is a link is
// left alone.
bool RemoveScratchFolder(const std::string& dir, const std::vector<std::string>& names);
