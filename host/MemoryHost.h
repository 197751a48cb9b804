// A host for filter plug-ins on in-memory images: everything a plug-in may ask of its
// host (handle suite, advanceState with integral sampling, abort and progress, colour
// services, the error string), with counters for tests and misbehaviour on request.
// The host's callbacks carry no context, so one host is active at a time: the one
// whose Call is running.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "OrvLib/plugin/HostInterface.h"

namespace VarnHost {

// An image of interleaved 8-bit planes (R, G, B and optionally transparency), top-down.
struct HostImage {
    int32_t width = 0;
    int32_t height = 0;
    int32_t planes = 3;
    std::vector<uint8_t> pixels;

    HostImage() = default;
    HostImage(int32_t w, int32_t h, int32_t p) : width(w), height(h), planes(p), pixels(size_t(w) * h * p) {}
    uint8_t& At(int32_t x, int32_t y, int32_t plane) {
        return pixels[(size_t(y) * width + x) * planes + plane];
    }
    uint8_t At(int32_t x, int32_t y, int32_t plane) const {
        return pixels[(size_t(y) * width + x) * planes + plane];
    }
};

// Misbehaviours of real (or broken) hosts, switched on by tests. Counts are 1-based:
// 0 never triggers.
struct HostFaults {
    int failNewAt = 0;       // the n-th newProc call returns null
    int failLocks = 0;       // the next n lockProc calls return null
    int errorAtAdvance = 0;  // the n-th advanceState returns advanceError
    OSErr advanceError = -50;
    int nullInDataAtAdvance = 0;
    int nullOutDataAtAdvance = 0;
    int nullMaskDataAtAdvance = 0;
    int32_t shortStride = 0;       // bytes taken off every reported row stride
    int32_t rowPadding = 0;        // extra bytes at the end of every buffer row
    int abortAtCall = 0;           // abortProc answers true from its n-th call on
    uint8_t newHandleFill = 0xA5;  // what a fresh handle holds
    OSErr colorServicesResult = 0;
    int16 resultPreset = 0;  // what `result` holds when a call begins
};

struct AdvanceRequest {
    Rect inRect, outRect, maskRect;
    int16 inLoPlane, inHiPlane, outLoPlane, outHiPlane;
    Fixed inputRate, maskRate;
    Boolean autoMask;
};

class MemoryHost {
public:
    MemoryHost();
    ~MemoryHost();
    MemoryHost(const MemoryHost&) = delete;
    MemoryHost& operator=(const MemoryHost&) = delete;

    // FilterRecord is packed to 4: copy its pointer fields out (Parameters()) rather than
    // binding references to them.
    FilterRecord& Record() { return record; }
    Handle Parameters() const { return record.parameters; }
    HandleProcs& Procs() { return handleProcs; }
    HostFaults& Faults() { return faults; }

    // Sets the image and makes the whole of it the filter rectangle, without a mask.
    void SetImage(const HostImage& image);
    const HostImage& Image() const { return image; }
    // An 8-bit selection of the image's size (255 fully selected); sets haveMask.
    void SetMask(const std::vector<uint8_t>& mask);
    void SetFilterRect(int16 top, int16 left, int16 bottom, int16 right);
    // The host's main window handed over in the platform data.
    void SetHostWindow(intptr_t window) { platform.hwnd = window; }

    // One selector call, as a host makes it. After Start and Continue the last output
    // tile is written back, as hosts do.
    OSErr Call(PluginEntryProc entry, int16 selector);
    // About, with an about record whose reserved bytes hold fill.
    OSErr About(PluginEntryProc entry, uint8_t fill = 0);
    // Parameters (optional), Prepare, Start, Continue while a rectangle is requested,
    // Finish. Returns the first error.
    OSErr Run(PluginEntryProc entry, bool withParameters = true);

    // The counted string in the error buffer.
    std::string ErrorMessage() const;

    // Observations.
    int Locks() const { return locks; }
    int Unlocks() const { return unlocks; }
    int UnbalancedUnlocks() const { return unbalancedUnlocks; }
    int NewCalls() const { return newCalls; }
    int Advances() const { return advances; }
    int LiveHandles() const { return int(handles.size()); }
    bool IsLocked(Handle h) const;
    int32_t HandleSize(Handle h) const;
    std::vector<uint8_t> HandleBytes(Handle h) const;
    // Makes a handle as the host would (for handing back a stored block).
    Handle MakeHandle(const std::vector<uint8_t>& bytes);
    // Replaces the contents of an unlocked handle between calls, as a host editing a
    // stored block does. False for an unknown or locked handle.
    bool SetHandleBytes(Handle h, const std::vector<uint8_t>& bytes);
    const std::vector<std::pair<int32_t, int32_t>>& Progress() const { return progress; }
    const std::vector<AdvanceRequest>& Requests() const { return requests; }
    int AbortCalls() const { return abortCalls; }
    intptr_t DataSlot() const { return dataSlot; }
    // What the colour picker hands back.
    void SetPickedColour(uint8_t r, uint8_t g, uint8_t b) { picked[0] = r, picked[1] = g, picked[2] = b; }
    // Live observers for an interactive host: the progress hook sees every report as it
    // arrives, and abortProc answers true once the abort hook does (besides abortAtCall).
    void SetProgressHook(std::function<void(int32_t done, int32_t total)> hook) {
        progressHook = std::move(hook);
    }
    void SetAbortHook(std::function<bool()> hook) { abortHook = std::move(hook); }

private:
    struct Block;
    struct Buffer {
        std::vector<uint8_t> bytes;
        Rect rect{};
        int16 loPlane = 0, hiPlane = -1;
        int32 rowBytes = 0;
        void* Data() { return bytes.empty() ? nullptr : bytes.data(); }
    };

    static MemoryHost* active;
    static Boolean PSCALL AbortThunk();
    static void PSCALL ProgressThunk(int32 done, int32 total);
    static OSErr PSCALL AdvanceThunk();
    static OSErr PSCALL ColorThunk(ColorServicesInfo* info);
    static Handle PSCALL NewThunk(int32 size);
    static void PSCALL DisposeThunk(Handle h);
    static int32 PSCALL GetSizeThunk(Handle h);
    static OSErr PSCALL SetSizeThunk(Handle h, int32 size);
    static Ptr PSCALL LockThunk(Handle h, Boolean moveHigh);
    static void PSCALL UnlockThunk(Handle h);
    static void PSCALL RecoverThunk(int32 size);

    OSErr Advance();
    void CommitOutput();
    OSErr FillBuffer(Buffer& buffer, const Rect& rect, int16 lo, int16 hi, Fixed rate, bool mask);
    Block* Find(Handle h) const;

    FilterRecord record{};
    HandleProcs handleProcs{};
    PlatformData platform{};
    Str255 errorBuffer{};
    HostFaults faults;
    HostImage image;
    std::vector<uint8_t> mask;
    Buffer in, out, maskBuffer;
    intptr_t dataSlot = 0;
    std::map<Handle, std::unique_ptr<Block>> handles;
    int locks = 0, unlocks = 0, unbalancedUnlocks = 0, newCalls = 0;
    int advances = 0, abortCalls = 0;
    std::vector<std::pair<int32_t, int32_t>> progress;
    std::vector<AdvanceRequest> requests;
    uint8_t picked[3] = {0, 0, 0};
    std::function<void(int32_t, int32_t)> progressHook;
    std::function<bool()> abortHook;
};

}  // namespace VarnHost
