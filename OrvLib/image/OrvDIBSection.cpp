#include "OrvLib/image/OrvDIBSection.h"

#include <cstring>

#include "OrvLib/ORVUTIL/OrvApp.h"
#include "OrvLib/image/OrvAutoPtr.h"

bool OrvMakeSectionParts(const OrvBitmapInfo* header, bool withDC, OrvSectionParts& parts) {
    parts = OrvSectionParts{};
    void* rows = nullptr;
    parts.section = OrvSurface::MakeSection(header, &rows);
    if (parts.section == nullptr) {
        OrvReportError(kOrvErrorGraphics, kOrvDetailSection);
        return false;
    }
    parts.bits = static_cast<uint8_t*>(rows);
    if (withDC) {
        parts.dc = OrvSurface::MakeMemoryDC();
        if (parts.dc == nullptr) {
            OrvSurface::FreeSection(parts.section);
            parts = OrvSectionParts{};
            OrvReportError(kOrvErrorGraphics, kOrvDetailDeviceContext);
            return false;
        }
        parts.previous = OrvSurface::SelectSection(parts.dc, parts.section);
    }
    return true;
}

void OrvFreeSectionParts(OrvSectionParts& parts) {
    // The section must leave the context before either can be deleted.
    if (parts.dc != nullptr) {
        OrvSurface::RestoreObject(parts.dc, parts.previous);
        OrvSurface::FreeMemoryDC(parts.dc);
    }
    if (parts.section != nullptr) OrvSurface::FreeSection(parts.section);
    parts = OrvSectionParts{};
}

bool OrvDIBSection::Create(int32_t width, int32_t height, int bitsPerPixel, const OrvPalette* palette) {
    Destroy();
    alignas(OrvBitmapInfo) unsigned char header[40 + 256 * 4];
    auto* h = reinterpret_cast<OrvBitmapInfo*>(header);
    OrvDIBBuffer::BuildHeader(h, width, -height, bitsPerPixel, palette);
    int64_t headerSize = OrvDIBBuffer::HeaderSizeOf(h->bmiHeader);
    int64_t imageSize = OrvDIBBuffer::ImageSizeOf(h->bmiHeader);
    if (imageSize < 0 || headerSize + imageSize > INT32_MAX) {
        // Too large to address: the system would refuse it too.
        OrvReportError(kOrvErrorGraphics, kOrvDetailSection);
        return false;
    }
    OrvAutoPtr<OrvBitmapInfo> copy(OrvAllocateBlock(headerSize));
    std::memcpy(copy.Get(), h, size_t(headerSize));
    if (!OrvMakeSectionParts(copy.Get(), true, parts)) return false;
    info = copy.Release();
    return true;
}

void OrvDIBSection::Destroy() {
    OrvFreeSectionParts(parts);
    OrvFreeBlock(info);
    info = nullptr;
}

void OrvDIBSection::View(OrvDIBBuffer& view) const {
    if (IsValid())
        view.AttachSeparate(info, parts.bits);
    else
        view.Empty();
}
