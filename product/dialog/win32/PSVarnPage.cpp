#include "product/dialog/win32/PSVarnPage.h"

#include <cstring>
#include <vector>

#include "OrvLib/controls/win32/SchemePainter.h"
#include "product/dialog/PageRules.h"

BEGIN_MESSAGE_MAP(PSVarnPage, CDialog)
ON_WM_HSCROLL(&PSVarnPage::OnHScroll)
ON_WM_ERASEBKGND(&PSVarnPage::OnEraseBkgnd)
ON_WM_TIMER(&PSVarnPage::OnTimer)
END_MESSAGE_MAP()

PSVarnPage::PSVarnPage(UINT initialTemplateId, PSVarnPageOwner& initialOwner)
    : CDialog(initialTemplateId), owner(initialOwner) {}

bool PSVarnPage::Create(HWND parentWindow, const RECT& place) {
    if (!CDialog::Create(TemplateId(), parentWindow)) return false;
    ::MoveWindow(hWnd, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
    return true;
}

void PSVarnPage::Apply(PreviewInput input) {
    // The whole block, extension included: the Variation page writes there.
    const uint8_t* block = owner.PageBlock();
    const std::vector<uint8_t> before(block, block + owner.PageBlockSize());
    WriteControls();
    Carry(pacer.Input(input, std::memcmp(before.data(), block, before.size()) != 0));
}

void PSVarnPage::Carry(PreviewPacer::Action action) {
    if (action.stopTimer) KillTimer(kSettleTimer);
    if (action.armTimer) SetTimer(kSettleTimer, PreviewPacer::kSettleMs);
    if (action.render != PreviewPacer::Render::None)
        owner.UpdatePreview(action.render == PreviewPacer::Render::Quick);
}

void PSVarnPage::OnTimer(UINT_PTR id) {
    if (id == kSettleTimer) Carry(pacer.TimerEnded());
}

void PSVarnPage::OnHScroll(UINT code, UINT, HWND) {
    // A position that arrives while a number box has the focus was typed there.
    char kind[8] = {};
    const HWND focus = ::GetFocus();
    const bool typed =
        focus != nullptr && ::GetClassNameA(focus, kind, sizeof kind) > 0 && ::lstrcmpiA(kind, "Edit") == 0;
    PreviewInput input;
    if (SliderScrollInput(int(code), typed, input)) Apply(input);
}

BOOL PSVarnPage::OnEraseBkgnd(HDC dc) {
    RECT client;
    ::GetClientRect(hWnd, &client);
    FillSolid(dc, client, (*owner.PageScheme())[SchemeColour::Face]);
    return TRUE;
}
