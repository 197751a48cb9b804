#include "OrvLib/platform/headless/HeadlessSurface.h"
#include "TestDisplay.h"

TestDisplay::TestDisplay(int w, int h, uint32_t fill) : width(w), height(h) {
    dc = OrvHeadless::CreateDisplay(w, h, 32, fill);
}

TestDisplay::~TestDisplay() { OrvHeadless::DestroyDisplay(dc); }

uint32_t TestDisplay::Pixel(int x, int y) const { return OrvHeadless::DisplayPixel(dc, x, y); }
