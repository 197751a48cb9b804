// The keys the control models understand; the window layer maps virtual keys onto them.
#pragma once

#include <cstdint>

enum class ControlKey { Other, Left, Right, Up, Down, PageUp, PageDown, Home, End, Space, Escape, Return };

// The step through a list that an arrow key means: back for Left and Up, on for Right and
// Down, 0 for any other key.
inline int32_t ArrowStep(ControlKey key) {
    switch (key) {
        case ControlKey::Left:
        case ControlKey::Up:
            return -1;
        case ControlKey::Right:
        case ControlKey::Down:
            return 1;
        default:
            return 0;
    }
}
