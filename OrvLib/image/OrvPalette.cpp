#include "OrvLib/image/OrvPalette.h"

#include <cstring>

#include "OrvLib/image/OrvAutoPtr.h"
#include "OrvLib/image/OrvDitherer.h"

namespace {

int Square(int v) { return v * v; }

// Entries of a 1-, 4- or 8-bit colour table; 0 for any other depth or an oversized table.
int TableEntries(const OrvBitmapInfoHeader& h) {
    int full = h.biBitCount == 1 ? 2 : h.biBitCount == 4 ? 16 : h.biBitCount == 8 ? 256 : 0;
    if (full == 0 || h.biClrUsed == 0) return full;
    return h.biClrUsed <= uint32_t(full) ? int(h.biClrUsed) : 0;
}

}  // namespace

OrvPalette::OrvPalette() = default;

OrvPalette::OrvPalette(const OrvRgbQuad* entries, int n) {
    if (n >= 0 && n <= kMaxColours) SetColours(entries, n);
}

OrvPalette::OrvPalette(const OrvBitmapInfo* header) {
    if (header == nullptr) return;
    int n = TableEntries(header->bmiHeader);
    if (n > 0) SetColours(header->bmiColors, n);
}

OrvPalette::~OrvPalette() {
    delete ditherer;
    delete[] rgb555;
    delete[] inverseMap;
    OrvSurface::FreePalette(paletteHandle);
    OrvFreeBlock(logPalette);
    delete[] quads;
}

void OrvPalette::SetColours(const OrvRgbQuad* entries, int n) {
    OrvRgbQuad* copy = new OrvRgbQuad[n > 0 ? n : 1];
    if (n > 0) std::memcpy(copy, entries, sizeof(OrvRgbQuad) * size_t(n));
    delete[] quads;
    quads = copy;
    count = n;
    valid = true;
}

void OrvPalette::MakeGreyRamp() {
    OrvRgbQuad ramp[256];
    for (int i = 0; i < 256; ++i) ramp[i] = OrvRgbQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    SetColours(ramp, 256);
}

void OrvPalette::MakeDefault() { SetColours(DefaultColours(), 256); }

OrvColour OrvPalette::ColourAt(int index) const {
    if (!valid || index < 0 || index >= count) return kOrvNoColour;
    const OrvRgbQuad& q = quads[index];
    return OrvRGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

void OrvPalette::BuildLogPalette() {
    if (!valid || logPalette != nullptr) return;
    auto* block = reinterpret_cast<OrvLogPalette*>(OrvAllocateBlock(4 + 4 * int64_t(count > 0 ? count : 1)));
    block->palVersion = 0x300;
    block->palNumEntries = uint16_t(count);
    for (int i = 0; i < count; ++i)
        block->palPalEntry[i] = OrvPaletteEntry{quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue, 0};
    logPalette = block;
}

OrvSurface::Palette OrvPalette::GetHandle() {
    if (!valid) return nullptr;
    if (logPalette == nullptr) BuildLogPalette();
    if (paletteHandle == nullptr && logPalette != nullptr)
        paletteHandle = OrvSurface::MakePalette(logPalette);
    return paletteHandle;
}

int OrvPalette::NearestSkipping(unsigned r, unsigned g, unsigned b, int excluded) const {
    int best = -1;
    int bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        if (i == excluded) continue;
        const OrvRgbQuad& q = quads[i];
        int d = Square(int(q.rgbRed) - int(r)) + Square(int(q.rgbGreen) - int(g)) +
                Square(int(q.rgbBlue) - int(b));
        if (best < 0 || d <= bestDistance) {  // "<=": the later of equal entries wins
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

int OrvPalette::Nearest(OrvColour colour) const {
    if (OrvIsPaletteIndex(colour)) return int(colour & 0xFF);
    if (!valid) return -1;
    return NearestSkipping(OrvRed(colour), OrvGreen(colour), OrvBlue(colour), -1);
}

int OrvPalette::NearestExcept(OrvColour colour, int excluded) const {
    if (!valid) return -1;
    if (OrvIsPaletteIndex(colour)) {
        colour = ColourAt(int(colour & 0xFF));
        if (colour == kOrvNoColour) return -1;
    }
    return NearestSkipping(OrvRed(colour), OrvGreen(colour), OrvBlue(colour), excluded);
}

int OrvPalette::IndexOf(OrvColour colour) const {
    if (!valid) return -1;
    for (int i = 0; i < count; ++i) {
        const OrvRgbQuad& q = quads[i];
        if (q.rgbRed == OrvRed(colour) && q.rgbGreen == OrvGreen(colour) && q.rgbBlue == OrvBlue(colour) &&
            q.rgbReserved == 0)
            return i;
    }
    return -1;
}

void OrvPalette::BuildInverseMap() { FillInverseMap(-1); }

void OrvPalette::BuildInverseMapExcept(int excluded) { FillInverseMap(excluded); }

const uint8_t* OrvPalette::GetInverseMap() {
    if (inverseMap == nullptr) BuildInverseMap();
    return inverseMap;
}

void OrvPalette::FillInverseMap(int excluded) {
    if (inverseMap == nullptr) inverseMap = new uint8_t[kInverseMapSize];
    if (rgb555 == nullptr) rgb555 = new uint16_t[kMaxColours]();

    // Same answers as NearestSkipping for every key, but with the squared channel
    // differences tabled per 5-bit level, so each key costs one add per entry.
    constexpr int kSkipped = 1 << 30;  // above any real distance (at most 3 x 65025)
    const int n = valid ? count : 0;
    OrvAutoArrayPtr<int> tables(new int[3 * 32 * kMaxColours + kMaxColours]);
    int* red = tables.Get();
    int* green = red + 32 * kMaxColours;
    int* blue = green + 32 * kMaxColours;
    int* blueGreen = blue + 32 * kMaxColours;
    for (int level = 0; level < 32; ++level) {
        for (int i = 0; i < n; ++i) {
            red[level * kMaxColours + i] = Square(int(quads[i].rgbRed) - level * 8);
            green[level * kMaxColours + i] = Square(int(quads[i].rgbGreen) - level * 8);
            blue[level * kMaxColours + i] =
                Square(int(quads[i].rgbBlue) - level * 8) + (i == excluded ? kSkipped : 0);
        }
    }
    for (int kb = 0; kb < 32; ++kb) {
        for (int kg = 0; kg < 32; ++kg) {
            for (int i = 0; i < n; ++i)
                blueGreen[i] = blue[kb * kMaxColours + i] + green[kg * kMaxColours + i];
            for (int kr = 0; kr < 32; ++kr) {
                const int* redRow = red + kr * kMaxColours;
                int best = -1;
                int bestDistance = kSkipped - 1;  // the excluded entry never wins
                for (int i = 0; i < n; ++i) {
                    int d = blueGreen[i] + redRow[i];
                    if (d <= bestDistance) {
                        best = i;
                        bestDistance = d;
                    }
                }
                inverseMap[kr | kg << 5 | kb << 10] = uint8_t(best);  // -1 (no entry) stores 255
            }
        }
    }
    // The brightest key stands for pure white, not for (248, 248, 248).
    inverseMap[kInverseMapSize - 1] = uint8_t(NearestSkipping(255, 255, 255, excluded));

    for (int i = 0; i < n; ++i)
        rgb555[i] = uint16_t(InverseKey(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
}

void OrvPalette::SetDitherer(OrvDitherer* converter) {
    if (converter == ditherer) return;
    delete ditherer;
    ditherer = converter;
}
