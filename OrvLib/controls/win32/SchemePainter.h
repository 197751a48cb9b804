// The shared painters of the custom controls: the default colour scheme, bevelled frames,
// the non-client frame, the band filler and scheme text (plain and embossed).
#pragma once

#include <windows.h>

#include <string>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/controls/FrameGeometry.h"

inline RECT ToRECT(const OrvRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline OrvRect ToOrvRect(const RECT& r) { return OrvRect{r.left, r.top, r.right, r.bottom}; }

// The module-wide scheme, filled from the system colours when first asked for.
const ColourScheme& DefaultColourScheme();
// Reads the system colours again (after a system colour change).
void RefreshDefaultColourScheme();

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);
void PaintFrame(HDC dc, FrameStyle style, const RECT& rect, const ColourScheme& scheme);
// The frame of a control that paints its own border, chosen from its styles and border
// width, drawn into its window context; false when it has none.
bool PaintNonClientFrame(HWND window, const ColourScheme& scheme);
void FillBands(HDC dc, const RECT& outer, const RECT& inner, COLORREF colour);

// Text in the scheme's text colour, transparent, in font (null: the stock default GUI
// font); format as for DrawText.
void DrawSchemeText(HDC dc, const std::string& text, RECT rect, UINT format, const ColourScheme& scheme,
                    HFONT font = nullptr);
// Disabled text: highlight offset by (1, 1) on an opaque face background, then the shadow
// colour in place, transparent.
void DrawEmbossedText(HDC dc, const std::string& text, RECT rect, UINT format, const ColourScheme& scheme,
                      HFONT font = nullptr);
