#pragma once
// The Windows directories whose files are recorded one by one and removed only after confirmation.
#include <array>
#include <string>

// WindowsDir + "\", + "\System\", + "\System32\", + "\Fonts\"; read afresh on every call.
std::array<std::string, 4> SystemDirs();
