// Selector routing and the turning of failures into host result codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OrvLib/plugin/OrvPSFailure.h"
#include "OrvLib/plugin/OrvPSFilter.h"
#include "host/MemoryHost.h"
#include "tests/plugin/PluginEntry.h"

namespace {

// A filter that records which handler ran and can be told to fail.
class RecordingFilter : public OrvPSFilter {
public:
    std::vector<std::string> calls;
    enum class Fail { None, Text, Code, Other } fail = Fail::None;
    std::string message = "it failed";

    void OnAbout() override { Handle("About"); }
    void OnParameters() override {
        OrvPSFilter::OnParameters();
        Handle("Parameters");
    }
    void OnPrepare() override {
        OrvPSFilter::OnPrepare();
        Handle("Prepare");
    }
    void OnStart() override { Handle("Start"); }
    void OnContinue() override {
        OrvPSFilter::OnContinue();
        Handle("Continue");
    }
    void OnFinish() override { Handle("Finish"); }

private:
    void Handle(const char* name) {
        calls.push_back(name);
        switch (fail) {
            case Fail::Text:
                throw OrvTextFailure(message);
            case Fail::Code:
                throw OrvHostError(-1234);
            case Fail::Other:
                throw 42;
            case Fail::None:
                break;
        }
    }
};

RecordingFilter* current = nullptr;
void PSCALL RecordingEntry(int16 selector, void* record, intptr_t* data, int16* result) {
    current->Dispatch(selector, record, data, result);
}

struct DispatchTest : ::testing::Test {
    RecordingFilter filter;
    VarnHost::MemoryHost host;
    void SetUp() override {
        current = &filter;
        host.SetImage(VarnHost::HostImage(8, 8, 3));
    }
};

TEST_F(DispatchTest, EachSelectorReachesItsHandlerAndOthersNothing) {
    const char* expected[] = {"About", "Parameters", "Prepare", "Start", "Continue", "Finish"};
    for (int16 s = 0; s <= 5; ++s) {
        filter.calls.clear();
        EXPECT_EQ(host.Call(&RecordingEntry, s), noErr);
        ASSERT_EQ(filter.calls.size(), 1u);
        EXPECT_EQ(filter.calls[0], expected[s]);
    }
    for (int16 s : {int16(6), int16(-1), int16(32767)}) {
        filter.calls.clear();
        filter.fail = RecordingFilter::Fail::Code;
        EXPECT_EQ(host.Call(&RecordingEntry, s), noErr) << "selector " << s;
        EXPECT_TRUE(filter.calls.empty());
    }
}

TEST_F(DispatchTest, FailureKindsBecomeResultCodes) {
    filter.fail = RecordingFilter::Fail::Text;
    EXPECT_EQ(host.Call(&RecordingEntry, filterSelectorStart), errReportString);
    EXPECT_EQ(host.ErrorMessage(), "it failed");

    filter.fail = RecordingFilter::Fail::Code;
    EXPECT_EQ(host.Call(&RecordingEntry, filterSelectorStart), -1234);

    filter.fail = RecordingFilter::Fail::Other;
    EXPECT_EQ(host.Call(&RecordingEntry, filterSelectorStart), -1);
}

TEST_F(DispatchTest, SuccessOverwritesWhateverTheHostPreset) {
    host.Faults().resultPreset = 77;
    EXPECT_EQ(host.About(&PluginMain), noErr);
    const int16 selectors[] = {filterSelectorParameters, filterSelectorPrepare, filterSelectorStart,
                               filterSelectorContinue,   filterSelectorFinish,  6};
    for (int16 s : selectors) {
        EXPECT_EQ(host.Call(&PluginMain, s), noErr) << "selector " << s;
    }
    filter.fail = RecordingFilter::Fail::Code;
    EXPECT_EQ(host.Call(&RecordingEntry, filterSelectorStart), -1234);
}

TEST_F(DispatchTest, TextFailureWithoutErrorStringStillReportsTheCode) {
    filter.fail = RecordingFilter::Fail::Text;
    host.Record().errorString = nullptr;
    EXPECT_EQ(host.Call(&RecordingEntry, filterSelectorStart), errReportString);
}

TEST_F(DispatchTest, LongMessageIsCutTo255Characters) {
    filter.fail = RecordingFilter::Fail::Text;
    filter.message = std::string(300, 'x');
    EXPECT_EQ(host.Call(&RecordingEntry, filterSelectorStart), errReportString);
    EXPECT_EQ(host.ErrorMessage(), std::string(255, 'x'));
}

TEST_F(DispatchTest, ContinueAsksForNothingMore) {
    FilterRecord& r = host.Record();
    r.inRect = Rect{1, 2, 3, 4};
    r.outRect = Rect{1, 2, 3, 4};
    r.maskRect = Rect{1, 2, 3, 4};
    EXPECT_EQ(host.Call(&RecordingEntry, filterSelectorContinue), noErr);
    for (const Rect* rect : {&r.inRect, &r.outRect, &r.maskRect}) {
        EXPECT_EQ(rect->top | rect->left | rect->bottom | rect->right, 0);
    }
}

TEST_F(DispatchTest, PrepareRecordsTheFilterRectangle) {
    host.SetFilterRect(2, 3, 7, 8);
    EXPECT_EQ(host.Call(&RecordingEntry, filterSelectorPrepare), noErr);
    EXPECT_EQ(filter.GetFilterRect(), (OrvRect{3, 2, 8, 7}));
}

TEST_F(DispatchTest, BaseFilterWithoutParametersAllocatesNothing) {
    EXPECT_EQ(host.Run(&RecordingEntry), noErr);
    EXPECT_EQ(host.Parameters(), nullptr);
    EXPECT_EQ(host.NewCalls(), 0);
    EXPECT_EQ(host.Locks(), 0);
}

TEST_F(DispatchTest, AlphaModeFollowsThePlaneCount) {
    host.SetImage(VarnHost::HostImage(4, 4, 4));
    struct AlphaFilter : OrvPSFilter {
        bool seen = false;
        void OnStart() override {
            SetAlphaMode(true);
            seen = processAlpha;
        }
    } alpha;
    static AlphaFilter* a;
    a = &alpha;
    auto entry = [](int16 s, void* r, intptr_t* d, int16* res) { a->Dispatch(s, r, d, res); };
    host.Call(entry, filterSelectorStart);
    EXPECT_TRUE(alpha.seen);
    host.SetImage(VarnHost::HostImage(4, 4, 3));
    host.Call(entry, filterSelectorStart);
    EXPECT_FALSE(alpha.seen);
}

TEST_F(DispatchTest, RunServicesReachTheHost) {
    struct ServiceFilter : OrvPSFilter {
        OSErr advanceResult = noErr;
        void OnStart() override {
            UpdateProgress(3, 7);
            filterRecord->inRect = Rect{0, 0, 1, 1};
            filterRecord->inHiPlane = 2;
            CheckAdvanceState();
            CheckAbort();
        }
    } services;
    static ServiceFilter* s;
    s = &services;
    auto entry = [](int16 sel, void* r, intptr_t* d, int16* res) { s->Dispatch(sel, r, d, res); };
    EXPECT_EQ(host.Call(entry, filterSelectorStart), noErr);
    ASSERT_EQ(host.Progress().size(), 1u);
    EXPECT_EQ(host.Progress()[0], std::make_pair(3, 7));

    host.Faults().abortAtCall = 2;
    EXPECT_EQ(host.Call(entry, filterSelectorStart), userCanceledErr);

    host.Faults().errorAtAdvance = 3;
    host.Faults().advanceError = -4321;
    EXPECT_EQ(host.Call(entry, filterSelectorStart), -4321);

    // A host without these callbacks: no abort, no progress, and no advance possible.
    host.Record().abortProc = nullptr;
    host.Record().progressProc = nullptr;
    host.Record().advanceState = nullptr;
    EXPECT_EQ(host.Call(entry, filterSelectorStart), errPlugInHostInsufficient);
}

}  // namespace
