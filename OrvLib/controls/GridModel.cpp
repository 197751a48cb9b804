#include "OrvLib/controls/GridModel.h"

#include <algorithm>

#include "OrvLib/controls/ControlMath.h"
#include "OrvLib/platform/PathNames.h"

int32_t GridModel::InsertSorted(const std::string& text) {
    // The first position whose text is not below the new one.
    int32_t lo = 0, hi = Count();
    while (lo < hi) {
        int32_t mid = lo + (hi - lo) / 2;
        if (OrvPath::CompareInListOrder(Item(mid).text, text) < 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return InsertAt(lo, text);
}

int32_t GridModel::InsertAt(int32_t index, const std::string& text) {
    index = std::max(0, std::min(index, Count()));
    items.insert(items.begin() + index, GridItem{text, 0});
    if (selected >= 0 && index <= selected) ++selected;
    return index;
}

void GridModel::RemoveAll() {
    items.clear();
    selected = -1;
    firstRow = 0;
}

int32_t GridModel::Datum(int32_t index) const {
    return index >= 0 && index < Count() ? Item(index).datum : -1;
}

void GridModel::SetDatum(int32_t index, int32_t datum) {
    if (index >= 0 && index < Count()) items[static_cast<size_t>(index)].datum = datum;
}

void GridModel::SetSelection(int32_t index) {
    selected = index >= 0 && index < Count() ? index : -1;
    if (selected >= 0) ScrollIntoView(selected);
}

void GridModel::Layout(const OrvRect& clientRect, int32_t preferredRowHeight, int32_t preferredBarWidth,
                       bool forceBar) {
    client = clientRect;
    rowHeight = std::max(preferredRowHeight, 1);
    visibleRows = std::max(clientRect.Height() / rowHeight, 1);
    showsBar = forceBar || Count() > visibleRows;
    barWidth = showsBar ? std::min(preferredBarWidth, clientRect.Width()) : 0;
    cells = OrvRect{clientRect.left, clientRect.top, clientRect.right - barWidth, clientRect.bottom};
    SetFirstRow(firstRow);
}

OrvRect GridModel::BarRect() const {
    return OrvRect{client.right - barWidth, client.top, client.right, client.bottom};
}

void GridModel::SetFirstRow(int32_t row) {
    firstRow = static_cast<int32_t>(ControlMath::Clamp(row, 0, std::max(Count() - visibleRows, 0)));
}

void GridModel::ScrollIntoView(int32_t index) {
    if (index < firstRow) {
        SetFirstRow(index);
    } else if (index >= firstRow + visibleRows) {
        SetFirstRow(index - visibleRows + 1);
    }
}

OrvRect GridModel::CellRect(int32_t index) const {
    int32_t top = cells.top + (index - firstRow) * rowHeight;
    return OrvRect{cells.left, top, cells.right, top + rowHeight};
}

int32_t GridModel::HitTest(OrvPoint p) const {
    if (!cells.Contains(p.x, p.y)) return -1;
    int32_t index = firstRow + (p.y - cells.top) / rowHeight;
    return index < Count() ? index : -1;
}

int32_t GridModel::KeyTarget(ControlKey key) const {
    const int32_t step = ArrowStep(key);
    if (items.empty() || step == 0) return -1;
    if (selected < 0) return 0;
    int32_t target = selected + step;
    return target >= 0 && target < Count() ? target : -1;
}

int32_t GridModel::FirstRowAfterWheel(int32_t delta) const {
    int64_t row = static_cast<int64_t>(firstRow) - ControlMath::Notches(delta);
    return static_cast<int32_t>(ControlMath::Clamp(row, 0, std::max(Count() - visibleRows, 0)));
}
