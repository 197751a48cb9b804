// Whole-image conversions of OrvImage2: each builds the new bitmap apart, row by row
// through one zeroed colour row, and adopts it only when complete.
#include "OrvLib/image/OrvAutoPtr.h"
#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/OrvPixelRows.h"

namespace {

// One colour row per run; zeroed so that a depth ReadRow cannot read gives black.
uint32_t* NewColourRow(int width) { return new uint32_t[size_t(width > 0 ? width : 1)](); }

}  // namespace

bool OrvImage2::ConvertDepth(int bitsPerPixel, const OrvImage2* source, OrvPalette* palette) {
    const OrvImage2& from = source != nullptr ? *source : *this;
    if (from.IsEmpty()) return false;
    OrvDIBBuffer fresh;
    fresh.Create(from.Width(), from.Info()->bmiHeader.biHeight, bitsPerPixel, palette);
    const OrvConversionContext context(palette, from.transparent);
    // A palette image's key is an index: at 32 bits it becomes alpha, so that the keyed
    // pixels stay see-through where alpha is what counts.
    const bool keyToAlpha = bitsPerPixel == 32 && from.BitCount() <= 8 && from.HasTransparent();
    OrvAutoArrayPtr<uint32_t> row(NewColourRow(from.Width()));
    for (int y = 0; y < from.AbsHeight(); ++y) {
        ReadRow(from, y, row.Get(), hasAlpha);
        if (keyToAlpha) KeyIndexToAlpha(from, y, row.Get(), from.transparent);
        WriteRow(fresh, y, row.Get(), context, hasAlpha || keyToAlpha);
    }
    const bool keyed = from.HasTransparent();
    Adopt(fresh);
    if (keyToAlpha) {
        hasAlpha = true;
        transparent = kOrvNoColour;
    } else if (keyed) {
        transparent = kOrvMagenta;
    }
    return true;
}

bool OrvImage2::Resample(int32_t width, int32_t height, int bitsPerPixel, const OrvImage2* source,
                         OrvPalette* palette) {
    const OrvImage2& from = source != nullptr ? *source : *this;
    if (from.IsEmpty()) return false;
    OrvAutoPtr<OrvPalette> ownPalette;
    if (palette == nullptr && bitsPerPixel <= 8) {
        ownPalette.Reset(new OrvPalette(from.Info()));
        palette = ownPalette.Get();
    }
    OrvDIBBuffer fresh;
    fresh.Create(width, height, bitsPerPixel, palette);
    const OrvConversionContext context(palette, from.transparent);
    OrvAutoArrayPtr<uint32_t> row(NewColourRow(from.Width()));

    const int64_t sourceRows = from.AbsHeight();
    const int64_t targetRows = fresh.AbsHeight();
    int loaded = -1;
    for (int i = 0; i < targetRows; ++i) {
        const int sourceRow = int(i * sourceRows / targetRows);
        if (sourceRow != loaded) {
            ReadRow(from, sourceRow, row.Get(), hasAlpha);
            loaded = sourceRow;
        }
        WriteRowScaled(fresh, i, row.Get(), from.Width(), context, hasAlpha);
    }
    const bool keyed = from.HasTransparent();
    Adopt(fresh);
    if (keyed) transparent = kOrvMagenta;
    return true;
}

bool OrvImage2::FlattenOnChecker(int bitsPerPixel, int cellSize, OrvColour first, OrvColour second,
                                 const OrvImage2* source, OrvPalette* palette) {
    const OrvImage2& from = source != nullptr ? *source : *this;
    if (from.IsEmpty() || cellSize < 1) return false;
    OrvDIBBuffer fresh;
    fresh.Create(from.Width(), from.Info()->bmiHeader.biHeight, bitsPerPixel, palette);
    const OrvConversionContext context(palette, from.transparent);
    OrvAutoArrayPtr<uint32_t> row(NewColourRow(from.Width()));
    for (int y = 0; y < from.AbsHeight(); ++y) {
        ReadRow(from, y, row.Get(), true);
        const bool even = (y / cellSize) % 2 == 0;
        CompositeChecker(row.Get(), from.Width(), cellSize, even ? first : second, even ? second : first);
        WriteRow(fresh, y, row.Get(), context, false);
    }
    const bool keyed = from.HasTransparent();
    Adopt(fresh);
    if (keyed) transparent = kOrvMagenta;
    return true;
}
