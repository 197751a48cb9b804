// What every custom-drawn control keeps for its looks: the colour scheme it paints in (the
// caller's, never owned; null means the default) and the off-screen buffer its paint goes
// through, with the paint and erase handling they share: the whole client is drawn into the
// buffer and copied in one step, and the background is never erased on its own.
#pragma once

#include <windows.h>

#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/controls/win32/OffscreenBuffer.h"
#include "OrvLib/controls/win32/SchemePainter.h"
#include "OrvLib/framework/GdiHolders.h"

class SchemedSurface {
public:
    void SetScheme(const ColourScheme* newScheme) {
        scheme = newScheme != nullptr ? newScheme : &DefaultColourScheme();
    }
    const ColourScheme& Scheme() const { return *scheme; }
    const ColourScheme* SchemePointer() const { return scheme; }
    OffscreenBuffer& Buffer() { return buffer; }

    // Answers WM_PAINT through the buffer and WM_ERASEBKGND as done; false for any other
    // message.
    template <class Draw>
    bool Paint(HWND window, UINT message, LRESULT& result, Draw draw) {
        result = message == WM_ERASEBKGND ? 1 : 0;
        if (message == WM_ERASEBKGND) return true;
        if (message != WM_PAINT) return false;
        CPaintDC paint(window);
        buffer.Paint(window, paint, draw);
        return true;
    }

private:
    const ColourScheme* scheme = &DefaultColourScheme();
    OffscreenBuffer buffer;
};
