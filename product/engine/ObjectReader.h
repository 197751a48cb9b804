// Reads an object file with the program's image readers (by extension, then by content).
#pragma once

#include <string>

#include "OrvLib/image/OrvImage2.h"

bool ReadObjectFile(const std::string& file, OrvImage2& image);
