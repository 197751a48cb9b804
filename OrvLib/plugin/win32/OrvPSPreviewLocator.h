// The preview locator: a button that, while the left mouse button is held on it, shows a
// pop-up with a picture of the whole filter area (the filter's locator image) and an
// inverted frame for the previewed part. The frame follows the pointer, held inside the
// picture; letting go makes that part the view and sends the button's parent WM_COMMAND
// with the button's id and the pop-up as sender. A pop-up that loses the mouse closes
// without changing the view.
#pragma once

#include <windows.h>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/win32/OffscreenBuffer.h"
#include "OrvLib/controls/win32/OrvCustomButton.h"
#include "OrvLib/framework/CWnd.h"

class OrvPSFilter;
class OrvPSPreviewLocatorButton;

class OrvPSPreviewLocatorPopup : public CWnd {
public:
    OrvPSPreviewLocatorPopup(OrvPSFilter* filter, OrvPSPreviewLocatorButton* button)
        : filter_(filter), button_(button) {}

    // Shows the pop-up centred on a screen point, takes the mouse and puts the pointer on the
    // frame's centre. False when the window cannot be made.
    bool Open(POINT screenPoint);
    // The frame in image and in client coordinates.
    const OrvRect& Frame() const { return frame_; }
    const OrvRect& FrameInClient() const { return frameClient_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Track(POINT client);
    void Finish(POINT client);
    void Paint(HDC dc);
    OrvRect Client() const;

    OrvPSFilter* filter_;
    OrvPSPreviewLocatorButton* button_;
    OrvRect frame_;
    OrvRect frameClient_;
    OffscreenBuffer buffer_;
    bool finishing_ = false;
};

class OrvPSPreviewLocatorButton : public OrvBitmapButton2 {
public:
    explicit OrvPSPreviewLocatorButton(OrvPSFilter* filter) : filter_(filter), popup_(filter, this) {}

    bool IsOpen() const { return popup_.m_hWnd != nullptr; }
    const OrvPSPreviewLocatorPopup& Popup() const { return popup_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    OrvPSFilter* filter_;
    OrvPSPreviewLocatorPopup popup_;
};
