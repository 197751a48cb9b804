// The final pass's fast path: copies binned by tile and painted by several threads must
// give exactly the bytes of drawing every copy in list order on one thread.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "product/engine/CopyPainter.h"
#include "product/engine/EffectDerived.h"
#include "product/engine/ObjectSet.h"
#include "product/engine/PlacementList.h"

namespace {

std::unique_ptr<OrvImage2> Spot(int w, int h, uint32_t seed) {
    auto image = std::make_unique<OrvImage2>();
    image->Create(w, h, 32, nullptr);
    image->SetHasAlpha(true);
    std::mt19937 random(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = image->RowAddress(y) + x * 4;
            for (int k = 0; k < 4; ++k) p[k] = uint8_t(random());
            if (x == 0 || y == h - 1) p[3] = 0;
        }
    return image;
}

TEST(PlacementBinsTest, EachTileListsExactlyTheCopiesOverItInListOrder) {
    std::vector<Placement> list(5);
    list[0].bounds = OrvRect{-50, -50, 500, 500};  // everything
    list[1].bounds = OrvRect{99, 99, 101, 101};    // the corner of four tiles
    list[2].bounds = OrvRect{100, 0, 200, 100};    // exactly one tile, edges touching others
    list[3].bounds = OrvRect{290, 190, 400, 400};  // only the cut last tile
    list[4].bounds = OrvRect{0, 300, 50, 400};     // below the grid
    PlacementBins bins;
    const OrvRect grid{0, 0, 300, 200};
    bins.Build(list, grid, 100);
    for (int32_t top = 0; top < 200; top += 100)
        for (int32_t left = 0; left < 300; left += 100) {
            const OrvRect tile{left, top, std::min(left + 100, 300), top + 100};
            PlacementSpan span;
            ASSERT_TRUE(bins.Find(tile, &span));
            std::vector<uint32_t> expected;
            for (uint32_t i = 0; i < list.size(); ++i) {
                const OrvRect& b = list[i].bounds;
                if (b.left < tile.right && tile.left < b.right && b.top < tile.bottom && tile.top < b.bottom)
                    expected.push_back(i);
            }
            EXPECT_EQ(std::vector<uint32_t>(span.indices, span.indices + span.count), expected)
                << left << "," << top;
        }
    PlacementSpan span;
    EXPECT_FALSE(bins.Find(OrvRect{0, 0, 300, 200}, &span)) << "not one tile";
    EXPECT_FALSE(bins.Find(OrvRect{50, 0, 150, 100}, &span)) << "off the grid";
    EXPECT_FALSE(bins.Find(OrvRect{200, 200, 300, 300}, &span)) << "below the grid";
    EXPECT_FALSE(bins.Find(OrvRect{200, 100, 300, 150}, &span)) << "part of a tile";
    EXPECT_FALSE(bins.Find(OrvRect{300, 0, 400, 100}, &span)) << "right of the grid";
    bins.Clear();
    EXPECT_FALSE(bins.Find(OrvRect{0, 0, 100, 100}, &span));
}

TEST(WorkerPoolTest, EveryJobRunsOnceWhateverThePoolSize) {
    for (int32_t threads : {1, 2, 5}) {
        WorkerPool pool(threads);
        EXPECT_EQ(pool.Threads(), threads);
        for (int32_t jobs : {0, 1, 3, 64}) {
            std::vector<std::atomic<int>> runs(size_t(jobs) + 1);
            pool.Run(jobs, [&](int32_t i) { ++runs[size_t(i)]; });
            for (int32_t i = 0; i < jobs; ++i) EXPECT_EQ(runs[size_t(i)], 1) << threads << " " << jobs;
            EXPECT_EQ(runs[size_t(jobs)], 0);
        }
    }
    EXPECT_EQ(WorkerPool(40).Threads(), WorkerPool::kMostThreads);
}

TEST(WorkerPoolTest, ThreadCountFromTheSettingOrTheCores) {
    EXPECT_EQ(WorkerThreadCount("1", 4), 1);
    EXPECT_EQ(WorkerThreadCount("8", 2), 8);
    EXPECT_EQ(WorkerThreadCount("", 4), 4);
    EXPECT_EQ(WorkerThreadCount("", 0), 1) << "cores unknown";
    EXPECT_EQ(WorkerThreadCount("", 64), 8);
    for (const char* bad : {"0", "9", "-2", "3x", " 3", "100000000000"})
        EXPECT_EQ(WorkerThreadCount(bad, 3), 3) << bad;
}

// Random copies over a 300 x 260 image drawn per 128-pixel tile, as the final pass does.
std::vector<uint8_t> PaintTiles(const std::vector<Placement>& list,
                                const std::vector<std::unique_ptr<OrvImage2>>& objects, int32_t bytes,
                                bool masked, bool texture, int32_t threads) {
    const int32_t W = 300, H = 260, T = 128;
    std::vector<uint8_t> image(size_t(W) * H * bytes), mask(size_t(W) * H);
    for (size_t i = 0; i < image.size(); ++i) image[i] = uint8_t(i * 13 / 5);
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = uint8_t(i * 7 % 256);
    PlacementBins bins;
    bins.Build(list, OrvRect{0, 0, W, H}, T);
    std::unique_ptr<WorkerPool> pool = threads > 0 ? std::make_unique<WorkerPool>(threads) : nullptr;
    CopyPainter painter;
    const DrawSettings settings{texture, false, 60};
    const int32_t kind = bytes == 4 ? pixelKindHostRGBA : pixelKindHostRGB;
    for (int32_t top = 0; top < H; top += T)
        for (int32_t left = 0; left < W; left += T) {
            const OrvRect area{left, top, std::min(left + T, W), std::min(top + T, H)};
            const PixelBuffer out{&image[(size_t(top) * W + left) * bytes],
                                  area.Width(),
                                  area.Height(),
                                  bytes,
                                  W * bytes,
                                  kind};
            const PixelBuffer maskView{
                &mask[size_t(top) * W + left], area.Width(), area.Height(), 1, W, pixelKindMask};
            const PixelBuffer* m = masked ? &maskView : nullptr;
            if (threads == 0) {
                for (const Placement& p : list)
                    DrawPlacement(out, m, area, p, *objects[size_t(p.objectIndex)], settings);
            } else {
                PlacementSpan span;
                EXPECT_TRUE(bins.Find(area, &span));
                painter.Paint(out, m, area, list, span, objects, settings, pool.get());
            }
        }
    return image;
}

TEST(CopyPainterTest, AnyNumberOfThreadsGivesTheBytesOfOneCopyAfterAnother) {
    ObjectChoice choice;
    choice.widths = {21, 9};
    choice.heights = {13, 40};
    choice.cumulativeWeights = {2, 3};
    choice.meanWidth = 17, choice.meanHeight = 22;
    for (int variant = 0; variant < 4; ++variant) {
        EffectParameters p;
        std::memset(&p, 0, sizeof p);
        ResetEffectParameters(p);
        p.density = 120;
        p.randomSeed = 17 + variant;
        p.randomRotation = 180;
        p.randomScale = 3.0;
        p.opacity = 200;
        p = SanitizedEffectParameters(p);
        const std::vector<Placement> list =
            BuildPlacements(p, choice, OrvRect{0, 0, 300, 260}, true, [](const OrvRect&) { return true; });
        ASSERT_GT(list.size(), 100u);
        const int32_t bytes = variant % 2 ? 4 : 3;
        const bool masked = variant >= 2, texture = variant == 3;
        std::vector<std::unique_ptr<OrvImage2>> drawn;
        drawn.push_back(Spot(21, 13, 1));
        drawn.push_back(Spot(9, 40, 2));
        if (texture)
            for (const auto& o : drawn) ToTextureMap(*o);
        const std::vector<uint8_t> reference = PaintTiles(list, drawn, bytes, masked, texture, 0);
        for (int32_t threads : {1, 3})
            EXPECT_EQ(PaintTiles(list, drawn, bytes, masked, texture, threads), reference)
                << "variant " << variant << ", " << threads << " threads";
    }
}

}  // namespace
