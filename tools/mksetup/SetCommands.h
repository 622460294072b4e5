#pragma once
// list, verify and extract for a segment set: a distribution folder or a segment file.
#include <cstdint>
#include <string>

#include "tools/mksetup/SegmentSet.h"

// key unlocks a set built with one.
int ListSegmentSet(const SegmentSetPlace& place, std::int32_t key);
// A single-file setup.exe is checked whole (CRC-32) and its signature reported first; caFile names the
// roots its certificate may lead to, when not the system's.
int VerifySegmentSet(const SegmentSetPlace& place, std::int32_t key, const std::string& caFile);
int ExtractSegmentSet(const SegmentSetPlace& place, const std::string& directory, std::int32_t key);

// A reader stops at the total size its archive announces, so files it lists may be left unexpanded,
// and unchecked: says so, naming what was read, and answers false.
bool AllExpanded(const std::string& what, std::size_t listed, std::size_t expanded);
