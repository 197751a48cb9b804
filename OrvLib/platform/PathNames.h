// Pieces of paths and file names, and names compared without case (ASCII letters only,
// as both platforms' file systems compare the names we make). Separators are the
// platform's (see IsPathSeparator).
#pragma once

#include <cstddef>
#include <string>

namespace OrvPath {

// Where the last part of a path (its file name) begins.
size_t FileNameStart(const std::string& path);
// The file name's extension with its dot; empty when the file name has none.
std::string ExtensionOf(const std::string& path);
// The path without its file name's extension.
std::string WithoutExtension(const std::string& path);

char UpperAscii(char c);
std::string UpperAscii(std::string text);
bool SameIgnoringCase(const std::string& a, const std::string& b);
char LowerAscii(char c);
// The order of the system's sorted lists: negative, zero or positive. Names are compared in
// lower case, so the signs between the two alphabets ('[' to '`') come before every letter,
// as those lists place '_'. A folder listing compares in upper case instead (FolderOrder.h).
int CompareInListOrder(const std::string& a, const std::string& b);

// A module name as the system wrote it into a buffer of `capacity` characters, `length`
// being what it reported. A name that filled the buffer may have been cut and left
// without a terminator, so it counts as no name; the buffer is never read past length.
std::string WholeModuleName(const char* buffer, size_t length, size_t capacity);

}  // namespace OrvPath
