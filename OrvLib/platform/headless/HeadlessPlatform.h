// What the headless platform records, and what tests may set in it.
#pragma once

#include <cstdint>
#include <functional>

namespace OrvHeadless {

// How often a failure asked for the host window to be enabled again, and the window
// named the last time.
int EnableHostWindowCalls();
intptr_t LastHostWindow();

// Replaces the millisecond clock (an empty function restores the real one).
void SetClock(std::function<uint32_t()> clock);

}  // namespace OrvHeadless
