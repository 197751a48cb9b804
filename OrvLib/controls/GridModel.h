// The grid list without its window, in its default form: one column, one row per item,
// each row a fixed height. Items with their datum, sorted and positional insertion with
// the selection following its item, the layout with the vertical scroll bar when the rows
// do not fit, cells, hit testing, the keyboard and scrolling the selection into view.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/ControlInput.h"

struct GridItem {
    std::string text;
    int32_t datum = 0;
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
    // Out-of-range values mean no selection. Scrolls the selection into view.
    void SetSelection(int32_t index);

    // `barWidth` is the vertical bar's thickness; `forceBar` shows it even when not needed.
    void Layout(const OrvRect& client, int32_t rowHeight, int32_t barWidth, bool forceBar);
    int32_t RowHeight() const { return rowHeight; }
    int32_t VisibleRows() const { return visibleRows; }
    bool NeedsScrolling() const { return Count() > visibleRows; }
    bool ShowsBar() const { return showsBar; }
    const OrvRect& Cells() const { return cells; }
    OrvRect BarRect() const;

    int32_t FirstRow() const { return firstRow; }
    // Clamped so that the last page stays full.
    void SetFirstRow(int32_t row);
    void ScrollIntoView(int32_t index);
    // The cell of an item in client coordinates (it may lie outside the visible cells).
    OrvRect CellRect(int32_t index) const;
    // The item under a point of the cells; -1 below the items or outside.
    int32_t HitTest(OrvPoint p) const;

    // The item a key moves the selection to, or -1 when it does not move.
    int32_t KeyTarget(ControlKey key) const;
    // The first row after a wheel turn, one row per notch.
    int32_t FirstRowAfterWheel(int32_t delta) const;

private:
    std::vector<GridItem> items;
    int32_t selected = -1;
    int32_t firstRow = 0;
    int32_t rowHeight = 16;
    int32_t visibleRows = 1;
    int32_t barWidth = 0;
    bool showsBar = false;
    OrvRect client;
    OrvRect cells;
};
