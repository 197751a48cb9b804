// The arithmetic of the thumbnail list and the custom image preview: item metrics,
// fitting pictures into a box, the horizontal scroll bar and names cut with "...".
#pragma once

#include <cstdint>
#include <string>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "product/dialog/TextMeasure.h"

constexpr int32_t kThumbnailMargin = 5;

struct ThumbnailMetrics {
    int32_t columnWidth;
    int32_t itemHeight;
    int32_t thumbnailWidth;
    int32_t thumbnailHeight;
};

// rows -1: fixed sizes (60 x 60 thumbnails in 70-pixel columns); otherwise the client
// height, less the horizontal scroll bar, is shared by that many rows.
ThumbnailMetrics ThumbnailListMetrics(int32_t rows, int32_t textHeight, int32_t clientHeight,
                                      int32_t scrollBarHeight);

// A picture's size fitted into a box with its aspect kept, in integer arithmetic; empty
// for an empty picture or box.
OrvSize FitInBox(OrvSize picture, OrvSize box);

// The picture fitted into a rectangle and centred in it (the custom image preview, with
// the client area shrunk by 2 pixels a side).
OrvRect FitCentred(OrvSize picture, const OrvRect& box);

struct ThumbnailScroll {
    bool shown;
    int32_t columns;  // range 0 to columns - 1
    int32_t visible;  // the page
    int32_t position;
};

// The scroll bar for a list of items laid out in columns.
ThumbnailScroll ThumbnailScrollLayout(int32_t itemCount, int32_t topIndex, int32_t clientWidth,
                                      int32_t clientHeight, int32_t itemHeight, int32_t columnWidth);

enum class ScrollStep { LineLeft, LineRight, PageLeft, PageRight, ToLeft, ToRight, Thumb };

// The first visible column after a scroll-bar request, held to 0 .. columns - visible.
int32_t ScrolledColumn(const ThumbnailScroll& scroll, ScrollStep step, int32_t thumbPosition);

// An item's name in its text band: whole when it fits, else the longest prefix (never
// half a character) that fits beside "...", followed by "...".
std::string FitItemName(const std::string& name, int32_t bandWidth, const TextWidth& width,
                        const LeadByteTest& isLead);
