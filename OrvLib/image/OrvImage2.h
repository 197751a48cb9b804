// Every picture held in memory: an OrvDIBBuffer with a colour key, an alpha flag and
// optionally a DIB section with a memory device context.
//
// Normal form is top-down: Create and CreateSection make top-down images, loaders and
// consumers call MakeTopDown whenever GetHeight is negative. Resample makes bottom-up
// images and ConvertDepth keeps its source's order.
//
// Conversions build the new bitmap apart and then adopt it: on failure (std::bad_alloc)
// the image keeps its previous block and scratch memory is freed.
#pragma once

#include <cstdint>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/image/OrvDIBBuffer.h"
#include "OrvLib/image/OrvPalette.h"
#include "OrvLib/platform/DrawingSurface.h"

class OrvImage2 : public OrvDIBBuffer {
public:
    // The program's dithering palette: the built-in 256 colours, with an inverse map that
    // never answers magenta, so that after a conversion only the key is magenta.
    class OrvPalettePlus : public OrvPalette {
    public:
        OrvPalettePlus();
    };
    // Made by the first image constructed; lives until the module unloads.
    static OrvPalettePlus& SharedPalette();

    OrvImage2();
    virtual ~OrvImage2();

    // A zeroed top-down image; see OrvDIBBuffer::Create for the colour table.
    void Create(int32_t width, int32_t height, int bitsPerPixel, OrvPalette* palette);
    // A top-down DIB section (depth 8 without palette takes the built-in colours), with a
    // memory DC selecting it when withDC. False, image unchanged, when either is refused.
    bool CreateSection(int32_t width, int32_t height, int bitsPerPixel, OrvPalette* palette, bool withDC);
    // Adopts a packed block made by OrvAllocateBlock.
    void Attach(OrvBitmapInfo* block);
    // Hands an owned packed block to the caller (free it with OrvFreeBlock) and leaves the
    // image empty; null, image unchanged, for sections and borrowed blocks.
    OrvBitmapInfo* Detach();
    // Frees DC, section and block.
    void Release();
    OrvSurface::DC GetDC() const { return dc; }

    int GetWidth() const { return info ? info->bmiHeader.biWidth : -1; }
    // Positive for top-down images, negative for bottom-up ones; -1 when empty.
    int GetHeight() const { return info ? -info->bmiHeader.biHeight : -1; }
    int GetBitCount() const { return info ? info->bmiHeader.biBitCount : -1; }
    bool HasAlpha() const { return hasAlpha; }
    void SetHasAlpha(bool value) { hasAlpha = value; }
    OrvColour GetTransparent() const { return transparent; }
    void SetTransparent(OrvColour colour) { transparent = colour; }
    bool HasTransparent() const { return transparent != kOrvNoColour; }

    // Reverses the stored row order of a bottom-up image; the picture stays upright.
    void MakeTopDown();
    // Moves the picture up (n <= 0) or down (n > 0) by |n| rows; uncovered rows keep
    // their contents. Nothing happens when |n| is not below the height.
    void ShiftRows(int n);
    // The same sideways (n <= 0 left), for depths of 8 bits and more.
    void ShiftColumns(int n);
    // Both act only on 32-bit images with alpha.
    void FillAlpha(uint8_t alpha);
    void KeyToAlpha(OrvColour key);

    // The source defaults to the image itself. An 8-bit target needs a palette (Resample
    // derives one from the source's table). A source key makes the result's key magenta,
    // except that a keyed source of 8 bits or less converted to 32 bits carries its key as
    // alpha (0 at the key's index, 255 elsewhere) and has no key.
    // False, image unchanged, for an empty source.
    bool ConvertDepth(int bitsPerPixel, const OrvImage2* source = nullptr, OrvPalette* palette = nullptr);
    bool Resample(int32_t width, int32_t height, int bitsPerPixel, const OrvImage2* source = nullptr,
                  OrvPalette* palette = nullptr);
    bool FlattenOnChecker(int bitsPerPixel, int cellSize, OrvColour first, OrvColour second,
                          const OrvImage2* source = nullptr, OrvPalette* palette = nullptr);

    // Paints the source rectangle (row 0 at the top) stretched to destination, nearest
    // pixel. Pixels of the key colour (kOrvNoColour: none), and those within tolerance of
    // it, show the background colour (white when none is given).
    void Draw(OrvSurface::DC target, const OrvRect& destination, const OrvRect& source, OrvColour key,
              OrvColour background, int tolerance);

private:
    // Takes over a freshly built bitmap, dropping section and DC.
    void Adopt(OrvDIBBuffer& fresh);
    void FreeSection();
    bool DrawThroughSection(OrvSurface::DC target, const OrvRect& destination, const OrvRect& source,
                            OrvColour key, OrvColour background, int tolerance);
    bool DrawDithered(OrvSurface::DC target, const OrvRect& destination, const OrvRect& source, OrvColour key,
                      OrvColour background);

    OrvColour transparent = kOrvNoColour;
    bool hasAlpha = false;
    OrvSurface::Bitmap section = nullptr;
    OrvSurface::DC dc = nullptr;
    OrvSurface::Object previousObject = nullptr;
};
