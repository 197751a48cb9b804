#include "OrvLib/plugin/OrvPSFilter.h"

#include <algorithm>
#include <cstring>

#include "OrvLib/platform/Platform.h"
#include "OrvLib/plugin/OrvPSFailure.h"

namespace {

bool HasHandleProc(const HandleProcs* procs, int16 index) {
    if (procs == nullptr || procs->numHandleProcs < index) return false;
    switch (index) {
        case kHandleNew: return procs->newProc != nullptr;
        case kHandleDispose: return procs->disposeProc != nullptr;
        case kHandleGetSize: return procs->getSizeProc != nullptr;
        case kHandleSetSize: return procs->setSizeProc != nullptr;
        case kHandleLock: return procs->lockProc != nullptr;
        case kHandleUnlock: return procs->unlockProc != nullptr;
        default: return false;
    }
}

}  // namespace

void OrvPSFilter::Dispatch(int16 selector, void* record, intptr_t* dataSlot, int16* resultSlot) {
    // About hands over an about record, not a FilterRecord: read nothing from it.
    filterRecord = selector == filterSelectorAbout ? nullptr : static_cast<FilterRecord*>(record);
    result = resultSlot;
    data = dataSlot;
    parameterLocks = 0;
    try {
        switch (selector) {
            case filterSelectorAbout: OnAbout(); break;
            case filterSelectorParameters: OnParameters(); break;
            case filterSelectorPrepare: OnPrepare(); break;
            case filterSelectorStart: OnStart(); break;
            case filterSelectorContinue: OnContinue(); break;
            case filterSelectorFinish: OnFinish(); break;
            default: break;
        }
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
    OrvPlatform::EnableHostWindow();
    if (message != nullptr && filterRecord != nullptr && filterRecord->errorString != nullptr) {
        unsigned char* out = *filterRecord->errorString;
        const size_t length = std::min<size_t>(std::strlen(message), 255);
        out[0] = static_cast<unsigned char>(length);
        std::memcpy(out + 1, message, length);
    }
    if (result != nullptr) *result = code;
}

void OrvPSFilter::UnlockParameters() {
    // Only locks taken during this call are undone; a host counting locks stays balanced.
    if (filterRecord != nullptr && filterRecord->parameters != nullptr &&
        HasHandleProc(filterRecord->handleProcs, kHandleUnlock)) {
        for (; parameterLocks > 0; --parameterLocks) filterRecord->handleProcs->unlockProc(filterRecord->parameters);
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
    if (filterRecord->parameters == nullptr) {
        RequireHandleProcs(kHandleNew);
        Handle fresh = procs->newProc(size);
        if (fresh == nullptr) ThrowHostError(memFullErr);
        filterRecord->parameters = fresh;
        pendingDefaults = fresh;
        made = true;
    } else if (size > 0 && HasHandleProc(procs, kHandleGetSize) &&
               procs->getSizeProc(filterRecord->parameters) < size) {
        // A block too small for our record cannot hold settings: grow it and start afresh.
        if (!HasHandleProc(procs, kHandleSetSize) ||
            procs->setSizeProc(filterRecord->parameters, size) != noErr) {
            ThrowHostError(memFullErr);
        }
        pendingDefaults = filterRecord->parameters;
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

    if (pendingDefaults != nullptr && pendingDefaults == filterRecord->parameters) {
        pendingDefaults = nullptr;
        std::memset(address, 0, size_t(size));
        SetParameters(address);
        InitParameters();
    } else {
        SetParameters(address);
        RestoreParameters();
    }
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
    if (filterRecord == nullptr || filterRecord->advanceState == nullptr) ThrowHostError(errPlugInHostInsufficient);
    const OSErr err = filterRecord->advanceState();
    if (err != noErr) ThrowHostError(err);
}

void OrvPSFilter::CheckAbort() {
    if (filterRecord != nullptr && filterRecord->abortProc != nullptr && filterRecord->abortProc()) {
        ThrowHostError(userCanceledErr);
    }
}

void OrvPSFilter::UpdateProgress(int32 done, int32 total) {
    if (filterRecord != nullptr && filterRecord->progressProc != nullptr) filterRecord->progressProc(done, total);
}

void OrvPSFilter::SetAlphaMode(bool wanted) {
    processAlpha = wanted && filterRecord != nullptr && filterRecord->planes > 3;
}
