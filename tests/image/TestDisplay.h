// A true-colour drawing target whose pixels tests can read: in memory natively, a real
// GDI memory context with a DIB section under Windows. The same Draw tests run on both.
#pragma once

#include <cstdint>

#include "OrvLib/platform/DrawingSurface.h"

class TestDisplay {
public:
    TestDisplay(int width, int height, uint32_t fill);
    ~TestDisplay();
    TestDisplay(const TestDisplay&) = delete;
    TestDisplay& operator=(const TestDisplay&) = delete;

    OrvSurface::DC Dc() const { return dc; }
    // The pixel as a colour value (red in the low byte).
    uint32_t Pixel(int x, int y) const;

private:
    OrvSurface::DC dc = nullptr;
    void* platform = nullptr;
    int width;
    int height;
};
