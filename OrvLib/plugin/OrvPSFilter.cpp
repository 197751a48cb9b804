#include "OrvLib/plugin/OrvPSFilter.h"

#include <algorithm>
#include <cstring>

#include "OrvLib/platform/Platform.h"
#include "OrvLib/plugin/HostRect.h"
#include "OrvLib/plugin/OrvPSFailure.h"
#include "OrvLib/plugin/SelectionScan.h"

namespace {

bool HasHandleProc(const HandleProcs* procs, int16 index) {
    if (procs == nullptr || procs->numHandleProcs < index) return false;
    switch (index) {
        case kHandleNew:
            return procs->newProc != nullptr;
        case kHandleDispose:
            return procs->disposeProc != nullptr;
        case kHandleGetSize:
            return procs->getSizeProc != nullptr;
        case kHandleSetSize:
            return procs->setSizeProc != nullptr;
        case kHandleLock:
            return procs->lockProc != nullptr;
        case kHandleUnlock:
            return procs->unlockProc != nullptr;
        default:
            return false;
    }
}

}  // namespace

OrvPSFilter::OrvPSFilter() = default;
OrvPSFilter::~OrvPSFilter() = default;

void OrvPSFilter::Dispatch(int16 selector, void* record, intptr_t* dataSlot, int16* resultSlot) {
    // About hands over an about record, not a FilterRecord: read nothing from it.
    filterRecord = selector == filterSelectorAbout ? nullptr : static_cast<FilterRecord*>(record);
    result = resultSlot;
    data = dataSlot;
    parameterLocks = 0;
    try {
        switch (selector) {
            case filterSelectorAbout:
                OnAbout();
                break;
            case filterSelectorParameters:
                OnParameters();
                break;
            case filterSelectorPrepare:
                OnPrepare();
                break;
            case filterSelectorStart:
                OnStart();
                break;
            case filterSelectorContinue:
                OnContinue();
                break;
            case filterSelectorFinish:
                OnFinish();
                break;
            default:
                break;
        }
        // Hosts that preset nothing, or something other than no error, read this.
        if (result != nullptr) *result = noErr;
    } catch (const OrvTextFailure& failure) {
        ReportFailure(errReportString, failure.Message().c_str());
    } catch (const OrvHostError& error) {
        ReportFailure(error.Code(), nullptr);
    } catch (...) {
        ReportFailure(-1, nullptr);
    }
    UnlockParameters();
}

void OrvPSFilter::ReportFailure(OSErr code, const char* message) {
    intptr_t hostWindow = 0;
    if (filterRecord != nullptr && filterRecord->platformData != nullptr)
        hostWindow = static_cast<const PlatformData*>(filterRecord->platformData)->hwnd;
    OrvPlatform::EnableHostWindow(hostWindow);
    if (message != nullptr && filterRecord != nullptr && filterRecord->errorString != nullptr) {
        unsigned char* out = *filterRecord->errorString;
        const size_t length = std::min<size_t>(std::strlen(message), 255);
        out[0] = static_cast<unsigned char>(length);
        std::memcpy(out + 1, message, length);
    }
    if (result != nullptr) *result = code;
}

void OrvPSFilter::UnlockParameters() {
    // What the run changed in a copy goes back to the part of the block the host keeps.
    if (hostParameterAddress != nullptr && parameterLocks > 0)
        std::memcpy(hostParameterAddress, parameterCopy.data(), size_t(hostParameterSize));
    hostParameterAddress = nullptr;
    // Only locks taken during this call are undone; a host counting locks stays balanced.
    if (filterRecord != nullptr && filterRecord->parameters != nullptr &&
        HasHandleProc(filterRecord->handleProcs, kHandleUnlock)) {
        for (; parameterLocks > 0; --parameterLocks)
            filterRecord->handleProcs->unlockProc(filterRecord->parameters);
    }
    parameterLocks = 0;
}

const HandleProcs* OrvPSFilter::RequireHandleProcs(int16 needed) {
    if (filterRecord == nullptr || !HasHandleProc(filterRecord->handleProcs, needed)) {
        ThrowHostError(errPlugInHostInsufficient);
    }
    return filterRecord->handleProcs;
}

