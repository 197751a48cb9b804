// Labels: a one-line text static on the scheme's face, and a bitmap static whose bitmap is
// recoloured to the scheme like a bitmap button's.
#pragma once

#include <windows.h>

#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/controls/win32/SchemedSurface.h"
#include "OrvLib/framework/GdiHolders.h"
#include "OrvLib/framework/StandardControls.h"

class OrvCustomStatic : public CStatic {
public:
    void SetColourScheme(const ColourScheme* scheme);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    SchemedSurface surface;
};

class OrvBitmapStatic : public CStatic {
public:
    void SetColourScheme(const ColourScheme* scheme);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Prepare();

    OrvBitmap coloured;
    int width = 0;
    int height = 0;
    bool prepared = false;
    SchemedSurface surface;
};
