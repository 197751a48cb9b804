// The preview side of the filter: proxies read from the host at the zoom's sampling
// rate, and the view operations that rebuild them.
#include <algorithm>
#include <cstring>

#include "OrvLib/plugin/HostRect.h"
#include "OrvLib/plugin/OrvPSFailure.h"
#include "OrvLib/plugin/OrvPSFilter.h"

namespace {

OrvRect Divided(const OrvRect& r, int32_t f) {
    return OrvRect{r.left / f, r.top / f, r.right / f, r.bottom / f};
}

PixelBuffer ProxyBuffer(const OrvImage2& image, int32_t kind) {
    PixelBuffer b;
    b.data = image.RowAddress(0);
    b.width = image.Width();
    b.height = image.AbsHeight();
    b.bytesPerPixel = image.BitCount() / 8;
    b.rowBytes = image.IsTopDown() ? image.Stride() : -image.Stride();
    b.kind = kind;
    return b;
}

}  // namespace

std::unique_ptr<OrvImage2> OrvPSFilter::NewProxy(const OrvRect& area, int bitsPerPixel) const {
    if (area.IsEmpty()) return nullptr;
    auto image = std::make_unique<OrvImage2>();
    image->Create(area.Width(), area.Height(), bitsPerPixel, nullptr);
    image->SetHasAlpha(bitsPerPixel == 32);
    return image;
}

OrvRect OrvPSFilter::SampledView() const { return Divided(viewRect, SamplingRate()); }

void OrvPSFilter::ReadImage(const OrvRect& area, int32_t rate, OrvImage2& image, OrvPoint origin, bool swap) {
    ReadPixels(area, rate, image, origin, swap, 1);
}

void OrvPSFilter::ReadPixels(const OrvRect& area, int32_t rate, OrvImage2& image, OrvPoint origin, bool swap,
                             int32_t pick) {
    const int32_t b = processAlpha ? 4 : 3;
    const PixelBuffer input = RequestFromHost(HostRequest{area, {}, {}, b, rate}).in;
    if (image.BitCount() != b * 8) return;
    const int32_t width = std::min((area.Width() + pick - 1) / pick, image.Width() - origin.x);
    for (int32_t i = 0; i < area.Height(); ++i) {
        uint8_t* dst = image.PixelAddress(origin.x, origin.y + i);
        if (dst == nullptr) break;
        const uint8_t* src = input.Row(i);
        if (!swap && pick == 1) {
            std::memcpy(dst, src, size_t(width) * b);
            continue;
        }
        for (int32_t x = 0; x < width; ++x, dst += b) {
            const uint8_t* p = src + int64_t(x) * pick * b;
            dst[0] = swap ? p[2] : p[0];
            dst[1] = p[1];
            dst[2] = swap ? p[0] : p[2];
            if (b == 4) dst[3] = p[3];
        }
    }
}

void OrvPSFilter::ReadMask(const OrvRect& area, int32_t rate, OrvImage2& image, OrvPoint origin) {
    const PixelBuffer mask = RequestFromHost(HostRequest{{}, {}, area, 0, rate}).mask;
    const int32_t width = std::min(area.Width(), image.Width() - origin.x);
    for (int32_t i = 0; i < area.Height(); ++i) {
        uint8_t* dst = image.PixelAddress(origin.x, origin.y + i);
        if (dst == nullptr || width <= 0) break;
        std::memcpy(dst, mask.Row(i), size_t(width));
    }
}

void OrvPSFilter::BuildSourceImage() {
    const OrvRect area = SampledView();
    std::unique_ptr<OrvImage2> image = NewProxy(area, processAlpha ? 32 : 24);
    if (image) ReadImage(area, SamplingRate(), *image, OrvPoint{0, 0}, true);
    sourceImage = std::move(image);
}

void OrvPSFilter::BuildBeforeImage() {
    if (!HasMask()) return;
    const OrvRect area = SampledView();
    std::unique_ptr<OrvImage2> image = NewProxy(area, processAlpha ? 32 : 24);
    if (image) {
        const int32_t b = processAlpha ? 4 : 3;
        const HostData d = RequestFromHost(HostRequest{area, {}, area, b, SamplingRate()});
        for (int32_t y = 0; y < area.Height(); ++y) {
            const uint8_t* src = d.in.Row(y);
            const uint8_t* m = d.mask.Row(y);
            uint8_t* dst = image->RowAddress(y);
            // Selected pixels keep 510/512 of their value, unselected ones half.
            for (int32_t x = 0; x < area.Width(); ++x, src += b, dst += b) {
                const int32_t k = m[x] + 255;
                dst[0] = uint8_t((k * src[2]) >> 9);
                dst[1] = uint8_t((k * src[1]) >> 9);
                dst[2] = uint8_t((k * src[0]) >> 9);
                if (b == 4) dst[3] = src[3];
            }
        }
    }
    beforeImage = std::move(image);
}

