// The tab strip without its window: the tabs with their text and datum, the selection,
// the layout of the tab row and the body for each border look, hit testing, and the
// drop index and move of a dragged tab.
//
// Tabs that do not fit the row are not placed (their rectangles stay empty and no hit
// test finds them). With the vertical style every rectangle is computed with the axes
// swapped and swapped back at the end.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/ControlInput.h"

namespace TabStyle {
constexpr uint32_t kLookMask = 0xF;
constexpr uint32_t kPlain = 0, kFlat = 1, kRaised = 2, kFramed = 3;
constexpr uint32_t kRenameOnClick = 0x10, kRenameOnDoubleClick = 0x20, kRenameMask = 0x30;
constexpr uint32_t kVertical = 0x40;
}  // namespace TabStyle

struct TabInsets {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct TabItem {
    std::string text;
    int32_t datum = -1;
    OrvRect rect;      // empty when the tab is not placed
    OrvRect textRect;  // where the text goes: its origin and extent
};

class TabStripModel {
public:
    using Measure = std::function<OrvSize(const std::string&)>;

    void SetStyle(uint32_t newStyle) { style = newStyle; }
    uint32_t Style() const { return style; }
    uint32_t Look() const { return style & TabStyle::kLookMask; }
    // -1: the whole client height.
    void SetRowHeight(int32_t height) { rowHeight = height; }

    // Inserts at the clamped index and returns it; the first tab of an empty strip becomes
    // selected.
    int32_t Insert(int32_t index, const std::string& text);
    // Clamped into the tabs; returns whether the selection changed.
    bool SetSelection(int32_t index);
    int32_t Selection() const { return selected; }
    int32_t Count() const { return static_cast<int32_t>(items.size()); }
    const TabItem& Item(int32_t index) const { return items[static_cast<size_t>(index)]; }
    void SetText(int32_t index, const std::string& text) { items[static_cast<size_t>(index)].text = text; }
    void SetDatum(int32_t index, int32_t datum) { items[static_cast<size_t>(index)].datum = datum; }

    TabInsets Insets() const;
    // How much the selected tab grows beyond its place.
    TabInsets Growth() const;
    TabInsets margin{2, 2, 2, 2};

    void Layout(const OrvRect& client, const Measure& measure);
    const OrvRect& Row() const { return row; }
    const OrvRect& Body() const { return body; }

    // The placed tab under a point, the selected one first since it is drawn on top; -1
    // for none.
    int32_t HitTest(OrvPoint p) const;
    // The placed tab a key selects: the one before or after the selection along the row,
    // the first or the last; -1 when the selection does not move.
    int32_t KeyTarget(ControlKey key) const;
    // The first placed tab whose middle lies beyond `p` along the row; the count for none.
    int32_t DropIndex(OrvPoint p) const;
    // Moves the selected tab to a drop index (one less when it lies after the tab) and
    // keeps it selected; returns its new index.
    int32_t MoveSelected(int32_t drop);

private:
    std::vector<TabItem> items;
    int32_t selected = -1;
    uint32_t style = 0;
    int32_t rowHeight = -1;
    OrvRect row;
    OrvRect body;
};
