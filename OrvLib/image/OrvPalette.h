// Up to 256 colours, with the forms the image model derives from them: the platform's
// logical palette and handle (for 256-colour displays), nearest-colour search, and a
// 32768-entry inverse map that turns a 15-bit colour into an index in one lookup.
//
// Derived forms are made on first use and live as long as the palette, so a palette's
// colours must not change once one exists. Oversized inputs leave the palette empty.
#pragma once

#include <cstdint>

#include "OrvLib/image/OrvBitmapTypes.h"
#include "OrvLib/platform/DrawingSurface.h"

class OrvDitherer;

class OrvPalette {
public:
    static constexpr int kMaxColours = 256;
    static constexpr int kInverseMapSize = 32768;

    OrvPalette();
    // Entries blue, green, red, 0; more than 256 leave the palette empty.
    OrvPalette(const OrvRgbQuad* entries, int count);
    // The colour table of a 1-, 4- or 8-bit header (biClrUsed entries when set).
    explicit OrvPalette(const OrvBitmapInfo* header);
    virtual ~OrvPalette();
    OrvPalette(const OrvPalette&) = delete;
    OrvPalette& operator=(const OrvPalette&) = delete;

    // Both replace the colours only; use them before any derived form exists.
    void MakeGreyRamp();
    void MakeDefault();

    bool IsValid() const { return valid; }
    int GetCount() const { return count; }
    const OrvRgbQuad* GetColours() const { return valid ? quads : nullptr; }
    OrvColour ColourAt(int index) const;  // kOrvNoColour outside the palette

    virtual void BuildLogPalette();
    const OrvLogPalette* GetLogPalette() const { return logPalette; }
    // The platform palette; null for an empty palette or where the platform has none.
    OrvSurface::Palette GetHandle();

    // Nearest entry by squared distance; on a tie the later entry wins. A palette index
    // is answered at once with its low byte. -1 for an empty palette.
    int Nearest(OrvColour colour) const;
    int NearestExcept(OrvColour colour, int excluded) const;
    // First entry equal to the colour, or -1.
    int IndexOf(OrvColour colour) const;

    void BuildInverseMap();
    void BuildInverseMapExcept(int excluded);
    const uint8_t* GetInverseMap();
    const uint16_t* GetRgb555() const { return rgb555; }

    // The index for a colour with 8-bit channels; the inverse map must exist.
    static int InverseKey(unsigned r, unsigned g, unsigned b) {
        return (r >> 3) | (g >> 3) << 5 | (b >> 3) << 10;
    }

    // The converter that dithers into this palette; owned once set.
    OrvDitherer* GetDitherer() const { return ditherer; }
    void SetDitherer(OrvDitherer* converter);

    // The program's fixed 256-colour palette, blue-green-red-0 entries.
    static const OrvRgbQuad* DefaultColours();

private:
    void SetColours(const OrvRgbQuad* entries, int n);
    int NearestSkipping(unsigned r, unsigned g, unsigned b, int excluded) const;
    void FillInverseMap(int excluded);

    OrvRgbQuad* quads = nullptr;
    OrvLogPalette* logPalette = nullptr;
    OrvSurface::Palette paletteHandle = nullptr;
    uint8_t* inverseMap = nullptr;
    uint16_t* rgb555 = nullptr;
    bool valid = false;
    int count = 0;
    OrvDitherer* ditherer = nullptr;
};