void OrvPSFilter::BuildMaskImage() {
    if (!HasMask()) return;
    const OrvRect area = SampledView();
    std::unique_ptr<OrvImage2> image;
    if (!area.IsEmpty()) {
        OrvPalette grey;
        grey.MakeGreyRamp();
        image = std::make_unique<OrvImage2>();
        image->Create(area.Width(), area.Height(), 8, &grey);
        ReadMask(area, SamplingRate(), *image, OrvPoint{0, 0});
    }
    maskImage = std::move(image);
}

void OrvPSFilter::RenderPreviewImage() {
    PlacePlacements(true);
    std::unique_ptr<OrvImage2> image = NewProxy(SampledView(), processAlpha ? 32 : 24);
    if (image && sourceImage) {
        const PixelBuffer input =
            ProxyBuffer(*sourceImage, processAlpha ? pixelKindProxyBGRA : pixelKindProxyBGR);
        const PixelBuffer output = ProxyBuffer(*image, processAlpha ? pixelKindProxyBGRA : pixelKindProxyBGR);
        if (HasMask() && maskImage) {
            RenderAreaMasked(input, output, ProxyBuffer(*maskImage, pixelKindMask), viewRect);
        } else {
            RenderArea(input, output, viewRect);
        }
    }
    previewImage = std::move(image);
}

void OrvPSFilter::RebuildProxies() {
    BuildSourceImage();
    BuildBeforeImage();
    BuildMaskImage();
    RenderPreviewImage();
}

void OrvPSFilter::SetPreviewSize(OrvSize size) {
    previewSize = size;
    const OrvSize area{filterRectangle.Width(), filterRectangle.Height()};
    largestLevel = ViewModel::FitLevel(area, size, hostSamples);
    smallestLevel = ViewModel::SmallestLevel(largestLevel);
    zoomLevel = largestLevel;
    viewRect = filterRectangle;
    RebuildProxies();
}

OrvSize OrvPSFilter::GetViewSize() const {
    return ViewModel::ViewSizeAt(zoomLevel, previewSize,
                                 OrvSize{filterRectangle.Width(), filterRectangle.Height()});
}

void OrvPSFilter::ZoomIn() {
    if (!CanZoomIn()) return;
    --zoomLevel;
    SetViewRect(ViewModel::CentredOn(viewRect, GetViewSize()));
}

void OrvPSFilter::ZoomOut() {
    if (!CanZoomOut()) return;
    ++zoomLevel;
    SetViewRect(ViewModel::CentredOn(viewRect, GetViewSize()));
}

void OrvPSFilter::SetViewRect(const OrvRect& rect) {
    viewRect = ViewModel::KeepInside(rect, GetViewSize(), filterRectangle);
    RebuildProxies();
}

void OrvPSFilter::ScrollView(int32_t dx, int32_t dy) {
    const int32_t r = SamplingRate();
    const OrvRect& f = filterRectangle;
    if (dy != 0) {
        const int32_t step = ViewModel::PanStep(dy, r, f.top - viewRect.top, f.bottom - viewRect.bottom);
        if (step != 0) {
            const OrvRect strip =
                step > 0 ? OrvRect{viewRect.left, viewRect.bottom, viewRect.right, viewRect.bottom + step}
                         : OrvRect{viewRect.left, viewRect.top + step, viewRect.right, viewRect.top};
            if (sourceImage) sourceImage->ShiftRows(-step / r);
            if (previewImage) previewImage->ShiftRows(-step / r);
            viewRect.top += step;
            viewRect.bottom += step;
            UpdateProxies(strip);
        }
    }
    if (dx != 0) {
        const int32_t step = ViewModel::PanStep(dx, r, f.left - viewRect.left, f.right - viewRect.right);
        if (step != 0) {
            const OrvRect strip =
                step > 0 ? OrvRect{viewRect.right, viewRect.top, viewRect.right + step, viewRect.bottom}
                         : OrvRect{viewRect.left + step, viewRect.top, viewRect.left, viewRect.bottom};
            if (sourceImage) sourceImage->ShiftColumns(-step / r);
            if (previewImage) previewImage->ShiftColumns(-step / r);
            viewRect.left += step;
            viewRect.right += step;
            UpdateProxies(strip);
        }
    }
}

void OrvPSFilter::UpdateProxies(const OrvRect& strip) {
    UpdateSourceImage(strip);
    UpdateBeforeImage(strip);
    UpdateMaskImage(strip);
    UpdatePreviewImage(strip);
}

void OrvPSFilter::CreateLocatorImage(OrvSize size) {
    const int32_t factor = ViewModel::LocatorFactor(filterRectangle, size);
    const OrvRect area = Divided(filterRectangle, factor);
    std::unique_ptr<OrvImage2> image = NewProxy(area, processAlpha ? 32 : 24);
    if (image) {
        if (hostSamples || factor == 1) {
            ReadImage(area, factor, *image, OrvPoint{0, 0}, true);
        } else {
            // Without sampling, one full-resolution row at a time, keeping every f-th pixel.
            for (int32_t j = 0; j < area.Height(); ++j) {
                const int32_t y = (area.top + j) * factor;
                const OrvRect strip{area.left * factor, y, (area.right - 1) * factor + 1, y + 1};
                ReadPixels(strip, 1, *image, OrvPoint{0, j}, true, factor);
            }
        }
    }
    locatorImage = std::move(image);
}
