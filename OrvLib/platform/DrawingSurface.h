// The drawing surface behind bitmaps: device contexts, DIB sections, palettes, nearest-pixel
// stretching and global memory. Implemented once on GDI and once headless in memory; both
// behave alike where GDI's behaviour is defined. Handles are opaque to portable code.
//
// Bitmap descriptions (bitmapInfo) are blocks in the layout of the Windows BITMAPINFO:
// a 40-byte header followed by its colour table. Logical palettes use the LOGPALETTE layout.
#pragma once

#include <cstddef>
#include <cstdint>

#include "OrvLib/ORVUTIL/OrvRect.h"

namespace OrvSurface {

struct DeviceTag;
struct BitmapTag;
struct ObjectTag;
struct PaletteTag;
struct GlobalTag;
using DC = DeviceTag*;           // a device context
using Bitmap = BitmapTag*;       // a DIB section
using Object = ObjectTag*;       // whatever a selection displaced
using Palette = PaletteTag*;     // a logical palette
using GlobalBlock = GlobalTag*;  // movable global memory

// Bits per pixel of the device behind dc (the screen's depth for a memory context).
int DeviceBitsPerPixel(DC dc);

// A DIB section with an RGB colour table; its rows (owned by the section) go to *bits.
// Null when the system refuses it.
Bitmap MakeSection(const void* bitmapInfo, void** bits);
void FreeSection(Bitmap section);

// A memory device context compatible with the screen; null when refused.
DC MakeMemoryDC();
void FreeMemoryDC(DC dc);
// Selects a section into a memory context; returns what it displaced.
Object SelectSection(DC dc, Bitmap section);
void RestoreObject(DC dc, Object previous);

// Paints rows of a DIB into destination, nearest pixel, no blending. source is in the
// DIB's own pixels with row 0 at the top of the picture, whatever the stored row order.
bool StretchBits(DC dc, const OrvRect& destination, const void* bitmapInfo, const void* bits,
                 const OrvRect& source);

// Copies source's pixels from (0, 0) one to one into destination.
bool CopyPixels(DC dc, const OrvRect& destination, DC source);

// Logical palettes exist only where displays have 256 colours; null elsewhere.
Palette MakePalette(const void* logPalette);
void FreePalette(Palette palette);
// Selects and realises a palette in the foreground; returns the displaced one.
Palette UsePalette(DC dc, Palette palette);
void RestorePalette(DC dc, Palette previous);

// Global memory for blocks handed to other programs. Null when refused.
GlobalBlock GlobalAllocate(uint32_t flags, size_t bytes);
void* GlobalLockBlock(GlobalBlock block);
void GlobalUnlockBlock(GlobalBlock block);
void GlobalFreeBlock(GlobalBlock block);
size_t GlobalBlockSize(GlobalBlock block);

}  // namespace OrvSurface
