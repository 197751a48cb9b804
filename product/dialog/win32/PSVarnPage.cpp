#include "product/dialog/win32/PSVarnPage.h"

#include <cstring>
#include <vector>

#include "OrvLib/controls/DisplayScale.h"
#include "OrvLib/controls/win32/ControlSupport.h"
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
    EnlargePictures();
    return true;
}

void PSVarnPage::EnlargePictures() {
    const int f = DisplayScale::PictureFactor(ControlSupport::WindowDpi(hWnd));
    for (HWND c = ::GetWindow(hWnd, GW_CHILD); c != nullptr && f > 1; c = ::GetWindow(c, GW_HWNDNEXT)) {
        auto* shown = reinterpret_cast<HBITMAP>(::SendMessageA(c, STM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP size{};
        if ((::GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP || shown == nullptr ||
            ::GetObjectA(shown, sizeof size, &size) == 0)
            continue;
        HDC screen = ::GetDC(nullptr);
        OrvBitmap large(::CreateCompatibleBitmap(screen, size.bmWidth * f, size.bmHeight * f));
        {
            OrvMemoryDC from(screen), to(screen);
            OrvSelection original(from, shown), copy(to, large.Get());
            ::StretchBlt(to, 0, 0, size.bmWidth * f, size.bmHeight * f, from, 0, 0, size.bmWidth,
                         size.bmHeight, SRCCOPY);
        }
        ::ReleaseDC(nullptr, screen);
        auto* replaced = reinterpret_cast<HBITMAP>(
            ::SendMessageA(c, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(large.Get())));
        pictures.push_back(std::move(large));
        pictures.emplace_back(replaced);
    }
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
    PreviewInput input;
    if (SliderScrollInput(int(code), ControlSupport::IsEditBox(::GetFocus()), input)) Apply(input);
}

BOOL PSVarnPage::OnEraseBkgnd(HDC dc) {
    RECT client;
    ::GetClientRect(hWnd, &client);
    FillSolid(dc, client, (*owner.PageScheme())[SchemeColour::Face]);
    return TRUE;
}
