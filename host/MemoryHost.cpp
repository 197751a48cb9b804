#include "host/MemoryHost.h"

#include <algorithm>
#include <cstring>

namespace VarnHost {

namespace {

bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

// A handle is the address of the block's master pointer, as on real hosts.
struct MemoryHost::Block {
    char* pointer = nullptr;
    std::vector<char> storage;
    int lockCount = 0;
};

MemoryHost* MemoryHost::active = nullptr;

MemoryHost::MemoryHost() {
    handleProcs.handleProcsVersion = 1;
    handleProcs.numHandleProcs = 7;
    handleProcs.newProc = &NewThunk;
    handleProcs.disposeProc = &DisposeThunk;
    handleProcs.getSizeProc = &GetSizeThunk;
    handleProcs.setSizeProc = &SetSizeThunk;
    handleProcs.lockProc = &LockThunk;
    handleProcs.unlockProc = &UnlockThunk;
    handleProcs.recoverSpaceProc = &RecoverThunk;

    record.abortProc = &AbortThunk;
    record.progressProc = &ProgressThunk;
    record.maxSpace = 1 << 28;
    record.autoMask = true;
    record.hostSig = MakeOSType('V', 'R', 'N', 'L');
    record.imageMode = plugInModeRGBColor;
    record.imageHRes = record.imageVRes = 72 << 16;
    record.platformData = &platform;
    record.handleProcs = &handleProcs;
    record.filterCase = filterCaseFlatImageNoSelection;
    record.dummyPlaneValue = -1;
    record.advanceState = &AdvanceThunk;
    record.inputPadding = record.outputPadding = record.maskPadding = -3;
    record.samplingSupport = hostSupportsIntegralSampling;
    record.inputRate = record.maskRate = 0x10000;
    record.colorServices = &ColorThunk;
    record.errorString = &errorBuffer;
    record.depth = 8;
}

MemoryHost::~MemoryHost() {
    if (active == this) active = nullptr;
}

void MemoryHost::SetImage(const HostImage& newImage) {
    image = newImage;
    record.imageSize = Point{int16(image.height), int16(image.width)};
    record.wholeSize = record.imageSize;
    record.planes = int16(image.planes);
    record.filterRect = Rect{0, 0, int16(image.height), int16(image.width)};
    record.haveMask = false;
    record.filterCase =
        image.planes > 3 ? filterCaseEditableTransparencyNoSelection : filterCaseFlatImageNoSelection;
    mask.clear();
}

void MemoryHost::SetMask(const std::vector<uint8_t>& selection) {
    mask = selection;
    record.haveMask = true;
    record.filterCase =
        image.planes > 3 ? filterCaseEditableTransparencyWithSelection : filterCaseFlatImageWithSelection;
}

void MemoryHost::SetFilterRect(int16 top, int16 left, int16 bottom, int16 right) {
    record.filterRect = Rect{top, left, bottom, right};
}

OSErr MemoryHost::Call(PluginEntryProc entry, int16 selector) {
    MemoryHost* previous = active;
    active = this;
    int16 result = faults.resultPreset;
    entry(selector, &record, &dataSlot, &result);
    if (selector == filterSelectorStart || selector == filterSelectorContinue) {
        CommitOutput();
        out = Buffer{};
    }
    active = previous;
    return result;
}

OSErr MemoryHost::About(PluginEntryProc entry, uint8_t fill) {
    AboutRecord about;
    std::memset(&about, fill, sizeof about);
    about.platformData = &platform;
    MemoryHost* previous = active;
    active = this;
    int16 result = faults.resultPreset;
    entry(filterSelectorAbout, &about, &dataSlot, &result);
    active = previous;
    return result;
}

OSErr MemoryHost::Run(PluginEntryProc entry, bool withParameters) {
    OSErr err = noErr;
    if (withParameters && (err = Call(entry, filterSelectorParameters)) != noErr) return err;
    if ((err = Call(entry, filterSelectorPrepare)) != noErr) return err;
    if ((err = Call(entry, filterSelectorStart)) != noErr) return err;
    // The host itself advances before each Continue while the plug-in asks for data.
    for (int i = 0; i < 1000000; ++i) {
        if (IsEmpty(record.inRect) && IsEmpty(record.outRect) && IsEmpty(record.maskRect)) break;
        MemoryHost* previous = active;
        active = this;
        err = Advance();
        active = previous;
        if (err == noErr) err = Call(entry, filterSelectorContinue);
        if (err != noErr) break;
    }
    const OSErr finish = Call(entry, filterSelectorFinish);
    return err != noErr ? err : finish;
}

std::string MemoryHost::ErrorMessage() const {
    return std::string(errorBuffer + 1, errorBuffer + 1 + errorBuffer[0]);
}

MemoryHost::Block* MemoryHost::Find(Handle h) const {
    auto it = handles.find(h);
    return it == handles.end() ? nullptr : it->second.get();
}

bool MemoryHost::IsLocked(Handle h) const {
    const Block* b = Find(h);
    return b != nullptr && b->lockCount > 0;
}

int32_t MemoryHost::HandleSize(Handle h) const {
    const Block* b = Find(h);
    return b == nullptr ? -1 : int32_t(b->storage.size());
}

std::vector<uint8_t> MemoryHost::HandleBytes(Handle h) const {
    const Block* b = Find(h);
    if (b == nullptr) return {};
    return std::vector<uint8_t>(b->storage.begin(), b->storage.end());
}

Handle MemoryHost::MakeHandle(const std::vector<uint8_t>& bytes) {
    auto block = std::make_unique<Block>();
    block->storage.assign(bytes.begin(), bytes.end());
    block->pointer = block->storage.data();
    Handle h = &block->pointer;
    handles[h] = std::move(block);
    return h;
}

bool MemoryHost::SetHandleBytes(Handle h, const std::vector<uint8_t>& bytes) {
    Block* b = Find(h);
    if (b == nullptr || b->lockCount > 0) return false;
    b->storage.assign(bytes.begin(), bytes.end());
    b->pointer = b->storage.data();
    return true;
}

Boolean MemoryHost::AbortThunk() {
    MemoryHost* h = active;
    if (h == nullptr) return false;
    ++h->abortCalls;
    if (h->abortHook && h->abortHook()) return true;
    return h->faults.abortAtCall > 0 && h->abortCalls >= h->faults.abortAtCall;
}

void MemoryHost::ProgressThunk(int32 done, int32 total) {
    if (active == nullptr) return;
    active->progress.emplace_back(done, total);
    if (active->progressHook) active->progressHook(done, total);
}

OSErr MemoryHost::AdvanceThunk() { return active == nullptr ? OSErr(paramErr) : active->Advance(); }

OSErr MemoryHost::ColorThunk(ColorServicesInfo* info) {
    MemoryHost* h = active;
    if (h == nullptr || info == nullptr || info->selector != plugIncolorServicesChooseColor) return paramErr;
    if (h->faults.colorServicesResult != noErr) return h->faults.colorServicesResult;
    for (int i = 0; i < 3; ++i) info->colorComponents[i] = h->picked[i];
    return noErr;
}

Handle MemoryHost::NewThunk(int32 size) {
    MemoryHost* h = active;
    if (h == nullptr || size < 0) return nullptr;
    ++h->newCalls;
    if (h->faults.failNewAt == h->newCalls) return nullptr;
    return h->MakeHandle(std::vector<uint8_t>(size_t(size), h->faults.newHandleFill));
}

void MemoryHost::DisposeThunk(Handle handle) {
    if (active != nullptr) active->handles.erase(handle);
}

int32 MemoryHost::GetSizeThunk(Handle handle) { return active == nullptr ? 0 : active->HandleSize(handle); }

OSErr MemoryHost::SetSizeThunk(Handle handle, int32 size) {
    Block* b = active == nullptr ? nullptr : active->Find(handle);
    if (b == nullptr) return nilHandleErr;
    // A locked block cannot move.
    if (b->lockCount > 0 || size < 0) return memFullErr;
    b->storage.resize(size_t(size), char(active->faults.newHandleFill));
    b->pointer = b->storage.data();
    return noErr;
}

Ptr MemoryHost::LockThunk(Handle handle, Boolean) {
    MemoryHost* h = active;
    Block* b = h == nullptr ? nullptr : h->Find(handle);
    if (b == nullptr) return nullptr;
    if (h->faults.failLocks > 0) {
        --h->faults.failLocks;
        return nullptr;
    }
    ++h->locks;
    ++b->lockCount;
    return b->pointer;
}

void MemoryHost::UnlockThunk(Handle handle) {
    MemoryHost* h = active;
    if (h == nullptr) return;
    Block* b = h->Find(handle);
    if (b == nullptr || b->lockCount == 0) {
        ++h->unbalancedUnlocks;
        return;
    }
    ++h->unlocks;
    --b->lockCount;
}

void MemoryHost::RecoverThunk(int32) {}

void MemoryHost::CommitOutput() {
    if (out.bytes.empty() || IsEmpty(out.rect)) return;
    const int32_t planes = out.hiPlane - out.loPlane + 1;
    const int32_t width = out.rect.right - out.rect.left;
    const size_t stride = size_t(width) * planes + faults.rowPadding;
    for (int32_t y = out.rect.top; y < out.rect.bottom; ++y) {
        const uint8_t* row = out.bytes.data() + size_t(y - out.rect.top) * stride;
        if (planes == image.planes) {  // whole pixels: the row as it stands
            std::memcpy(&image.At(out.rect.left, y, 0), row, size_t(width) * planes);
            continue;
        }
        for (int32_t x = out.rect.left; x < out.rect.right; ++x) {
            for (int32_t p = 0; p < planes; ++p)
                image.At(x, y, out.loPlane + p) = row[(x - out.rect.left) * planes + p];
        }
    }
}

OSErr MemoryHost::FillBuffer(Buffer& buffer, const Rect& rect, int16 lo, int16 hi, Fixed rate, bool isMask) {
    buffer = Buffer{};
    if (IsEmpty(rect)) return noErr;
    if (isMask && mask.empty()) return noErr;  // no selection: no mask data
    // Integral sampling: pixel (x * r, y * r). A host that does not sample reads at 1:1.
    int32_t r = record.samplingSupport == hostDoesNotSupportSampling
                    ? 1
                    : std::max<int32_t>(1, (rate + 0x8000) >> 16);
    const int32_t planes = isMask ? 1 : hi - lo + 1;
    if (!isMask && (lo < 0 || hi >= image.planes || lo > hi)) return paramErr;
    if (rect.left < 0 || rect.top < 0 || int64_t(rect.right - 1) * r >= image.width ||
        int64_t(rect.bottom - 1) * r >= image.height) {
        return paramErr;
    }
    const int32_t width = rect.right - rect.left;
    const int32_t height = rect.bottom - rect.top;
    const size_t stride = size_t(width) * planes + faults.rowPadding;
    buffer.bytes.assign(stride * height, 0);
    buffer.rect = rect;
    buffer.loPlane = lo;
    buffer.hiPlane = isMask ? lo : hi;
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = buffer.bytes.data() + stride * y;
        const int32_t sy = (rect.top + y) * r;
        if (!isMask && r == 1 && planes == image.planes) {  // whole pixels at 1:1: the row as it stands
            std::memcpy(row, &image.At(rect.left, sy, 0), size_t(width) * planes);
            continue;
        }
        for (int32_t x = 0; x < width; ++x) {
            const int32_t sx = (rect.left + x) * r;
            if (isMask) {
                row[x] = mask[size_t(sy) * image.width + sx];
            } else {
                for (int32_t p = 0; p < planes; ++p) row[x * planes + p] = image.At(sx, sy, lo + p);
            }
        }
    }
    buffer.rowBytes = int32(stride) - faults.shortStride;
    return noErr;
}

OSErr MemoryHost::Advance() {
    ++advances;
    requests.push_back(AdvanceRequest{record.inRect, record.outRect, record.maskRect, record.inLoPlane,
                                      record.inHiPlane, record.outLoPlane, record.outHiPlane,
                                      record.inputRate, record.maskRate, record.autoMask});
    CommitOutput();
    out = Buffer{};
    if (faults.errorAtAdvance == advances) return faults.advanceError;
    OSErr err = FillBuffer(in, record.inRect, record.inLoPlane, record.inHiPlane, record.inputRate, false);
    if (err == noErr) {
        err = FillBuffer(out, record.outRect, record.outLoPlane, record.outHiPlane, 0x10000, false);
    }
    if (err == noErr) err = FillBuffer(maskBuffer, record.maskRect, 0, 0, record.maskRate, true);
    // FilterRecord is packed: its pointers are assigned by value, never through their address.
    record.inData = in.Data();
    record.inRowBytes = in.rowBytes;
    record.outData = out.Data();
    record.outRowBytes = out.rowBytes;
    record.maskData = maskBuffer.Data();
    record.maskRowBytes = maskBuffer.rowBytes;
    if (err != noErr) return err;
    if (faults.nullInDataAtAdvance == advances) record.inData = nullptr;
    if (faults.nullOutDataAtAdvance == advances) {
        record.outData = nullptr;
        out = Buffer{};
    }
    if (faults.nullMaskDataAtAdvance == advances) record.maskData = nullptr;
    return noErr;
}

}  // namespace VarnHost
