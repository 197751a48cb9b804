// A stand-in plug-in for the command-line host's tests. It keeps a parameter block as the
// real plug-in does, and its density chooses what Start does, so that every path of the
// host (pixels written back, the mask, errors, cancels, progress) can be seen from outside.
#include <csignal>
#include <cstring>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "OrvLib/plugin/HostInterface.h"
#include "product/engine/EffectParameters.h"

namespace {

enum Mode : int32_t {
    kInvert = 1,      // out = 255 - in on every plane
    kEchoMask = 2,    // out = the mask (0 without one) on every plane
    kReportText = 3,  // fails with a message of its own
    kReportCode = 4,  // fails with memFullErr
    kCancel = 5,      // the user cancelled the dialog
    kInterrupt = 6,   // SIGINT arrives, then the abort check
    kProgress = 7,    // reports progress, leaves the image
    // Inverts, but on a picture 13 pixels wide first sends SIGINT to the process that
    // started this one (a batch) and waits for the abort that follows.
    kInterruptBatch = 8,
};

const char kMessage[] = "Fake plug-in failure";

int32_t ReadMode(FilterRecord* r) {
    const Handle block = r->parameters;
    HandleProcs* procs = r->handleProcs;
    const auto* p = reinterpret_cast<const EffectParameters*>(procs->lockProc(block, true));
    const int32_t mode = p->density;
    procs->unlockProc(block);
    return mode;
}

OSErr MakeBlock(FilterRecord* r) {
    if (r->parameters != nullptr) return noErr;
    HandleProcs* procs = r->handleProcs;
    const Handle block = procs->newProc(int32(sizeof(EffectParameters)));
    if (block == nullptr) return memFullErr;
    auto* p = reinterpret_cast<EffectParameters*>(procs->lockProc(block, true));
    std::memset(p, 0, sizeof *p);
    p->density = kInvert;
    procs->unlockProc(block);
    r->parameters = block;
    return noErr;
}

void ClearRequests(FilterRecord* r) {
    r->inRect = Rect{};
    r->outRect = Rect{};
    r->maskRect = Rect{};
}

OSErr Rewrite(FilterRecord* r, bool echoMask) {
    const Rect area = r->filterRect;
    const int16 planes = r->planes;
    r->inRect = area;
    r->inLoPlane = 0;
    r->inHiPlane = int16(planes - 1);
    r->outRect = area;
    r->outLoPlane = 0;
    r->outHiPlane = int16(planes - 1);
    r->maskRect = echoMask && r->haveMask ? area : Rect{};
    if (const OSErr err = r->advanceState()) return err;
    const auto* in = static_cast<const uint8_t*>(r->inData);
    auto* out = static_cast<uint8_t*>(r->outData);
    const auto* mask = static_cast<const uint8_t*>(r->maskData);
    const int32 inStride = r->inRowBytes, outStride = r->outRowBytes, maskStride = r->maskRowBytes;
    for (int32_t y = 0; y < area.bottom - area.top; ++y) {
        for (int32_t x = 0; x < area.right - area.left; ++x) {
            for (int32_t p = 0; p < planes; ++p) {
                const uint8_t source = in[y * inStride + x * planes + p];
                const uint8_t selected = mask == nullptr ? 0 : mask[y * maskStride + x];
                out[y * outStride + x * planes + p] = echoMask ? selected : uint8_t(255 - source);
            }
        }
    }
    ClearRequests(r);
    return noErr;
}

OSErr Start(FilterRecord* r) {
    switch (ReadMode(r)) {
        case kInvert:
            return Rewrite(r, false);
        case kEchoMask:
            return Rewrite(r, true);
        case kReportText: {
            unsigned char* text = *r->errorString;
            text[0] = uint8_t(sizeof kMessage - 1);
            std::memcpy(text + 1, kMessage, sizeof kMessage - 1);
            // Pixels handed out before the failure must not reach any file.
            Rewrite(r, false);
            return errReportString;
        }
        case kReportCode:
            return memFullErr;
        case kCancel:
            return userCanceledErr;
        case kInterrupt:
            std::raise(SIGINT);
            return r->abortProc() ? OSErr(userCanceledErr) : OSErr(noErr);
        case kProgress:
            for (int32 i = 0; i < 10; ++i) r->progressProc(i, 10);
            return noErr;
        case kInterruptBatch:
#ifndef _WIN32
            if (r->filterRect.right - r->filterRect.left == 13) {
                kill(getppid(), SIGINT);
                for (int i = 0; i < 500 && !r->abortProc(); ++i) usleep(10000);
                return r->abortProc() ? OSErr(userCanceledErr) : OSErr(noErr);
            }
#endif
            return Rewrite(r, false);
        default:
            return filterBadParameters;
    }
}

}  // namespace

ORV_PLUGIN_EXPORT void PSCALL PluginMain(int16 selector, void* record, intptr_t*, int16* result) {
    auto* r = static_cast<FilterRecord*>(record);
    switch (selector) {
        case filterSelectorParameters:
        case filterSelectorPrepare:
            *result = MakeBlock(r);
            break;
        case filterSelectorStart:
            *result = Start(r);
            break;
        case filterSelectorContinue:
            ClearRequests(r);
            break;
        default:
            break;
    }
}
