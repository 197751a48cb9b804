// The open dialog for an object picture: the system's explorer-style dialog with our
// child template beside it, whose preview follows the file under selection.
#pragma once

#include <windows.h>

#include <string>

#include "OrvLib/framework/CFileDialog.h"
#include "product/dialog/win32/OrvPSFileImagePreviewControl.h"

class OrvPSImageFileDialog : public CFileDialog {
public:
    explicit OrvPSImageFileDialog(const std::string& path, CWnd* parent = nullptr);

    INT_PTR DoModal() override;
    OrvPSFileImagePreviewControl& Preview() { return preview; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnFileNameChange() override;

private:
    OrvPSFileImagePreviewControl preview;
};

// The folder chooser of the Image page's "Multiple Images", opening on the folder given.
class OrvPSDirectoryBrowser {
public:
    OrvPSDirectoryBrowser(const std::string& initialFolder, CWnd* initialOwner)
        : folder(initialFolder), owner(initialOwner) {}

    // IDOK with the chosen folder stored, or IDCANCEL.
    int Browse();
    const std::string& GetFolder() const { return folder; }

private:
    std::string folder;
    CWnd* owner;
};
