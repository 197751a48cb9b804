// A DIB section with its own memory device context, for off-screen drawing. When either
// cannot be made, the failure goes to the thread's application object (if any) and the
// section stays invalid; callers carry on without it.
#pragma once

#include <cstdint>

#include "OrvLib/image/OrvDIBBuffer.h"
#include "OrvLib/platform/DrawingSurface.h"

class OrvPalette;

// The platform parts of a section, shared with OrvImage2::CreateSection.
struct OrvSectionParts {
    OrvSurface::Bitmap section = nullptr;
    OrvSurface::DC dc = nullptr;
    OrvSurface::Object previous = nullptr;
    uint8_t* bits = nullptr;
};
// Makes the section (and, with withDC, a memory DC selecting it). Reports a refusal and
// returns false with nothing left over.
bool OrvMakeSectionParts(const OrvBitmapInfo* header, bool withDC, OrvSectionParts& parts);
void OrvFreeSectionParts(OrvSectionParts& parts);

class OrvDIBSection {
public:
    OrvDIBSection() = default;
    ~OrvDIBSection() { Destroy(); }
    OrvDIBSection(const OrvDIBSection&) = delete;
    OrvDIBSection& operator=(const OrvDIBSection&) = delete;

    // A top-down section of the given size and depth (24 unless told otherwise).
    bool Create(int32_t width, int32_t height, int bitsPerPixel = 24, const OrvPalette* palette = nullptr);
    void Destroy();

    bool IsValid() const { return parts.dc != nullptr; }
    OrvSurface::DC GetDC() const { return parts.dc; }
    OrvBitmapInfo* Info() const { return info; }
    uint8_t* Bits() const { return parts.bits; }
    // Lets view address the section's pixels (the view does not own them).
    void View(OrvDIBBuffer& view) const;

private:
    OrvSectionParts parts;
    OrvBitmapInfo* info = nullptr;
};
