#include "product/dialog/win32/PSVarnPage.h"

#include "OrvLib/controls/win32/SchemePainter.h"
#include "product/dialog/PageRules.h"

BEGIN_MESSAGE_MAP(PSVarnPage, CDialog)
ON_WM_HSCROLL(&PSVarnPage::OnHScroll)
ON_WM_ERASEBKGND(&PSVarnPage::OnEraseBkgnd)
END_MESSAGE_MAP()

PSVarnPage::PSVarnPage(UINT initialTemplateId, PSVarnPageOwner& initialOwner)
    : CDialog(initialTemplateId), owner(initialOwner) {}

bool PSVarnPage::Create(HWND parentWindow, const RECT& place) {
    if (!CDialog::Create(TemplateId(), parentWindow)) return false;
    ::MoveWindow(hWnd, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
    return true;
}

void PSVarnPage::OnHScroll(UINT code, UINT, HWND) {
    const PreviewRequest request = SliderScrollPreview(int(code));
    if (request != PreviewRequest::None) Apply(request == PreviewRequest::Quick);
}

BOOL PSVarnPage::OnEraseBkgnd(HDC dc) {
    RECT client;
    ::GetClientRect(hWnd, &client);
    FillSolid(dc, client, (*owner.PageScheme())[SchemeColour::Face]);
    return TRUE;
}
