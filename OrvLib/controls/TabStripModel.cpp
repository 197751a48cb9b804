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
        revealSelection = true;
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
    revealSelection = true;
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

bool TabStripModel::Scroll(int32_t which) {
    if (which == TabHit::kScrollBack && CanScrollBack()) {
        --firstVisible;
        return true;
    }
    if (which == TabHit::kScrollForward && CanScrollForward()) {
        ++firstVisible;
        return true;
    }
    return false;
}

void TabStripModel::Place(const OrvRect& c, int32_t start, int32_t end, const std::vector<OrvSize>& sizes) {
    TabInsets in = Insets(), g = Growth();
    int32_t height = row.Height() - g.top;
    int32_t x = start;
    for (int32_t i = 0; i < Count(); ++i) {
        TabItem& item = items[static_cast<size_t>(i)];
        item.rect = OrvRect{};
        item.textRect = OrvRect{};
        const OrvSize& text = sizes[static_cast<size_t>(i)];
        int32_t width = margin.left + in.left + text.width + margin.right + in.right;
        if (i < firstVisible) continue;
        if (x + width + g.right > end) {
            // Later tabs do not fit either once one has not; nothing is placed past it.
            x = end;
            continue;
        }
        item.rect = OrvRect{x, c.top + g.top, x + width, c.top + g.top + height};
        int32_t tx = x + margin.left + in.left, ty = item.rect.top + margin.top + in.top;
        item.textRect = OrvRect{tx, ty, tx + text.width, ty + text.height};
        x += width;
        if (i == selected) {
            item.rect.left -= g.left;
            item.rect.top -= g.top;
            item.rect.right += g.right;
            item.rect.bottom += g.bottom;
            item.textRect.top -= g.top;
            item.textRect.bottom -= g.top;
        }
    }
}

void TabStripModel::Layout(const OrvRect& client, const Measure& measure) {
    bool vertical = (style & TabStyle::kVertical) != 0;
    OrvRect c = vertical ? Swapped(client) : client;
    int32_t height = rowHeight < 0 ? c.Height() : rowHeight;
    row = OrvRect{c.left, c.top, c.right, c.top + height};
    body = OrvRect{c.left, row.bottom, c.right, c.bottom};

    TabInsets in = Insets(), g = Growth();
    std::vector<OrvSize> sizes;
    std::vector<int64_t> widths;
    int64_t total = g.left + g.right;
    for (const TabItem& item : items) {
        sizes.push_back(measure(item.text));
        widths.push_back(margin.left + in.left + sizes.back().width + margin.right + in.right);
        total += widths.back();
    }
    scrolling = total > c.Width();
    back = forward = OrvRect{};
    int32_t end = c.right;
    if (scrolling) {
        int32_t side = std::max(1, height - g.top);
        forward = OrvRect{c.right - side, c.top + g.top, c.right, c.top + g.top + side};
        back = OrvRect{forward.left - side, forward.top, forward.left, forward.bottom};
        end = back.left;
        firstVisible = std::max(0, std::min(firstVisible, Count() - 1));
        // Never leave room unused on the right while tabs are hidden on the left.
        int64_t tail = g.left + g.right;
        for (int32_t i = firstVisible; i < Count(); ++i) tail += widths[static_cast<size_t>(i)];
        while (firstVisible > 0 && tail + widths[static_cast<size_t>(firstVisible - 1)] <= end - c.left)
            tail += widths[static_cast<size_t>(--firstVisible)];
        if (revealSelection && selected >= 0) {
            if (selected < firstVisible) firstVisible = selected;
            for (Place(c, c.left + g.left, end, sizes);
                 firstVisible < selected && Item(selected).rect.IsEmpty();
                 Place(c, c.left + g.left, end, sizes))
                ++firstVisible;
        }
    } else {
        firstVisible = 0;
    }
    revealSelection = false;
    Place(c, c.left + g.left, end, sizes);
    if (vertical) {
        row = Swapped(row);
        body = Swapped(body);
        back = Swapped(back);
        forward = Swapped(forward);
        for (TabItem& item : items) {
            item.rect = Swapped(item.rect);
            item.textRect = Swapped(item.textRect);
        }
    }
}

int32_t TabStripModel::HitTest(OrvPoint p) const {
    if (back.Contains(p.x, p.y)) return TabHit::kScrollBack;
    if (forward.Contains(p.x, p.y)) return TabHit::kScrollForward;
    if (selected >= 0 && Item(selected).rect.Contains(p.x, p.y)) return selected;
    for (int32_t i = 0; i < Count(); ++i) {
        if (Item(i).rect.Contains(p.x, p.y)) return i;
    }
    return TabHit::kNone;
}

int32_t TabStripModel::KeyTarget(ControlKey key) const {
    int32_t target;
    if (key == ControlKey::Home) {
        target = 0;
    } else if (key == ControlKey::End) {
        target = Count() - 1;
    } else if (int32_t step = ArrowStep(key)) {
        target = selected + step;
    } else {
        return -1;
    }
    return target >= 0 && target < Count() && target != selected ? target : -1;
}

int32_t TabStripModel::DropIndex(OrvPoint p) const {
    bool vertical = (style & TabStyle::kVertical) != 0;
    int32_t afterLast = Count();
    for (int32_t i = 0; i < Count(); ++i) {
        const OrvRect& r = Item(i).rect;
        if (r.IsEmpty()) continue;
        int32_t middle = vertical ? (r.top + r.bottom) / 2 : (r.left + r.right) / 2;
        if (middle > (vertical ? p.y : p.x)) return i;
        afterLast = i + 1;
    }
    return afterLast;
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
