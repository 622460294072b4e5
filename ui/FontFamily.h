#pragma once
// The family a face belongs to, as a hint for the font mapper: a machine without the face then picks the
// nearest one it has (a serif for a serif) instead of its default face.
#include <windows.h>

#include <string>

// Pitch and family for CreateFont; faces not in the table leave the choice to the mapper.
BYTE FontFamilyOf(const std::string& face);
