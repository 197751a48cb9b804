// What the custom control windows share beyond the control base: conversions between the
// system's and the models' types, the keys, notifications to the parent, and the few
// halftone fill.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/ButtonModel.h"
#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/controls/ControlInput.h"
#include "OrvLib/controls/FrameGeometry.h"
#include "OrvLib/controls/win32/OffscreenBuffer.h"
#include "OrvLib/controls/win32/SchemePainter.h"

namespace ControlSupport {

inline OrvPoint PointOf(LPARAM lParam) {
    return OrvPoint{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
inline bool ControlHeld() { return GetKeyState(VK_CONTROL) < 0; }
ControlKey KeyOf(WPARAM virtualKey);

// Command message (id, code) and notification header {window, id, code} to the parent;
// nothing (0) without one.
void SendCommand(HWND control, UINT code);
LRESULT SendNotify(HWND control, UINT code);

// The system's 50 per cent checker in two colours.
void FillHalftone(HDC dc, const RECT& rect, COLORREF first, COLORREF second);

enum class ArrowDirection { Up, Down, Left, Right };
// A small solid triangle centred in box, pointing one way.
void PaintArrow(HDC dc, const RECT& box, ArrowDirection direction, COLORREF colour);
// A square button with a triangle: raised (sunken and the triangle moved while pressed) on
// the face, the triangle embossed when disabled.
void PaintArrowButton(HDC dc, const RECT& box, ArrowDirection direction, bool pressed, bool enabled,
                      const ColourScheme& scheme);

// A bitmap's pixels as colour references, and a new top-down DIB section from them.
ButtonBitmap::Pixels PixelsOf(HBITMAP bitmap);
HBITMAP BitmapOf(const ButtonBitmap::Pixels& pixels);

// Window text through a control: text colour, transparent, the stock GUI font; at a
// window's display scale when it differs from the system's (one font kept per scale).
HFONT GuiFont();
HFONT GuiFont(HWND window);
// The size of text in font (an empty text is as high as a space and 0 wide).
SIZE TextExtent(HFONT font, const std::string& text);
std::string TextOf(HWND window);

// The display scale of window in pixels an inch: the one its top-level window was last laid
// out for (SetLayoutDpi), else the system's GetDpiForWindow where it has one (it follows a
// per-monitor aware window across monitors), else the screen's.
int WindowDpi(HWND window);
// A dialog that re-lays itself on WM_DPICHANGED tells its controls the scale it chose.
void SetLayoutDpi(HWND topLevel, int dpi);
// True while the system runs in high contrast; SetHighContrastForTesting overrides what
// the system says (-1 gives the answer back to the system).
bool HighContrast();
void SetHighContrastForTesting(int on);

// True for a system edit box or one of ours built on it (a number box, a path box).
bool IsEditBox(HWND window);

// A size in the dialog units of a parent (its font's when it is not a dialog).
SIZE DialogUnitsToPixels(HWND parent, int width, int height);

// Keeps a companion box with its control: shown, hidden, enabled and moved with it.
// `offset` is the box's place from the control's top-left in their parent; call for
// every message of the control.
void CarryOver(HWND control, HWND box, POINT offset, UINT message, WPARAM wParam);

// Runs the system's handling of a message with the window's drawing switched off, so that
// a control that paints itself never shows the standard look in between.
LRESULT Quietly(HWND window, const std::function<LRESULT()>& handling);

}  // namespace ControlSupport
