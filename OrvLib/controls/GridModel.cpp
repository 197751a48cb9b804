#include "OrvLib/controls/GridModel.h"

#include <algorithm>
#include <cctype>

#include "OrvLib/controls/ControlMath.h"

int GridModel::CompareText(const std::string& a, const std::string& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int ca = std::tolower(static_cast<unsigned char>(a[i]));
        int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int32_t GridModel::InsertSorted(const std::string& text) {
    // The first position whose text is not below the new one.
    int32_t lo = 0, hi = Count();
    while (lo < hi) {
        int32_t mid = lo + (hi - lo) / 2;
        if (CompareText(Item(mid).text, text) < 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return InsertAt(lo, text);
}

int32_t GridModel::InsertAt(int32_t index, const std::string& text) {
    index = std::max(0, std::min(index, Count()));
    items_.insert(items_.begin() + index, GridItem{text, 0});
    if (selected_ >= 0 && index <= selected_) ++selected_;
    return index;
}

void GridModel::RemoveAll() {
    items_.clear();
    selected_ = -1;
    firstRow_ = 0;
}

int32_t GridModel::Datum(int32_t index) const {
    return index >= 0 && index < Count() ? Item(index).datum : -1;
}

void GridModel::SetDatum(int32_t index, int32_t datum) {
    if (index >= 0 && index < Count()) items_[static_cast<size_t>(index)].datum = datum;
}

void GridModel::SetSelection(int32_t index) {
    selected_ = index >= 0 && index < Count() ? index : -1;
    if (selected_ >= 0) ScrollIntoView(selected_);
}

void GridModel::Layout(const OrvRect& client, int32_t rowHeight, int32_t barWidth, bool forceBar) {
    client_ = client;
    rowHeight_ = std::max(rowHeight, 1);
    visibleRows_ = std::max(client.Height() / rowHeight_, 1);
    showsBar_ = forceBar || Count() > visibleRows_;
    barWidth_ = showsBar_ ? std::min(barWidth, client.Width()) : 0;
    cells_ = OrvRect{client.left, client.top, client.right - barWidth_, client.bottom};
    SetFirstRow(firstRow_);
}

OrvRect GridModel::BarRect() const {
    return OrvRect{client_.right - barWidth_, client_.top, client_.right, client_.bottom};
}

void GridModel::SetFirstRow(int32_t row) {
    firstRow_ = static_cast<int32_t>(ControlMath::Clamp(row, 0, std::max(Count() - visibleRows_, 0)));
}

void GridModel::ScrollIntoView(int32_t index) {
    if (index < firstRow_) {
        SetFirstRow(index);
    } else if (index >= firstRow_ + visibleRows_) {
        SetFirstRow(index - visibleRows_ + 1);
    }
}

OrvRect GridModel::CellRect(int32_t index) const {
    int32_t top = cells_.top + (index - firstRow_) * rowHeight_;
    return OrvRect{cells_.left, top, cells_.right, top + rowHeight_};
}

int32_t GridModel::HitTest(OrvPoint p) const {
    if (!cells_.Contains(p.x, p.y)) return -1;
    int32_t index = firstRow_ + (p.y - cells_.top) / rowHeight_;
    return index < Count() ? index : -1;
}

int32_t GridModel::KeyTarget(ControlKey key) const {
    if (items_.empty()) return -1;
    int32_t step;
    switch (key) {
        case ControlKey::Up:
        case ControlKey::Left:
            step = -1;
            break;
        case ControlKey::Down:
        case ControlKey::Right:
            step = 1;
            break;
        default:
            return -1;
    }
    if (selected_ < 0) return 0;
    int32_t target = selected_ + step;
    return target >= 0 && target < Count() ? target : -1;
}

int32_t GridModel::FirstRowAfterWheel(int32_t delta) const {
    int64_t row = static_cast<int64_t>(firstRow_) - ControlMath::Notches(delta);
    return static_cast<int32_t>(ControlMath::Clamp(row, 0, std::max(Count() - visibleRows_, 0)));
}
