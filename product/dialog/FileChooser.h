// The rules of the image file chooser: the open dialog's filter, the file name box that
// shows a long path with "\..." in place of middle folders, and the folder chooser's
// starting folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "product/dialog/TextMeasure.h"

// In the framework's form: pairs of label and patterns, each followed by '|', ending "||".
extern const char kImageFileFilter[];

struct PathParts {
    std::string drive;      // "C:" or empty
    std::string folder;     // up to and including the last separator
    std::string name;       // the file name without its extension
    std::string extension;  // from the last '.' of the file name, or empty
};

// Separators are '\' and '/', found by whole characters: a trail byte equal to '\' in a
// two-byte character is not one.
PathParts SplitPath(const std::string& path, const LeadByteTest& isLead);

struct ShortenedPath {
    std::string text;
    int32_t headLength;  // leading bytes of text that are the path's own beginning
    int32_t tailLength;  // trailing bytes of text that are the path's own end
};

// What the box shows without the focus: the whole path when it is narrower than the
// client width, else the path with a run of middle folders replaced by "\...", widened
// one separator at a time from the middle, or only the file name when even that is too wide.
ShortenedPath ShortenPath(const std::string& path, int32_t clientWidth, const TextWidth& width,
                          const LeadByteTest& isLead);

struct FullPathCaret {
    int32_t index;  // in the full path
    bool fromEnd;   // counted from the end: scroll to the end of the path first
};

// A click at a character of the shortened text, carried over to the full path: within
// the kept tail (or anywhere in text without a head) at the same distance from the end.
FullPathCaret CaretInFullPath(const ShortenedPath& shown, size_t fullLength, int32_t shownIndex);

// The folder the folder chooser preselects: the box's path when the system's 260-byte
// buffer holds it, otherwise none (empty).
std::string FolderBrowserStart(const std::string& boxPath);
