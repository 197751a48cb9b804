// The tab strip without its window: the tabs with their text and datum, the selection,
// the layout of the tab row and the body for each border look, scrolling when the tabs do
// not fit, hit testing, and the drop index and move of a dragged tab.
//
// When the tabs are wider than the row, two square scroll areas take the row's right end
// (back, then forward) and the tabs are placed from the first visible one; tabs that do not
// fit before the scroll areas are not placed (their rectangles stay empty and no hit test
// finds them). A newly selected tab is scrolled into view at the next layout. With the
// vertical style every rectangle is computed with the axes swapped and swapped back at the
// end.
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

// What a hit test answers besides a tab index.
namespace TabHit {
constexpr int32_t kNone = -1, kScrollBack = -2, kScrollForward = -3;
}

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

    void SetStyle(uint32_t bits) { style = bits; }
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

    // Scrolling: shown only while the tabs do not fit.
    bool Scrolling() const { return scrolling; }
    int32_t FirstVisible() const { return firstVisible; }
    // The back (TabHit::kScrollBack) or forward scroll area; empty while not scrolling.
    const OrvRect& ScrollArea(int32_t which) const { return which == TabHit::kScrollBack ? back : forward; }
    bool CanScrollBack() const { return scrolling && firstVisible > 0; }
    bool CanScrollForward() const { return scrolling && !items.empty() && items.back().rect.IsEmpty(); }
    // One tab back or forward; true when the view moved (lay out again).
    bool Scroll(int32_t which);

    // The placed tab under a point, the selected one first since it is drawn on top; a
    // scroll area's code; TabHit::kNone for nothing.
    int32_t HitTest(OrvPoint p) const;
    // The tab a key selects: the one before or after the selection, the first or the last
    // (one out of view is scrolled in at the next layout); -1 when the selection does not
    // move.
    int32_t KeyTarget(ControlKey key) const;
    // The first placed tab whose middle lies beyond `p` along the row; past the last placed
    // tab (the count when every tab is placed) for none.
    int32_t DropIndex(OrvPoint p) const;
    // Moves the selected tab to a drop index (one less when it lies after the tab) and
    // keeps it selected; returns its new index.
    int32_t MoveSelected(int32_t drop);

private:
    // Places the tabs from firstVisible between start and end along the row.
    void Place(const OrvRect& c, int32_t start, int32_t end, const std::vector<OrvSize>& sizes);

    std::vector<TabItem> items;
    int32_t selected = -1;
    uint32_t style = 0;
    int32_t rowHeight = -1;
    int32_t firstVisible = 0;
    bool revealSelection = false;
    bool scrolling = false;
    OrvRect row;
    OrvRect body;
    OrvRect back, forward;
};
