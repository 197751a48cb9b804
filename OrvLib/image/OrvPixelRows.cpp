#include "OrvLib/image/OrvPixelRows.h"

#include "OrvLib/image/OrvDIBBuffer.h"
#include "OrvLib/image/OrvPalette.h"
#include "OrvLib/image/OrvPixelAccess.h"

OrvConversionContext::OrvConversionContext(OrvPalette* palette, OrvColour key) {
    if (palette == nullptr || !palette->IsValid()) return;
    inverseMap = palette->GetInverseMap();
    colours = palette->GetColours();
    colourCount = palette->GetCount();
    keyValue = key;
    int magenta = palette->IndexOf(kOrvMagenta);
    keyIndex = uint8_t(magenta >= 0 ? magenta : 255);
}

void ReadRow(const OrvDIBBuffer& buffer, int y, uint32_t* row, bool alpha) {
    const uint8_t* p = buffer.RowAddress(y);
    if (p == nullptr) return;
    const int width = buffer.Width();
    const int depth = buffer.BitCount();
    switch (depth) {
        case 1:
        case 2:
        case 4:
        case 8: {
            const int entries = buffer.TableEntries();
            const OrvRgbQuad* table = buffer.Info()->bmiColors;
            for (int x = 0; x < width; ++x) {
                unsigned i = OrvPixel::IndexAt(p, x, depth);
                row[x] = int(i) < entries ? OrvRGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue) : 0;
            }
            break;
        }
        case 16:
            for (int x = 0; x < width; ++x) row[x] = OrvPixel::Colour555(OrvPixel::Load16(p + 2 * x));
            break;
        case 24:
            for (int x = 0; x < width; ++x, p += 3) row[x] = OrvRGB(p[2], p[1], p[0]);
            break;
        case 32:
            for (int x = 0; x < width; ++x, p += 4)
                row[x] = OrvRGB(p[2], p[1], p[0]) | (alpha ? uint32_t(p[3]) << 24 : 0);
            break;
        default:
            break;
    }
}

void KeyIndexToAlpha(const OrvDIBBuffer& buffer, int y, uint32_t* row, OrvColour keyIndex) {
    const uint8_t* p = buffer.RowAddress(y);
    const int depth = buffer.BitCount();
    if (p == nullptr || depth > 8) return;
    for (int x = 0; x < buffer.Width(); ++x) {
        const bool keyed = OrvPixel::IndexAt(p, x, depth) == keyIndex;
        row[x] = (row[x] & 0x00FFFFFFu) | (keyed ? 0u : 0xFF000000u);
    }
}

namespace {

inline int Clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// Source index of each target pixel: an accumulator that grows by the source width and
// is divided by the target width, which is floor(x * source / target).
class ColumnMap {
public:
    ColumnMap(int sourceWidth, int targetWidth) : source(sourceWidth), target(targetWidth) {}
    int operator()(int x) const { return source == target ? x : int(int64_t(x) * source / target); }

private:
    int64_t source;
    int64_t target;
};

void WritePixels(OrvDIBBuffer& buffer, int y, const uint32_t* row, const ColumnMap& column,
                 const OrvConversionContext& context, bool alpha) {
    uint8_t* p = buffer.RowAddress(y);
    if (p == nullptr) return;
    const int width = buffer.Width();
    switch (buffer.BitCount()) {
        case 8: {
            if (context.inverseMap == nullptr) return;
            // The error left by each choice goes on to the next pixel only.
            int r = 0, g = 0, b = 0;
            for (int x = 0; x < width; ++x) {
                const uint32_t v = row[column(x)];
                if (v == context.keyValue) {
                    p[x] = context.keyIndex;
                    r = g = b = 0;
                    continue;
                }
                r = Clamp255(r + int(OrvRed(v)));
                g = Clamp255(g + int(OrvGreen(v)));
                b = Clamp255(b + int(OrvBlue(v)));
                const uint8_t index =
                    context.inverseMap[OrvPalette::InverseKey(unsigned(r), unsigned(g), unsigned(b))];
                p[x] = index;
                if (index < context.colourCount) {
                    r -= context.colours[index].rgbRed;
                    g -= context.colours[index].rgbGreen;
                    b -= context.colours[index].rgbBlue;
                }
            }
            break;
        }
        case 24:
            for (int x = 0; x < width; ++x, p += 3) {
                const uint32_t v = row[column(x)];
                p[0] = uint8_t(OrvBlue(v));
                p[1] = uint8_t(OrvGreen(v));
                p[2] = uint8_t(OrvRed(v));
            }
            break;
        case 32:
            for (int x = 0; x < width; ++x, p += 4) {
                const uint32_t v = row[column(x)];
                p[0] = uint8_t(OrvBlue(v));
                p[1] = uint8_t(OrvGreen(v));
                p[2] = uint8_t(OrvRed(v));
                p[3] = alpha ? uint8_t(OrvAlpha(v)) : 0;
            }
            break;
        default:
            break;
    }
}

}  // namespace

void WriteRow(OrvDIBBuffer& buffer, int y, const uint32_t* row, const OrvConversionContext& context,
              bool alpha) {
    WritePixels(buffer, y, row, ColumnMap(buffer.Width(), buffer.Width()), context, alpha);
}

void WriteRowScaled(OrvDIBBuffer& buffer, int y, const uint32_t* row, int sourceWidth,
                    const OrvConversionContext& context, bool alpha) {
    if (sourceWidth <= 0) return;
    WritePixels(buffer, y, row, ColumnMap(sourceWidth, buffer.Width()), context, alpha);
}

void CompositeChecker(uint32_t* row, int width, int cellSize, OrvColour first, OrvColour second) {
    if (cellSize < 1) return;
    for (int start = 0, cell = 0; start < width; start += cellSize, ++cell) {
        const OrvColour background = (cell & 1) == 0 ? first : second;
        const int end = width - start < cellSize ? width : start + cellSize;
        for (int x = start; x < end; ++x) {
            const uint32_t v = row[x];
            const int a = int(OrvAlpha(v));
            if (a == 255) {
                row[x] = v & 0xFFFFFF;
            } else if (a == 0) {
                row[x] = background;
            } else {
                auto mix = [a](unsigned pixel, unsigned under) {
                    return unsigned((a * int(pixel) + (255 - a) * int(under)) / 255);
                };
                row[x] = OrvRGB(mix(OrvRed(v), OrvRed(background)), mix(OrvGreen(v), OrvGreen(background)),
                                mix(OrvBlue(v), OrvBlue(background)));
            }
        }
    }
}

void FitRect(OrvRect& rect, int imageWidth, int imageHeight, bool centre) {
    const int64_t W = rect.Width(), H = rect.Height();
    const int64_t fittedWidth = imageHeight != 0 ? int64_t(imageWidth) * H / imageHeight : 0;
    const int64_t fittedHeight = imageWidth != 0 ? int64_t(imageHeight) * W / imageWidth : 0;
    if (fittedWidth < W) {
        if (centre) rect.left += int32_t((W - fittedWidth) / 2);
        rect.right = int32_t(rect.left + fittedWidth);
    }
    if (fittedHeight < H) {
        if (centre) rect.top += int32_t((H - fittedHeight) / 2);
        rect.bottom = int32_t(rect.top + fittedHeight);
    }
}
