// The headless drawing surface as tests see it: displays in memory whose pixels can be
// read, a configurable screen depth, and refusals of sections and memory contexts on
// request. Displays keep true colour whatever depth they report.
#pragma once

#include <cstdint>

#include "OrvLib/platform/DrawingSurface.h"

namespace OrvHeadless {

// A display of the given size and reported depth, every pixel set to fill (a COLORREF).
OrvSurface::DC CreateDisplay(int width, int height, int bitsPerPixel, uint32_t fill);
void DestroyDisplay(OrvSurface::DC display);
// The pixel as a COLORREF (red in the low byte); 0 outside the display.
uint32_t DisplayPixel(OrvSurface::DC display, int x, int y);

// The depth that memory contexts report (32 unless set).
void SetScreenBitsPerPixel(int bitsPerPixel);
// The next count requests fail as if the system were out of resources.
void RefuseSections(int count);
void RefuseMemoryDCs(int count);
// Objects not yet freed, to prove that every path frees what it made.
int LiveSections();
int LiveMemoryDCs();

}  // namespace OrvHeadless
