// The preview of a picture file: in the open dialog beside the system's list, and on the
// Image page for the user's own file. It reads the file once per new path and paints it
// fitted and centred on the scheme's face colour inside a sunken frame.
#pragma once

#include <windows.h>

#include <string>

#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/controls/win32/SchemedSurface.h"
#include "OrvLib/framework/CWnd.h"
#include "OrvLib/image/OrvImage2.h"

class OrvPSFileImagePreviewControl : public CWnd {
public:
    // The same path again changes nothing.
    void SetFile(const std::string& path);
    const std::string& File() const { return path; }
    void SetColourScheme(const ColourScheme* scheme);
    // How many times a picture was prepared since construction.
    int Preparations() const { return preparations; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

private:
    void Prepare();
    void Draw(HDC dc);

    SchemedSurface surface;
    std::string path;
    OrvImage2 image;
    int preparations = 0;
};
