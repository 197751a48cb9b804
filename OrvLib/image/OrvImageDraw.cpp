// OrvImage2::Draw: a plain nearest-pixel stretch, or, with a key colour, a stretch into an
// off-screen section where the key is replaced by the background before the copy. On a
// 256-colour device the section is dithered to the shared palette instead.
#include "OrvLib/image/OrvAutoPtr.h"
#include "OrvLib/image/OrvDIBSection.h"
#include "OrvLib/image/OrvDitherer.h"
#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/OrvMaskDIBBuffer.h"

namespace {

// Keeps a palette selected for the length of one drawing.
class PaletteSelection {
public:
    PaletteSelection(OrvSurface::DC initialDc, OrvSurface::Palette palette)
        : dc(initialDc),
          previous(palette != nullptr ? OrvSurface::UsePalette(initialDc, palette) : nullptr),
          used(palette != nullptr) {}
    ~PaletteSelection() {
        if (used) OrvSurface::RestorePalette(dc, previous);
    }
    PaletteSelection(const PaletteSelection&) = delete;
    PaletteSelection& operator=(const PaletteSelection&) = delete;

private:
    OrvSurface::DC dc;
    OrvSurface::Palette previous;
    bool used;
};

OrvRect SizeOf(const OrvRect& r) { return OrvRect{0, 0, r.Width(), r.Height()}; }

}  // namespace

void OrvImage2::Draw(OrvSurface::DC target, const OrvRect& destination, const OrvRect& source, OrvColour key,
                     OrvColour background, int tolerance) {
    // Nothing to paint, and no section could be made for it.
    if (info == nullptr || target == nullptr || destination.IsEmpty()) return;
    if (key != kOrvNoColour && OrvIsPaletteIndex(key)) key = TableColour(int(key & 0xFF));

    bool done = false;
    if (OrvSurface::DeviceBitsPerPixel(target) == 8)
        done = DrawDithered(target, destination, source, key, background);
    else if (key != kOrvNoColour && key != background)
        done = DrawThroughSection(target, destination, source, key, background, tolerance);
    // Also the way out when the system refused the off-screen section.
    if (!done) OrvSurface::StretchBits(target, destination, info, bits, source);
}

bool OrvImage2::DrawThroughSection(OrvSurface::DC target, const OrvRect& destination, const OrvRect& source,
                                   OrvColour key, OrvColour background, int tolerance) {
    OrvDIBSection offscreen;
    if (!offscreen.Create(destination.Width(), destination.Height(), 24)) return false;
    OrvSurface::StretchBits(offscreen.GetDC(), SizeOf(destination), info, bits, source);
    OrvDIBBuffer pixels;
    offscreen.View(pixels);
    if (background != kOrvNoColour) {
        // Pixels that already have the background colour must not read as keyed ones
        // once the key turns into the background: move them one step in blue.
        const OrvColour plain = background & 0xFFFFFF;
        const OrvColour moved = OrvBlue(plain) == 0 ? plain + 0x010000 : plain - 0x010000;
        pixels.ReplaceColour(plain, moved);
    }
    pixels.ReplaceNear(key, tolerance);
    pixels.ReplaceColour(key, background != kOrvNoColour ? background : kOrvWhite);
    OrvSurface::CopyPixels(target, destination, offscreen.GetDC());
    return true;
}

bool OrvImage2::DrawDithered(OrvSurface::DC target, const OrvRect& destination, const OrvRect& source,
                             OrvColour key, OrvColour background) {
    OrvPalettePlus& palette = SharedPalette();
    PaletteSelection selection(target, palette.GetHandle());
    OrvDIBSection offscreen;
    if (!offscreen.Create(destination.Width(), destination.Height(), 24)) return false;
    const OrvRect whole = SizeOf(destination);
    OrvSurface::StretchBits(offscreen.GetDC(), whole, info, bits, source);
    OrvDIBBuffer pixels;
    offscreen.View(pixels);

    OrvAutoPtr<OrvMaskDIBBuffer> mask;
    if (key != kOrvNoColour) {
        mask.Reset(new OrvMaskDIBBuffer);
        mask->BuildFromKey(pixels, key);
    }
    OrvDIBBuffer indexed;
    indexed.Create(whole.right, -whole.bottom, 8, &palette);
    if (palette.GetDitherer() == nullptr) palette.SetDitherer(new OrvDitherer(palette));
    palette.GetDitherer()->Convert(pixels, indexed);

    // White stands in for the background when none is given.
    int backgroundIndex = 255;
    if (background != kOrvNoColour) {
        backgroundIndex = palette.Nearest(background);
        // Only keyed pixels may show the background's own entry.
        const int other = palette.NearestExcept(background, backgroundIndex);
        if (other >= 0) indexed.ReplaceColour(OrvColour(backgroundIndex), OrvColour(other));
    }
    if (mask) indexed.ReplaceMasked(*mask, 0, OrvColour(backgroundIndex));
    OrvSurface::StretchBits(target, destination, indexed.Info(), indexed.Bits(), whole);
    return true;
}
