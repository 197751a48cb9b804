#include "product/engine/PlacementDrawing.h"

#include "product/engine/RowSamplers.h"

void DrawPlacement(const PixelBuffer& destination, const PixelBuffer* mask, const OrvRect& area,
                   const Placement& placement, const OrvImage2& object, const DrawSettings& settings) {
    if (destination.width <= 0 || destination.height <= 0 || object.IsEmpty()) return;
    const int32_t w = object.Width(), h = object.AbsHeight();
    const OrvRect objectBox{0, 0, w, h};

    // Buffer pixel -> image point -> object point.
    Matrix3 b = placement.transform;
    b.PrependTranslation(area.left, area.top);
    b.PrependScaling(double(area.right - area.left) / destination.width,
                     double(area.bottom - area.top) / destination.height);

    // The object's footprint in the buffer, clipped: only these pixels are visited.
    OrvRect run;
    if (!b.SolveBox(objectBox, &run)) return;
    run = Intersection(run, OrvRect{0, 0, destination.width, destination.height});
    if (run.IsEmpty() || Intersection(b.MapBox(run), objectBox).IsEmpty()) return;

    // Start on a whole object pixel; then steps by addition only.
    const Point2 start = b.MapPoint(run.left, run.top);
    SamplerRow row;
    row.count = run.right - run.left;
    row.x = RoundToPixel(start.x);
    row.y = RoundToPixel(start.y);
    SamplerCopy copy;
    copy.ux = b.m[0][0];
    copy.uy = b.m[1][0];
    copy.vx = b.m[0][1];
    copy.vy = b.m[1][1];
    copy.opacity = placement.opacity;
    copy.textureAmount = settings.textureAmount;
    copy.desaturation = placement.desaturation;
    SamplerObject source;
    source.pixels = object.RowAddress(0);
    source.rowBytes = object.IsTopDown() ? object.Stride() : -object.Stride();
    source.width = w;
    source.height = h;

    const int32_t bytes =
        destination.kind == pixelKindHostRGBA || destination.kind == pixelKindProxyBGRA ? 4 : 3;
    const RowSampler sampler = ChooseRowSampler(settings.texture, bytes, settings.quick, mask != nullptr);
    for (int32_t y = run.top; y < run.bottom; ++y) {
        row.destination = destination.Row(y) + int64_t(run.left) * bytes;
        row.mask = mask != nullptr ? mask->Row(y) + run.left : nullptr;
        sampler(row, source, copy);
        row.x += copy.vx;
        row.y += copy.vy;
    }
}
