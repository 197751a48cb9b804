// The ways pictures enter the program: image files by name, and PNG or JPEG data bound
// into a module or held in memory. Every function returns false on any failure and shows
// nothing; a successful load leaves the image top-down (see the readers for depths,
// colour tables, hasAlpha and the key).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class OrvImage2;

// Resets the image's key and alpha flag, then tries the reader that the extension names
// (.bmp, .jpg, .png, any case). With sniff, a file that this did not read is given to the
// one reader whose signature its first bytes carry, so .jpeg files, misnamed files and
// files without an extension load too, while anything else is never read in full.
bool LoadImageFile(const std::string& path, OrvImage2& image, bool sniff);

// Resource (id, type name) of a module (null: the module holding this code), decoded as
// the hint says.
bool LoadImageResource(const void* module, int id, const char* typeName, const char* extensionHint,
                       OrvImage2& image);

// ".jpg" and ".png" (any case) are decoded; every other hint fails, ".bmp" included.
bool LoadImageMemory(const uint8_t* block, size_t count, const char* extensionHint, OrvImage2& image);
