#pragma once
// Whether the program file a run holds open may be read as the image that runs. setup.exe opens its own file
// after the elevation prompt showed it; a file swapped in between must not hand the elevated run a payload
// or an uninstaller of someone else's. The identity shows a different image; a signature claims an origin
// and must prove it. An unsigned image makes no claim: the one held handle is all it gets.
#include <functional>
#include <string>

#include "payload/PeLayout.h"

// Empty when the file may be used, else why not, naming fileName. signatureProblem is asked only when the
// running image was signed: it answers "" when the file's signature verifies, else the reason.
std::string ImageTrustProblem(const TImageIdentity& running, const TImageIdentity& file, const std::string& fileName,
                              const std::function<std::string()>& signatureProblem);
