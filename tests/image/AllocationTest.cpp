// Allocation failure at every allocation of an operation: the platform's memory exception
// comes out, the image keeps its block and pixels, and nothing is left allocated.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <new>
#include <vector>

#include "ImageTestSupport.h"
#include "OrvLib/ORVUTIL/OrvApp.h"
#include "OrvLib/image/OrvImage2.h"

namespace {

std::atomic<long> failAfter{-1};  // allocations left before one fails; -1: never
std::atomic<long> live{0};

void* Allocate(std::size_t n) {
    if (failAfter.load() >= 0 && failAfter.fetch_sub(1) == 0) throw std::bad_alloc();
    void* p = std::malloc(n != 0 ? n : 1);
    if (p == nullptr) throw std::bad_alloc();
    ++live;
    return p;
}

void Free(void* p) noexcept {
    if (p == nullptr) return;
    --live;
    std::free(p);
}

}  // namespace

void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    try {
        return Allocate(n);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t n, const std::nothrow_t& tag) noexcept { return operator new(n, tag); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }

namespace {

// Runs op with the n-th allocation failing, for n = 0, 1, ... until op needs no more.
// Returns how many allocations op made.
int FailEachAllocation(OrvImage2& image, const std::function<void()>& op) {
    for (int n = 0;; ++n) {
        const std::vector<uint32_t> pixels = ImageTest::Pixels(image, true);
        OrvBitmapInfo* const block = image.Info();
        const long before = live.load();
        bool threw = false;
        failAfter = n;
        try {
            op();
        } catch (const std::bad_alloc&) {
            threw = true;
        }
        failAfter = -1;
        if (!threw) return n;
        EXPECT_EQ(live.load(), before) << "allocation " << n;
        EXPECT_EQ(image.Info(), block) << "allocation " << n;
        EXPECT_EQ(ImageTest::Pixels(image, true), pixels) << "allocation " << n;
        if (::testing::Test::HasFailure()) return n;
    }
}

void MakePicture(OrvImage2& image) {
    image.Create(7, 5, 8, nullptr);
    for (int i = 0; i < 35; ++i) ImageTest::Put(image, i % 7, i / 7, unsigned(i * 7));
    for (int i = 0; i < 256; ++i) image.Info()->bmiColors[i] = OrvRgbQuad{uint8_t(i), uint8_t(255 - i), 7, 0};
    image.SetTransparent(OrvPaletteIndex(3));
}

TEST(AllocationFailure, ConversionsLeaveTheImageAsItWas) {
    OrvImage2 image;
    MakePicture(image);
    EXPECT_GE(FailEachAllocation(image, [&] { image.ConvertDepth(32); }), 2);
    MakePicture(image);
    // A derived palette, its inverse map, the bitmap and the colour row.
    EXPECT_GE(FailEachAllocation(image, [&] { image.Resample(9, 3, 8); }), 4);
    MakePicture(image);
    EXPECT_GE(FailEachAllocation(image, [&] { image.FlattenOnChecker(24, 2, 0, kOrvWhite); }), 2);
    MakePicture(image);
    EXPECT_EQ(image.GetTransparent(), OrvPaletteIndex(3));

    ASSERT_TRUE(image.Resample(7, 5, 24));  // bottom-up now
    EXPECT_GE(FailEachAllocation(image, [&] { image.MakeTopDown(); }), 1);
    EXPECT_TRUE(image.IsTopDown());
}

TEST(AllocationFailure, RegistryKeepsItsEntriesWhenAnEntryCannotBeMade) {
    OrvAppRegistry registry;
    failAfter = 0;
    EXPECT_THROW(registry.Register(5, nullptr), std::bad_alloc);
    failAfter = -1;
    EXPECT_EQ(registry.Count(), 0);
}

}  // namespace
