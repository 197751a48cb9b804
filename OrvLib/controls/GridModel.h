// The grid list without its window: items with their datum, sorted and positional
// insertion with the selection following its item, and the cells laid out in rows and
// columns with a scroll bar along each axis that does not fit.
//
// Items run along the rows (item i in row i / columns) or, with the column-first style,
// down the columns. The row-first grid has as many columns as asked for (as many as fit
// when asked for none) and as many rows as the items need; the column-first one the other
// way round. With the defaults there is one column, as wide as the client allows, and one
// row per item.
//
// Column widths: fixed, the widest text plus the cell margins, or the cells' width shared
// by the columns asked for (the default). Row heights: fixed, the text height plus the
// cell margins, or a space's height plus 3 pixels (the default). A fixed size of 0 or less
// falls back to the default.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "OrvLib/controls/ControlMath.h"
#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/ControlInput.h"

namespace GridStyle {
constexpr uint32_t kColumnsFirst = 4, kNotifySelection = 8, kForceVertical = 0x10, kForceHorizontal = 0x20;
}
namespace GridWidth {
constexpr int32_t kFixed = 0, kWidestText = 1, kFill = 4;
}
namespace GridHeight {
constexpr int32_t kFixed = 0, kTextHeight = 1, kFontRow = 2;
}

struct GridItem {
    std::string text;
    int32_t datum = 0;
};

struct GridMargins {
    int32_t left = 2, top = 2, right = 2, bottom = 2;
};

// What the layout needs from the font and the system.
struct GridMetrics {
    int32_t spaceHeight = 13;  // a space in the font
    int32_t barThickness = 16;
    std::function<int32_t(const std::string&)> textWidth;  // only for the widest-text mode
};

class GridModel {
public:
    int32_t InsertSorted(const std::string& text);
    int32_t Append(const std::string& text) { return InsertAt(Count(), text); }
    int32_t InsertAt(int32_t index, const std::string& text);
    void RemoveAll();
    int32_t Count() const { return static_cast<int32_t>(items.size()); }
    const GridItem& Item(int32_t index) const { return items[static_cast<size_t>(index)]; }
    int32_t Datum(int32_t index) const;
    void SetDatum(int32_t index, int32_t datum);

    int32_t Selection() const { return selected; }
    // The cell the focus cue marks: the selection, or with none the item the first key
    // selects; -1 without items.
    int32_t FocusedItem() const { return selected >= 0 ? selected : (items.empty() ? -1 : 0); }
    // Out-of-range values mean no selection. Scrolls the selection into view.
    void SetSelection(int32_t index);

    // The shape asked for; the next Layout applies it.
    void SetStyle(uint32_t bits) { style = bits; }
    uint32_t Style() const { return style; }
    void SetRequests(int32_t rowCount, int32_t columnCount) {
        rowRequest = rowCount;
        columnRequest = columnCount;
    }
    void SetColumnWidth(int32_t mode, int32_t fixed) {
        widthMode = mode;
        fixedWidth = fixed;
    }
    void SetRowHeight(int32_t mode, int32_t fixed) {
        heightMode = mode;
        fixedHeight = fixed;
    }
    GridMargins margins;

    void Layout(const OrvRect& client, const GridMetrics& metrics);
    int32_t Rows() const { return rows; }
    int32_t Columns() const { return columns; }
    int32_t RowHeight() const { return rowHeight; }
    int32_t ColumnWidth() const { return columnWidth; }
    // Whole rows and columns the cells show (at least 1).
    int32_t VisibleRows() const { return visibleRows; }
    int32_t VisibleColumns() const { return visibleColumns; }
    bool ShowsVertical() const { return showsVertical; }
    bool ShowsHorizontal() const { return showsHorizontal; }
    bool NeedsVertical() const { return rows > visibleRows; }
    bool NeedsHorizontal() const { return columns > visibleColumns; }
    const OrvRect& Cells() const { return cells; }
    OrvRect VerticalBar() const;
    OrvRect HorizontalBar() const;

    int32_t FirstRow() const { return firstRow; }
    int32_t FirstColumn() const { return firstColumn; }
    // Clamped so that the last page stays full.
    void SetFirstRow(int32_t row);
    void SetFirstColumn(int32_t column);
    void ScrollIntoView(int32_t index);

    int32_t RowOf(int32_t index) const;
    int32_t ColumnOf(int32_t index) const;
    // The item in a cell; -1 for a cell past the items.
    int32_t IndexAt(int32_t row, int32_t column) const;
    // The cell of an item in client coordinates (it may lie outside the visible cells).
    OrvRect CellRect(int32_t index) const;
    // The item under a point of the cells; -1 beside or below the items.
    int32_t HitTest(OrvPoint p) const;

    // The item a key moves the selection to (a row up or down, a column left or right), or
    // -1 when it does not move; with no selection the first key selects item 0.
    int32_t KeyTarget(ControlKey key) const;
    // Scrolls one row per notch, or one column when the rows need no scrolling; true when
    // the view moved.
    bool Wheel(int32_t delta);

private:
    void Shape(const OrvRect& area, const GridMetrics& metrics);
    bool ColumnsFirst() const { return (style & GridStyle::kColumnsFirst) != 0; }

    std::vector<GridItem> items;
    int32_t selected = -1;
    uint32_t style = GridStyle::kNotifySelection;
    int32_t rowRequest = 1, columnRequest = 1;
    int32_t widthMode = GridWidth::kFill, fixedWidth = -1;
    int32_t heightMode = GridHeight::kFontRow, fixedHeight = -1;

    OrvRect client;
    OrvRect cells;
    int32_t barThickness = 0;
    bool showsVertical = false, showsHorizontal = false;
    int32_t rows = 0, columns = 1;
    int32_t rowHeight = 16, columnWidth = 1;
    int32_t visibleRows = 1, visibleColumns = 1;
    int32_t firstRow = 0, firstColumn = 0;
    ControlMath::WheelAccumulator wheel;
};
