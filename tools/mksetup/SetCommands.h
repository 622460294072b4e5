#pragma once
// list, verify and extract for a segment set: a distribution folder or a segment file.
#include <string>

#include "tools/mksetup/SegmentSet.h"

int ListSegmentSet(const SegmentSetPlace& place);
int VerifySegmentSet(const SegmentSetPlace& place);
int ExtractSegmentSet(const SegmentSetPlace& place, const std::string& directory);
