#pragma once
// Where the segments of a set lie: the file name and path of segment n, and the normalisation that
// the naming properties apply on assignment.
#include <cstdint>
#include <string>

// BaseName + "." + Ext, or + the number padded to three digits when Ext is empty. Numbers outside
// 1..65535 are refused with ESegError.
std::string SegFileNameFor(const std::string& BaseName, const std::string& Ext, std::uint32_t n);
// Dir with one trailing "\" removed, then "\" and the name.
std::string SegFilePathFor(const std::string& Dir, const std::string& FileName);

// Everything up to and including the last "\" or ":"; empty when there is neither.
std::string DirectoryPartOf(const std::string& path);

// Lowercased where the file system ignores case; elsewhere lowercasing would name another file.
std::string FoldPathCase(std::string path);

std::string NormalSegBaseName(const std::string& value);
std::string NormalSegDir(const std::string& value);
std::string NormalSegExt(const std::string& value);
std::string NormalSegTmpDir(const std::string& value);
