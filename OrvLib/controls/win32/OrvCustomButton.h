// Push buttons and check boxes of a template drawn in the scheme's colours, with their
// mouse and Space handling taken over (the rules in ButtonModel.h), and the bitmap button
// that shows a scheme-coloured or embossed bitmap instead of text.
//
// The check state is kept here and answered for the button messages, so the system's
// button never paints: every look comes from DrawButton through the off-screen buffer.
#pragma once

#include <windows.h>

#include "OrvLib/controls/ButtonModel.h"
#include "OrvLib/controls/ButtonShapes.h"
#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/controls/win32/MouseRoute.h"
#include "OrvLib/controls/win32/SchemedSurface.h"
#include "OrvLib/controls/win32/SchemePainter.h"
#include "OrvLib/framework/GdiHolders.h"
#include "OrvLib/framework/StandardControls.h"

class OrvCustomButton : public CButton, private MouseTrackerEvents {
public:
    // Null means the default scheme.
    void SetColourScheme(const ColourScheme* scheme);
    const ColourScheme& Scheme() const { return surface.Scheme(); }

protected:
    virtual void DrawButton(HDC dc);
    virtual void DrawPushButton(HDC dc, const RECT& rect, UINT state, bool enabled, bool focused,
                                bool isDefault);
    virtual void DrawCheckBox(HDC dc, const RECT& rect, UINT state, bool enabled, bool focused);
    virtual void DrawRadioButton(HDC dc, const RECT& rect, UINT state, bool enabled, bool focused);
    // Paints only its frame and caption, straight to the window: the controls it holds show
    // through it.
    virtual void DrawGroupBox(HDC dc, const RECT& rect, UINT state, bool enabled, bool focused);
    virtual void OnSchemeChanged() { Invalidate(false); }
    // Turns automatic check boxes and radio buttons, then tells the parent.
    virtual void OnClick();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The window text in rect, aligned by the style; embossed when disabled. Returns the
    // rectangle the text took.
    RECT DrawLabel(HDC dc, const RECT& rect, bool enabled, bool leftByDefault);
    void PaintBevelAndDefaultFrame(HDC dc, const RECT& client, UINT state, bool isDefault);
    // The label beside a check box or radio mark, with its focus rectangle.
    void DrawMarkLabel(HDC dc, const RECT& rect, bool enabled, bool focused);
    void RedrawNow();
    UINT State() const;

private:
    void UncheckRadioGroup();
    void ButtonDown(MouseButton, OrvPoint) override;
    void Click(MouseButton, OrvPoint point) override { EndPress(Inside(point)); }
    void DragEnd(MouseButton, OrvPoint point) override { EndPress(Inside(point)); }
    // Escape or a capture taken away mid-press: no click.
    void DragCancel(MouseButton) override { EndPress(false); }
    void PressCancel(MouseButton) override { EndPress(false); }
    void EndPress(bool inside);
    bool Inside(OrvPoint point) const;

    SchemedSurface surface;
    ButtonPress press;
    MouseRoute mouse{*this, MouseRoute::kDoubleClickPresses};
    int check = ButtonState::kUnchecked;
};

class OrvBitmapButton2 : public OrvCustomButton {
public:
    // Loads the bitmap from this module and prepares its scheme-coloured and disabled
    // copies; false when the resource is missing.
    bool SetBitmap(UINT resourceId);
    // The same from a bitmap the caller keeps.
    bool SetBitmap(HBITMAP bitmap);
    SIZE BitmapSize() const { return SIZE{width, height}; }

protected:
    void DrawPushButton(HDC dc, const RECT& rect, UINT state, bool enabled, bool focused,
                        bool isDefault) override;
    void OnSchemeChanged() override;

private:
    void Prepare();

    // The loaded bitmap, the scheme-coloured copy, the disabled copy, two spare slots.
    OrvBitmap bitmaps[5];
    int width = 0;
    int height = 0;
};
