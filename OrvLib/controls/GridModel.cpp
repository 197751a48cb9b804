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
    firstRow = firstColumn = 0;
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

void GridModel::Shape(const OrvRect& area, const GridMetrics& metrics) {
    int32_t n = Count();
    if (heightMode == GridHeight::kFixed && fixedHeight > 0) {
        rowHeight = fixedHeight;
    } else if (heightMode == GridHeight::kTextHeight) {
        rowHeight = metrics.spaceHeight + margins.top + margins.bottom;
    } else {
        rowHeight = metrics.spaceHeight + 3;
    }
    rowHeight = std::max(rowHeight, 1);

    if (widthMode == GridWidth::kFixed && fixedWidth > 0) {
        columnWidth = fixedWidth;
    } else if (widthMode == GridWidth::kWidestText && metrics.textWidth) {
        int32_t widest = 0;
        for (const GridItem& item : items) widest = std::max(widest, metrics.textWidth(item.text));
        // The text stands 3 pixels into its cell.
        columnWidth = 3 + widest + margins.left + margins.right;
    } else {
        columnWidth = area.Width() / std::max(columnRequest, 1);
    }
    columnWidth = std::max(columnWidth, 1);

    visibleRows = std::max(area.Height() / rowHeight, 1);
    visibleColumns = std::max(area.Width() / columnWidth, 1);
    if (ColumnsFirst()) {
        rows = rowRequest > 0 ? rowRequest : visibleRows;
        columns = (n + rows - 1) / rows;
    } else {
        columns = columnRequest > 0 ? columnRequest : visibleColumns;
        rows = (n + columns - 1) / columns;
    }
}

void GridModel::Layout(const OrvRect& area, const GridMetrics& metrics) {
    client = area;
    barThickness = std::max(0, std::min({metrics.barThickness, area.Width(), area.Height()}));
    showsVertical = (style & GridStyle::kForceVertical) != 0;
    showsHorizontal = (style & GridStyle::kForceHorizontal) != 0;
    // A bar takes room from the other axis, which may then need its own bar: bars are only
    // ever added, so this settles within three rounds.
    for (;;) {
        cells = OrvRect{client.left, client.top, client.right - (showsVertical ? barThickness : 0),
                        client.bottom - (showsHorizontal ? barThickness : 0)};
        Shape(cells, metrics);
        bool vertical = showsVertical || NeedsVertical();
        bool horizontal = showsHorizontal || NeedsHorizontal();
        if (vertical == showsVertical && horizontal == showsHorizontal) break;
        showsVertical = vertical;
        showsHorizontal = horizontal;
    }
    SetFirstRow(firstRow);
    SetFirstColumn(firstColumn);
}

OrvRect GridModel::VerticalBar() const {
    if (!showsVertical) return OrvRect{};
    return OrvRect{client.right - barThickness, client.top, client.right, cells.bottom};
}

OrvRect GridModel::HorizontalBar() const {
    if (!showsHorizontal) return OrvRect{};
    return OrvRect{client.left, client.bottom - barThickness, cells.right, client.bottom};
}

void GridModel::SetFirstRow(int32_t row) {
    firstRow = static_cast<int32_t>(ControlMath::Clamp(row, 0, std::max(rows - visibleRows, 0)));
}

void GridModel::SetFirstColumn(int32_t column) {
    firstColumn = static_cast<int32_t>(ControlMath::Clamp(column, 0, std::max(columns - visibleColumns, 0)));
}

void GridModel::ScrollIntoView(int32_t index) {
    int32_t row = RowOf(index), column = ColumnOf(index);
    if (row < firstRow) {
        SetFirstRow(row);
    } else if (row >= firstRow + visibleRows) {
        SetFirstRow(row - visibleRows + 1);
    }
    if (column < firstColumn) {
        SetFirstColumn(column);
    } else if (column >= firstColumn + visibleColumns) {
        SetFirstColumn(column - visibleColumns + 1);
    }
}

int32_t GridModel::RowOf(int32_t index) const {
    if (ColumnsFirst()) return rows > 0 ? index % rows : 0;
    return columns > 0 ? index / columns : index;
}

int32_t GridModel::ColumnOf(int32_t index) const {
    if (ColumnsFirst()) return rows > 0 ? index / rows : 0;
    return columns > 0 ? index % columns : 0;
}

int32_t GridModel::IndexAt(int32_t row, int32_t column) const {
    if (row < 0 || column < 0 || row >= rows || column >= columns) return -1;
    int64_t index = ColumnsFirst() ? static_cast<int64_t>(column) * rows + row
                                   : static_cast<int64_t>(row) * columns + column;
    return index < Count() ? static_cast<int32_t>(index) : -1;
}

OrvRect GridModel::CellRect(int32_t index) const {
    int32_t left = cells.left + (ColumnOf(index) - firstColumn) * columnWidth;
    int32_t top = cells.top + (RowOf(index) - firstRow) * rowHeight;
    return OrvRect{left, top, left + columnWidth, top + rowHeight};
}

int32_t GridModel::HitTest(OrvPoint p) const {
    if (!cells.Contains(p.x, p.y)) return -1;
    return IndexAt(firstRow + (p.y - cells.top) / rowHeight, firstColumn + (p.x - cells.left) / columnWidth);
}

int32_t GridModel::KeyTarget(ControlKey key) const {
    int32_t step = ArrowStep(key);
    if (items.empty() || step == 0) return -1;
    if (selected < 0) return 0;
    // Up and Down step along the column, Left and Right along the row.
    bool alongColumn = key == ControlKey::Up || key == ControlKey::Down;
    int32_t dr = alongColumn ? step : 0, dc = alongColumn ? 0 : step;
    return IndexAt(RowOf(selected) + dr, ColumnOf(selected) + dc);
}

bool GridModel::Wheel(int32_t delta) {
    int32_t notches = wheel.Take(delta);
    int32_t row = firstRow, column = firstColumn;
    if (NeedsVertical()) {
        SetFirstRow(ControlMath::SaturateToInt(static_cast<int64_t>(firstRow) - notches));
    } else if (NeedsHorizontal()) {
        SetFirstColumn(ControlMath::SaturateToInt(static_cast<int64_t>(firstColumn) - notches));
    }
    return row != firstRow || column != firstColumn;
}
