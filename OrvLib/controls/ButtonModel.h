// The buttons without their windows: what a button style draws as, the check state a
// click leads to, the press state machine of the mouse and the Space key, the layout of
// a check box and its tick, and the scheme-coloured and embossed copies of a button's
// bitmap.
//
// Styles are the standard button style bits (the kind in the low four bits).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/DisplayScale.h"

namespace ButtonStyle {
constexpr uint32_t kPush = 0, kDefaultPush = 1, kCheck = 2, kAutoCheck = 3, kThreeState = 5,
                   kAutoThreeState = 6, kRadio = 4, kAutoRadio = 9, kGroupBox = 7;
constexpr uint32_t kLeftText = 0x20;
constexpr uint32_t kLeft = 0x100, kRight = 0x200, kCentre = 0x300;
constexpr uint32_t kTop = 0x400, kBottom = 0x800, kVCentre = 0xC00;
constexpr uint32_t kPushLike = 0x1000, kMultiLine = 0x2000;
inline uint32_t Kind(uint32_t style) { return style & 0xF; }
}  // namespace ButtonStyle

// The check state word: 0 unchecked, 1 checked, 2 indeterminate.
namespace ButtonState {
constexpr int32_t kUnchecked = 0, kChecked = 1, kIndeterminate = 2;
}

enum class ButtonLook { Push, CheckBox, Radio, GroupBox, Nothing };
ButtonLook LookOf(uint32_t style);
inline bool IsDefault(uint32_t style) { return ButtonStyle::Kind(style) == ButtonStyle::kDefaultPush; }

// The check state after a click; radio buttons are the window's (they touch the group).
int32_t CheckAfterClick(uint32_t style, int32_t state);

enum class TextAlign { Near, Centre, Far };
struct ButtonTextAlign {
    TextAlign horizontal;
    TextAlign vertical;
};
// `leftByDefault` for check boxes, centred for push buttons.
ButtonTextAlign TextAlignOf(uint32_t style, bool leftByDefault);

// Mouse and Space. The window captures the mouse and takes the focus on a press.
class ButtonPress {
public:
    struct Result {
        bool redraw = false;
        bool click = false;
    };
    Result Press();
    Result Move(bool inside);
    Result Release(bool inside);
    Result SpaceDown();
    Result SpaceUp();
    // The pushed state set from outside (the state message); true when it changed.
    bool SetPushed(bool newPushed) {
        bool changed = newPushed != pushed;
        pushed = newPushed;
        return changed;
    }
    bool Pushed() const { return pushed; }
    bool MousePressed() const { return mousePressed; }

private:
    bool mousePressed = false;
    bool pushed = false;
};

namespace ButtonGeometry {

// The client area inside the bevel (and the default frame) of a push button.
OrvRect PushInner(const OrvRect& client, bool isDefault);

struct CheckLayout {
    OrvRect box;   // 13 x 13 at 96 pixels an inch
    OrvRect text;  // the rest, 3 pixels away
};
CheckLayout Check(const OrvRect& client, uint32_t style, int dpi = DisplayScale::kBaseDpi);

// One-pixel columns of the tick inside `inner`: x, top, height each.
struct TickColumn {
    int32_t x, top, height;
};
std::vector<TickColumn> Tick(const OrvRect& inner);

}  // namespace ButtonGeometry

// Copies of a button bitmap (0x00BBGGRR pixels, rows top-down).
namespace ButtonBitmap {

struct Pixels {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> colours;
    uint32_t At(int32_t x, int32_t y) const { return colours[static_cast<size_t>(y) * width + x]; }
};

// White and near-white (every channel >= 248) to highlight, near light grey to face,
// near mid grey to shadow; other colours stay.
Pixels SchemeColoured(const Pixels& source, uint32_t highlight, uint32_t face, uint32_t shadow);

// One pixel larger: dark pixels in shadow, their shifted copy in highlight, face around.
Pixels Embossed(const Pixels& source, uint32_t highlight, uint32_t face, uint32_t shadow);

}  // namespace ButtonBitmap
