// The stand-in host must serve exactly what a real host serves, or every plug-in test
// built on it proves nothing.
#include <gtest/gtest.h>

#include "host/MemoryHost.h"

namespace {

using VarnHost::HostImage;
using VarnHost::MemoryHost;

HostImage Gradient(int w, int h, int planes) {
    HostImage image(w, h, planes);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int p = 0; p < planes; ++p) image.At(x, y, p) = uint8_t(x + 16 * y + 100 * p);
    return image;
}

// Runs a Start in which `body` makes its requests against the record.
template <typename Body>
OSErr DuringStart(MemoryHost& host, Body body) {
    static Body* current;
    current = &body;
    auto entry = [](int16 selector, void* record, intptr_t*, int16* result) {
        if (selector == filterSelectorStart) *result = (*current)(*static_cast<FilterRecord*>(record));
    };
    return host.Call(entry, filterSelectorStart);
}

TEST(MemoryHostTest, ServesSampledAreasAndPlanes) {
    MemoryHost host;
    host.SetImage(Gradient(12, 9, 4));
    OSErr err = DuringStart(host, [&](FilterRecord& r) -> OSErr {
        r.inRect = Rect{1, 1, 3, 4};  // sampled coordinates at rate 3
        r.inLoPlane = 1;
        r.inHiPlane = 2;
        r.inputRate = 3 << 16;
        if (OSErr e = r.advanceState()) return e;
        const uint8_t* in = static_cast<const uint8_t*>(static_cast<void*>(r.inData));
        EXPECT_EQ(r.inRowBytes, 3 * 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                for (int p = 0; p < 2; ++p)
                    EXPECT_EQ(in[y * r.inRowBytes + x * 2 + p],
                              host.Image().At((1 + x) * 3, (1 + y) * 3, 1 + p));
        return noErr;
    });
    EXPECT_EQ(err, noErr);
}

TEST(MemoryHostTest, ServesWholePixelsAtOneToOneRowByRowWithPadding) {
    MemoryHost host;
    host.SetImage(Gradient(7, 5, 4));
    host.Faults().rowPadding = 3;
    OSErr err = DuringStart(host, [&](FilterRecord& r) -> OSErr {
        r.inRect = Rect{1, 2, 4, 6};  // top, left, bottom, right
        r.inLoPlane = 0;
        r.inHiPlane = 3;
        r.inputRate = 1 << 16;
        if (OSErr e = r.advanceState()) return e;
        const uint8_t* in = static_cast<const uint8_t*>(static_cast<void*>(r.inData));
        EXPECT_EQ(r.inRowBytes, 4 * 4 + 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                for (int p = 0; p < 4; ++p)
                    EXPECT_EQ(in[y * r.inRowBytes + x * 4 + p], host.Image().At(2 + x, 1 + y, p));
        return noErr;
    });
    EXPECT_EQ(err, noErr);
}

TEST(MemoryHostTest, WritesBackEachOutputTileAndTheLastAfterTheCall) {
    MemoryHost host;
    host.SetImage(Gradient(4, 2, 3));
    OSErr err = DuringStart(host, [&](FilterRecord& r) -> OSErr {
        for (int16 left : {int16(0), int16(2)}) {
            r.outRect = Rect{0, left, 2, int16(left + 2)};
            r.outLoPlane = 0;
            r.outHiPlane = 2;
            if (OSErr e = r.advanceState()) return e;
            uint8_t* out = static_cast<uint8_t*>(r.outData);
            for (int y = 0; y < 2; ++y)
                for (int i = 0; i < 6; ++i) out[y * r.outRowBytes + i] = uint8_t(200 + left);
        }
        return noErr;
    });
    EXPECT_EQ(err, noErr);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(host.Image().At(x, 1, 2), x < 2 ? 200 : 202);
}

TEST(MemoryHostTest, RefusesRequestsOutsideTheImageAndNamesEmptyOnesNull) {
    MemoryHost host;
    host.SetImage(Gradient(8, 8, 3));
    EXPECT_EQ(DuringStart(host,
                          [](FilterRecord& r) -> OSErr {
                              r.inRect = Rect{0, 0, 3, 3};
                              r.inHiPlane = 2;
                              r.inputRate = 3 << 16;  // row 2 at rate 3 is row 6: inside
                              if (OSErr e = r.advanceState()) return e;
                              r.inRect = Rect{0, 0, 4, 3};  // row 3 at rate 3 is row 9: outside
                              return r.advanceState();
                          }),
              paramErr);
    EXPECT_EQ(DuringStart(host,
                          [](FilterRecord& r) -> OSErr {
                              r.inRect = Rect{};
                              r.outRect = Rect{};
                              r.maskRect = Rect{0, 0, 2, 2};  // no selection: no mask data
                              if (OSErr e = r.advanceState()) return e;
                              const void* in = r.inData;
                              const void* mask = r.maskData;
                              EXPECT_EQ(in, nullptr);
                              EXPECT_EQ(mask, nullptr);
                              EXPECT_EQ(r.inRowBytes, 0);
                              return noErr;
                          }),
              noErr);
}

TEST(MemoryHostTest, HandlesAreMasterPointersWithCountedLocks) {
    MemoryHost host;
    host.SetImage(Gradient(2, 2, 3));
    EXPECT_EQ(DuringStart(host,
                          [&](FilterRecord& r) -> OSErr {
                              Handle h = r.handleProcs->newProc(10);
                              Ptr p = r.handleProcs->lockProc(h, true);
                              EXPECT_EQ(p, *h);
                              EXPECT_EQ(r.handleProcs->setSizeProc(h, 20), memFullErr)
                                  << "locked blocks stay put";
                              r.handleProcs->unlockProc(h);
                              r.handleProcs->unlockProc(h);
                              EXPECT_EQ(r.handleProcs->setSizeProc(h, 20), noErr);
                              EXPECT_EQ(r.handleProcs->getSizeProc(h), 20);
                              r.handleProcs->disposeProc(h);
                              return noErr;
                          }),
              noErr);
    EXPECT_EQ(host.Locks(), 1);
    EXPECT_EQ(host.Unlocks(), 1);
    EXPECT_EQ(host.UnbalancedUnlocks(), 1);
    EXPECT_EQ(host.LiveHandles(), 0);
}

}  // namespace
