#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

#include "OrvLib/ORVUTIL/OrvApp.h"

namespace {

class RecordingApp : public OrvApp {
public:
    void* GetResourceInstance() override { return this; }
    void ReportError(int code, int detail) override { reports.emplace_back(code, detail); }
    std::vector<std::pair<int, int>> reports;
};

TEST(OrvAppRegistry, BucketAddsTheBytesDoublingFromTheLeastSignificant) {
    EXPECT_EQ(OrvAppRegistry::BucketOf(1), 8u);   // h runs 1, 2, 4, 8
    EXPECT_EQ(OrvAppRegistry::BucketOf(12), 8u);  // 12, 24, 48, 96
    // 0x01020304: 4, 11, 24, 49 -> 49 mod 11
    EXPECT_EQ(OrvAppRegistry::BucketOf(0x01020304), 5u);
    // 255 * 15 = 3825 = 11 * 347 + 8; unsigned arithmetic, no sign trouble
    EXPECT_EQ(OrvAppRegistry::BucketOf(0xFFFFFFFF), 8u);
    EXPECT_EQ(OrvAppRegistry::BucketOf(0), 0u);
}

TEST(OrvAppRegistry, EntriesSharingABucketStayApart) {
    OrvAppRegistry registry;
    RecordingApp a, b, c;
    registry.Register(1, &a);
    registry.Register(12, &b);
    registry.Register(0xFFFFFFFF, &c);
    EXPECT_EQ(registry.BucketLength(8), 3);
    EXPECT_EQ(registry.Count(), 3);
    EXPECT_EQ(registry.Lookup(1), &a);
    EXPECT_EQ(registry.Lookup(12), &b);
    EXPECT_EQ(registry.Lookup(0xFFFFFFFF), &c);
    EXPECT_EQ(registry.Lookup(23), nullptr);  // bucket 1, empty

    // Unlinking from the middle, the head and the tail of the list.
    registry.Unregister(12);
    EXPECT_EQ(registry.Lookup(12), nullptr);
    EXPECT_EQ(registry.Lookup(1), &a);
    EXPECT_EQ(registry.Lookup(0xFFFFFFFF), &c);
    registry.Unregister(0xFFFFFFFF);
    registry.Unregister(0xFFFFFFFF);  // absent: nothing happens
    EXPECT_EQ(registry.Count(), 1);
    registry.Unregister(1);
    EXPECT_EQ(registry.Count(), 0);
    EXPECT_EQ(registry.BucketLength(8), 0);
}

TEST(OrvAppRegistry, RegisteringAgainReplacesTheObject) {
    OrvAppRegistry registry;
    RecordingApp first, second;
    registry.Register(7, &first);
    registry.Register(7, &second);
    EXPECT_EQ(registry.Count(), 1);
    EXPECT_EQ(registry.Lookup(7), &second);
}

TEST(OrvApp, RegistrationBelongsToTheCallingThread) {
    RecordingApp app;
    EXPECT_EQ(GetOrvAPP(), nullptr);
    app.Register();
    EXPECT_EQ(GetOrvAPP(), &app);
    EXPECT_EQ(OrvResourceInstance(), &app);

    OrvApp* seenElsewhere = &app;
    std::thread other([&] { seenElsewhere = GetOrvAPP(); });
    other.join();
    EXPECT_EQ(seenElsewhere, nullptr);

    OrvReportError(kOrvErrorGraphics, kOrvDetailSection);
    ASSERT_EQ(app.reports.size(), 1u);
    EXPECT_EQ(app.reports[0], std::make_pair(103, 9));

    // Unregister removes the thread's entry whichever object asks.
    RecordingApp stranger;
    stranger.Unregister();
    EXPECT_EQ(GetOrvAPP(), nullptr);
    OrvReportError(kOrvErrorGraphics, kOrvDetailDeviceContext);
    EXPECT_EQ(app.reports.size(), 1u);
    EXPECT_EQ(OrvResourceInstance(), nullptr);
}

TEST(OrvApp, ThreadsGetDistinctIds) {
    uint32_t here = OrvCurrentThreadId();
    uint32_t there = here;
    std::thread other([&] { there = OrvCurrentThreadId(); });
    other.join();
    EXPECT_NE(here, there);
    EXPECT_EQ(OrvCurrentThreadId(), here);
}

}  // namespace
