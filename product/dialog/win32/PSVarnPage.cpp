#include "product/dialog/win32/PSVarnPage.h"

#include "OrvLib/controls/win32/SchemePainter.h"
#include "product/dialog/PageRules.h"

BEGIN_MESSAGE_MAP(PSVarnPage, CDialog)
ON_WM_HSCROLL(&PSVarnPage::OnHScroll)
ON_WM_ERASEBKGND(&PSVarnPage::OnEraseBkgnd)
END_MESSAGE_MAP()

PSVarnPage::PSVarnPage(UINT templateId, PSVarnPageOwner& owner)
    : CDialog(templateId), owner(owner), templateId(templateId) {}

bool PSVarnPage::Create(HWND parent, const RECT& place) {
    if (!CDialog::Create(templateId, parent)) return false;
    ::MoveWindow(m_hWnd, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
    return true;
}

void PSVarnPage::OnHScroll(UINT code, UINT, HWND) {
    const PreviewRequest request = SliderScrollPreview(int(code));
    if (request != PreviewRequest::None) Apply(request == PreviewRequest::Quick);
}

BOOL PSVarnPage::OnEraseBkgnd(HDC dc) {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    FillSolid(dc, client, (*owner.PageScheme())[SchemeColour::Face]);
    return TRUE;
}
