// The angle dial: takes over a static of a template, makes itself a square dial with a
// needle and places its number box (an integer box with arrows, id 1234) beside or below
// it. The arithmetic is AngleModel's; this class paints, routes input and reports.
//
// To the parent: every change as a command (style 4) or a notification with code 0; a
// press inside the dial 100, each move while tracking 101, the release 102.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "OrvLib/controls/AngleModel.h"
#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/controls/win32/MouseRoute.h"
#include "OrvLib/controls/win32/SchemedSurface.h"
#include "OrvLib/controls/win32/OrvCustomEditBox.h"
#include "OrvLib/framework/Accessible.h"
#include "OrvLib/framework/GdiHolders.h"
#include "OrvLib/framework/StandardControls.h"

class OrvAngleControl2 : public CStatic,
                         public OrvAccessible,
                         private OrvEditBoxListener,
                         private MouseTrackerEvents {
public:
    // A value control like a slider, in whole degrees.
    long AccessibleRole() const override { return ROLE_SYSTEM_SLIDER; }
    std::string AccessibleValue() const override { return std::to_string(GetAngle()); }

    static constexpr UINT kBoxId = 1234;
    static constexpr UINT kPressed = 100, kTracked = 101, kReleased = 102;

    OrvAngleControl2(uint32_t style, int mode, int minimum, int maximum);
    ~OrvAngleControl2() override;

    // Only before the layout, which runs when the window is taken over or created.
    void SetStyle(uint32_t style);
    void SetColourScheme(const ColourScheme* scheme);
    void SetAngle(int value, bool force);
    // The box's value: a control that reads its angle has a box.
    int GetAngle() const;
    void SetNeedleColour(COLORREF colour);
    void EnableNotifications(bool enable) { notify = enable; }
    OrvCustomIntegerEditBox* EditBox() const { return box.get(); }
    const AngleModel& Model() const { return model; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC dc);

private:
    void Layout();
    void Changed(bool now);
    void RefreshBox();
    void Report(UINT code);
    void OnEditBoxCommand(UINT code) override;
    void PaintRing(HDC dc, const RECT& dial);
    void ButtonDown(MouseButton, OrvPoint point) override;
    void DragMove(MouseButton, OrvPoint point) override;
    void Click(MouseButton, OrvPoint point) override { EndTracking(&point); }
    void DragEnd(MouseButton, OrvPoint point) override { EndTracking(&point); }
    void DragCancel(MouseButton) override;
    void PressCancel(MouseButton) override { EndTracking(nullptr); }
    // The needle ends at `point`, or where it is when null.
    void EndTracking(const OrvPoint* point);

    AngleModel model;
    uint32_t style;
    bool laidOut = false;
    bool notify = true;
    bool tracking = false;
    int64_t pressValue = 0;
    bool focused = false;
    bool customNeedle = false;
    COLORREF needle;
    POINT boxOffset{};  // the box's place from the dial's top-left
    OrvRegion hit;
    std::unique_ptr<OrvCustomIntegerEditBox> box;
    SchemedSurface surface;
    MouseRoute mouse{*this};
};
