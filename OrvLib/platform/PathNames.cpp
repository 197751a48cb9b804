#include "OrvLib/platform/PathNames.h"

#include <algorithm>

#include "OrvLib/platform/Platform.h"

namespace OrvPath {

size_t FileNameStart(const std::string& path) {
    size_t start = path.size();
    while (start > 0 && !OrvPlatform::IsPathSeparator(path[start - 1])) --start;
    return start;
}

std::string ExtensionOf(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < FileNameStart(path)) return {};
    return path.substr(dot);
}

std::string WithoutExtension(const std::string& path) {
    return path.substr(0, path.size() - ExtensionOf(path).size());
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

std::string UpperAscii(std::string text) {
    for (char& c : text) c = UpperAscii(c);
    return text;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    }
    return true;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

int CompareInListOrder(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto la = static_cast<unsigned char>(LowerAscii(a[i]));
        const auto lb = static_cast<unsigned char>(LowerAscii(b[i]));
        if (la != lb) return la < lb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string WholeModuleName(const char* buffer, size_t length, size_t capacity) {
    if (buffer == nullptr || length == 0 || length >= capacity) return {};
    return std::string(buffer, length);
}

}  // namespace OrvPath
