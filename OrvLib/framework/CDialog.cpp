#include "OrvLib/framework/CDialog.h"

#include "OrvLib/framework/CommonControls.h"
#include "OrvLib/framework/DataExchange.h"
#include "OrvLib/framework/Module.h"
#include "OrvLib/framework/WindowFailure.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog() {
    // A page still open goes with its object; the base then finds nothing left to do.
    if (m_hWnd != nullptr && IsWindow(m_hWnd) && !modal_) DestroyWindow();
}

INT_PTR CDialog::DoModal() {
    HWND owner = parent_ != nullptr && parent_->m_hWnd != nullptr ? parent_->m_hWnd : OrvChooseOwner();
    OrvInitCommonControls();
    OrvModalScope loop([this] {
        if (m_hWnd != nullptr) ::EndDialog(m_hWnd, -1);
    });
    modal_ = true;
    const INT_PTR result = DialogBoxParamA(OrvModuleHandle(), MAKEINTRESOURCEA(templateId_), owner,
                                           &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    modal_ = false;
    // The system enables the owner again on a normal end; not always on a broken one.
    if (owner != nullptr && IsWindow(owner)) ::EnableWindow(owner, TRUE);
    OrvSweepWindowClasses();
    loop.Close();
    return result;
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
    return Create(templateId, parent != nullptr ? parent->m_hWnd : nullptr);
}

bool CDialog::Create(UINT templateId, HWND parent) {
    if (m_hWnd != nullptr) return false;
    templateId_ = templateId;
    OrvInitCommonControls();
    HWND window = CreateDialogParamA(OrvModuleHandle(), MAKEINTRESOURCEA(templateId), parent,
                                     &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    return window != nullptr && m_hWnd == window;
}

void CDialog::EndDialog(int result) {
    if (m_hWnd != nullptr) ::EndDialog(m_hWnd, result);
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
    if (modal_ && UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() {
    if (modal_) EndDialog(IDCANCEL);
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
