#include "OrvLib/controls/BoxPlacement.h"

BoxPlacement PlaceBox(const OrvRect& area, BoxSide side, OrvSize box, int32_t gap) {
    BoxPlacement out;
    out.control = area;
    OrvRect& b = out.box;
    switch (side) {
        case BoxSide::Right:
            b.left = area.right - box.width;
            b.top = area.top + (area.Height() - box.height) / 2;
            out.control.right -= box.width + gap;
            break;
        case BoxSide::Left:
            b.left = area.left;
            b.top = area.top + (area.Height() - box.height) / 2;
            out.control.left += box.width + gap;
            break;
        case BoxSide::Top:
            b.left = area.left + (area.Width() - box.width) / 2;
            b.top = area.top;
            out.control.top += box.height + gap;
            break;
        case BoxSide::Bottom:
            b.left = area.left + (area.Width() - box.width) / 2;
            b.top = area.bottom - box.height;
            out.control.bottom -= box.height + gap;
            break;
    }
    b.right = b.left + box.width;
    b.bottom = b.top + box.height;
    return out;
}
