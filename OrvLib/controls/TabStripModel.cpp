#include "OrvLib/controls/TabStripModel.h"

#include <algorithm>
#include <utility>

namespace {

OrvRect Swapped(const OrvRect& r) { return OrvRect{r.top, r.left, r.bottom, r.right}; }

}  // namespace

int32_t TabStripModel::Insert(int32_t index, const std::string& text) {
    index = std::max(0, std::min(index, Count()));
    TabItem item;
    item.text = text;
    items.insert(items.begin() + index, item);
    if (selected < 0) {
        selected = 0;
    } else if (index <= selected) {
        ++selected;
    }
    return index;
}

bool TabStripModel::SetSelection(int32_t index) {
    if (items.empty()) return false;
    index = std::max(0, std::min(index, Count() - 1));
    if (index == selected) return false;
    selected = index;
    return true;
}

TabInsets TabStripModel::Insets() const {
    switch (Look()) {
        case TabStyle::kRaised:
            return TabInsets{2, 2, 2, 0};
        case TabStyle::kFramed:
            return TabInsets{3, 3, 3, 3};
        default:
            return TabInsets{1, 1, 1, 0};
    }
}

TabInsets TabStripModel::Growth() const {
    if (Look() == TabStyle::kFramed) return TabInsets{};
    TabInsets g = Insets();
    g.bottom = 1;
    return g;
}

void TabStripModel::Layout(const OrvRect& client, const Measure& measure) {
    bool vertical = (style & TabStyle::kVertical) != 0;
    OrvRect c = vertical ? Swapped(client) : client;
    int32_t tabRowHeight = rowHeight < 0 ? c.Height() : rowHeight;
    row = OrvRect{c.left, c.top, c.right, c.top + tabRowHeight};
    body = OrvRect{c.left, row.bottom, c.right, c.bottom};

    TabInsets in = Insets(), g = Growth();
    int32_t x = c.left + g.left;
    for (size_t i = 0; i < items.size(); ++i) {
        TabItem& item = items[i];
        OrvSize text = measure(item.text);
        int32_t width = margin.left + in.left + text.width + margin.right + in.right;
        int32_t height = tabRowHeight - g.top;
        item.rect = OrvRect{};
        item.textRect = OrvRect{};
        if (x + width + g.right > c.right) {
            // Later tabs do not fit either once one has not; nothing is placed past it.
            x = c.right;
            continue;
        }
        item.rect = OrvRect{x, c.top + g.top, x + width, c.top + g.top + height};
        int32_t tx = x + margin.left + in.left, ty = item.rect.top + margin.top + in.top;
        item.textRect = OrvRect{tx, ty, tx + text.width, ty + text.height};
        x += width;
        if (static_cast<int32_t>(i) == selected) {
            item.rect.left -= g.left;
            item.rect.top -= g.top;
            item.rect.right += g.right;
            item.rect.bottom += g.bottom;
            item.textRect.top -= g.top;
            item.textRect.bottom -= g.top;
        }
    }
    if (vertical) {
        row = Swapped(row);
        body = Swapped(body);
        for (TabItem& item : items) {
            item.rect = Swapped(item.rect);
            item.textRect = Swapped(item.textRect);
        }
    }
}

int32_t TabStripModel::HitTest(OrvPoint p) const {
    if (selected >= 0 && Item(selected).rect.Contains(p.x, p.y)) return selected;
    for (int32_t i = 0; i < Count(); ++i) {
        if (Item(i).rect.Contains(p.x, p.y)) return i;
    }
    return -1;
}

int32_t TabStripModel::KeyTarget(ControlKey key) const {
    int32_t from = selected, step = ArrowStep(key);
    if (key == ControlKey::Home) from = -1, step = 1;
    if (key == ControlKey::End) from = Count(), step = -1;
    if (step == 0) return -1;
    for (int32_t i = from + step; i >= 0 && i < Count(); i += step) {
        if (!Item(i).rect.IsEmpty()) return i == selected ? -1 : i;
    }
    return -1;
}

int32_t TabStripModel::DropIndex(OrvPoint p) const {
    bool vertical = (style & TabStyle::kVertical) != 0;
    for (int32_t i = 0; i < Count(); ++i) {
        const OrvRect& r = Item(i).rect;
        if (r.IsEmpty()) continue;
        int32_t middle = vertical ? (r.top + r.bottom) / 2 : (r.left + r.right) / 2;
        if (middle > (vertical ? p.y : p.x)) return i;
    }
    return Count();
}

int32_t TabStripModel::MoveSelected(int32_t drop) {
    if (selected < 0) return -1;
    drop = std::max(0, std::min(drop, Count()));
    int32_t to = drop > selected ? drop - 1 : drop;
    TabItem item = std::move(items[static_cast<size_t>(selected)]);
    items.erase(items.begin() + selected);
    items.insert(items.begin() + to, std::move(item));
    selected = to;
    return to;
}
