#include "OrvLib/controls/MouseTracker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Writes each request as a short word, so a sequence reads as the story of one gesture.
class Log : public MouseTrackerEvents {
public:
    std::vector<std::string> calls;
    void ButtonDown(MouseButton b, OrvPoint p) override { Add("down", b, p); }
    void Click(MouseButton b, OrvPoint p) override { Add("click", b, p); }
    void DragBegin(MouseButton b, OrvPoint p) override { Add("begin", b, p); }
    void DragMove(MouseButton b, OrvPoint p) override { Add("move", b, p); }
    void DragEnd(MouseButton b, OrvPoint p) override { Add("end", b, p); }
    void DragCancel(MouseButton b) override { calls.push_back("cancel" + std::to_string(int(b))); }
    void PressCancel(MouseButton b) override { calls.push_back("lost" + std::to_string(int(b))); }
    void TakeCapture() override { calls.push_back("capture"); }
    void LetGoCapture() override { calls.push_back("release"); }
    void StartAutoScroll() override { calls.push_back("scroll"); }
    void StopAutoScroll() override { calls.push_back("stop"); }

private:
    void Add(const char* what, MouseButton b, OrvPoint p) {
        calls.push_back(std::string(what) + std::to_string(int(b)) + "@" + std::to_string(p.x) + "," +
                        std::to_string(p.y));
    }
};

using Calls = std::vector<std::string>;
constexpr int kDragW = 4, kDragH = 4;

TEST(MouseTracker, MovingExactlyTheDragDistanceIsStillAClick) {
    Log log;
    MouseTracker t(log);
    t.ButtonDown(MouseButton::Left, {10, 10});
    t.Move({14, 6}, kDragW, kDragH);
    t.Move({6, 14}, kDragW, kDragH);
    t.ButtonUp(MouseButton::Left, {14, 14});
    EXPECT_EQ(log.calls, (Calls{"capture", "down1@10,10", "release", "click1@14,14"}));
    EXPECT_EQ(t.Tracked(), MouseButton::None);
    EXPECT_EQ(t.CaptureCount(), 0);
}

TEST(MouseTracker, OnePixelMoreIsADragThatNeverClicks) {
    for (OrvPoint beyond : {OrvPoint{15, 10}, OrvPoint{10, 5}}) {
        Log log;
        MouseTracker t(log);
        t.ButtonDown(MouseButton::Right, {10, 10});
        t.Move(beyond, kDragW, kDragH);
        t.Move({30, 30}, kDragW, kDragH);
        // Back inside the threshold the drag goes on.
        t.Move({10, 10}, kDragW, kDragH);
        t.ButtonUp(MouseButton::Right, {11, 10});
        const std::string at = std::to_string(beyond.x) + "," + std::to_string(beyond.y);
        EXPECT_EQ(log.calls, (Calls{"capture", "down3@10,10", "begin3@10,10", "scroll", "move3@" + at,
                                    "move3@30,30", "move3@10,10", "release", "stop", "end3@11,10"}));
        EXPECT_FALSE(t.Dragging());
    }
}

TEST(MouseTracker, SecondButtonWhileOneIsTrackedChangesNothing) {
    Log log;
    MouseTracker t(log);
    t.ButtonDown(MouseButton::Left, {0, 0});
    t.ButtonDown(MouseButton::Right, {1, 1});
    t.ButtonUp(MouseButton::Right, {1, 1});
    EXPECT_EQ(t.Tracked(), MouseButton::Left);
    EXPECT_EQ(t.CaptureCount(), 1);
    t.ButtonUp(MouseButton::Left, {0, 0});
    EXPECT_EQ(log.calls, (Calls{"capture", "down1@0,0", "release", "click1@0,0"}));
}

TEST(MouseTracker, EscapeCancelsADragAndTheFollowingReleaseDoesNothing) {
    Log log;
    MouseTracker t(log);
    t.ButtonDown(MouseButton::Middle, {0, 0});
    t.Escape();  // not yet a drag: the press goes on
    t.Move({9, 0}, kDragW, kDragH);
    t.Escape();
    t.ButtonUp(MouseButton::Middle, {9, 0});
    t.Move({20, 0}, kDragW, kDragH);
    EXPECT_EQ(log.calls, (Calls{"capture", "down2@0,0", "begin2@0,0", "scroll", "move2@9,0", "stop",
                                "cancel2", "release"}));
    EXPECT_EQ(t.CaptureCount(), 0);
}

TEST(MouseTracker, CaptureLossCancelsADragOrEndsAPressWithoutReleasingAgain) {
    Log dragLog;
    MouseTracker drag(dragLog);
    drag.ButtonDown(MouseButton::Left, {0, 0});
    drag.AcquireCapture();  // a subclass's own capture only counts
    EXPECT_EQ(drag.CaptureCount(), 2);
    drag.Move({0, 8}, kDragW, kDragH);
    drag.CaptureLost();
    drag.ButtonUp(MouseButton::Left, {0, 8});
    EXPECT_EQ(dragLog.calls,
              (Calls{"capture", "down1@0,0", "begin1@0,0", "scroll", "move1@0,8", "stop", "cancel1"}));
    EXPECT_EQ(drag.CaptureCount(), 0);

    Log pressLog;
    MouseTracker press(pressLog);
    press.ButtonDown(MouseButton::Left, {0, 0});
    press.CaptureLost();
    press.ButtonUp(MouseButton::Left, {0, 0});
    EXPECT_EQ(pressLog.calls, (Calls{"capture", "down1@0,0", "lost1"}));
    EXPECT_EQ(press.Tracked(), MouseButton::None);
}

TEST(MouseTracker, CaptureIsLetGoOnlyWhenTheCountReturnsToZero) {
    Log log;
    MouseTracker t(log);
    t.AcquireCapture();
    t.AcquireCapture();
    t.ReleaseCapture();
    EXPECT_EQ(log.calls, (Calls{"capture"}));
    t.ReleaseCapture();
    t.ReleaseCapture();  // one too many is ignored
    EXPECT_EQ(log.calls, (Calls{"capture", "release"}));
    EXPECT_EQ(t.CaptureCount(), 0);
}

}  // namespace
