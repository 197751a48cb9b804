#include "product/dialog/win32/OrvPSFileImagePreviewControl.h"

#include "OrvLib/controls/win32/SchemePainter.h"
#include "OrvLib/framework/GdiHolders.h"
#include "product/dialog/ChooserPreview.h"
#include "product/dialog/ThumbnailList.h"

void OrvPSFileImagePreviewControl::SetFile(const std::string& newPath) {
    if (newPath == path) return;
    path = newPath;
    if (hWnd == nullptr) return;
    Prepare();
    Invalidate(false);
}

void OrvPSFileImagePreviewControl::SetColourScheme(const ColourScheme* newScheme) {
    surface.SetScheme(newScheme);
    if (hWnd != nullptr) Invalidate(false);
}

void OrvPSFileImagePreviewControl::PreSubclassWindow() {
    surface.Buffer().SetWindow(hWnd);
    if (!path.empty()) Prepare();
}

void OrvPSFileImagePreviewControl::Prepare() {
    ++preparations;
    RECT client;
    ::GetClientRect(hWnd, &client);
    if (!PrepareChooserPreview(path, OrvSize{client.right, client.bottom},
                               surface.Scheme()[SchemeColour::Face], image))
        image.Release();
}

void OrvPSFileImagePreviewControl::Draw(HDC dc) {
    RECT client;
    ::GetClientRect(hWnd, &client);
    FillSolid(dc, client, surface.Scheme()[SchemeColour::Face]);
    PaintFrame(dc, FrameStyle::Sunken, client, surface.Scheme());
    if (image.IsEmpty()) return;
    const OrvSize size{image.GetWidth(), image.GetHeight()};
    const OrvRect place = FitCentred(size, OrvRect{0, 0, client.right, client.bottom});
    if (place.IsEmpty()) return;
    image.Draw(reinterpret_cast<OrvSurface::DC>(dc), place, OrvRect{0, 0, size.width, size.height},
               image.GetTransparent(), surface.Scheme()[SchemeColour::Face], 0);
}

LRESULT OrvPSFileImagePreviewControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT painted = 0;
    if (surface.Paint(hWnd, message, painted, [this](HDC dc) { Draw(dc); })) return painted;
    switch (message) {
        case WM_SIZE:
            if (!path.empty()) Prepare();
            Invalidate(false);
            break;
        default:
            break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
