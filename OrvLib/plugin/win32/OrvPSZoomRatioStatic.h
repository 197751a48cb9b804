// The label that shows the previews' zoom as a ratio ("1:4", "2:1"), after a prefix, built
// anew at every paint; its owner invalidates it after every zoom change.
#pragma once

#include <windows.h>

#include <string>

#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/framework/Accessible.h"
#include "OrvLib/framework/StandardControls.h"

class OrvPSFilter;

class OrvPSZoomRatioStatic : public CStatic, public OrvAccessible {
public:
    std::string AccessibleValue() const override { return Text(); }

    OrvPSZoomRatioStatic(OrvPSFilter* filter, bool showFraction);

    void SetPrefix(const std::string& newPrefix) { prefix = newPrefix; }
    // Null means the default scheme. Invalidates the label.
    void SetColourScheme(const ColourScheme* scheme);
    std::string Text() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);

    OrvPSFilter* filter;
    bool showFraction;
    std::string prefix = "Zoom ";
    const ColourScheme* scheme;
};
