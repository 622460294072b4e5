#pragma once
// Whether a file's Authenticode signature verifies, read through a handle that is already open: verifying by
// name would read whatever lies at that name by then.
#include <string>

// "" when the signature verifies with the system's trust policy for programs, else the reason (no
// signature, a changed file, an untrusted certificate ...). wintrust.dll is loaded from the system folder
// only (shell/SystemDll.h). path names the file in messages.
std::string SignatureProblem(void* fileHandle, const std::string& path);
