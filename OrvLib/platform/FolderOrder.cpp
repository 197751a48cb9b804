#include "OrvLib/platform/FolderOrder.h"

#include <algorithm>

#include "OrvLib/platform/PathNames.h"

namespace {

bool Before(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto ua = static_cast<unsigned char>(OrvPath::UpperAscii(a[i]));
        const auto ub = static_cast<unsigned char>(OrvPath::UpperAscii(b[i]));
        if (ua != ub) return ua < ub;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

}  // namespace

void SortFolderNames(std::vector<std::string>& names) { std::sort(names.begin(), names.end(), Before); }
