#include "product/dialog/ToolTips.h"

#include <algorithm>
#include <cstring>

#include "product/resources/ResourceIds.h"

namespace ToolTips {

int FixedStringFor(int controlId) {
    switch (controlId) {
        case IDC_LOCATOR:
            return IDS_TIP_LOCATOR;
        case IDC_ZOOM_OUT:
            return IDS_TIP_ZOOM_OUT;
        case IDC_ZOOM_IN:
            return IDS_TIP_ZOOM_IN;
        case IDC_ZOOM_RATIO:
            return IDS_TIP_ZOOM_RATIO;
        default:
            return 0;
    }
}

bool TipFromString(const std::string& resource, std::string& tip) {
    const size_t newline = resource.find('\n');
    if (newline == std::string::npos) return false;
    tip = resource.substr(newline + 1);
    return true;
}

void CopyTipText(const std::string& text, char (&buffer)[kTextBuffer]) {
    const size_t count = std::min(text.size(), kTextBuffer - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}

}  // namespace ToolTips
