// Narrow platform services used by portable code. Implemented once on Win32 and once
// as a headless stand-in; portable modules never include a Windows header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace OrvPlatform {

// Full file name of the plug-in module itself. Empty when the name cannot be had whole
// (the system truncated it), so that callers never build paths from a cut name.
std::string ModuleFileName();

// The value of a variable of the process's environment; empty when it is not set.
std::string EnvironmentValue(const char* name);

// Millisecond clock for time budgets (wraps after about 49 days; compare differences).
uint32_t Milliseconds();

// A failure or a cancel of the modal dialog may leave the host's window disabled: enable
// it again. hostWindow is the host's main window from the call's platform data; without
// one, the calling thread's active window is taken, and nothing happens without that.
void EnableHostWindow(intptr_t hostWindow);

// The separator of folder names in paths ('\\' on Windows, '/' elsewhere).
char PathSeparator();
// True for a path separator of this platform (Windows also takes '/').
bool IsPathSeparator(char c);

// True when path names an existing file (not a folder), or an existing folder.
bool IsFile(const std::string& path);
bool IsFolder(const std::string& path);

// The size and last write time (in the system's own units) of a file; false when it
// cannot be examined. Equal stamps mean an unchanged file for any cache of its content.
struct FileStamp {
    uint64_t size = 0;
    int64_t written = 0;
    bool operator==(const FileStamp& o) const { return size == o.size && written == o.written; }
};
bool StampOf(const std::string& path, FileStamp* stamp);

// The names of the entries of a folder (files and sub-folders, without the folder), in
// the order the system returns them on Windows: by name compared in upper case, ties by
// the original characters. Empty when the folder cannot be read.
std::vector<std::string> ListFolder(const std::string& folder);

// Shows the system's wait cursor until the returned token is handed to RestoreCursor.
intptr_t ShowWaitCursor();
void RestoreCursor(intptr_t token);

}  // namespace OrvPlatform