void OrvPSFilter::PrepareParameters() {
    if (filterRecord == nullptr) ThrowHostError(errPlugInHostInsufficient);
    const int32 size = GetParametersSize();
    if (filterRecord->parameters == nullptr && size == 0) return;

    const HandleProcs* procs = RequireHandleProcs(kHandleLock);
    bool made = false;
    int32 held = size;  // bytes of the host's block, once it is ours to use
    int32 grownFrom = 0;
    if (filterRecord->parameters == nullptr) {
        RequireHandleProcs(kHandleNew);
        Handle fresh = procs->newProc(size);
        if (fresh == nullptr) ThrowHostError(memFullErr);
        filterRecord->parameters = fresh;
        pendingDefaults = fresh;
        made = true;
    } else if (size > 0) {
        // Without a size query only what every version's block holds is safe to touch.
        const int32 kept = GetParametersKeptSize();
        held = HasHandleProc(procs, kHandleGetSize) ? procs->getSizeProc(filterRecord->parameters) : kept;
        const bool canGrow = HasHandleProc(procs, kHandleSetSize);
        if (held < kept) {
            // A block too small for our record cannot hold settings: grow it and start afresh.
            if (!canGrow || procs->setSizeProc(filterRecord->parameters, size) != noErr)
                ThrowHostError(memFullErr);
            pendingDefaults = filterRecord->parameters;
            held = size;
        } else if (held < size && canGrow && procs->setSizeProc(filterRecord->parameters, size) == noErr) {
            grownFrom = held;
            held = size;
        }
    }

    Ptr address = procs->lockProc(filterRecord->parameters, true);
    if (address == nullptr) {
        // Never hand a null block on; a block we just made is given back so that the next
        // call makes and resets a new one instead of using the host's uninitialised bytes.
        if (made && HasHandleProc(procs, kHandleDispose)) {
            procs->disposeProc(filterRecord->parameters);
            filterRecord->parameters = nullptr;
            pendingDefaults = nullptr;
        }
        ThrowText("Parameters not set");
    }
    ++parameterLocks;

    // Bytes a grown block gained are the host's garbage until we write them.
    if (grownFrom > 0) std::memset(address + grownFrom, 0, size_t(size - grownFrom));
    void* block = address;
    parameterCopy.clear();
    if (held < size) {
        // The host keeps only the first bytes: the run works on a full-size copy.
        parameterCopy.assign(size_t(size), 0);
        std::memcpy(parameterCopy.data(), address, size_t(held));
        block = parameterCopy.data();
    }

    if (pendingDefaults != nullptr && pendingDefaults == filterRecord->parameters) {
        pendingDefaults = nullptr;
        std::memset(block, 0, size_t(size));
        SetParameters(block);
        InitParameters();
    } else {
        SetParameters(block);
        RestoreParameters();
    }
    hostParameterSize = held;
    hostParameterAddress = parameterCopy.empty() ? nullptr : address;
}

void OrvPSFilter::OnParameters() { PrepareParameters(); }

void OrvPSFilter::OnPrepare() {
    PrepareParameters();
    const Rect& r = filterRecord->filterRect;
    filterRectangle = OrvRect{r.left, r.top, r.right, r.bottom};
}

void OrvPSFilter::OnContinue() {
    if (filterRecord == nullptr) return;
    filterRecord->inRect = Rect{};
    filterRecord->outRect = Rect{};
    filterRecord->maskRect = Rect{};
}

void OrvPSFilter::CheckAdvanceState() {
    if (filterRecord == nullptr || filterRecord->advanceState == nullptr)
        ThrowHostError(errPlugInHostInsufficient);
    const OSErr err = filterRecord->advanceState();
    if (err != noErr) ThrowHostError(err);
}

void OrvPSFilter::CheckAbort() {
    if (filterRecord != nullptr && filterRecord->abortProc != nullptr && filterRecord->abortProc()) {
        ThrowHostError(userCanceledErr);
    }
}

void OrvPSFilter::UpdateProgress(int32 done, int32 total) {
    if (filterRecord != nullptr && filterRecord->progressProc != nullptr)
        filterRecord->progressProc(done, total);
}

void OrvPSFilter::SetAlphaMode(bool wanted) {
    processAlpha = wanted && filterRecord != nullptr && filterRecord->planes > 3;
}

void OrvPSFilter::NoteHostCapabilities() {
    // A host that does not sample would read a sampled rectangle at full resolution.
    hostSamples = filterRecord != nullptr && filterRecord->samplingSupport != hostDoesNotSupportSampling;
}

void OrvPSFilter::CheckImageAndArea() {
    if (filterRecord == nullptr) ThrowHostError(errPlugInHostInsufficient);
    // A single channel or a layer mask arrives with fewer planes; rows would be read as
    // three bytes a pixel past the end of the host's buffers.
    const bool deepOrOther = filterRecord->depth != 0 && filterRecord->depth != 8;
    if (filterRecord->planes < 3 || filterRecord->imageMode != plugInModeRGBColor || deepOrOther) {
        ThrowHostError(filterBadMode);
    }
    if (filterRectangle.IsEmpty()) ThrowHostError(filterBadParameters);
}

