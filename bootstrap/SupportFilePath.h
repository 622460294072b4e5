#pragma once
// Where a support file lands: directly in the temporary directory under its bare name, whatever
// directories its archive records.
#include <string>

// tempDir ends in "\". Empty (skip the file) when the stored path has no usable name: a name of
// dots and spaces alone would otherwise lead to tempDir itself or out of it.
std::string SupportFilePath(const std::string& tempDir, const std::string& storedPath);
