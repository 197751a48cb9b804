#include "OrvLib/controls/ButtonModel.h"

#include <cstdlib>

using namespace ButtonStyle;

ButtonLook LookOf(uint32_t style) {
    uint32_t kind = Kind(style);
    switch (kind) {
        case kPush:
        case kDefaultPush:
        case 10:
        case 12:
        case 13:
        case 14:
        case 15:
            return ButtonLook::Push;
        case kRadio:
        case kAutoRadio:
            return (style & kPushLike) ? ButtonLook::Push : ButtonLook::Radio;
        case kCheck:
        case kAutoCheck:
        case kThreeState:
        case kAutoThreeState:
            return (style & kPushLike) ? ButtonLook::Push : ButtonLook::CheckBox;
        case kGroupBox:
            return ButtonLook::GroupBox;
        default:
            return ButtonLook::Nothing;
    }
}

int32_t CheckAfterClick(uint32_t style, int32_t state) {
    switch (Kind(style)) {
        case kAutoCheck:
            return state == ButtonState::kUnchecked ? ButtonState::kChecked : ButtonState::kUnchecked;
        case kAutoThreeState:
            return state == ButtonState::kUnchecked
                       ? ButtonState::kChecked
                       : (state == ButtonState::kChecked ? ButtonState::kIndeterminate
                                                         : ButtonState::kUnchecked);
        default:
            return state;
    }
}

ButtonTextAlign TextAlignOf(uint32_t style, bool leftByDefault) {
    ButtonTextAlign a{leftByDefault ? TextAlign::Near : TextAlign::Centre, TextAlign::Centre};
    switch (style & kCentre) {
        case kLeft:
            a.horizontal = TextAlign::Near;
            break;
        case kRight:
            a.horizontal = TextAlign::Far;
            break;
        case kCentre:
            a.horizontal = TextAlign::Centre;
            break;
    }
    switch (style & kVCentre) {
        case kTop:
            a.vertical = TextAlign::Near;
            break;
        case kBottom:
            a.vertical = TextAlign::Far;
            break;
        default:
            break;
    }
    return a;
}

ButtonPress::Result ButtonPress::Press() {
    mousePressed = true;
    Result r;
    r.redraw = !pushed;
    pushed = true;
    return r;
}

ButtonPress::Result ButtonPress::Move(bool inside) {
    Result r;
    if (!mousePressed || pushed == inside) return r;
    pushed = inside;
    r.redraw = true;
    return r;
}

ButtonPress::Result ButtonPress::Release(bool inside) {
    Result r;
    if (!mousePressed) return r;
    mousePressed = false;
    pushed = false;
    r.click = inside;
    r.redraw = true;
    return r;
}

ButtonPress::Result ButtonPress::SpaceDown() {
    Result r;
    if (mousePressed || pushed) return r;
    pushed = true;
    r.redraw = true;
    return r;
}

ButtonPress::Result ButtonPress::SpaceUp() {
    Result r;
    // Only a Space press clicks: a Space released after the mouse took over, or without
    // its press, does nothing.
    if (mousePressed || !pushed) return r;
    pushed = false;
    r.click = true;
    r.redraw = true;
    return r;
}

namespace ButtonGeometry {

OrvRect PushInner(const OrvRect& client, bool isDefault) {
    int32_t d = isDefault ? 3 : 2;
    return OrvRect{client.left + d, client.top + d, client.right - d, client.bottom - d};
}

CheckLayout Check(const OrvRect& client, uint32_t style, int dpi) {
    const int32_t kBox = DisplayScale::Scale(13, dpi), kGap = DisplayScale::Scale(3, dpi);
    CheckLayout l;
    bool right = (style & kLeftText) != 0;
    l.box.left = right ? client.right - kBox : client.left;
    switch (style & kVCentre) {
        case kTop:
            l.box.top = client.top;
            break;
        case kBottom:
            l.box.top = client.bottom - kBox;
            break;
        default:
            l.box.top = client.top + (client.Height() - kBox) / 2;
    }
    l.box.right = l.box.left + kBox;
    l.box.bottom = l.box.top + kBox;
    l.text = client;
    if (right) {
        l.text.right = l.box.left - kGap;
    } else {
        l.text.left = l.box.right + kGap;
    }
    return l;
}

std::vector<TickColumn> Tick(const OrvRect& inner) {
    std::vector<TickColumn> columns;
    int32_t height = (inner.Height() - 1) / 2;
    if (height <= 0) return columns;
    int32_t top = inner.top;
    bool down = true;
    for (int32_t x = inner.right - 1; x >= inner.left; --x) {
        columns.push_back(TickColumn{x, top, height});
        if (down && top + 1 + height > inner.bottom) down = false;
        top += down ? 1 : -1;
        if (top < inner.top) break;
    }
    return columns;
}

}  // namespace ButtonGeometry

namespace ButtonBitmap {
namespace {

int32_t Channel(uint32_t c, int i) { return static_cast<int32_t>((c >> (8 * i)) & 0xFF); }

bool Near(uint32_t c, int32_t grey, int32_t tolerance) {
    for (int i = 0; i < 3; ++i) {
        if (std::abs(Channel(c, i) - grey) > tolerance) return false;
    }
    return true;
}

bool AllAbove(uint32_t c, int32_t v) { return Channel(c, 0) > v && Channel(c, 1) > v && Channel(c, 2) > v; }

}  // namespace

Pixels SchemeColoured(const Pixels& source, uint32_t highlight, uint32_t face, uint32_t shadow) {
    Pixels out = source;
    for (uint32_t& c : out.colours) {
        c &= 0xFFFFFF;
        if (AllAbove(c, 247)) {
            c = highlight;
        } else if (Near(c, 192, 7)) {
            c = face;
        } else if (Near(c, 128, 7)) {
            c = shadow;
        }
    }
    return out;
}

Pixels Embossed(const Pixels& source, uint32_t highlight, uint32_t face, uint32_t shadow) {
    Pixels out;
    out.width = source.width + 1;
    out.height = source.height + 1;
    out.colours.resize(static_cast<size_t>(out.width) * out.height);
    // A pixel is dark when any channel is below 185; outside the source counts as light,
    // so the shifted copy shows along the far edges.
    auto light = [&](int32_t x, int32_t y) {
        return x >= source.width || y >= source.height || AllAbove(source.At(x, y), 184);
    };
    for (int32_t y = 0; y < out.height; ++y) {
        for (int32_t x = 0; x < out.width; ++x) {
            uint32_t& c = out.colours[static_cast<size_t>(y) * out.width + x];
            if (!light(x, y)) {
                c = shadow;
            } else if (x == 0 || y == 0 || light(x - 1, y - 1)) {
                c = face;
            } else {
                c = highlight;
            }
        }
    }
    return out;
}

}  // namespace ButtonBitmap
