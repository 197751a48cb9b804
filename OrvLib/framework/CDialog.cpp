#include "OrvLib/framework/CDialog.h"

#include "OrvLib/framework/CommonControls.h"
#include "OrvLib/framework/DataExchange.h"
#include "OrvLib/framework/Module.h"
#include "OrvLib/framework/WindowFailure.h"

CDialog::CDialog(UINT initialTemplateId, CWnd* initialParent)
    : templateId(initialTemplateId), parent(initialParent) {}

CDialog::~CDialog() {
    // A page still open goes with its object; the base then finds nothing left to do.
    if (hWnd != nullptr && IsWindow(hWnd) && !modal) DestroyWindow();
}

INT_PTR CDialog::DoModal() {
    HWND owner = parent != nullptr && parent->hWnd != nullptr ? parent->hWnd : OrvChooseOwner();
    OrvInitCommonControls();
    OrvModalScope loop([this] {
        if (hWnd != nullptr) ::EndDialog(hWnd, -1);
    });
    modal = true;
    const INT_PTR result = DialogBoxParamA(OrvModuleHandle(), MAKEINTRESOURCEA(templateId), owner,
                                           &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    modal = false;
    // The system enables the owner again on a normal end; not always on a broken one.
    if (owner != nullptr && IsWindow(owner)) ::EnableWindow(owner, TRUE);
    OrvSweepWindowClasses();
    loop.Close();
    return result;
}

bool CDialog::Create(UINT resourceId, CWnd* parentWindow) {
    return Create(resourceId, parentWindow != nullptr ? parentWindow->hWnd : nullptr);
}

bool CDialog::Create(UINT resourceId, HWND parentWindow) {
    if (hWnd != nullptr) return false;
    templateId = resourceId;
    OrvInitCommonControls();
    HWND window = CreateDialogParamA(OrvModuleHandle(), MAKEINTRESOURCEA(resourceId), parentWindow,
                                     &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    return window != nullptr && hWnd == window;
}

void CDialog::EndDialog(int result) {
    if (hWnd != nullptr) ::EndDialog(hWnd, result);
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    try {
        DoDataExchange(&exchange);
    } catch (const OrvDataExchangeFailure&) {
        if (exchange.LastControl() != nullptr) ::SetFocus(exchange.LastControl());
        return false;
    }
    return true;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (modal && UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() {
    if (modal) EndDialog(IDCANCEL);
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only the binding happens here: once subclassed, every message (this one included)
    // runs through the framework's window procedure, which falls back to the dialog
    // manager's own procedure, which calls this one again and gets FALSE.
    if (message != WM_INITDIALOG || FromHandlePermanent(window) != nullptr) return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lParam);
    if (self == nullptr || !self->SubclassWindow(window)) return FALSE;
    // Created by the system, destroyed by EndDialog or with the object.
    if (OrvModalFailurePending()) {
        ::EndDialog(window, -1);
        return FALSE;
    }
    return static_cast<INT_PTR>(StaticWindowProc(window, WM_INITDIALOG, wParam, lParam));
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam)) return true;
    if (HIWORD(wParam) != BN_CLICKED) return false;
    if (LOWORD(wParam) == IDOK) {
        OnOK();
        return true;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}
