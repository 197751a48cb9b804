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
    OrvPSPreviewLocatorPopup(OrvPSFilter* initialFilter, OrvPSPreviewLocatorButton* initialButton)
        : filter(initialFilter), button(initialButton) {}

    // Shows the pop-up centred on a screen point, takes the mouse and puts the pointer on the
    // frame's centre. False when the window cannot be made.
    bool Open(POINT screenPoint);
    // The frame in image and in client coordinates.
    const OrvRect& Frame() const { return frame; }
    const OrvRect& FrameInClient() const { return frameClient; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Track(POINT client);
    void Finish(POINT client);
    void Paint(HDC dc);
    OrvRect Client() const;

    OrvPSFilter* filter;
    OrvPSPreviewLocatorButton* button;
    OrvRect frame;
    OrvRect frameClient;
    OffscreenBuffer buffer;
    bool finishing = false;
};

class OrvPSPreviewLocatorButton : public OrvBitmapButton2 {
public:
    explicit OrvPSPreviewLocatorButton(OrvPSFilter* initialFilter)
        : filter(initialFilter), popup(initialFilter, this) {}

    bool IsOpen() const { return popup.hWnd != nullptr; }
    const OrvPSPreviewLocatorPopup& Popup() const { return popup; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    OrvPSFilter* filter;
    OrvPSPreviewLocatorPopup popup;
};
