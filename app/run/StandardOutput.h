#pragma once
// Text for whoever started the program from a command line. setup.exe is a program of the GUI subsystem: the system
// gives it no console, so it writes where its standard output was sent, or else into its parent's console.
#include <string>

// Writes text (UTF-8) to the standard output the program was handed (a file, a pipe or a console), else to the
// console of the process that started it; false when there is neither, or the write fails.
bool WriteToStandardOutput(const std::string& text);
