#include "OrvLib/framework/CFileDialog.h"

#include <shlobj.h>

#include "OrvLib/framework/Module.h"
#include "OrvLib/framework/WindowFailure.h"
#include "OrvLib/platform/PathNames.h"

namespace {

// "A|a|B|b||" becomes "A\0a\0B\0b\0\0".
std::string SystemFilter(const char* filter) {
    std::string text = filter != nullptr ? filter : "";
    for (char& c : text)
        if (c == '|') c = '\0';
    if (text.empty() || text.back() != '\0') text.push_back('\0');
    text.push_back('\0');
    return text;
}

void EndSystemDialog(HWND anyWindowOfIt) {
    // Our child's parent is the system's dialog; cancelling it ends its loop.
    HWND dialog = anyWindowOfIt != nullptr ? GetAncestor(anyWindowOfIt, GA_ROOT) : nullptr;
    if (dialog != nullptr) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

}  // namespace

CFileDialog::CFileDialog(bool openDialog, const char* initialDefaultExtension, const char* fileName,
                         DWORD flags, const char* filterText, CWnd* parentWindow)
    : CDialog(0, parentWindow),
      ofn{},
      open(openDialog),
      file(MAX_PATH + 1, '\0'),
      filter(SystemFilter(filterText)),
      defaultExtension(initialDefaultExtension != nullptr ? initialDefaultExtension : "") {
    if (fileName != nullptr) lstrcpynA(file.data(), fileName, static_cast<int>(file.size()));
    ofn.lStructSize = sizeof ofn;
    ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLEHOOK;
    ofn.nFilterIndex = 1;
    ofn.hInstance = OrvModuleHandle();
    ofn.hwndOwner = parentWindow != nullptr ? parentWindow->hWnd : nullptr;
}

void CFileDialog::SetChildTemplate(UINT newTemplateId) {
    ofn.Flags |= OFN_ENABLETEMPLATE;
    ofn.hInstance = OrvModuleHandle();
    ofn.lpTemplateName = MAKEINTRESOURCEA(newTemplateId);
}

INT_PTR CFileDialog::DoModal() {
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrFilter = filter.size() > 2 ? filter.c_str() : nullptr;
    ofn.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    ofn.lpfnHook = &CFileDialog::StaticHookProc;
    ofn.lCustData = reinterpret_cast<LPARAM>(this);
    if (ofn.hwndOwner == nullptr) ofn.hwndOwner = OrvChooseOwner();
    OrvModalScope loop([this] { EndSystemDialog(hWnd); });
    const BOOL chosen = open ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    if (ofn.hwndOwner != nullptr && IsWindow(ofn.hwndOwner)) ::EnableWindow(ofn.hwndOwner, TRUE);
    OrvSweepWindowClasses();
    loop.Close();
    return chosen ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetFileName() const {
    const std::string path = GetPathName();
    return path.substr(OrvPath::FileNameStart(path));
}

std::string CFileDialog::GetCurrentPath() const {
    HWND dialog = SystemDialog();
    if (dialog == nullptr) return {};
    std::vector<char> path(MAX_PATH + 1, '\0');
    const LRESULT n =
        ::SendMessageA(dialog, CDM_GETFILEPATH, path.size(), reinterpret_cast<LPARAM>(path.data()));
    return n > 0 ? std::string(path.data()) : std::string();
}

bool CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom == SystemDialog()) {
        if (header->code == CDN_SELCHANGE) OnFileNameChange();
        if (header->code == CDN_FOLDERCHANGE) OnFolderChange();
        if (header->code == CDN_INITDONE) OnInitDone();
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

UINT_PTR CALLBACK CFileDialog::StaticHookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // As for a CDialog: bind at WM_INITDIALOG, then the framework's procedure has the window.
    if (message != WM_INITDIALOG || FromHandlePermanent(window) != nullptr) return 0;
    auto* self = reinterpret_cast<CFileDialog*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
    if (self == nullptr || !self->SubclassWindow(window)) return 0;
    if (OrvModalFailurePending()) {
        EndSystemDialog(window);
        return 0;
    }
    return static_cast<UINT_PTR>(StaticWindowProc(window, WM_INITDIALOG, wParam, lParam));
}

namespace {

struct BrowseState {
    const std::string* folder;
    HWND window;
};

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
    try {
        if (message == BFFM_INITIALIZED) {
            auto* state = reinterpret_cast<BrowseState*>(data);
            state->window = window;
            if (!state->folder->empty())
                SendMessageA(window, BFFM_SETSELECTIONA, TRUE,
                             reinterpret_cast<LPARAM>(state->folder->c_str()));
        }
    } catch (...) {
        OrvRecordWindowFailure(std::current_exception());
    }
    return 0;
}

}  // namespace

bool OrvBrowseForFolder(HWND owner, const std::string& title, std::string& folder) {
    // The shell needs COM on this thread; a host has it already, a test program may not.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::vector<char> display(MAX_PATH + 1, '\0');
    BrowseState state{&folder, nullptr};
    BROWSEINFOA info{};
    info.hwndOwner = owner != nullptr ? owner : OrvChooseOwner();
    info.pszDisplayName = display.data();
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);
    OrvModalScope loop([&state] { EndSystemDialog(state.window); });
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    bool ok = false;
    if (chosen != nullptr) {
        std::vector<char> path(MAX_PATH + 1, '\0');
        if (SHGetPathFromIDListA(chosen, path.data()) && path[0] != '\0') {
            folder = path.data();
            ok = true;
        }
        CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    loop.Close();
    return ok;
}