OrvPSFilter::HostData OrvPSFilter::RequestFromHost(const HostRequest& q) {
    if (filterRecord == nullptr) ThrowHostError(errPlugInHostInsufficient);
    FilterRecord& r = *filterRecord;
    // Parts not asked for are all zero; a box without rows is still asked for as it is.
    r.inRect = ToHostRect(q.in);
    r.outRect = ToHostRect(q.out);
    r.maskRect = ToHostRect(q.mask);
    if (q.planes > 0) {
        r.inLoPlane = r.outLoPlane = 0;
        r.inHiPlane = r.outHiPlane = int16(q.planes - 1);
    }
    r.inputRate = r.maskRate = q.rate << 16;
    CheckAdvanceState();

    const int32_t kind = q.planes == 4 ? pixelKindHostRGBA : pixelKindHostRGB;
    const auto view = [](void* planeData, const Rect& rect, int32_t bytes, int32_t rowBytes,
                         int32_t pixelKind, bool& missing) {
        const int32_t w = RectWidth(rect), h = RectHeight(rect);
        if (w == 0 || h == 0) return PixelBuffer{nullptr, 0, 0, bytes, rowBytes, pixelKind};
        missing = missing || planeData == nullptr || rowBytes < w * bytes;
        return PixelBuffer{static_cast<uint8_t*>(planeData), w, h, bytes, rowBytes, pixelKind};
    };
    bool missing = false;
    HostData d;
    d.in = view(r.inData, r.inRect, q.planes, r.inRowBytes, kind, missing);
    d.out = view(r.outData, r.outRect, q.planes, r.outRowBytes, kind, missing);
    d.mask = view(r.maskData, r.maskRect, 1, r.maskRowBytes, pixelKindMask, missing);
    if (missing) ThrowHostError(errPlugInHostInsufficient);
    return d;
}

void OrvPSFilter::RunFilter() {
    PlacePlacements(false);
    const OrvRect f = filterRectangle;
    const int32_t b = processAlpha ? 4 : 3;
    const bool masked = HasMask();
    const int32_t total =
        ((f.Width() + kTileSize - 1) / kTileSize) * ((f.Height() + kTileSize - 1) / kTileSize);
    if (masked) filterRecord->autoMask = false;
    int32_t done = 0;
    for (int32_t top = f.top; top < f.bottom; top += kTileSize) {
        const int32_t bottom = std::min(top + kTileSize, f.bottom);
        for (int32_t left = f.left; left < f.right; left += kTileSize) {
            const int32_t right = std::min(left + kTileSize, f.right);
            const OrvRect tile{left, top, right, bottom};
            const HostData d = RequestFromHost(HostRequest{tile, tile, masked ? tile : OrvRect{}, b, 1});
            if (masked) {
                RenderAreaMasked(d.in, d.out, d.mask, tile);
            } else {
                RenderArea(d.in, d.out, tile);
            }
            CheckAbort();
            UpdateProgress(done, total);
            ++done;
        }
    }
}

OrvRect OrvPSFilter::GetSelectionBounds(bool& plain) {
    plain = true;
    if (!HasMask()) return filterRectangle;
    const OrvRect f = filterRectangle;
    SelectionBoundsBuilder builder;
    for (int32_t top = f.top; top < f.bottom; top += kMaskScanTile) {
        const int32_t bottom = std::min(top + kMaskScanTile, f.bottom);
        builder.BeginBand();
        for (int32_t left = f.left; left < f.right; left += kMaskScanTile) {
            const int32_t right = std::min(left + kMaskScanTile, f.right);
            const OrvRect tile{left, top, right, bottom};
            const PixelBuffer mask = RequestFromHost(HostRequest{{}, {}, tile, 0, 1}).mask;
            builder.AddTile(ScanMaskTile(mask.data, left, top, right, bottom, mask.rowBytes));
        }
    }
    const MaskScan scan = builder.Finish();
    plain = scan.plain;
    return scan.bounds;
}

bool OrvPSFilter::IsBoxSelected(const OrvRect& box) {
    const PixelBuffer mask = RequestFromHost(HostRequest{{}, {}, box, 0, 1}).mask;
    for (int32_t y = 0; y < mask.height; ++y) {
        const uint8_t* row = mask.Row(y);
        for (int32_t x = 0; x < mask.width; ++x) {
            if (row[x] != 255) return false;
        }
    }
    return true;
}

bool OrvPSFilter::ChooseColour(uint8_t rgb[3]) {
    if (filterRecord == nullptr || filterRecord->colorServices == nullptr) return false;
    ColorServicesInfo info;
    std::memset(&info, 0, sizeof info);
    info.infoSize = int32(sizeof info);
    info.selector = plugIncolorServicesChooseColor;
    info.sourceSpace = plugIncolorServicesRGBSpace;
    info.resultSpace = plugIncolorServicesChosenSpace;
    for (int i = 0; i < 3; ++i) info.colorComponents[i] = rgb[i];
    if (filterRecord->colorServices(&info) != noErr) return false;
    for (int i = 0; i < 3; ++i) rgb[i] = uint8_t(info.colorComponents[i]);
    return true;
}
