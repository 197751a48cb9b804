// The horizontal slider of the skinned pages: a trackbar of a template taken over whole
// (painting, mouse, keys, wheel and the trackbar's position and range messages), with the
// rules of SliderModel.h. It reports to its parent with horizontal-scroll messages whose
// high word is the offset from the minimum.
#pragma once

#include <windows.h>

#include <cstdint>

#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/controls/SliderModel.h"
#include "OrvLib/controls/win32/OffscreenBuffer.h"
#include "OrvLib/framework/StandardControls.h"

class OrvCustomSliderCtrl : public CSliderCtrl {
public:
    // Tick marks and the companion number box are not built: option bits are ignored.
    explicit OrvCustomSliderCtrl(uint32_t options = 0, uint32_t tickFlags = 0);

    void SetColourScheme(const ColourScheme* scheme);
    const SliderModel& Model() const { return model; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Draw(HDC dc);

private:
    void Send(const SliderModel::Codes& codes);
    void AfterInput(const SliderModel::Codes& codes, bool now);

    static constexpr UINT_PTR kPageTimer = 1;
    SliderModel model;
    const ColourScheme* scheme;
    OffscreenBuffer buffer;
    bool timer = false;
};
