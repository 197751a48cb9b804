#include "product/dialog/ThumbnailList.h"

#include <algorithm>

ThumbnailMetrics ThumbnailListMetrics(int32_t rows, int32_t textHeight, int32_t clientHeight,
                                      int32_t scrollBarHeight) {
    if (rows <= 0) return ThumbnailMetrics{70, textHeight + 65, 60, 60};
    const int32_t itemHeight = (clientHeight - scrollBarHeight) / rows;
    const int32_t side = std::max(itemHeight - kThumbnailMargin - textHeight, int32_t{0});
    return ThumbnailMetrics{side + 2 * kThumbnailMargin, itemHeight, side, side};
}

OrvSize FitInBox(OrvSize picture, OrvSize box) {
    if (picture.width <= 0 || picture.height <= 0 || box.width <= 0 || box.height <= 0) return OrvSize{};
    const int64_t byHeight = int64_t{picture.width} * box.height / picture.height;
    if (byHeight <= box.width) return OrvSize{int32_t(byHeight), box.height};
    return OrvSize{box.width, int32_t(int64_t{box.width} * picture.height / picture.width)};
}

OrvRect FitCentred(OrvSize picture, const OrvRect& box) {
    const OrvSize fitted = FitInBox(picture, OrvSize{box.Width(), box.Height()});
    const int32_t left = box.left + (box.Width() - fitted.width) / 2;
    const int32_t top = box.top + (box.Height() - fitted.height) / 2;
    return OrvRect{left, top, left + fitted.width, top + fitted.height};
}

ThumbnailScroll ThumbnailScrollLayout(int32_t itemCount, int32_t topIndex, int32_t clientWidth,
                                      int32_t clientHeight, int32_t itemHeight, int32_t columnWidth) {
    ThumbnailScroll s{false, 0, 0, 0};
    if (itemHeight <= 0 || columnWidth <= 0) return s;
    const int32_t rows = std::max(clientHeight / itemHeight, int32_t{1});
    s.columns = (std::max(itemCount, int32_t{0}) + rows - 1) / rows;
    s.visible = clientWidth / columnWidth;
    s.position = std::max(topIndex, int32_t{0}) / rows;
    s.shown = s.visible < s.columns;
    return s;
}

int32_t ScrolledColumn(const ThumbnailScroll& scroll, ScrollStep step, int32_t thumbPosition) {
    int32_t column = scroll.position;
    switch (step) {
        case ScrollStep::LineLeft:
            column -= 1;
            break;
        case ScrollStep::LineRight:
            column += 1;
            break;
        case ScrollStep::PageLeft:
            column -= scroll.visible;
            break;
        case ScrollStep::PageRight:
            column += scroll.visible;
            break;
        case ScrollStep::ToLeft:
            column = 0;
            break;
        case ScrollStep::ToRight:
            column = scroll.columns;
            break;
        case ScrollStep::Thumb:
            column = thumbPosition;
            break;
    }
    return std::clamp(column, int32_t{0}, std::max(scroll.columns - scroll.visible, int32_t{0}));
}

std::string FitItemName(const std::string& name, int32_t bandWidth, const TextWidth& width,
                        const LeadByteTest& isLead) {
    if (width(name) <= bandWidth) return name;
    const int32_t room = bandWidth - width("...");
    size_t kept = 0;
    for (size_t at = 0; at < name.size();) {
        const size_t next = at + CharacterLength(name, at, isLead);
        if (width(name.substr(0, next)) > room) break;
        kept = next;
        at = next;
    }
    return name.substr(0, kept) + "...";
}
