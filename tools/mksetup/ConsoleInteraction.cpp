#include "tools/mksetup/ConsoleInteraction.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

bool StdinIsTerminal() { return isatty(0) != 0; }
bool StdoutIsTerminal() { return isatty(1) != 0; }

bool ConsoleInteraction::InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value)
{
    if (!interactive_) return false;
    std::cerr << Caption << " - " << Prompt << " [" << Value << "] (empty line cancels): " << std::flush;
    std::string line;
    if (!std::getline(std::cin, line) || line.empty()) return false;
    Value = line;
    return true;
}

bool ConsoleInteraction::ErrorOkCancel(const std::string& Message)
{
    lastComplaint_ = Message;
    if (!interactive_) return false;
    std::cerr << Message << "\nRetry? [y/N] " << std::flush;
    std::string line;
    return std::getline(std::cin, line) && !line.empty() && (line[0] == 'y' || line[0] == 'Y');
}
