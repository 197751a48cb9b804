#include "product/dialog/FileChooser.h"

#include <algorithm>
#include <vector>

const char kImageFileFilter[] =
    "All Images (*.bmp;*.png:*.jpg)|*.bmp;*.png;*.jpg|Windows Bitmap (*.bmp)|*.bmp|"
    "Portable Network Graphics (*.png)|*.png|JPEGs (*.jpg;*.jpeg)|*.jpg;*.jpeg|All File (*.*)|*.*||";

namespace {

constexpr size_t kSystemPathBuffer = 260;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Byte offsets of the characters of text that satisfy the test.
template <typename Test>
std::vector<size_t> CharacterOffsets(const std::string& text, const LeadByteTest& isLead, Test test) {
    std::vector<size_t> found;
    for (size_t at = 0; at < text.size(); at += CharacterLength(text, at, isLead))
        if (CharacterLength(text, at, isLead) == 1 && test(text[at])) found.push_back(at);
    return found;
}

ShortenedPath WholeText(const std::string& text) { return ShortenedPath{text, int32_t(text.size()), 0}; }

// Only the file name, after "...\" when the path had more in front of it.
ShortenedPath FileNameOnly(const PathParts& parts) {
    const std::string file = parts.name + parts.extension;
    if (parts.drive.size() + parts.folder.size() <= 2) return ShortenedPath{file, 0, int32_t(file.size())};
    const std::string text = "...\\" + file;
    return ShortenedPath{text, 0, int32_t(text.size()) - 3};
}

}  // namespace

PathParts SplitPath(const std::string& path, const LeadByteTest& isLead) {
    PathParts parts;
    size_t start = 0;
    if (path.size() >= 2 && path[1] == ':' && CharacterLength(path, 0, isLead) == 1) {
        parts.drive = path.substr(0, 2);
        start = 2;
    }
    const std::string rest = path.substr(start);
    const std::vector<size_t> separators = CharacterOffsets(rest, isLead, IsSeparator);
    const size_t fileStart = separators.empty() ? 0 : separators.back() + 1;
    parts.folder = rest.substr(0, fileStart);
    const std::string file = rest.substr(fileStart);
    const std::vector<size_t> dots = CharacterOffsets(file, isLead, [](char c) { return c == '.'; });
    const size_t nameEnd = dots.empty() ? file.size() : dots.back();
    parts.name = file.substr(0, nameEnd);
    parts.extension = file.substr(nameEnd);
    return parts;
}

ShortenedPath ShortenPath(const std::string& path, int32_t clientWidth, const TextWidth& width,
                          const LeadByteTest& isLead) {
    const auto fits = [clientWidth](int64_t w) { return w < clientWidth; };
    const int32_t fullWidth = path.empty() ? 0 : width(path);
    if (path.empty() || fits(fullWidth)) return WholeText(path);

    const PathParts parts = SplitPath(path, isLead);
    const std::string file = parts.name + parts.extension;
    if (!fits(width(parts.drive + "\\..." + file))) return FileNameOnly(parts);

    const std::vector<size_t> seps = CharacterOffsets(parts.folder, isLead, IsSeparator);
    if (seps.empty()) {
        // Nothing between separators to cut: the drive and the name around "\...\".
        const std::string text = parts.drive + "\\...\\" + file;
        if (!fits(width(text))) return FileNameOnly(parts);
        return ShortenedPath{text, int32_t(parts.drive.size()), int32_t(file.size())};
    }

    // Widen the cut from the middle separator, right and left by turns, until the rest fits.
    size_t left = seps.size() / 2, right = left;
    bool rightwards = true;
    while (!(left == 0 && right + 1 == seps.size())) {
        bool moved = false;
        if (rightwards && right + 1 < seps.size()) {
            ++right;
            moved = true;
        } else if (!rightwards && left > 0) {
            --left;
            moved = true;
        }
        rightwards = !rightwards;
        if (moved &&
            fits(int64_t{fullWidth} - width(parts.folder.substr(seps[left], seps[right] - seps[left]))))
            break;
    }
    const std::string head = parts.folder.substr(0, seps[left]);
    const std::string tail = parts.folder.substr(seps[right]) + file;
    return ShortenedPath{parts.drive + head + "\\..." + tail, int32_t(parts.drive.size() + head.size()),
                         int32_t(tail.size())};
}

FullPathCaret CaretInFullPath(const ShortenedPath& shown, size_t fullLength, int32_t shownIndex) {
    const int64_t shownLength = int64_t(shown.text.size());
    if (shown.tailLength != 0 && (shown.headLength == 0 || shownIndex >= shownLength - shown.tailLength)) {
        const int64_t index = int64_t(fullLength) - (shownLength - shownIndex);
        return FullPathCaret{int32_t(std::clamp<int64_t>(index, 0, int64_t(fullLength))), true};
    }
    return FullPathCaret{shownIndex, false};
}

std::string FolderBrowserStart(const std::string& boxPath) {
    return boxPath.size() < kSystemPathBuffer ? boxPath : std::string();
}
