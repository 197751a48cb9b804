#include "product/engine/PlacementDrawing.h"

#include "product/engine/Variation.h"

bool PrepareCopy(const PixelBuffer& destination, bool masked, const OrvRect& area, const Placement& placement,
                 const OrvImage2& object, const DrawSettings& settings, PreparedCopy* out) {
    if (destination.width <= 0 || destination.height <= 0 || object.IsEmpty()) return false;
    const int32_t w = object.Width(), h = object.AbsHeight();
    const OrvRect objectBox{0, 0, w, h};

    // Buffer pixel -> image point -> object point.
    Matrix3 b = placement.transform;
    b.PrependTranslation(area.left, area.top);
    b.PrependScaling(double(area.right - area.left) / destination.width,
                     double(area.bottom - area.top) / destination.height);

    // The object's footprint in the buffer, clipped: only these pixels are visited.
    OrvRect run;
    if (!b.SolveBox(objectBox, &run)) return false;
    run = Intersection(run, OrvRect{0, 0, destination.width, destination.height});
    if (run.IsEmpty() || Intersection(b.MapBox(run), objectBox).IsEmpty()) return false;

    // A mirrored copy covers the same pixels: object pixel x is read as w - 1 - x.
    if (placement.flip & kFlipHorizontal) {
        b.AppendScaling(-1.0, 1.0);
        b.AppendTranslation(w - 1, 0);
    }
    if (placement.flip & kFlipVertical) {
        b.AppendScaling(1.0, -1.0);
        b.AppendTranslation(0, h - 1);
    }

    // Start on a whole object pixel; then steps by addition only.
    const Point2 start = b.MapPoint(run.left, run.top);
    PreparedCopy& p = *out;
    p.run = run;
    p.x = RoundToPixel(start.x);
    p.y = RoundToPixel(start.y);
    p.copy.ux = b.m[0][0];
    p.copy.uy = b.m[1][0];
    p.copy.vx = b.m[0][1];
    p.copy.vy = b.m[1][1];
    p.copy.opacity = placement.opacity;
    p.copy.textureAmount = settings.textureAmount;
    p.copy.desaturation = placement.desaturation;
    p.source.pixels = object.RowAddress(0);
    p.source.rowBytes = object.IsTopDown() ? object.Stride() : -object.Stride();
    p.source.width = w;
    p.source.height = h;
    p.bytes = destination.kind == pixelKindHostRGBA || destination.kind == pixelKindProxyBGRA ? 4 : 3;
    p.copy.hueShift = placement.hueShift;
    p.copy.brightness = placement.brightness;
    p.copy.blend = settings.blend;
    // A relief only lightens and darkens: colour variation has nothing to act on there.
    const bool varied = placement.hueShift != 0 || placement.brightness != 0 || settings.blend != 0;
    p.sampler = !settings.texture && varied
                    ? ChooseVariedRowSampler(p.bytes, settings.quick, masked)
                    : ChooseRowSampler(settings.texture, p.bytes, settings.quick, masked);
    return true;
}

void DrawCopyRows(const PreparedCopy& p, const PixelBuffer& destination, const PixelBuffer* mask,
                  int32_t firstRow, int32_t endRow) {
    const int32_t first = std::max(firstRow, p.run.top), end = std::min(endRow, p.run.bottom);
    if (first >= end) return;
    SamplerRow row;
    row.count = p.run.right - p.run.left;
    row.x = p.x;
    row.y = p.y;
    // Rows above the band still advance the start point, one addition each.
    for (int32_t y = p.run.top; y < first; ++y) {
        row.x += p.copy.vx;
        row.y += p.copy.vy;
    }
    row.destination = destination.Row(first) + p.run.left * p.bytes;
    row.mask = mask != nullptr ? mask->Row(first) + p.run.left : nullptr;
    row.rows = end - first;
    row.destinationStride = destination.rowBytes;
    row.maskStride = mask != nullptr ? mask->rowBytes : 0;
    p.sampler(row, p.source, p.copy);
}

void DrawPlacement(const PixelBuffer& destination, const PixelBuffer* mask, const OrvRect& area,
                   const Placement& placement, const OrvImage2& object, const DrawSettings& settings) {
    PreparedCopy prepared;
    if (!PrepareCopy(destination, mask != nullptr, area, placement, object, settings, &prepared)) return;
    DrawCopyRows(prepared, destination, mask, 0, destination.height);
}
