#include "OrvLib/platform/FolderOrder.h"

#include <algorithm>

namespace {

unsigned char Upper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

bool Before(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char ua = Upper(a[i]), ub = Upper(b[i]);
        if (ua != ub) return ua < ub;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

}  // namespace

void SortFolderNames(std::vector<std::string>& names) { std::sort(names.begin(), names.end(), Before); }
