#pragma once
// Upper-casing for comparisons of paths and key names: letters a to z only, as the record's keys
// are compared the same whatever the code page.
#include <string>

std::string AsciiUpperCase(std::string text);
