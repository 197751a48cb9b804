// The horizontal slider of the skinned pages: a trackbar of a template taken over whole
// (painting, mouse, keys, wheel and the trackbar's position and range messages), with the
// rules of SliderModel.h. It reports to its parent with horizontal-scroll messages whose
// high word is the offset from the minimum.
//
// Built with the option bits of SliderTicks.h it carries tick marks (on every value, or
// added one by one) and a companion number box (id 1234) on the side the bits name,
// 5 pixels away; the slider gives up that room when it takes over its window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/controls/SliderModel.h"
#include "OrvLib/controls/SliderTicks.h"
#include "OrvLib/controls/SliderValueText.h"
#include "OrvLib/controls/win32/MouseRoute.h"
#include "OrvLib/controls/win32/SchemedSurface.h"
#include "OrvLib/controls/win32/OrvCustomEditBox.h"
#include "OrvLib/framework/Accessible.h"
#include "OrvLib/framework/StandardControls.h"

class OrvCustomSliderCtrl;

// The slider's number box: an integer box over the slider's range, whose commands the
// slider reads (a typed value or an arrow step moves the slider). With the slider's value
// text it shows and reads the user's units instead, the arrows step the slider, and losing
// the focus shows the value the slider took.
class OrvCustomSliderEditBox : public OrvCustomIntegerEditBox {
public:
    explicit OrvCustomSliderEditBox(OrvCustomSliderCtrl& owner);
    void SpinStep(int delta) override;
    bool AcceptsPaste(const std::string& pasted, const std::string& result) const override;

protected:
    void OnFocusLost() override;

private:
    OrvCustomSliderCtrl& slider;
};

class OrvCustomSliderCtrl : public CSliderCtrl,
                            public OrvAccessible,
                            private OrvEditBoxListener,
                            private MouseTrackerEvents {
    friend class OrvCustomSliderEditBox;

public:
    static constexpr UINT kBoxId = 1235;  // beside the dial's 1234 on one page

    // Options: SliderOption bits; tickFlags: the TickFlag bits of the automatic ticks.
    explicit OrvCustomSliderCtrl(uint32_t options = 0, uint32_t tickFlags = 0);
    ~OrvCustomSliderCtrl() override;

    void SetColourScheme(const ColourScheme* scheme);
    const SliderModel& Model() const { return model; }

    // A tick at a value of the range (kept as its offset from the minimum).
    int AddTick(int value, uint32_t flags, int length = 0, const std::string& label = std::string());
    void ClearTicks();
    const SliderTicks& Ticks() const { return ticks; }
    // The placed tick held down by a press, or -1.
    int PressedTick() const { return pressedTick; }
    OrvCustomSliderEditBox* NumberBox() const { return box.get(); }
    // The number box's units (not owned; null for the plain position). Set before the
    // slider takes over its window, the box is made wide enough for units (44 dialog units
    // instead of 30).
    void SetValueText(const SliderValueText* text);
    // The room between the slider and its box, in horizontal dialog units (5 pixels unless
    // set), for a picture that stands between them; set before the slider takes over.
    void SetBoxGap(int dialogUnits) { boxGapUnits = dialogUnits; }
    // The position as the number box shows it.
    std::string ValueText() const;
    std::string AccessibleValue() const override { return ValueText(); }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC dc);

private:
    void Layout();
    void PlaceTicks();
    void RefreshBox();
    void OnEditBoxCommand(UINT code) override;
    void MoveTo(int position);
    void Send(const SliderModel::Codes& codes);
    void AfterInput(const SliderModel::Codes& codes, bool now);
    void ReleaseTick();
    void ButtonDown(MouseButton, OrvPoint point) override;
    void DragMove(MouseButton, OrvPoint point) override;
    void Click(MouseButton, OrvPoint) override { EndPress(model.Release()); }
    void DragEnd(MouseButton, OrvPoint) override { EndPress(model.Release()); }
    void DragCancel(MouseButton) override { EndPress(model.Cancel()); }
    void PressCancel(MouseButton) override { EndPress(model.Release()); }
    void EndPress(const SliderModel::Codes& codes);

    static constexpr UINT_PTR kPageTimer = 1;
    SliderModel model;
    SliderTicks ticks;
    uint32_t options;
    int pressedTick = -1;
    bool laidOut = false;
    POINT boxOffset{};
    std::unique_ptr<OrvCustomSliderEditBox> box;
    const SliderValueText* valueText = nullptr;
    int boxGapUnits = 0;
    SchemedSurface surface;
    MouseRoute mouse{*this, MouseRoute::kDoubleClickPresses};
    bool timer = false;
};
