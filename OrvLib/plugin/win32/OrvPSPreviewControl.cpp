#include "OrvLib/plugin/win32/OrvPSPreviewControl.h"

#include "OrvLib/controls/win32/SchemePainter.h"
#include "OrvLib/plugin/OrvPSFilter.h"
#include "OrvLib/plugin/ViewModel.h"

OrvPSPreviewControl::OrvPSPreviewControl(OrvPSFilter* initialFilter, int32_t initialKind)
    : filter(initialFilter), kind(initialKind) {
    SetPaintsOwnBorder(true);
}

HCURSOR OrvPSPreviewControl::GetPanCursor() { return LoadCursor(nullptr, IDC_SIZEALL); }

void OrvPSPreviewControl::PreSubclassWindow() {
    // The template's static lets the pointer through to the dialog unless it notifies.
    ModifyStyle(0, SS_NOTIFY | WS_TABSTOP);
    dialogCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void OrvPSPreviewControl::Draw(HDC dc) {
    const RECT client = GetClientRect();
    const COLORREF face = Scheme()[SchemeColour::Face];
    OrvImage2* image = nullptr;
    if (filter != nullptr) {
        image = kind == kBefore   ? filter->GetBeforeImage()
                : kind == kResult ? filter->GetPreviewImage()
                                  : filter->GetSourceImage();
    }
    if (image == nullptr || image->IsEmpty() || image->AbsHeight() == 0) {
        FillSolid(dc, client, face);
        return;
    }
    const OrvSize size{image->Width(), image->AbsHeight()};
    const OrvRect shown =
        ViewModel::PreviewImageRect(OrvSize{client.right, client.bottom}, size, filter->CanZoomOut());
    OrvImage2* drawn = image;
    OrvImage2 flattened;
    if (image->BitCount() == 32) {
        // Transparency shows as the usual white and light grey squares.
        if (flattened.FlattenOnChecker(24, 10, kOrvWhite, OrvRGB(192, 192, 192), image)) drawn = &flattened;
    }
    drawn->Draw(reinterpret_cast<OrvSurface::DC>(dc), shown, OrvRect{0, 0, size.width, size.height},
                kOrvNoColour, kOrvNoColour, 0);
    FillBands(dc, client, RECT{shown.left, shown.top, shown.right, shown.bottom}, face);
}

void OrvPSPreviewControl::OnLButtonDown(POINT) {
    // A click gives the keys to the preview.
    if (::GetFocus() != hWnd) ::SetFocus(hWnd);
    NotifyCode(kPressed);
    SetCursor(GetPanCursor());
}

void OrvPSPreviewControl::OnLButtonUp(POINT) {
    NotifyCommand();
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

void OrvPSPreviewControl::OnLDragBegin(POINT) {
    NotifyCode(kDragBegun);
    if (filter != nullptr) dragStartView = filter->GetViewRect();
}

void OrvPSPreviewControl::OnLDragMove(POINT point) {
    if (filter == nullptr) return;
    const OrvPoint pan = ViewModel::DragPan(PressPoint(), OrvPoint{point.x, point.y}, dragStartView,
                                            filter->GetViewRect(), filter->GetPreviewSize());
    filter->ScrollView(pan.x, pan.y);
    Invalidate(false);
    UpdateWindow();
    NotifyCode(kViewMoved);
}

void OrvPSPreviewControl::OnLDragEnd(POINT) {
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    NotifyCode(kDragEnded);
}

void OrvPSPreviewControl::OnLDragCancel() { SetCursor(LoadCursor(nullptr, IDC_ARROW)); }

// An arrow moves the view by an eighth of the preview, as a short drag would.
void OrvPSPreviewControl::OnKeyDown(UINT key, bool wasDown, bool systemKey) {
    const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    if (!arrow || systemKey || filter == nullptr || IsDragging()) {
        OrvControlBase::OnKeyDown(key, wasDown, systemKey);
        return;
    }
    const OrvSize size = filter->GetViewSize();
    const int32_t dx = key == VK_LEFT ? -size.width / 8 : key == VK_RIGHT ? size.width / 8 : 0;
    const int32_t dy = key == VK_UP ? -size.height / 8 : key == VK_DOWN ? size.height / 8 : 0;
    filter->ScrollView(dx, dy);
    Invalidate(false);
    NotifyCode(kViewMoved);
}

void OrvPSPreviewControl::OnChar(UINT character, bool, bool systemKey) {
    if (systemKey) return;
    if (character == '+' || character == '=') NotifyCode(kZoomInAsked);
    if (character == '-') NotifyCode(kZoomOutAsked);
}

bool OrvPSPreviewControl::OnMouseWheel(int delta, POINT, UINT keyFlags) {
    if ((keyFlags & MK_CONTROL) == 0 || delta == 0) return false;
    NotifyCode(delta > 0 ? kZoomInAsked : kZoomOutAsked);
    return true;
}
