#include "product/dialog/win32/OrvPSImageFileDialog.h"

#include "OrvLib/framework/DataExchange.h"
#include "product/dialog/FileChooser.h"
#include "product/resources/ResourceIds.h"

OrvPSImageFileDialog::OrvPSImageFileDialog(const std::string& path, CWnd* initialParent)
    : CFileDialog(true, nullptr, path.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_DONTADDTORECENT,
                  kImageFileFilter, initialParent) {}

INT_PTR OrvPSImageFileDialog::DoModal() {
    ofn.Flags |= OFN_EXPLORER | OFN_FILEMUSTEXIST;
    SetChildTemplate(IDD_IMAGE_FILE_DIALOG);
    return CFileDialog::DoModal();
}

void OrvPSImageFileDialog::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, IDC_FILE_PREVIEW, preview); }

BOOL OrvPSImageFileDialog::OnInitDialog() {
    const BOOL result = CFileDialog::OnInitDialog();
    preview.Invalidate(false);
    return result;
}

void OrvPSImageFileDialog::OnFileNameChange() { preview.SetFile(GetCurrentPath()); }

int OrvPSDirectoryBrowser::Browse() {
    // A path longer than the shell's buffer opens without a preselection.
    std::string chosen = FolderBrowserStart(folder);
    if (!OrvBrowseForFolder(owner != nullptr ? owner->hWnd : nullptr, "Choose a directory", chosen))
        return IDCANCEL;
    folder = chosen;
    return IDOK;
}
